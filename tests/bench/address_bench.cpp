// AddAddressToGroup with group indexes of 1k, 10k and 100k lines, beside its
// floor: what every safe addition does, holding the index's lock while it
// reads the same index and scans it line by line, each line's tabs counted
// (the least a reader must do to tell the entries), then appends a card to
// the card file and a line to the index.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "addressbook/add_address.h"
#include "bench/bench_data.h"
#include "bench/beside_floor.h"
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#include "support/counting_temp_names.h"

namespace tandrel::bench {
namespace {

struct GroupOnDisk {
    explicit GroupOnDisk(int lines)
        : data(scratch.path() + "data/"),
          folder(data + "AddrBook/@Book/Group/"),
          index(GroupIndexText(lines)),
          cards(CardFileText(lines)) {
        PutFile(data + "AddrBook/@Book/Group.ini", "");
        PutFile(folder + "Group.ini", "");
        PutFile(folder + "Group.idx", index);
        PutFile(folder + "bab0001.tmp", cards);
    }
    // Takes back what an added entry appended; the files are not written
    // again, so a reset does not flush the caches the timed part works in.
    void Reset() const {
        if (::truncate((folder + "Group.idx").c_str(), static_cast<off_t>(index.size())) != 0 ||
            ::truncate((folder + "bab0001.tmp").c_str(), static_cast<off_t>(cards.size())) != 0) {
            std::abort();
        }
    }
    ScratchFolder scratch;
    std::string data;
    std::string folder;
    std::string index;
    std::string cards;
};

// The floor's line scan: each line's tabs counted.
int CountEntries(const std::string& text) {
    int entries = 0;
    int tabs = 0;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > '\r') {
            continue;
        }
        if (c == '\n') {
            entries += tabs == 7 ? 1 : 0;
            tabs = 0;
        } else if (c == '\t') {
            ++tabs;
        }
    }
    return entries;
}

// What the floor appends: a card and an index line as long as the case's.
const std::string kFloorCard =
    "BEGIN:VCARD\r\nFN:New Person\r\nEMAIL;PREF:new@example.com\r\nEND:VCARD\r\n";
const std::string kFloorLine = "99999\t0\tbab0001.tmp\tNew Person\tnew@example.com\t\t\t1001\r\n";

void AddAddress(benchmark::State& state) {
    const GroupOnDisk group(static_cast<int>(state.range(0)));
    PosixFiles files;
    IniFileProfile profile(files);
    CountingTempNames temp_names(group.scratch.path());
    const AddressEntry entry{{"Book", "Group"}, "new@example.com", "New Person"};
    // The floor reads into the same string each time: its memory is mapped
    // once, so the floor is as cheap as reading can be, whatever the case
    // beside it leaves the allocator holding.
    std::string floor_text;
    TimeBesideFloor(
        state, [&] { group.Reset(); },
        [&] {
            std::unique_ptr<FileLock> lock;
            benchmark::DoNotOptimize(files.LockForWriting(group.folder + "Group.idx", lock));
            files.ReadFile(group.folder + "Group.idx", floor_text);
            benchmark::DoNotOptimize(CountEntries(floor_text));
            benchmark::DoNotOptimize(files.AppendFile(group.folder + "bab0001.tmp", kFloorCard));
            benchmark::DoNotOptimize(files.AppendFile(group.folder + "Group.idx", kFloorLine));
        },
        [&] {
            return AddAddressToGroup(files, profile, temp_names, group.data, entry, kNoLeadBytes) ==
                   AddAddressResult::Added;
        });
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * group.index.size()));
}

BENCHMARK(AddAddress)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tandrel::bench
