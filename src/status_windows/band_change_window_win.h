// The band-change window on Windows.
#pragma once

#include "platform/win32/handles_win.h"
#include "status_windows/band_change.h"
#include "status_windows/status_dialog_win.h"

namespace zd {

class Change_Band final : public StatusDialog {
 public:
  explicit Change_Band(WindowState& state);
  ~Change_Band() override;

  // Creates the window, with its Russian texts when the module speaks Russian.
  bool Create() override;
  void Refresh(const RefreshView&) override {}
  void Close() override;
  void StartTimer() override;
  void StopTimer() override;

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;

 private:
  void DrawIndicator(Colour colour);
  void Paint();

  BandChangeTicker ticker_;
  // The canvas: background and indicator, the size of the screen.
  win::MemoryDc canvas_;
  win::Bitmap canvasBitmap_;
  HGDIOBJ canvasOldBitmap_ = nullptr;
};

}  // namespace zd
