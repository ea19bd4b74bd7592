// Two processes writing the same files at once: the lock file lets one
// writer at a time read, change and replace, so no update is lost and no
// temporary or lock file is left.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <functional>
#include <string>

#include "addressbook/add_address.h"
#include "addressbook/group_index.h"
#include "helpers/temp_dir.h"
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#include "rules/rule_history.h"
#include "rules/rule_insert.h"
#include "rules/rule_reader.h"
#include "support/counting_temp_names.h"

namespace tandrel {
namespace {

using testing::TempDir;

constexpr int kWriters = 2;
constexpr int kAddsEach = 100;

// Runs `adds(writer)` in each of two child processes at once; true when
// every child reported every add as done.
bool InTwoProcesses(const std::function<bool(int writer)>& adds) {
    std::array<pid_t, kWriters> children{};
    for (int writer = 0; writer < kWriters; ++writer) {
        children[writer] = ::fork();
        if (children[writer] == 0) {
            ::_exit(adds(writer) ? 0 : 1);
        }
        if (children[writer] < 0) {
            return false;
        }
    }
    bool all = true;
    for (const pid_t child : children) {
        int status = 0;
        all = ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
              WEXITSTATUS(status) == 0 && all;
    }
    return all;
}

std::string Address(int writer, int add) {
    return "w" + std::to_string(writer) + "n" + std::to_string(add) + "@example.com";
}

TEST(ConcurrentWriters, EveryRuleAddedFromTwoProcessesIsInTheFile) {
    TempDir dir;
    const std::string path = dir.path() + "iFilter.Def";
    ASSERT_TRUE(InTwoProcesses([&](int writer) {
        PosixFiles files;
        for (int add = 0; add < kAddsEach; ++add) {
            RuleInsertion insertion;
            insertion.folder = "Main\\Work\\";
            insertion.header = "From";
            insertion.address = Address(writer, add);
            if (InsertRule(files, path, insertion) != RuleWriteResult::Written) {
                return false;
            }
        }
        return true;
    }));
    const RuleFile rules = ParseRuleFile(dir.Read("iFilter.Def"));
    ASSERT_EQ(rules.blocks.size(), 1U);
    EXPECT_EQ(rules.blocks.front().conditions.size(),
              static_cast<std::size_t>(kWriters * kAddsEach));
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int add = 0; add < kAddsEach; ++add) {
            EXPECT_NE(dir.Read("iFilter.Def").find(":" + Address(writer, add) + "\t"),
                      std::string::npos);
        }
    }
    EXPECT_EQ(dir.Listing(),
              "iFilter.Def iFilter.Def.bak iFilter.Def.bak10 iFilter.Def.bak2 iFilter.Def.bak3 "
              "iFilter.Def.bak4 iFilter.Def.bak5 iFilter.Def.bak6 iFilter.Def.bak7 "
              "iFilter.Def.bak8 iFilter.Def.bak9")
        << "no lock or temporary file left, and ten versions kept";
    // The writers took turns whole: each kept version is the one before the next.
    auto conditions = static_cast<std::size_t>(kWriters) * kAddsEach;
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        const std::string name =
            slot == 1 ? "iFilter.Def.bak" : "iFilter.Def.bak" + std::to_string(slot);
        const RuleFile kept = ParseRuleFile(dir.Read(name));
        --conditions;
        ASSERT_EQ(kept.blocks.empty() ? 0U : kept.blocks.front().conditions.size(), conditions)
            << name;
    }
}

TEST(ConcurrentWriters, EveryAddressAddedFromTwoProcessesHasItsEntryAndCard) {
    TempDir dir;
    dir.Write("data/AddrBook/@Private/Friends/Group.ini", "");
    dir.Write("temp/.keep", "");
    const std::string data = dir.path() + "data/";
    ASSERT_TRUE(InTwoProcesses([&](int writer) {
        PosixFiles files;
        IniFileProfile profile(files);
        CountingTempNames temp_names(dir.path() + "temp/");
        for (int add = 0; add < kAddsEach; ++add) {
            const AddressEntry entry{{"Private", "Friends"}, Address(writer, add), "N"};
            if (AddAddressToGroup(files, profile, temp_names, data, entry, kNoLeadBytes) !=
                AddAddressResult::Added) {
                return false;
            }
        }
        return true;
    }));
    const std::string index = dir.Read("data/AddrBook/@Private/Friends/Group.idx");
    EXPECT_EQ(ScanGroupIndex(index, "none").entry_count, kWriters * kAddsEach);
    // Each entry's sequence number is one more than the entries before it,
    // and its offset names its own card.
    const std::size_t card_start = index.find("\t0\t") + 3;
    const std::string card_file =
        index.substr(card_start, index.find('\t', card_start) - card_start);
    const std::string cards = dir.Read("data/AddrBook/@Private/Friends/" + card_file);
    int sequence = 0;
    for (std::size_t at = 0; at < index.size(); at = index.find('\n', at) + 1) {
        ++sequence;
        const std::size_t offset = std::stoul(index.substr(at));
        const std::string line = index.substr(at, index.find('\r', at) - at);
        EXPECT_EQ(line.substr(line.rfind('\t') + 1), std::to_string(sequence));
        const std::string address = line.substr(line.find("\tN\t") + 3);
        EXPECT_EQ(cards.substr(offset, 11), "BEGIN:VCARD") << line;
        EXPECT_EQ(cards.substr(cards.find("EMAIL;PREF:", offset) + 11, address.find('\t')),
                  address.substr(0, address.find('\t')))
            << line;
    }
    EXPECT_EQ(sequence, kWriters * kAddsEach);
    EXPECT_FALSE(dir.Exists("data/AddrBook/@Private/Friends/Group.idx.lock"));
}

}  // namespace
}  // namespace tandrel
