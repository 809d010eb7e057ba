// The export pass: the header dialog and the settings it reads and saves, and the
// Cabrillo file that the next results write.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/contest_test_support.h"

namespace zd::test {
namespace {

constexpr char kStationHeader[] =
    "LOCATION: MO\r\n"
    "CLAIMED-SCORE: 64\r\n"
    "CLUB: Digital Club\r\n"
    "CREATED-BY: Vorlog 2.20\r\n"
    "NAME: Ivan Petrov\r\n"
    "ADDRESS: Lenina 1\r\n"
    "ADDRESS-CITY: Moscow\r\n"
    "ADDRESS-POSTALCODE: 101000\r\n"
    "ADDRESS-COUNTRY: Russia\r\n"
    "E-MAIL: ua3dx@example.org\r\n"
    "SOAPBOX: First line\r\n"
    "SOAPBOX: Second line\r\n";

constexpr char kFourQsoLines[] =
    "QSO:  7012 RY 2022-03-19 1205 UA3DX         599 001    DL1ABC        599 002\r\n"
    "QSO: 14071 PM 2022-03-19 1210 UA3DX         599 002    RA9SAB        599 ns\r\n"
    "QSO:  7012 RY 2022-03-19 1220 UA3DX         599 003    DL1ABC        599 004\r\n"
    "QSO: 14080 ?? 2022-03-19 1230 UA3DX         599 004    W1AW          579 15\r\n";

class Cabrillo : public ContestTest {
 protected:
  void SetUp() override {
    settings.Set({{"Name", "Ivan Petrov"},
                  {"Address", "Lenina 1"},
                  {"Address-City", "Moscow"},
                  {"Address-PostalCode", "101000"},
                  {"Address-Country", "Russia"},
                  {"Loc", "MO"},
                  {"Email", "ua3dx@example.org"},
                  {"Club", "Digital Club"},
                  {"SoapBox", "First line<CR><LF>Second line"},
                  {"Power", "HIGH"},
                  {"Claimed", "123"}});
    WriteFileBytes("Vevozi2.ini", "Vorlog=2.20\r\n");
  }
  void StartExportPass(const std::string& ownCall = "UA3DX") {
    Reset r;
    r.newContest = 1;
    r.ownCall = ownCall;
    DoReset(r);
  }
  void LogFourQsos() {
    Qso q1 = Qso{}.On("40m", "RTTY");
    q1.freqHz = 7012000;
    Qso q2 = Qso{}.Call("RA9SAB", "UA9", "AS").On("20m", "BPSK63").Rcvd("ns").Time(12, 10);
    q2.freqHz = 14071500;
    q2.exchSent = "002";
    Qso q3 = Qso(q1).Time(12, 20).Rcvd("004");
    q3.exchSent = "003";
    Qso q4 = Qso{}.Call("W1AW", "W", "NA").On("20m", "BPSK125").Rcvd("15").Time(12, 30);
    q4.freqHz = 14080000;
    q4.exchSent = "004";
    q4.rstRcvd = "579";
    for (const Qso& q : {q1, q2, q3, q4}) ASSERT_EQ(Add(q), 1);
  }
};

TEST_F(Cabrillo, AnExportPassWritesTheWholeLog) {
  StartExportPass();
  ASSERT_EQ(ui.dialogsShown.size(), 1u);
  const CabrilloHeaderFields& shown = ui.dialogsShown[0];
  EXPECT_EQ(shown.contest, "REVUZU-DUV");
  EXPECT_EQ(shown.callsign, "UA3DX");
  EXPECT_EQ(shown.claimed, "123");
  EXPECT_EQ(shown.categoryOperator, "SINGLE-OP");
  EXPECT_EQ(shown.categoryBand, "ALL");
  EXPECT_EQ(shown.transmitter, "ONE");
  EXPECT_EQ(shown.operators, "UA3DX");  // no key: the own call
  EXPECT_EQ(shown.power, "HIGH");
  EXPECT_EQ(shown.location, "MO");
  EXPECT_EQ(shown.soapbox, "First line\r\nSecond line");
  EXPECT_EQ(shown.name, "Ivan Petrov");
  EXPECT_EQ(shown.city, "Moscow");

  // Confirming saves the header in this order, before the start-up flag.
  EXPECT_EQ(settings.WrittenKeys(),
            (Strings{"Band", "Power", "Operators", "Name", "Address", "Address-City",
                     "Address-PostalCode", "Address-Country", "Category", "Contest", "Email",
                     "Club", "SoapBox", "Loc", "Start", "Start"}));
  EXPECT_EQ(settings.Get("SoapBox"), "First line<CR><LF>Second line");
  EXPECT_EQ(settings.Get("Operators"), "UA3DX");
  EXPECT_EQ(settings.Get("Band"), "ALL");
  EXPECT_EQ(settings.Get("Category"), "SINGLE-OP");
  EXPECT_EQ(settings.Get("Contest"), "REVUZU-DUV");
  EXPECT_EQ(settings.Get("Claimed"), "123");

  LogFourQsos();
  // No rates on an export pass; the duplicate and the BPSK125 QSO are in the file.
  EXPECT_EQ(Result(),
            "\t\tZORVAN DIGITAL 19.03-20.03.2022\r\n\t\t\tContestant: UA3DX \r\n"
            "\tQSOs\tPoints\tDXCC\tObl\tRTTY\tBPSK63\r\n"
            "40m\t 1\t 6\t 1\t 0\t 1\t 0\r\n"
            "20m\t 2\t 10\t 2\t 1\t 0\t 1\r\n"
            "Total\t 3\t 16\t 3\t 1\t 1\t 1\r\nDupe\t 1\r\nBad QSO\t 0\r\n\r\n"
            "Last QSO: 5 points\r\n\r\nScore: 16*(3+1) = 64\r\n\r\n\t\t\tRate\r\n"
            "Hourly (10min) QSO rate:     0 (0) QSOs/hour\r\n"
            "Hourly (10min) pts rate:     0 (0) points/hour\r\n\r\n\r\nZORVAN-DIGI contest module");
  EXPECT_EQ(ui.outputMessages, Strings{"File produced: UA3DX.cbr"});
  EXPECT_EQ(ReadFileBytes("UA3DX.cbr"), std::string("START-OF-LOG: 3.0\r\n"
                                                    "CONTEST: REVUZU-DUV\r\n"
                                                    "CALLSIGN: UA3DX\r\n"
                                                    "CATEGORY-OPERATOR: SINGLE-OP\r\n"
                                                    "CATEGORY-BAND: ALL\r\n") +
                                            kStationHeader + kFourQsoLines + "END-OF-LOG:\r\n");
}

TEST_F(Cabrillo, EachResultWritesTheLogAsItIsThen) {
  StartExportPass();
  LogFourQsos();
  Result();
  Add(Qso{}.Call("K1ABC", "K", "NA").Time(12, 40));
  Result();
  EXPECT_EQ(ui.outputMessages, (Strings{"File produced: UA3DX.cbr", "File produced: UA3DX.cbr"}));
  std::string header = std::string(
                           "START-OF-LOG: 3.0\r\nCONTEST: REVUZU-DUV\r\nCALLSIGN: UA3DX\r\n"
                           "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\n") +
                       kStationHeader;
  header.replace(header.find("CLAIMED-SCORE: 64"), 17, "CLAIMED-SCORE: 105");  // 21 × 5
  EXPECT_EQ(ReadFileBytes("UA3DX.cbr"),
            header + kFourQsoLines +
                "QSO: 14085 RY 2022-03-19 1240 UA3DX         599 001    K1ABC         599 002\r\n"
                "END-OF-LOG:\r\n");
  // A removed QSO is gone from the next file.
  Remove(Qso{}.Call("K1ABC", "K", "NA").Time(12, 40));
  Result();
  EXPECT_NE(ReadFileBytes("UA3DX.cbr").find(kFourQsoLines + std::string("END-OF-LOG:\r\n")),
            std::string::npos);
}

TEST_F(Cabrillo, FileNameFromTheOwnCall) {
  const std::pair<const char*, const char*> cases[] = {{"UA3DX/P", "UA3DX_P.cbr"},
                                                       {"R\\A/1", "R_A_1.cbr"},
                                                       {" \tUA3DX ", "UA3DX.cbr"},
                                                       {"", "VKLB.cbr"},
                                                       {"   ", "VKLB.cbr"}};
  for (const auto& [call, file] : cases) {
    ui.outputMessages.clear();
    StartExportPass(call);
    Result();
    EXPECT_EQ(ui.outputMessages, Strings{std::string("File produced: ") + file}) << call;
    const std::string text = ReadFileBytes(file);
    EXPECT_NE(text.find(std::string("\r\nCALLSIGN: ") + call + "\r\n"), std::string::npos)
        << call << ": " << text;
    std::filesystem::remove(file);
  }
}

TEST_F(Cabrillo, OperatorCategoryDecidesTheCategoryLines) {
  const auto fileWith = [this](const char* category) {
    ui.operatorAction = [category](CabrilloHeaderFields& f) {
      f.categoryOperator = category;
      f.operators = "UA3DX UA3ABC";
      return true;
    };
    StartExportPass();
    Result();
    const std::string text = ReadFileBytes("UA3DX.cbr");
    const auto from = text.find("CATEGORY-OPERATOR");
    return text.substr(from, text.find("LOCATION:") - from);
  };
  EXPECT_EQ(fileWith("MULTI-OP"),
            "CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\n"
            "OPERATORS: UA3DX UA3ABC\r\n");
  EXPECT_EQ(fileWith("SINGLE-OP"), "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\n");
  EXPECT_EQ(fileWith("CHECKLOG"), "CATEGORY-OPERATOR: CHECKLOG\r\nCATEGORY-BAND: ALL\r\n");
  EXPECT_EQ(fileWith("multi-op"), "CATEGORY-OPERATOR: multi-op\r\nCATEGORY-BAND: ALL\r\n");
  EXPECT_EQ(settings.Get("Operators"), "UA3DX UA3ABC");
  EXPECT_EQ(settings.Get("Category"), "multi-op");
}

TEST_F(Cabrillo, SoapboxLinesBecomeSoapboxLinesOfTheFile) {
  ui.operatorAction = [](CabrilloHeaderFields& f) {
    f.soapbox = "73 from Moscow\r\nRTTY only\r\nsee you";
    return true;
  };
  StartExportPass();
  EXPECT_EQ(settings.Get("SoapBox"), "73 from Moscow<CR><LF>RTTY only<CR><LF>see you");
  Result();
  const std::string text = ReadFileBytes("UA3DX.cbr");
  EXPECT_NE(text.find("\r\nE-MAIL: ua3dx@example.org\r\nSOAPBOX: 73 from Moscow\r\n"
                      "SOAPBOX: RTTY only\r\nSOAPBOX: see you\r\nEND-OF-LOG:\r\n"),
            std::string::npos)
      << text;
  // The next dialog shows the lines again; an empty soapbox gives one empty line.
  ui.operatorAction = [](CabrilloHeaderFields& f) {
    f.soapbox.clear();
    return true;
  };
  StartExportPass();
  EXPECT_EQ(ui.dialogsShown.back().soapbox, "73 from Moscow\r\nRTTY only\r\nsee you");
  Result();
  EXPECT_NE(ReadFileBytes("UA3DX.cbr").find("\r\nSOAPBOX: \r\nEND-OF-LOG:\r\n"), std::string::npos);
}

TEST_F(Cabrillo, FixedFieldsStartAgainAtTheNextDialog) {
  ui.operatorAction = [](CabrilloHeaderFields& f) {
    f.contest = "SOME OTHER TEST";
    f.categoryBand = "20M";
    f.claimed = "999999";
    f.callsign = "UA3DX/M";
    return true;
  };
  StartExportPass();
  EXPECT_EQ(settings.Get("Band"), "20M");
  EXPECT_EQ(settings.Get("Contest"), "SOME OTHER TEST");
  EXPECT_EQ(settings.Get("Claimed"), "123");  // the dialog's claimed value is not saved
  const std::vector<std::string> writes = settings.Writes();
  EXPECT_NE(std::find(writes.begin(), writes.end(), "Power=HIGH"),
            writes.end());  // passes through unchanged
  Add(Qso{});
  Result();
  // The file keeps its name from the own call but shows the call as edited.
  const std::string text = ReadFileBytes("UA3DX.cbr");
  const std::string head =
      "START-OF-LOG: 3.0\r\nCONTEST: REVUZU-DUV\r\nCALLSIGN: UA3DX/M\r\n"
      "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 20M\r\nLOCATION: MO\r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(
      text.find("QSO: 14085 RY 2022-03-19 1205 UA3DX/M       599 001    DL1ABC        599 002\r\n"),
      std::string::npos)
      << text;

  ui.operatorAction = nullptr;
  StartExportPass();
  const CabrilloHeaderFields& again = ui.dialogsShown.back();
  EXPECT_EQ(again.categoryBand, "ALL");
  EXPECT_EQ(again.contest, "REVUZU-DUV");
  EXPECT_EQ(again.categoryOperator, "SINGLE-OP");
  EXPECT_EQ(again.transmitter, "ONE");
  EXPECT_EQ(again.callsign, "UA3DX");
  EXPECT_EQ(again.claimed, "3");  // the score of the last result
}

TEST_F(Cabrillo, CancellingTheDialogCancelsTheExportPass) {
  ui.operatorAction = [](CabrilloHeaderFields& f) {
    f.name = "Changed";
    return false;
  };
  StartExportPass();
  EXPECT_FALSE(work.NewContest());
  EXPECT_EQ(settings.WrittenKeys(), (Strings{"Start", "Start"}));  // nothing of the header
  Add(Qso{}.Time(12, 29));
  const std::string text = Result();
  EXPECT_NE(text.find("Hourly (10min) QSO rate:     1 (6) QSOs/hour"), std::string::npos);
  EXPECT_TRUE(ui.outputMessages.empty());
  EXPECT_EQ(ReadFileBytes("UA3DX.cbr"), "<missing>");
}

TEST_F(Cabrillo, QsoLinesKeepFieldsWiderThanTheirColumns) {
  StartExportPass();
  Qso wide = Qso{}.Call("VERYLONGCALL/QRP", "W", "NA");
  wide.freqHz = 1296000000;
  wide.rstSent = "5999";
  wide.exchSent = "1234567";
  wide.rstRcvd = "5";
  wide.exchRcvd = "exchange with blanks";
  Qso invalid = Qso{}.Call("DL2INV", "DL", "EU");
  invalid.time = OleDateTime{At(12, 5).date, kDateInvalid};
  invalid.freqHz = 999;
  Qso null = Qso{}.Call("DL3NUL", "DL", "EU");
  null.time = OleDateTime{0.0, kDateNull};
  null.freqHz = 3580000;
  null.mode = "bpsk63";
  for (const Qso& q : {wide, invalid, null}) ASSERT_EQ(Add(q), 1);
  Result();
  const std::string text = ReadFileBytes("UA3DX.cbr");
  EXPECT_NE(
      text.find("\r\nSOAPBOX: Second line\r\n"
                "QSO: 1296000 RY 2022-03-19 1205 UA3DX         5999 1234567 VERYLONGCALL/QRP "
                "5   exchange with blanks\r\n"
                "QSO:     0 RY Invalid DateTime UA3DX         599 001    DL2INV        599 002\r\n"
                "QSO:  3580 ??  UA3DX         599 001    DL3NUL        599 002\r\n"
                "END-OF-LOG:\r\n"),
      std::string::npos)
      << text;
}

TEST(CabrilloLog, FileBaseOfACall) {
  EXPECT_EQ(CabrilloLog::FileBaseFor("UA3DX/P"), "UA3DX_P");
  EXPECT_EQ(CabrilloLog::FileBaseFor("R\\A/1"), "R_A_1");
  EXPECT_EQ(CabrilloLog::FileBaseFor(" / "), "_");
  EXPECT_EQ(CabrilloLog::FileBaseFor("\r\n"), "VKLB");
  EXPECT_EQ(CabrilloLog::FileBaseFor(""), "VKLB");
}

}  // namespace
}  // namespace zd::test
