// The folder a replay works in. The module writes its files into the current folder
// (its settings file Plugins/ZORVAN-DIGI.ini, the bad-QSO report, the Cabrillo file), so
// the replay never runs it where an operator's own files of those kinds lie: by default
// it makes a folder of its own beside the log, and a folder it is told to use must not
// hold such files unless the replay wrote them itself. What it wrote is listed in the
// folder's file ".zorvan-replay", each file with its size and check sum, so that the
// next run knows its own output from anything put there since.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zd::replay {

inline constexpr char kOwnFilesList[] = ".zorvan-replay";

struct Fingerprint {
  std::uintmax_t size = 0;
  uint64_t hash = 0;  // FNV-1a of the content: enough to tell a file from its replacement
  bool operator==(const Fingerprint&) const = default;
};

// Empty when the file cannot be read.
std::optional<Fingerprint> FingerprintOf(const std::filesystem::path& file);

// The files of the kinds the replay writes into a work folder, relative to it: the
// module's settings file and special-call list under Plugins/, the host's ini file (a
// copy for the Cabrillo header's CREATED-BY), every bad-QSO report and Cabrillo file.
std::vector<std::filesystem::path> ModuleFilesIn(const std::filesystem::path& folder);

class WorkFolder {
 public:
  // Reads the folder's list of the replay's own files (an empty list when there is none).
  explicit WorkFolder(std::filesystem::path folder);

  const std::filesystem::path& path() const { return folder_; }
  // True when the replay has worked here before (the folder has its list).
  bool HasOwnList() const { return hasList_; }
  // The files of the module's kinds that the replay did not write, or that were changed
  // after it wrote them; relative to the folder.
  std::vector<std::filesystem::path> ForeignFiles() const;
  // Deletes what the replay wrote here last time and is still as it left it, so that a
  // run starts from its own options alone; then notes the state of every file of the
  // module's kinds.
  void StartRun();
  // Lists as the replay's own every file of the module's kinds that the run wrote or
  // changed, and the `copied` files (relative); writes the list. False when the list
  // cannot be written.
  bool FinishRun(const std::vector<std::filesystem::path>& copied);

 private:
  std::filesystem::path folder_;
  bool hasList_ = false;
  std::map<std::filesystem::path, Fingerprint> own_;     // relative path -> as written
  std::map<std::filesystem::path, Fingerprint> before_;  // at the start of the run
};

// The folder a replay of `log` uses when it is given none: "NAME-replay" beside the log
// (NAME: the log's file name without its extension) when it does not exist yet or is
// the replay's own, otherwise "NAME-replay-2", "NAME-replay-3", ... Empty when none of
// the first 99 can be used.
std::optional<std::filesystem::path> DefaultWorkFolder(const std::filesystem::path& log);

}  // namespace zd::replay
