// The DXCC window `DXCC`: one info panel that lists the entities worked on the current
// band and mode, or, while a call is typed, that call's QSOs band by band.
#pragma once

#include <string>
#include <vector>

#include "status_windows/info_panel.h"
#include "status_windows/status_dialog_win.h"

namespace zd {

// What the panel shows: copies taken at the last refresh, so painting never reads the
// engine and the engine's lists are never reordered.
struct InfoPanelView {
  std::string call;
  int band = -1;
  std::vector<std::string> sortedKeys;
  BandRows rows{};
};

// The drawn panel: paints off-screen and copies once, so it does not flicker.
class CCqWwInfoButton final : public win::OwnerDrawn {
 public:
  explicit CCqWwInfoButton(const InfoPanelView& view) : view_(view) {}
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  // The list or the table for a panel of that size.
  PanelPicture Picture(const Rect& panel) const;

 private:
  const InfoPanelView& view_;
};

class DXCC final : public StatusDialog {
 public:
  explicit DXCC(WindowState& state);

  void Refresh(const RefreshView& view) override;

  const InfoPanelView& panelView() const { return view_; }
  HWND panel() const;

 protected:
  BOOL OnInitDialog() override;
  void OnSize(int width, int height) override;

 private:
  // The panel's window text becomes what it shows.
  void UpdatePanelText();

  InfoPanelView view_;
  CCqWwInfoButton panel_{view_};
};

}  // namespace zd
