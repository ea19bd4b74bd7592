// Address lists as mail defines them, and display names sent as encoded
// words: the proposals the Rule entry dialog makes from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/address_list.h"
#include "mail/address_parts.h"
#include "mail/encoded_words.h"
#include "mail/mime_charsets.h"
#include "platform/charsets.h"
#include "platform/posix/iconv_charsets.h"

namespace tandrel {
namespace {

constexpr LeadBytePredicate kSjis = IsShiftJisLeadByte;

// "address|name" for each entry, joined by " ; ".
std::string Choices(std::string_view value, Charsets* charsets = nullptr,
                    LeadBytePredicate lead_bytes = kNoLeadBytes) {
    std::string shown;
    for (const NameAddress& choice : AddressChoices(value, lead_bytes, charsets)) {
        shown += (shown.empty() ? "" : " ; ") + choice.address + "|" + choice.name;
    }
    return shown;
}

TEST(AddressList, SplitsOnlyAtCommasBetweenAddresses) {
    EXPECT_EQ(Choices("\"Doe, John\" <john.doe@example.com>"), "john.doe@example.com|Doe, John");
    EXPECT_EQ(Choices("\"Smith, J. (Sales)\" <js@example.com>"),
              "js@example.com|Smith, J. (Sales)");
    EXPECT_EQ(Choices("js@example.com (Smith, J.), b@x.example"),
              "js@example.com|Smith, J. ; b@x.example|b");
    EXPECT_EQ(Choices("a@x.example (one (two, three) four), b@y.example"),
              "a@x.example|one (two, three) four ; b@y.example|b")
        << "comments nest";
    EXPECT_EQ(Choices("\"a \\\", b\" <q@x.example>, c@y.example"),
              "q@x.example|a \", b ; c@y.example|c")
        << "an escaped quote does not end the quoted string, and is the name's quote";
    EXPECT_EQ(Choices("<a,b@x.example>, c@y.example"), "a,b@x.example| ; c@y.example|c")
        << "a comma inside angle brackets is not a separator";
    EXPECT_EQ(Choices("a@x.example, b@y.example,"), "a@x.example|a ; b@y.example|b ; |")
        << "a trailing comma still gives an empty last entry";
}

TEST(AddressList, MarksInsideQuotesAndCommentsAreNotTheAddress) {
    EXPECT_EQ(Choices("\"Alice <alice@old.example>\" <alice@new.example>"),
              "alice@new.example|Alice <alice@old.example>");
    EXPECT_EQ(Choices("a@b.example (Sales <EU>)"), "a@b.example|Sales <EU>");
    EXPECT_EQ(Choices("a@x.example (one \\) two), b@y.example"),
              "a@x.example|one \\) two ; b@y.example|b")
        << "an escaped parenthesis does not close the comment";
}

TEST(AddressList, WhatNeverClosesSplitsAtEveryCommaAsThePlainRulesDo) {
    EXPECT_EQ(Choices("<x, a@b.example, c@d.example"), "<x|< ; a@b.example|a ; c@d.example|c");
    EXPECT_EQ(Choices("Bob (work <bob@example.com>, carol@example.org"),
              "bob@example.com|Bob (work ; carol@example.org|carol");
    EXPECT_EQ(Choices("\"O\"Brien, Pat\" <pat@example.com>, ann@example.com"),
              "O\"Brien|O\"Brie ; pat@example.com|Pat ; ann@example.com|ann")
        << "no address keeps a blank or a bracket where brackets hold one";
    EXPECT_EQ(Choices("\"Bob\\\" <bob@example.com>, c@d.example"),
              "bob@example.com|Bob\\ ; c@d.example|c")
        << "a quoted name ending in a backslash";
    EXPECT_EQ(Choices("Sales: Bob <bob@example.com>"), "bob@example.com|Sales: Bob")
        << "only a \";\" closes a group";
    EXPECT_EQ(Choices("Info: a@b.example, c@d.example,"),
              "Info: a@b.example|Info: a ; c@d.example|c ; |");
    EXPECT_EQ(Choices("\"John Doe \" <jd@example.com>"), "jd@example.com|John Doe");
    EXPECT_EQ(Choices("\"Ann\x0BLee\x1B[2J\x7F\x01\" <ann@example.com>"),
              "ann@example.com|AnnLee[2J")
        << "no control character in a proposed name";
    EXPECT_EQ(ProposedFolderName({"...", "ann@example.com"}, kNoLeadBytes), "ann")
        << "a name of which no folder name is left proposes the local part";
}

TEST(AddressList, AGroupGivesItsMembersAndAnEmptyGroupNothing) {
    EXPECT_EQ(Choices("Team: a@example.com, b@example.com;"), "a@example.com|a ; b@example.com|b");
    EXPECT_EQ(Choices("Team: a@example.com;, c@example.com"), "a@example.com|a ; c@example.com|c");
    EXPECT_EQ(Choices("Nobody:;, c@example.com"), "c@example.com|c");
    EXPECT_EQ(Choices("\"Team: all\" <t@example.com>"), "t@example.com|Team: all")
        << "a colon in a quoted name opens no group";
    EXPECT_EQ(Choices("undisclosed-recipients:;"), "undisclosed-recipients:;|")
        << "a value without an address is still one entry as it is";
}

TEST(AddressList, UnfoldsLinesAndMakesTabsBlanks) {
    EXPECT_EQ(Choices("\"Ann\r\n\tLee\" <ann@\r\n\texample.com>,\r\n\t\"User 1\" <u1@example.com>"),
              "ann@example.com|Ann Lee ; u1@example.com|User 1")
        << "a fold inside the angle brackets leaves no blank in the address";
    EXPECT_EQ(UnfoldHeaderValue("a\r\n b\r\nc\td"), "a b\r\nc d")
        << "a line break without a blank after it is no fold";
}

TEST(AddressList, ReadsDoubleByteCharactersWhole) {
    // 表 is 95 5C in Shift-JIS: its second byte has the code of a backslash.
    const std::string table = "\x95\x5C";
    const std::string value = "\"" + table + "\" <a@x.example>, b@y.example";
    EXPECT_EQ(SplitAddressList(value, kSjis).size(), 2U);
    EXPECT_EQ(SplitAddressList(value, kNoLeadBytes).front(), "\"" + table + "\" <a@x.example>")
        << "read byte by byte, the trail byte escapes the closing quote, which then never "
           "closes: every comma splits";
    EXPECT_EQ(Choices("\"Ann\x82\" <a@x.example>", nullptr, kSjis), "a@x.example|Ann")
        << "a lead byte without its second byte is no character of a name";
    // 亜 (88 9F) escaped: its second byte is a lead byte too, and must not
    // take the backslash after it as its own second byte.
    const std::string escaped = "\"\\\x88\x9F\\\", b\" <q@x.example>, c@y.example";
    EXPECT_EQ(SplitAddressList(escaped, kSjis).size(), 2U);
}

class EncodedWords : public ::testing::Test {
  protected:
    IconvCharsets utf8_{"UTF-8"};
    IconvCharsets shift_jis_{"CP932"};
    IconvCharsets western_{"CP1252"};
};

TEST_F(EncodedWords, DecodeIntoTheHostsCodePage) {
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?B?5bGx55Sw5aSq6YOO?=", utf8_), "山田太郎");
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?B?5bGx55Sw5aSq6YOO?=", shift_jis_),
              "\x8E\x52\x93\x63\x91\xBE\x98\x59");
    EXPECT_EQ(DecodeEncodedWords("=?ISO-2022-JP?B?GyRCOzNFRBsoQg==?=", utf8_), "山田");
    EXPECT_EQ(DecodeEncodedWords("=?iso-2022-jp?b?GyRCOzNFRBsoQg==?=", shift_jis_),
              "\x8E\x52\x93\x63");
    EXPECT_EQ(DecodeEncodedWords("=?EUC-JP?B?u7PFxA==?=", utf8_), "山田");
    EXPECT_EQ(DecodeEncodedWords("=?Shift_JIS?B?jlKTYw==?=", utf8_), "山田");
    EXPECT_EQ(DecodeEncodedWords("=?ISO-8859-1?Q?Jos=E9_Mar=EDa?=", western_),
              "Jos\xE9 Mar\xED"
              "a");
    EXPECT_EQ(DecodeEncodedWords("=?windows-1250?Q?=8Aime?=", utf8_), "Šime");
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8*ja?Q?a?=", utf8_), "a") << "a language tag is no charset";
}

TEST_F(EncodedWords, JoinAdjacentWordsAndKeepTheTextBetweenOthers) {
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?Q?a?= \r\n =?UTF-8?Q?b?=", utf8_), "ab");
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?B?5bGx?= =?UTF-8?B?55Sw?=", utf8_), "山田")
        << "a character split over two words";
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?Q?a?= x =?UTF-8?Q?b?=", utf8_), "a x b");
    EXPECT_EQ(DecodeEncodedWords("Dr. =?UTF-8?Q?J=C3=B6rg?= Doe", utf8_), "Dr. Jörg Doe");
    EXPECT_EQ(DecodeEncodedWords("=?ISO-8859-1?Q?a?= =?UTF-8?Q?=C3=A9?=", utf8_), "aé")
        << "adjacent words of two charsets";
}

TEST_F(EncodedWords, KeepANameThatDoesNotDecodeOrFitAsItCame) {
    for (const char* name :
         {"=?UTF-8?B?5bGx*55Sw?=", "=?UTF-8?Q?a=4?=", "=?KOI8-X?Q?a?=", "=?UTF-8?X?a?=",
          "=?UTF-8?B?5bGx55Sw", "=?UTF-8?B?/w==?=", "plain name", "=??Q?a?="}) {
        EXPECT_EQ(DecodeEncodedWords(name, utf8_), name);
    }
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?Q?Bob=0A=09x=1B?=", utf8_), "=?UTF-8?Q?Bob=0A=09x=1B?=")
        << "control characters would reach the host's files";
    for (const char* outside : {"=?UTF-8?Q?=F4=90=80=80?=", "=?UTF-8?Q?=C2=85?=",
                                "=?ISO-8859-1?Q?a=85b?=", "=?UTF-8?Q?=ED=A0=80?="}) {
        EXPECT_EQ(DecodeEncodedWords(outside, utf8_), outside)
            << "beyond U+10FFFF, a C1 control or a surrogate is no name in UTF-8";
    }
    EXPECT_EQ(Choices("=?UTF-8?Q?Jos=C3=A9_?= <jose@example.es>", &utf8_),
              "jose@example.es|Jos\xC3\xA9")
        << "no final blank in a decoded name";
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?B?====?=", utf8_), "=?UTF-8?B?====?=");
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?B?YQ?=", utf8_), "a") << "padding may be left out";
    EXPECT_EQ(DecodeEncodedWords("=?US-ASCII?Q?=E9?=", utf8_), "=?US-ASCII?Q?=E9?=");
    EXPECT_EQ(DecodeEncodedWords("=?UTF-8?B?5bGx55Sw?=", western_), "=?UTF-8?B?5bGx55Sw?=")
        << "a character without a place in the host's code page";
    EXPECT_EQ(DecodeEncodedWords("ok =?UTF-8?B?5bGx?= =?UTF-8?Q?bad=?=", utf8_),
              "ok =?UTF-8?B?5bGx?= =?UTF-8?Q?bad=?=")
        << "one word that does not decode keeps the whole name";
}

TEST_F(EncodedWords, AreDecodedInTheProposedNamesButNeverDropAnAddress) {
    EXPECT_EQ(Choices("=?UTF-8?B?5bGx55Sw5aSq6YOO?= <taro@example.jp>", &utf8_),
              "taro@example.jp|山田太郎");
    EXPECT_EQ(Choices("=?UTF-8?B?5bGx55Sw5aSq6YOO?= <taro@example.jp>", &western_),
              "taro@example.jp|=?UTF-8?B?5bGx55Sw5aSq6YOO?=");
    EXPECT_EQ(Choices("\"=?ISO-8859-1?Q?Lee,_Ann?=\" <ann@example.com>, b@x.example", &western_),
              "ann@example.com|Lee, Ann ; b@x.example|b");
}

TEST(Charsets, NamesMapToTheirCodePages) {
    EXPECT_EQ(CodePageOfCharset("utf-8"), 65001);
    EXPECT_EQ(CodePageOfCharset("ISO-2022-JP"), 50220);
    EXPECT_EQ(CodePageOfCharset("Shift_JIS"), 932);
    EXPECT_EQ(CodePageOfCharset("EUC-JP"), 20932);
    EXPECT_EQ(CodePageOfCharset("ISO-8859-1"), 28591);
    EXPECT_EQ(CodePageOfCharset("iso-8859-15"), 28605);
    EXPECT_EQ(CodePageOfCharset("windows-1250"), 1250);
    EXPECT_EQ(CodePageOfCharset("Windows-1258"), 1258);
    for (const char* unknown : {"iso-8859-12", "iso-8859-17", "windows-1259", "windows-125",
                                "cp437", "koi8-r", "", "utf-8x", "iso-8859-1x"}) {
        EXPECT_FALSE(CodePageOfCharset(unknown).has_value()) << unknown;
    }
}

TEST(Charsets, JapaneseCodesBecomeShiftJisByArithmetic) {
    // 亜 (JIS 30 21), ア (25 22), ｱ half-width, and ASCII between.
    EXPECT_EQ(JapaneseAsShiftJis(50220, "\x1B$B0!%\"\x1B(Ba\x1B(I1\x1B(B"),
              "\x88\x9F\x83\x41"
              "a\xB1");
    EXPECT_EQ(JapaneseAsShiftJis(20932,
                                 "\xB0\xA1\xA5\xA2"
                                 "a\x8E\xB1"),
              "\x88\x9F\x83\x41"
              "a\xB1");
    EXPECT_FALSE(JapaneseAsShiftJis(20932, "\x8F\xA2\xAF").has_value()) << "JIS X 0212";
    EXPECT_FALSE(JapaneseAsShiftJis(20932, "\xB0").has_value()) << "half a character";
    EXPECT_FALSE(JapaneseAsShiftJis(50220, "\x1B$(D").has_value()) << "an unknown escape";
    EXPECT_FALSE(JapaneseAsShiftJis(50220, "\x1B$B0").has_value()) << "half a character";
    EXPECT_FALSE(JapaneseAsShiftJis(50220, "\xB0").has_value()) << "an 8-bit byte";
}

}  // namespace
}  // namespace tandrel
