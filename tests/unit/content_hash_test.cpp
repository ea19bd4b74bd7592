#include "text/content_hash.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tandrel {
namespace {

// A put-back compares the hash of a version read whole with the one its list
// took a piece at a time: any split must give the same hash, and a change of
// one byte anywhere another.
TEST(ContentHash, PiecesGiveTheHashOfTheWholeAndOneByteChangesIt) {
    std::mt19937 random(912);
    for (int round = 0; round < 200; ++round) {
        std::string text(random() % 300, '\0');
        for (char& byte : text) {
            byte = static_cast<char>(random());
        }
        const std::uint64_t whole = ContentHash(text);
        ContentHasher pieces;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t size = std::min<std::size_t>(random() % 70, text.size() - at);
            pieces.Add(std::string_view(text).substr(at, size));
            at += size;
        }
        EXPECT_EQ(pieces.Finish(), whole) << round;
        if (!text.empty()) {
            std::string changed = text;
            changed[random() % changed.size()] ^= static_cast<char>(1 + random() % 255);
            EXPECT_NE(ContentHash(changed), whole) << round;
        }
        EXPECT_NE(ContentHash(text + '\0'), whole) << "the length counts";
    }
}

}  // namespace
}  // namespace tandrel
