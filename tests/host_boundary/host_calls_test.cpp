// The host boundary's packing: every field lands in the position the module reads it
// from, the unread positions get what Unread says, and the DATE conversion is the
// module's own.
#include "host_boundary/host_calls.h"

#include <gtest/gtest.h>

#include <string>

#include "support/host_qso.h"

namespace zd::host {
namespace {

// What the fake exports were called with, by 1-based position.
struct Seen {
  std::string text[34];
  const HostDateTime* time[34] = {};
  double real[34] = {};
  long long number[34] = {};
  char* out[34] = {};
};
Seen g_seen;

std::string Text(const char* p) { return p ? p : "<null>"; }

int FakeAddData0(const char* a1, const char* a2, ZdHostDateTime* a3, ZdHostDateTime* a4,
                 ZdHostDateTime* a5, ZdHostDateTime* a6, unsigned a7, unsigned a8, const char* a9,
                 const char* a10, const char* a11, const char* a12, const char* a13,
                 const char* a14, const char* a15, const char* a16, const char* a17,
                 const char* a18, const char* a19, const char* a20, const char* a21,
                 const char* a22, const char* a23, int a24, int a25, int a26, double a27,
                 double a28, const char* a29, const char* a30, const char* a31, const char* a32,
                 const char* a33) {
  g_seen = Seen{};
  const char* texts[34] = {nullptr, a1,      a2,  nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, a9,  a10,     a11,     a12,     a13,
                           a14,     a15,     a16, a17,     a18,     a19,     a20,
                           a21,     a22,     a23, nullptr, nullptr, nullptr, nullptr,
                           nullptr, a29,     a30, a31,     a32,     a33};
  for (int i = 1; i <= 33; ++i) {
    if (texts[i]) g_seen.text[i] = Text(texts[i]);
  }
  g_seen.time[3] = a3;
  g_seen.time[4] = a4;
  g_seen.time[5] = a5;
  g_seen.time[6] = a6;
  g_seen.number[7] = a7;
  g_seen.number[8] = a8;
  g_seen.number[24] = a24;
  g_seen.number[25] = a25;
  g_seen.number[26] = a26;
  g_seen.real[27] = a27;
  g_seen.real[28] = a28;
  return 1;
}

int FakeCheckCall0(const char* a1, unsigned a2, unsigned, const char* a4, const char* a5,
                   const char*, const char*, const char*, const char*, const char*, const char*,
                   const char*, const char* a13, const char* a14, int a15, int, int, double a18,
                   double, const char* a20, const char* a21, const char* a22, const char*,
                   const char* a24, const char* a25, const char* a26, char* a27, char* a28) {
  g_seen = Seen{};
  for (const auto& [i, p] : {std::pair{1, a1},
                             {4, a4},
                             {5, a5},
                             {13, a13},
                             {14, a14},
                             {20, a20},
                             {21, a21},
                             {22, a22},
                             {24, a24},
                             {25, a25},
                             {26, a26}}) {
    g_seen.text[i] = Text(p);
  }
  g_seen.number[2] = a2;
  g_seen.number[15] = a15;
  g_seen.real[18] = a18;
  g_seen.out[27] = a27;
  g_seen.out[28] = a28;
  if (a27) std::string("MO").copy(a27, 3);
  std::string("WAIT").copy(a28, 5);
  return 2;
}

TEST(HostCalls, AQsoLandsInTheHostsPositions) {
  Exports e;
  e.AddData0 = &FakeAddData0;
  test::HostQso q("R3DZV");
  q.Exchanges("MO", "001").At(45367.5);
  q.rstSent = "579";
  q.rstRcvd = "559";
  ASSERT_EQ(AddQso(e, q), 1);
  const std::pair<int, const char*> read[] = {{1, "R3DZV"}, {2, "DL1ABC"}, {9, "RTTY"}, {10, "579"},
                                              {11, "559"},  {12, "MO"},    {13, "001"}, {23, "DL"},
                                              {30, "EU"},   {32, "20m"}};
  for (const auto& [position, text] : read) EXPECT_EQ(g_seen.text[position], text) << position;
  ASSERT_NE(g_seen.time[3], nullptr);
  EXPECT_EQ(g_seen.time[3]->date, 45367.5);
  EXPECT_EQ(g_seen.number[8], 14080000);
  for (int unread : {14, 18, 22, 29, 31, 33}) EXPECT_EQ(g_seen.text[unread], "") << unread;
  EXPECT_EQ(g_seen.time[4], &kUnreadTime);

  // A test's junk goes to the unread positions only.
  HostDateTime junkTime{-1e300, kInvalidStatus};
  AddData(e, RawOf(q), Unread{"junk", 77u, -7, 1e300, &junkTime});
  EXPECT_EQ(g_seen.text[13], "001");
  EXPECT_EQ(g_seen.text[14], "junk");
  EXPECT_EQ(g_seen.text[33], "junk");
  EXPECT_EQ(g_seen.time[6], &junkTime);
  EXPECT_EQ(g_seen.number[7], 77);
  EXPECT_EQ(g_seen.number[26], -7);
  EXPECT_EQ(g_seen.real[28], 1e300);
}

TEST(HostCalls, ACheckPassesItsBuffersAndReadsThemBack) {
  Exports e;
  e.CheckCall0 = &FakeCheckCall0;
  Check c;
  c.call = "UA3A";
  c.mode = "BPSK63";
  c.prefix = "UA";
  c.continent = "EU";
  c.region = "MO";
  c.band = "40m";
  const CheckReply reply = CheckCall(e, c);
  EXPECT_EQ(reply.code, 2);
  EXPECT_EQ(reply.exchange, "MO");
  EXPECT_EQ(reply.message, "WAIT");
  const std::pair<int, const char*> read[] = {{1, "UA3A"}, {4, "BPSK63"}, {14, "UA"},    {21, "EU"},
                                              {24, "MO"},  {25, "40m"},   {26, "<null>"}};
  for (const auto& [position, text] : read) EXPECT_EQ(g_seen.text[position], text) << position;
  EXPECT_NE(g_seen.out[27], nullptr);
  c.secondBand = "40M";
  CheckCall(e, c);
  EXPECT_EQ(g_seen.text[26], "40M");
}

TEST(HostCalls, DatesByTheModulesOwnConversion) {
  EXPECT_EQ(HostDate(2024, 3, 16, 12, 0), 45367.5);
  EXPECT_EQ(HostDate(1899, 12, 30, 0, 0), 0.0);
  EXPECT_DOUBLE_EQ(HostDate(2026, 12, 8, 23, 59, 30),
                   46364.0 + (23 * 3600 + 59 * 60 + 30) / 86400.0);
  EXPECT_THROW(HostDate(2023, 2, 29, 0, 0), std::invalid_argument);
  EXPECT_EQ(ParseHostDate("2024-03-16 12:00"), 45367.5);
  EXPECT_EQ(ParseHostDate("2024-03-16 12:00:30"), 45367.5 + 30.0 / 86400.0);
  for (const char* bad : {"", "2024-03-16", "2024-02-30 10:00", "2024-03-16 24:00",
                          "2024-03-16 12:00 and more", "noon"}) {
    EXPECT_FALSE(ParseHostDate(bad)) << bad;
  }
}

}  // namespace
}  // namespace zd::host
