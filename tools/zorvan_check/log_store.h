// The submitted logs of a contest, read from one folder with the replay's log readers
// and reduced to compact records. A log that cannot be used is noted with the reason;
// it never stops the others from being read.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "zorvan_check/check_types.h"
#include "zorvan_replay/country_file.h"
#include "zorvan_replay/replay_log.h"

namespace zd::check {

// Something the organisers should know about one file.
struct Note {
  std::string file;
  std::string message;
};

struct ContestLogs {
  StringPool pool;
  std::vector<StationLog> logs;  // in file-name order
  std::vector<Note> notes;
  std::unordered_map<uint32_t, int32_t> logOfCall;  // own call id -> index in logs

  // The log the call sent, or -1.
  int32_t LogOf(uint32_t call) const {
    const auto it = logOfCall.find(call);
    return it == logOfCall.end() ? -1 : it->second;
  }
};

// The host's DXCC prefix and continent of a worked call, resolved once per call.
struct CallCountry {
  std::string prefix, continent;
  bool known = false;
};

class CountryCache {
 public:
  explicit CountryCache(const replay::CountryFile& cty) : cty_(cty) {}
  const CallCountry& Of(const StringPool& pool, uint32_t call);

 private:
  const replay::CountryFile& cty_;
  std::unordered_map<uint32_t, CallCountry> cache_;
};

// The categories a Cabrillo header gives (CATEGORY-OPERATOR, -BAND, -POWER, -MODE, ...),
// joined by blanks in the order they stand; empty for a log without such lines.
std::string CabrilloCategory(std::string_view headerText);

// Whether the module would talk Russian to a station of this own prefix.
bool ModuleTalksRussian(std::string_view ownPrefix);

// Reads every regular file of the folder, in name order. Throws replay::LogError when the
// folder itself cannot be listed.
ContestLogs ReadLogsFolder(const std::string& folder, const replay::CountryFile& cty);

// Adds one log as read by the replay's readers; `headerText` is the start of its file
// (for the category). Notes what is wrong with it; returns false when it is not used.
bool AddLog(ContestLogs& contest, const replay::ReplayLog& log, const std::string& path,
            std::string_view headerText, const replay::CountryFile& cty);

// The seconds since 30 December 1899 of a DATE value, and back.
int64_t SecondsOfDate(double date);
double DateOfSeconds(int64_t seconds);

}  // namespace zd::check
