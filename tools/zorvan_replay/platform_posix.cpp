#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "zorvan_replay/platform.h"

namespace zd::replay {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path(".") : self.parent_path();
}

std::vector<std::filesystem::path> ModuleCandidates() { return {"libStats.so"}; }

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void SetBinaryStdout() {}

void WriteError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace zd::replay
