// The released files as an operator installs them, checked from inside the host's working
// folder (the current folder of this program, where the archive was unpacked):
// - both binaries carry the project's version, name and copyright, and the icon
//   (resource 200) in its three sizes;
// - the module loads from Plugins\Stats.dll, offers the contest, reads the example
//   Plugins\call_special.dat and the host's Vevozi2.ini, scores a small log, and writes
//   the bad-QSO report, the Cabrillo file and its settings where the guide says.
// The shell script tests/release/install_test.sh lays out the folder and runs this.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host_boundary/host_calls.h"
#include "reports/cabrillo_dialog_rc.h"
#include "support/files.h"
#include "support/host_qso.h"
#include "win32/dialog_driver_win.h"
#include "zd_version.h"

namespace zd::test {
namespace {

namespace fs = std::filesystem;
using namespace host;

const fs::path kModule = "Plugins\\Stats.dll";
const fs::path kHelper = "Ext_zorvan_digi.exe";
const fs::path kSettings = "Plugins\\ZORVAN-DIGI.ini";

std::string VersionString(const std::vector<char>& block, const wchar_t* name) {
  struct Translation {
    WORD language;
    WORD codePage;
  }* translations = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translations), &size) ||
      size < sizeof(Translation))
    return "(no translation)";
  wchar_t path[128];
  swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language,
           translations[0].codePage, name);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &size) || !value)
    return "(none)";
  return Utf8(value);
}

struct VersionInfo {
  std::string error;
  DWORD fileMs = 0, fileLs = 0, productMs = 0, productLs = 0;
  std::string productName, productVersion, fileVersion, description, copyright, original;
};

VersionInfo ReadVersionInfo(const fs::path& file) {
  VersionInfo v;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) {
    v.error = "no version information in " + file.string();
    return v;
  }
  std::vector<char> block(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
    v.error = "GetFileVersionInfo failed for " + file.string();
    return v;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) && fixed) {
    v.fileMs = fixed->dwFileVersionMS;
    v.fileLs = fixed->dwFileVersionLS;
    v.productMs = fixed->dwProductVersionMS;
    v.productLs = fixed->dwProductVersionLS;
  }
  v.productName = VersionString(block, L"ProductName");
  v.productVersion = VersionString(block, L"ProductVersion");
  v.fileVersion = VersionString(block, L"FileVersion");
  v.description = VersionString(block, L"FileDescription");
  v.copyright = VersionString(block, L"LegalCopyright");
  v.original = VersionString(block, L"OriginalFilename");
  return v;
}

TEST(ReleasedBinaries, CarryTheProjectVersionNameAndCopyright) {
  const DWORD ms = MAKELONG(ZD_VERSION_MINOR, ZD_VERSION_MAJOR);
  const DWORD ls = MAKELONG(0, ZD_VERSION_PATCH);
  for (const auto& [file, original] : {std::pair{kModule, std::string("Stats.dll")},
                                       std::pair{kHelper, std::string("Ext_zorvan_digi.exe")}}) {
    SCOPED_TRACE(file.string());
    const VersionInfo v = ReadVersionInfo(file);
    ASSERT_EQ(v.error, "");
    EXPECT_EQ(v.fileMs, ms);
    EXPECT_EQ(v.fileLs, ls);
    EXPECT_EQ(v.productMs, ms);
    EXPECT_EQ(v.productLs, ls);
    EXPECT_EQ(v.productVersion, ZD_VERSION_TEXT);
    EXPECT_EQ(v.fileVersion, ZD_VERSION_TEXT);
    EXPECT_EQ(v.productName, "ZORVAN-DIGI");
    EXPECT_EQ(v.copyright, "Copyright (C) 2026 the ZORVAN-DIGI developers");
    EXPECT_EQ(v.original, original);
    EXPECT_NE(v.description.find("ZORVAN"), std::string::npos) << v.description;
  }
}

// The width of the image that the group icon 200 of `module` holds for `size` pixels,
// or 0 when it has none of that size (the system would then scale another one).
int IconImageWidth(HMODULE module, int size) {
  HRSRC group =
      FindResourceW(module, MAKEINTRESOURCEW(200), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  if (!group) return 0;
  auto* dir = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  if (!dir) return 0;
  const int id = LookupIconIdFromDirectoryEx(dir, TRUE, size, size, LR_DEFAULTCOLOR);
  HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
  if (!image || SizeofResource(module, image) < sizeof(BITMAPINFOHEADER)) return 0;
  const auto* header =
      static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
  if (!header || header->biBitCount != 32) return 0;
  return header->biWidth;
}

TEST(ReleasedBinaries, CarryTheIconInThreeSizes) {
  for (const fs::path& file : {kModule, kHelper}) {
    SCOPED_TRACE(file.string());
    HMODULE module = LoadLibraryExW(fs::absolute(file).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
    for (int size : {16, 32, 48}) EXPECT_EQ(IconImageWidth(module, size), size) << size;
    HICON icon = static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(200), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    EXPECT_NE(icon, nullptr) << "LoadImage of icon 200 failed";
    if (icon) DestroyIcon(icon);
    FreeLibrary(module);
  }
}

int CountOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

Qso MakeQso(const char* call, int minute, unsigned freqHz, const char* mode, const char* exch,
            const char* prefix, const char* continent, const char* band) {
  HostQso q("R3DZV");
  q.Call(call, prefix, continent).On(band, mode).Exchanges("MO", exch);
  q.At(HostDate(2024, 3, 16, 12, minute)).freqHz = freqHz;
  return q;
}

// What the host does with an installed module over one contest: selects the contest
// (a new contest: the Cabrillo header dialog), checks calls as they are typed, logs the
// QSOs and asks for the result, which on this pass also writes the Cabrillo file.
TEST(InstalledModule, ScoresALogAndWritesItsFilesInTheHostFolder) {
  ASSERT_TRUE(FileExists("Vevozi2.ini")) << "run me in the host's folder";
  std::string error;
  const auto lib = StatsModule::Load(fs::absolute(kModule), error);
  ASSERT_TRUE(lib) << error;
  const Exports& e = lib->exports();

  ASSERT_EQ(e.GetNumberOfSets(), 1);
  EXPECT_STREQ(e.GetSetName(0), "ZORVAN-DIGI (C)");

  // The operator has ticked "Master file" before: the call check offers the region.
  WriteFileBytes(kSettings, "[Settings]\r\nsetup_mast=1\r\n");

  Reset r;
  r.pathPrefix = fs::current_path().string() + "\\";
  r.newContest = 1;
  r.ownCall = "R3DZV";
  r.start = ValidTime(HostDate(2024, 3, 16, 12, 0));
  r.end = ValidTime(HostDate(2024, 3, 17, 11, 59));
  r.ownPrefix = "UA";
  r.ownContinent = "EU";
  {
    DialogDriver header(L"ZORVAN-DIGI", [](HWND dialog) {
      // The dialog found the icon in the installed Stats.dll.
      EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);
      EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);
      SetDlgItemTextW(dialog, IDC_CAB_NAME, L"Ivan Petrov");
      PressButton(dialog, IDOK);
    });
    EXPECT_EQ(ResetContest(e, r), 1);
    header.Finish();
    ASSERT_EQ(header.handled(), 1) << header.problems();
  }

  // R26ZVN would be a special-event call (any region); the example list fixes it to MO.
  Check typed;
  typed.call = "R26ZVN";
  typed.mode = "RTTY";
  typed.prefix = "UA";
  typed.continent = "EU";
  typed.band = typed.secondBand.emplace("20m");
  const CheckReply reply = CheckCall(e, typed);
  EXPECT_EQ(reply.code, 2);
  EXPECT_EQ(reply.exchange, "MO") << "Plugins\\call_special.dat was not read";
  EXPECT_EQ(ValidExchange(e, "MO", "R26ZVN", "UA"), 1);
  EXPECT_EQ(ValidExchange(e, "SP", "R26ZVN", "UA"), 0);

  const std::vector<Qso> log = {
      MakeQso("R26ZVN", 5, 14080000, "RTTY", "MO", "UA", "EU", "20m"),     // 1 point
      MakeQso("DL1ABC", 8, 14082000, "RTTY", "001", "DL", "EU", "20m"),    // 3 points
      MakeQso("DL1ABC", 18, 14083000, "RTTY", "001", "DL", "EU", "20m"),   // a dupe
      MakeQso("JA1XYZ", 30, 7040000, "BPSK63", "015", "JA", "AS", "40m"),  // 5 x 2 points
  };
  for (const Qso& q : log) EXPECT_EQ(AddQso(e, q), 1) << q.call;
  EXPECT_EQ(AddQso(e, MakeQso("OK1AB", 40, 24900000, "RTTY", "007", "OK", "EU", "12m")), 0);

  std::string summary;
  {
    DialogDriver output(L"Output", [](HWND dialog) { PressButton(dialog, IDOK); });
    summary = Result(e);
    output.Finish();
    EXPECT_EQ(output.handled(), 1) << output.problems();
  }
  // 14 points; multipliers UA, DL, JA and the region MO.
  EXPECT_NE(summary.find("Score: 14*(3+1) = 56"), std::string::npos) << summary;

  // The settings file beside the module, in the host's Plugins folder.
  const std::string settings = ReadFileBytes(kSettings);
  EXPECT_NE(settings.find("Claimed=56"), std::string::npos) << settings;
  EXPECT_NE(settings.find("Name=Ivan Petrov"), std::string::npos) << settings;

  // The bad-QSO report in the host's working folder, named by the contest's last day.
  const std::string report = ReadFileBytes("BadQSO_ZedevIzuverUzaz_17_03_2024.txt");
  ASSERT_TRUE(FileExists("BadQSO_ZedevIzuverUzaz_17_03_2024.txt"))
      << "no bad-QSO report in the host's folder";
  EXPECT_EQ(report.rfind("ZORVAN-DIGI UBN file \r\n", 0), 0u);
  EXPECT_EQ(CountOf(report, "DUPE !!!"), 1) << report;
  EXPECT_EQ(CountOf(report, "WRONG BAND !!!"), 1) << report;

  // The Cabrillo file of the export pass, also in the working folder, with the host's
  // version from Vevozi2.ini.
  const std::string cabrillo = ReadFileBytes("R3DZV.cbr");
  ASSERT_TRUE(FileExists("R3DZV.cbr")) << "no R3DZV.cbr in the host's folder";
  EXPECT_EQ(cabrillo.rfind("START-OF-LOG: 3.0\r\nCONTEST: REVUZU-DUV\r\nCALLSIGN: R3DZV\r\n", 0),
            0u);
  EXPECT_NE(cabrillo.find("CLAIMED-SCORE: 56\r\n"), std::string::npos);
  EXPECT_NE(cabrillo.find("CREATED-BY: Vorlog 2.18\r\n"), std::string::npos) << cabrillo;
  EXPECT_NE(cabrillo.find("NAME: Ivan Petrov\r\n"), std::string::npos);
  EXPECT_EQ(CountOf(cabrillo, "\r\nQSO: "), 4) << cabrillo;
  EXPECT_NE(cabrillo.find("END-OF-LOG:\r\n"), std::string::npos);

  // Nothing of the module's lands beside the module's own files by mistake.
  EXPECT_FALSE(FileExists("Plugins\\R3DZV.cbr"));
  EXPECT_FALSE(FileExists("Plugins\\BadQSO_ZedevIzuverUzaz_17_03_2024.txt"));
  EXPECT_FALSE(FileExists("ZORVAN-DIGI.ini"));
}

}  // namespace
}  // namespace zd::test
