// The export pass a new contest starts: the header read from the settings, reviewed by
// the operator, saved on OK, and the Cabrillo file written by the next result.
#include <filesystem>

#include "engine/contest_test_support.h"

namespace zd::test {
namespace {

class CabrilloPass : public ContestTest {
 protected:
  void Reset(int newContest) {
    test::Reset r;
    r.newContest = newContest;
    r.ownCall = "UA3ABC";
    DoReset(r);
  }

  void AddDl() {
    Qso q;
    q.ownCall = "UA3ABC";
    q.call = "DL1AAA";
    q.exchSent = "MO";
    q.exchRcvd = "123";
    ASSERT_EQ(Add(q), 1);
  }

  static bool CabrilloFileExists() { return std::filesystem::exists("UA3ABC.cbr"); }
};

TEST_F(CabrilloPass, OkSavesTheHeaderInOrderAndArmsThePass) {
  settings.Set({{"Name", "Old"},
                {"Power", "QRP"},
                {"Claimed", "77"},
                {"Loc", "RU"},
                {"SoapBox", "a<CR><LF>b"}});
  ui.operatorAction = [](CabrilloHeaderFields& f) {
    f.name = "Ivan";
    f.claimed = "999";  // shown only: never saved
    f.categoryOperator = "MULTI-OP";
    f.soapbox = "First\r\nSecond";
    return true;
  };
  Reset(1);
  ASSERT_EQ(ui.dialogsShown.size(), 1u);
  EXPECT_EQ(ui.dialogsShown[0].name, "Old");
  EXPECT_EQ(ui.dialogsShown[0].claimed, "77");
  EXPECT_EQ(ui.dialogsShown[0].operators, "UA3ABC");
  EXPECT_EQ(ui.dialogsShown[0].soapbox, "a\r\nb");
  EXPECT_TRUE(work.NewContest());
  EXPECT_EQ(
      settings.Writes(),
      (std::vector<std::string>{
          "Band=ALL", "Power=QRP", "Operators=UA3ABC", "Name=Ivan", "Address=", "Address-City=",
          "Address-PostalCode=", "Address-Country=", "Category=MULTI-OP", "Contest=REVUZU-DUV",
          "Email=", "Club=", "SoapBox=First<CR><LF>Second", "Loc=RU", "Start=1", "Start=0"}));

  AddDl();
  work.GetResult();
  EXPECT_EQ(ui.outputMessages, std::vector<std::string>{"File produced: UA3ABC.cbr"});
  const std::string file = ReadFileBytes("UA3ABC.cbr");
  EXPECT_NE(file.find("CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\n"
                      "OPERATORS: UA3ABC\r\nLOCATION: RU\r\nCLAIMED-SCORE: 3\r\n"),
            std::string::npos)
      << file;
  EXPECT_NE(file.find("SOAPBOX: First\r\nSOAPBOX: Second\r\nQSO: "), std::string::npos) << file;
  EXPECT_EQ(file.find("CATEGORY-BAND"), std::string::npos) << file;
}

TEST_F(CabrilloPass, CancelSavesNothingAndWritesNoFile) {
  settings.Set("Name", "Old");
  ui.operatorAction = [](CabrilloHeaderFields& f) {
    f.name = "Changed";
    return false;
  };
  Reset(1);
  EXPECT_FALSE(work.NewContest());
  EXPECT_EQ(settings.Writes(), (std::vector<std::string>{"Start=1", "Start=0"}));
  AddDl();
  work.GetResult();
  EXPECT_TRUE(ui.outputMessages.empty());
  EXPECT_FALSE(CabrilloFileExists());
}

TEST_F(CabrilloPass, AResultAskedForWhileTheHeaderIsOpenWritesNoFile) {
  // A first pass leaves a header and QSO lines behind.
  Reset(1);
  AddDl();
  work.GetResult();
  ASSERT_EQ(ui.outputMessages.size(), 1u);
  std::filesystem::remove("UA3ABC.cbr");

  // The next contest start: the host's timer asks for the result while the operator
  // still has the header dialog open.
  bool armedMeanwhile = true;
  ui.operatorAction = [this, &armedMeanwhile](CabrilloHeaderFields&) {
    armedMeanwhile = work.NewContest();
    work.GetResult();
    return true;
  };
  Reset(1);
  EXPECT_FALSE(armedMeanwhile);
  EXPECT_EQ(ui.outputMessages.size(), 1u);
  EXPECT_FALSE(CabrilloFileExists());
  EXPECT_TRUE(work.NewContest());

  // A plain reset ends the pass.
  Reset(0);
  EXPECT_FALSE(work.NewContest());
  EXPECT_EQ(ui.dialogsShown.size(), 2u);
}

}  // namespace
}  // namespace zd::test
