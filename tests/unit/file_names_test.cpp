#include "text/file_names.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

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

TEST(PlainFileName, AProposedNameIsMadeOneTheDialogTakes) {
    for (const auto& [name, plain] :
         std::initializer_list<std::pair<const char*, const char*>>{{"Smith Jr.", "Smith Jr"},
                                                                    {"A/B: Team", "A_B_ Team"},
                                                                    {"AUX", "AUX_"},
                                                                    {"aux.example", "aux_.example"},
                                                                    {"COM1 .txt", "COM1 _.txt"},
                                                                    {"\"Q\"", "_Q_"},
                                                                    {" . ", ""}}) {
        EXPECT_EQ(ToPlainFileName(name, kNoLeadBytes), plain) << name;
        EXPECT_TRUE(*plain == '\0' || IsPlainFileName(plain)) << plain;
    }
    EXPECT_EQ(ToPlainFileName("Ann\x82", IsShiftJisLeadByte), "Ann") << "a lone lead byte goes";
    EXPECT_EQ(ToPlainFileName("\x95\x5C", IsShiftJisLeadByte), "\x95\x5C")
        << "a trail byte with the code of \"\\\" stays in its character";
}

}  // namespace
}  // namespace tandrel
