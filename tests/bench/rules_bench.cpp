// InsertRule on rule files of 1k, 10k and 100k conditions, with and without
// delete-same, beside its floor: what every safe rewrite does, holding the
// file's lock while it reads the same file and replaces it by the same bytes
// through the same Files port, keeping its ten versions as InsertRule does
// (KeepHistory shows what that rotation costs).
#include <benchmark/benchmark.h>

#include <memory>
#include <string_view>
#include <vector>

#include "bench/bench_data.h"
#include "bench/beside_floor.h"
#include "platform/posix/posix_files.h"
#include "resources/string_table.h"
#include "rules/rule_conflicts.h"
#include "rules/rule_history.h"
#include "rules/rule_history_list.h"
#include "rules/rule_insert.h"
#include "rules/rule_lines.h"
#include "rules/rule_reader.h"

namespace tandrel::bench {
namespace {

void RunInsertRule(benchmark::State& state, bool delete_same) {
    const int conditions = static_cast<int>(state.range(0));
    ScratchFolder scratch;
    const std::string path = scratch.path() + "iFilter.Def";
    const std::string text = RuleFileText(conditions);
    PosixFiles files;
    RuleInsertion insertion;
    insertion.folder = "Main\\!!!!Inbox\\Folder" + std::to_string(conditions / 20) + "\\";
    insertion.header = "From";
    // With delete-same the address stands in the file already and moves.
    insertion.address =
        delete_same ? "user" + std::to_string(conditions / 3) + "@example.com" : "new@example.com";
    insertion.delete_same = delete_same;
    // The floor reads into the same string each time: its memory is mapped
    // once, so the floor is as cheap as reading can be, whatever the case
    // beside it leaves the allocator holding. It writes as every safe
    // rewrite must, keeping the file's versions (the ten-version rotation).
    std::string floor_content;
    TimeBesideFloor(
        state, [&] { PutFile(path, text); },
        [&] {
            std::unique_ptr<FileLock> lock;
            benchmark::DoNotOptimize(files.LockForWriting(path, lock));
            files.ReadFile(path, floor_content);
            benchmark::DoNotOptimize(WriteKeepingHistory(files, path, {floor_content}));
        },
        [&] { return InsertRule(files, path, insertion) == RuleWriteResult::Written; });
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void InsertRuleBench(benchmark::State& state) {
    RunInsertRule(state, false);
}

void InsertRuleDeleteSame(benchmark::State& state) {
    RunInsertRule(state, true);
}

BENCHMARK(InsertRuleBench)
    ->Name("InsertRule")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(InsertRuleDeleteSame)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// What keeping ten versions costs a rewrite: the versions moved up a slot
// by renames, beside the same replace keeping one backup.
void KeepHistory(benchmark::State& state) {
    ScratchFolder scratch;
    const std::string path = scratch.path() + "iFilter.Def";
    const std::string text = RuleFileText(static_cast<int>(state.range(0)));
    PosixFiles files;
    PutFile(path, text);
    for (int version = 0; version < kKeptVersions; ++version) {
        WriteKeepingHistory(files, path, {text});
    }
    TimeBesideFloor(
        state, [] {},
        [&] {
            benchmark::DoNotOptimize(files.WriteAtomically(path, {text}, HistorySlotPath(path, 1)));
        },
        [&] { return WriteKeepingHistory(files, path, {text}) == HistoryWrite::Written; });
}

BENCHMARK(KeepHistory)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The conflict report of `tandrel rules check` beside the floor of reading
// the same text into the model: what is left is the hash map.
void RuleConflicts(benchmark::State& state) {
    const std::string text = RuleFileText(static_cast<int>(state.range(0)));
    TimeBesideFloor(
        state, [] {}, [&] { benchmark::DoNotOptimize(ParseRuleFile(text)); },
        [&] {
            benchmark::DoNotOptimize(FindRuleConflicts(text));
            return true;
        });
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

BENCHMARK(RuleConflicts)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The Rule history dialog's list (and `tandrel rules history`): a rule file
// and its ten versions, each made by a rewrite of Tandrel's from the one
// before (a condition added to a folder, or a sender moved to a folder a few
// blocks on), read and summarized; beside the floor of reading all eleven
// files and splitting them into lines.
void RuleHistory(benchmark::State& state) {
    const int conditions = static_cast<int>(state.range(0));
    ScratchFolder scratch;
    const std::string path = scratch.path() + "iFilter.Def";
    PutFile(path, RuleFileText(conditions));
    PosixFiles files;
    const int folders = conditions / 10;
    for (int version = 0; version < kKeptVersions; ++version) {
        const int folder = (version * 7919) % folders;
        RuleInsertion insertion;
        insertion.folder = "Main\\!!!!Inbox\\Folder" + std::to_string(folder) + "\\";
        insertion.header = "From";
        insertion.delete_same = version % 3 == 2;
        insertion.address =
            insertion.delete_same
                ? "user" + std::to_string(((folder + folders - 5) % folders) * 10) + "@example.com"
                : "new" + std::to_string(version) + "@example.com";
        if (InsertRule(files, path, insertion) != RuleWriteResult::Written) {
            state.SkipWithError("the versions could not be made");
            return;
        }
    }
    std::vector<std::string> paths = {path};
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        paths.push_back(HistorySlotPath(path, slot));
    }
    std::vector<std::string> floor_texts(paths.size());
    std::vector<std::string_view> floor_lines;
    TimeBesideFloor(
        state, [] {},
        [&] {
            floor_lines.clear();
            for (std::size_t i = 0; i < paths.size(); ++i) {
                files.ReadFile(paths[i], floor_texts[i]);
                const std::string_view text = floor_texts[i];
                for (std::size_t at = 0; at < text.size();) {
                    const RuleLine line = RuleLineAt(text, at);
                    floor_lines.push_back(ContentOf(text, line));
                    at = line.end;
                }
            }
            benchmark::DoNotOptimize(floor_lines.data());
        },
        [&] {
            const RuleHistoryList history = ListRuleHistory(files, path);
            return history.rows.size() == static_cast<std::size_t>(kKeptVersions) &&
                   history.rows.back().summary.front().text == IDS_CHANGE_ADDED;
        });
}

BENCHMARK(RuleHistory)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tandrel::bench
