// The built module as the host logger sees it: loaded by file name, its functions found
// by their plain names, called with the host's argument lists.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>
#include <oleauto.h>
#include <tlhelp32.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/stats_exports.h"
#include "support/export_names.h"

namespace {

namespace fs = std::filesystem;

struct Exports {
  decltype(&setVersion) setVersion = nullptr;
  decltype(&GetNumberOfSets) GetNumberOfSets = nullptr;
  decltype(&GetSetName) GetSetName = nullptr;
  decltype(&SetupSet0) SetupSet0 = nullptr;
  decltype(&RunCommand0) RunCommand0 = nullptr;
  decltype(&CheckCall0) CheckCall0 = nullptr;
  decltype(&IsValidExchg0) IsValidExchg0 = nullptr;
  decltype(&GetExchgCount0) GetExchgCount0 = nullptr;
  decltype(&AddData0) AddData0 = nullptr;
  decltype(&RemoveData0) RemoveData0 = nullptr;
  decltype(&ResetStats0) ResetStats0 = nullptr;
  decltype(&GetResult0) GetResult0 = nullptr;
};

// A cross build names the module by its Linux path; Wine translates it to its own.
std::string WindowsPath(const std::string& path) {
  if (path.empty() || path.front() != '/') return path;
  using ToDos = WCHAR*(CDECL*)(const char*);
  const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (!toDos) return path;
  WCHAR* dos = toDos(path.c_str());
  if (!dos) return path;
  char buffer[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, dos, -1, buffer, sizeof buffer, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, dos);
  return buffer;
}

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

ZdHostDateTime NowUtc() {
  SYSTEMTIME st;
  GetSystemTime(&st);
  st.wMilliseconds = 0;
  ZdHostDateTime t{0.0, 0};
  SystemTimeToVariantTime(&st, &t.date);
  return t;
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
    module_ = LoadLibraryA(WindowsPath(ZD_STATS_DLL).c_str());
  }
  static void TearDownTestSuite() {
    if (module_) {
      EXPECT_TRUE(FreeLibrary(module_)) << "unloading the module";
    }
    module_ = nullptr;
    SetCurrentDirectoryA(oldDir_);
    std::error_code ec;
    fs::remove_all(*scratch_, ec);
    delete scratch_;
  }

  void SetUp() override {
    ASSERT_NE(module_, nullptr) << "cannot load " << ZD_STATS_DLL << " (error " << GetLastError()
                                << ")";
    x_ = Bind();
  }

  template <typename F>
  static void Find(F& f, const char* name, std::vector<std::string>& missing) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    if (!f) missing.push_back(name);
  }

  static Exports Bind(std::vector<std::string>* missingOut = nullptr) {
    Exports x;
    std::vector<std::string> missing;
    Find(x.setVersion, "setVersion", missing);
    Find(x.GetNumberOfSets, "GetNumberOfSets", missing);
    Find(x.GetSetName, "GetSetName", missing);
    Find(x.SetupSet0, "SetupSet0", missing);
    Find(x.RunCommand0, "RunCommand0", missing);
    Find(x.CheckCall0, "CheckCall0", missing);
    Find(x.IsValidExchg0, "IsValidExchg0", missing);
    Find(x.GetExchgCount0, "GetExchgCount0", missing);
    Find(x.AddData0, "AddData0", missing);
    Find(x.RemoveData0, "RemoveData0", missing);
    Find(x.ResetStats0, "ResetStats0", missing);
    Find(x.GetResult0, "GetResult0", missing);
    if (missingOut) *missingOut = missing;
    return x;
  }

  // A clean QSO with DL1ABC on 20 m RTTY, logged now.
  int LogQso(decltype(&AddData0) f, ZdHostDateTime& t) {
    return f("UA3AAA", "DL1ABC", &t, &t, &t, &t, 0, 14080000, "RTTY", "599", "599", "77", "123", "",
             "", "", "", "", "", "", "", "", "DL", 0, 0, 0, 0.0, 0.0, "", "EU", "", "20m", "");
  }

  static inline HMODULE module_ = nullptr;
  static inline fs::path* scratch_ = nullptr;
  static inline char oldDir_[MAX_PATH] = {};
  Exports x_;
};

TEST_F(StatsDll, ExportsAllTwelveFunctionsByTheirPlainAndTheirDecoratedNames) {
  std::vector<std::string> missing;
  Bind(&missing);
  EXPECT_TRUE(missing.empty()) << "missing: " << ::testing::PrintToString(missing);
  for (const auto& name : zd::test::kExportNames) {
    const FARPROC plain = GetProcAddress(module_, name.plain);
    EXPECT_NE(plain, nullptr) << name.plain;
    EXPECT_EQ(GetProcAddress(module_, name.decorated), plain) << name.decorated;
  }
}

TEST_F(StatsDll, OffersOneContestSet) {
  EXPECT_EQ(x_.GetNumberOfSets(), 1);
  ASSERT_NE(x_.GetSetName(0), nullptr);
  EXPECT_STREQ(x_.GetSetName(0), "ZORVAN-DIGI (C)");
  for (int n : {1, -1, 2, INT_MAX, INT_MIN}) {
    const char* name = x_.GetSetName(n);
    ASSERT_NE(name, nullptr) << n;
    EXPECT_STREQ(name, "") << n;
  }
  EXPECT_EQ(x_.GetExchgCount0(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(x_.GetExchgCount0("UA3AAA", "RTTY", "20m"), 1);
  EXPECT_EQ(x_.GetExchgCount0("", "", ""), 1);
}

// The result takes its table form once the host has called setVersion, and keeps it.
TEST_F(StatsDll, SetVersionSelectsTheTableFormForGood) {
  int status = 12345;
  const std::string plain = x_.GetResult0(&status);
  EXPECT_EQ(plain.find("<html>"), std::string::npos) << plain;
  EXPECT_EQ(x_.setVersion("2.20"), 0ul);
  const std::string table = x_.GetResult0(&status);
  EXPECT_EQ(table.rfind("<html>", 0), 0u) << table;
  EXPECT_EQ(x_.setVersion(nullptr), 0ul);
  EXPECT_EQ(x_.setVersion(""), 0ul);
  EXPECT_EQ(std::string(x_.GetResult0(nullptr)), table);
  // With no Plugins folder here the claimed score cannot be stored: silently so.
  EXPECT_FALSE(fs::exists(*scratch_ / "Plugins"));
}

TEST_F(StatsDll, CommandsOtherThanTheTwoDoNothing) {
  const int threads = ThreadsOfThisProcess(), windows = WindowsOfThisProcess();
  ASSERT_GT(threads, 0);
  for (const char* command : {"showinfo", "Showinfo", "hideinfo", " SHOWINFO", "SHOWINFO ",
                              "SHOWINFOX", "", static_cast<const char*>(nullptr)}) {
    const char* reply = x_.RunCommand0(0, command);
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
    EXPECT_EQ(x_.IsValidExchg0(e.text[0], e.text[1], e.text[2], e.text[3], 0, 0, 0), 1)
        << e.text[1];
    for (int i = 0; i < 4; ++i) {
      const char* a[4] = {e.text[0], e.text[1], e.text[2], e.text[3]};
      a[i] = nullptr;
      const int r = x_.IsValidExchg0(a[0], a[1], a[2], a[3], 0, 0, 0);
      EXPECT_TRUE(r == 0 || r == 1) << e.text[1] << ", null at " << i + 1 << ": " << r;
    }
  }
  const int allNull = x_.IsValidExchg0(nullptr, nullptr, nullptr, nullptr, 0, 0, 0);
  EXPECT_TRUE(allNull == 0 || allNull == 1);

  // A QSO in the log, so that typing the same call in the other mode within three
  // minutes produces a message for the operator.
  ZdHostDateTime now = NowUtc();
  ASSERT_EQ(LogQso(x_.AddData0, now), 1);

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
    return x_.CheckCall0(t[1], 0, 0, t[4], t[5], t[6], t[7], t[8], t[9], t[10], t[11], t[12], t[13],
                         t[14], 0, 0, 0, 0.0, 0.0, t[20], t[21], t[22], t[23], t[24], t[25], t[26],
                         out27, out28);
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

  EXPECT_EQ(LogQso(x_.RemoveData0, now), 1);
}

}  // namespace
