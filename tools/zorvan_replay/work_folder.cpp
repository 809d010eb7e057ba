#include "zorvan_replay/work_folder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "zorvan_replay/replay_log.h"

namespace zd::replay {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
  return s;
}

bool IsFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

}  // namespace

std::optional<Fingerprint> FingerprintOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  Fingerprint f;
  f.hash = 14695981039346656037ull;
  char buffer[65536];
  while (in) {
    in.read(buffer, sizeof buffer);
    const std::streamsize n = in.gcount();
    for (std::streamsize i = 0; i < n; ++i) {
      f.hash = (f.hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ull;
    }
    f.size += static_cast<std::uintmax_t>(n);
  }
  if (in.bad()) return std::nullopt;
  return f;
}

std::vector<fs::path> ModuleFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string name = Lower(Utf8FromPath(it->path().filename()));
    const bool report = name.rfind("badqso_", 0) == 0 && name.size() > 11 &&
                        name.compare(name.size() - 4, 4, ".txt") == 0;
    const bool cabrillo = name.size() > 4 && name.compare(name.size() - 4, 4, ".cbr") == 0;
    if (report || cabrillo || name == "vevozi2.ini") files.push_back(it->path().filename());
  }
  for (const char* name : {"ZORVAN-DIGI.ini", "call_special.dat"}) {
    const fs::path p = fs::path("Plugins") / name;
    if (IsFile(folder / p)) files.push_back(p);
  }
  std::sort(files.begin(), files.end());
  return files;
}

WorkFolder::WorkFolder(fs::path folder) : folder_(std::move(folder)) {
  std::ifstream in(folder_ / kOwnFilesList, std::ios::binary);
  if (!in) return;
  hasList_ = true;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string hash, size;
    fields >> hash >> size;
    std::string name;
    std::getline(fields >> std::ws, name);
    if (hash.size() != 16 || size.empty() || name.empty()) continue;
    Fingerprint f;
    try {
      f.hash = std::stoull(hash, nullptr, 16);
      f.size = std::stoull(size);
    } catch (const std::exception&) {
      continue;  // a damaged line: that file is not known as the replay's own
    }
    own_[PathFromUtf8(name)] = f;
  }
}

std::vector<fs::path> WorkFolder::ForeignFiles() const {
  std::vector<fs::path> foreign;
  for (const fs::path& p : ModuleFilesIn(folder_)) {
    const auto it = own_.find(p);
    if (it == own_.end() || FingerprintOf(folder_ / p) != it->second) foreign.push_back(p);
  }
  return foreign;
}

void WorkFolder::StartRun() {
  for (const auto& [p, f] : own_) {
    if (IsFile(folder_ / p) && FingerprintOf(folder_ / p) == f) {
      std::error_code ec;
      fs::remove(folder_ / p, ec);
    }
  }
  own_.clear();
  before_.clear();
  for (const fs::path& p : ModuleFilesIn(folder_)) {
    if (const auto f = FingerprintOf(folder_ / p)) before_[p] = *f;
  }
}

bool WorkFolder::FinishRun(const std::vector<fs::path>& copied) {
  for (const fs::path& p : ModuleFilesIn(folder_)) {
    const auto now = FingerprintOf(folder_ / p);
    if (!now) continue;
    const auto it = before_.find(p);
    const bool copiedHere = std::find(copied.begin(), copied.end(), p) != copied.end();
    if (copiedHere || it == before_.end() || it->second != *now) own_[p] = *now;
  }
  std::ofstream out(folder_ / kOwnFilesList, std::ios::binary | std::ios::trunc);
  out << "# zorvan-replay: the files it wrote in this folder. Its next run here replaces\r\n"
         "# them and leaves every other file alone; a file changed since is not its own.\r\n";
  for (const auto& [p, f] : own_) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(f.hash));
    const std::u8string name = p.generic_u8string();
    out << hash << ' ' << f.size << ' '
        << std::string_view(reinterpret_cast<const char*>(name.data()), name.size()) << "\r\n";
  }
  out.flush();
  hasList_ = static_cast<bool>(out);
  return hasList_;
}

std::optional<fs::path> DefaultWorkFolder(const fs::path& log) {
  std::error_code ec;
  fs::path absolute = fs::absolute(log, ec);
  if (ec) absolute = log;
  const fs::path base = absolute.parent_path();
  const std::string stem = Utf8FromPath(absolute.stem());
  for (int i = 1; i < 100; ++i) {
    const std::string name = stem + "-replay" + (i == 1 ? "" : "-" + std::to_string(i));
    const fs::path candidate = base / PathFromUtf8(name);
    if (!fs::exists(candidate, ec)) return candidate;
    if (!fs::is_directory(candidate, ec)) continue;
    const WorkFolder folder(candidate);
    if (folder.HasOwnList() && folder.ForeignFiles().empty()) return candidate;
  }
  return std::nullopt;
}

}  // namespace zd::replay
