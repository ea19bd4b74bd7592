#include "mail/header_field.h"

#include <gtest/gtest.h>

namespace tandrel {
namespace {

constexpr const char* kHeader =
    "Received: from mx.example.com\r\n"
    "\tby relay; Mon, 7 Dec 2026 10:00:00\r\n"
    "From: \"Ann Lee\" <ann@example.com>\r\n"
    "To: bob@example.com,\r\n"
    " carol@example.com\r\n"
    "from: lower@example.com\r\n"
    "From: second@example.com\r\n"
    "Subject: last line";

std::string Field(const char* block, const char* name) {
    std::string value = "untouched";
    return FindHeaderField(block, name, value) ? value : "<none:" + value + ">";
}

TEST(HeaderField, FindsTheFirstFieldOfTheExactName) {
    EXPECT_EQ(Field(kHeader, "From"), " \"Ann Lee\" <ann@example.com>")
        << "leading blanks stay; a later field of the name does not count";
    EXPECT_EQ(Field(kHeader, "from"), " lower@example.com") << "names are case-sensitive";
    EXPECT_EQ(Field(kHeader, "To"), " bob@example.com,") << "continuation lines are not added";
    EXPECT_EQ(Field(kHeader, "Subject"), " last line");
}

TEST(HeaderField, ReportsAMissingFieldWithAnEmptyValue) {
    EXPECT_EQ(Field(kHeader, "Cc"), "<none:>");
    EXPECT_EQ(Field("no colon at all\r\n", "From"), "<none:>");
    EXPECT_EQ(Field("", "From"), "<none:>");
    EXPECT_EQ(Field(kHeader, "\tby relay; Mon, 7 Dec 2026 10"), "00:00")
        << "a continuation line with a colon is a field of its own to this search";
}

TEST(HeaderField, ALineWithoutColonJoinsTheNextLinesName) {
    EXPECT_EQ(Field("garbage\r\nFrom: a@b\r\n", "From"), " a@b");
    EXPECT_EQ(Field("garbage\r\nFrom: a@b\r\n", "garbage\r\nFrom"), " a@b");
}

}  // namespace
}  // namespace tandrel
