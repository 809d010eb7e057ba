// The band-change window on Windows.
#pragma once

#include "platform/win32/dialog_win.h"
#include "platform/win32/handles_win.h"
#include "status_windows/band_change.h"
#include "status_windows/status_window_win.h"

namespace zd::win {

class Change_Band final : public Dialog, public StatusWindow {
 public:
  explicit Change_Band(WindowState& state);
  ~Change_Band() override;

  bool Create() override;
  void Show() override;
  void Refresh(const RefreshView&) override {}
  bool IsVisible() const override;
  void Close() override;
  HWND hwnd() const override { return Dialog::hwnd(); }
  void StartTimer() override;
  void StopTimer() override;

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control) override;
  void OnSetCursor() override;

 private:
  void DrawIndicator(Colour colour);
  void Paint();

  WindowState& state_;
  BandChangeTicker ticker_;
  Brush background_;
  // The canvas: background and indicator, the size of the screen.
  MemoryDc canvas_;
  Bitmap canvasBitmap_;
  HGDIOBJ canvasOldBitmap_ = nullptr;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
};

}  // namespace zd::win
