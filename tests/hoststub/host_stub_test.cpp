#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hoststub/commands.h"
#include "hoststub/host_model.h"
#include "platform/host_automation.h"

namespace zd::hoststub {
namespace {

using Lines = std::vector<std::string>;

TEST(HostStubCommands, WordsAndQuotes) {
  EXPECT_EQ(SplitWords("  fail   ExecuteMacros 2 "), (Words{"fail", "ExecuteMacros", "2"}));
  EXPECT_EQ(SplitWords("set Mode \"BPSK 63\""), (Words{"set", "Mode", "BPSK 63"}));
  EXPECT_EQ(SplitWords("set HostEntryText 5 \"\""), (Words{"set", "HostEntryText", "5", ""}));
  EXPECT_EQ(SplitWords("wait-macro <BAUDRATE:45.45>"), (Words{"wait-macro", "<BAUDRATE:45.45>"}));
  EXPECT_EQ(SplitWords(""), Words{});
  EXPECT_EQ(SplitWords("log \"open"), std::nullopt);
}

TEST(HostStubCommands, ScriptLinesSkipCommentsAndBlanks) {
  EXPECT_EQ(ScriptLines("# scene\r\n\r\n  start a.exe  \r\nclose"),
            (Lines{"start a.exe", "close"}));
  EXPECT_EQ(ScriptLines(""), Lines{});
}

TEST(HostStubCommands, TableChecksVerbAndArgumentCount) {
  CommandTable table;
  Words seen;
  table.Add("two", 1, 2, "two A [B]", [&](const Words& a, long long) {
    seen = a;
    return Outcome::Done();
  });
  EXPECT_EQ(table.Run("two x y").kind, Outcome::kDone);
  EXPECT_EQ(seen, (Words{"x", "y"}));
  EXPECT_EQ(table.Run("two").message, "usage: two A [B]");
  EXPECT_EQ(table.Run("two a b c").kind, Outcome::kFailed);
  EXPECT_EQ(table.Run("three").message, "unknown command 'three'");
  EXPECT_EQ(table.Run("two \"x").message, "unclosed quote");
}

TEST(HostStubCommands, ScenarioWaitsAndStopsAtTheFirstFailure) {
  CommandTable table;
  std::vector<std::string> done;
  bool ready = false;
  table.Add("note", 1, 1, "note X", [&](const Words& a, long long) {
    done.push_back(a[0]);
    return Outcome::Done();
  });
  table.Add("wait", 0, 0, "wait", [&](const Words&, long long waited) {
    if (ready) return Outcome::Done();
    return waited > 1000 ? Outcome::Failed("too long") : Outcome::Waiting();
  });
  Scenario s;
  s.Append("note a");
  s.Append("wait");
  s.Append("note b");
  EXPECT_EQ(s.Step(table, 100), Scenario::State::kWaiting);
  EXPECT_EQ(done, (Lines{"a"}));
  EXPECT_EQ(s.Step(table, 600), Scenario::State::kWaiting);
  ready = true;
  EXPECT_EQ(s.Step(table, 700), Scenario::State::kFinished);
  EXPECT_EQ(done, (Lines{"a", "b"}));

  // The waiting time counts from the first attempt.
  ready = false;
  Scenario t;
  t.Append("wait");
  t.Append("note c");
  EXPECT_EQ(t.Step(table, 5000), Scenario::State::kWaiting);
  EXPECT_EQ(t.Step(table, 6000), Scenario::State::kWaiting);
  EXPECT_EQ(t.Step(table, 6001), Scenario::State::kFailed);
  EXPECT_EQ(t.error(), "wait: too long");
  EXPECT_EQ(t.Step(table, 7000), Scenario::State::kFailed);
  EXPECT_EQ(done, (Lines{"a", "b"}));
}

TEST(HostStubCommands, Options) {
  std::string error;
  const auto o = ParseOptions({"--log", "calls.txt", "--do", "fail Mode", "--script", "s.txt",
                               "--class", "Afx:x", "--title", "Host"},
                              error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->log_path, "calls.txt");
  EXPECT_EQ(o->window_class, "Afx:x");
  EXPECT_EQ(o->title, "Host");
  ASSERT_EQ(o->sources.size(), 2u);
  EXPECT_EQ(o->sources[0].kind, Options::Source::kCommand);
  EXPECT_EQ(o->sources[0].text, "fail Mode");
  EXPECT_EQ(o->sources[1].kind, Options::Source::kScript);

  const auto defaults = ParseOptions({}, error);
  ASSERT_TRUE(defaults);
  // The stand-in's window is the one the helper looks for.
  const std::string prefix = "Afx:400000:b:10011";
  EXPECT_EQ(defaults->window_class.substr(0, prefix.size()), prefix);
  EXPECT_GT(defaults->window_class.size(), prefix.size());

  EXPECT_FALSE(ParseOptions({"--log"}, error));
  EXPECT_EQ(error, "missing value after --log");
  EXPECT_FALSE(ParseOptions({"--bogus", "1"}, error));
  EXPECT_EQ(error, "unknown option --bogus");
}

TEST(HostStubCommands, Numbers) {
  EXPECT_EQ(ParseInteger("-12"), -12);
  EXPECT_EQ(ParseInteger("12x"), std::nullopt);
  EXPECT_EQ(ParseInteger(""), std::nullopt);
  EXPECT_EQ(ParseNumber("14080000.5"), 14080000.5);
  EXPECT_EQ(ParseNumber("nan"), std::nullopt);
  EXPECT_EQ(ParseNumber("7,0"), std::nullopt);
}

class HostModelTest : public ::testing::Test {
 protected:
  HostModelTest() { model.AddCommands(table); }
  Lines record;
  HostModel model{[this](const std::string& line) { record.push_back(line); }};
  CommandTable table;
};

TEST_F(HostModelTest, MembersCarryTheContractsNumbersAndAreFoundByName) {
  using host::kDispidExecuteMacros;
  EXPECT_EQ(FindMember("ExecuteMacros")->dispid, kDispidExecuteMacros);
  EXPECT_EQ(FindMember("executemacros")->dispid, kDispidExecuteMacros);
  EXPECT_EQ(FindMember("HostMode")->dispid, host::kDispidHostMode);
  EXPECT_EQ(FindMember("HostFrequency")->dispid, host::kDispidHostFrequency);
  EXPECT_EQ(FindMember("HostEntryText")->dispid, host::kDispidHostEntryText);
  EXPECT_EQ(FindMember(host::kDispidHostMode)->member, Member::kHostMode);
  EXPECT_EQ(FindMember("Mode")->member, Member::kMode);
  EXPECT_EQ(FindMember(FindMember("Mode")->dispid)->member, Member::kMode);
  EXPECT_EQ(FindMember("Modem"), nullptr);
  EXPECT_EQ(FindMember(99L), nullptr);
  EXPECT_EQ(model.LookUp("Nothing"), nullptr);
  EXPECT_EQ(record, (Lines{"name Nothing -> unknown"}));
}

TEST_F(HostModelTest, RecordsEveryCallAndRejectsPlannedOnes) {
  EXPECT_TRUE(model.ExecuteMacros("<MODE:RTTY>"));
  EXPECT_EQ(table.Run("fail ExecuteMacros 2").kind, Outcome::kDone);
  EXPECT_FALSE(model.ExecuteMacros("<MODE:BPSK31>"));
  EXPECT_FALSE(model.ExecuteMacros("<BAUDRATE:63>"));
  EXPECT_TRUE(model.ExecuteMacros("<BAUDRATE:31>"));
  EXPECT_EQ(model.macros(), (Lines{"<MODE:RTTY>", "<BAUDRATE:31>"}));

  EXPECT_EQ(table.Run("fail Mode").kind, Outcome::kDone);  // until told otherwise
  EXPECT_EQ(model.Mode(), std::nullopt);
  EXPECT_EQ(model.Mode(), std::nullopt);
  EXPECT_EQ(table.Run("succeed Mode").kind, Outcome::kDone);
  EXPECT_EQ(table.Run("set Mode BPSK31").kind, Outcome::kDone);
  EXPECT_EQ(model.Mode(), "BPSK31");
  EXPECT_EQ(model.HostMode(), "RTTY");

  EXPECT_EQ(table.Run("set HostFrequency 7040123.5").kind, Outcome::kDone);
  EXPECT_EQ(model.HostFrequency(), 7040123.5);
  EXPECT_EQ(table.Run("set HostEntryText 5 UA3ABC").kind, Outcome::kDone);
  EXPECT_EQ(model.HostEntryText(5), "UA3ABC");
  EXPECT_EQ(model.HostEntryText(4), "");
  EXPECT_EQ(table.Run("log marker here").kind, Outcome::kDone);

  EXPECT_EQ(record, (Lines{
                        "call ExecuteMacros <MODE:RTTY>",
                        "call ExecuteMacros <MODE:BPSK31> -> failed",
                        "call ExecuteMacros <BAUDRATE:63> -> failed",
                        "call ExecuteMacros <BAUDRATE:31>",
                        "get Mode -> failed",
                        "get Mode -> failed",
                        "get Mode -> BPSK31",
                        "get HostMode -> RTTY",
                        "get HostFrequency -> 7040123.5",
                        "call HostEntryText 5 -> UA3ABC",
                        "call HostEntryText 4 -> ",
                        "log marker here",
                    }));
}

TEST_F(HostModelTest, BadCommandsAreRefused) {
  EXPECT_EQ(table.Run("fail Nothing").kind, Outcome::kFailed);
  EXPECT_EQ(table.Run("fail Mode 0").kind, Outcome::kFailed);
  EXPECT_EQ(table.Run("set ExecuteMacros x").kind, Outcome::kFailed);
  EXPECT_EQ(table.Run("set HostFrequency fast").kind, Outcome::kFailed);
  EXPECT_EQ(table.Run("set HostEntryText x y").kind, Outcome::kFailed);
  EXPECT_EQ(table.Run("set Mode a b").kind, Outcome::kFailed);
  EXPECT_EQ(model.Mode(), "RTTY");
}

}  // namespace
}  // namespace zd::hoststub
