// The status windows on a window thread of their own, driven the way the control
// window drives them: made by the factory, shown, refreshed with a RefreshView over a
// contest filled through its API.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>

#include "module/export_work.h"
#include "platform/win32/text_win.h"
#include "status_windows/dxcc_window_win.h"
#include "status_windows/extended_dxcc_window_win.h"
#include "status_windows/region_window_win.h"
#include "status_windows/ui_thread_win.h"
#include "support/contest_calls.h"
#include "support/fakes.h"
#include "support/files.h"

namespace zd {
namespace {

double At(int hour, int minute) { return *DateFromCivil(2026, 12, 8, hour, minute, 0); }

RefreshView View(std::string call, int band, int mode, std::string modeText) {
  return RefreshView{std::move(call), band, mode, std::move(modeText),
                     std::string(band >= 0 ? kBands[static_cast<std::size_t>(band)].text : "")};
}

std::wstring Title(HWND w) { return win::WindowTextW(w); }

COLORREF PixelAt(HWND w, int x, int y) {
  UpdateWindow(w);
  HDC dc = GetDC(w);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(w, dc);
  return c;
}

class StatusWindows : public ::testing::Test {
 protected:
  StatusWindows() : state_(work_.contest(), work_.worked(), settings_, clock_) {}

  void SetUp() override { Reset("DL"); }
  void TearDown() override {
    thread_.Run([this] { window_.reset(); });
  }

  void Reset(std::string ownPrefix) {
    test::Reset r;
    r.ownCall = "DL1XX";
    r.start = OleDateTime{At(0, 0)};
    r.end = OleDateTime{At(23, 59)};
    r.ownPrefix = std::move(ownPrefix);
    work_.ResetStats(r.Args());
  }
  static test::Qso Qso(std::string call, std::string band, std::string mode, std::string prefix,
                       std::string exch, int hour, int minute) {
    test::Qso q;
    q.Call(std::move(call), std::move(prefix), "EU").On(std::move(band), std::move(mode));
    q.Rcvd(std::move(exch)).time = OleDateTime{At(hour, minute)};
    return q;
  }
  void Log(std::string call, std::string band, std::string mode, std::string prefix,
           std::string exch, int hour = 12, int minute = 0) {
    ASSERT_EQ(work_.AddData(Qso(call, band, mode, prefix, exch, hour, minute).Args()), 1) << call;
  }

  // Makes the window on the window thread, creates and shows it.
  template <typename W>
  W& Open(StatusKind kind) {
    return *thread_.Run([&] {
      window_ = MakeStatusWindow(kind, state_);
      EXPECT_NE(window_, nullptr);
      EXPECT_TRUE(window_->Create());
      window_->Show();
      return dynamic_cast<W*>(window_.get());
    });
  }
  void Refresh(const RefreshView& v) {
    thread_.Run([&] { window_->Refresh(v); });
  }
  HWND hwnd() { return window_->hwnd(); }
  RECT WindowRect() {
    RECT r{};
    thread_.Run([&] { GetWindowRect(hwnd(), &r); });
    return r;
  }
  // Presses a key in the window the way the operator does, through the message loop.
  void PressKey(HWND target, WPARAM key) {
    thread_.Run([&] {
      PostMessageW(target, WM_KEYDOWN, key, 1);
      PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    });
  }
  void ExpectEnterKeepsAndEscapeHides(HWND target) {
    PressKey(target, VK_RETURN);
    thread_.Run([] {});  // the keys went through the loop before this task
    EXPECT_TRUE(thread_.Run([&] { return window_->IsVisible(); }));
    PressKey(target, VK_ESCAPE);
    EXPECT_TRUE(thread_.WaitUntil([&] { return !window_->IsVisible(); }))
        << "Escape did not hide the window";
    EXPECT_NE(hwnd(), nullptr);  // hidden, not destroyed
  }
  bool CloseDisabled() {
    return thread_.Run([&] {
      return (GetMenuState(GetSystemMenu(hwnd(), FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    });
  }
  // Moves the window and lets the cursor pass over it.
  void MoveAndHover(int x, int y) {
    thread_.Run([&] {
      SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      SendMessageW(hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    });
  }

  // The engine writes its report file into the working folder: a folder of the test's own,
  // removed after it.
  test::TempFolder folder_;
  test::MemorySettings settings_;
  ManualClock clock_{At(12, 30)};
  test::RecordingUi ui_;
  ExportWork work_{settings_, clock_, ui_};
  WindowState state_;
  test::UiThread thread_;
  std::unique_ptr<StatusWindow> window_;
};

// ---------------------------------------------------------------- region window

int CellOf(std::string_view code) {
  for (int i = 0; i < kRegionCells; ++i) {
    if (kRegionCellCodes[static_cast<std::size_t>(i)] == code) return i;
  }
  return -1;
}

bool Worked(const oblast& w, std::string_view code) {
  const CAdvancedButton& c = w.cell(CellOf(code));
  const bool magenta = c.backColor() == kRegionWorkedBack && c.foreColor() == kRegionWorkedFore;
  const bool green = c.backColor() == kRegionNotWorkedBack && c.foreColor() == kRegionNotWorkedFore;
  EXPECT_TRUE(magenta != green) << code;
  EXPECT_EQ(w.Marked(CellOf(code)), magenta) << code;
  return magenta;
}

TEST_F(StatusWindows, RegionWindowMarksTheRegionsOfTheCurrentBandAndMode) {
  Log("UA3AAA", "20m", "RTTY", "UA", "MO");
  Log("UA1BBB", "20m", "RTTY", "UA", "SP");
  Log("UA3CCC", "20m", "RTTY", "UA", "mo ");
  Log("UA0DDD", "20m", "RTTY", "UA9", "JA");
  Log("UA9EEE", "20m", "BPSK63", "UA9", "KA");
  Log("UA4FFF", "40m", "RTTY", "UA", "SA");
  work_.GetResult();

  auto& w = Open<oblast>(StatusKind::kRegion);
  thread_.Run([&] {
    EXPECT_EQ(Title(hwnd()), L"Russian Oblast");
    for (int i = 0; i < kRegionCells; ++i) {
      HWND cell = GetDlgItem(hwnd(), 1500 + i);
      ASSERT_NE(cell, nullptr) << i;
      EXPECT_EQ(win::WindowTextW(cell),
                win::FromCp1251(kRegionCellCodes[static_cast<std::size_t>(i)]));
      EXPECT_EQ(GetWindowLongW(cell, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
      EXPECT_EQ(w.cell(i).shape(), CellShape::kEllipse);
      EXPECT_EQ(w.cell(i).disabledColor(), Rgb(128, 128, 128));
    }
  });
  EXPECT_FALSE(Worked(w, "MO"));

  Refresh(View("", 3, 0, "RTTY"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Obl worked RTTY on 20m 3 of 88");
  EXPECT_TRUE(Worked(w, "MO"));
  EXPECT_TRUE(Worked(w, "SP"));
  EXPECT_FALSE(Worked(w, "KA"));
  EXPECT_FALSE(Worked(w, "SA"));
  // The cell is painted in its colours: a point on its middle line, left of the label.
  const COLORREF fill = thread_.Run([&] {
    RECT r{};
    HWND cell = GetDlgItem(hwnd(), 1500 + CellOf("MO"));
    GetClientRect(cell, &r);
    return PixelAt(cell, r.right / 5, r.bottom / 2);
  });
  EXPECT_EQ(fill, RGB(255, 0, 255));

  Refresh(View("", 3, 1, "BPSK63"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Obl worked BPSK63 on 20m 1 of 88");
  EXPECT_FALSE(Worked(w, "MO"));
  EXPECT_TRUE(Worked(w, "KA"));

  // A host mode without a column shows nothing worked.
  Refresh(View("", 3, -1, "SSB"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Obl worked SSB on 20m 0 of 88");
  for (int i = 0; i < kRegionCells; ++i) EXPECT_FALSE(w.Marked(i));

  Refresh(View("", -1, 0, "RTTY"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Obl worked RTTY on  0 of 88");
}

TEST_F(StatusWindows, RegionWindowUnmarksARegionTheLogNoLongerHolds) {
  Log("UA3AAA", "20m", "RTTY", "UA", "MO", 12, 1);
  Log("UA1BBB", "20m", "RTTY", "UA", "SP", 12, 2);
  Log("DL1ZZZ", "20m", "RTTY", "DL", "5", 12, 3);
  work_.GetResult();
  auto& w = Open<oblast>(StatusKind::kRegion);
  Refresh(View("", 3, 0, "RTTY"));
  ASSERT_TRUE(Worked(w, "MO"));

  ASSERT_EQ(work_.RemoveData(Qso("UA3AAA", "20m", "RTTY", "UA", "MO", 12, 1).Args()), 1);
  work_.GetResult();
  Refresh(View("", 3, 0, "RTTY"));
  EXPECT_FALSE(Worked(w, "MO"));
  EXPECT_TRUE(Worked(w, "SP"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Obl worked RTTY on 20m 1 of 88");
}

TEST_F(StatusWindows, RegionWindowTitleInRussian) {
  Reset("UA");
  Log("UA3AAA", "80m", "BPSK63", "UA", "MO");
  Log("UA1BBB", "80m", "BPSK63", "UA", "SP");
  work_.GetResult();
  Open<oblast>(StatusKind::kRegion);
  Refresh(View("", 1, 1, "BPSK63"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Отработано обл. BPSK63 на 80m 2 из 88");
}

TEST_F(StatusWindows, RegionWindowPositionKeysEscapeEnterAndClose) {
  auto& w = Open<oblast>(StatusKind::kRegion);
  // No saved position and no fallback: the top-left corner of the screen.
  RECT r = WindowRect();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_TRUE(CloseDisabled());

  MoveAndHover(321, 123);
  EXPECT_EQ(settings_.Read("oblast_x", "?"), "321");
  EXPECT_EQ(settings_.Read("oblast_y", "?"), "123");
  EXPECT_EQ(state_.lastWindowPos.x, 321);
  // A coordinate too long for the old five-character field is written whole.
  MoveAndHover(-12345, 123);
  EXPECT_EQ(settings_.Read("oblast_x", "?"), "-12345");

  HWND cell = thread_.Run([&] { return w.cell(0).hwnd(); });
  ExpectEnterKeepsAndEscapeHides(cell);

  // A cell that cannot be taken over is reported, and nothing changes.
  thread_.Run([&] {
    CAdvancedButton spare;
    EXPECT_FALSE(spare.AttachToControl(9999, w, kGreen, kLabelBlack, kLabelDisabled));
    EXPECT_EQ(spare.hwnd(), nullptr);
  });
}

TEST_F(StatusWindows, RegionWindowOpensWhereItWasSaved) {
  settings_.Write("oblast_x", "150");
  settings_.Write("oblast_y", "90");
  Open<oblast>(StatusKind::kRegion);
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 90);
  // Hovering without moving writes nothing new.
  settings_.Write("oblast_x", "stays");
  MoveAndHover(150, 90);
  EXPECT_EQ(settings_.Read("oblast_x", "?"), "stays");
}

// Every status window shows the project's icon (resource 200 of the module its code lives
// in: Stats.dll in the host, this program here) in its caption and task-bar button.
TEST_F(StatusWindows, WindowsShowTheModuleIcon) {
  const struct {
    StatusKind kind;
    bool smallToo;
  } windows[] = {
      {StatusKind::kRegion, false}, {StatusKind::kDxcc, false}, {StatusKind::kExtendedDxcc, true}};
  for (const auto& w : windows) {
    Open<StatusWindow>(w.kind);
    thread_.Run([&] {
      const HMODULE self = GetModuleHandleW(nullptr);
      const auto big = reinterpret_cast<HICON>(SendMessageW(hwnd(), WM_GETICON, ICON_BIG, 0));
      EXPECT_NE(big, nullptr) << static_cast<int>(w.kind);
      EXPECT_EQ(big, LoadIconW(self, MAKEINTRESOURCEW(200))) << static_cast<int>(w.kind);
      if (w.smallToo) {
        EXPECT_NE(SendMessageW(hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
      }
      window_.reset();
    });
  }
}

// ---------------------------------------------------------------- DXCC window

TEST_F(StatusWindows, DxccWindowListsASortedCopyOfTheWorkedEntities) {
  Log("UA3AAA", "20m", "RTTY", "UA", "MO", 12, 1);
  Log("DL1ABC", "20m", "RTTY", "DL", "15", 12, 5);
  Log("9A1A", "20m", "RTTY", "9A", "7", 12, 6);
  Log("EA8XX", "20m", "RTTY", "EA8", "3", 12, 7);
  Log("DL1ABC", "20m", "BPSK63", "DL", "16", 12, 40);
  Log("DL1ABC", "40m", "RTTY", "DL", "17", 13, 2);
  work_.GetResult();
  const int index = WorkedListIndex(3, 0);
  const std::vector<std::string> engineBefore = work_.worked().Entities(index);
  ASSERT_EQ(engineBefore.size(), 4u);

  auto& w = Open<DXCC>(StatusKind::kDxcc);
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"DXCC");
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 400);
  EXPECT_TRUE(CloseDisabled());

  Refresh(View("", 3, 0, "RTTY"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"DXCC worked RTTY on 20m 4 of 338");
  EXPECT_EQ(thread_.Run([&] { return w.panelView().sortedKeys; }),
            (std::vector<std::string>{"9A", "DL", "EA8", "UA"}));
  EXPECT_EQ(work_.worked().Entities(index), engineBefore);
  EXPECT_EQ(thread_.Run([&] { return PixelAt(w.panel(), 2, 2); }), RGB(255, 250, 198));

  // A call typed: its table, and the title says whom.
  Refresh(View("DL1ABC", 3, 0, "RTTY"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Worked with DL1ABC");
  const BandRows rows = thread_.Run([&] { return w.panelView().rows; });
  EXPECT_EQ(rows[3], (BandRow{"20m", "12:05", "12:40", "16"}));
  EXPECT_EQ(rows[2], (BandRow{"40m", "13:02", "   -", "17"}));
  EXPECT_EQ(rows[0], (BandRow{"160m", "   -", "   -", "   -"}));
  thread_.Run([&] {
    RECT c{};
    GetClientRect(w.panel(), &c);
    const int h = c.bottom / 7;
    EXPECT_EQ(PixelAt(w.panel(), c.right - 3, 2), RGB(255, 255, 198));
    EXPECT_EQ(PixelAt(w.panel(), c.right - 3, 4 * h + 12), RGB(198, 255, 255));
  });

  // Back to the list when the entry field is cleared; no column gives an empty list.
  Refresh(View("", 3, -1, "SSB"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"DXCC worked SSB on 20m 0 of 338");
  EXPECT_TRUE(thread_.Run([&] { return w.panelView().sortedKeys; }).empty());
}

TEST_F(StatusWindows, DxccWindowKeepsItsPanelFivePixelsInsideAndSavesItsPosition) {
  auto& w = Open<DXCC>(StatusKind::kDxcc);
  auto panelInClient = [&] {
    RECT p{};
    GetWindowRect(w.panel(), &p);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&p), 2);
    RECT c{};
    GetClientRect(hwnd(), &c);
    return std::make_pair(p, c);
  };
  for (int width : {420, 200}) {
    thread_.Run([&] {
      SetWindowPos(hwnd(), nullptr, 0, 0, width, 260, SWP_NOMOVE | SWP_NOZORDER);
      const auto [p, c] = panelInClient();
      EXPECT_EQ(p.left, 5);
      EXPECT_EQ(p.top, 5);
      EXPECT_EQ(p.right, c.right - 5);
      EXPECT_EQ(p.bottom, c.bottom - 5);
    });
  }
  MoveAndHover(40, 50);
  EXPECT_EQ(settings_.Read("dxcc_x", "?"), "40");
  EXPECT_EQ(settings_.Read("dxcc_y", "?"), "50");
  ExpectEnterKeepsAndEscapeHides(w.panel());
}

TEST_F(StatusWindows, DxccWindowTitlesInRussian) {
  Reset("UR");
  Log("DL1ABC", "10m", "RTTY", "DL", "15");
  work_.GetResult();
  Open<DXCC>(StatusKind::kDxcc);
  Refresh(View("", 5, 0, "RTTY"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }),
            L"Отработано стран DXCC RTTY на 10m 1 из 338");
  Refresh(View("DL1ABC", 5, 0, "RTTY"));
  EXPECT_EQ(thread_.Run([&] { return Title(hwnd()); }), L"Работал с DL1ABC");
}

// ---------------------------------------------------------------- extended DXCC window

std::vector<int> VisiblePages(Multiplier_Mult& w) {
  std::vector<int> out;
  for (int i = 0; i < kContinentPageCount; ++i) {
    if (IsWindowVisible(w.page(i))) out.push_back(i);
  }
  return out;
}

bool Ticked(Multiplier_Mult& w, int page, std::string_view label) {
  const auto& boxes = ContinentPages()[static_cast<std::size_t>(page)].boxes;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].label == label) {
      return IsDlgButtonChecked(w.page(page), ContinentPageDialog::BoxId(
                                                  page, static_cast<int>(i))) == BST_CHECKED;
    }
  }
  ADD_FAILURE() << "no box " << label;
  return false;
}

int CheckedCount(Multiplier_Mult& w) {
  int n = 0;
  for (int p = 0; p < kContinentPageCount; ++p) {
    const auto& boxes = ContinentPages()[static_cast<std::size_t>(p)].boxes;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      n += IsDlgButtonChecked(w.page(p), ContinentPageDialog::BoxId(p, static_cast<int>(i))) ==
           BST_CHECKED;
    }
  }
  return n;
}

TEST_F(StatusWindows, ExtendedDxccWindowShowsOnePageUnderItsTab) {
  auto& w = Open<Multiplier_Mult>(StatusKind::kExtendedDxcc);
  thread_.Run([&] {
    EXPECT_EQ(Title(hwnd()), L"Multiplier");
    ASSERT_EQ(SendMessageW(w.tabs(), TCM_GETITEMCOUNT, 0, 0), 6);
    const wchar_t* labels[] = {L"   EU ", L"   AF ", L"   AS ", L"   NA ", L"   SA ", L"   OC "};
    for (int i = 0; i < 6; ++i) {
      wchar_t text[32] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 32;
      SendMessageW(w.tabs(), TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      EXPECT_STREQ(text, labels[i]);
    }
    EXPECT_EQ(VisiblePages(w), std::vector<int>{0});
    EXPECT_EQ(SendMessageW(w.tabs(), TCM_GETCURSEL, 0, 0), 0);
    // Every box of the page table is there with its label; Africa's 3W hidden and disabled.
    for (int p = 0; p < kContinentPageCount; ++p) {
      const auto& boxes = ContinentPages()[static_cast<std::size_t>(p)].boxes;
      for (std::size_t i = 0; i < boxes.size(); ++i) {
        HWND box = GetDlgItem(w.page(p), ContinentPageDialog::BoxId(p, static_cast<int>(i)));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(win::WindowTextW(box), win::FromCp1251(boxes[i].label));
        EXPECT_EQ((GetWindowLongW(box, GWL_STYLE) & WS_VISIBLE) == 0, boxes[i].hidden);
        EXPECT_EQ(IsWindowEnabled(box) == FALSE, boxes[i].hidden);
      }
    }
  });
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 400);
  EXPECT_TRUE(CloseDisabled());

  // A click on the NA tab shows exactly the NA page, at 13,44 of the client area.
  thread_.Run([&] {
    RECT tab{};
    SendMessageW(w.tabs(), TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    PostMessageW(w.tabs(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(w.tabs(), WM_LBUTTONUP, 0, at);
  });
  ASSERT_TRUE(thread_.WaitUntil([&] { return VisiblePages(w) == std::vector<int>{3}; }))
      << "the NA tab did not show its page";
  thread_.Run([&] {
    EXPECT_EQ(SendMessageW(w.tabs(), TCM_GETCURSEL, 0, 0), 3);
    RECT p{};
    GetWindowRect(w.page(3), &p);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&p), 2);
    EXPECT_EQ(p.left, 13);
    EXPECT_EQ(p.top, 44);
    RECT tab{};
    GetWindowRect(w.tabs(), &tab);
    EXPECT_EQ(p.right - p.left, tab.right - tab.left - 7);
    EXPECT_EQ(p.bottom - p.top, tab.bottom - tab.top - 38);
    w.ShowPage(7);  // ignored
    EXPECT_EQ(VisiblePages(w), std::vector<int>{3});
  });

  // Shown again: Europe.
  thread_.Run([&] {
    ShowWindow(hwnd(), SW_HIDE);
    window_->Show();
    EXPECT_EQ(VisiblePages(w), std::vector<int>{0});
    EXPECT_EQ(SendMessageW(w.tabs(), TCM_GETCURSEL, 0, 0), 0);
  });

  MoveAndHover(77, 88);
  EXPECT_EQ(settings_.Read("dxcc_extended_x", "?"), "77");
  EXPECT_EQ(settings_.Read("dxcc_extended_y", "?"), "88");
  // Escape on a box of a page hides the whole window.
  HWND box = thread_.Run([&] { return GetDlgItem(w.page(0), ContinentPageDialog::BoxId(0, 0)); });
  ExpectEnterKeepsAndEscapeHides(box);
}

TEST_F(StatusWindows, ExtendedDxccWindowTicksTheEntitiesOfTheCurrentBandAndMode) {
  Log("UA2AAA", "20m", "RTTY", "UA2/f", "KA", 12, 1);
  Log("3Y0X", "20m", "RTTY", "3Y", "5", 12, 2);
  Log("DL1ABC", "20m", "RTTY", "DL", "15", 12, 3);
  Log("A91A", "20m", "RTTY", "A9", "7", 12, 4);
  Log("SU1SK", "20m", "RTTY", "SU", "9", 12, 5);
  Log("ZL1AA", "15m", "RTTY", "ZL", "3", 12, 6);
  work_.GetResult();
  auto& w = Open<Multiplier_Mult>(StatusKind::kExtendedDxcc);

  Refresh(View("", 3, 0, "RTTY"));
  thread_.Run([&] {
    EXPECT_EQ(Title(hwnd()), L"DXCC worked RTTY on 20m 5 of 338");
    EXPECT_TRUE(Ticked(w, 0, "UA2"));
    EXPECT_TRUE(Ticked(w, 0, "DL"));
    EXPECT_TRUE(Ticked(w, 1, "3Y/b"));
    EXPECT_TRUE(Ticked(w, 1, "SU"));
    EXPECT_TRUE(Ticked(w, 2, "SU"));
    EXPECT_TRUE(Ticked(w, 2, "A9"));
    EXPECT_FALSE(Ticked(w, 2, "AP"));
    EXPECT_FALSE(Ticked(w, 4, "3Y/p"));
    EXPECT_EQ(CheckedCount(w), 6);
    // A tick set by hand lasts until the next refresh.
    CheckDlgButton(w.page(5), ContinentPageDialog::BoxId(5, 0), BST_CHECKED);
  });

  // While a call is typed the title stays, the ticks follow the band.
  Refresh(View("ZL1AA", 4, 0, "RTTY"));
  thread_.Run([&] {
    EXPECT_EQ(Title(hwnd()), L"DXCC worked RTTY on 20m 5 of 338");
    EXPECT_TRUE(Ticked(w, 5, "ZL"));
    EXPECT_EQ(CheckedCount(w), 1);
  });
  Refresh(View("", 4, -1, "SSB"));
  thread_.Run([&] {
    EXPECT_EQ(Title(hwnd()), L"DXCC worked SSB on 15m 0 of 338");
    EXPECT_EQ(CheckedCount(w), 0);
  });
}

TEST_F(StatusWindows, FactoryMakesEveryKind) {
  thread_.Run([&] {
    for (StatusKind kind : kStatusKinds) {
      EXPECT_NE(MakeStatusWindow(kind, state_), nullptr) << Index(kind);
    }
  });
}

}  // namespace
}  // namespace zd
