#include "zorvan_replay/replay_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/files.h"

namespace zd::replay {
namespace {

std::string F(const std::string& name, const std::string& value) {
  return "<" + name + ":" + std::to_string(value.size()) + ">" + value;
}

std::string Record(const std::string& call = "DL1ABC", const std::string& extra = "") {
  return F("CALL", call) + F("QSO_DATE", "20240316") + F("TIME_ON", "120530") +
         F("FREQ", "14.0835") + F("MODE", "RTTY") + F("RST_SENT", "599") + F("RST_RCVD", "579") +
         F("STX_STRING", "MO") + F("SRX_STRING", "42") + extra + "<EOR>\n";
}

// The message of the LogError that parsing throws, or "" when it does not throw.
template <typename Fn>
std::string ErrorOf(Fn fn) {
  try {
    fn();
  } catch (const LogError& e) {
    return e.what();
  }
  return "";
}

TEST(Adif, ReadsTheFieldsTheHostPasses) {
  const std::string text = "Sample log <ADIF_VER:5>3.1.4\r\n<EOH>\r\n" +
                           Record("dl1abc", F("STATION_CALLSIGN", "r3dzv")) + F("call", "UA9ABC") +
                           F("qso_date", "20240317") + F("time_on", "0007") + F("band", "80M") +
                           F("mode", "PSK") + F("submode", "PSK63") + F("srx", "TO") +
                           F("stx", "MO") + "<eor>\n";
  const ReplayLog log = ParseAdif(text, "x.adi");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.ownCall, "R3DZV");
  const LogQso& a = log.qsos[0];
  EXPECT_EQ(a.call, "DL1ABC");
  EXPECT_EQ(a.time, (UtcTime{2024, 3, 16, 12, 5, 30}));
  EXPECT_EQ(a.freqHz, 14083500u);
  EXPECT_EQ(a.band, "20m");  // from the frequency
  EXPECT_EQ(a.mode, "RTTY");
  EXPECT_EQ(a.rstSent, "599");
  EXPECT_EQ(a.rstRcvd, "579");
  EXPECT_EQ(a.exchSent, "MO");
  EXPECT_EQ(a.exchRcvd, "42");
  EXPECT_EQ(a.line, 3);
  // 16 March 2024 12:05:30 is day 45367 of the host's calendar.
  EXPECT_DOUBLE_EQ(a.date, 45367.0 + (12 * 3600 + 5 * 60 + 30) / 86400.0);
  const LogQso& b = log.qsos[1];
  EXPECT_EQ(b.band, "80m");  // the BAND field as the host spells it, no frequency
  EXPECT_EQ(b.freqHz, 0u);
  EXPECT_EQ(b.mode, "BPSK63");
  EXPECT_EQ(b.exchRcvd, "TO");  // SRX when there is no SRX_STRING
  EXPECT_EQ(b.exchSent, "MO");
  EXPECT_EQ(b.time, (UtcTime{2024, 3, 17, 0, 7, 0}));
  EXPECT_EQ(b.line, 4);
}

TEST(Adif, FieldDataIsCountedNotScanned) {
  // A header field and a QSO field whose data hold '<', '>' and a line break.
  const std::string text = "hdr " + F("PROGRAMID", "a<b>c") + " <EOH>\n" +
                           Record("K1ABC", F("COMMENT", "x <EOR> y\nz")) + Record("W1AW");
  const ReplayLog log = ParseAdif(text, "x.adi");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.qsos[0].call, "K1ABC");
  EXPECT_EQ(log.qsos[1].call, "W1AW");
  EXPECT_EQ(log.qsos[1].line, 4);  // after the line break inside the comment
  // Without a header the file starts with the first tag; OPERATOR names the own call.
  const ReplayLog bare = ParseAdif(Record("K1ABC", F("OPERATOR", "DL2ZZ")), "y.adi");
  ASSERT_EQ(bare.qsos.size(), 1u);
  EXPECT_EQ(bare.ownCall, "DL2ZZ");
}

TEST(Adif, MalformedInputNamesFileAndLine) {
  const std::string head = "log\n<EOH>\n";
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + Record() + "<CALL:4", "a.adi"); }),
            "a.adi:4: unterminated tag");
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + "\n<CALL:x4>DL1A<EOR>", "a.adi"); }),
            "a.adi:4: field CALL: bad length \"x4\"");
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + "<CALL:40>DL1A<EOR>", "a.adi"); }),
            "a.adi:3: field CALL: its length runs past the end of the file");
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + Record() + F("CALL", "K1A"), "a.adi"); }),
            "a.adi:4: the last record is not closed by <EOR>");
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + "<CALL>DL1A<EOR>", "a.adi"); }),
            "a.adi:3: tag <CALL> has no length");
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + Record() + "<EOH>", "a.adi"); }),
            "a.adi:4: <EOH> inside the QSO records");
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + "<EOR>", "a.adi"); }),
            "a.adi:3: <EOR> closes an empty record");
  EXPECT_EQ(ErrorOf([&] { ParseAdif("just some text\nno header end\n", "a.adi"); }),
            "a.adi:1: the header is not closed by <EOH> (is this an ADIF log?)");
  EXPECT_EQ(ErrorOf([&] { ParseAdif(head + F("QSO_DATE", "20240316") + "<EOR>", "a.adi"); }),
            "a.adi:3: QSO without CALL");
}

TEST(Adif, BadQsoFieldsAreErrors) {
  auto one = [](const std::string& date, const std::string& time, const std::string& rest) {
    return ErrorOf([&] {
      ParseAdif(
          "<EOH>\n" + F("CALL", "DL1A") + F("QSO_DATE", date) + F("TIME_ON", time) + rest + "<EOR>",
          "b.adi");
    });
  };
  const std::string ok = F("FREQ", "7.012") + F("MODE", "RTTY");
  EXPECT_EQ(one("20240316", "1205", ok), "");
  EXPECT_EQ(one("2024-03-16", "1205", ok),
            "b.adi:2: DL1A: QSO_DATE \"2024-03-16\" is not YYYYMMDD");
  EXPECT_EQ(one("20230229", "1205", ok), "b.adi:2: no such date or time: 2023-02-29 12:05:00");
  EXPECT_EQ(one("20240316", "1260", ok), "b.adi:2: no such date or time: 2024-03-16 12:60:00");
  EXPECT_EQ(one("20240316", "12:05", ok), "b.adi:2: DL1A: TIME_ON \"12:05\" is not HHMM or HHMMSS");
  EXPECT_EQ(one("20240316", "1205", F("FREQ", "14,085") + F("MODE", "RTTY")),
            "b.adi:2: DL1A: FREQ \"14,085\" is not a frequency in MHz");
  EXPECT_EQ(one("20240316", "1205", F("MODE", "RTTY")),
            "b.adi:2: DL1A: QSO with neither BAND nor FREQ");
  EXPECT_EQ(one("20240316", "1205", F("FREQ", "7.012")), "b.adi:2: DL1A: QSO without MODE");
}

const char kCabrillo[] =
    "START-OF-LOG: 3.0\r\n"
    "CONTEST: REVUZU-DUV\r\n"
    "CALLSIGN: R3DZV\r\n"
    "SOAPBOX: \r\n"
    "QSO:  7012 RY 2022-03-19 1205 R3DZV         599 MO     UA9ABCDEFGHIJKL 599 TO\r\n"
    "QSO: 14072 PM 2022-03-19 1206 R3DZV         599 MO     DL1ABC        579 1234\r\n"
    "X-QSO: 14072 PM 2022-03-19 1207 R3DZV       599 MO     K1ABC         599 12\r\n"
    "QSO: 14072 ?? 2022-03-19 1208 R3DZV         599 MO     K1ABC         599 12\r\n"
    "END-OF-LOG:\r\n";

TEST(Cabrillo, ReadsTheLinesTheModuleWrites) {
  EXPECT_EQ(DetectFormat(kCabrillo), LogFormat::kCabrillo);
  EXPECT_EQ(DetectFormat("\xEF\xBB\xBF  start-of-log: 3.0\n"), LogFormat::kCabrillo);
  EXPECT_EQ(DetectFormat("<CALL:4>DL1A<EOR>"), LogFormat::kAdif);
  const ReplayLog log = ParseCabrillo(kCabrillo, "c.cbr");
  EXPECT_EQ(log.ownCall, "R3DZV");
  ASSERT_EQ(log.qsos.size(), 3u);  // the X-QSO line is not replayed
  const LogQso& a = log.qsos[0];
  EXPECT_EQ(a.freqHz, 7012000u);
  EXPECT_EQ(a.band, "40m");
  EXPECT_EQ(a.mode, "RTTY");
  EXPECT_EQ(a.time, (UtcTime{2022, 3, 19, 12, 5, 0}));
  EXPECT_EQ(a.call, "UA9ABCDEFGHIJKL");  // wider than its column
  EXPECT_EQ(a.exchSent, "MO");
  EXPECT_EQ(a.exchRcvd, "TO");
  EXPECT_EQ(a.line, 5);
  EXPECT_EQ(log.qsos[1].mode, "BPSK63");
  EXPECT_EQ(log.qsos[1].band, "20m");
  EXPECT_EQ(log.qsos[1].rstRcvd, "579");
  EXPECT_EQ(log.qsos[2].mode, "??");  // passed on for the module to refuse
  EXPECT_EQ(log.contest, "REVUZU-DUV");
  EXPECT_EQ(log.header.size(), 3u);  // CONTEST, CALLSIGN, SOAPBOX
  EXPECT_EQ(a.text,
            "QSO:  7012 RY 2022-03-19 1205 R3DZV         599 MO     UA9ABCDEFGHIJKL 599 TO");
}

// Other loggers write the contest's QSOs with the exchange layouts of other contests:
// more fields, a transmitter column, the generic digital mode code.
TEST(Cabrillo, AnyNumberOfExchangeFields) {
  const std::string text =
      "START-OF-LOG: 3.0\nCONTEST: CQ-WW-RTTY\nCALLSIGN: R3DZV\n"
      // 13 fields: report, exchange and zone each way, then the transmitter.
      "QSO: 14080 RY 2024-03-16 1200 R3DZV 599 MO 16 DL1ABC 599 042 14 1\n"
      // No report, one field each way.
      "QSO: 14080 PS 2024-03-16 1201 R3DZV MO DL1ABC 043\n"
      // Sent and received of different lengths: the worked call is the first call sign.
      "QSO: 7012 DG 2024-03-16 1202 R3DZV 599 MO 001 DL2AB 599 12\n"
      // An odd count whose last field is no transmitter.
      "QSO: 7012 pm 2024-03-16 1203 R3DZV 599 MO DL3AB 599 16 12\n"
      // A busted call without a digit, where the worked call stands.
      "QSO: 7012 RY 2024-03-16 1204 R3DZV 599 MO RUPNHS 599 PK\n"
      "END-OF-LOG:\n";
  const ReplayLog log = ParseCabrillo(text, "o.cbr");
  EXPECT_EQ(log.contest, "CQ-WW-RTTY");
  ASSERT_EQ(log.qsos.size(), 5u);
  EXPECT_EQ(log.qsos[4].call, "RUPNHS");
  EXPECT_EQ(log.qsos[4].exchRcvd, "PK");
  const LogQso& a = log.qsos[0];
  EXPECT_EQ(a.stationCall, "R3DZV");
  EXPECT_EQ(a.call, "DL1ABC");
  EXPECT_EQ(a.sentFields, (std::vector<std::string>{"599", "MO", "16"}));
  EXPECT_EQ(a.rcvdFields, (std::vector<std::string>{"599", "042", "14"}));
  EXPECT_EQ(a.transmitter, "1");
  EXPECT_EQ(a.rstSent, "599");
  EXPECT_EQ(a.exchSent, "MO");
  EXPECT_EQ(a.rstRcvd, "599");
  EXPECT_EQ(a.exchRcvd, "042");
  const LogQso& b = log.qsos[1];
  EXPECT_EQ(b.mode, "BPSK63");
  EXPECT_EQ(b.rstSent, "");
  EXPECT_EQ(b.exchSent, "MO");
  EXPECT_EQ(b.exchRcvd, "043");
  const LogQso& c = log.qsos[2];
  EXPECT_EQ(c.mode, "BPSK63");  // DG
  EXPECT_EQ(c.call, "DL2AB");
  EXPECT_EQ(c.sentFields, (std::vector<std::string>{"599", "MO", "001"}));
  EXPECT_EQ(c.exchSent, "MO");
  EXPECT_EQ(c.exchRcvd, "12");
  const LogQso& d = log.qsos[3];
  EXPECT_EQ(d.mode, "BPSK63");  // codes in any case
  EXPECT_EQ(d.call, "DL3AB");
  EXPECT_EQ(d.transmitter, "");
  EXPECT_EQ(d.exchRcvd, "16");
  // DG as another mode when the operator says so.
  EXPECT_EQ(ParseCabrillo(text, "o.cbr", ReadOptions{"BPSK125"}).qsos[2].mode, "BPSK125");
}

TEST(Cabrillo, MalformedInputNamesFileAndLine) {
  const std::string head = "START-OF-LOG: 3.0\nCALLSIGN: R3DZV\n";
  const std::string tail = "END-OF-LOG:\n";
  auto err = [&](const std::string& body) {
    return ErrorOf([&] { ParseCabrillo(head + body + tail, "c.cbr"); });
  };
  EXPECT_EQ(err("QSO: 7012 RY 2022-03-19 1205 R3DZV 599 MO DL1A 599 12\n"), "");
  EXPECT_EQ(err("QSO: 7012 RY 2022-03-19 1205 R3DZV\n"),
            "c.cbr:3: a QSO line has at least 6 fields (frequency, mode, date, time, own call, "
            "worked call); this one has 5");
  EXPECT_EQ(err("QSO: 7012 RY 2022-03-19 1205 R3DZV 599 MO 599 12\n"),
            "c.cbr:3: no worked call sign after the own call R3DZV");
  EXPECT_EQ(err("QSO: 0 RY 2022-03-19 1205 R3DZV 599 MO DL1A 599 12\n"),
            "c.cbr:3: frequency \"0\" is not a number of kHz");
  EXPECT_EQ(err("QSO: 7.012 RY 2022-03-19 1205 R3DZV 599 MO DL1A 599 12\n"),
            "c.cbr:3: frequency \"7.012\" is not a number of kHz");
  EXPECT_EQ(err("QSO: 7012 RY 19.03.2022 1205 R3DZV 599 MO DL1A 599 12\n"),
            "c.cbr:3: date \"19.03.2022\" is not YYYY-MM-DD");
  EXPECT_EQ(err("QSO: 7012 RY 2022-03-19 12:05 R3DZV 599 MO DL1A 599 12\n"),
            "c.cbr:3: time \"12:05\" is not HHMM");
  EXPECT_EQ(err("QSO: 7012 RY 2022-13-19 1205 R3DZV 599 MO DL1A 599 12\n"),
            "c.cbr:3: no such date or time: 2022-13-19 12:05:00");
  EXPECT_EQ(err("\nthis is not cabrillo\n"), "c.cbr:4: not a Cabrillo line (TAG: value expected)");
  EXPECT_EQ(ErrorOf([&] {
              ParseCabrillo(head + "QSO: 7012 RY 2022-03-19 1205 R3DZV 599 MO DL1A 599 12\n",
                            "c.cbr");
            }),
            "c.cbr:3: the log ends without END-OF-LOG: (is it cut short?)");
  EXPECT_EQ(ErrorOf([&] { ParseCabrillo("CALLSIGN: R3DZV\n" + tail, "c.cbr"); }),
            "c.cbr:1: the log does not start with START-OF-LOG:");
}

TEST(Adif, ExchangeFieldsWithTheReportAndTheContestId) {
  const ReplayLog log = ParseAdif(
      "<EOH>" + Record("DL1ABC", F("CONTEST_ID", "CQ-WPX-RTTY")) + F("CALL", "RA3AA") +
          F("QSO_DATE", "20240316") + F("TIME_ON", "1210") + F("BAND", "20m") + F("MODE", "RTTY") +
          F("RST_RCVD", "599") + F("SRX_STRING", "599 mo") + F("STX", "7") + "<EOR>",
      "x.adi");
  EXPECT_EQ(log.contest, "CQ-WPX-RTTY");
  ASSERT_EQ(log.qsos.size(), 2u);
  EXPECT_EQ(log.qsos[0].rcvdFields, (std::vector<std::string>{"579", "42"}));
  const LogQso& b = log.qsos[1];
  EXPECT_EQ(b.exchRcvd, "mo");  // the report taken off, the region as written
  EXPECT_EQ(b.rcvdFields, (std::vector<std::string>{"599", "mo"}));
  EXPECT_EQ(b.exchSent, "7");
  EXPECT_EQ(b.sentFields, (std::vector<std::string>{"7"}));
}

const char kAdx[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!-- exported -->\r\n"
    "<ADX>\r\n"
    "  <HEADER><ADIF_VER>3.1.4</ADIF_VER><PROGRAMID>x &amp; y</PROGRAMID></HEADER>\r\n"
    "  <RECORDS>\r\n"
    "    <RECORD>\r\n"
    "      <CALL>DL1&#65;BC</CALL><QSO_DATE>20240316</QSO_DATE><TIME_ON>120530</TIME_ON>\r\n"
    "      <FREQ>14.0835</FREQ><MODE>RTTY</MODE><RST_SENT>599</RST_SENT>\r\n"
    "      <STX_STRING>MO</STX_STRING><SRX_STRING><![CDATA[42]]></SRX_STRING>\r\n"
    "      <APP PROGRAMID=\"x\" FIELDNAME=\"CALL\" TYPE=\"S\">not &lt;this&gt;</APP>\r\n"
    "      <STATION_CALLSIGN>r3dzv</STATION_CALLSIGN><CONTEST_ID>ZORVAN-DIGI</CONTEST_ID>\r\n"
    "    </RECORD>\r\n"
    "    <record><call>UA9ABC</call><qso_date>20240317</qso_date><time_on>0007</time_on>"
    "<band>80M</band><mode>PSK</mode><submode>PSK63</submode><srx>TO</srx><stx>MO</stx>"
    "</record>\r\n"
    "  </RECORDS>\r\n"
    "</ADX>\r\n";

TEST(Adx, ReadsTheSameFieldsAsAdif) {
  EXPECT_EQ(DetectFormat(kAdx), LogFormat::kAdx);
  EXPECT_EQ(DetectFormat("  <ADX><RECORDS/></ADX>"), LogFormat::kAdx);
  EXPECT_EQ(DetectFormat("<ADIF_VER:5>3.1.4<EOH>"), LogFormat::kAdif);
  const ReplayLog log = ParseAdx(kAdx, "x.adx");
  EXPECT_EQ(log.format, LogFormat::kAdx);
  EXPECT_EQ(log.ownCall, "R3DZV");
  EXPECT_EQ(log.contest, "ZORVAN-DIGI");
  ASSERT_EQ(log.qsos.size(), 2u);
  const LogQso& a = log.qsos[0];
  EXPECT_EQ(a.call, "DL1ABC");
  EXPECT_EQ(a.line, 6);
  EXPECT_EQ(a.time, (UtcTime{2024, 3, 16, 12, 5, 30}));
  EXPECT_EQ(a.band, "20m");
  EXPECT_EQ(a.mode, "RTTY");
  EXPECT_EQ(a.exchSent, "MO");
  EXPECT_EQ(a.exchRcvd, "42");
  const LogQso& b = log.qsos[1];
  EXPECT_EQ(b.line, 13);
  EXPECT_EQ(b.band, "80m");
  EXPECT_EQ(b.mode, "BPSK63");
  EXPECT_EQ(b.exchRcvd, "TO");
  EXPECT_TRUE(ParseAdx("<ADX/>", "e.adx").qsos.empty());
}

TEST(Adx, MalformedInputNamesFileAndLine) {
  auto err = [](const std::string& body) {
    return ErrorOf([&] { ParseAdx("<ADX>\n<RECORDS>\n" + body, "b.adx"); });
  };
  EXPECT_EQ(ErrorOf([] { ParseAdx("<?xml version=\"1.0\"?>\n<LOG></LOG>", "b.adx"); }),
            "b.adx:2: not an ADX log: it starts with <LOG>");
  EXPECT_EQ(err("<RECORD><CALL>DL1A</RECORD>\n"), "b.adx:3: </RECORD> where </CALL> belongs");
  EXPECT_EQ(err("<RECORD><CALL>DL1A</CALL>\n"), "b.adx:4: the log ends inside an element");
  EXPECT_EQ(err("<RECORD><CALL>DL&bad;</CALL></RECORD>\n"), "b.adx:3: unknown reference &bad;");
  EXPECT_EQ(err("<RECORD><CALL>DL1A</CALL><MODE>RTTY</MODE></RECORD>\n"),
            "b.adx:3: DL1A: QSO_DATE \"\" is not YYYYMMDD");
  EXPECT_EQ(err("</RECORDS></ADX>trailing"), "b.adx:3: text after </ADX>");
  EXPECT_EQ(err("<!-- open comment"), "b.adx:3: comment not closed");
}

TEST(ReadLogFile, UnreadableOrEmptyLogsAreErrors) {
  const test::ScratchFolder scratch;
  const std::string missing = scratch.string() + "/no-such-log.adi";
  EXPECT_EQ(ErrorOf([&] { ReadLogFile(missing); }), missing + ": no such file");
  const std::string empty = scratch.string() + "/zd-empty-log.adi";
  {
    FILE* f = std::fopen(empty.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("header only\n<EOH>\n", f);
    std::fclose(f);
  }
  EXPECT_EQ(ErrorOf([&] { ReadLogFile(empty); }), empty + ": no QSO in the log");
  // A folder is no log.
  const std::string folder = scratch.string() + "/zd-log-folder";
  std::filesystem::create_directories(folder);
  EXPECT_EQ(ErrorOf([&] { ReadLogFile(folder); }),
            folder + ": is a folder, not a file: name the file itself");
  EXPECT_EQ(ErrorOf([&] { ReadLogFile(folder + "/none.adi"); }),
            folder + "/none.adi: no such file");
}

TEST(ReadLogFile, NamesInAnyScriptAndEveryFormat) {
  // A folder and a file named in Cyrillic (UTF-8 text, wide on Windows).
  const test::ScratchFolder scratch;
  const std::string folder =
      scratch.string() + "/zd-\xD0\x96\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB";
  std::filesystem::create_directories(PathFromUtf8(folder));
  const std::string log = folder + "/\xD0\xBE\xD1\x82\xD1\x87\xD1\x91\xD1\x82 1";
  const std::string texts[] = {"<EOH>" + Record(), kAdx,
                               "START-OF-LOG: 3.0\nQSO: 14080 RY 2024-03-16 1200 R3DZV 599 MO "
                               "DL1ABC 599 042\nEND-OF-LOG:\n"};
  const LogFormat formats[] = {LogFormat::kAdif, LogFormat::kAdx, LogFormat::kCabrillo};
  for (int i = 0; i < 3; ++i) {
    {
      std::ofstream out(PathFromUtf8(log), std::ios::binary);
      out << texts[i];
    }
    const ReplayLog read = ReadLogFile(log);
    EXPECT_EQ(read.format, formats[i]) << i;
    EXPECT_EQ(read.qsos.front().call, "DL1ABC") << i;
  }
  EXPECT_EQ(Utf8FromPath(PathFromUtf8(log)), log);
}

TEST(Conversions, BandsModesAndFrequencies) {
  EXPECT_EQ(BandOfFrequency(1800000), "160m");
  EXPECT_EQ(BandOfFrequency(1799999), "");
  EXPECT_EQ(BandOfFrequency(3580000), "80m");
  EXPECT_EQ(BandOfFrequency(7300000), "40m");
  EXPECT_EQ(BandOfFrequency(10140000), "30m");
  EXPECT_EQ(BandOfFrequency(14350000), "20m");
  EXPECT_EQ(BandOfFrequency(14350001), "");
  EXPECT_EQ(BandOfFrequency(21080000), "15m");
  EXPECT_EQ(BandOfFrequency(29700000), "10m");
  EXPECT_EQ(BandOfFrequency(0), "");

  EXPECT_EQ(HostModeFromAdif("rtty", ""), "RTTY");
  EXPECT_EQ(HostModeFromAdif("PSK", "PSK63"), "BPSK63");
  EXPECT_EQ(HostModeFromAdif("PSK", "bpsk63"), "BPSK63");
  EXPECT_EQ(HostModeFromAdif("PSK63", ""), "BPSK63");
  EXPECT_EQ(HostModeFromAdif("PSK", "PSK125"), "BPSK125");
  EXPECT_EQ(HostModeFromAdif("PSK", "PSK31"), "PSK31");
  EXPECT_EQ(HostModeFromAdif("CW", ""), "CW");
  EXPECT_EQ(HostModeFromCabrillo("RY"), "RTTY");
  EXPECT_EQ(HostModeFromCabrillo("PM"), "BPSK63");
  EXPECT_EQ(HostModeFromCabrillo("PS"), "BPSK63");
  EXPECT_EQ(HostModeFromCabrillo("DG"), "BPSK63");
  EXPECT_EQ(HostModeFromCabrillo("DG", "RTTY"), "RTTY");
  EXPECT_EQ(HostModeFromCabrillo("CW"), "CW");
  EXPECT_EQ(ContestModeName("psk125"), "BPSK125");
  EXPECT_EQ(ContestModeName("Bpsk63"), "BPSK63");
  EXPECT_EQ(ContestModeName("PSK31"), "");

  // What the readers tell apart in exchange fields.
  for (const char* r : {"599", "59", "5NN", "339"}) EXPECT_TRUE(LooksLikeReport(r)) << r;
  for (const char* r : {"699", "5", "5999", "MO", "09"}) EXPECT_FALSE(LooksLikeReport(r)) << r;
  for (const char* c : {"DL1ABC", "R3DZV/P", "9A1A", "UA9/DL1A"})
    EXPECT_TRUE(LooksLikeCall(c)) << c;
  for (const char* c : {"MO", "599", "A1", "DL-1A", ""}) EXPECT_FALSE(LooksLikeCall(c)) << c;
  using V = std::vector<std::string>;
  EXPECT_EQ(ContestExchange(V{"16", "MO"}), "MO");  // a region before a zone
  EXPECT_EQ(ContestExchange(V{"042", "14"}), "042");
  EXPECT_EQ(ContestExchange(V{"DX", "12345", "7"}), "7");
  EXPECT_EQ(ContestExchange(V{"XX"}), "XX");  // for the module to refuse
  EXPECT_EQ(ContestExchange(V{}), "");

  uint32_t hz = 0;
  EXPECT_TRUE(ParseMhz("14.0835", hz));
  EXPECT_EQ(hz, 14083500u);
  EXPECT_TRUE(ParseMhz(" 7 ", hz));
  EXPECT_EQ(hz, 7000000u);
  EXPECT_TRUE(ParseMhz(".5", hz));
  EXPECT_EQ(hz, 500000u);
  EXPECT_TRUE(ParseMhz("3.5800005", hz));  // rounded to the nearest Hz
  EXPECT_EQ(hz, 3580001u);
  EXPECT_FALSE(ParseMhz("", hz));
  EXPECT_FALSE(ParseMhz(".", hz));
  EXPECT_FALSE(ParseMhz("14.08.5", hz));
  EXPECT_FALSE(ParseMhz("-7.0", hz));
  EXPECT_FALSE(ParseMhz("5000", hz));  // past what the host's 32-bit Hz field holds
}

}  // namespace
}  // namespace zd::replay
