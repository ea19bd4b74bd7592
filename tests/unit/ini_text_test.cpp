#include "text/ini_text.h"

#include <gtest/gtest.h>

namespace tandrel {
namespace {

constexpr const char* kIni =
    "; a comment line\r\n"
    "top=outside any section\r\n"
    "[Settings]\r\n"
    "  InHeaders  =  From:Sender:  \r\n"
    "quoted=\"  padded  \"\r\n"
    "single='x'\r\n"
    "half=\"open\r\n"
    "empty=\r\n"
    "dup=first\r\n"
    "DUP=second\r\n"
    "\r\n"
    "[ other ]\n"
    "dup=third\n"
    "[settings]\r\n"
    "later=in a second section of the same name\r\n";

TEST(IniRead, MatchesNamesWithoutCaseAndTrimsValues) {
    EXPECT_EQ(FindIniValue(kIni, "settings", "inheaders"), "From:Sender:");
    EXPECT_EQ(FindIniValue(kIni, " SETTINGS ", " InHeaders "), "From:Sender:");
    EXPECT_EQ(FindIniValue(kIni, "Settings", "quoted"), "  padded  ") << "one pair of quotes goes";
    EXPECT_EQ(FindIniValue(kIni, "Settings", "single"), "x");
    EXPECT_EQ(FindIniValue(kIni, "Settings", "half"), "\"open");
    EXPECT_EQ(FindIniValue(kIni, "Settings", "empty"), "");
    EXPECT_EQ(FindIniValue(kIni, "Settings", "dup"), "first") << "the first of duplicate keys wins";
    EXPECT_EQ(FindIniValue(kIni, "other", "dup"), "third");
    EXPECT_EQ(FindIniValue(kIni, "Settings", "later"), std::nullopt)
        << "a second section of the same name is not looked at, as by the system's functions";
    EXPECT_EQ(FindIniValue(WithIniValue(kIni, "Settings", "later", "1"), "Settings", "later"), "1")
        << "so a write adds the key to the first section";
}

TEST(IniRead, ReadsOddLinesAsTheSystemDoes) {
    const std::string text = "A=before\r\n[Settings]\r\nB=2\r\n[Broken\r\nC=3\r\n";
    EXPECT_EQ(FindIniValue(text, "", "A"), "before") << "lines before any header: no name";
    EXPECT_EQ(FindIniValue(text, "Broken", "C"), std::nullopt) << "no section without its ]";
    EXPECT_EQ(FindIniValue(text, "Settings", "C"), "3")
        << "the line is skipped, the section goes on";
}

TEST(IniRead, MissingSectionsAndKeysAreNotFound) {
    EXPECT_EQ(FindIniValue(kIni, "Settings", "top"), std::nullopt);
    EXPECT_EQ(FindIniValue(kIni, "Settings", "missing"), std::nullopt);
    EXPECT_EQ(FindIniValue(kIni, "Nowhere", "dup"), std::nullopt);
    EXPECT_EQ(FindIniValue("", "Settings", "dup"), std::nullopt);
}

TEST(IniWrite, MakesANewFileWithCrLf) {
    std::string text = WithIniValue("", "Settings", "NickName", "");
    text = WithIniValue(text, "Settings", "Expanded", "1");
    EXPECT_EQ(text, "[Settings]\r\nNickName=\r\nExpanded=1\r\n");
}

TEST(IniWrite, ChangesOnlyTheKeyLineAndKeepsEveryOtherByte) {
    const std::string before = "x=1\n[Settings]\r\n  AddrGrp = old \r\nOther=keep\n";
    EXPECT_EQ(WithIniValue(before, "SETTINGS", "addrgrp", "Private:Work"),
              "x=1\n[Settings]\r\naddrgrp=Private:Work\r\nOther=keep\n");
}

TEST(IniWrite, AddsAMissingKeyAtTheEndOfItsSection) {
    const std::string before = "[Settings]\r\nA=1\r\n\r\n[Next]\r\nB=2\r\n";
    EXPECT_EQ(WithIniValue(before, "Settings", "C", "3"),
              "[Settings]\r\nA=1\r\nC=3\r\n\r\n[Next]\r\nB=2\r\n");
    EXPECT_EQ(WithIniValue("[Settings]\r\nA=1", "Settings", "C", "3"),
              "[Settings]\r\nA=1\r\nC=3\r\n")
        << "a last line without its line end gets one first";
    EXPECT_EQ(WithIniValue("[Settings]", "Settings", "C", "3"), "[Settings]\r\nC=3\r\n");
    // Found by the profile fuzz target: a last line ending in a CR alone.
    const std::string lone_cr = WithIniValue("[Settings]\r\nA=1\r", "Settings", "C", "3");
    EXPECT_EQ(lone_cr, "[Settings]\r\nA=1\r\nC=3\r\n");
    EXPECT_EQ(FindIniValue(lone_cr, "Settings", "C"), "3");
    EXPECT_EQ(WithIniValue("[Other]\r\nA=1\r", "Settings", "C", "3"),
              "[Other]\r\nA=1\r\n[Settings]\r\nC=3\r\n");
}

TEST(IniWrite, AddsAMissingSectionAtTheEnd) {
    EXPECT_EQ(WithIniValue("[Other]\r\nA=1\r\n", "Settings", "C", "3"),
              "[Other]\r\nA=1\r\n[Settings]\r\nC=3\r\n");
    EXPECT_EQ(WithIniValue("[Other]\nA=1", "Settings", "C", "3"),
              "[Other]\nA=1\r\n[Settings]\r\nC=3\r\n");
}

TEST(IniInteger, ReadsSignDecimalAndPrefixedDigitsUpToTheFirstOther) {
    EXPECT_EQ(ParseProfileInt("5"), 5);
    EXPECT_EQ(ParseProfileInt("  -12"), -12);
    EXPECT_EQ(ParseProfileInt("+7"), 7);
    EXPECT_EQ(ParseProfileInt("42abc"), 42);
    EXPECT_EQ(ParseProfileInt("abc"), 0);
    EXPECT_EQ(ParseProfileInt("-"), 0);
    EXPECT_EQ(ParseProfileInt("0x1F"), 31);
    EXPECT_EQ(ParseProfileInt("0x1g"), 1);
    EXPECT_EQ(ParseProfileInt("0b101"), 5);
    EXPECT_EQ(ParseProfileInt("0o17"), 15);
    EXPECT_EQ(ParseProfileInt("017"), 17) << "a leading zero alone is still decimal";
    EXPECT_EQ(ParseProfileInt("1 2"), 1);
    EXPECT_EQ(ParseProfileInt("4294967297"), 1) << "digits beyond 32 bits wrap";
}

}  // namespace
}  // namespace tandrel
