// What Tandrel writes into the host's files, read as the host reads them: 255
// characters at a time. Every line must come out whole, so that a long
// address or name cannot add a condition, an entry or a card line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string_view>
#include <vector>

#include "addressbook/add_address.h"
#include "addressbook/group_index.h"
#include "helpers/host_reader.h"
#include "rules/rule_insert.h"
#include "rules/rule_reader.h"
#include "support/builtin_strings.h"
#include "support/counting_temp_names.h"
#include "support/memory_profile.h"
#include "testhost/scenario/expectations.h"
#include "text/one_line.h"

namespace tandrel {
namespace {

namespace fs = std::filesystem;
using testing::AsTheHostReadsAnIndex;
using testing::AsTheHostReadsIt;
using testing::HostReadIndexLines;
using testing::HostReadLines;
using testing::MemoryFiles;
using testing::MemoryProfile;

constexpr const char* kRules = "C:\\Data\\Main\\iFilter.Def";
constexpr const char* kData = "C:\\Data\\";
constexpr const char* kGroup = "C:\\Data\\AddrBook\\@Private\\Friends\\";

std::size_t ConditionCount(const RuleFile& rule_file) {
    std::size_t count = 0;
    for (const RuleBlock& block : rule_file.blocks) {
        count += block.conditions.size();
    }
    return count;
}

TEST(HostReader, SplitsLinesAt255CharactersAsTheHostDoes) {
    EXPECT_EQ(HostReadLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(HostReadLines(std::string(254, 'x') + "\r\n").size(), 1U);
    const auto split = HostReadLines(std::string(255, 'x') + "y\r\n");
    ASSERT_EQ(split.size(), 2U);
    EXPECT_EQ(split[1], "y");
}

TEST(HostReader, TellsWhetherEveryLineFitsTheLimit) {
    const std::string limit(kHostLineLimit, 'x');
    for (const std::string& fits :
         {std::string(), limit, limit + "\r\n" + limit, limit + "\r", limit + "\n" + limit + "\r\n",
          "a\n" + limit + "\r\n" + limit + "\n", std::string(100, '\n')}) {
        EXPECT_TRUE(FitsHostLines(fits)) << fits.size();
    }
    for (const std::string& long_line :
         {limit + "x", limit + "x\r\n", limit + "\r\r\n", "a\n" + limit + "x\n",
          limit + "\n" + limit + "xy", limit + "\rx\n" + "b"}) {
        EXPECT_FALSE(FitsHostLines(long_line)) << long_line.size();
    }
}

// Each line measured on its own: the answer FitsHostLines must give.
bool EachLineFits(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t feed = std::min(text.find('\n', start), text.size());
        std::size_t length = feed - start;
        if (length > 0 && text[feed - 1] == '\r') {
            --length;
        }
        if (length > kHostLineLimit) {
            return false;
        }
        start = feed + 1;
    }
    return true;
}

bool FitsInPieces(const std::string& text, const std::vector<std::size_t>& cuts) {
    HostLineCheck check;
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        check.Take(std::string_view(text).substr(from, cut - from));
        from = cut;
    }
    check.Take(std::string_view(text).substr(from));
    return check.fits();
}

// Lines around the limit, with every line end and none, each cut anywhere:
// the answer does not depend on where a read splits the file.
TEST(HostReader, TellsWhetherLinesFitWhereverTheTextIsCut) {
    std::mt19937 random(17);
    const std::vector<std::string> ends = {"\r\n", "\n", "\r", "\r\r\n", ""};
    int long_ones = 0;
    for (int round = 0; round < 400; ++round) {
        std::string text;
        for (int line = 0, lines = 1 + static_cast<int>(random() % 4); line < lines; ++line) {
            text += std::string(kHostLineLimit - 3 + random() % 6, 'x');
            text += ends[random() % ends.size()];
        }
        const bool fits = EachLineFits(text);
        long_ones += fits ? 0 : 1;
        ASSERT_EQ(FitsHostLines(text), fits) << round;
        std::vector<std::size_t> cuts;
        for (std::size_t cut = 0; cut <= text.size(); cut += 1 + random() % 97) {
            cuts.push_back(cut);
        }
        ASSERT_EQ(FitsInPieces(text, cuts), fits) << round;
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            ASSERT_EQ(FitsInPieces(text, {cut}), fits) << round << " cut at " << cut;
        }
    }
    // Both answers came up often.
    EXPECT_GT(long_ones, 40);
    EXPECT_LT(long_ones, 360);
}

RuleInsertion FromAddress(const std::string& address) {
    RuleInsertion insertion;
    insertion.folder = "Main\\!!!!Inbox\\";
    insertion.header = "From";
    insertion.address = address;
    return insertion;
}

TEST(HostLinesRules, AnAddressThatWouldSplitIntoASecondConditionIsRefused) {
    // Read 255 characters at a time, this line would end in a second
    // condition "Subject contains nothing", which sorts every mail.
    const std::string evil = std::string(234, 'a') + "@evil.example@0:Subject:";
    MemoryFiles files;
    const std::string before =
        ":Begin \"\"\r\n!M:Main\\Work\\\r\n@0:From:ann@x\tO\tI\r\n:End \"\"\r\n";
    files.AddFile(kRules, before);
    for (const int mode : {0, 1, 2, 3}) {
        RuleInsertion insertion = FromAddress(evil);
        insertion.place_mode = mode;
        EXPECT_EQ(InsertRule(files, kRules, insertion), RuleWriteResult::LineTooLong);
    }
    EXPECT_EQ(files.Content(kRules), before);
    EXPECT_FALSE(files.Exists(std::string(kRules) + ".bak"));

    RuleInsertion far_folder = FromAddress("ann@example.com");
    far_folder.folder = std::string(252, 'f') + "\\";
    EXPECT_EQ(InsertRule(files, kRules, far_folder), RuleWriteResult::LineTooLong)
        << "the action line of a new block must fit as well";
}

TEST(HostLinesRules, TheLongestAddressThatFitsIsOneConditionToTheHost) {
    // "@0:From:" and "<TAB>O<TAB>I" take 12 of the 254 characters.
    const std::size_t longest = kHostLineLimit - 12;
    for (const std::size_t length : {longest, longest + 1}) {
        MemoryFiles files;
        files.AddDirectory("C:\\Data\\Main");
        const std::string address = std::string(length - 14, 'a') + "@0:Subject:xyz";
        const RuleWriteResult result = InsertRule(files, kRules, FromAddress(address));
        if (length > longest) {
            EXPECT_EQ(result, RuleWriteResult::LineTooLong);
            continue;
        }
        ASSERT_EQ(result, RuleWriteResult::Written);
        const std::string written = *files.Content(kRules);
        const RuleFile as_host = ParseRuleFile(AsTheHostReadsIt(written));
        EXPECT_TRUE(as_host == ParseRuleFile(written));
        ASSERT_EQ(ConditionCount(as_host), 1U);
        EXPECT_EQ(as_host.blocks.front().conditions.front().value, address);
    }
}

// The index entries the host sees: lines of eight fields.
int HostEntries(const std::string& index) {
    return ScanGroupIndex(AsTheHostReadsAnIndex(index), "\t").entry_count;
}

// The card blocks the host sees.
int HostCards(const std::string& cards) {
    int count = 0;
    for (const std::string& line : HostReadIndexLines(cards)) {
        count += line == "BEGIN:VCARD" ? 1 : 0;
    }
    return count;
}

class HostLinesBook : public ::testing::Test {
  protected:
    HostLinesBook() { files().AddFile(std::string(kGroup) + "Group.ini", ""); }

    MemoryFiles& files() { return profile_.files(); }
    AddAddressResult Add(const std::string& address, const std::string& name,
                         LeadBytePredicate lead_bytes = kNoLeadBytes) {
        return AddAddressToGroup(files(), profile_, temp_names_, kData,
                                 {{"Private", "Friends"}, address, name}, lead_bytes);
    }
    std::string File(const std::string& name) {
        return files().Content(std::string(kGroup) + name).value_or("");
    }

    MemoryProfile profile_;
    CountingTempNames temp_names_{"C:\\Temp\\"};
};

TEST_F(HostLinesBook, ALongDisplayNameIsCutSoNoCardLineSpills) {
    // 252 characters of name would push "EMAIL;PREF:evil@x" into the FN line.
    const std::string name = std::string(252, 'n') + "EMAIL;PREF:evil@x";
    ASSERT_EQ(Add("ann@example.com", name), AddAddressResult::Added);
    ASSERT_EQ(Add("bob@example.com", name), AddAddressResult::Added);
    for (const std::string& line : HostReadLines(File("bab0001.tmp"))) {
        EXPECT_TRUE(line.rfind("EMAIL;PREF:", 0) != 0 || line == "EMAIL;PREF:ann@example.com" ||
                    line == "EMAIL;PREF:bob@example.com")
            << line;
    }
    EXPECT_EQ(HostCards(File("bab0001.tmp")), 2);
    EXPECT_EQ(HostEntries(File("Group.idx")), 2);
    EXPECT_TRUE(FitsHostLines(File("bab0001.tmp")) && FitsHostLines(File("Group.idx")));
    const GroupIndexScan bob =
        ScanGroupIndex(AsTheHostReadsAnIndex(File("Group.idx")), "bob@example.com");
    EXPECT_TRUE(bob.duplicate) << "the host finds the address whole in its entry";
}

TEST_F(HostLinesBook, ANameIsCutAtACharacterNotInsideOne) {
    // Two-byte characters whose second byte is "\": a cut after a first byte
    // would leave half a character at the end of the line.
    std::string name;
    while (name.size() < 300) {
        name += "\x95\x5C";
    }
    ASSERT_EQ(Add("a@example.com", "x" + name, IsShiftJisLeadByte), AddAddressResult::Added);
    const std::string index = File("Group.idx");
    const std::string written_name = index.substr(index.find("bab0001.tmp\t") + 12);
    const std::string cut = written_name.substr(0, written_name.find('\t'));
    ASSERT_GT(cut.size(), 1U);
    EXPECT_EQ(cut.size() % 2, 1U) << "the 'x' and whole characters";
    EXPECT_EQ(cut.substr(cut.size() - 2), "\x95\x5C");
}

TEST_F(HostLinesBook, AnEntryAfterALoneCarriageReturnStandsOnALineOfItsOwn) {
    // The host reads on past a CR and takes a line only up to it: an entry
    // appended right after one would be lost to it.
    files().AddFile(std::string(kGroup) + "Group.idx", "0\t0\tc.tmp\tAnn\tann@x\t\t\t1\r");
    files().AddFile(std::string(kGroup) + "c.tmp", "BEGIN:VCARD\r");
    ASSERT_EQ(Add("bob@x", "Bob"), AddAddressResult::Added);
    EXPECT_EQ(HostEntries(File("Group.idx")), 2);
    EXPECT_EQ(HostCards(File("c.tmp")), 2);
}

TEST_F(HostLinesBook, AnAddressTooLongForTheIndexIsRefusedWithNothingWritten) {
    BuiltinStrings strings;
    const std::string address = std::string(240, 'a') + "@example.com";
    EXPECT_EQ(Add(address, "Ann"), AddAddressResult::LineTooLong);
    EXPECT_FALSE(files().Exists(std::string(kGroup) + "Group.idx"));
    EXPECT_FALSE(files().Exists(std::string(kGroup) + "bab0001.tmp"));
    EXPECT_NE(AddAddressMessage(strings, AddAddressResult::LineTooLong,
                                {{"Private", "Friends"}, address, "Ann"})
                  .find(std::to_string(kHostLineLimit)),
              std::string::npos)
        << "the message names the limit";
}

// The lines of `after` that `before` does not hold: the ones a run wrote.
std::vector<std::string> WrittenLines(const std::string& before, const std::string& after) {
    const auto lines = [](const std::string& text) {
        std::vector<std::string> split;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            split.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        return split;
    };
    const std::vector<std::string> kept = lines(before);
    std::vector<std::string> written;
    for (const std::string& line : lines(after)) {
        if (std::find(kept.begin(), kept.end(), line) == kept.end()) {
            written.push_back(line);
        }
    }
    return written;
}

// Every line a scenario's run writes into a rule file, group index or card
// file is one the host reads whole; and where the host's own lines are all
// short, the host reads the file as this project does.
TEST(HostLinesScenarios, TheHostReadsEveryWrittenLineWhole) {
    int files_read = 0;
    for (const auto& scenario :
         fs::directory_iterator(fs::path(TANDREL_SOURCE_DIR) / "tests" / "e2e" / "scenarios")) {
        const fs::path expect = scenario.path() / "expect";
        if (!fs::exists(expect)) {
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(expect)) {
            const std::string name = entry.path().filename().string();
            const bool index = name == "Group.idx";
            const bool cards = entry.path().extension() == ".tmp";
            const bool rules = name == "iFilter.Def" || name == "oFilter.Def";
            if (!entry.is_regular_file() || !(index || cards || rules)) {
                continue;
            }
            const fs::path data = scenario.path() / "data" / fs::relative(entry.path(), expect);
            const std::string before = fs::exists(data) ? testhost::ReadWholeFile(data) : "";
            const std::string after = testhost::ReadWholeFile(entry.path());
            for (const std::string& line : WrittenLines(before, after)) {
                EXPECT_TRUE(FitsHostLines(line)) << entry.path() << ": " << line;
            }
            if (FitsHostLines(before) && index) {
                EXPECT_EQ(ScanGroupIndex(AsTheHostReadsAnIndex(after), "\t").entry_count,
                          ScanGroupIndex(after, "\t").entry_count)
                    << entry.path();
            } else if (FitsHostLines(before) && rules) {
                EXPECT_TRUE(ParseRuleFile(AsTheHostReadsIt(after)) == ParseRuleFile(after))
                    << entry.path();
            }
            ++files_read;
        }
    }
    EXPECT_GT(files_read, 20);
}

}  // namespace
}  // namespace tandrel
