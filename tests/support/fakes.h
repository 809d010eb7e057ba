// The stand-ins for the module's platform seams that every test shares: a settings file
// in memory and a user interface that records what the engine asks of it. Both may be
// used from the host's thread and a window thread at once.
#pragma once

#include <atomic>
#include <functional>
#include <initializer_list>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "module/ui_bridge.h"
#include "platform/settings.h"

namespace zd::test {

// The settings file in memory. Reads deliver at most kSettingValueMax characters, as the
// real file does; every write is recorded in order.
class MemorySettings final : public SettingsStore {
 public:
  std::string Read(std::string_view key, std::string_view fallback) override;
  void Write(std::string_view key, std::string_view value) override;

  // What the file holds for `key`, or nothing.
  std::optional<std::string> Get(std::string_view key) const;
  // Puts a value in the file as the operator left it: not recorded as a write.
  void Set(std::string_view key, std::string_view value);
  void Set(std::initializer_list<std::pair<std::string_view, std::string_view>> values);
  void Erase(std::string_view key);
  // The writes so far, each "KEY=VALUE", in order; TakeWrites also forgets them.
  std::vector<std::string> Writes() const;
  std::vector<std::string> TakeWrites();
  // The keys written, in order, with repeats.
  std::vector<std::string> WrittenKeys() const;

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string, std::less<>> values_;
  std::vector<std::pair<std::string, std::string>> writes_;
};

// The engine's user interface, recording what it is asked: the dialogs it would show, the
// window thread it would start and stop, the refreshes it would post.
class RecordingUi final : public UiBridge {
 public:
  void ShowSetupMessage() override { ++setupMessages; }
  bool EditCabrilloHeader(CabrilloHeaderFields& fields) override;
  void ShowOutputMessage(const std::string& text) override;
  void StartWindowThread() override;
  void StopWindowThread() override { ++threadStops; }
  bool ControlWindowExists() const override { return controlWindow; }
  void PostRefresh() override { ++refreshPosts; }

  std::atomic<bool> controlWindow{false};
  bool startOpensControlWindow = false;
  std::atomic<int> setupMessages{0}, threadStarts{0}, threadStops{0}, refreshPosts{0};
  std::vector<std::string> outputMessages;
  std::vector<CabrilloHeaderFields> dialogsShown;  // the fields as each dialog opened
  // Edits the fields as the operator would; returns false for Cancel. The default
  // confirms the dialog unchanged.
  std::function<bool(CabrilloHeaderFields&)> operatorAction;
};

}  // namespace zd::test
