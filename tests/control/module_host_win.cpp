#include "control/module_host_win.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace zd::wine_test {

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.rfind(prefix, 0) == 0;
}

ModuleHost::ModuleHost() {
  if (!stub_.ready()) return;
  if (!stub_.Send("workdir temp")) return;
  for (const auto& line : stub_.Record()) {
    if (line.rfind("workdir ", 0) == 0) folder_ = line.substr(8);
  }
  loaded_ = !folder_.empty() && stub_.Send("stats-load");
}

ModuleHost::~ModuleHost() {
  stub_.Close();
  if (!stub_.process().WaitForExit(10000)) {
    std::string tail;
    const auto record = stub_.Record();
    for (std::size_t i = record.size() > 12 ? record.size() - 12 : 0; i < record.size(); ++i) {
      tail += "\n  " + record[i];
    }
    ADD_FAILURE() << "the host did not end within 10 s of closing; its record ends:" << tail;
  }
  std::error_code ec;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

int ModuleHost::Count(const std::string& prefix) const {
  int n = 0;
  for (const auto& line : Record()) n += line.rfind(prefix, 0) == 0 ? 1 : 0;
  return n;
}

std::string ModuleHost::Last(const std::string& prefix) const {
  std::string found;
  for (const auto& line : Record()) {
    if (line.rfind(prefix, 0) == 0) found = line;
  }
  return found;
}

std::vector<HWND> ModuleHost::Dialogs() const {
  std::vector<HWND> out;
  for (HWND w : TopLevelWindows(stub_.process().id(), L"#32770")) {
    if (IsWindowVisible(w)) out.push_back(w);
  }
  return out;
}

std::vector<HWND> ModuleHost::Titled(const std::wstring& prefix) const {
  std::vector<HWND> out;
  for (HWND w : Dialogs()) {
    if (StartsWith(TextOf(w), prefix)) out.push_back(w);
  }
  return out;
}

HWND ModuleHost::WaitFor(const std::wstring& prefix, int ms) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        const auto w = Titled(prefix);
        found = w.empty() ? nullptr : w.front();
        return found != nullptr;
      },
      ms);
  return found;
}

bool ModuleHost::WaitDialogs(std::size_t n) const {
  if (WaitUntil([&] { return Dialogs().size() == n; }, 10000)) return true;
  std::string titles;
  for (HWND w : Dialogs()) titles += " \"" + Utf8(TextOf(w)) + "\"";
  ADD_FAILURE() << "expected " << n << " windows, saw " << Dialogs().size() << ":" << titles;
  return false;
}

std::string ModuleHost::Setting(const std::string& key) const {
  char value[128] = {};
  const std::string file = folder_ + "\\Plugins\\ZORVAN-DIGI.ini";
  GetPrivateProfileStringA("Settings", key.c_str(), "<absent>", value, sizeof value, file.c_str());
  return value;
}

bool ModuleHost::SettingsFileExists() const {
  return std::filesystem::exists(folder_ + "\\Plugins\\ZORVAN-DIGI.ini");
}

bool ModuleHost::WaitSetting(const std::string& key, const std::string& value) const {
  return WaitUntil([&] { return Setting(key) == value; }, 10000);
}

bool ModuleHost::WaitRefreshes(int n) const {
  return WaitUntil([&] { return Refreshes() >= n; }, 10000);
}

std::string ModuleHost::Pixel(const std::string& title, int id, int x, int y) {
  const std::string command = "pixel \"" + title + "\" " + std::to_string(id) + " " +
                              std::to_string(x) + " " + std::to_string(y);
  if (!Do(command)) return "?";
  const std::string line = Last("pixel " + std::to_string(id) + " ");
  const auto arrow = line.find("-> ");
  return arrow == std::string::npos ? "?" : line.substr(arrow + 3);
}

std::string ModuleHost::KeyboardElsewhere() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(stub_.process().main_thread_id(), &info);
  HWND front = GetForegroundWindow();
  HWND focus = info.hwndFocus;
  if (front == window() && focus && (focus == window() || IsChild(window(), focus))) return {};
  return "foreground \"" + Utf8(TextOf(front)) + "\", host's focus " +
         (focus ? "\"" + Utf8(TextOf(focus)) + "\"" : "none");
}

bool ModuleHost::ActivateHost() const {
  SetForegroundWindow(window());
  return WaitUntil([&] { return KeyboardElsewhere().empty(); });
}

}  // namespace zd::wine_test
