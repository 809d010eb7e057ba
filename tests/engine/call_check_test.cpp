// Checking a call while it is typed (duplicate, multiplier, the waiting rule between
// modes, the expected region) and judging a typed exchange.
#include <gtest/gtest.h>

#include "engine/contest_test_support.h"

namespace zd::test {
namespace {

// The waiting messages in code page 1251, byte for byte.
constexpr char kRussianWaitFew[] =
    "QSO c DL1ABC \xCF\xCE\xCA\xC0 \xCD\xC5\xCB\xDC\xC7\xDF \xCF\xD0\xCE\xC2\xCE\xC4\xC8\xD2\xDC"
    " !!! \xC5\xD9\xC5 2 \xCC\xC8\xCD\xD3\xD2\xDB  !!!";
constexpr char kRussianWaitThree[] =
    "QSO c DL1ABC \xCF\xCE\xCA\xC0 \xCD\xC5\xCB\xDC\xC7\xDF \xCF\xD0\xCE\xC2\xCE\xC4\xC8\xD2\xDC"
    " !!! \xC5\xD9\xC5 3 \xCC\xC8\xCD\xD3\xD2\xDB  !!!";
constexpr char kRussianWaitOne[] =
    "QSO c DL1ABC \xCF\xCE\xCA\xC0 \xCD\xC5\xCB\xDC\xC7\xDF \xCF\xD0\xCE\xC2\xCE\xC4\xC8\xD2\xDC"
    " !!! \xC5\xD9\xC5 1 \xCC\xC8\xCD\xD3\xD2\xD3  !!!";

struct Typed {
  std::string call = "DL1ABC", mode = "RTTY", prefix = "DL", continent = "EU", region = "";
  std::string band = "20m";
  std::optional<std::string> secondBand{};
  CheckArgs Args() const {
    CheckArgs a{call, mode, prefix, continent, region, band};
    if (secondBand) a.secondBand = *secondBand;
    return a;
  }
};

class CallCheck : public ContestTest {
 protected:
  void SetUp() override {
    Reset dl;
    dl.ownPrefix = "DL";  // English messages
    DoReset(dl);
  }
  CheckResult Check(const Typed& t) { return work.CheckCall(t.Args()); }
  void UseHost(const char* version) {
    WriteFileBytes("Vevozi2.ini", std::string("Vorlog=") + version + "\r\n");
    Reset dl;
    dl.ownPrefix = "DL";
    DoReset(dl);
  }
};

TEST_F(CallCheck, ShortCallsAreNotChecked) {
  ui.controlWindow = true;
  Add(Qso{}.Call("K1A", "W", "NA"));
  for (const char* call : {"", "K", "K1"}) {
    Typed t;
    t.call = call;
    t.band = "12m";  // not even the band is looked at
    const CheckResult r = Check(t);
    EXPECT_EQ(r.code, 1) << call;
    EXPECT_FALSE(r.exchange) << call;
    EXPECT_FALSE(r.message) << call;
  }
  EXPECT_EQ(ui.refreshPosts, 0);
}

TEST_F(CallCheck, RefusedBandOrModeDependsOnTheHostVersion) {
  Typed twelve;
  twelve.band = "12m";
  Typed cw;
  cw.mode = "CW";
  Typed otherSecond;
  otherSecond.secondBand = "40m";
  for (const char* version : {"2.19", "2.20"}) {
    UseHost(version);
    EXPECT_EQ(Check(twelve).code, 1) << version;
    EXPECT_EQ(Check(cw).code, 1) << version;
    EXPECT_EQ(Check(otherSecond).code, 1) << version;
  }
  for (const char* version : {"2.18", "2.14R", "2.21"}) {
    UseHost(version);
    EXPECT_EQ(Check(twelve).code, 4) << version;
    EXPECT_EQ(Check(cw).code, 4) << version;
    EXPECT_EQ(Check(otherSecond).code, 4) << version;
  }
  std::filesystem::remove("Vevozi2.ini");
  Reset unknown;
  unknown.ownPrefix = "DL";
  DoReset(unknown);
  ASSERT_EQ(contest.HostVersion(), "Vorlog");
  EXPECT_EQ(Check(twelve).code, 4);

  // Band texts in other case are accepted, and so is an equal second band.
  const Typed upper{.mode = "bpsk63", .band = "20M", .secondBand = "20m"};
  EXPECT_EQ(Check(upper).code, 2);
  // A refused check writes nothing.
  settings.Set("setup_mast", "1");
  DoReset(unknown);
  const CheckResult r = Check(twelve);
  EXPECT_FALSE(r.exchange);
  EXPECT_FALSE(r.message);
}

TEST_F(CallCheck, DuplicatesAndMultipliers) {
  Add(Qso{});  // DL1ABC, 20m RTTY
  Add(Qso{}.Call("RA9SAB", "UA9", "AS").Rcvd("NS"));
  Add(Qso{}.Call("RI1ANA", "CE9/KC4", "AN").Rcvd("AN"));

  Typed t;
  EXPECT_EQ(Check(t).code, 0);  // the same call, band and mode
  t.mode = "BPSK63";
  EXPECT_EQ(Check(t).code, 2);  // the other mode is another multiplier
  t.mode = "RTTY";
  t.band = "40m";
  EXPECT_EQ(Check(t).code, 2);
  t.band = "20m";
  t.call = "DL9ZZZ";
  EXPECT_EQ(Check(t).code, 1);  // DL is known on 20m RTTY
  t.call = "dl1abc";
  EXPECT_EQ(Check(t).code, 1);  // the call compares exactly: not a duplicate

  // Russian stations: the region decides, not the prefix.
  Typed ru{.call = "RA9SXY", .prefix = "UA9", .region = "NS"};
  EXPECT_EQ(Check(ru).code, 1);
  ru.region = "OB";
  EXPECT_EQ(Check(ru).code, 2);
  ru.prefix = "UA";
  EXPECT_EQ(Check(ru).code, 2);
  ru.region = "NS";
  EXPECT_EQ(Check(ru).code, 1);  // the region was logged under another Russian prefix
  ru.mode = "BPSK63";
  EXPECT_EQ(Check(ru).code, 2);
  // A call the host has no prefix for is never a new multiplier.
  Typed unknown;
  unknown.call = "Q1ABC";
  unknown.prefix = "";
  EXPECT_EQ(Check(unknown).code, 1);
  // CE9/KC4 is Russian for the exchange but counts by its prefix here.
  const Typed ce9{.call = "RI1ANB", .prefix = "CE9/KC4", .region = "FJ"};
  EXPECT_EQ(Check(ce9).code, 1);
}

TEST_F(CallCheck, WaitingRuleBetweenModes) {
  // The clock stands at 12:30:00.
  Add(Qso{}.Time(12, 29));  // RTTY on 20m a minute ago
  Typed t;
  t.mode = "BPSK63";
  CheckResult r = Check(t);
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.message, "QSO WITH DL1ABC WHILE IT IS IMPOSSIBLE !!! WAIT 2 MINTUTES !!!");
  t.mode = "BPSK125";
  EXPECT_EQ(Check(t).message, "QSO WITH DL1ABC WHILE IT IS IMPOSSIBLE !!! WAIT 2 MINTUTES !!!");
  t.mode = "BPSK63";
  t.band = "40m";  // another band: no rule
  EXPECT_FALSE(Check(t).message);
  t.band = "20m";

  // Half a second is added before the minutes are cut: 2:59.4 is two minutes,
  // 2:59.6 three.
  clock.Set(Utc(2022, 3, 19, 12, 31, 59) + 0.4 / 86400.0);
  EXPECT_EQ(Check(t).message, "QSO WITH DL1ABC WHILE IT IS IMPOSSIBLE !!! WAIT 1 MINTUTES !!!");
  clock.Set(Utc(2022, 3, 19, 12, 31, 59) + 0.6 / 86400.0);
  EXPECT_FALSE(Check(t).message);
  clock.Set(Utc(2022, 3, 19, 13, 0));
  EXPECT_FALSE(Check(t).message);
  // A QSO in the future: less than a minute counts as 0 and asks for 3 minutes, more
  // is negative and says nothing.
  clock.Set(Utc(2022, 3, 19, 12, 28, 40));
  EXPECT_EQ(Check(t).message, "QSO WITH DL1ABC WHILE IT IS IMPOSSIBLE !!! WAIT 3 MINTUTES !!!");
  clock.Set(Utc(2022, 3, 19, 12, 27, 59));
  EXPECT_FALSE(Check(t).message);
}

TEST_F(CallCheck, TheLastOtherModeRecordInTheLogDecides) {
  Add(Qso{}.On("20m", "BPSK125").Time(12, 29));
  Add(Qso{}.On("20m", "BPSK63").Time(12, 0));
  Typed t;  // RTTY
  EXPECT_FALSE(Check(t).message);
  // An untimed record takes part with its DATE value.
  Qso invalid = Qso{}.Call("DL2XYZ", "DL", "EU").On("20m", "BPSK63");
  invalid.time = OleDateTime{At(12, 28, 30).date, kDateInvalid};
  Add(invalid);
  t.call = "DL2XYZ";
  EXPECT_EQ(Check(t).message, "QSO WITH DL2XYZ WHILE IT IS IMPOSSIBLE !!! WAIT 2 MINTUTES !!!");
  // A duplicate says nothing about waiting, even after a recent other-mode QSO.
  Add(Qso{}.Call("DL2XYZ", "DL", "EU").Time(11, 0));
  const CheckResult r = Check(t);
  EXPECT_EQ(r.code, 0);
  EXPECT_FALSE(r.message);
}

TEST_F(CallCheck, RussianWaitingMessagesInCodePage1251) {
  Reset un;
  un.ownPrefix = "UN";
  DoReset(un);
  Add(Qso{}.Time(12, 29));
  Typed t;
  t.mode = "BPSK63";
  EXPECT_EQ(Check(t).message, kRussianWaitFew);
  clock.Set(Utc(2022, 3, 19, 12, 31));
  EXPECT_EQ(Check(t).message, kRussianWaitOne);
  clock.Set(Utc(2022, 3, 19, 12, 29, 10));
  EXPECT_EQ(Check(t).message, kRussianWaitThree);
}

TEST_F(CallCheck, OffersTheRegionOfARussianCall) {
  WriteFileBytes("Plugins/call_special.dat", "R100MV MV\r\n");
  settings.Set("setup_mast", "1");
  DoReset();
  const std::pair<std::pair<const char*, const char*>, std::optional<std::string>> cases[] = {
      {{"UA1ABC", "UA"}, "SP"},
      {{"RA2FAA", "UA2/f"}, "KA"},
      {{"RA2FAA", "UA2"}, "KA"},
      {{"RA9SAB", "UA9"}, "OB"},
      {{"R100MV", "UA"}, "MV"},
      {{"R70A", "UA"}, std::nullopt},
      {{"UA3AA/1", "UA"}, std::nullopt},
      {{"RZZZ", "UA"}, std::nullopt},
      {{"DL1ABC", "DL"}, ""},
      {{"RI1ANA", "CE9/KC4"}, ""},
      {{"UA1ABC", "DL"}, ""}};
  for (const auto& [typed, expected] : cases) {
    Typed t;
    t.call = typed.first;
    t.prefix = typed.second;
    EXPECT_EQ(Check(t).exchange, expected) << typed.first << ' ' << typed.second;
  }
  // Nothing is offered for a duplicate; the offer comes with a waiting message.
  Add(Qso{}.Call("UA1ABC", "UA", "EU").Rcvd("SP").Time(12, 29));
  Typed t;
  t.call = "UA1ABC";
  t.prefix = "UA";
  EXPECT_FALSE(Check(t).exchange);
  t.mode = "BPSK63";
  const CheckResult r = Check(t);
  EXPECT_EQ(r.exchange, "SP");
  EXPECT_TRUE(r.message);

  settings.Set("setup_mast", "0");
  DoReset();
  t.mode = "RTTY";
  EXPECT_FALSE(Check(t).exchange);
  t.prefix = "DL";
  EXPECT_FALSE(Check(t).exchange);
}

TEST_F(CallCheck, PostsOneRefreshUntilTheNextIsDue) {
  Typed t;
  Check(t);
  EXPECT_EQ(ui.refreshPosts, 0);  // no control window
  EXPECT_EQ(contest.RefreshPending().load(), 1);
  ui.controlWindow = true;
  Typed refused;
  refused.band = "12m";
  Check(refused);  // posted before the band is looked at
  EXPECT_EQ(ui.refreshPosts, 1);
  EXPECT_EQ(contest.RefreshPending().load(), 0);
  Check(t);
  EXPECT_EQ(ui.refreshPosts, 1);
  Result();  // the result asks for the next refresh itself
  EXPECT_EQ(ui.refreshPosts, 2);
  EXPECT_EQ(contest.RefreshPending().load(), 1);
  Check(t);
  EXPECT_EQ(ui.refreshPosts, 3);
}

TEST_F(CallCheck, ExchangeOfARussianStation) {
  WriteFileBytes("Plugins/call_special.dat", "R100MV MV\r\n");
  DoReset();
  struct Case {
    const char *exch, *call, *prefix;
    int valid;
  };
  const Case cases[] = {{"MO", "RA3DX", "UA", 1},
                        {"SP", "RA3DX", "UA", 0},
                        {"12", "RA3DX", "UA", 1},
                        {"599", "RA3DX", "UA", 0},
                        {"mo", "RA3DX", "UA", 0},
                        {"M", "RA3DX", "UA", 0},
                        {"MOS", "RA3DX", "UA", 0},
                        {"1A", "RA3DX", "UA", 0},
                        {"", "RA3DX", "UA", 0},
                        {"OB", "RA9SAB", "UA9", 1},
                        {"NS", "RA9SAB", "UA9", 0},
                        {"KA", "RA2FAA", "UA2", 1},
                        {"SP", "RA3DX/1", "UA", 1},
                        {"KA", "R70A", "UA", 1},
                        {"MO", "RZZZ", "UA", 0},
                        {"MV", "R100MV", "UA", 1},
                        {"SP", "R100MV", "UA", 0},
                        {"AN", "RI1ANA", "UA", 1},
                        {"MO", "/UA1A/P", "UA", 1},
                        {"SP", "/UA1A", "UA", 1},
                        {"MO", "/UA1A", "UA", 0},
                        // Prefixes that send numbers: UA2/f and CE9/KC4 are among them here.
                        {"KA", "RA2FAA", "UA2/f", 0},
                        {"12", "RA2FAA", "UA2/f", 1},
                        {"AN", "RI1ANA", "CE9/KC4", 0},
                        {"001", "DL1ABC", "DL", 1},
                        {"1234", "DL1ABC", "DL", 1},
                        {"12345", "DL1ABC", "DL", 0},
                        {"", "DL1ABC", "DL", 0},
                        {"1a", "DL1ABC", "DL", 0},
                        {"599", "DL1ABC", "DL", 0},
                        {" 12", "DL1ABC", "DL", 0},
                        {"0", "DL1ABC", "DL", 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(work.IsValidExchange(c.exch, c.call, c.prefix), c.valid)
        << '"' << c.exch << "\" " << c.call << ' ' << c.prefix;
  }
}

}  // namespace
}  // namespace zd::test
