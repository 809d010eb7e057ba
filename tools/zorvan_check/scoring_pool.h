// Scoring many logs with the module, on every core. The module keeps one contest per
// process and works in the current folder, so each further worker is a copy of this
// process (where the platform has them) with a scratch folder of its own; the logs are
// shared out by their number of QSOs, and each worker hands its results back in a file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "zorvan_check/log_scorer.h"

namespace zd::check {

struct ScoreJob {
  std::size_t log = 0;
  const std::vector<char>* keep = nullptr;  // null: the log as claimed (verdicts recorded)
};

class ScoringPool {
 public:
  // `workers` processes in all, this one included (at least 1).
  ScoringPool(const host::Exports& module, const std::string& scratchFolder, int workers);

  // This process's scorer.
  LogScorer& scorer() { return scorer_; }
  int workers() const { return workers_; }

  // The totals of each job, in job order; a claimed job records the module's verdicts in
  // its log. Throws std::runtime_error when a worker fails.
  std::vector<ModuleTotals> Score(ContestLogs& contest, CountryCache& countries,
                                  const std::vector<ScoreJob>& jobs);

 private:
  const host::Exports& module_;
  std::string scratch_;
  int workers_;
  LogScorer scorer_;
};

// The processor's cores, at least 1.
int CoreCount();

// Platform: runs `body` in a copy of this process and returns its handle, or -1 where
// there are no such copies (the caller then does the work itself). JoinWorker waits for
// it and tells whether it ended well.
long long ForkWorker(void (*body)(void*), void* context);
bool JoinWorker(long long handle);

}  // namespace zd::check
