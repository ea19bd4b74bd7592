#include "mail/address_parts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

std::string Trimmed(std::string text) {
    TrimQuotesAndSpaces(text);
    return text;
}

TEST(TrimQuotes, RemovesBlanksAndDoubleQuotesAtBothEnds) {
    EXPECT_EQ(Trimmed(" \"Ann Lee\"  "), "Ann Lee");
    EXPECT_EQ(Trimmed("\"a\""), "a");
    EXPECT_EQ(Trimmed(" \" \"\" "), "");
    EXPECT_EQ(Trimmed(""), "");
    EXPECT_EQ(Trimmed("\tAnn\t"), "\tAnn\t");
    EXPECT_EQ(Trimmed("it's \"x\" "), "it's \"x");
}

TEST(NameAddress, TakesEachFormApart) {
    const auto split = [](const char* part) {
        const NameAddress result = SplitNameAddress(part, kNoLeadBytes);
        return result.name + "|" + result.address;
    };
    EXPECT_EQ(split("\"Ann Lee\" <ann@example.com>"), "Ann Lee|ann@example.com");
    EXPECT_EQ(split("<ann@example.com>"), "|ann@example.com");
    EXPECT_EQ(split("Ann <ann@example.com> trailing"), "Ann|ann@example.com");
    EXPECT_EQ(split("ann@example.com (Ann Lee)"), "Ann Lee|ann@example.com");
    EXPECT_EQ(split(" ann@example.com "), "ann|ann@example.com");
    EXPECT_EQ(split("> ann@example.com <"), "> ann|> ann@example.com <")
        << "a '>' before the '<' falls to the bare address";
    EXPECT_EQ(split(") x@y ("), ") x|) x@y (");
    EXPECT_EQ(split("\"Lee"), "Le|Lee") << "without '@' the name is all but the last character";
    EXPECT_EQ(split("a"), "|a");
    EXPECT_EQ(split("   "), "|");
    EXPECT_EQ(split(""), "|");
    EXPECT_EQ(split("a@b, c@d"), "a|a@b") << "a bare address ends at a comma";
}

TEST(AddressChoices, SplitsAtCommasBetweenAddressesAndKeepsATrailingOne) {
    const auto choices = AddressChoices("\"Lee, Ann\" <ann@example.com>", kNoLeadBytes);
    ASSERT_EQ(choices.size(), 1U);
    EXPECT_EQ(choices[0].address, "ann@example.com");
    EXPECT_EQ(choices[0].name, "Lee, Ann");

    const auto trailing = AddressChoices("a@x.example, b@y.example,", kNoLeadBytes);
    ASSERT_EQ(trailing.size(), 3U);
    EXPECT_EQ(trailing[1].address, "b@y.example");
    EXPECT_EQ(trailing[2].address, "");
    EXPECT_EQ(trailing[2].name, "");
}

TEST(AddressChoices, AValueWithoutAnAtIsOneEntryAsItIs) {
    const auto choices = AddressChoices(" undisclosed-recipients:;", kNoLeadBytes);
    ASSERT_EQ(choices.size(), 1U);
    EXPECT_EQ(choices[0].address, " undisclosed-recipients:;");
    EXPECT_EQ(choices[0].name, "");
    ASSERT_EQ(AddressChoices("", kNoLeadBytes).size(), 1U);
    const std::string long_part = std::string(300, 'x') + "@example.com";
    EXPECT_EQ(AddressChoices(long_part, kNoLeadBytes)[0].address, long_part)
        << "long parts are kept whole";
}

}  // namespace
}  // namespace tandrel
