// The module as the host sees it: the exported functions with their full argument
// lists. The module's state lives as long as the program, so each case works in a
// folder of its own and looks at differences, not at totals; only one case selects
// the table form of the result.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "engine/contest_test_support.h"
#include "host_boundary/host_calls.h"
#include "module/module.h"

namespace zd {

namespace {
test::RecordingUi* g_recordingUi = nullptr;
}

// The module's user interface in this program: it records what it is asked.
std::unique_ptr<UiBridge> MakePlatformUi(Module&) {
  auto ui = std::make_unique<test::RecordingUi>();
  g_recordingUi = ui.get();
  return ui;
}

namespace test {
namespace {

test::RecordingUi& Ui() {
  TheModule();
  return *g_recordingUi;
}

const host::Exports& Stats() {
  static const host::Exports exports = host::LinkedExports();
  return exports;
}

// What the positions the module must not read hold: junk.
host::HostDateTime g_junkTime{-1e300, 1};
const host::Unread kJunk{"junk", 77u, -7, 1e300, &g_junkTime};

// Own call, call, time, frequency, mode, reports and exchanges sent and received, prefix,
// continent, band.
struct HostQso : host::RawQso {
  host::HostDateTime when{At(12, 5).date, 0};
  HostQso()
      : host::RawQso{"UA3DX", "W1AW", nullptr, 14085000, "RTTY", "579",
                     "559",   "017",  "042",   "W",      "EU",   "20m"} {}
};

int AddQso(HostQso q) {
  q.time = &q.when;
  return host::AddData(Stats(), q, kJunk);
}

int RemoveQso(HostQso q) {
  q.time = &q.when;
  return host::RemoveData(Stats(), q, kJunk);
}

struct HostReset : host::RawReset {
  host::HostDateTime from{Utc(2022, 3, 19, 12, 0), 0};
  host::HostDateTime to{Utc(2022, 3, 20, 11, 59), 0};
  HostReset() {
    ownCall = "UA3DX";
    ownPrefix = "DL";
    ownContinent = "EU";
  }
};

int ResetQsos(HostReset r) {
  r.start = &r.from;
  r.end = &r.to;
  return host::ResetStats(Stats(), r, kJunk);
}

// Call, mode, prefix, continent, region, band and second band.
struct HostCheck : host::RawCheck {
  HostCheck() : host::RawCheck{"W1AW", "RTTY", "W", "NA", "", "20m", "20m"} {}
};

int CheckQso(HostCheck c, char* exchange, char* message) {
  c.exchangeOut = exchange;
  c.messageOut = message;
  return host::CheckCallRaw(Stats(), c, kJunk);
}

// A host buffer of 100 bytes followed by a guard; all of it starts as '#'.
struct Buffer {
  char bytes[128];
  Buffer() { std::memset(bytes, '#', sizeof bytes); }
  bool Untouched(std::size_t from = 0) const {
    for (std::size_t i = from; i < sizeof bytes; ++i) {
      if (bytes[i] != '#') return false;
    }
    return true;
  }
};

class Exports : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory("Plugins"); }
  std::string SettingsFile() const { return ReadFileBytes("Plugins/ZORVAN-DIGI.ini"); }
  TempFolder folder;
};

TEST_F(Exports, TheContestSetAndItsCommands) {
  EXPECT_EQ(GetNumberOfSets(), 1);
  ASSERT_NE(GetSetName(0), nullptr);
  EXPECT_STREQ(GetSetName(0), "ZORVAN-DIGI (C)");
  for (int n : {1, -1, 2, INT_MIN, INT_MAX}) {
    ASSERT_NE(GetSetName(n), nullptr) << n;
    EXPECT_STREQ(GetSetName(n), "") << n;
  }
  EXPECT_EQ(GetExchgCount0("UA3DX", "W1AW", "W"), 1);
  EXPECT_EQ(GetExchgCount0(nullptr, nullptr, nullptr), 1);

  RecordingUi& ui = Ui();
  const int starts = ui.threadStarts, stops = ui.threadStops;
  for (const char* ignored : {"showinfo", "hideinfo", "SHOWINFO ", "", "HIDE"}) {
    const char* reply = RunCommand0(0, ignored);
    ASSERT_NE(reply, nullptr) << ignored;
    EXPECT_STREQ(reply, "") << ignored;
  }
  EXPECT_STREQ(RunCommand0(5, nullptr), "");
  EXPECT_EQ(ui.threadStarts, starts);
  EXPECT_EQ(ui.threadStops, stops);
  EXPECT_STREQ(RunCommand0(0, "SHOWINFO"), "");
  EXPECT_EQ(ui.threadStarts, starts + 1);
  EXPECT_STREQ(RunCommand0(0, "HIDEINFO"), "");
  EXPECT_EQ(ui.threadStops, stops + 1);

  const int messages = ui.setupMessages;
  SetupSet0();
  EXPECT_EQ(ui.setupMessages, messages + 1);
}

TEST_F(Exports, ResultFormsAndStatus) {
  ResetQsos({});
  ASSERT_EQ(AddQso({}), 1);  // W1AW, Europe as given: 3 points
  int status = 0;
  const std::string text = GetResult0(&status);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(text.substr(0, 40), "\t\tZORVAN DIGITAL 19.03-20.03.2022\r\n\t\t\tCo");
  EXPECT_NE(text.find("\r\nScore: 3*(1+0) = 3\r\n"), std::string::npos) << text;
  EXPECT_NE(SettingsFile().find("Claimed=3"), std::string::npos) << SettingsFile();

  EXPECT_EQ(setVersion("2.20"), 0u);
  EXPECT_EQ(setVersion(nullptr), 0u);
  status = 0;
  std::string html = GetResult0(&status);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(html.substr(0, 13), "<html><head><");
  EXPECT_NE(html.find("<center>3 * (1 + 0) = 3</center>"), std::string::npos) << html;
  EXPECT_EQ(setVersion(""), 0u);
  html = GetResult0(&status);
  EXPECT_EQ(html.substr(0, 6), "<html>");
}

TEST_F(Exports, EveryArgumentIsReadFromItsPosition) {
  HostReset reset;
  reset.newContest = 1;
  EXPECT_EQ(ResetQsos(reset), 1);
  RecordingUi& ui = Ui();
  ASSERT_FALSE(ui.dialogsShown.empty());
  EXPECT_EQ(ui.dialogsShown.back().callsign, "UA3DX");

  HostQso refused;
  refused.band = "12m";
  refused.freqHz = 24920999;
  EXPECT_EQ(AddQso(refused), 0);
  HostQso noExchange;
  noExchange.exchRcvd = nullptr;  // a missing text counts as an empty one
  EXPECT_EQ(AddQso(noExchange), 0);
  EXPECT_EQ(AddQso({}), 1);
  EXPECT_EQ(ReadFileBytes("BadQSO_ZedevIzuverUzaz_20_03_2022.txt"),
            "ZORVAN-DIGI UBN file \r\n"
            "QSO:  24920  RTTY  2022-03-19 1205  UA3DX  579  017  W1AW  559  042"
            "   WRONG BAND !!!\r\n"
            "QSO:  14085  RTTY  2022-03-19 1205  UA3DX  579  017  W1AW  559  "
            "   NO RX NUMBER !!!\r\n");

  const std::size_t outputs = ui.outputMessages.size();
  int status = 0;
  GetResult0(&status);
  EXPECT_EQ(status, -1);
  EXPECT_NE(SettingsFile().find("Claimed=3"), std::string::npos);  // W in Europe
  ASSERT_EQ(ui.outputMessages.size(), outputs + 1);
  EXPECT_EQ(ui.outputMessages.back(), "File produced: UA3DX.cbr");
  const std::string cabrillo = ReadFileBytes("UA3DX.cbr");
  EXPECT_NE(cabrillo.find("\r\nCLAIMED-SCORE: 3\r\nCLUB: \r\nCREATED-BY: Vorlog Vorlog\r\n"),
            std::string::npos)
      << cabrillo;
  EXPECT_NE(
      cabrillo.find("\r\nQSO: 14085 RY 2022-03-19 1205 UA3DX         579 017    W1AW          559 "
                    "042\r\nEND-OF-LOG:\r\n"),
      std::string::npos)
      << cabrillo;

  Buffer exchange, message;
  EXPECT_EQ(CheckQso({}, exchange.bytes, message.bytes), 0);  // logged: a duplicate
  // Removal reads only call, time, mode, the exchanges, prefix, continent and band.
  HostQso probe;
  probe.ownCall = "XX9XX";
  probe.freqHz = 1;
  probe.rstSent = "1";
  probe.rstRcvd = "2";
  EXPECT_EQ(RemoveQso(probe), 1);
  EXPECT_EQ(CheckQso({}, exchange.bytes, message.bytes), 2);
  probe.exchSent = nullptr;
  EXPECT_EQ(RemoveQso(probe), 0);
}

TEST_F(Exports, CheckCallFillsTheHostBuffers) {
  WriteFileBytes("Plugins/ZORVAN-DIGI.ini", "[Settings]\r\nsetup_mast=1\r\nStart=1\r\n");
  ResetQsos({});

  Buffer exchange, message;
  HostCheck shortCall;
  shortCall.call = "W1";
  EXPECT_EQ(CheckQso(shortCall, exchange.bytes, message.bytes), 1);
  EXPECT_TRUE(exchange.Untouched());
  EXPECT_TRUE(message.Untouched());

  // A foreign call: the empty exchange, no message.
  EXPECT_EQ(CheckQso({}, exchange.bytes, message.bytes), 2);
  EXPECT_EQ(exchange.bytes[0], '\0');
  EXPECT_TRUE(exchange.Untouched(1));
  EXPECT_TRUE(message.Untouched());

  // A Russian call: its region; the exchange buffer may be missing.
  HostCheck russian;
  russian.call = "UA1ABC";
  russian.prefix = "UA";
  Buffer exchange2;
  EXPECT_EQ(CheckQso(russian, exchange2.bytes, message.bytes), 2);
  EXPECT_STREQ(std::string(exchange2.bytes, 3).c_str(), "SP");
  EXPECT_TRUE(exchange2.Untouched(3));
  EXPECT_EQ(CheckQso(russian, nullptr, message.bytes), 2);
  EXPECT_TRUE(message.Untouched());

  // No second band: nothing to compare; another second band: refused.
  HostCheck noSecond;
  noSecond.secondBand = nullptr;
  EXPECT_EQ(CheckQso(noSecond, nullptr, message.bytes), 2);
  HostCheck otherSecond;
  otherSecond.secondBand = "40M";
  EXPECT_EQ(CheckQso(otherSecond, nullptr, message.bytes), 4);

  // A waiting message too long for the buffer is cut to 99 characters and its NUL.
  const std::string longCall(60, 'W');
  HostQso recent;
  recent.call = longCall.c_str();
  recent.when = host::ValidTime(host::NowHostDate() - 60.0 / 86400.0);
  ASSERT_EQ(AddQso(recent), 1);
  HostCheck other;
  other.call = longCall.c_str();
  other.mode = "BPSK63";
  Buffer cut;
  EXPECT_EQ(CheckQso(other, nullptr, cut.bytes), 2);
  const std::string full =
      "QSO WITH " + longCall + " WHILE IT IS IMPOSSIBLE !!! WAIT 2 MINTUTES !!!";
  ASSERT_GT(full.size(), 99u);
  EXPECT_EQ(std::string(cut.bytes, 99), full.substr(0, 99));
  EXPECT_EQ(cut.bytes[99], '\0');
  EXPECT_TRUE(cut.Untouched(100));
  // One that fits is written whole.
  const std::string fitting(43, 'K');  // 9 + 43 + 47 = 99 characters
  recent.call = fitting.c_str();
  ASSERT_EQ(AddQso(recent), 1);
  other.call = fitting.c_str();
  Buffer whole;
  CheckQso(other, nullptr, whole.bytes);
  EXPECT_EQ(std::string(whole.bytes),
            "QSO WITH " + fitting + " WHILE IT IS IMPOSSIBLE !!! WAIT 2 MINTUTES !!!");
  EXPECT_TRUE(whole.Untouched(100));
}

TEST_F(Exports, HostVersionAndStartFlagFromTheFiles) {
  RecordingUi& ui = Ui();
  WriteFileBytes("Vevozi2.ini", "[Vorlog]\r\nVorlog=2.19\r\n");
  int starts = ui.threadStarts;
  ResetQsos({});
  EXPECT_EQ(ui.threadStarts, starts + 1);
  EXPECT_NE(SettingsFile().find("Start=1"), std::string::npos) << SettingsFile();
  Buffer message;
  HostCheck twelve;
  twelve.band = "12m";
  twelve.secondBand = "12m";
  EXPECT_EQ(CheckQso(twelve, nullptr, message.bytes), 1);
  ResetQsos({});
  EXPECT_EQ(ui.threadStarts, starts + 1);
  EXPECT_NE(SettingsFile().find("Start=0"), std::string::npos) << SettingsFile();
  ResetQsos({});
  EXPECT_EQ(ui.threadStarts, starts + 2);

  WriteFileBytes("Vevozi2.ini", "Vorlog=2.18\r\n");
  starts = ui.threadStarts;
  ResetQsos({});  // disarms
  ResetQsos({});  // an older host: armed, but no window
  EXPECT_EQ(ui.threadStarts, starts);
  EXPECT_NE(SettingsFile().find("Start=1"), std::string::npos) << SettingsFile();
  EXPECT_EQ(CheckQso(twelve, nullptr, message.bytes), 4);
  EXPECT_TRUE(message.Untouched());
}

}  // namespace
}  // namespace test
}  // namespace zd
