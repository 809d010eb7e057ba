// The control window on Windows: a dialog of the window thread that hands its messages to
// the portable ControlPanel and carries out what it asks.
#pragma once

#include <array>
#include <atomic>
#include <memory>

#include "control/control_panel.h"
#include "control/refresh_requests.h"
#include "platform/win32/dialog_win.h"
#include "platform/win32/handles_win.h"
#include "status_windows/advanced_button_win.h"
#include "status_windows/status_window_win.h"

namespace zd::win {

// The windows of the running window thread, published for the host's thread, which posts
// the refresh to the control window and sends the close requests when it stops.
struct WindowRegistry {
  std::atomic<HWND> control{nullptr};
  std::array<std::atomic<HWND>, kStatusKindCount> status{};
  // Set while the host's thread stops the window thread: the refresh and the host calls
  // then do nothing, so closing windows never turns their options off.
  std::atomic<bool> stopping{false};
  // One refresh message at a time in the control window's queue.
  RefreshRequests refresh;
};

// Posts the refresh message to `control` unless one is waiting there already.
void PostRefreshOnce(WindowRegistry& registry, HWND control);

class Setup final : public Dialog, private ControlView, private StatusWindows {
 public:
  Setup(WindowState& state, WindowRegistry& registry);
  // Closes the status windows (band-change, extended DXCC, DXCC, region) and the window.
  ~Setup() override;

  // Creates the window (hidden) from template 107; runs the initialisation.
  bool Create();
  // True once Escape or WM_CLOSE ended the window's modal run.
  bool Ended() const { return ended_; }
  void RequestEnd();

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnCancel() override;
  HBRUSH OnCtlColor(HDC dc, HWND control) override;
  void OnSetCursor() override;

 private:
  // ControlView
  void MoveTo(WindowPos pos) override;
  void SetTitle(std::string_view cp1251) override;
  void SetItemText(int id, std::string_view cp1251) override;
  void PushFlags(const ControlOptions& options) override;
  void ShowModeButton(ModeButton b, bool shown) override;
  void LayOutOptions(int x) override;
  void SetButtonColours(ModeButton b, Colour back, Colour fore) override;
  void SetButtonBack(ModeButton b, Colour back) override;
  HostLink* AttachHost() override;
  void PostRefresh() override;
  // StatusWindows
  bool IsOpen(StatusKind kind) const override;
  bool Open(StatusKind kind) override;
  void Close(StatusKind kind) override;
  void Forget(StatusKind kind) override;
  bool IsVisible(StatusKind kind) const override;
  void Refresh(StatusKind kind, const RefreshView& view) override;

  void Drop(StatusKind kind);
  void FitClientArea();
  CAdvancedButton& Button(ModeButton b) { return buttons_[static_cast<int>(b)]; }

  WindowState& state_;
  WindowRegistry& registry_;
  std::unique_ptr<HostLink> host_;
  std::array<std::unique_ptr<StatusWindow>, kStatusKindCount> windows_;
  std::array<CAdvancedButton, 3> buttons_;
  Brush background_;
  ControlPanel panel_;
  bool ended_ = false;
  SIZE templateClient_{};
};

}  // namespace zd::win
