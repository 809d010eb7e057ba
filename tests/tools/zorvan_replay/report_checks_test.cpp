// Each rule check of the after-contest report on hand-made logs replayed through the
// built module: one where it must fire and one where it must not.
#include <gtest/gtest.h>

#include "report_replay.h"
#include "zorvan_replay/replay.h"

namespace zd::replay::test {
namespace {

using Indices = std::vector<int>;

class ReportChecks : public ModuleReplay {};

TEST_F(ReportChecks, OtherModeOnTheBandWithinThreeMinutesAsTheModuleCountsThem) {
  // The module's waiting rule: whole minutes from the station's last QSO in the other
  // mode on the band, the span rounded to the second and cut; it warns below 3.
  const auto r = Replay(Adif("DL1ABC", "120000", "20m", "RTTY", "1") +
                            Adif("DL1ABC", "120259", "20m", "BPSK63", "2") +  // 2 min 59 s
                            Adif("DL2ABC", "121000", "20m", "RTTY", "1") +
                            Adif("DL2ABC", "121300", "20m", "BPSK63", "2") +  // exactly 3 min
                            Adif("DL3ABC", "122000", "20m", "RTTY", "1") +
                            Adif("DL3ABC", "122000", "40m", "BPSK63", "2") +  // another band
                            Adif("DL4ABC", "123000", "20m", "RTTY", "1") +
                            Adif("DL4ABC", "123000", "20m", "BPSK63", "2"),  // the same second
                        SmallCountryFile());
  EXPECT_EQ(r->a.modeTooSoon, (Indices{1, 7}));
  const QsoResult& q = r->a.qsos[1];
  EXPECT_EQ(q.partner, 0);
  EXPECT_TRUE(q.flags & kFlagModeTooSoon);
  EXPECT_NE(r->run.verdicts[1].waitMessage.find("DL1ABC"), std::string::npos);
  EXPECT_NE(r->run.verdicts[7].waitMessage.find(" 3 "), std::string::npos);  // 3 minutes to wait
  EXPECT_EQ(r->run.verdicts[3].waitMessage, "");
  EXPECT_FALSE(r->a.qsos[3].flags & kFlagModeTooSoon);
  // The QSOs themselves both count: the rule is the sponsor's, not the module's.
  EXPECT_TRUE(q.counted);
}

TEST_F(ReportChecks, TenBandChangesInAClockHour) {
  // Eleven QSOs alternating 20 m and 40 m from 14:00 make ten changes; the eleventh QSO at
  // 15:00 starts a new hour and is no change.
  std::string ten, nine;
  for (int i = 0; i < 11; ++i) {
    const std::string time = "14" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "00";
    ten += Adif("DL" + std::to_string(i) + "AA", time, i % 2 ? "40m" : "20m", "RTTY", "1");
    if (i < 10)
      nine += Adif("DL" + std::to_string(i) + "AA", time, i % 2 ? "40m" : "20m", "RTTY", "1");
  }
  const auto red = Replay(ten + Adif("DL1ZZ", "150000", "20m", "RTTY", "1"), SmallCountryFile());
  ASSERT_EQ(red->a.bandChangeHours.size(), 1u);
  EXPECT_EQ(red->a.bandChangeHours[0].changes, 10);
  EXPECT_EQ(red->a.bandChangeHours[0].qsos.size(), 10u);
  EXPECT_EQ(SecondsText(red->a.bandChangeHours[0].hour * 3600), "2024-03-16 14:00:00");
  EXPECT_TRUE(red->a.qsos[10].flags & kFlagBandChanges);  // the tenth change
  EXPECT_FALSE(red->a.qsos[9].flags & kFlagBandChanges);
  EXPECT_EQ(red->a.qsos[11].bandChange, 0);

  const auto green = Replay(nine + Adif("DL1ZZ", "150000", "40m", "RTTY", "1"), SmallCountryFile());
  EXPECT_TRUE(green->a.bandChangeHours.empty());
  EXPECT_EQ(green->a.hours.front().bandChanges, 9);
}

TEST_F(ReportChecks, DupesWithTheQsoTheyRepeat) {
  const auto r = Replay(Adif("DL1ABC", "120000", "20m", "RTTY", "1") +
                            Adif("DL1ABC", "120500", "20m", "BPSK63", "2") +  // other mode
                            Adif("DL1ABC", "121000", "40m", "RTTY", "3") +    // other band
                            Adif("DL1ABC", "122000", "20m", "RTTY", "4"),     // a dupe
                        SmallCountryFile());
  EXPECT_EQ(r->a.dupes, Indices{3});
  EXPECT_EQ(r->a.qsos[3].partner, 0);
  EXPECT_EQ(r->run.verdicts[3].checkCode, 0);  // the call check said so first
  EXPECT_EQ(r->a.total.dupes, 1);

  const auto clean = Replay(
      Adif("DL1ABC", "120000", "20m", "RTTY", "1") + Adif("DL1ABC", "120500", "20m", "BPSK63", "2"),
      SmallCountryFile());
  EXPECT_TRUE(clean->a.dupes.empty());
}

TEST_F(ReportChecks, RefusedAndNotCountedWithTheModulesReasons) {
  const auto r = Replay(Adif("DL1ABC", "120000", "30m", "RTTY", "1") +       // not a contest band
                            Adif("DL2ABC", "120100", "20m", "FT8", "1") +    // not a contest mode
                            Adif("DL3ABC", "120200", "20m", "RTTY", "") +    // no exchange
                            Adif("RA3DX", "120300", "20m", "RTTY", "599") +  // not a region
                            Adif("DL5ABC", "120400", "20m", "RTTY", "1") +
                            Adif("DL5ABC", "120500", "20m", "RTTY", "2"),  // dupe
                        SmallCountryFile());
  EXPECT_EQ(r->a.notCounted, (Indices{0, 1, 2, 3, 5}));
  EXPECT_EQ(r->a.refused, 3);
  EXPECT_EQ(r->a.badRegions, 1);
  const auto reasons = [&](std::size_t i) {
    std::vector<ReasonKind> out;
    for (const std::string& l : r->run.verdicts[i].reportLines) out.push_back(ReasonOfLine(l));
    return out;
  };
  EXPECT_EQ(reasons(0), std::vector<ReasonKind>{ReasonKind::kWrongBand});
  EXPECT_EQ(reasons(1), std::vector<ReasonKind>{ReasonKind::kWrongMode});
  EXPECT_EQ(reasons(2), std::vector<ReasonKind>{ReasonKind::kNoRxNumber});
  EXPECT_EQ(reasons(3), std::vector<ReasonKind>{ReasonKind::kBadRegion});
  EXPECT_EQ(reasons(5), std::vector<ReasonKind>{ReasonKind::kDupe});
  EXPECT_EQ(ReportReason(r->run.verdicts[3].reportLines[0]),
            "Russland Code Area is not acceptable !!!");
  EXPECT_TRUE(r->a.qsos[0].flags & kFlagRefused);
  EXPECT_FALSE(r->a.qsos[3].counted);
  EXPECT_TRUE(r->a.qsos[4].counted);

  const auto clean = Replay(
      Adif("DL1ABC", "120000", "20m", "RTTY", "1") + Adif("RA3DX", "120300", "20m", "RTTY", "MO"),
      SmallCountryFile());
  EXPECT_TRUE(clean->a.notCounted.empty());
}

TEST_F(ReportChecks, RegionOtherThanTheCallImplies) {
  // RA3DX implies MO; R100MV is a special-event call; R3SPC's region comes from the
  // special-call list.
  const auto r = Replay(Adif("RA3DX", "120000", "20m", "RTTY", "MA") +
                            Adif("RA3DY", "120100", "20m", "RTTY", "mo") +
                            Adif("R100MV", "120200", "20m", "RTTY", "TA") +
                            Adif("R3SPC", "120300", "20m", "RTTY", "SP") +
                            Adif("R3SPD", "120400", "20m", "RTTY", "MO"),
                        SmallCountryFile(), "R3SPC x SP\nR3SPD x SP\n");
  EXPECT_EQ(r->a.regionNotCalls, (Indices{0, 4}));
  EXPECT_EQ(r->a.qsos[0].impliedRegion, "MO");
  EXPECT_EQ(r->a.qsos[0].region, "MA");
  EXPECT_EQ(r->a.qsos[4].impliedRegion, "SP");
  EXPECT_TRUE(r->a.qsos[0].counted);  // a valid code scores all the same

  const auto clean = Replay(Adif("RA3DX", "120000", "20m", "RTTY", "MO"), SmallCountryFile());
  EXPECT_TRUE(clean->a.regionNotCalls.empty());
}

TEST_F(ReportChecks, TheSameStationSendingDifferentExchanges) {
  const auto r = Replay(Adif("RA3DX", "120000", "20m", "RTTY", "MO") +
                            Adif("RA3DX", "130000", "40m", "RTTY", "MA") +
                            Adif("DL1ABC", "120000", "20m", "RTTY", "15") +
                            Adif("DL1ABC", "130000", "40m", "RTTY", "12") +  // smaller
                            Adif("DL1ABC", "140000", "15m", "RTTY", "30") +
                            Adif("K1ABC", "120000", "20m", "RTTY", "5") +
                            Adif("K1ABC", "130000", "40m", "RTTY", "5"),  // the same number
                        SmallCountryFile());
  ASSERT_EQ(r->a.exchangeChanges.size(), 3u);
  EXPECT_EQ(r->a.exchangeChanges[0].call, "DL1ABC");
  EXPECT_EQ(r->a.exchangeChanges[0].qsos, (Indices{2, 3}));
  EXPECT_FALSE(r->a.exchangeChanges[0].regions);
  EXPECT_EQ(r->a.exchangeChanges[1].call, "K1ABC");
  EXPECT_EQ(r->a.exchangeChanges[2].call, "RA3DX");
  EXPECT_TRUE(r->a.exchangeChanges[2].regions);
  EXPECT_FALSE(r->a.qsos[4].flags & kFlagExchangeChanged);

  const auto clean = Replay(Adif("RA3DX", "120000", "20m", "RTTY", "MO") +
                                Adif("RA3DX", "130000", "40m", "RTTY", " mo") +
                                Adif("DL1ABC", "130000", "40m", "RTTY", "12") +
                                Adif("DL1ABC", "120000", "20m", "RTTY", "3"),  // earlier, smaller
                            SmallCountryFile());
  EXPECT_TRUE(clean->a.exchangeChanges.empty());
}

TEST_F(ReportChecks, CallsNotInTheCheckFile) {
  const auto r = Replay(Adif("DL1ABC", "120000", "20m", "RTTY", "1") +
                            Adif("DL9QQQ", "120100", "20m", "RTTY", "1") +
                            Adif("DL9QQQ", "120200", "40m", "RTTY", "2") +
                            Adif("DL/RA3DX/P", "120300", "20m", "RTTY", "3"),
                        SmallCountryFile(), {}, {"DL1ABC", "RA3DX"});
  EXPECT_TRUE(r->a.scpChecked);
  ASSERT_EQ(r->a.unknownCalls.size(), 1u);
  EXPECT_EQ(r->a.unknownCalls[0].call, "DL9QQQ");
  EXPECT_EQ(r->a.unknownCalls[0].qsos, (Indices{1, 2}));

  const auto clean =
      Replay(Adif("DL1ABC", "120000", "20m", "RTTY", "1"), SmallCountryFile(), {}, {"DL1ABC"});
  EXPECT_TRUE(clean->a.unknownCalls.empty());
  const auto unchecked = Replay(Adif("DL9QQQ", "120000", "20m", "RTTY", "1"), SmallCountryFile());
  EXPECT_FALSE(unchecked->a.scpChecked);
  EXPECT_TRUE(unchecked->a.unknownCalls.empty());
}

TEST_F(ReportChecks, NewMultipliersAsTheCallCheckAndTheScoreSeeThem) {
  // UA9 on 20 m RTTY is a new DXCC, but the call check of a Russian station answers for
  // its region, which RA3DX already brought.
  const auto r = Replay(Adif("RA3DX", "120000", "20m", "RTTY", "MO") +
                            Adif("RA9ABC", "120100", "20m", "RTTY", "MO") +
                            Adif("DL1ABC", "120200", "20m", "RTTY", "1") +
                            Adif("DL2ABC", "120300", "20m", "RTTY", "1"),
                        SmallCountryFile());
  EXPECT_EQ(r->run.verdicts[0].checkCode, 2);
  EXPECT_EQ(r->run.verdicts[1].checkCode, 1);
  EXPECT_TRUE(r->a.qsos[1].newDxcc);
  EXPECT_FALSE(r->a.qsos[1].newRegion);
  EXPECT_EQ(r->run.verdicts[2].checkCode, 2);
  EXPECT_EQ(r->run.verdicts[3].checkCode, 1);
  EXPECT_FALSE(r->a.qsos[3].newDxcc);
  EXPECT_EQ(r->a.total.dxcc, 3);
  EXPECT_EQ(r->a.total.regions, 1);
}

}  // namespace
}  // namespace zd::replay::test
