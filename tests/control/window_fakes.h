// Stand-ins for the platform side of the window logic: a control window and status
// windows that record what they are asked, and a host (the settings file in memory is
// that of support/fakes.h).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "control/control_panel.h"
#include "module/export_work.h"
#include "platform/clock.h"
#include "platform/ole_date.h"
#include "platform/settings.h"
#include "support/fakes.h"

namespace zd::testing {

using test::MemorySettings;

// A host whose answers the test sets; a call fails while its failure switch is on, and
// every call from the `failFrom`-th on fails (counting from 1).
class FakeHost final : public HostLink {
 public:
  bool ExecuteMacros(std::string_view macro) override {
    if (Fails()) return false;
    macros.emplace_back(macro);
    return true;
  }
  std::optional<std::string> HostMode() override {
    if (Fails()) return std::nullopt;
    return mode;
  }
  std::optional<std::string> HostEntryText(int field) override {
    if (Fails()) return std::nullopt;
    lastField = field;
    return call;
  }
  std::optional<double> HostFrequency() override {
    if (Fails()) return std::nullopt;
    return frequency;
  }

  std::string mode = "RTTY";
  std::string call;
  double frequency = 14080000.0;
  std::vector<std::string> macros;
  int lastField = -1;
  int calls = 0;
  int failFrom = 0;  // 0: never fails

 private:
  bool Fails() {
    ++calls;
    return failFrom > 0 && calls >= failFrom;
  }
};

inline std::string Name(StatusKind k) {
  static const char* const kNames[kStatusKindCount] = {"region", "dxcc", "extended", "band"};
  return kNames[Index(k)];
}

inline std::string Name(ModeButton b) { return std::string(SpecOf(b).label); }

// Records every request as one line of text, in order.
class FakeWindows final : public StatusWindows {
 public:
  bool IsOpen(StatusKind k) const override { return open[Index(k)]; }
  bool Open(StatusKind k) override {
    if (!creatable[Index(k)]) {
      log.push_back("open-failed " + Name(k));
      return false;
    }
    open[Index(k)] = true;
    visible[Index(k)] = true;
    log.push_back("open " + Name(k));
    return true;
  }
  void Close(StatusKind k) override {
    open[Index(k)] = false;
    log.push_back("close " + Name(k));
  }
  void Forget(StatusKind k) override {
    open[Index(k)] = false;
    log.push_back("forget " + Name(k));
  }
  bool IsVisible(StatusKind k) const override { return visible[Index(k)]; }
  void Refresh(StatusKind k, const RefreshView& v) override {
    log.push_back("refresh " + Name(k) + " " + v.call + "|" + std::to_string(v.band) + "|" +
                  std::to_string(v.mode) + "|" + v.modeText + "|" + v.bandText);
    if (onRefresh) onRefresh(k, v);
  }

  bool open[kStatusKindCount] = {};
  bool visible[kStatusKindCount] = {};
  bool creatable[kStatusKindCount] = {true, true, true, true};
  std::vector<std::string> log;
  std::function<void(StatusKind, const RefreshView&)> onRefresh;
};

class FakeView final : public ControlView {
 public:
  void MoveTo(WindowPos pos) override {
    log.push_back("move " + std::to_string(pos.x) + "," + std::to_string(pos.y));
  }
  void SetTitle(std::string_view t) override { title = t; }
  void SetItemText(int id, std::string_view t) override { texts[id] = std::string(t); }
  void PushFlags(const ControlOptions& o) override {
    ++pushes;
    shown = o;
  }
  void ShowModeButton(ModeButton b, bool on) override { buttonShown[static_cast<int>(b)] = on; }
  void LayOutOptions(int x) override {
    layoutX = x;
    log.push_back("layout " + std::to_string(x));
  }
  void SetButtonColours(ModeButton b, Colour backColour, Colour foreColour) override {
    back[static_cast<int>(b)] = backColour;
    fore[static_cast<int>(b)] = foreColour;
  }
  void SetButtonBack(ModeButton b, Colour c) override { back[static_cast<int>(b)] = c; }
  HostLink* AttachHost() override {
    log.push_back("attach");
    return host;
  }
  void PostRefresh() override {
    ++refreshPosts;
    log.push_back("post");
  }

  HostLink* host = nullptr;
  std::vector<std::string> log;
  std::string title;
  std::map<int, std::string> texts;
  ControlOptions shown;
  int pushes = 0;
  bool buttonShown[3] = {true, true, true};
  Colour back[3] = {};
  Colour fore[3] = {};
  int layoutX = -1;
  int refreshPosts = 0;
};

// A QSO of 8 December 2026 at hour:minute as the host passes it.
inline QsoArgs QsoAt(std::string_view call, std::string_view band, std::string_view mode,
                     std::string_view prefix, std::string_view exch, int minute, int hour = 10) {
  QsoArgs a;
  a.ownCall = "DL1AAA";
  a.call = call;
  a.time = OleDateTime{*DateFromCivil(2026, 12, 8, hour, minute, 0)};
  a.freqHz = 14080000;
  a.mode = mode;
  a.rstSent = a.rstRcvd = "599";
  a.exchSent = "001";
  a.exchRcvd = exch;
  a.prefix = prefix;
  a.continent = "EU";
  a.band = band;
  return a;
}

// One contest with its settings, clock and a headless user interface.
struct ContestFixture {
  MemorySettings settings;
  ManualClock clock{45000.5};
  HeadlessUi ui;
  ExportWork work{settings, clock, ui};
  Contest& contest = work.contest();
  WindowState state{contest, work.worked(), settings, clock};
};

// The control panel over a contest and the fakes, made by Start; what its start did to
// the settings, the view and the windows is forgotten (the host keeps its macros).
struct PanelFixture : ::testing::Test {
  ContestFixture c;
  FakeHost host;
  FakeView view;
  FakeWindows windows;
  std::unique_ptr<ControlPanel> panel;

  void Start(bool withHost = true) {
    view.host = withHost ? &host : nullptr;
    panel = std::make_unique<ControlPanel>(c.state, view, windows);
    panel->Initialise();
    c.settings.TakeWrites();
    view.log.clear();
    view.refreshPosts = 0;
    windows.log.clear();
  }
};

}  // namespace zd::testing
