// The built module as the host logger sees it: loaded by file name, its functions found
// by their plain names, called with the host's argument lists.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host_boundary/host_calls.h"
#include "support/export_names.h"
#include "support/host_qso.h"

namespace {

namespace fs = std::filesystem;
namespace host = zd::host;

int ThreadsOfThisProcess() {
  const HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  int n = 0;
  THREADENTRY32 te{};
  te.dwSize = sizeof te;
  for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te)) {
    if (te.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  }
  CloseHandle(snap);
  return n;
}

BOOL CALLBACK CountOwnWindow(HWND hwnd, LPARAM count) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId()) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int WindowsOfThisProcess() {
  int n = 0;
  EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

class StatsDll : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A scratch working folder: the module's relative files land there, or nowhere.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    scratch_ = new fs::path(fs::path(temp) / ("zd_stats_" + std::to_string(GetCurrentProcessId())));
    fs::remove_all(*scratch_);
    fs::create_directories(*scratch_);
    GetCurrentDirectoryA(MAX_PATH, oldDir_);
    SetCurrentDirectoryA(scratch_->string().c_str());
    module_ = host::StatsModule::Load(host::ModuleBesideProgram(), loadError_).release();
  }
  static void TearDownTestSuite() {
    delete module_;
    module_ = nullptr;
    EXPECT_EQ(GetModuleHandleW(L"Stats.dll"), nullptr) << "the module is still loaded";
    SetCurrentDirectoryA(oldDir_);
    std::error_code ec;
    fs::remove_all(*scratch_, ec);
    delete scratch_;
  }

  // Loading binds all twelve exports by their plain names, or names the one missing.
  void SetUp() override { ASSERT_NE(module_, nullptr) << loadError_; }
  const host::Exports& x() const { return module_->exports(); }

  static inline host::StatsModule* module_ = nullptr;
  static inline std::string loadError_;
  static inline fs::path* scratch_ = nullptr;
  static inline char oldDir_[MAX_PATH] = {};
};

TEST_F(StatsDll, ExportsAllTwelveFunctionsByTheirPlainAndTheirDecoratedNames) {
  const HMODULE stats = GetModuleHandleW(L"Stats.dll");
  ASSERT_NE(stats, nullptr);
  std::vector<std::string> missing;
  for (const char* name : host::kExportNames) {
    if (!GetProcAddress(stats, name)) missing.push_back(name);
  }
  EXPECT_TRUE(missing.empty()) << "missing: " << ::testing::PrintToString(missing);
  EXPECT_EQ(std::size(host::kExportNames), 12u);
  // The decorated name of each is an alias: the same function.
  for (std::size_t i = 0; i < std::size(host::kExportNames); ++i) {
    const char* decorated = zd::test::kDecoratedExportNames[i];
    EXPECT_EQ(GetProcAddress(stats, decorated), GetProcAddress(stats, host::kExportNames[i]))
        << decorated;
  }
}

TEST_F(StatsDll, OffersOneContestSet) {
  EXPECT_EQ(x().GetNumberOfSets(), 1);
  ASSERT_NE(x().GetSetName(0), nullptr);
  EXPECT_STREQ(x().GetSetName(0), "ZORVAN-DIGI (C)");
  for (int n : {1, -1, 2, INT_MAX, INT_MIN}) {
    const char* name = x().GetSetName(n);
    ASSERT_NE(name, nullptr) << n;
    EXPECT_STREQ(name, "") << n;
  }
  EXPECT_EQ(x().GetExchgCount0(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(x().GetExchgCount0("UA3AAA", "RTTY", "20m"), 1);
  EXPECT_EQ(x().GetExchgCount0("", "", ""), 1);
}

// The result takes its table form once the host has called setVersion, and keeps it.
TEST_F(StatsDll, SetVersionSelectsTheTableFormForGood) {
  int status = 12345;
  const std::string plain = x().GetResult0(&status);
  EXPECT_EQ(plain.find("<html>"), std::string::npos) << plain;
  EXPECT_EQ(x().setVersion("2.20"), 0ul);
  const std::string table = x().GetResult0(&status);
  EXPECT_EQ(table.rfind("<html>", 0), 0u) << table;
  EXPECT_EQ(x().setVersion(nullptr), 0ul);
  EXPECT_EQ(x().setVersion(""), 0ul);
  EXPECT_EQ(std::string(x().GetResult0(nullptr)), table);
  // With no Plugins folder here the claimed score cannot be stored: silently so.
  EXPECT_FALSE(fs::exists(*scratch_ / "Plugins"));
}

TEST_F(StatsDll, CommandsOtherThanTheTwoDoNothing) {
  const int threads = ThreadsOfThisProcess(), windows = WindowsOfThisProcess();
  ASSERT_GT(threads, 0);
  for (const char* command : {"showinfo", "Showinfo", "hideinfo", " SHOWINFO", "SHOWINFO ",
                              "SHOWINFOX", "", static_cast<const char*>(nullptr)}) {
    const char* reply = x().RunCommand0(0, command);
    ASSERT_NE(reply, nullptr) << (command ? command : "(null)");
    EXPECT_STREQ(reply, "") << (command ? command : "(null)");
    // Starting the window thread would show here at once: it is created before the call
    // returns.
    EXPECT_EQ(ThreadsOfThisProcess(), threads) << (command ? command : "(null)");
    EXPECT_EQ(WindowsOfThisProcess(), windows) << (command ? command : "(null)");
  }
}

// The host always passes texts; a null one all the same must not bring it down.
TEST_F(StatsDll, NullTextsInTheCheckFunctionsDoNotCrash) {
  struct Exchange {
    const char* text[4];
  };
  for (const Exchange& e :
       {Exchange{{"77", "DL1ABC", "DL", ""}}, Exchange{{"MA", "UA3ABC", "UA", ""}},
        Exchange{{"MA", "UA3ABC/P", "UA", ""}}}) {
    EXPECT_EQ(x().IsValidExchg0(e.text[0], e.text[1], e.text[2], e.text[3], 0, 0, 0), 1)
        << e.text[1];
    for (int i = 0; i < 4; ++i) {
      const char* a[4] = {e.text[0], e.text[1], e.text[2], e.text[3]};
      a[i] = nullptr;
      const int r = x().IsValidExchg0(a[0], a[1], a[2], a[3], 0, 0, 0);
      EXPECT_TRUE(r == 0 || r == 1) << e.text[1] << ", null at " << i + 1 << ": " << r;
    }
  }
  const int allNull = x().IsValidExchg0(nullptr, nullptr, nullptr, nullptr, 0, 0, 0);
  EXPECT_TRUE(allNull == 0 || allNull == 1);

  // A QSO in the log, so that typing the same call in the other mode within three
  // minutes produces a message for the operator.
  // A clean QSO with DL1ABC on 20 m RTTY, logged now.
  const host::Qso logged =
      zd::test::HostQso("UA3AAA").Exchanges("77", "123").At(host::NowHostDate());
  ASSERT_EQ(host::AddQso(x(), logged), 1);

  // Every text position of CheckCall0 by its 1-based position; 27 and 28 are out-buffers.
  const std::vector<int> textPositions = {1,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                          14, 20, 21, 22, 23, 24, 25, 26, 27, 28};
  const auto check = [&](int nullAt, const char* call, const char* prefix, const char* mode,
                         char* exchangeOut, char* messageOut) {
    const char* t[29] = {};
    for (int p : textPositions) t[p] = "";
    t[1] = call;
    t[4] = mode;
    t[14] = prefix;
    t[21] = "EU";
    t[25] = "20m";
    t[26] = "20m";
    if (nullAt > 0) t[nullAt] = nullptr;
    char* out27 = nullAt == 27 ? nullptr : exchangeOut;
    char* out28 = nullAt == 28 ? nullptr : messageOut;
    return x().CheckCall0(t[1], 0, 0, t[4], t[5], t[6], t[7], t[8], t[9], t[10], t[11], t[12],
                          t[13], t[14], 0, 0, 0, 0.0, 0.0, t[20], t[21], t[22], t[23], t[24], t[25],
                          t[26], out27, out28);
  };
  char exchange[100], message[100];
  std::memset(message, 0, sizeof message);
  check(0, "DL1ABC", "DL", "BPSK63", exchange, message);
  ASSERT_STRNE(message, "") << "the waiting rule gives a message";
  for (const char* station : {"DL1ABC", "UA3ABC"}) {
    const char* prefix = station[0] == 'D' ? "DL" : "UA";
    for (const char* mode : {"RTTY", "BPSK63"}) {
      for (int p : textPositions) {
        std::memset(exchange, 0, sizeof exchange);
        std::memset(message, 0, sizeof message);
        const int r = check(p, station, prefix, mode, exchange, message);
        EXPECT_TRUE(r == 0 || r == 1 || r == 2 || r == 4)
            << station << " " << mode << ", null at " << p << ": " << r;
        EXPECT_LT(std::strlen(message), sizeof message);
        EXPECT_LT(std::strlen(exchange), sizeof exchange);
      }
    }
  }
  for (int p : textPositions) {
    const int r = check(p, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(r == 0 || r == 1 || r == 2 || r == 4) << "all null, " << r;
  }

  EXPECT_EQ(host::RemoveQso(x(), logged), 1);
}

}  // namespace
