// Opens each status window over a realistic contest and saves a picture of it, so the
// windows can be looked at without a host. Usage: status_shots OUT_FOLDER
// (24-bit BMP files; scripts/screenshots_status.sh turns them into PNG).
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "module/export_work.h"
#include "status_windows/dxcc_window_win.h"
#include "status_windows/extended_dxcc_window_win.h"
#include "status_windows/region_window_win.h"
#include "support/fakes.h"

namespace zd {
namespace {

struct Qso {
  std::string call;
  const char* prefix;
  const char* exch;
  const char* band;
  const char* mode;
  int hour, minute;
};

// An evening on 20 m and a little on the other bands.
const std::vector<Qso>& DemoLog() {
  static const std::vector<Qso> log = [] {
    std::vector<Qso> q;
    const char* regions[] = {"MO", "SP", "LO", "KA", "NO", "SV", "VO", "RA", "TA",
                             "BA", "KK", "AD", "KR", "OM", "NS", "IR", "PM", "YR",
                             "TL", "KN", "CB", "UL", "VG", "RO", "SA", "JA", "ZK"};
    int minute = 0;
    for (const char* r : regions) {
      const std::string call = std::string("R") + std::to_string(minute % 10) + r + "A";
      const bool asian = std::string(r) == "NS" || std::string(r) == "IR" ||
                         std::string(r) == "KK" || std::string(r) == "OM" || std::string(r) == "ZK";
      q.push_back({call, asian ? "UA9" : "UA", r, "20m", "RTTY", 18, minute++ % 60});
    }
    q.push_back({"UA2FF", "UA2/f", "KA", "20m", "RTTY", 18, 40});
    struct Dx {
      const char* call;
      const char* prefix;
    };
    const Dx dx[] = {
        {"DL1ABC", "DL"}, {"F5XY", "F"},  {"G3ABC", "G"},   {"I2ZZ", "I"},    {"SP9AA", "SP"},
        {"OK1AB", "OK"},  {"OM3X", "OM"}, {"HA5A", "HA"},   {"YO3X", "YO"},   {"LZ1A", "LZ"},
        {"YU1A", "YU"},   {"9A2B", "9A"}, {"S51A", "S5"},   {"OE1X", "OE"},   {"HB9A", "HB"},
        {"ON4A", "ON"},   {"PA3A", "PA"}, {"OZ1A", "OZ"},   {"SM5A", "SM"},   {"LA9A", "LA"},
        {"OH2A", "OH"},   {"ES5A", "ES"}, {"YL2A", "YL"},   {"LY2A", "LY"},   {"UR5A", "UR"},
        {"EW1A", "EU"},   {"EA3A", "EA"}, {"CT1A", "CT"},   {"SV1A", "SV"},   {"4O3A", "4O"},
        {"E73A", "E7"},   {"CN8A", "CN"}, {"EA8AA", "EA8"}, {"ZS6A", "ZS"},   {"5Z4A", "5Z"},
        {"SU1SK", "SU"},  {"3Y0J", "3Y"}, {"D44A", "D4"},   {"JA1ABC", "JA"}, {"BY1A", "BY"},
        {"HL1A", "HL"},   {"VU2A", "VU"}, {"4X4A", "4X"},   {"A61A", "A6"},   {"UN7A", "UN"},
        {"9M2A", "9M2"},  {"A91A", "A9"}, {"K1ABC", "K"},   {"VE3A", "VE"},   {"XE1A", "XE"},
        {"KP4A", "KP4"},  {"CO2A", "CM"}, {"PY2A", "PY"},   {"LU1A", "LU"},   {"CE3A", "CE"},
        {"YV5A", "YV"},   {"HK3A", "HK"}, {"OA4A", "OA"},   {"VK2A", "VK"},   {"ZL2A", "ZL"},
        {"KH6A", "KH6"},  {"YB1A", "YB"}, {"DU1A", "DU"},   {"FO5A", "FO"},   {"H44A", "H4"},
    };
    for (const Dx& d : dx) q.push_back({d.call, d.prefix, "123", "20m", "RTTY", 19, minute++ % 60});
    // The call the operator is about to type, on several bands and in both modes.
    q.push_back({"DL1ABC", "DL", "0042", "80m", "RTTY", 21, 14});
    q.push_back({"DL1ABC", "DL", "0042", "40m", "BPSK63", 22, 3});
    q.push_back({"DL1ABC", "DL", "0042", "20m", "BPSK63", 19, 58});
    q.push_back({"R3MOA", "UA", "MO", "20m", "BPSK63", 20, 5});
    return q;
  }();
  return log;
}

double At(int hour, int minute) { return *DateFromCivil(2026, 12, 5, hour, minute, 0); }

void Fill(ExportWork& work, std::string_view ownPrefix) {
  ResetArgs a;
  a.ownCall = ownPrefix == "UA" ? "RA3ZZ" : "DL9ZZ";
  a.start = OleDateTime{At(12, 0)};
  a.end = OleDateTime{*DateFromCivil(2026, 12, 6, 11, 59, 0)};
  a.ownPrefix = ownPrefix;
  a.ownContinent = "EU";
  work.ResetStats(a);
  for (const Qso& q : DemoLog()) {
    QsoArgs x;
    x.ownCall = a.ownCall;
    x.call = q.call;
    x.time = OleDateTime{At(q.hour, q.minute)};
    x.freqHz = kBands[static_cast<std::size_t>(BandIndexOf(q.band))].workingHz;
    x.mode = q.mode;
    x.rstSent = x.rstRcvd = "599";
    x.exchSent = "001";
    x.exchRcvd = q.exch;
    x.prefix = q.prefix;
    x.continent = "EU";
    x.band = q.band;
    work.AddData(x);
  }
  work.GetResult();
}

void Pump() {
  // Let every paint and notification through, then force what is still pending.
  for (int round = 0; round < 20; ++round) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(25);
  }
}

bool SaveWindow(HWND hwnd, const std::wstring& path) {
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const int stride = ((w * 3 + 3) / 4) * 4;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(h));
  GetDIBits(mem, bmp, 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  std::fwrite(&file, sizeof(file), 1, f);
  std::fwrite(&info, sizeof(info), 1, f);
  std::fwrite(pixels.data(), 1, pixels.size(), f);
  std::fclose(f);
  std::fwprintf(stdout, L"%ls %dx%d\n", path.c_str(), w, h);
  return true;
}

RefreshView View(std::string call, int band, int mode, std::string modeText) {
  return RefreshView{std::move(call), band, mode, std::move(modeText),
                     std::string(kBands[static_cast<std::size_t>(band)].text)};
}

int Run(const std::wstring& out) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  test::MemorySettings settings;
  ManualClock clock(At(20, 30));
  // The control window counts as open: a reset does not start the window thread.
  test::RecordingUi ui;
  ui.controlWindow = true;
  ExportWork english(settings, clock, ui);
  ExportWork russian(settings, clock, ui);
  Fill(english, "DL");
  Fill(russian, "UA");
  int failures = 0;
  auto shoot = [&](ExportWork& work, StatusKind kind, const RefreshView& view, const wchar_t* name,
                   auto&& before) {
    WindowState state(work.contest(), work.worked(), settings, clock);
    auto w = MakeStatusWindow(kind, state);
    if (!w || !w->Create()) {
      ++failures;
      return;
    }
    w->Show();
    w->Refresh(view);
    before(*w);
    Pump();
    if (!SaveWindow(w->hwnd(), out + L"\\" + name + L".bmp")) ++failures;
    w->Close();
    Pump();
  };
  auto nothing = [](StatusWindow&) {};
  const RefreshView rtty20 = View("", 3, 0, "RTTY");
  shoot(english, StatusKind::kRegion, rtty20, L"region_en", nothing);
  shoot(russian, StatusKind::kRegion, rtty20, L"region_ru", nothing);
  shoot(english, StatusKind::kDxcc, rtty20, L"dxcc_list", nothing);
  shoot(english, StatusKind::kDxcc, View("DL1ABC", 3, 0, "RTTY"), L"dxcc_table", nothing);
  shoot(russian, StatusKind::kDxcc, rtty20, L"dxcc_list_ru", nothing);
  const wchar_t* tabs[] = {L"extended_eu", L"extended_af", L"extended_as",
                           L"extended_na", L"extended_sa", L"extended_oc"};
  for (int i = 0; i < kContinentPageCount; ++i) {
    shoot(english, StatusKind::kExtendedDxcc, rtty20, tabs[i],
          [i](StatusWindow& w) { static_cast<Multiplier_Mult&>(w).ShowPage(i); });
  }
  return failures;
}

}  // namespace
}  // namespace zd

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: status_shots OUT_FOLDER\n", stderr);
    return 2;
  }
  return zd::Run(argv[1]) == 0 ? 0 : 1;
}
