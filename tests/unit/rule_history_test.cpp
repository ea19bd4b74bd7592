#include "rules/rule_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "helpers/file_size_limit.h"
#include "helpers/temp_dir.h"
#include "platform/posix/posix_files.h"
#include "rules/rule_insert.h"
#include "support/memory_files.h"

namespace tandrel {
namespace {

using testing::ChildResult;
using testing::MemoryFiles;
using testing::TempDir;
using testing::WithFileSizeLimit;

constexpr const char* kPath = "C:\\Data\\Main\\iFilter.Def";

// The contents of the kept versions, newest first.
std::vector<std::string> History(Files& files, const std::string& path = kPath) {
    std::vector<std::string> contents;
    for (const KeptVersion& version : ListKeptVersions(files, path)) {
        std::string content;
        EXPECT_EQ(files.ReadFile(version.path, content), ReadStatus::Ok) << version.path;
        contents.push_back(content);
    }
    return contents;
}

// Writes "v1" .. "v{count}" one after another over a file that held "v0".
void WriteVersions(Files& files, int count, const std::string& path = kPath) {
    for (int i = 1; i <= count; ++i) {
        ASSERT_EQ(WriteKeepingHistory(files, path, {"v" + std::to_string(i)}),
                  HistoryWrite::Written)
            << i;
    }
}

std::vector<std::string> Versions(int newest, int oldest) {
    std::vector<std::string> names;
    for (int i = newest; i >= oldest; --i) {
        names.push_back("v" + std::to_string(i));
    }
    return names;
}

TEST(RuleHistory, KeepsTheLastTenVersionsNewestAsTheOneBackup) {
    // Also for a bare file name, as the tool takes one in the working folder.
    for (const std::string path : {kPath, "iFilter.Def"}) {
        MemoryFiles files;
        files.AddFile(path, "v0");
        WriteVersions(files, 3, path);
        EXPECT_EQ(History(files, path), Versions(2, 0)) << path;
        EXPECT_EQ(files.Content(path + ".bak"), "v2") << "the newest stays FILE.bak";
        EXPECT_EQ(files.Content(path + ".bak3"), "v0") << path;
        WriteVersions(files, 13, path);
        EXPECT_EQ(files.Content(path), "v13") << path;
        EXPECT_EQ(History(files, path), Versions(12, 3)) << "the oldest gave way";
        EXPECT_FALSE(files.Exists(path + ".bak11")) << path;
        EXPECT_FALSE(files.Exists(path + ".bak1")) << path;
    }
}

TEST(RuleHistory, AFileThatWasNotThereIsKeptAsAnEmptyVersion) {
    MemoryFiles files;
    files.AddDirectory("C:\\Data\\Main");
    WriteVersions(files, 1);
    EXPECT_EQ(History(files), std::vector<std::string>{""});
}

TEST(RuleHistory, AnEmptySlotIsPassedOverAndFilledByTheNextWrite) {
    MemoryFiles files;
    files.AddFile(kPath, "v0");
    WriteVersions(files, 10);
    ASSERT_TRUE(files.RemoveFile(std::string(kPath) + ".bak3"));
    const std::vector<KeptVersion> listed = ListKeptVersions(files, kPath);
    ASSERT_EQ(listed.size(), 9U);
    EXPECT_EQ(listed[2].number, 3);
    EXPECT_EQ(listed[2].path, std::string(kPath) + ".bak4");
    ASSERT_EQ(WriteKeepingHistory(files, kPath, {"v11"}), HistoryWrite::Written);
    std::vector<std::string> expected = Versions(10, 8);
    for (const std::string& older : Versions(6, 0)) {
        expected.push_back(older);
    }
    EXPECT_EQ(History(files), expected) << "only the versions before the gap moved; none lost";
}

TEST(RuleHistory, TellsTimeAndSizeOfEachVersion) {
    MemoryFiles files;
    files.AddFile(kPath, "first");
    WriteVersions(files, 2);
    const std::vector<KeptVersion> listed = ListKeptVersions(files, kPath);
    ASSERT_EQ(listed.size(), 2U);
    EXPECT_EQ(listed[0].facts.size, 2U);
    EXPECT_EQ(listed[1].facts.size, 5U);
    EXPECT_GT(listed[0].facts.modified, listed[1].facts.modified)
        << "a version keeps the time it was written";
}

TEST(RuleHistoryUndo, PutsBackAnyVersionAndAnUndoCanBeUndone) {
    for (int version = 1; version <= kKeptVersions; ++version) {
        MemoryFiles files;
        files.AddFile(kPath, "v0");
        WriteVersions(files, 10);
        ASSERT_EQ(UndoRuleChange(files, kPath, version), RuleWriteResult::Written) << version;
        const std::string restored = "v" + std::to_string(10 - version);
        EXPECT_EQ(files.Content(kPath), restored);
        const std::vector<std::string> history = History(files);
        ASSERT_EQ(history.size(), static_cast<std::size_t>(kKeptVersions));
        EXPECT_EQ(history.front(), "v10") << "the content before the undo is the newest";
        ASSERT_EQ(UndoRuleChange(files, kPath), RuleWriteResult::Written);
        EXPECT_EQ(files.Content(kPath), "v10") << "undo of the undo to " << version;
        EXPECT_EQ(History(files).front(), restored);
    }
}

TEST(RuleHistoryUndo, RefusesAVersionThatIsNotKept) {
    MemoryFiles files;
    files.AddFile(kPath, "v0");
    WriteVersions(files, 2);
    EXPECT_EQ(UndoRuleChange(files, kPath, 3), RuleWriteResult::NoBackup);
    EXPECT_EQ(UndoRuleChange(files, kPath, 0), RuleWriteResult::NoBackup);
    EXPECT_EQ(files.Content(kPath), "v2");
    EXPECT_EQ(History(files), Versions(1, 0));
}

// What a rewrite of "new" over a file with `kept` former versions leaves when
// the writes stop after `calls` write calls or `bytes` bytes: the live file
// is either old with the history as it was (less the oldest version when ten
// were kept), or new with the old content as the newest version.
void ExpectOldOrNewAfterFault(int kept, std::optional<std::size_t> calls,
                              std::optional<std::size_t> bytes) {
    MemoryFiles files;
    files.AddFile(kPath, "v0");
    WriteVersions(files, kept);
    const std::string old_live = "v" + std::to_string(kept);
    const std::vector<std::string> old_history = History(files);
    std::vector<std::string> without_oldest = old_history;
    if (old_history.size() == static_cast<std::size_t>(kKeptVersions)) {
        without_oldest.pop_back();
    }
    std::vector<std::string> new_history = without_oldest;
    new_history.insert(new_history.begin(), old_live);
    if (calls) {
        files.SetWriteCallBudget(*calls);
    }
    if (bytes) {
        files.SetWriteBudget(*bytes);
    }
    const bool written = WriteKeepingHistory(files, kPath, {"new"}) == HistoryWrite::Written;
    const std::string what = std::to_string(kept) + " kept, fault after " +
                             (calls ? std::to_string(*calls) + " calls" : "") +
                             (bytes ? std::to_string(*bytes) + " bytes" : "");
    const std::vector<std::string> history = History(files);
    if (files.Content(kPath) == "new") {
        EXPECT_TRUE(written) << what;
        EXPECT_EQ(history, new_history) << what;
    } else {
        EXPECT_FALSE(written) << what;
        EXPECT_EQ(files.Content(kPath), old_live) << what;
        if (bytes) {
            // The new content could not be written: nothing else was touched.
            EXPECT_EQ(history, old_history) << what;
        } else {
            EXPECT_TRUE(history == old_history || history == without_oldest) << what;
        }
    }
    for (const std::string& path : files.Paths()) {
        EXPECT_TRUE(files.IsDirectory(path) || path.rfind(kPath, 0) == 0)
            << what << ": left behind " << path;
    }
    // The next rewrite keeps all the interrupted one left, the file on top.
    files.SetWriteCallBudget(SIZE_MAX);
    files.SetWriteBudget(SIZE_MAX);
    std::vector<std::string> next_history = history;
    next_history.insert(next_history.begin(), *files.Content(kPath));
    next_history.resize(std::min<std::size_t>(next_history.size(), kKeptVersions));
    ASSERT_EQ(WriteKeepingHistory(files, kPath, {"next"}), HistoryWrite::Written) << what;
    EXPECT_EQ(History(files), next_history) << what << ", then one more rewrite";
}

TEST(RuleHistoryFaults, AnInterruptionAtAnyCallOrByteLosesAtMostTheOldestVersion) {
    for (const int kept : {0, 1, 4, 9, 10}) {
        for (std::size_t calls = 0; calls <= static_cast<std::size_t>(kKeptVersions) + 2; ++calls) {
            ExpectOldOrNewAfterFault(kept, calls, std::nullopt);
        }
        for (std::size_t bytes = 0; bytes <= 3; ++bytes) {
            ExpectOldOrNewAfterFault(kept, std::nullopt, bytes);
        }
    }
}

TEST(RuleHistoryFaults, AWriteThatFailsAtAnyStepLeavesEveryVersionAsItWas) {
    for (const int kept : {0, 4, 9, 10}) {
        for (std::size_t call = 0; call <= static_cast<std::size_t>(kKeptVersions) + 2; ++call) {
            MemoryFiles files;
            files.AddFile(kPath, "v0");
            WriteVersions(files, kept);
            const std::string old_live = "v" + std::to_string(kept);
            const std::vector<std::string> before = History(files);
            files.FailWriteCallAfter(call);
            const bool written =
                WriteKeepingHistory(files, kPath, {"new"}) == HistoryWrite::Written;
            const std::string what = std::to_string(kept) + " kept, call " + std::to_string(call);
            const std::vector<std::string> history = History(files);
            if (!written) {
                EXPECT_EQ(files.Content(kPath), old_live) << what;
                EXPECT_EQ(history, before) << what;
            } else {
                // Where a version could not move, another gave way: the newest
                // is on top, and at most one of the others is gone.
                EXPECT_EQ(files.Content(kPath), "new") << what;
                std::vector<std::string> all = before;
                all.insert(all.begin(), old_live);
                ASSERT_FALSE(history.empty()) << what;
                EXPECT_EQ(history.front(), old_live) << what;
                const auto kept_in_order = [&](std::size_t gone) {
                    std::vector<std::string> rest = all;
                    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(gone));
                    return history == rest;
                };
                bool one_gone = all.size() <= kKeptVersions && history == all;
                for (std::size_t gone = 1; gone < all.size(); ++gone) {
                    one_gone = one_gone || kept_in_order(gone);
                }
                EXPECT_TRUE(one_gone) << what;
            }
            for (int aside = kKeptVersions + 1; aside <= kKeptVersions + 3; ++aside) {
                EXPECT_FALSE(files.Exists(HistorySlotPath(kPath, aside)))
                    << what << ": a version left standing aside";
            }
        }
    }
}

// A replace that makes its backup and then fails to put the new file in place.
class ReplaceFailingAfterBackup : public MemoryFiles {
  public:
    std::unique_ptr<StagedReplacement> StageReplacement(
        const std::string& path, const std::vector<std::string_view>& pieces) override {
        staged_path_ = path;
        return MemoryFiles::StageReplacement(path, pieces);
    }
    bool PutInPlace(std::unique_ptr<StagedReplacement> /*staged*/,
                    const std::string& backup_path) override {
        // The port keeps nothing where there was no file.
        std::string former;
        if (ReadFile(staged_path_, former) == ReadStatus::Ok) {
            AddFile(backup_path, former);
        }
        return false;
    }

  private:
    std::string staged_path_;
};

// Files where the file at one path can be neither removed nor moved, as one
// another program holds open.
class RemovalFailing : public MemoryFiles {
  public:
    explicit RemovalFailing(std::string kept) : kept_(std::move(kept)) {}
    bool RemoveFile(const std::string& path) override {
        return path != kept_ && MemoryFiles::RemoveFile(path);
    }
    bool Rename(const std::string& from, const std::string& to) override {
        return from != kept_ && MemoryFiles::Rename(from, to);
    }

  private:
    std::string kept_;
};

TEST(RuleHistoryFaults, AReplaceFailingAfterItsBackupLeavesTheVersionsAsTheyWere) {
    for (const int kept : {0, 3, 9}) {
        // The file and its versions as plain rewrites leave them.
        MemoryFiles plain;
        plain.AddFile(kPath, "v0");
        WriteVersions(plain, kept);
        ReplaceFailingAfterBackup files;
        for (const KeptVersion& version : ListKeptVersions(plain, kPath)) {
            files.AddFile(version.path, *plain.Content(version.path));
        }
        files.AddFile(kPath, *plain.Content(kPath));
        const std::vector<std::string> before = History(files);
        for (int attempt = 0; attempt < kKeptVersions + 1; ++attempt) {
            EXPECT_EQ(WriteKeepingHistory(files, kPath, {"new"}), HistoryWrite::Failed);
        }
        EXPECT_EQ(History(files), before) << kept << " kept: failures ate versions";
        EXPECT_EQ(files.Content(kPath), plain.Content(kPath));
    }
}

// Files that cannot be renamed.
class RenameFailing : public MemoryFiles {
  public:
    bool Rename(const std::string& /*from*/, const std::string& /*to*/) override { return false; }
};

// Files whose listings leave out the versions' slots, as one cut short, or
// one that shows a name the file system folds in case otherwise, would.
class ListingWithoutSlots : public MemoryFiles {
  public:
    bool ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
        const bool listed = MemoryFiles::ListFolder(pattern, entries);
        entries.clear();
        return listed;
    }
};

TEST(RuleHistoryFaults, AVersionTheListingMissesIsStillMovedUp) {
    ListingWithoutSlots files;
    files.AddFile(kPath, "v0");
    WriteVersions(files, 3);
    EXPECT_EQ(History(files), Versions(2, 0));
}

TEST(RuleHistoryFaults, KeepingVersionsNeverStopsAChange) {
    // A read-only oldest version (which Windows will not remove) goes all
    // the same.
    MemoryFiles read_only;
    read_only.AddFile(kPath, "v0");
    WriteVersions(read_only, 10);
    read_only.MakeReadOnly(HistorySlotPath(kPath, kKeptVersions));
    WriteVersions(read_only, 1);
    EXPECT_EQ(read_only.Content(kPath), "v1");
    EXPECT_EQ(History(read_only), Versions(10, 1));

    // An oldest version that cannot be removed stays the oldest; the one
    // before it gives way.
    RemovalFailing stuck(HistorySlotPath(kPath, kKeptVersions));
    stuck.AddFile(kPath, "v0");
    WriteVersions(stuck, 11);
    std::vector<std::string> expected = Versions(10, 2);
    expected.emplace_back("v0");
    EXPECT_EQ(History(stuck), expected);

    // A name the oldest would stand aside under that is stuck: the next one
    // takes it.
    MemoryFiles stuck_aside;
    stuck_aside.AddFile(kPath, "v0");
    stuck_aside.AddDirectory(std::string(kPath) + ".bak11");
    WriteVersions(stuck_aside, 12);
    EXPECT_EQ(History(stuck_aside), Versions(11, 2));
    EXPECT_FALSE(stuck_aside.Exists(std::string(kPath) + ".bak12"));

    // A link to a folder in a slot is a version like any other (it cannot be
    // read): it moves, and is listed.
    MemoryFiles link;
    link.AddFile(kPath, "v0");
    WriteVersions(link, 2);
    link.AddDirectory(HistorySlotPath(kPath, 3));
    link.MakeLink(HistorySlotPath(kPath, 3));
    WriteVersions(link, 1);
    EXPECT_TRUE(link.IsDirectory(HistorySlotPath(kPath, 4)));
    EXPECT_EQ(ListKeptVersions(link, kPath).size(), 4U);

    // A folder named like a slot is passed over and stays where it is.
    MemoryFiles folder;
    folder.AddFile(kPath, "v0");
    folder.AddDirectory(HistorySlotPath(kPath, 4));
    WriteVersions(folder, 12);
    EXPECT_TRUE(folder.IsDirectory(HistorySlotPath(kPath, 4)));
    EXPECT_EQ(History(folder), Versions(11, 3));

    // Versions that cannot move: the newest takes the place of version 1.
    RenameFailing nothing_moves;
    nothing_moves.AddFile(kPath, "v10");
    nothing_moves.AddFile(HistorySlotPath(kPath, 1), "v9");
    nothing_moves.AddFile(HistorySlotPath(kPath, 2), "v8");
    ASSERT_EQ(WriteKeepingHistory(nothing_moves, kPath, {"new"}), HistoryWrite::Written);
    EXPECT_EQ(nothing_moves.Content(kPath), "new");
    EXPECT_EQ(nothing_moves.Content(HistorySlotPath(kPath, 1)), "v10");

    // No file, and a version 1 that can give way neither by a move nor by
    // standing aside: the new file comes without an empty version, which
    // would take the place of the only copy of version 1.
    RenameFailing first_write;
    first_write.AddFile(HistorySlotPath(kPath, 1), "v9");
    ASSERT_EQ(WriteKeepingHistory(first_write, kPath, {"new"}), HistoryWrite::Written);
    EXPECT_EQ(first_write.Content(kPath), "new");
    EXPECT_EQ(first_write.Content(HistorySlotPath(kPath, 1)), "v9");

    // A folder in the place of "FILE.bak": nothing is written.
    MemoryFiles blocked;
    blocked.AddFile(kPath, "v0");
    blocked.AddDirectory(HistorySlotPath(kPath, 1));
    EXPECT_EQ(WriteKeepingHistory(blocked, kPath, {"new"}), HistoryWrite::BackupInTheWay);
    EXPECT_EQ(blocked.Content(kPath), "v0");
}

TEST(RuleHistoryFaults, ARewriteThatCannotFinishOnDiskLeavesEveryVersion) {
    // With a gap to move up to, and with all ten versions kept, where the
    // oldest must give way only once the rewrite is done.
    for (const int kept : {4, 10}) {
        TempDir dir;
        PosixFiles files;
        const std::string path = dir.path() + "iFilter.Def";
        dir.Write("iFilter.Def", "v0");
        WriteVersions(files, kept, path);
        const std::string live = dir.Read("iFilter.Def");
        const std::vector<std::string> before = History(files, path);
        const std::string listing = dir.Listing();
        const std::string replacement = "a longer replacement";
        for (rlim_t limit = 0; limit < replacement.size(); ++limit) {
            ASSERT_EQ(WithFileSizeLimit(limit,
                                        [&] {
                                            return WriteKeepingHistory(files, path,
                                                                       {replacement}) ==
                                                   HistoryWrite::Written;
                                        }),
                      ChildResult::False)
                << "limit " << limit;
            ASSERT_EQ(dir.Read("iFilter.Def"), live) << "limit " << limit;
            ASSERT_EQ(History(files, path), before) << kept << " kept, limit " << limit;
            ASSERT_EQ(dir.Listing(), listing) << "limit " << limit;
        }
        ASSERT_EQ(WriteKeepingHistory(files, path, {replacement}), HistoryWrite::Written);
        EXPECT_EQ(History(files, path), Versions(kept, kept == 10 ? 1 : 0));
    }
}

}  // namespace
}  // namespace tandrel
