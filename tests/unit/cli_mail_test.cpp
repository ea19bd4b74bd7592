#include <gtest/gtest.h>

#include "helpers/temp_dir.h"
#include "unit/cli_test_run.h"

namespace tandrel::cli {
namespace {

using testing::TempDir;

class CliMailTest : public ::testing::Test {
  protected:
    CliMailTest() {
        dir_.Write("received.eml",
                   "Received: from a\r\n"
                   "From: =?UTF-8?B?5bGx55Sw5aSq6YOO?= <taro@example.jp>\r\n"
                   "To: \"Doe, John\" <john@example.com>, Team: a@example.com,\r\n"
                   "\tb@example.com;\r\n"
                   "Subject: hi\r\n"
                   "\r\n"
                   "body\r\n");
        dir_.Write("sent.eml",
                   "From: me@example.com\r\nTo: you@example.com\r\nX-SMTP-Result: 250\r\n\r\n");
        dir_.Write("Tandrel.ini", "[Settings]\r\nInHeaders=Subject:\r\n");
    }
    std::string File(const char* name) const { return dir_.path() + name; }

    TempDir dir_;
};

TEST_F(CliMailTest, HeadersListsTheHeaderListAndMarksTheSelectedName) {
    EXPECT_EQ(Tandrel({"mail", "headers", File("received.eml")}).out, "* From\n  To\n  Subject\n");
    EXPECT_EQ(
        Tandrel({"mail", "headers", File("received.eml"), "--settings", File("Tandrel.ini")}).out,
        "  From\n  To\n* Subject\n");
    EXPECT_EQ(Tandrel({"mail", "headers", File("sent.eml")}).out, "  From\n* To\n  X-SMTP-Result\n")
        << "a sent mail selects the first header of the sending list";
}

TEST_F(CliMailTest, ChoicesPrintsEachEntryDecodedIntoTheCodePage) {
    EXPECT_EQ(Tandrel({"mail", "choices", File("received.eml"), "--header", "to"}).out,
              "john@example.com\tDoe, John\na@example.com\ta\nb@example.com\tb\n");
    EXPECT_EQ(Tandrel({"mail", "choices", File("received.eml"), "--header", "From"}).out,
              "taro@example.jp\t山田太郎\n");
    EXPECT_EQ(
        Tandrel({"mail", "choices", File("received.eml"), "--header", "From", "--code-page", "932"})
            .out,
        "taro@example.jp\t\x8E\x52\x93\x63\x91\xBE\x98\x59\n");
    EXPECT_EQ(Tandrel({"mail", "choices", File("received.eml"), "--header", "From", "--code-page",
                       "1252"})
                  .out,
              "taro@example.jp\t=?UTF-8?B?5bGx55Sw5aSq6YOO?=\n")
        << "a name without a place in the code page stays as it came";
}

TEST_F(CliMailTest, ChoicesShowWhatTheDialogIsHandedUpToANul) {
    dir_.Write("nul.eml", std::string("To: a@example.com\0, b@example.com\r\n\r\n", 37));
    EXPECT_EQ(Tandrel({"mail", "choices", File("nul.eml"), "--header", "To"}).out,
              "a@example.com\ta\n");
}

TEST_F(CliMailTest, RefusalsExitAsTheOtherCommandsDo) {
    EXPECT_EQ(Tandrel({"mail", "choices", File("received.eml")}).exit_code, kExitUsage);
    EXPECT_EQ(
        Tandrel({"mail", "choices", File("received.eml"), "--header", "To", "--code-page", "7"})
            .exit_code,
        kExitUsage);
    EXPECT_EQ(Tandrel({"mail", "choices", File("missing.eml"), "--header", "To"}).exit_code,
              kExitFailed);
    EXPECT_EQ(Tandrel({"mail", "headers", File("missing.eml")}).exit_code, kExitFailed);
    EXPECT_EQ(Tandrel({"mail", "nothing"}).exit_code, kExitUsage);
}

}  // namespace
}  // namespace tandrel::cli
