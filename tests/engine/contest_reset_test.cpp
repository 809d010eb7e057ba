// Starting a contest run: the host version, the start-up flag that opens the control
// window, the message language, the special calls and the report file.
#include <gtest/gtest.h>

#include "engine/contest_test_support.h"

namespace zd::test {
namespace {

class ContestReset : public ContestTest {
 protected:
  std::vector<std::string> StartWrites() const {
    std::vector<std::string> values;
    for (const std::string& write : settings.Writes()) {
      if (write.rfind("Start=", 0) == 0) values.push_back(write.substr(6));
    }
    return values;
  }
};

TEST_F(ContestReset, EmptiesTheRunAndSetsItUp) {
  DoReset();
  Add(Qso{});
  Add(Qso{}.Time(12, 6));  // duplicate: a report line
  Add(Qso{}.Call("DL2B", "DL", "EU").On("40m", "RTTY").Time(12, 7));
  Result();
  ASSERT_EQ(contest.BandChangeCount(), 1);
  ASSERT_EQ(worked.Entities(WorkedListIndex(2, 0)), Strings{"DL"});

  Reset second;
  second.end = OleDateTime{Utc(2014, 12, 21, 23, 59), kDateValid};
  EXPECT_EQ(DoReset(second), 1);
  EXPECT_EQ(contest.LogSize(), 0u);
  EXPECT_TRUE(contest.BandsUsed().empty());
  EXPECT_EQ(work.BadQsoFileName(), "BadQSO_ZedevIzuverUzaz_21_12_2014.txt");
  EXPECT_EQ(ReadFileBytes("BadQSO_ZedevIzuverUzaz_21_12_2014.txt"), "ZORVAN-DIGI UBN file \r\n");
  EXPECT_EQ(contest.StartYear(), "2022");
  // Left for the next QSO and the next result to set.
  EXPECT_EQ(contest.BandChangeCount(), 1);
  EXPECT_EQ(worked.Entities(WorkedListIndex(2, 0)), Strings{"DL"});
  // The first run's report is still there; a reset for the same end date truncates it.
  EXPECT_NE(Report(), "ZORVAN-DIGI UBN file \r\n");
  DoReset();
  EXPECT_EQ(Report(), "ZORVAN-DIGI UBN file \r\n");

  // The call-info table names its bands from the first reset on.
  EXPECT_TRUE(contest.QsosOf("DL1ABC").bandsNamed);
}

TEST(ContestResetLanguage, RussianTextsForRussianAndNeighbourPrefixes) {
  const std::pair<const char*, bool> cases[] = {
      {"UA", true},   {"UA2", true}, {"UA2/f", true}, {"UA9", true}, {"CE9/KC4", true},
      {"UR", true},   {"UN", true},  {"EU", true},    {"DL", false}, {"ua", false},
      {"UA0", false}, {"EW", false}, {"UR ", false},  {"", false}};
  for (const auto& [prefix, russian] : cases) {
    TempFolder folder;
    MemorySettings settings;
    ManualClock clock;
    RecordingUi ui;
    ExportWork work(settings, clock, ui);
    Contest& contest = work.contest();
    EXPECT_FALSE(contest.RussianText());
    ResetArgs a;
    a.ownPrefix = prefix;
    work.ResetStats(a);
    EXPECT_EQ(contest.RussianText(), russian) << '"' << prefix << '"';
  }
}

TEST_F(ContestReset, RussianTextsStayOnceChosen) {
  Reset un;
  un.ownPrefix = "UN";
  DoReset(un);
  EXPECT_TRUE(contest.RussianText());
  Reset dl;
  dl.ownPrefix = "DL";
  DoReset(dl);
  EXPECT_TRUE(contest.RussianText());
}

TEST_F(ContestReset, HostVersionFromTheHostIni) {
  // No ini file at all: the host is unknown.
  DoReset();
  EXPECT_EQ(contest.HostVersion(), "Vorlog");

  // The first line holding the key gives the version; the line ends are not part of it.
  WriteFileBytes("Vevozi2.ini", "[Vorlog]\r\nPath=C:\\Vorlog\\\r\nVorlog=2.18\r\nVorlog=2.20\r\n");
  DoReset();
  EXPECT_EQ(contest.HostVersion(), "2.18");
  WriteFileBytes("Vevozi2.ini", "Vorlog=2.14R\n");
  DoReset();
  EXPECT_EQ(contest.HostVersion(), "2.14R");

  // A match found by the search, but no key in the host ini: the version stays.
  WriteFileBytes("Vevozi2.ini", "[Vorlog]\r\nLanguage=RU\r\n");
  DoReset();
  EXPECT_EQ(contest.HostVersion(), "2.14R");

  // The search runs under the path prefix, the ini is read from the current folder.
  std::filesystem::remove("Vevozi2.ini");
  WriteFileBytes("host/Vevozi2.ini", "Vorlog=2.16\r\n");
  Reset underHost;
  underHost.pathPrefix = "host/";
  DoReset(underHost);
  EXPECT_EQ(contest.HostVersion(), "2.14R");  // found there, but nothing to read here
  WriteFileBytes("Vevozi2.ini", "Vorlog=2.19\r\n");
  DoReset(underHost);
  EXPECT_EQ(contest.HostVersion(), "2.19");
  Reset elsewhere;
  elsewhere.pathPrefix = "nowhere/";
  DoReset(elsewhere);
  EXPECT_EQ(contest.HostVersion(), "Vorlog");

  // Any name holding "Vevozi2.ini" counts as the match; the test is case-sensitive.
  std::filesystem::remove("host/Vevozi2.ini");
  WriteFileBytes("host/OldVevozi2.ini", "");
  DoReset(underHost);
  EXPECT_EQ(contest.HostVersion(), "2.19");
  std::filesystem::remove("host/OldVevozi2.ini");
  WriteFileBytes("host/vevozi2.ini", "Vorlog=2.15\r\n");
  DoReset(underHost);
  EXPECT_EQ(contest.HostVersion(), "Vorlog");
}

TEST_F(ContestReset, StartFlagAlternatesAndOpensTheControlWindow) {
  DoReset();
  EXPECT_EQ(ui.threadStarts, 1);
  DoReset();
  EXPECT_EQ(ui.threadStarts, 1);
  DoReset();
  EXPECT_EQ(ui.threadStarts, 2);
  EXPECT_EQ(StartWrites(), (Strings{"1", "0", "1"}));
  EXPECT_EQ(settings.Get("Start"), "1");

  // A window that is already open: nothing is started and nothing written.
  ui.controlWindow = true;
  settings.Set("Start", "0");
  settings.TakeWrites();
  DoReset();
  EXPECT_EQ(ui.threadStarts, 2);
  EXPECT_TRUE(StartWrites().empty());
  // Any non-zero value counts as armed.
  settings.Set("Start", " 7");
  DoReset();
  EXPECT_EQ(StartWrites(), Strings{"0"});
}

TEST_F(ContestReset, OlderHostsDoNotOpenTheWindowByThemselves) {
  for (const char* version : {"2.14", "2.14R", "2.15", "2.16", "2.17", "2.18"}) {
    WriteFileBytes("Vevozi2.ini", std::string("Vorlog=") + version + "\r\n");
    settings.Erase("Start");
    settings.TakeWrites();
    DoReset();
    EXPECT_EQ(ui.threadStarts, 0) << version;
    EXPECT_EQ(StartWrites(), Strings{"1"}) << version;  // armed all the same
  }
  for (const char* version : {"2.19", "2.20", "2.21", "2.14r", ""}) {
    WriteFileBytes("Vevozi2.ini", std::string("Vorlog=") + version + "\r\n");
    settings.Erase("Start");
    const int before = ui.threadStarts;
    DoReset();
    EXPECT_EQ(ui.threadStarts, before + 1) << version;
  }
}

TEST_F(ContestReset, ANewContestEndsDisarmedWithoutOpeningTheWindow) {
  Reset fresh;
  fresh.newContest = 1;
  DoReset(fresh);
  EXPECT_EQ(ui.dialogsShown.size(), 1u);
  EXPECT_EQ(ui.threadStarts, 0);
  EXPECT_EQ(StartWrites(), (Strings{"1", "0"}));
  EXPECT_TRUE(work.NewContest());

  ui.operatorAction = [](CabrilloHeaderFields&) { return false; };
  settings.TakeWrites();
  DoReset(fresh);
  EXPECT_EQ(ui.dialogsShown.size(), 2u);
  EXPECT_EQ(ui.threadStarts, 0);
  EXPECT_EQ(StartWrites(), (Strings{"1", "0"}));
  EXPECT_FALSE(work.NewContest());  // cancelled: no export pass

  // Without the flag no dialog opens.
  DoReset();
  EXPECT_EQ(ui.dialogsShown.size(), 2u);
  EXPECT_FALSE(work.NewContest());
}

TEST_F(ContestReset, SetupMastIsReadAsADecimalNumber) {
  const std::pair<const char*, bool> cases[] = {{"1", true},  {"0", false},   {" 12abc", true},
                                                {"-1", true}, {"abc", false}, {"", false}};
  for (const auto& [text, on] : cases) {
    settings.Set("setup_mast", text);
    DoReset();
    EXPECT_EQ(contest.SetupMast(), on) << '"' << text << '"';
  }
  settings.Erase("setup_mast");
  DoReset();
  EXPECT_FALSE(contest.SetupMast());
}

TEST_F(ContestReset, SpecialCallsAreLoadedLineByLine) {
  // An empty last line is a line of the list.
  WriteFileBytes("Plugins/call_special.dat", "R100MV MV\r\nUA3ABC  LO\r\n\r\n");
  DoReset();
  EXPECT_EQ(contest.SpecialCalls(), (Strings{"R100MV MV", "UA3ABC  LO", ""}));

  WriteFileBytes("Plugins/call_special.dat", "\nR9SPEC x SH\nRZ1A JA");
  DoReset();
  EXPECT_EQ(contest.SpecialCalls(), (Strings{"", "R9SPEC x SH", "RZ1A JA"}));

  std::filesystem::remove("Plugins/call_special.dat");
  DoReset();
  EXPECT_TRUE(contest.SpecialCalls().empty());
}

}  // namespace
}  // namespace zd::test
