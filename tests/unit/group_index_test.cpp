// The group index scan, fast where the index is plain, must answer as a
// reader that takes each line apart: lines end at CR or LF and count up to a
// NUL, an entry has exactly eight tab-separated fields, the scan stops at
// the first entry whose fifth field is the address, and the card file name
// is the third field of the last line read that has one.
#include "addressbook/group_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tandrel {
namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separators) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (separators.find(c) != std::string::npos) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

GroupIndexScan ReadAsLines(const std::string& text, const std::string& address) {
    GroupIndexScan scan;
    std::vector<std::string> lines = Split(text, std::string("\r\n", 2));
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();  // nothing after the last line end
    }
    for (std::string line : lines) {
        line = line.substr(0, line.find('\0'));
        const std::vector<std::string> fields = Split(line, "\t");
        if (fields.size() >= 4) {
            scan.card_file_name = fields[2];
        }
        if (fields.size() != 8) {
            continue;
        }
        if (fields[4] == address) {
            scan.duplicate = true;
            break;
        }
        ++scan.entry_count;
    }
    return scan;
}

// Index text of entry lines and pieces of them, with odd bytes and line
// ends mixed in; the addresses are "aN@x".
std::string RandomIndex(std::mt19937& random) {
    const std::vector<std::string> pieces = {"0\t0\tbab0001.tmp\tName\ta1@x\t\t\t1\r\n",
                                             "10\t0\tbab0002.tmp\tB\ta2@x\t\t\t2\r\n",
                                             "\t",
                                             "a1@x",
                                             "\ta2@x\t",
                                             "\r",
                                             "\n",
                                             std::string(1, '\0'),
                                             "bab0003.tmp\t",
                                             "x",
                                             std::string(70, 'y'),
                                             "\x01",
                                             "1\t2\t3\t4\ta3@x\t6\t7\t8\n"};
    std::string text;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
        text += pieces[random() % pieces.size()];
    }
    return text;
}

TEST(GroupIndexScan, AnswersAsALineByLineReaderForAnyText) {
    std::mt19937 random(20261208);
    const std::vector<std::string> addresses = {"a1@x", "a2@x", "a3@x", "", "a1", "a\t1"};
    int duplicates = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomIndex(random);
        const std::string& address = addresses[random() % addresses.size()];
        const GroupIndexScan expected = ReadAsLines(text, address);
        const GroupIndexScan scan = ScanGroupIndex(text, address);
        duplicates += expected.duplicate ? 1 : 0;
        ASSERT_EQ(scan.duplicate, expected.duplicate) << testing::PrintToString(text);
        ASSERT_EQ(scan.entry_count, expected.entry_count) << testing::PrintToString(text);
        ASSERT_EQ(scan.card_file_name, expected.card_file_name) << testing::PrintToString(text);
    }
    EXPECT_GT(duplicates, 2000) << "the cases should find duplicates often";
}

TEST(GroupIndexScan, AnswersTheSameForAnIndexHandedOverInPieces) {
    std::mt19937 random(812);
    const std::vector<std::string> addresses = {"a1@x", "a2@x", "a3@x", "", "a\t1"};
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomIndex(random);
        const std::string& address = addresses[random() % addresses.size()];
        GroupIndexScanner scanner(address);
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t size = random() % 3 == 0 ? 0 : 1 + random() % 70;
            scanner.Take(std::string_view(text).substr(at, size));
            at += size;
        }
        EXPECT_EQ(scanner.taken(), text.size());
        const GroupIndexScan expected = ReadAsLines(text, address);
        const GroupIndexScan scan = scanner.Result();
        ASSERT_EQ(scan.duplicate, expected.duplicate) << testing::PrintToString(text);
        ASSERT_EQ(scan.entry_count, expected.entry_count) << testing::PrintToString(text);
        ASSERT_EQ(scan.card_file_name, expected.card_file_name) << testing::PrintToString(text);
    }
}

TEST(GroupIndexScan, CountsTheEntriesOfALargeIndexAndFindsItsLastAddress) {
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += std::to_string(i * 60) + "\t0\tbab0001.tmp\tUser " + std::to_string(i) + "\tuser" +
                std::to_string(i) + "@example.com\t\t\t" + std::to_string(i + 1) + "\r\n";
    }
    const GroupIndexScan plain = ScanGroupIndex(text, "new@example.com");
    EXPECT_FALSE(plain.duplicate);
    EXPECT_EQ(plain.entry_count, 3000);
    EXPECT_EQ(plain.card_file_name, "bab0001.tmp");
    const GroupIndexScan last = ScanGroupIndex(text, "user2999@example.com");
    EXPECT_TRUE(last.duplicate);
    EXPECT_EQ(last.entry_count, 2999);
    // The address in another field is no duplicate.
    const GroupIndexScan elsewhere =
        ScanGroupIndex(text + "1\t0\tfresh@x\tN\tother@x\t\t\t9", "fresh@x");
    EXPECT_FALSE(elsewhere.duplicate);
    EXPECT_EQ(elsewhere.entry_count, 3001) << "a last line without its end counts";
    EXPECT_EQ(elsewhere.card_file_name, "fresh@x");
}

}  // namespace
}  // namespace tandrel
