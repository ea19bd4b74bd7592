#include <gtest/gtest.h>

#include "mail/address_parts.h"
#include "mail/header_choices.h"
#include "settings/header_lists.h"

namespace tandrel {
namespace {

using Names = std::vector<std::string>;

TEST(HeaderList, YieldsOnlyNamesFollowedByAColon) {
    EXPECT_EQ(HeaderListNames("From:Sender:Reply-To:"), (Names{"From", "Sender", "Reply-To"}));
    EXPECT_EQ(HeaderListNames("From:Sender"), (Names{"From"}));
    EXPECT_EQ(HeaderListNames("From::To:"), (Names{"From", "", "To"}));
    EXPECT_EQ(HeaderListNames(""), Names{});
    EXPECT_EQ(HeaderListNames("NoColon"), Names{});
    const std::string long_list = std::string(400, 'a') + ":b:";
    EXPECT_EQ(HeaderListNames(long_list), (Names{std::string(400, 'a'), "b"}));
    EXPECT_EQ(JoinHeaderList({"From", "", "To"}), "From::To:");
}

TEST(HeaderList, SplitsStepByStepAsItsCallersLoop) {
    std::string name = "untouched";
    int position = 0;
    SplitHeaderList("To:Cc", name, position);
    EXPECT_EQ(name, "To");
    EXPECT_EQ(position, 3);
    SplitHeaderList("To:Cc", name, position);
    EXPECT_EQ(position, -1) << "a name without a colon ends the list";
    name = "kept";
    SplitHeaderList("To:Cc", name, position);
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(position, -1);
}

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

constexpr const char* kHeader =
    "Received: from a\r\n"
    "\tby b; Mon, 7 Dec 2026 10:00:00 +0900\r\n"
    "Received: from c\r\n"
    "From: Ann <ann@example.com>\r\n"
    "To: bob@example.com\r\n"
    "FROM: shout@example.com\r\n"
    "From: again@example.com\r\n"
    "Subject: hi";

TEST(HeaderNames, ListsEveryLineUpToItsColonExceptReceived) {
    const HeaderNameChoices choices = ListHeaderNames(kHeader, "From");
    EXPECT_EQ(choices.names,
              (Names{"\tby b; Mon, 7 Dec 2026 10", "From", "To", "FROM", "From", "Subject"}));
    EXPECT_EQ(choices.selected, 1) << "the first entry equal to the preferred name";
    EXPECT_EQ(ListHeaderNames(kHeader, "Subject").selected, 5);
    EXPECT_EQ(ListHeaderNames(kHeader, "from").selected, -1) << "names are case-sensitive";
    EXPECT_EQ(ListHeaderNames(kHeader, "Received").selected, -1);
}

TEST(HeaderNames, ALineWithoutAColonOfItsOwnNamesNothing) {
    const HeaderNameChoices choices = ListHeaderNames("X-Long\r\n continued\r\nTo: a@b\r\n", "To");
    EXPECT_EQ(choices.names, (Names{"To"}));
    EXPECT_EQ(choices.selected, 0);
    EXPECT_TRUE(ListHeaderNames("no colon anywhere", "To").names.empty());
    EXPECT_EQ(ListHeaderNames("", "To").selected, -1);
    EXPECT_EQ(ListHeaderNames("A\nB: x\r\nC: y\r\n", "C").names, (Names{"C"}))
        << "a lone line feed is no place for a name either";

    // A folded header of thousands of lines without a colon offers one name.
    std::string folded = "To: a@example.com,\r\n";
    for (int i = 0; i < 5000; ++i) {
        folded += "\tuser" + std::to_string(i) + "@example.com,\r\n";
    }
    folded += "Subject: hi\r\n";
    EXPECT_EQ(ListHeaderNames(folded, "To").names, (Names{"To", "Subject"}));
}

}  // namespace
}  // namespace tandrel
