#include "settings/header_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

using Names = std::vector<std::string>;

TEST(HeaderList, YieldsOnlyNamesFollowedByAColon) {
    EXPECT_EQ(HeaderListNames("From:Sender:Reply-To:"), (Names{"From", "Sender", "Reply-To"}));
    EXPECT_EQ(HeaderListNames("From:Sender"), (Names{"From"})) << "a name without a colon ends it";
    EXPECT_EQ(HeaderListNames("From::To:"), (Names{"From", "", "To"}));
    EXPECT_EQ(HeaderListNames(""), Names{});
    EXPECT_EQ(HeaderListNames("NoColon"), Names{});
    const std::string long_list = std::string(400, 'a') + ":b:";
    EXPECT_EQ(HeaderListNames(long_list), (Names{std::string(400, 'a'), "b"}));
    EXPECT_EQ(JoinHeaderList({"From", "", "To"}), "From::To:");
}

}  // namespace
}  // namespace tandrel
