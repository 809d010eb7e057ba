// What the host can throw at the exports: every row gets its documented result, and
// nothing crashes, leaks or trips a sanitizer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <limits>
#include <string>

#include "engine/contest_test_support.h"
#include "host_boundary/host_calls.h"
#include "platform/ole_date.h"

namespace {

namespace fs = std::filesystem;

const zd::host::Exports& Stats() {
  static const zd::host::Exports exports = zd::host::LinkedExports();
  return exports;
}

// Nothing at all in the positions the module does not read.
const zd::host::Unread kNulls{nullptr, 0, 0, 0.0, nullptr};

// Own call, call, time, frequency, mode, reports and exchanges sent and received, prefix,
// continent, band.
struct Qso : zd::host::RawQso {
  Qso(const char* c = "DL1ABC", zd::host::HostDateTime* t = nullptr)
      : RawQso{"UA3AAA", c, t, 14080000, "RTTY", "599", "599", "MO", "001", "DL", "EU", "20m"} {}
};

int Add(const Qso& q) { return zd::host::AddData(Stats(), q, kNulls); }
int Remove(const Qso& q) { return zd::host::RemoveData(Stats(), q, kNulls); }

// A call check with null texts everywhere but where given.
struct Check : zd::host::RawCheck {
  Check(const char* c, const char* m, const char* p, const char* b, char* exch, char* msg)
      : RawCheck{c, m, p, nullptr, nullptr, b, nullptr, exch, msg} {}
};

int CheckCall(const Check& c) { return zd::host::CheckCallRaw(Stats(), c, kNulls); }

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories("Plugins");
    const zd::host::HostDateTime start{45000.0, 0}, end{45001.0, 0};
    zd::host::RawReset r;
    r.pathPrefix = nullptr;
    r.ownCall = "UA3AAA";
    r.start = &start;
    r.end = &end;
    r.ownPrefix = "UA";
    r.ownContinent = "EU";
    zd::host::ResetStats(Stats(), r, kNulls);
  }
  std::string Report() { return zd::test::ReadFileBytes("BadQSO_ZedevIzuverUzaz_16_03_2023.txt"); }
  std::string Result() {
    int status = 0;
    const char* text = GetResult0(&status);
    EXPECT_EQ(status, -1);
    return text ? text : "<null>";
  }
  ZdHostDateTime now_{45000.5, 0};
  zd::test::TempFolder folder_;
};

TEST_F(BadInput, NullTextsCountAsEmpty) {
  Qso q;
  q.time = &now_;
  q.call = nullptr;
  EXPECT_EQ(Add(q), 1);  // an empty call is stored but never scores
  q = Qso{};
  q.time = &now_;
  q.exchRcvd = nullptr;
  EXPECT_EQ(Add(q), 0);
  q.exchRcvd = "001";
  q.band = nullptr;
  EXPECT_EQ(Add(q), 0);
  q.band = "20m";
  q.mode = nullptr;
  EXPECT_EQ(Add(q), 0);
  q.mode = "RTTY";
  q.prefix = q.continent = q.rstSent = q.rstRcvd = q.ownCall = nullptr;
  EXPECT_EQ(Add(q), 1);
  EXPECT_EQ(Remove(Qso{nullptr, &now_}), 1);
  EXPECT_EQ(IsValidExchg0(nullptr, nullptr, nullptr, nullptr, 0, 0, 0), 0);
  EXPECT_EQ(GetExchgCount0(nullptr, nullptr, nullptr), 1);
  EXPECT_STREQ(RunCommand0(0, nullptr), "");
  EXPECT_EQ(GetResult0(nullptr) != nullptr, true);
  char msg[100];
  EXPECT_EQ(CheckCall(Check(nullptr, nullptr, nullptr, nullptr, nullptr, msg)), 1);
  EXPECT_EQ(CheckCall(Check("DL1ABC", "RTTY", nullptr, "20m", nullptr, nullptr)), 0);
}

TEST_F(BadInput, NullDateIsAnInvalidDate) {
  Qso q;
  q.time = nullptr;
  EXPECT_EQ(Add(q), 1);
  EXPECT_EQ(Add(q), 1);  // its dupe
  EXPECT_NE(
      Report().find(
          "QSO:  14080  RTTY  Invalid DateTime  UA3AAA  599  MO  DL1ABC  599  001   DUPE !!!\r\n"),
      std::string::npos);
  // An invalid time never equals another: nothing is removed, the call still returns 1.
  EXPECT_EQ(Remove(q), 1);
  EXPECT_NE(Result().find("Dupe\t 1\r\n"), std::string::npos);
}

TEST_F(BadInput, HugeCallsAndEveryByteValue) {
  const std::string huge(64 * 1024, 'W');
  ZdHostDateTime justNow = zd::host::ValidTime(zd::host::NowHostDate());
  Qso q;
  q.time = &justNow;
  q.call = huge.c_str();
  EXPECT_EQ(Add(q), 1);
  // Typed in the other mode on the same band at once: the waiting message would be
  // 64 KiB long; it is cut to 99 characters and its NUL, never past the buffer.
  char exch[100], msg[101];
  std::memset(msg, 'x', sizeof msg);
  Check typed(huge.c_str(), "BPSK63", "DL", "20m", exch, msg);
  typed.continent = "EU";
  typed.region = "";
  typed.secondBand = "20m";
  const int r = CheckCall(typed);
  EXPECT_EQ(r, 2);
  ASSERT_EQ(msg[99], '\0');
  EXPECT_EQ(std::strlen(msg), 99u);
  EXPECT_EQ(std::string(msg, 9), "QSO c WWW");  // own prefix UA: Russian messages
  EXPECT_EQ(msg[100], 'x');
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  Qso odd;
  odd.time = &now_;
  odd.call = all.c_str();
  odd.exchRcvd = all.c_str();
  odd.prefix = "UA";
  EXPECT_EQ(Add(odd), 1);  // stored, its region refused
  EXPECT_NE(Report().find("  Russland Code Area is not acceptable !!!\r\n"), std::string::npos);
  EXPECT_EQ(Remove(odd), 1);
  EXPECT_NE(Result().find("Total\t 1\t"), std::string::npos);
}

TEST_F(BadInput, ExtremeDatesAndStatuses) {
  const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           -1e300,
                           1e300,
                           zd::kMinDate,
                           zd::kMaxDate + 0.999,
                           zd::kMinDate - 1.0,
                           zd::kMaxDate + 1.0};
  int n = 0;
  for (double v : values) {
    for (int32_t status : {0, 1, 2, 77}) {
      ZdHostDateTime t{v, status};
      Qso q;
      q.time = &t;
      const std::string call = "DL" + std::to_string(n++);
      q.call = call.c_str();
      EXPECT_EQ(Add(q), 1) << v << " " << status;
      char msg[100] = {};
      Check typed(call.c_str(), "BPSK63", "DL", "20m", nullptr, msg);
      typed.continent = "EU";
      typed.region = "";
      CheckCall(typed);
      EXPECT_EQ(Remove(q), 1);
    }
  }
  const std::string result = Result();
  EXPECT_NE(result.find("Score: "), std::string::npos);
  // The limits of the range format as dates; one step past them does not.
  ZdHostDateTime low{zd::kMinDate, 0};
  Qso q;
  q.time = &low;
  q.band = "12m";
  EXPECT_EQ(Add(q), 0);
  EXPECT_NE(Report().find("QSO:  14080  RTTY  0100-01-01 0000  UA3AAA"), std::string::npos);
  ZdHostDateTime past{zd::kMinDate - 1.0, 0};
  q.time = &past;
  EXPECT_EQ(Add(q), 0);
  EXPECT_NE(Report().find("QSO:  14080  RTTY  Invalid DateTime  UA3AAA"), std::string::npos);
}

TEST_F(BadInput, FrequencyLimitsAndBandSpelling) {
  Qso q;
  q.time = &now_;
  q.freqHz = 0;
  q.band = "12m";
  EXPECT_EQ(Add(q), 0);
  q.freqHz = 4294967295u;
  EXPECT_EQ(Add(q), 0);
  EXPECT_NE(Report().find("QSO:  0  RTTY  "), std::string::npos);
  EXPECT_NE(Report().find("QSO:  4294967  RTTY  "), std::string::npos);
  q.band = "";
  EXPECT_EQ(Add(q), 0);
  q.band = "10m";
  q.mode = "";
  EXPECT_EQ(Add(q), 0);
  // "10M" passes the band check but is another band than "10m": no dupe, no row of its own.
  q.mode = "RTTY";
  q.band = "10M";
  EXPECT_EQ(Add(q), 1);
  q.band = "10m";
  EXPECT_EQ(Add(q), 1);
  const std::string result = Result();
  EXPECT_NE(result.find("10m\t 1\t 3\t 1\t 0\t 1\t 0\r\n"), std::string::npos) << result;
  EXPECT_EQ(result.find("10M\t"), std::string::npos);
  EXPECT_NE(result.find("Total\t 2\t 6\t 2\t 0\t 2\t 0\r\nDupe\t 0\r\n"), std::string::npos)
      << result;
}

// Last in the file: the table form stays selected for the rest of the process.
TEST_F(BadInput, SetVersionWithANullText) {
  EXPECT_EQ(setVersion(nullptr), 0u);
  EXPECT_EQ(setVersion("2.20"), 0u);
  EXPECT_EQ(Result().rfind("<html>", 0), 0u);
}

}  // namespace
