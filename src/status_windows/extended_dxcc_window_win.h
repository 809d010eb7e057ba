// The extended DXCC window `Multiplier_Mult`: six tabs, each showing one continent page
// whose boxes are ticked for the entities worked on the current band and mode.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/win32/handles_win.h"
#include "status_windows/continent_pages.h"
#include "status_windows/status_dialog_win.h"

namespace zd {

// One continent page (`WAE_ALL`, `AF_DXCC`, ...): a child dialog of check boxes made
// from its page table.
class ContinentPageDialog final : public win::Dialog {
 public:
  explicit ContinentPageDialog(int page) : page_(page) {}
  bool Create(HWND parent);
  // Shows exactly these ticks.
  void SetTicks(const std::vector<bool>& ticks);
  static int BoxId(int page, int box) { return 2000 + 100 * page + box; }

 protected:
  BOOL OnInitDialog() override;
  HBRUSH OnCtlColor(HDC dc, HWND control) override;
  // Escape in a page hides the whole window, as it does anywhere else in it.
  void OnCancel() override;

 private:
  int page_;
  win::Brush background_;
};

class Multiplier_Mult final : public StatusDialog {
 public:
  explicit Multiplier_Mult(WindowState& state);

  bool Create() override;
  void Refresh(const RefreshView& view) override;
  // Shows page `n` (tab order), hides the others and selects its tab.
  void ShowPage(int n);

  HWND page(int n) const;
  HWND tabs() const;
  RECT pageRect() const { return pageRect_; }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  BOOL OnInitDialog() override;

 private:
  bool PaintMinimised();

  std::array<std::unique_ptr<ContinentPageDialog>, kContinentPageCount> pages_;
  ExtendedDxccTitle title_;
  RECT pageRect_{};  // x, y, width, height in client pixels
};

}  // namespace zd
