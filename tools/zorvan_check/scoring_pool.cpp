#include "zorvan_check/scoring_pool.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace zd::check {
namespace {

namespace fs = std::filesystem;

std::string AbsoluteFolder(const std::string& folder) {
  std::error_code ec;
  const fs::path p = fs::absolute(folder, ec);
  return ec ? folder : p.string();
}

template <class T>
void Put(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
T Take(const std::string& in, std::size_t& pos) {
  if (pos + sizeof(T) > in.size())
    throw std::runtime_error("a scoring worker's results are cut short");
  T value;
  std::memcpy(&value, in.data() + pos, sizeof value);
  pos += sizeof value;
  return value;
}

void PutTotals(std::string& out, const ModuleTotals& t) {
  Put<int64_t>(out, t.ok ? 1 : 0);
  for (int64_t v : {t.qsos, t.points, t.dxcc, t.regions, t.dupes, t.badQsos, t.score}) Put(out, v);
}

ModuleTotals TakeTotals(const std::string& in, std::size_t& pos) {
  ModuleTotals t;
  t.ok = Take<int64_t>(in, pos) != 0;
  for (int64_t* v : {&t.qsos, &t.points, &t.dxcc, &t.regions, &t.dupes, &t.badQsos, &t.score}) {
    *v = Take<int64_t>(in, pos);
  }
  return t;
}

// What one worker does: its share of the jobs, each result written to `resultFile`.
struct WorkerTask {
  const host::Exports* module;
  std::string scratch, resultFile;
  ContestLogs* contest;
  CountryCache* countries;
  const std::vector<ScoreJob>* jobs;
  std::vector<std::size_t> mine;
};

void RunWorker(void* context) {
  WorkerTask& t = *static_cast<WorkerTask*>(context);
  LogScorer scorer(*t.module, t.scratch);
  std::string out;
  for (std::size_t k : t.mine) {
    const ScoreJob& job = (*t.jobs)[k];
    StationLog& log = t.contest->logs[job.log];
    Put<uint64_t>(out, k);
    if (job.keep) {
      PutTotals(out, scorer.ScoreKept(log, *job.keep, t.contest->pool, *t.countries));
      continue;
    }
    PutTotals(out, scorer.ScoreClaimed(log, t.contest->pool, *t.countries));
    for (const Qso& q : log.qsos) {
      Put<uint8_t>(out, static_cast<uint8_t>(q.verdict));
      Put<uint8_t>(out, q.badRegion ? 1 : 0);
      Put<uint32_t>(out, static_cast<uint32_t>(q.refusal.size()));
      out += q.refusal;
    }
  }
  std::ofstream file(t.resultFile, std::ios::binary);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  if (!file) throw std::runtime_error(t.resultFile + ": cannot write");
}

}  // namespace

int CoreCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n);
}

ScoringPool::ScoringPool(const host::Exports& module, const std::string& scratchFolder, int workers)
    : module_(module),
      scratch_(AbsoluteFolder(scratchFolder)),
      workers_(std::max(1, workers)),
      scorer_(module, scratch_) {}

std::vector<ModuleTotals> ScoringPool::Score(ContestLogs& contest, CountryCache& countries,
                                             const std::vector<ScoreJob>& jobs) {
  // Shared out by size, the largest first, each to the worker with the fewest QSOs.
  std::vector<std::size_t> order(jobs.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  auto size = [&](std::size_t k) { return contest.logs[jobs[k].log].qsos.size(); };
  std::stable_sort(order.begin(), order.end(), [&](auto x, auto y) { return size(x) > size(y); });
  std::vector<std::vector<std::size_t>> shares(static_cast<std::size_t>(workers_));
  std::vector<std::size_t> load(shares.size(), 0);
  for (std::size_t k : order) {
    const auto w =
        static_cast<std::size_t>(std::min_element(load.begin(), load.end()) - load.begin());
    shares[w].push_back(k);
    load[w] += size(k) + 50;  // a reset costs about as much as fifty QSOs
  }

  std::vector<WorkerTask> tasks;
  std::vector<long long> handles;
  tasks.reserve(shares.size());
  for (std::size_t w = 1; w < shares.size(); ++w) {
    if (shares[w].empty()) continue;
    const std::string folder = scratch_ + "-" + std::to_string(w);
    tasks.push_back(
        {&module_, folder, folder + ".results", &contest, &countries, &jobs, shares[w]});
    const long long h = ForkWorker(RunWorker, &tasks.back());
    if (h < 0) {
      // No copies of the process here: this one does that share too.
      shares[0].insert(shares[0].end(), shares[w].begin(), shares[w].end());
      tasks.pop_back();
    } else {
      handles.push_back(h);
    }
  }

  std::vector<ModuleTotals> results(jobs.size());
  for (std::size_t k : shares[0]) {
    const ScoreJob& job = jobs[k];
    results[k] = job.keep
                     ? scorer_.ScoreKept(contest.logs[job.log], *job.keep, contest.pool, countries)
                     : scorer_.ScoreClaimed(contest.logs[job.log], contest.pool, countries);
  }

  bool allWell = true;
  for (long long h : handles) allWell = JoinWorker(h) && allWell;
  for (const WorkerTask& t : tasks) {
    std::ifstream file(t.resultFile, std::ios::binary);
    const std::string in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::error_code ec;
    fs::remove(t.resultFile, ec);
    fs::remove_all(t.scratch, ec);
    if (!allWell) continue;
    std::size_t pos = 0;
    while (pos < in.size()) {
      const auto k = static_cast<std::size_t>(Take<uint64_t>(in, pos));
      if (k >= jobs.size()) throw std::runtime_error("a scoring worker's results are damaged");
      results[k] = TakeTotals(in, pos);
      if (jobs[k].keep) continue;
      for (Qso& q : contest.logs[jobs[k].log].qsos) {
        q.verdict = static_cast<ModuleVerdict>(Take<uint8_t>(in, pos));
        q.badRegion = Take<uint8_t>(in, pos) != 0;
        const auto n = Take<uint32_t>(in, pos);
        if (pos + n > in.size())
          throw std::runtime_error("a scoring worker's results are cut short");
        q.refusal.assign(in, pos, n);
        pos += n;
      }
    }
  }
  if (!allWell) throw std::runtime_error("a scoring worker failed");
  return results;
}

}  // namespace zd::check
