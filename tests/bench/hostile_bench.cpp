// The checks and the index scan over hostile files, held to linear growth
// (ten times the size, about ten times the time): a group index that is one
// long line holding the address many times, one condition in the rules of
// many folders, and many index lines that point into one card block. Each
// beside the floor of reading the same files and, where the check must
// tell many texts apart, putting each into a hash set once: a set far larger
// than the processor's cache costs more per entry, and a linear check grows
// as that floor grows.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "addressbook/add_address.h"
#include "addressbook/book_check.h"
#include "bench/bench_data.h"
#include "bench/beside_floor.h"
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#include "rules/rule_conflicts.h"
#include "rules/rule_reader.h"
#include "support/counting_temp_names.h"

namespace tandrel::bench {
namespace {

// A group whose index is one line: the address between tabs, `times` times.
void AddAddressToOneLongLine(benchmark::State& state) {
    const int times = static_cast<int>(state.range(0));
    ScratchFolder scratch;
    const std::string data = scratch.path() + "data/";
    const std::string index_path = data + "AddrBook/@Book/Group/Group.idx";
    std::string index;
    for (int i = 0; i < times; ++i) {
        index += "\ta@b";
    }
    PutFile(data + "AddrBook/@Book/Group.ini", "");
    PutFile(data + "AddrBook/@Book/Group/Group.ini", "");
    PutFile(index_path, index);
    PosixFiles files;
    IniFileProfile profile(files);
    CountingTempNames temp_names(scratch.path());
    const AddressEntry entry{{"Book", "Group"}, "a@b", "A"};
    std::string floor_text;
    TimeBesideFloor(
        state,
        [&] {
            // Takes back the entry and the card file an add made.
            if (::truncate(index_path.c_str(), static_cast<off_t>(index.size())) != 0) {
                std::abort();
            }
            ::unlink((data + "AddrBook/@Book/Group/bab0001.tmp").c_str());
            temp_names = CountingTempNames(scratch.path());
        },
        [&] { files.ReadFile(index_path, floor_text); },
        [&] {
            return AddAddressToGroup(files, profile, temp_names, data, entry, kNoLeadBytes) ==
                   AddAddressResult::Added;
        });
}

// The rules of `folders` folders, each holding the same condition.
void RuleConflictsOfOneCondition(benchmark::State& state) {
    const int folders = static_cast<int>(state.range(0));
    const std::string text = RulesOfOneCondition(folders, "a@example.com");
    TimeBesideFloor(
        state, [] {},
        [&] {
            // Read, each folder told apart from the others and named.
            const RuleFile rule_file = ParseRuleFile(text);
            std::unordered_set<std::string_view> targets;
            std::vector<std::string> named;
            for (const RuleBlock& block : rule_file.blocks) {
                if (targets.insert(block.argument).second) {
                    named.push_back(block.argument);
                }
            }
            benchmark::DoNotOptimize(named.size());
        },
        [&] {
            return FindRuleConflicts(text).front().folders.size() ==
                   static_cast<std::size_t>(folders);
        });
}

// A group whose `lines` index lines all point at one card block that holds
// every address.
void BookCheckOfOneBlock(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    ScratchFolder scratch;
    const std::string data = scratch.path() + "data/";
    const std::string group = data + "AddrBook/@Book/Group/";
    std::string index;
    std::string card = "BEGIN:VCARD\r\n";
    for (int i = 0; i < lines; ++i) {
        const std::string address = "user" + std::to_string(i) + "@example.com";
        index += "0\t0\tcards.vcf\tU\t" + address + "\t\t\t" + std::to_string(i + 1) + "\r\n";
        card += "EMAIL;PREF:" + address + "\r\n";
    }
    card += "END:VCARD\r\n";
    PutFile(data + "AddrBook/@Book/Group.ini", "");
    PutFile(group + "Group.ini", "");
    PutFile(group + "Group.idx", index);
    PutFile(group + "cards.vcf", card);
    PosixFiles files;
    IniFileProfile profile(files);
    std::string floor_index;
    std::string floor_card;
    TimeBesideFloor(
        state, [] {},
        [&] {
            files.ReadFile(group + "Group.idx", floor_index);
            files.ReadFile(group + "cards.vcf", floor_card);
            std::unordered_set<std::string_view> addresses;
            for (std::size_t at = 0; at < floor_index.size();) {
                const std::size_t end = floor_index.find('\n', at);
                addresses.insert(std::string_view(floor_index).substr(at, end - at));
                at = end + 1;
            }
            benchmark::DoNotOptimize(addresses.size());
        },
        [&] { return CheckAddressBook(files, profile, data, kNoLeadBytes).empty(); });
}

BENCHMARK(AddAddressToOneLongLine)
    ->Arg(20000)
    ->Arg(200000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(RuleConflictsOfOneCondition)
    ->Arg(20000)
    ->Arg(200000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BookCheckOfOneBlock)
    ->Arg(20000)
    ->Arg(200000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tandrel::bench
