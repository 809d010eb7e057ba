// The Cabrillo header dialog, the "Output" box and the setup box of the real Stats.dll,
// driven from a second thread while the test's thread waits in the export, as the
// host's thread does.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "host_boundary/host_calls.h"
#include "platform/win32/dlginit_win.h"
#include "reports/cabrillo_dialog_rc.h"
#include "support/files.h"
#include "support/host_qso.h"
#include "win32/dialog_driver_win.h"

namespace zd::test {
namespace {

using namespace host;

const char kIniPath[] = "Plugins\\ZORVAN-DIGI.ini";

class ModuleDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    lib_ = StatsModule::Load(ModuleBesideProgram(), error);
    ASSERT_TRUE(lib_) << error;
  }

  const Exports& e() const { return lib_->exports(); }

  Reset NewContest(int flag) const {
    Reset r;
    r.newContest = flag;
    r.ownCall = "UA3ABC";
    r.start = ValidTime(HostDate(2024, 3, 16, 12, 0));
    r.end = ValidTime(HostDate(2024, 3, 17, 11, 59));
    r.ownPrefix = "UA";
    r.ownContinent = "EU";
    return r;
  }

  static Qso DlQso() {
    HostQso q("UA3ABC");
    q.Call("DL1AAA", "DL", "EU").Exchanges("MO", "123").At(HostDate(2024, 3, 16, 12, 5));
    q.freqHz = 14085000;
    return q;
  }

  static Qso Ua9Qso() {
    HostQso q("UA3ABC");
    q.Call("UA9ABC", "UA9", "AS").On("40m", "BPSK63").Exchanges("MO", "NS");
    q.At(HostDate(2024, 3, 16, 12, 7)).freqHz = 7012000;
    return q;
  }

  // Calls GetResult0 while a second thread closes any dialog that the call shows; returns
  // the titles and texts of the dialogs it met.
  std::vector<std::wstring> ResultShowing(std::string& problems) {
    std::vector<std::wstring> seen;
    DialogDriver watch(
        nullptr,
        [&seen](HWND box) {
          seen.push_back(WindowText(box));
          PressButton(box, IDOK);
        },
        1s);
    int status = 0;
    e().GetResult0(&status);
    watch.Finish();
    EXPECT_EQ(status, -1);
    problems = watch.problems();
    return seen;
  }

  TempFolder folder_{TempFolder::kWithPlugins};  // the library unloads before it goes
  std::unique_ptr<StatsModule> lib_;
};

// What the header dialog shows, read from its controls.
struct DialogView {
  std::wstring title;
  bool hasOwner = true;
  bool clientIs255x298 = false;
  std::wstring fontFace;
  std::map<int, std::wstring> values;
  std::map<int, std::vector<std::wstring>> choices;
  std::map<int, LONG> styles;
  std::vector<std::wstring> labels;
  std::vector<std::string> layoutFaults;
};

const int kCombos[] = {IDC_CAB_CATEGORY_OPERATOR, IDC_CAB_CATEGORY_BAND, IDC_CAB_CATEGORY_POWER,
                       IDC_CAB_CATEGORY_TRANSMITTER, IDC_CAB_CATEGORY_OVERLAY};

// The fields top to bottom; the second of a row pair sits right of the first.
const int kFieldOrder[] = {IDC_CAB_CONTEST,
                           IDC_CAB_CALLSIGN,
                           IDC_CAB_CLAIMED,
                           IDC_CAB_CATEGORY_OPERATOR,
                           IDC_CAB_LOCATION,
                           IDC_CAB_CATEGORY_BAND,
                           IDC_CAB_CATEGORY_POWER,
                           IDC_CAB_CATEGORY_TRANSMITTER,
                           IDC_CAB_CATEGORY_OVERLAY,
                           IDC_CAB_NAME,
                           IDC_CAB_ADDRESS,
                           IDC_CAB_ADDRESS_CITY,
                           IDC_CAB_ADDRESS_POSTALCODE,
                           IDC_CAB_ADDRESS_COUNTRY,
                           IDC_CAB_OPERATORS,
                           IDC_CAB_CLUB,
                           IDC_CAB_SOAPBOX,
                           IDC_CAB_EMAIL};
const wchar_t* const kLabels[] = {L"CONTEST",
                                  L"CALLSIGN",
                                  L"CLAIMED",
                                  L"CATEGORY-OPERATOR",
                                  L"LOCATION",
                                  L"CATEGORY-BAND",
                                  L"CATEGORY-POWER",
                                  L"CATEGORY-TRANSMITTER",
                                  L"CATEGORY-OVERLAY",
                                  L"NAME",
                                  L"ADDRESS",
                                  L"ADDRESS-CITY",
                                  L"ADDRESS-POSTALCODE",
                                  L"ADDRESS-COUNTRY",
                                  L"OPERATORS",
                                  L"CLUB",
                                  L"SOAPBOX",
                                  L"E-MAIL"};

RECT ClientRectOf(HWND dialog, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Layout faults: controls outside the dialog, overlapping controls, labels whose text
// does not fit, fields out of their top-to-bottom order, labels not left of their field.
std::vector<std::string> LayoutFaults(HWND dialog) {
  std::vector<std::string> faults;
  RECT client;
  GetClientRect(dialog, &client);
  const std::vector<HWND> children = Children(dialog);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, font);
  std::vector<std::pair<RECT, std::wstring>> labels;
  for (std::size_t i = 0; i < children.size(); ++i) {
    const RECT a = ClientRectOf(dialog, children[i]);
    const std::string name =
        Utf8(WindowText(children[i])) + "#" + std::to_string(GetDlgCtrlID(children[i]));
    if (a.left < client.left || a.top < client.top || a.right > client.right ||
        a.bottom > client.bottom) {
      faults.push_back(name + " lies outside the dialog");
    }
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      if (Overlap(a, ClientRectOf(dialog, children[j]))) {
        faults.push_back(name + " overlaps " + Utf8(WindowText(children[j])) + "#" +
                         std::to_string(GetDlgCtrlID(children[j])));
      }
    }
    if (ClassName(children[i]) == L"Static") {
      const std::wstring text = WindowText(children[i]);
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      if (size.cx > a.right - a.left) faults.push_back("label " + Utf8(text) + " is cut");
      labels.push_back({a, text});
    }
  }
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);

  LONG lastTop = -1, lastRight = 0;
  for (std::size_t i = 0; i < std::size(kFieldOrder); ++i) {
    const RECT r = ClientRectOf(dialog, GetDlgItem(dialog, kFieldOrder[i]));
    const bool rightOfPrevious =
        kFieldOrder[i] == IDC_CAB_CLAIMED || kFieldOrder[i] == IDC_CAB_LOCATION;
    if (rightOfPrevious ? (r.top != lastTop || r.left < lastRight) : r.top <= lastTop) {
      faults.push_back("field #" + std::to_string(kFieldOrder[i]) + " out of order");
    }
    lastTop = r.top;
    lastRight = r.right;
    // Its label: same text as the table, on the same row, ending left of the field.
    bool labelled = false;
    for (const auto& [lr, text] : labels) {
      if (text == kLabels[i] && lr.right <= r.left && lr.top < r.bottom && r.top < lr.bottom) {
        labelled = true;
      }
    }
    if (!labelled) faults.push_back("field " + Utf8(kLabels[i]) + " has no label left of it");
  }
  return faults;
}

DialogView ReadDialog(HWND dialog) {
  DialogView v;
  v.title = WindowText(dialog);
  v.hasOwner = GetWindow(dialog, GW_OWNER) != nullptr;
  RECT units{0, 0, 255, 298}, client;
  MapDialogRect(dialog, &units);
  GetClientRect(dialog, &client);
  v.clientIs255x298 = units.right == client.right && units.bottom == client.bottom;
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  v.fontFace = lf.lfFaceName;
  for (int id : kFieldOrder) {
    v.values[id] = ItemText(dialog, id);
    v.styles[id] = GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE);
  }
  for (int id : kCombos) {
    v.values[id] = ItemText(dialog, id);
    v.styles[id] = GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE);
    v.choices[id] = ComboChoices(GetDlgItem(dialog, id));
  }
  for (HWND c : Children(dialog)) {
    if (ClassName(c) == L"Static") v.labels.push_back(WindowText(c));
  }
  v.layoutFaults = LayoutFaults(dialog);
  return v;
}

using Choices = std::vector<std::wstring>;

TEST_F(ModuleDialogs, HeaderDialogShowsTheStoredHeaderAndCancelSavesNothing) {
  const std::string seeded =
      "[Settings]\r\nName=Old Name\r\nSoapBox=one<CR><LF>two\r\nClaimed=77\r\nPower=QRP\r\n"
      "Loc=RU\r\nBand=20M\r\nCategory=CHECKLOG\r\nContest=OTHER\r\n";
  WriteFileBytes(kIniPath, seeded);

  DialogView view;
  DialogDriver driver(L"ZORVAN-DIGI", [&view](HWND dialog) {
    view = ReadDialog(dialog);
    SetDlgItemTextW(dialog, IDC_CAB_NAME, L"Not saved");
    PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(ResetContest(e(), NewContest(1)), 1);
  driver.Finish();
  ASSERT_EQ(driver.handled(), 1) << driver.problems();
  EXPECT_EQ(driver.problems(), "");

  EXPECT_EQ(view.title, L"ZORVAN-DIGI");
  EXPECT_FALSE(view.hasOwner);
  EXPECT_TRUE(view.clientIs255x298);
  EXPECT_EQ(view.fontFace, L"MS Shell Dlg");
  EXPECT_EQ(view.layoutFaults, std::vector<std::string>{});
  EXPECT_EQ(view.labels, Choices(std::begin(kLabels), std::end(kLabels)));

  // The stored header; the category fields start from fixed values, whatever is stored.
  EXPECT_EQ(view.values[IDC_CAB_CONTEST], L"REVUZU-DUV");
  EXPECT_EQ(view.values[IDC_CAB_CALLSIGN], L"UA3ABC");
  EXPECT_EQ(view.values[IDC_CAB_CLAIMED], L"77");
  EXPECT_EQ(view.values[IDC_CAB_CATEGORY_OPERATOR], L"SINGLE-OP");
  EXPECT_EQ(view.values[IDC_CAB_LOCATION], L"RU");
  EXPECT_EQ(view.values[IDC_CAB_CATEGORY_BAND], L"ALL");
  EXPECT_EQ(view.values[IDC_CAB_CATEGORY_POWER], L"");  // not bound to the stored power
  EXPECT_EQ(view.values[IDC_CAB_CATEGORY_TRANSMITTER], L"ONE");
  EXPECT_EQ(view.values[IDC_CAB_CATEGORY_OVERLAY], L"");
  EXPECT_EQ(view.values[IDC_CAB_NAME], L"Old Name");
  EXPECT_EQ(view.values[IDC_CAB_OPERATORS], L"UA3ABC");  // defaults to the call
  EXPECT_EQ(view.values[IDC_CAB_SOAPBOX], L"one\r\ntwo");
  EXPECT_EQ(view.values[IDC_CAB_EMAIL], L"");

  EXPECT_EQ(view.choices[IDC_CAB_CATEGORY_OPERATOR],
            (Choices{L"SINGLE-OP", L"MULTI-OP", L"CHECKLOG"}));
  EXPECT_EQ(view.choices[IDC_CAB_CATEGORY_BAND],
            (Choices{L"ALL", L"160M", L"80M", L"40M", L"20M", L"15M", L"10M"}));
  EXPECT_EQ(view.choices[IDC_CAB_CATEGORY_POWER], (Choices{L"HIGH", L"QRP"}));
  EXPECT_EQ(view.choices[IDC_CAB_CATEGORY_TRANSMITTER], (Choices{L"ONE"}));
  EXPECT_EQ(view.choices[IDC_CAB_CATEGORY_OVERLAY], (Choices{L"JUNIOR"}));
  for (int id : kCombos) {
    EXPECT_EQ(view.styles[id] & 3, CBS_DROPDOWN) << "combo " << id << " is not editable";
    const bool sorted = id == IDC_CAB_CATEGORY_TRANSMITTER || id == IDC_CAB_CATEGORY_OVERLAY;
    EXPECT_EQ((view.styles[id] & CBS_SORT) != 0, sorted) << "combo " << id;
  }
  const LONG soapbox = view.styles[IDC_CAB_SOAPBOX];
  EXPECT_TRUE((soapbox & ES_MULTILINE) && (soapbox & ES_WANTRETURN) && (soapbox & WS_VSCROLL));
  EXPECT_TRUE(view.styles[IDC_CAB_CLAIMED] & ES_READONLY);

  // Cancel saved nothing of the header; the reset still disarms the start flag.
  EXPECT_EQ(ReadFileBytes(kIniPath), seeded + "Start=0\r\n");

  // No export pass: the result writes no Cabrillo file and shows no box.
  ASSERT_EQ(AddQso(e(), DlQso()), 1);
  std::string problems;
  EXPECT_EQ(ResultShowing(problems), std::vector<std::wstring>{});
  EXPECT_EQ(problems, "");
  for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
    EXPECT_NE(entry.path().extension(), ".cbr") << entry.path().string();
  }
}

TEST_F(ModuleDialogs, OkSavesTheHeaderAndTheResultWritesTheCabrilloFile) {
  WriteFileBytes("Vevozi2.ini", "[Main]\r\nVorlog=2.18\r\n");

  std::wstring wasBand;
  bool choseMultiOp = false, choseBand = false;
  DialogDriver driver(L"ZORVAN-DIGI", [&](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_CAB_NAME, L"\x0418\x0432\x0430\x043d Petrov");  // Иван
    SetDlgItemTextW(dialog, IDC_CAB_ADDRESS, L"ul. Lenina 1");
    SetDlgItemTextW(dialog, IDC_CAB_OPERATORS, L"UA3ABC UA3XYZ");
    SetDlgItemTextW(dialog, IDC_CAB_SOAPBOX, L"First line\r\nSecond line");
    SetDlgItemTextW(dialog, IDC_CAB_CLAIMED, L"999999");  // shown only: not saved
    choseMultiOp = ChooseInCombo(GetDlgItem(dialog, IDC_CAB_CATEGORY_OPERATOR), L"MULTI-OP");
    wasBand = ItemText(dialog, IDC_CAB_CATEGORY_BAND);
    choseBand = ChooseInCombo(GetDlgItem(dialog, IDC_CAB_CATEGORY_BAND), L"20M");
    PressButton(dialog, IDOK);
  });
  EXPECT_EQ(ResetContest(e(), NewContest(1)), 1);
  driver.Finish();
  ASSERT_EQ(driver.handled(), 1) << driver.problems();
  EXPECT_TRUE(choseMultiOp);
  EXPECT_TRUE(choseBand);
  EXPECT_EQ(wasBand, L"ALL");

  const std::string savedHeader =
      "[Settings]\r\n"
      "Band=20M\r\n"
      "Power=\r\n"
      "Operators=UA3ABC UA3XYZ\r\n"
      "Name=\xC8\xE2\xE0\xED Petrov\r\n"
      "Address=ul. Lenina 1\r\n"
      "Address-City=\r\n"
      "Address-PostalCode=\r\n"
      "Address-Country=\r\n"
      "Category=MULTI-OP\r\n"
      "Contest=REVUZU-DUV\r\n"
      "Email=\r\n"
      "Club=\r\n"
      "SoapBox=First line<CR><LF>Second line\r\n"
      "Loc=\r\n"
      "Start=0\r\n";
  EXPECT_EQ(ReadFileBytes(kIniPath), savedHeader);

  ASSERT_EQ(AddQso(e(), DlQso()), 1);
  ASSERT_EQ(AddQso(e(), Ua9Qso()), 1);

  // The result of the export pass shows where the file went, in an information box with
  // one OK button and no owner.
  std::wstring text;
  bool informationIcon = false, onlyOk = false, hasOwner = true;
  DialogDriver output(L"Output", [&](HWND box) {
    hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    std::vector<int> buttons;
    for (HWND c : Children(box)) {
      const LONG style = GetWindowLongW(c, GWL_STYLE);
      if (ClassName(c) == L"Button") buttons.push_back(GetDlgCtrlID(c));
      if (ClassName(c) != L"Static") continue;
      if ((style & SS_TYPEMASK) == SS_ICON) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
        informationIcon = icon && icon == LoadIconW(nullptr, IDI_INFORMATION);
      } else if (!WindowText(c).empty()) {
        text = WindowText(c);
      }
    }
    onlyOk = buttons == std::vector<int>{IDOK};
    PressButton(box, IDOK);
  });
  int status = 0;
  e().GetResult0(&status);
  output.Finish();
  ASSERT_EQ(output.handled(), 1) << output.problems();
  EXPECT_EQ(text, L"File produced: UA3ABC.cbr");
  EXPECT_TRUE(informationIcon);
  EXPECT_TRUE(onlyOk);
  EXPECT_FALSE(hasOwner);

  // 20m RTTY DL (3 points) and 40m BPSK63 UA9 with region NS (5 points doubled):
  // 13 points x (2 DXCC + 1 region).
  EXPECT_EQ(ReadFileBytes(kIniPath), savedHeader + "Claimed=39\r\n");
  EXPECT_EQ(ReadFileBytes("UA3ABC.cbr"),
            "START-OF-LOG: 3.0\r\n"
            "CONTEST: REVUZU-DUV\r\n"
            "CALLSIGN: UA3ABC\r\n"
            "CATEGORY-OPERATOR: MULTI-OP\r\n"
            "CATEGORY-TRANSMITTER: ONE\r\n"
            "OPERATORS: UA3ABC UA3XYZ\r\n"
            "LOCATION: \r\n"
            "CLAIMED-SCORE: 39\r\n"
            "CLUB: \r\n"
            "CREATED-BY: Vorlog 2.18\r\n"
            "NAME: \xC8\xE2\xE0\xED Petrov\r\n"
            "ADDRESS: ul. Lenina 1\r\n"
            "ADDRESS-CITY: \r\n"
            "ADDRESS-POSTALCODE: \r\n"
            "ADDRESS-COUNTRY: \r\n"
            "E-MAIL: \r\n"
            "SOAPBOX: First line\r\n"
            "SOAPBOX: Second line\r\n"
            "QSO: 14085 RY 2024-03-16 1205 UA3ABC        599 MO     DL1AAA        599 123\r\n"
            "QSO:  7012 PM 2024-03-16 1207 UA3ABC        599 MO     UA9ABC        599 NS\r\n"
            "END-OF-LOG:\r\n");

  // The next contest start shows what was saved, the band back at "ALL".
  DialogView again;
  DialogDriver second(L"ZORVAN-DIGI", [&again](HWND dialog) {
    again = ReadDialog(dialog);
    PressButton(dialog, IDCANCEL);
  });
  ResetContest(e(), NewContest(1));
  second.Finish();
  ASSERT_EQ(second.handled(), 1) << second.problems();
  const std::pair<int, const wchar_t*> shown[] = {
      {IDC_CAB_NAME, L"\x0418\x0432\x0430\x043d Petrov"},
      {IDC_CAB_SOAPBOX, L"First line\r\nSecond line"},
      {IDC_CAB_OPERATORS, L"UA3ABC UA3XYZ"},
      {IDC_CAB_CLAIMED, L"39"},
      {IDC_CAB_CATEGORY_BAND, L"ALL"},
      {IDC_CAB_CATEGORY_OPERATOR, L"SINGLE-OP"}};
  for (const auto& [id, value] : shown) EXPECT_EQ(again.values[id], value) << "control " << id;
}

TEST_F(ModuleDialogs, HeaderDialogDisablesTheHostsWindowsWhileItIsOpen) {
  // A window of the host's thread, as the host's main window would be.
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                              100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(host);
  bool hostEnabledMeanwhile = true;
  DialogDriver driver(L"ZORVAN-DIGI", [&](HWND dialog) {
    hostEnabledMeanwhile = IsWindowEnabled(host) != FALSE;
    PressButton(dialog, IDOK);
  });
  ResetContest(e(), NewContest(1));
  driver.Finish();
  const bool hostEnabledAfter = IsWindowEnabled(host) != FALSE;
  DestroyWindow(host);
  ASSERT_EQ(driver.handled(), 1) << driver.problems();
  EXPECT_FALSE(hostEnabledMeanwhile);
  EXPECT_TRUE(hostEnabledAfter);
}

TEST_F(ModuleDialogs, SetupShowsItsMessageAndReturnsWhenClosed) {
  std::wstring text, title;
  std::vector<int> buttons;
  bool hasIcon = true, hasOwner = true;
  std::atomic<bool> closed{false};
  DialogDriver driver(nullptr, [&](HWND box) {
    title = WindowText(box);
    hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    hasIcon = false;
    for (HWND c : Children(box)) {
      const LONG style = GetWindowLongW(c, GWL_STYLE);
      if (ClassName(c) == L"Button") buttons.push_back(GetDlgCtrlID(c));
      if (ClassName(c) == L"Static" && (style & SS_TYPEMASK) == SS_ICON &&
          SendMessageW(c, STM_GETICON, 0, 0) != 0) {
        hasIcon = true;
      } else if (ClassName(c) == L"Static" && !WindowText(c).empty()) {
        text = WindowText(c);
      }
    }
    closed = true;
    PressButton(box, IDOK);
  });
  e().SetupSet0();
  const bool closedBeforeReturn = closed.load();
  driver.Finish();
  ASSERT_EQ(driver.handled(), 1) << driver.problems();
  EXPECT_TRUE(closedBeforeReturn);
  EXPECT_EQ(text, L"No additional setup for this contest");
  EXPECT_EQ(title, L"Error");  // the platform's caption for a box given none
  EXPECT_EQ(buttons, std::vector<int>{IDOK});
  EXPECT_FALSE(hasIcon);
  EXPECT_FALSE(hasOwner);
}

TEST(DlgInit, ReadsEntriesUpToTheEndMarkOrAShortBlock) {
  const unsigned char block[] = {0xF5, 0x03, 0x03, 0x04, 4,    0, 0, 0, 'A', 'L', 'L', 0,
                                 0xF6, 0x03, 0x01, 0x04, 3,    0, 0, 0, 'Q', 'R', 0,   0,
                                 0,    0xF7, 0x03, 0x03, 0x04, 2, 0, 0, 0,   'X', 0};
  const auto entries = win::ParseDlgInit(block, sizeof block);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].controlId, 1013);
  EXPECT_EQ(entries[0].message, 0x403);
  EXPECT_EQ(entries[0].text, "ALL");
  EXPECT_EQ(entries[1].controlId, 1014);
  EXPECT_EQ(entries[1].message, 0x401);
  EXPECT_EQ(entries[1].text, "QR");

  // A length past the end of the block ends the list at the last whole entry.
  const unsigned char cut[] = {0xF5, 0x03, 0x03, 0x04, 4,    0, 0, 0, 'A', 'L', 'L',
                               0,    0xF6, 0x03, 0x03, 0x04, 9, 0, 0, 0,   'Q', 'R'};
  const auto some = win::ParseDlgInit(cut, sizeof cut);
  ASSERT_EQ(some.size(), 1u);
  EXPECT_EQ(some[0].text, "ALL");
  EXPECT_TRUE(win::ParseDlgInit(nullptr, 0).empty());
}

}  // namespace
}  // namespace zd::test
