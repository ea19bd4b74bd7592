#include "mail/header_choices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

using Names = std::vector<std::string>;

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
