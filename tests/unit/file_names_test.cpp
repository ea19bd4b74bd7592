#include "platform/file_names.h"

#include <gtest/gtest.h>

namespace tandrel {
namespace {

TEST(PlainFileName, RefusesNamesThatAreNotOneFolderName) {
    for (const char* good : {"Work", "Work 2", "a.b", ".hidden", "Ünïcode", "x-y_z", "CONSOLE"}) {
        EXPECT_TRUE(IsPlainFileName(good)) << good;
    }
    for (const char* bad :
         {"",     ".",   "..",  "Work ", "Work.", "a\\b", "a/b", "C:",      "a*",   "a?",
          "a\"b", "<a>", "a|b", "a\tb",  "a\nb",  "CON",  "con", "Aux.txt", "LPT1", "com9 "}) {
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    }
    EXPECT_FALSE(IsPlainFileName(std::string_view("a\0b", 3)));
}

TEST(PlainFileName, ReadsShiftJisTrailBytesAsPartOfTheirCharacter) {
    // 0x95 0x5C is one character whose second byte is the backslash's code.
    const std::string table_kanji = "\x95\x5C";
    EXPECT_FALSE(IsPlainFileName(table_kanji));
    EXPECT_TRUE(IsPlainFileName(table_kanji, IsShiftJisLeadByte));
    EXPECT_TRUE(
        IsPlainFileName("\x83\x7C"
                        "A",
                        IsShiftJisLeadByte))
        << "a trail byte like '|'";
    EXPECT_FALSE(IsPlainFileName("\x95", IsShiftJisLeadByte))
        << "a lead byte needs its second byte";
    EXPECT_FALSE(IsPlainFileName(table_kanji + "\\x", IsShiftJisLeadByte));
}

}  // namespace
}  // namespace tandrel
