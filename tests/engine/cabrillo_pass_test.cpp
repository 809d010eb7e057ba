// The export pass a new contest starts: the header read from the settings, reviewed by
// the operator, saved on OK, and the Cabrillo file written by the next result.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "engine/contest.h"

namespace zd {
namespace {

// The settings file as a list of writes in order, over a map of values.
class RecordingSettings final : public SettingsStore {
 public:
  std::string Read(std::string_view key, std::string_view fallback) override {
    auto it = values.find(std::string(key));
    return it == values.end() ? std::string(fallback) : it->second.substr(0, kSettingValueMax);
  }
  void Write(std::string_view key, std::string_view value) override {
    writes.push_back(std::string(key) + "=" + std::string(value));
    values[std::string(key)] = value;
  }
  std::map<std::string, std::string> values;
  std::vector<std::string> writes;
};

class ScriptedUi final : public UiBridge {
 public:
  void ShowSetupMessage() override {}
  bool EditCabrilloHeader(CabrilloHeaderFields& fields) override {
    shown.push_back(fields);
    return edit ? edit(fields) : true;
  }
  void ShowOutputMessage(const std::string& text) override { outputs.push_back(text); }
  void StartWindowThread() override {}
  void StopWindowThread() override {}
  bool ControlWindowExists() const override { return false; }
  void PostRefresh() override {}

  std::function<bool(CabrilloHeaderFields&)> edit;
  std::vector<CabrilloHeaderFields> shown;
  std::vector<std::string> outputs;
};

class CabrilloPass : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    previous_ = fs::current_path();
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    folder_ = fs::temp_directory_path() /
              ("zd-cabrillo-pass-" + std::to_string(stamp) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(folder_, ec);
  }

  void Reset(int newContest) {
    ResetArgs a;
    a.newContest = newContest;
    a.ownCall = "UA3ABC";
    a.start = {45367.5, kDateValid};  // 16 March 2024 12:00
    a.end = {45368.5, kDateValid};
    a.ownPrefix = "UA";
    a.ownContinent = "EU";
    contest_.ResetStats(a);
  }

  void AddDl() {
    QsoArgs q;
    q.ownCall = "UA3ABC";
    q.call = "DL1AAA";
    q.time = {45367.5 + 5.0 / 1440, kDateValid};
    q.freqHz = 14085000;
    q.mode = "RTTY";
    q.rstSent = q.rstRcvd = "599";
    q.exchSent = "MO";
    q.exchRcvd = "123";
    q.prefix = "DL";
    q.continent = "EU";
    q.band = "20m";
    ASSERT_EQ(contest_.AddData(q), 1);
  }

  static std::string FileText(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  bool CabrilloFileExists() const { return std::filesystem::exists(folder_ / "UA3ABC.cbr"); }

  std::filesystem::path previous_, folder_;
  RecordingSettings settings_;
  ManualClock clock_{45367.5};
  ScriptedUi ui_;
  Contest contest_{settings_, clock_, ui_};
};

TEST_F(CabrilloPass, OkSavesTheHeaderInOrderAndArmsThePass) {
  settings_.values = {{"Name", "Old"},
                      {"Power", "QRP"},
                      {"Claimed", "77"},
                      {"Loc", "RU"},
                      {"SoapBox", "a<CR><LF>b"}};
  ui_.edit = [](CabrilloHeaderFields& f) {
    f.name = "Ivan";
    f.claimed = "999";  // shown only: never saved
    f.categoryOperator = "MULTI-OP";
    f.soapbox = "First\r\nSecond";
    return true;
  };
  Reset(1);
  ASSERT_EQ(ui_.shown.size(), 1u);
  EXPECT_EQ(ui_.shown[0].name, "Old");
  EXPECT_EQ(ui_.shown[0].claimed, "77");
  EXPECT_EQ(ui_.shown[0].operators, "UA3ABC");
  EXPECT_EQ(ui_.shown[0].soapbox, "a\r\nb");
  EXPECT_TRUE(contest_.NewContest());
  EXPECT_EQ(
      settings_.writes,
      (std::vector<std::string>{
          "Band=ALL", "Power=QRP", "Operators=UA3ABC", "Name=Ivan", "Address=", "Address-City=",
          "Address-PostalCode=", "Address-Country=", "Category=MULTI-OP", "Contest=REVUZU-DUV",
          "Email=", "Club=", "SoapBox=First<CR><LF>Second", "Loc=RU", "Start=1", "Start=0"}));

  AddDl();
  contest_.GetResult();
  EXPECT_EQ(ui_.outputs, std::vector<std::string>{"File produced: UA3ABC.cbr"});
  const std::string file = FileText("UA3ABC.cbr");
  EXPECT_NE(file.find("CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\n"
                      "OPERATORS: UA3ABC\r\nLOCATION: RU\r\nCLAIMED-SCORE: 3\r\n"),
            std::string::npos)
      << file;
  EXPECT_NE(file.find("SOAPBOX: First\r\nSOAPBOX: Second\r\nQSO: "), std::string::npos) << file;
  EXPECT_EQ(file.find("CATEGORY-BAND"), std::string::npos) << file;
}

TEST_F(CabrilloPass, CancelSavesNothingAndWritesNoFile) {
  settings_.values = {{"Name", "Old"}};
  ui_.edit = [](CabrilloHeaderFields& f) {
    f.name = "Changed";
    return false;
  };
  Reset(1);
  EXPECT_FALSE(contest_.NewContest());
  EXPECT_EQ(settings_.writes, (std::vector<std::string>{"Start=1", "Start=0"}));
  AddDl();
  contest_.GetResult();
  EXPECT_TRUE(ui_.outputs.empty());
  EXPECT_FALSE(CabrilloFileExists());
}

TEST_F(CabrilloPass, AResultAskedForWhileTheHeaderIsOpenWritesNoFile) {
  // A first pass leaves a header and QSO lines behind.
  Reset(1);
  AddDl();
  contest_.GetResult();
  ASSERT_EQ(ui_.outputs.size(), 1u);
  std::filesystem::remove("UA3ABC.cbr");

  // The next contest start: the host's timer asks for the result while the operator
  // still has the header dialog open.
  bool armedMeanwhile = true;
  ui_.edit = [this, &armedMeanwhile](CabrilloHeaderFields&) {
    armedMeanwhile = contest_.NewContest();
    contest_.GetResult();
    return true;
  };
  Reset(1);
  EXPECT_FALSE(armedMeanwhile);
  EXPECT_EQ(ui_.outputs.size(), 1u);
  EXPECT_FALSE(CabrilloFileExists());
  EXPECT_TRUE(contest_.NewContest());

  // A plain reset ends the pass.
  Reset(0);
  EXPECT_FALSE(contest_.NewContest());
  EXPECT_EQ(ui_.shown.size(), 2u);
}

}  // namespace
}  // namespace zd
