// Helpers of the contest tests: a private current folder per test (the module's files
// are all relative to it), a settings store in memory that records its writes, a user
// interface that records what the engine asked of it, and QSO records with plain
// defaults that a test changes field by field.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/contest.h"
#include "platform/clock.h"
#include "platform/settings.h"
#include "platform/ui_bridge.h"

namespace zd::test {

// Makes a new empty folder the current folder; restores the previous current folder
// and removes the new one when it goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// The bytes of a file, or "<missing>" when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// Writes the bytes, creating the folders on the way.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

class MemorySettings final : public SettingsStore {
 public:
  std::string Read(std::string_view key, std::string_view fallback) override;
  void Write(std::string_view key, std::string_view value) override;

  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::pair<std::string, std::string>> writes;  // in the order written
  // The keys written, in order, with repeats.
  std::vector<std::string> WrittenKeys() const;
};

class RecordingUi final : public UiBridge {
 public:
  void ShowSetupMessage() override { ++setupMessages; }
  bool EditCabrilloHeader(CabrilloHeaderFields& fields) override;
  void ShowOutputMessage(const std::string& text) override { outputMessages.push_back(text); }
  void StartWindowThread() override;
  void StopWindowThread() override { ++threadStops; }
  bool ControlWindowExists() const override { return controlWindow; }
  void PostRefresh() override { ++refreshPosts; }

  bool controlWindow = false;
  bool startOpensControlWindow = false;
  int setupMessages = 0, threadStarts = 0, threadStops = 0, refreshPosts = 0;
  std::vector<std::string> outputMessages;
  std::vector<CabrilloHeaderFields> dialogsShown;  // the fields as each dialog opened
  // Edits the fields as the operator would; returns false for Cancel. The default
  // confirms the dialog unchanged.
  std::function<bool(CabrilloHeaderFields&)> operatorAction;
};

// A DATE of a UTC calendar time.
double Utc(int year, int month, int day, int hour, int minute, int second = 0);
// A valid QSO time on 19 March 2022.
OleDateTime At(int hour, int minute, int second = 0);

// One QSO as the host passes it; the defaults are a plain RTTY QSO on 20m with DL1ABC.
struct Qso {
  std::string ownCall = "UA3DX";
  std::string call = "DL1ABC";
  OleDateTime time = At(12, 5);
  uint32_t freqHz = 14085000;
  std::string mode = "RTTY";
  std::string rstSent = "599", rstRcvd = "599";
  std::string exchSent = "001", exchRcvd = "002";
  std::string prefix = "DL", continent = "EU", band = "20m";

  QsoArgs Args() const;
  Qso& Call(std::string c, std::string p, std::string cont) {
    call = std::move(c);
    prefix = std::move(p);
    continent = std::move(cont);
    return *this;
  }
  Qso& On(std::string b, std::string m) {
    band = std::move(b);
    mode = std::move(m);
    return *this;
  }
  Qso& Time(int hour, int minute, int second = 0) {
    time = At(hour, minute, second);
    return *this;
  }
  Qso& Rcvd(std::string exch) {
    exchRcvd = std::move(exch);
    return *this;
  }
};

// The arguments of a contest reset; the defaults are those of ContestTest.
struct Reset {
  std::string pathPrefix;
  int newContest = 0;
  std::string ownCall = "UA3DX";
  OleDateTime start{Utc(2022, 3, 19, 12, 0), kDateValid};
  OleDateTime end{Utc(2022, 3, 20, 11, 59), kDateValid};
  std::string ownPrefix = "UA", ownContinent = "EU";
};

// A contest in a private folder, with the own station UA3DX (prefix UA, Europe) and a
// contest from 19 March 2022 12:00 to 20 March 2022 11:59; the clock stands at
// 19 March 2022 12:30 UTC.
class ContestTest : public ::testing::Test {
 protected:
  static constexpr const char* kReportName = "BadQSO_ZedevIzuverUzaz_20_03_2022.txt";

  int DoReset(const Reset& r = Reset{});
  int Add(const Qso& q) { return contest.AddData(q.Args()); }
  int Remove(const Qso& q) { return contest.RemoveData(q.Args()); }
  std::string Report() const { return ReadFileBytes(kReportName); }
  std::string Result() { return contest.GetResult(); }

  TempFolder folder;
  MemorySettings settings;
  ManualClock clock{Utc(2022, 3, 19, 12, 30)};
  RecordingUi ui;
  Contest contest{settings, clock, ui};
};

}  // namespace zd::test
