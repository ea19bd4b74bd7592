// The filtered search must find what a plain search finds, wherever the
// matches stand: at the start, in the last bytes the wide search leaves to
// the byte-by-byte check, overlapping, or in text made of near misses.
#include "text/text_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tandrel {
namespace {

std::vector<std::size_t> PlainSearch(std::string_view text, std::string_view needle) {
    std::vector<std::size_t> found;
    for (std::size_t at = text.find(needle); !needle.empty() && at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        found.push_back(at);
    }
    return found;
}

TEST(TextSearch, FindsWhatAPlainSearchFindsInRandomText) {
    std::mt19937 random(8122026);
    const std::string alphabet = "ab:\t@";
    int with_matches = 0;
    for (int i = 0; i < 6000; ++i) {
        std::string text(random() % 300, 'a');
        for (char& c : text) {
            c = alphabet[random() % (random() % 2 == 0 ? 2 : alphabet.size())];
        }
        std::string needle;
        if (!text.empty() && random() % 3 != 0) {
            const std::size_t at = random() % text.size();
            needle = text.substr(at, 1 + random() % 40);
        } else {
            needle.resize(random() % 6, 'a');
            for (char& c : needle) {
                c = alphabet[random() % alphabet.size()];
            }
        }
        const auto expected = PlainSearch(text, needle);
        with_matches += expected.empty() ? 0 : 1;
        ASSERT_EQ(FindAllOccurrences(text, needle), expected)
            << "text \"" << text << "\" needle \"" << needle << "\"";
    }
    EXPECT_GT(with_matches, 3000) << "most cases should have something to find";
}

TEST(TextSearch, FindsConditionsInALargeRuleTextToItsLastByte) {
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "@0:From:user" + std::to_string(i) + "@example.com\tO\tI\r\n";
    }
    const std::string last = ":From:user4999@example.com\tO\tI\r\n";
    EXPECT_EQ(FindAllOccurrences(text, last), std::vector<std::size_t>{text.size() - last.size()});
    EXPECT_EQ(FindAllOccurrences(text, ":From:user1234@example.com\t"),
              std::vector<std::size_t>{text.find("user1234@") - 6});
    EXPECT_TRUE(FindAllOccurrences(text, ":From:user5000@example.com\t").empty());
    EXPECT_EQ(FindAllOccurrences(text, "@0:").size(), 5000U);
    EXPECT_EQ(FindAllOccurrences(std::string(100, 'a'), "aaa").size(), 98U) << "overlapping";
    EXPECT_TRUE(FindAllOccurrences("short", "longer than the text").empty());
    EXPECT_TRUE(FindAllOccurrences("text", "").empty());
}

}  // namespace
}  // namespace tandrel
