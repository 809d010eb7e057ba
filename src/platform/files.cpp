#include "platform/files.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <system_error>

namespace zd {
namespace {

std::mutex g_hookMutex;
WriteFaultHook g_writeFaultHook;

bool HookAllows(std::size_t written) {
  std::lock_guard<std::mutex> lock(g_hookMutex);
  return !g_writeFaultHook || g_writeFaultHook(written);
}

std::atomic<unsigned> g_tempCounter{0};

}  // namespace

void SetWriteFaultHookForTesting(WriteFaultHook hook) {
  std::lock_guard<std::mutex> lock(g_hookMutex);
  g_writeFaultHook = std::move(hook);
}

std::string NativePath(std::string_view windowsPath) {
  std::string out(windowsPath);
#ifndef _WIN32
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
#endif
  return out;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data;
  char buf[65536];
  while (in.read(buf, sizeof buf) || in.gcount() > 0) {
    data.append(buf, static_cast<std::size_t>(in.gcount()));
  }
  return data;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto nl = text.find('\n', start);
    const std::size_t end = nl == std::string_view::npos ? text.size() : nl;
    std::size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines.emplace_back(text.substr(start, stop - start));
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
  return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
  auto data = ReadWholeFile(path);
  if (!data) return std::nullopt;
  return SplitTextLines(*data);
}

bool ReplaceFileContents(const std::string& path, std::string_view content) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_directory(path, ec)) return false;
  const fs::path target(path);
  fs::path temp = target;
  temp += ".tmp" + std::to_string(g_tempCounter.fetch_add(1));
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    constexpr std::size_t kChunk = 4096;
    for (std::size_t done = 0; done < content.size();) {
      const std::size_t n = std::min(kChunk, content.size() - done);
      if (!HookAllows(done) || !out.write(content.data() + done, static_cast<std::streamsize>(n))) {
        out.close();
        fs::remove(temp, ec);
        return false;
      }
      done += n;
    }
    if (!HookAllows(content.size()) || !out.flush()) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

bool AppendToFile(const std::string& path, std::string_view content) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out) return false;
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace zd
