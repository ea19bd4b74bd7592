// The native runner must fail a scenario that expects what did not happen,
// and say where.
#include "testhost/native/scenario_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "helpers/temp_dir.h"
#include "support/memory_files.h"
#include "support/memory_profile.h"
#include "testhost/scenario/book_check_after_run.h"
#include "testhost/scenario/scenario.h"
#include "testhost/scenario/step_timings.h"

namespace tandrel::testhost {
namespace {

using tandrel::testing::TempDir;

class ScenarioRunnerTest : public ::testing::Test {
  protected:
    ScenarioRunnerTest() {
        dir_.Write("data/Main/!!!!Inbox/Folder.ini", "");
        dir_.Write("data/Main/!!!!Inbox/0001.eml", "From: a@example.com\r\n\r\nbody\r\n");
        dir_.Write("data/AddrBook/@B/Group.ini", "");
        dir_.Write("data/AddrBook/@B/G/Group.ini", "");
    }
    ScenarioResult RunWith(const std::string& steps) {
        dir_.Write("steps", steps);
        return RunScenario(dir_.path());
    }
    TempDir dir_;
};

constexpr const char* kCancelledDrop =
    "keys ctrl\n"
    "drop \"Main\\!!!!Inbox\\\" \"Main\\!!!!Inbox\\?0001\" 4\n"
    "dialog \"Tandrel (Received)\"\n"
    "  expect-checked 1010\n"
    "  click 2\n"
    "end\n";

TEST_F(ScenarioRunnerTest, PassesWhatHappened) {
    const ScenarioResult result = RunWith(kCancelledDrop);
    EXPECT_TRUE(result.passed) << result.message;
    EXPECT_EQ(result.log.back(), "drop -> -1");
}

TEST_F(ScenarioRunnerTest, AWrongControlStateFailsWithItsLine) {
    const ScenarioResult result = RunWith(
        "# comment\n\nkeys ctrl\ndrop \"Main\\!!!!Inbox\\\" \"Main\\!!!!Inbox\\?0001\" 4\n"
        "dialog \"Tandrel (Received)\"\n  expect-unchecked 1010\n  click 2\nend\n");
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.message.rfind("line 6: expect-unchecked", 0), 0U) << result.message;
}

TEST_F(ScenarioRunnerTest, AWrongFileFails) {
    dir_.Write("expect/Main/!!!!Inbox/Folder.ini", "");
    dir_.Write("expect/Main/!!!!Inbox/0001.eml", "From: someone else\r\n\r\nbody\r\n");
    dir_.Write("expect/AddrBook/@B/Group.ini", "");
    const ScenarioResult result = RunWith(kCancelledDrop);
    EXPECT_FALSE(result.passed);
    EXPECT_NE(result.message.find("differs: Main/!!!!Inbox/0001.eml"), std::string::npos)
        << result.message;
    EXPECT_NE(result.message.find("not expected: AddrBook/@B/G/Group.ini"), std::string::npos);
}

TEST_F(ScenarioRunnerTest, AMissingOrMisplacedLogLineFails) {
    dir_.Write("expect.log", "drop -> -1\ndialog \"Tandrel (Received)\"\n");
    const ScenarioResult result = RunWith(kCancelledDrop);
    EXPECT_FALSE(result.passed);
    EXPECT_EQ(result.message.rfind("expect.log line 2", 0), 0U) << result.message;
}

TEST_F(ScenarioRunnerTest, ACompleteLogFailsOnAnExtraHostActionAndDotsMatchAnyLines) {
    // The cancelled drop's log: the current mail, the dialog, the drop.
    const auto run = [&](const std::string& log) {
        dir_.Write("expect.log", log);
        return RunWith(kCancelledDrop);
    };
    const std::string mail = "set-mail \"Main\\!!!!Inbox\\?0001\"\n";
    const std::string dialog = "dialog \"Tandrel (Received)\"\n";
    EXPECT_TRUE(run(dialog + "drop -> -1\n").passed) << "a subsequence, as before";
    EXPECT_TRUE(run("complete\n" + mail + dialog + "drop -> -1\n").passed);
    const ScenarioResult missing = run("complete\n" + dialog + "drop -> -1\n");
    EXPECT_FALSE(missing.passed) << "the log holds one line more";
    EXPECT_EQ(missing.message.rfind("expect.log (complete)", 0), 0U) << missing.message;
    EXPECT_FALSE(run("complete\n" + mail + dialog).passed) << "and one line less";
    EXPECT_TRUE(run("complete\n...\ndrop -> -1\n").passed);
    EXPECT_TRUE(run("complete\n" + mail + "...\n" + dialog + "...\ndrop -> -1\n...\n").passed);
    EXPECT_FALSE(run("complete\n...\n" + mail + "drop -> -1\n").passed);
}

TEST_F(ScenarioRunnerTest, ADialogLeftOpenOrAStepOutOfPlaceFails) {
    const ScenarioResult open = RunWith(
        "keys ctrl\ndrop \"Main\\!!!!Inbox\\\" \"Main\\!!!!Inbox\\?0001\" 4\n"
        "dialog \"Tandrel (Received)\"\n");
    EXPECT_FALSE(open.passed);
    EXPECT_NE(open.message.find("ended while a dialog was open"), std::string::npos)
        << open.message;

    const ScenarioResult early = RunWith(
        "keys ctrl\ndrop \"Main\\!!!!Inbox\\\" \"Main\\!!!!Inbox\\?0001\" 4\n"
        "dialog \"Tandrel (Received)\"\nend\n");
    EXPECT_EQ(early.message, "line 4: the dialog \"Tandrel (Received)\" is still open");

    const ScenarioResult unexpected = RunWith("message \"x\" 1\n");
    EXPECT_EQ(unexpected.message, "line 1: no dialog or message box is open for: message");

    const ScenarioResult disabled = RunWith(
        "keys ctrl\ndrop \"Main\\!!!!Inbox\\\" \"Main\\!!!!Inbox\\?0001\" 4\n"
        "dialog \"Tandrel (Received)\"\n  click 1060\n  click 1013\n");
    EXPECT_EQ(disabled.message.rfind("line 5: ", 0), 0U) << disabled.message;
}

const std::filesystem::path kNoScenario = "/nonexistent/scenario";

TEST(BookCheckAfterRun, FailsARunThatLeavesTheBookOutOfStep) {
    tandrel::testing::MemoryProfile profile;
    tandrel::testing::MemoryFiles& files = profile.files();
    EXPECT_NO_THROW(CheckBookAfterRun(files, profile, "C:\\Data\\", kNoLeadBytes, kNoScenario))
        << "a data folder without an address book";
    const std::string group = "C:\\Data\\AddrBook\\@B\\G\\";
    files.AddFile(group + "Group.idx", "");
    files.AddFile(group + "Group.ini", "");
    files.AddFile("C:\\Data\\AddrBook\\@B\\Group.ini", "");
    EXPECT_NO_THROW(CheckBookAfterRun(files, profile, "C:\\Data\\", kNoLeadBytes, kNoScenario));
    files.AppendFile(group + "Group.idx", "0\t0\tgone.vcf\tb\tb@x\t\t\t1\r\n");
    try {
        CheckBookAfterRun(files, profile, "C:\\Data\\", kNoLeadBytes, kNoScenario);
        ADD_FAILURE() << "the line went unnoticed";
    } catch (const std::runtime_error& failure) {
        EXPECT_STREQ(failure.what(),
                     "the address book check finds:\n"
                     "  B:G: Group.idx line 1: card file \"gone.vcf\" is missing");
    }
}

TEST_F(ScenarioRunnerTest, ARunWhoseBookIsOutOfStepFails) {
    dir_.Write("data/AddrBook/@B/G/Group.idx", "0\t0\tgone.vcf\ta\ta@example.com\t\t\t1\r\n");
    const ScenarioResult result = RunWith(kCancelledDrop);
    EXPECT_FALSE(result.passed);
    EXPECT_NE(result.message.find("B:G: Group.idx line 1: card file \"gone.vcf\" is missing"),
              std::string::npos)
        << result.message;
    // A scenario that plants the finding names it in expect.book.
    dir_.Write("expect.book", "B:G: Group.idx line 1: card file \"gone.vcf\" is missing\n");
    EXPECT_TRUE(RunWith(kCancelledDrop).passed);
}

TEST(ScenarioSteps, DecodesStringsAndSkipsComments) {
    std::string error;
    const auto steps = ParseSteps("# c\n\n  set 1007 \"a%22b%09%0D%0A%25 \\x\" \r\nend", error);
    ASSERT_TRUE(error.empty());
    ASSERT_EQ(steps.size(), 2U);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].tokens[2].text, "a\"b\t\r\n% \\x");
    EXPECT_TRUE(steps[0].tokens[2].quoted);
    EXPECT_EQ(steps[1].verb(), "end");
    ParseSteps("ok\nset 1 \"open", error);
    EXPECT_EQ(error, "line 2: unclosed string");
}

TEST(ScenarioSteps, TimeMarksMatchOnlyALocalTime) {
    EXPECT_TRUE(MatchesWithTimes("1  {time}  + x", "1  2026-12-09 14:05  + x"));
    EXPECT_TRUE(MatchesWithTimes("{time}/{time}", "2026-12-09 14:05/1999-01-01 00:00"));
    EXPECT_FALSE(MatchesWithTimes("1  {time}  + x", "1  2026-12-09 14:05:31  + x"));
    EXPECT_FALSE(MatchesWithTimes("1  {time}", "1  2026-12-09 14.05"));
    EXPECT_FALSE(MatchesWithTimes("1  {time}", "2  2026-12-09 14:05"));
    EXPECT_FALSE(MatchesWithTimes("{time}", "2026-12-09"));
}

double host_work_so_far = 0;  // what the host's running total tells the clock

TEST(StepTimings, AppendALineForEachStepTimedAndNothingWhenUnset) {
    TempDir dir;
    setenv("TANDREL_TEST_TIMINGS", (dir.path() + "wall.tsv").c_str(), 1);
    setenv("TANDREL_TEST_HOST_TIMINGS", (dir.path() + "host.tsv").c_str(), 1);
    unsetenv("TANDREL_TEST_UNSET");
    std::string error;
    const auto steps = ParseSteps("  click 1  \n\tselect 1007 #2\t\r\n", error);
    ASSERT_EQ(steps.size(), 2U);
    EXPECT_EQ(steps[0].text, "click 1");
    EXPECT_EQ(steps[1].text, "select 1007 #2");
    {
        StepTimings wall("TANDREL_TEST_TIMINGS", "case");
        StepTimings host("TANDREL_TEST_HOST_TIMINGS", "case");
        StepTimings unset("TANDREL_TEST_UNSET", "case");
        EXPECT_FALSE(unset.enabled());
        StepClock clock(wall, host, [] { return host_work_so_far; });
        clock.Begin(steps[0]);
        host_work_so_far += 12.5;
        clock.End();
        clock.End();  // a step is recorded once
        clock.Begin(steps[1]);
        clock.Begin(steps[0]);  // beginning a step ends the one before
        clock.End();
        StepClock unused(unset, unset, nullptr);
        unused.Begin(steps[0]);
        unused.End();
    }
    const std::string wall = dir.Read("wall.tsv");
    const std::string host = dir.Read("host.tsv");
    EXPECT_EQ(std::count(wall.begin(), wall.end(), '\n'), 3);
    EXPECT_EQ(wall.rfind("case\t1\tclick 1\t", 0), 0U) << wall;
    EXPECT_NE(wall.find("\ncase\t2\tselect 1007 #2\t"), std::string::npos) << wall;
    EXPECT_EQ(host,
              "case\t1\tclick 1\t12.5\ncase\t2\tselect 1007 #2\t0.0\n"
              "case\t1\tclick 1\t0.0\n");
}

}  // namespace
}  // namespace tandrel::testhost
