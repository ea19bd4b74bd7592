#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "helpers/temp_dir.h"
#include "text/characters.h"
#include "unit/cli_test_run.h"

namespace tandrel::cli {
namespace {

using testing::TempDir;

// The blocks as the host's rule file holds them, byte for byte.
const std::string kSettings = "Version=3\r\n";
const std::string kHomeBob =
    ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Home\\\r\n@0:From:bob@example.com\tO\tI\r\n:End \"\"\r\n";
const std::string kWorkAnn =
    ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Work\\\r\n@0:From:ann@example.com\tO\tI\r\n:End \"\"\r\n";
const std::string kWorkBob =
    ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Work\\\r\n@0:From:bob@example.com\tO\tI\r\n:End \"\"\r\n";
const std::string kWorkAnnBob =
    ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Work\\\r\n@0:From:ann@example.com\tO\tI\r\n"
    "@0:From:bob@example.com\tO\tI\r\n:End \"\"\r\n";
const std::string kWorkBobAnn =
    ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Work\\\r\n@0:From:bob@example.com\tO\tI\r\n"
    "@0:From:ann@example.com\tO\tI\r\n:End \"\"\r\n";

TEST(CliRulesAdd, WritesTheHostFormatForEveryPlaceMode) {
    struct Case {
        const char* place;
        bool delete_same;
        std::string expected;
    };
    const std::string before = kSettings + kHomeBob + kWorkAnn;
    const std::vector<Case> cases = {
        {"0", false, kSettings + kHomeBob + kWorkAnnBob},
        {"0", true, kSettings + kWorkAnnBob},
        {"1", false, kSettings + kHomeBob + kWorkBobAnn},
        {"1", true, kSettings + kWorkBobAnn},
        {"2", false, kSettings + kHomeBob + kWorkAnn + kWorkBob},
        {"2", true, kSettings + kWorkAnn + kWorkBob},
        {"3", false, kSettings + kWorkBob + kHomeBob + kWorkAnn},
        {"3", true, kSettings + kWorkBob + kWorkAnn},
        {"-1", false, before},
        {"-1", true, kSettings + kWorkAnn},
        {"7", false, before},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.Write("Main/iFilter.Def", before);
        std::vector<std::string> args = {"rules",
                                         "add",
                                         dir.path() + "Main/iFilter.Def",
                                         "--folder",
                                         "Main\\!!!!Inbox\\Work\\",
                                         "--header",
                                         "From",
                                         "--address",
                                         "bob@example.com",
                                         "--place",
                                         c.place};
        if (c.delete_same) {
            args.emplace_back("--delete-same");
        }
        const ToolRun run = Tandrel(args);
        EXPECT_EQ(run.exit_code, kExitOk) << run.err;
        EXPECT_EQ(dir.Read("Main/iFilter.Def"), c.expected)
            << "place " << c.place << (c.delete_same ? " with" : " without") << " delete-same";
        EXPECT_EQ(dir.Read("Main/iFilter.Def.bak"), before);
    }
}

TEST(CliRulesAdd, CreatesAMissingFileAndPlacesDefaultToTheEnd) {
    TempDir dir;
    const ToolRun run =
        Tandrel({"rules", "add", dir.path() + "oFilter.Def", "--folder=Main\\!!!!Inbox\\Work\\",
                 "--header=From", "--address=bob@example.com"});
    EXPECT_EQ(run.exit_code, kExitOk) << run.err;
    EXPECT_EQ(dir.Read("oFilter.Def"), kWorkBob);
}

TEST(CliRulesAdd, SeparatesUsageErrorsFromRefusals) {
    TempDir dir;
    const std::string file = dir.path() + "iFilter.Def";
    const std::vector<std::string> base = {"rules",  "add",      file,  "--folder",
                                           "Main\\", "--header", "From"};
    EXPECT_EQ(Tandrel(base).exit_code, kExitUsage) << "--address is required";
    for (const char* place : {"x", "1.5", "", " 1", "99999999999"}) {
        std::vector<std::string> args = base;
        args.insert(args.end(), {"--address", "a@b", "--place", place});
        const ToolRun run = Tandrel(args);
        EXPECT_EQ(run.exit_code, kExitUsage) << "place '" << place << "'";
        EXPECT_NE(run.err.find("--help"), std::string::npos);
    }
    std::vector<std::string> unknown = base;
    unknown.insert(unknown.end(), {"--address", "a@b", "--bogus"});
    EXPECT_EQ(Tandrel(unknown).exit_code, kExitUsage);

    const ToolRun refused = Tandrel(
        {"rules", "add", file, "--folder", "Main\\", "--header", "X:Y", "--address", "a@b"});
    EXPECT_EQ(refused.exit_code, kExitFailed);
    EXPECT_NE(refused.err.find("refused"), std::string::npos);
    EXPECT_FALSE(dir.Exists("iFilter.Def"));
}

TEST(CliHelp, AnswersOnEveryLevel) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                                 {"rules", "--help"},
                                                 {"rules", "add", "--help"},
                                                 {"rules", "show", "--help"},
                                                 {"rules", "check", "-h"},
                                                 {"rules", "undo", "--help"}}) {
        const ToolRun run = Tandrel(args);
        EXPECT_EQ(run.exit_code, kExitOk);
        EXPECT_EQ(run.out.rfind("usage: tandrel", 0), 0U) << run.out;
    }
    EXPECT_EQ(Tandrel({}).exit_code, kExitUsage);
    EXPECT_EQ(Tandrel({"bogus"}).exit_code, kExitUsage);
    EXPECT_EQ(Tandrel({"rules", "bogus"}).exit_code, kExitUsage);
    EXPECT_EQ(Tandrel({"rules", "show"}).exit_code, kExitUsage);
}

TEST(CliRulesShow, PrintsSettingsAndABlockTable) {
    TempDir dir;
    dir.Write("iFilter.Def", kSettings + kWorkAnnBob + ":Begin \"x\"\r\n!D:\r\n:End \"x\"\r\n");
    const ToolRun run = Tandrel({"rules", "show", dir.path() + "iFilter.Def"});
    EXPECT_EQ(run.exit_code, kExitOk);
    EXPECT_EQ(run.out,
              "settings: 1\n"
              "  Version=3\n"
              "blocks: 2\n"
              "#  LABEL  KIND  TARGET                CONDITIONS\n"
              "1  \"\"     M     Main\\!!!!Inbox\\Work\\  @0 From \"ann@example.com\" O I\n"
              "                                      @0 From \"bob@example.com\" O I\n"
              "2  \"x\"    D                           (none)\n");
    EXPECT_EQ(Tandrel({"rules", "show", dir.path() + "none"}).exit_code, kExitFailed);
}

TEST(CliRulesCheck, ReportsDroppedLinesAndMissingTargets) {
    TempDir dir;
    dir.Write("Main/!!!!Inbox/Work/Folder.ini", "");
    dir.Write("Main/iFilter.Def", "note\r\n" + kWorkAnn + kHomeBob + "trailing\r\n");
    const ToolRun clean = Tandrel({"rules", "check", dir.path() + "Main/iFilter.Def"});
    EXPECT_EQ(clean.exit_code, kExitFailed);
    EXPECT_EQ(clean.out,
              "line 1: dropped, no \"=\" in a line before the first block: note\n"
              "line 10: dropped, outside any block: trailing\n");
    const ToolRun with_folders =
        Tandrel({"rules", "check", dir.path() + "Main/iFilter.Def", "--data-folder", dir.path()});
    EXPECT_NE(
        with_folders.out.find("block 2: target folder does not exist: Main\\!!!!Inbox\\Home\\\n"),
        std::string::npos)
        << with_folders.out;
    EXPECT_EQ(with_folders.out.find("block 1"), std::string::npos);

    dir.Write("Main/oFilter.Def", kSettings + kWorkAnn);
    const ToolRun fine = Tandrel(
        {"rules", "check", dir.path() + "Main/oFilter.Def", "--data-folder", dir.path() + "."});
    EXPECT_EQ(fine.exit_code, kExitOk) << fine.out;
    EXPECT_EQ(fine.out, "nothing found\n");
}

TEST(CliRulesCheck, ShowsLinesFromTheFileShortAndTheirControlCharactersEscaped) {
    TempDir dir;
    // A long line left out, with an ESC and a NUL, a Ctrl-Z line, and a
    // Shift-JIS character across the 40th byte.
    const std::string long_line = std::string("x\x1B[2J\0", 6) + std::string(300, 'y');
    const std::string sjis_line = std::string(39, 'z') + "\x95\x5C" + "after";
    dir.Write("iFilter.Def", kWorkAnn + long_line + "\r\n\x1A tail\r\n" + sjis_line + "\r\n");
    const ToolRun check =
        Tandrel({"rules", "check", dir.path() + "iFilter.Def", "--code-page", "932"});
    EXPECT_EQ(check.out,
              "line 5: dropped, outside any block: x\\x1B[2J\\x00" + std::string(34, 'y') +
                  "...\n"
                  "line 7: dropped, outside any block: " +
                  std::string(39, 'z') +
                  "...\n"
                  "line 5: longer than 254 characters, which the mail client reads as two (no "
                  "change is made to the file while it holds one): x\\x1B[2J\\x00" +
                  std::string(34, 'y') +
                  "...\n"
                  "line 6: a Ctrl-Z, after which the mail client reads nothing more of the file "
                  "(no change is made to the file while it holds one)\n");
}

TEST(CliRulesCheck, ListsAConditionOfTwoFoldersAndOneRepeatedInABlock) {
    TempDir dir;
    dir.Write("iFilter.Def",
              ":Begin \"\"\r\n!M:Main\\Work\\\r\n@0:From:ann@example.com\tO\tI\r\n:End \"\"\r\n"
              ":Begin \"\"\r\n!M:Main\\Home\\\r\n@0:From:ann@example.com\tO\tI\r\n"
              "@0:To:bob@example.com\tO\tI\r\n@0:To:bob@example.com\tO\tI\r\n:End \"\"\r\n");
    const ToolRun run = Tandrel({"rules", "check", dir.path() + "iFilter.Def"});
    EXPECT_EQ(run.exit_code, kExitFailed);
    EXPECT_EQ(run.out,
              "lines 3, 7: condition From:ann@example.com sorts into 2 folders: Main\\Work\\ "
              "Main\\Home\\\n"
              "lines 8, 9: condition To:bob@example.com stands 2 times in one block of "
              "Main\\Home\\\n");
}

TEST(CliRulesUndo, SwapsTheFileWithItsBackup) {
    TempDir dir;
    const std::string file = dir.path() + "iFilter.Def";
    EXPECT_EQ(Tandrel({"rules", "undo", file}).exit_code, kExitFailed) << "no backup yet";
    dir.Write("iFilter.Def", kWorkAnn);
    ASSERT_EQ(Tandrel({"rules", "add", file, "--folder", "Main\\!!!!Inbox\\Work\\", "--header",
                       "From", "--address", "bob@example.com"})
                  .exit_code,
              kExitOk);
    ASSERT_EQ(Tandrel({"rules", "undo", file}).exit_code, kExitOk);
    EXPECT_EQ(dir.Read("iFilter.Def"), kWorkAnn);
    EXPECT_EQ(dir.Read("iFilter.Def.bak"), kWorkAnnBob);
    ASSERT_EQ(Tandrel({"rules", "undo", file}).exit_code, kExitOk);
    EXPECT_EQ(dir.Read("iFilter.Def"), kWorkAnnBob) << "a second undo redoes the change";
}

TEST(CliRulesHistory, ListsEachVersionWithWhatTheChangeAfterItDid) {
    TempDir dir;
    const std::string file = dir.path() + "iFilter.Def";
    EXPECT_EQ(Tandrel({"rules", "history", file}).exit_code, kExitFailed) << "no such file";
    dir.Write("iFilter.Def", kWorkAnn);
    EXPECT_EQ(Tandrel({"rules", "history", file}).out, "no former versions kept\n");
    const auto add = [&](const char* folder, bool delete_same) {
        std::vector<std::string> args = {"rules",    "add",  file,        "--folder",       folder,
                                         "--header", "From", "--address", "bob@example.com"};
        if (delete_same) {
            args.emplace_back("--delete-same");
        }
        ASSERT_EQ(Tandrel(args).exit_code, kExitOk);
    };
    add("Main\\!!!!Inbox\\Home\\", false);
    add("Main\\!!!!Inbox\\Work\\", true);
    const ToolRun run = Tandrel({"rules", "history", file});
    ASSERT_EQ(run.exit_code, kExitOk) << run.err;
    const std::vector<std::string_view> lines = SplitAtCharacter(run.out, '\n', kNoLeadBytes);
    ASSERT_EQ(lines.size(), 3U) << run.out;
    // "1  2026-12-09 14:05:31  134 bytes  iFilter.Def.bak  + From contains ..."
    const auto fields_end = [](std::string_view line) { return line.find("bytes  ") + 7; };
    EXPECT_EQ(lines[0].substr(0, 3), "1  ");
    EXPECT_EQ(lines[0][7], '-') << "a date: " << lines[0];
    EXPECT_EQ(lines[0].substr(fields_end(lines[0])),
              "iFilter.Def.bak  + From contains bob@example.com -> Main\\!!!!Inbox\\Work\\; "
              "- From contains bob@example.com removed from Main\\!!!!Inbox\\Home\\; block "
              "removed from Main\\!!!!Inbox\\Home\\");
    EXPECT_NE(lines[0].find("  " + std::to_string(kWorkAnn.size() + kHomeBob.size()) + " bytes"),
              std::string::npos)
        << lines[0];
    EXPECT_EQ(lines[1].substr(fields_end(lines[1])),
              "iFilter.Def.bak2  + From contains bob@example.com -> Main\\!!!!Inbox\\Home\\; "
              "block added for Main\\!!!!Inbox\\Home\\");
    EXPECT_EQ(lines[2], "");
}

TEST(CliRulesHistory, ListsEveryVersionItCanReadAndTheFactsOfWhatALinkLeadsTo) {
    TempDir dir;
    const std::string file = dir.path() + "iFilter.Def";
    dir.Write("iFilter.Def", kWorkAnnBob);
    dir.Write("iFilter.Def.bak", kWorkAnn);
    ASSERT_EQ(::mkfifo((file + ".bak2").c_str(), 0600), 0);
    dir.Write("elsewhere.def", kHomeBob);
    ASSERT_EQ(::symlink("elsewhere.def", (file + ".bak3").c_str()), 0);
    const ToolRun run = Tandrel({"rules", "history", file});
    ASSERT_EQ(run.exit_code, kExitOk) << run.err;
    const std::vector<std::string_view> lines = SplitAtCharacter(run.out, '\n', kNoLeadBytes);
    ASSERT_EQ(lines.size(), 4U) << run.out;
    EXPECT_NE(lines[0].find("iFilter.Def.bak  + From contains bob@example.com"), std::string::npos)
        << lines[0];
    EXPECT_NE(lines[1].find("iFilter.Def.bak2  cannot be read"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("  " + std::to_string(kHomeBob.size()) + " bytes  iFilter.Def.bak3"),
              std::string::npos)
        << "the size of what a put-back reads: " << lines[2];
    ASSERT_EQ(Tandrel({"rules", "undo", file, "--to", "3"}).exit_code, kExitOk);
    EXPECT_EQ(dir.Read("iFilter.Def"), kHomeBob);
}

TEST(CliRulesAdd, RefusesALinkItCannotFollowInsteadOfReplacingIt) {
    // A target whose name holds a "\\", which a host path cannot name.
    TempDir dir;
    dir.Write("a/x\\y.Def", kWorkAnn);
    ASSERT_EQ(::symlink("a/x\\y.Def", (dir.path() + "iFilter.Def").c_str()), 0);
    const ToolRun add = Tandrel({"rules", "add", dir.path() + "iFilter.Def", "--folder",
                                 "Main\\B\\", "--header", "From", "--address", "b@x"});
    EXPECT_EQ(add.exit_code, kExitFailed);
    struct stat info {};
    ASSERT_EQ(::lstat((dir.path() + "iFilter.Def").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << "still the link";
    EXPECT_EQ(dir.Read("a/x\\y.Def"), kWorkAnn);
}

TEST(CliRulesAdd, DropsALineThatWouldTurnIntoASettingAndHistoryCountsItAsTandrels) {
    TempDir dir;
    const std::string file = dir.path() + "iFilter.Def";
    dir.Write("iFilter.Def", kSettings + kWorkAnn + "Stray=7\r\n; a note\r\n" + kHomeBob);
    const ToolRun add =
        Tandrel({"rules", "add", file, "--folder", "Main\\!!!!Inbox\\Home\\", "--header", "From",
                 "--address", "ann@example.com", "--delete-same"});
    ASSERT_EQ(add.exit_code, kExitOk) << add.err;
    EXPECT_EQ(dir.Read("iFilter.Def"),
              kSettings + "; a note\r\n" +
                  ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Home\\\r\n@0:From:bob@example.com\tO\tI\r\n"
                  "@0:From:ann@example.com\tO\tI\r\n:End \"\"\r\n");
    const std::string history = Tandrel({"rules", "history", file}).out;
    EXPECT_EQ(history.find("outside"), std::string::npos) << history;
}

TEST(CliRulesUndo, PutsBackTheVersionAskedFor) {
    TempDir dir;
    const std::string file = dir.path() + "iFilter.Def";
    dir.Write("iFilter.Def", kWorkAnn);
    dir.Write("iFilter.Def.bak", kWorkAnnBob);
    dir.Write("iFilter.Def.bak2", kHomeBob);
    EXPECT_EQ(Tandrel({"rules", "undo", file, "--to", "3"}).exit_code, kExitFailed);
    EXPECT_EQ(Tandrel({"rules", "undo", file, "--to", "11"}).exit_code, kExitUsage);
    EXPECT_EQ(Tandrel({"rules", "undo", file, "--to", "x"}).exit_code, kExitUsage);
    EXPECT_EQ(dir.Read("iFilter.Def"), kWorkAnn) << "refused undos change nothing";
    const ToolRun undo = Tandrel({"rules", "undo", file, "--to", "2"});
    ASSERT_EQ(undo.exit_code, kExitOk);
    EXPECT_EQ(undo.out, "put back version 2 of " + file + "; what it replaced is now version 1\n");
    EXPECT_EQ(dir.Read("iFilter.Def"), kHomeBob);
    EXPECT_EQ(dir.Read("iFilter.Def.bak"), kWorkAnn);
    EXPECT_EQ(dir.Read("iFilter.Def.bak2"), kWorkAnnBob);
    EXPECT_EQ(dir.Read("iFilter.Def.bak3"), kHomeBob);
}

ToolRun AddTo(const TempDir& dir, const std::string& folder, const std::string& header,
              const std::string& address, const std::vector<std::string>& more = {}) {
    std::vector<std::string> args = {"rules",    "add",       dir.path() + "Main/iFilter.Def",
                                     "--folder", folder,      "--header",
                                     header,     "--address", address};
    args.insert(args.end(), more.begin(), more.end());
    return Tandrel(args);
}

TEST(CliRulesAdd, RefusesWhatTheDialogRefuses) {
    TempDir dir;
    dir.Write("Main/iFilter.Def", kWorkAnn);
    for (const auto& [folder, header, address] : std::vector<std::array<std::string, 3>>{
             {"Main\\Work\\", "", "a@b"},
             {"Main\\Work\\", "  ", "a@b"},
             {"Main\\Work\\", "From", ""},
             {"Main\\Work\\", "From", "   "},
             {"Main\\Work\\", "X:Y", "a@b"},
             {"Main\\Wo\trk\\", "From", "a@b"},
             {"Main\\..\\..\\", "From", "a@b"},
             {"\\Main\\", "From", "a@b"},
             {"C:\\Main\\", "From", "a@b"},
             {"Main\\Work", "From", "a@b"},
             {"", "From", "a@b"},
         }) {
        const ToolRun run = AddTo(dir, folder, header, address);
        EXPECT_EQ(run.exit_code, kExitFailed) << folder << " " << header << " " << address;
        EXPECT_EQ(run.err.rfind("tandrel: refused: ", 0), 0U) << run.err;
    }
    EXPECT_EQ(dir.Read("Main/iFilter.Def"), kWorkAnn);
    EXPECT_EQ(dir.Listing(), "Main");
}

TEST(CliRulesAdd, NamesTheLimitOfALineTooLongAndLeavesTheFile) {
    TempDir dir;
    dir.Write("Main/iFilter.Def", kWorkAnn);
    const ToolRun run =
        AddTo(dir, "Main\\Work\\", "From", std::string(234, 'a') + "@evil.example@0:Subject:");
    EXPECT_EQ(run.exit_code, kExitFailed);
    EXPECT_NE(run.err.find("254 characters"), std::string::npos) << run.err;
    EXPECT_EQ(dir.Read("Main/iFilter.Def"), kWorkAnn);
}

TEST(CliRulesAdd, KeepsTheLinesCheckSaysItKeeps) {
    // The file ends inside a block, with notes before and in it.
    const std::string text =
        "Version=3\r\n; my note\r\n:Begin \"\"\r\n!M:W\\\r\n@0:From:a@x\tO\tI\r\n; keep me\r\n";
    TempDir dir;
    dir.Write("Main/iFilter.Def", text);
    const ToolRun check = Tandrel({"rules", "check", dir.path() + "Main/iFilter.Def"});
    EXPECT_NE(check.out.find("; my note"), std::string::npos);
    EXPECT_NE(check.out.find("; keep me"), std::string::npos);
    ASSERT_EQ(AddTo(dir, "Main\\Home\\", "From", "b@x").exit_code, kExitOk);
    const std::string after = dir.Read("Main/iFilter.Def");
    EXPECT_EQ(after.rfind(text, 0), 0U) << "every line kept as it was:\n" << after;
}

TEST(CliRulesCheck, ListsLinesTheHostReadsAsTwoAndAddLeavesSuchAFile) {
    TempDir dir;
    const std::string text = kWorkAnn + "#" + std::string(260, 'x') + "\r\n";
    dir.Write("Main/iFilter.Def", text);
    const ToolRun check = Tandrel({"rules", "check", dir.path() + "Main/iFilter.Def"});
    EXPECT_EQ(check.exit_code, kExitFailed);
    EXPECT_NE(check.out.find("line 5: longer than 254 characters"), std::string::npos) << check.out;
    const ToolRun add = AddTo(dir, "Main\\Work\\", "From", "b@x");
    EXPECT_EQ(add.exit_code, kExitFailed);
    EXPECT_NE(add.err.find("rules check"), std::string::npos) << add.err;
    EXPECT_EQ(dir.Read("Main/iFilter.Def"), text);
    // A Ctrl-Z before the end: the host reads nothing after it.
    dir.Write("Main/iFilter.Def", kWorkAnn + "\x1A" + kWorkAnn);
    EXPECT_NE(Tandrel({"rules", "check", dir.path() + "Main/iFilter.Def"})
                  .out.find("line 5: a Ctrl-Z, after which the mail client reads nothing"),
              std::string::npos);
    EXPECT_EQ(AddTo(dir, "Main\\Work\\", "From", "b@x").exit_code, kExitFailed);
}

TEST(CliRulesUndo, LeavesAFileItCannotReadAlone) {
    TempDir dir;
    dir.Write("Main/iFilter.Def.bak", kWorkAnn);
    ASSERT_EQ(::mkfifo((dir.path() + "Main/iFilter.Def").c_str(), 0600), 0);
    const ToolRun run = Tandrel({"rules", "undo", dir.path() + "Main/iFilter.Def"});
    EXPECT_EQ(run.exit_code, kExitFailed);
    EXPECT_NE(
        run.err.find("Unable to read the sorting rules\n " + dir.path() + "Main/iFilter.Def\n"),
        std::string::npos)
        << run.err;
    struct stat info {};
    ASSERT_EQ(::lstat((dir.path() + "Main/iFilter.Def").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "not replaced";
    EXPECT_EQ(Tandrel({"rules", "show", dir.path() + "Main/iFilter.Def"}).exit_code, kExitFailed)
        << "and show does not wait on it";
    // A version that cannot be read is named itself.
    ASSERT_EQ(::unlink((dir.path() + "Main/iFilter.Def").c_str()), 0);
    dir.Write("Main/iFilter.Def", kWorkAnn);
    ASSERT_EQ(::mkfifo((dir.path() + "Main/iFilter.Def.bak2").c_str(), 0600), 0);
    const ToolRun version =
        Tandrel({"rules", "undo", dir.path() + "Main/iFilter.Def", "--to", "2"});
    EXPECT_EQ(version.exit_code, kExitFailed);
    EXPECT_NE(version.err.find(" " + dir.path() + "Main/iFilter.Def.bak2\n"), std::string::npos)
        << version.err;
}

TEST(CliRulesAdd, ReadsFolderNamesAsShiftJisWithTheCodePage) {
    // "表\" is 95 5C 5C: a name whose second byte is the backslash's code.
    TempDir dir;
    dir.Write("Main/iFilter.Def", "");
    const std::string folder = "Main\\\x95\x5C\\";
    EXPECT_EQ(AddTo(dir, folder, "From", "a@b").exit_code, kExitFailed)
        << "read byte by byte, the folder has an empty name";
    EXPECT_EQ(AddTo(dir, folder, "From", "a@b", {"--code-page", "932"}).exit_code, kExitOk);
    EXPECT_NE(dir.Read("Main/iFilter.Def").find("!M:" + folder + "\r\n"), std::string::npos);
    EXPECT_EQ(AddTo(dir, folder, "From", "a@b", {"--code-page", "1252"}).exit_code, kExitUsage);
    // The check finds that folder with the code page, and only with it.
    dir.Write("Main/\x95\x5C/Folder.ini", "");
    const std::vector<std::string> check = {"rules", "check", dir.path() + "Main/iFilter.Def",
                                            "--data-folder", dir.path()};
    EXPECT_EQ(Tandrel(check).exit_code, kExitFailed);
    std::vector<std::string> with_code_page = check;
    with_code_page.insert(with_code_page.end(), {"--code-page", "932"});
    EXPECT_EQ(Tandrel(with_code_page).out, "nothing found\n");
}

// The busy message names the lock that is there: beside the file a link
// leads to. (The writer waits for the lock first, five seconds.)
TEST(CliRulesAdd, NamesTheLockBesideTheFileALinkLeadsTo) {
    TempDir dir;
    dir.Write("real/iFilter.Def", kWorkAnn);
    dir.Write("Main/.keep", "");
    ASSERT_EQ(::symlink("../real/iFilter.Def", (dir.path() + "Main/iFilter.Def").c_str()), 0);
    // Held by a process that is there (the first one), in the form without a
    // start time.
    std::array<char, 256> host{};
    ASSERT_EQ(::gethostname(host.data(), host.size() - 1), 0);
    dir.Write("real/iFilter.Def.lock", "1 " + std::string(host.data()) + "\n");
    const ToolRun add = AddTo(dir, "Main\\Work\\", "From", "b@x");
    EXPECT_EQ(add.exit_code, kExitFailed);
    EXPECT_NE(add.err.find("/real/iFilter.Def.lock\n"), std::string::npos) << add.err;
    EXPECT_EQ(add.err.find("Main/iFilter.Def.lock"), std::string::npos) << add.err;
}

}  // namespace
}  // namespace tandrel::cli
