#include <gtest/gtest.h>

#include "zorvan_replay/replay.h"

namespace zd::replay {
namespace {

std::optional<Options> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string e;
  auto o = ParseOptions(args, e);
  if (error) *error = e;
  return o;
}

TEST(ReplayOptions, ValuesFlagsAndTheLog) {
  const auto o =
      Parse({"--call", "R3DZV", "--prefix=UA", "--continent", "EU", "--html", "--cabrillo",
             "--workdir", "out/x", "--lib=/x/libStats.so", "--cty", "my.dat", "log.adi"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->call, "R3DZV");
  EXPECT_EQ(o->prefix, "UA");
  EXPECT_EQ(o->continent, "EU");
  EXPECT_TRUE(o->html);
  EXPECT_TRUE(o->cabrillo);
  EXPECT_EQ(o->workdir, "out/x");
  EXPECT_EQ(o->libPath, "/x/libStats.so");
  EXPECT_EQ(o->ctyPath, "my.dat");
  EXPECT_EQ(o->logPath, "log.adi");
  // A log whose name starts with a dash, after "--".
  const auto dash = Parse({"--", "-odd.adi"});
  ASSERT_TRUE(dash);
  EXPECT_EQ(dash->logPath, "-odd.adi");
  // --help and --version need no log.
  EXPECT_TRUE(Parse({"--help"}));
  EXPECT_TRUE(Parse({"--version"}));
}

TEST(ReplayOptions, UsageErrors) {
  std::string e;
  EXPECT_FALSE(Parse({}, &e));
  EXPECT_EQ(e, "no log given");
  EXPECT_FALSE(Parse({"a.adi", "b.adi"}, &e));
  EXPECT_EQ(e, "one log at a time (got a.adi and b.adi)");
  EXPECT_FALSE(Parse({"--frobnicate", "a.adi"}, &e));
  EXPECT_EQ(e, "unknown option --frobnicate");
  EXPECT_FALSE(Parse({"a.adi", "--call"}, &e));
  EXPECT_EQ(e, "--call needs a value");
  EXPECT_FALSE(Parse({"--call=", "a.adi"}, &e));
  EXPECT_EQ(e, "--call needs a value");
  EXPECT_FALSE(Parse({"--html=yes", "a.adi"}, &e));
  EXPECT_EQ(e, "--html takes no value");
}

TEST(ReplayOptions, TheReportsOptions) {
  const auto o =
      Parse({"--report", "r.html", "--csv=q.csv", "--lang", "ru", "--scp", "M.SCP", "a.adi"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->reportPath, "r.html");
  EXPECT_EQ(o->csvPath, "q.csv");
  EXPECT_EQ(o->lang, "ru");
  EXPECT_EQ(o->scpPath, "M.SCP");
  std::string e;
  EXPECT_FALSE(Parse({"--report", "r.html", "--lang", "de", "a.adi"}, &e));
  EXPECT_EQ(e, "--lang takes en or ru, not de");
  // Options of the report alone make no report.
  EXPECT_FALSE(Parse({"--lang", "en", "a.adi"}, &e));
  EXPECT_EQ(e, "--lang goes with --report or --csv");
  EXPECT_FALSE(Parse({"--scp", "M.SCP", "a.adi"}, &e));
  EXPECT_EQ(e, "--scp goes with --report or --csv");
  EXPECT_TRUE(Parse({"--csv", "q.csv", "--scp", "M.SCP", "a.adi"}));
}

TEST(ReplayOptions, StationValuesAreCheckedAndUpperCased) {
  std::string e;
  // The country file and the module spell them in capitals: "ua" would match nothing.
  auto o = Parse({"--call", "r3dzv", "--prefix", "ua", "--continent", "eu", "--dg-mode", "psk125",
                  "--workdir", "w", "--overwrite", "--settings", "s.ini", "log.cbr"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->call, "R3DZV");
  EXPECT_EQ(o->prefix, "UA");
  EXPECT_EQ(o->continent, "EU");
  EXPECT_EQ(o->dgMode, "BPSK125");
  EXPECT_TRUE(o->overwrite);
  EXPECT_EQ(o->settingsPath, "s.ini");
  EXPECT_EQ(Parse({"log.cbr"})->dgMode, "BPSK63");
  EXPECT_FALSE(Parse({"--continent", "Europe", "log.adi"}, &e));
  EXPECT_EQ(e, "--continent Europe: not a continent; give one of AF AN AS EU NA OC SA");
  EXPECT_FALSE(Parse({"--continent=XX", "log.adi"}, &e));
  EXPECT_FALSE(Parse({"--dg-mode", "PSK31", "log.cbr"}, &e));
  EXPECT_EQ(e, "--dg-mode PSK31: give BPSK63, BPSK125 or RTTY");
  EXPECT_FALSE(Parse({"--overwrite", "log.adi"}, &e));
  EXPECT_EQ(e, "--overwrite goes with --workdir (the replay's own folder needs none)");
}

TEST(ReplayOptions, ReportNamesReasonsAndContests) {
  EXPECT_EQ(BadQsoReportName(UtcTime{2024, 3, 7, 23, 59, 0}),
            "BadQSO_ZedevIzuverUzaz_07_03_2024.txt");
  EXPECT_EQ(ReportReason("QSO:  14085  RTTY  2024-03-16 1205  R3DZV  599  MO  DL1ABC  599  001   "
                         "DUPE !!!"),
            "DUPE !!!");
  EXPECT_EQ(ReportReason("QSO:  14077  BPSK63  2024-03-16 1416  R3DZV  599  MO  R7KCW  599  rr  "
                         "RR  Russland Code Area is not acceptable !!!"),
            "Russland Code Area is not acceptable !!!");
  EXPECT_EQ(ReportReason("QSO:  10140  RTTY  2024-03-16 1205  R3DZV  599  MO  K1ABC  599  4   "
                         "WRONG BAND !!!"),
            "WRONG BAND !!!");
  for (const char* name : {"REVUZU-DUV", "ZORVAN-DIGI", "zorvan digital", "ZORVAN_DIGI"}) {
    EXPECT_TRUE(IsThisContest(name)) << name;
  }
  for (const char* name : {"CQ-WW-RTTY", "ZORVAN", "RDXC"}) EXPECT_FALSE(IsThisContest(name));

  LogQso q;
  q.call = "DL1ABC";
  q.time = UtcTime{2024, 3, 16, 9, 5, 0};
  q.band = "20m";
  q.mode = "RTTY";
  q.sentFields = {"599", "MO"};
  q.rcvdFields = {"599", "001"};
  EXPECT_EQ(DescribeQso(q), "DL1ABC 20m RTTY 2024-03-16 0905 sent 599 MO rcvd 599 001");
  q.band.clear();
  q.freqHz = 10140000;
  EXPECT_EQ(DescribeQso(q), "DL1ABC 10140 kHz RTTY 2024-03-16 0905 sent 599 MO rcvd 599 001");
  q.text = "QSO: 14080 RY 2024-03-16 0905 R3DZV 599 MO DL1ABC 599 001";
  EXPECT_EQ(DescribeQso(q), q.text);  // a Cabrillo QSO is shown as its line
}

TEST(ReplayOptions, OwnStationFromOptionsLogAndCountryFile) {
  const CountryFile cty = CountryFile::Parse(
      "European Russia: 16: 29: EU: 53.65: -41.37: -4.0: UA:\n    R,U;\n"
      "Fed. Rep. of Germany: 14: 28: EU: 51.0: -10.0: -1.0: DL:\n    DL;\n",
      "cty.dat");
  ReplayLog log;
  log.ownCall = "R3DZV";
  Options o;
  std::string e;
  auto own = ResolveOwnStation(o, log, cty, e);
  ASSERT_TRUE(own);
  EXPECT_EQ(own->call, "R3DZV");
  EXPECT_EQ(own->prefix, "UA");
  EXPECT_EQ(own->continent, "EU");
  // The options win over the log and the country file.
  o.call = "dl1abc";
  o.continent = "AS";
  own = ResolveOwnStation(o, log, cty, e);
  ASSERT_TRUE(own);
  EXPECT_EQ(own->call, "DL1ABC");
  EXPECT_EQ(own->prefix, "DL");
  EXPECT_EQ(own->continent, "AS");
  // An own call that the country file does not know needs both values.
  o = Options{};
  o.call = "9H1ABC";
  EXPECT_FALSE(ResolveOwnStation(o, log, cty, e));
  EXPECT_EQ(e,
            "the country file does not know the own call 9H1ABC: give your DXCC prefix and "
            "continent with --prefix and --continent (for example --prefix UA --continent EU)");
  o.prefix = "9H";
  o.continent = "EU";
  EXPECT_TRUE(ResolveOwnStation(o, log, cty, e));
  // No own call anywhere.
  EXPECT_FALSE(ResolveOwnStation(Options{}, ReplayLog{}, cty, e));
  EXPECT_EQ(e, "the log does not name the own call sign; give it with --call");
}

TEST(ReplayOptions, ContestSpanIsTheEarliestAndLatestQso) {
  ReplayLog log;
  auto add = [&](int day, int hour, double date) {
    LogQso q;
    q.time = UtcTime{2024, 3, day, hour, 0, 0};
    q.date = date;
    log.qsos.push_back(q);
  };
  add(16, 14, 2.0);
  add(16, 12, 1.0);  // logged late, worked first
  add(17, 11, 3.0);
  add(16, 20, 2.5);
  const auto [first, last] = ContestSpan(log);
  EXPECT_EQ(first->date, 1.0);
  EXPECT_EQ(last->date, 3.0);
}

}  // namespace
}  // namespace zd::replay
