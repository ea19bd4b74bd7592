#include "platform/posix/posix_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <string_view>
#include <vector>

#include "helpers/file_size_limit.h"
#include "helpers/temp_dir.h"
#include "platform/posix/posix_lock.h"

namespace tandrel {
namespace {

using testing::ChildResult;
using testing::TempDir;
using testing::WithFileSizeLimit;

// Where the tests keep a file's backup.
std::string BackupBeside(const std::string& path) {
    return path + ".bak";
}

TEST(PosixFilesRead, ReadsBytesAsTheyAreAndTellsMissingFromFailed) {
    TempDir dir;
    PosixFiles files;
    const std::string content("a\r\nb\0c\n", 7);
    dir.Write("Main/iFilter.Def", content);
    std::string read;
    EXPECT_EQ(files.ReadFile(dir.path() + "Main\\iFilter.Def", read), ReadStatus::Ok);
    EXPECT_EQ(read, content);
    EXPECT_EQ(files.ReadFile(dir.path() + "Main\\none", read), ReadStatus::Missing);
    EXPECT_EQ(files.ReadFile(dir.path() + "None\\iFilter.Def", read), ReadStatus::Missing);
    EXPECT_EQ(files.ReadFile(dir.path() + "Main", read), ReadStatus::Failed);
    EXPECT_TRUE(read.empty());
}

TEST(PosixFilesRead, HandsOverALargeFileInPiecesThatMakeItWhole) {
    TempDir dir;
    PosixFiles files;
    std::string content;
    for (int i = 0; content.size() < 200000; ++i) {
        content += std::to_string(i) + "\t0\tbab0001.tmp\r\n";
    }
    dir.Write("Group.idx", content);
    std::string joined;
    int pieces = 0;
    const auto take = [&](std::string_view piece) {
        joined += piece;
        ++pieces;
    };
    EXPECT_EQ(files.ReadFileInPieces(dir.path() + "Group.idx", take), ReadStatus::Ok);
    EXPECT_EQ(joined, content);
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(files.ReadFileInPieces(dir.path() + "none.idx", take), ReadStatus::Missing);
    EXPECT_EQ(files.ReadFileInPieces(dir.path(), take), ReadStatus::Failed);
    EXPECT_EQ(joined, content) << "nothing handed over for a missing file or a folder";
}

TEST(PosixFilesReplace, CreatesAndReplacesLeavingNoTemporaryFile) {
    TempDir dir;
    PosixFiles files;
    ASSERT_TRUE(files.WriteAtomically(dir.path() + "rules.def", {"first\r\n"}, std::string()));
    EXPECT_EQ(dir.Read("rules.def"), "first\r\n");
    ::chmod((dir.path() + "rules.def").c_str(), 0640);
    ASSERT_TRUE(files.WriteAtomically(dir.path() + "rules.def", {"second\r\n"}, std::string()));
    EXPECT_EQ(dir.Read("rules.def"), "second\r\n");
    EXPECT_EQ(dir.Listing(), "rules.def");
    struct stat info {};
    ASSERT_EQ(::stat((dir.path() + "rules.def").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640U) << "a replaced file keeps its permissions";
    EXPECT_FALSE(files.WriteAtomically(dir.path() + "missing\\rules.def", {"x"}, std::string()));
}

TEST(PosixFilesReplace, KeepsOneGenerationOfBackup) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    const std::string backup = BackupBeside(path);
    ASSERT_TRUE(files.WriteAtomically(path, {"one"}, backup));
    EXPECT_EQ(dir.Read("iFilter.Def"), "one");
    EXPECT_FALSE(dir.Exists("iFilter.Def.bak")) << "no former file, nothing to keep";
    ASSERT_TRUE(files.WriteAtomically(path, {"two"}, backup));
    ASSERT_TRUE(files.WriteAtomically(path, {"three"}, backup));
    EXPECT_EQ(dir.Read("iFilter.Def"), "three");
    EXPECT_EQ(dir.Read("iFilter.Def.bak"), "two");
    EXPECT_EQ(dir.Listing(), "iFilter.Def iFilter.Def.bak");
}

// `text` cut into pieces of 1, 0, 7 and the rest of its bytes.
std::vector<std::string_view> InPieces(std::string_view text) {
    return {text.substr(0, 1), text.substr(1, 0), text.substr(1, 7), text.substr(8)};
}

TEST(PosixFilesReplace, WritesPiecesOneAfterAnotherKeepingTheBackup) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    dir.Write("iFilter.Def", "former\r\n");
    const std::string text = ":Begin \"\"\r\n!M:Main\\Folder\\\r\n:End \"\"\r\n";
    ASSERT_TRUE(files.WriteAtomically(path, InPieces(text), BackupBeside(path)));
    EXPECT_EQ(dir.Read("iFilter.Def"), text);
    EXPECT_EQ(dir.Read("iFilter.Def.bak"), "former\r\n");
    EXPECT_EQ(dir.Listing(), "iFilter.Def iFilter.Def.bak");
}

TEST(PosixFilesReplace, AFailedWriteAtAnyByteLeavesFileAndBackupAsTheyWere) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    dir.Write("iFilter.Def", "original content\r\n");
    dir.Write("iFilter.Def.bak", "older content\r\n");
    const std::string replacement = "a longer replacement for the original\r\n";
    for (rlim_t limit = 0; limit < replacement.size(); ++limit) {
        EXPECT_EQ(
            WithFileSizeLimit(
                limit,
                [&] { return files.WriteAtomically(path, {replacement}, BackupBeside(path)); }),
            ChildResult::False)
            << "limit " << limit;
        EXPECT_EQ(
            WithFileSizeLimit(
                limit, [&] { return files.WriteAtomically(path, {replacement}, std::string()); }),
            ChildResult::False);
        EXPECT_EQ(WithFileSizeLimit(limit,
                                    [&] {
                                        return files.WriteAtomically(path, InPieces(replacement),
                                                                     BackupBeside(path));
                                    }),
                  ChildResult::False)
            << "limit " << limit;
        ASSERT_EQ(dir.Read("iFilter.Def"), "original content\r\n") << "limit " << limit;
        ASSERT_EQ(dir.Read("iFilter.Def.bak"), "older content\r\n") << "limit " << limit;
        ASSERT_EQ(dir.Listing(), "iFilter.Def iFilter.Def.bak") << "limit " << limit;
    }
    EXPECT_EQ(WithFileSizeLimit(
                  replacement.size(),
                  [&] { return files.WriteAtomically(path, {replacement}, BackupBeside(path)); }),
              ChildResult::True);
    EXPECT_EQ(dir.Read("iFilter.Def"), replacement);
    EXPECT_EQ(dir.Read("iFilter.Def.bak"), "original content\r\n");
}

TEST(PosixFilesAppend, AppendsAndCreates) {
    TempDir dir;
    PosixFiles files;
    EXPECT_TRUE(files.AppendFile(dir.path() + "Group.idx", "1\r\n"));
    EXPECT_TRUE(files.AppendFile(dir.path() + "Group.idx", "2\r\n"));
    EXPECT_EQ(dir.Read("Group.idx"), "1\r\n2\r\n");
    EXPECT_FALSE(files.AppendFile(dir.path() + "missing\\Group.idx", "x"));
    EXPECT_EQ(
        WithFileSizeLimit(7, [&] { return files.AppendFile(dir.path() + "Group.idx", "3\r\n"); }),
        ChildResult::False);
    EXPECT_EQ(dir.Read("Group.idx"), "1\r\n2\r\n3") << "an append is not atomic";
}

TEST(PosixFilesProbe, OpensFilesButNotFolders) {
    TempDir dir;
    PosixFiles files;
    dir.Write("Main/Work/Folder.ini", "");
    EXPECT_TRUE(files.CanOpenForReading(dir.path() + "Main\\Work\\Folder.ini"));
    EXPECT_FALSE(files.CanOpenForReading(dir.path() + "Main\\Work"));
    EXPECT_FALSE(files.CanOpenForReading(dir.path() + "Main\\Work\\Group.ini"));
}

TEST(PosixFilesList, MatchesPrefixOrExactNameAndFlagsFolders) {
    TempDir dir;
    PosixFiles files;
    dir.Write("Main/!!!!Inbox/Folder.ini", "");
    dir.Write("Main/!!!Sent/Folder.ini", "");
    dir.Write("Main/!!!note.txt", "");
    dir.Write("Main/Work/Folder.ini", "");
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(files.ListFolder(dir.path() + "Main\\!!!*", entries));
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const FolderEntry& entry : entries) {
        names.push_back(entry.name + (entry.is_directory ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"!!!!Inbox/", "!!!Sent/", "!!!note.txt"}));

    ASSERT_TRUE(files.ListFolder(dir.path() + "Main\\Work", entries));
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_TRUE(entries[0].is_directory);
    ASSERT_TRUE(files.ListFolder(dir.path() + "Main\\work", entries));
    EXPECT_TRUE(entries.empty());
    ASSERT_TRUE(files.ListFolder(dir.path() + "Main\\*", entries));
    EXPECT_EQ(entries.size(), 6U) << "'.' and '..' are listed as Windows lists them";
    EXPECT_FALSE(files.ListFolder(dir.path() + "None\\*", entries));
}

TEST(PosixFilesMakeDirectory, SucceedsWhenTheFolderIsThereAfterwards) {
    TempDir dir;
    PosixFiles files;
    EXPECT_TRUE(files.MakeDirectory(dir.path() + "Work"));
    EXPECT_TRUE(files.MakeDirectory(dir.path() + "Work"));
    dir.Write("file", "");
    EXPECT_FALSE(files.MakeDirectory(dir.path() + "file"));
    EXPECT_FALSE(files.MakeDirectory(dir.path() + "a\\b"));
}

TEST(PosixFilesKinds, AFifoIsRefusedAndNeverWaitedOn) {
    TempDir dir;
    PosixFiles files;
    const std::string fifo = dir.path() + "iFilter.Def";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string read;
    EXPECT_EQ(files.ReadFile(fifo, read), ReadStatus::Failed);
    EXPECT_EQ(files.ReadFileInPieces(fifo, [](std::string_view) {}), ReadStatus::Failed);
    EXPECT_EQ(files.ReadFileEnd(fifo, 1, read), ReadStatus::Failed);
    EXPECT_FALSE(files.CanOpenForReading(fifo));
    EXPECT_FALSE(files.AppendFile(fifo, "x"));
}

TEST(PosixFilesKinds, ReadOnlyMeansNoWriteBitsEvenForTheSuperuser) {
    TempDir dir;
    PosixFiles files;
    dir.Write("iFilter.Def", "x");
    EXPECT_FALSE(files.IsReadOnly(dir.path() + "iFilter.Def"));
    ::chmod((dir.path() + "iFilter.Def").c_str(), 0444);
    EXPECT_TRUE(files.IsReadOnly(dir.path() + "iFilter.Def"));
    EXPECT_FALSE(files.IsReadOnly(dir.path() + "missing"));
}

TEST(PosixFilesEnd, ReadsTheLastBytesOnly) {
    TempDir dir;
    PosixFiles files;
    dir.Write("cards.vcf", "END:VCARD");
    std::string end;
    EXPECT_EQ(files.ReadFileEnd(dir.path() + "cards.vcf", 1, end), ReadStatus::Ok);
    EXPECT_EQ(end, "D");
    EXPECT_EQ(files.ReadFileEnd(dir.path() + "cards.vcf", 100, end), ReadStatus::Ok);
    EXPECT_EQ(end, "END:VCARD");
    dir.Write("empty", "");
    EXPECT_EQ(files.ReadFileEnd(dir.path() + "empty", 1, end), ReadStatus::Ok);
    EXPECT_EQ(end, "");
    EXPECT_EQ(files.ReadFileEnd(dir.path() + "missing", 1, end), ReadStatus::Missing);
}

TEST(PosixFilesLinks, ALinkedFileIsReplacedAtItsTargetWithTheBackupBesideIt) {
    TempDir dir;
    PosixFiles files;
    dir.Write("real/iFilter.Def", "former");
    ASSERT_EQ(::mkdir((dir.path() + "Main").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("../real/iFilter.Def", (dir.path() + "Main/iFilter.Def").c_str()), 0);
    const std::string target = files.ResolveLinks(dir.path() + "Main\\iFilter.Def");
    EXPECT_EQ(target, dir.path() + "Main/../real/iFilter.Def");
    ASSERT_TRUE(files.WriteAtomically(target, {"new"}, BackupBeside(target)));
    EXPECT_EQ(dir.Read("Main/iFilter.Def"), "new") << "read through the link";
    EXPECT_EQ(dir.Read("real/iFilter.Def.bak"), "former");
    struct stat info {};
    ASSERT_EQ(::lstat((dir.path() + "Main/iFilter.Def").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link stays a link";
    EXPECT_EQ(files.ResolveLinks(dir.path() + "real\\iFilter.Def"),
              dir.path() + "real\\iFilter.Def")
        << "no link: the path as given";
}

TEST(PosixFilesLinks, ABackupThatIsALinkOfTheFileLeavesNoTemporaryFile) {
    TempDir dir;
    PosixFiles files;
    dir.Write("iFilter.Def", "one");
    ASSERT_EQ(
        ::link((dir.path() + "iFilter.Def").c_str(), (dir.path() + "iFilter.Def.bak").c_str()), 0);
    const std::string path = dir.path() + "iFilter.Def";
    ASSERT_TRUE(files.WriteAtomically(path, {"two"}, BackupBeside(path)));
    EXPECT_EQ(dir.Read("iFilter.Def"), "two");
    EXPECT_EQ(dir.Read("iFilter.Def.bak"), "one");
    EXPECT_EQ(dir.Listing(), "iFilter.Def iFilter.Def.bak");
}

TEST(PosixFilesList, FlagsLinksSoThatWalksCanLeaveThemOut) {
    TempDir dir;
    PosixFiles files;
    dir.Write("Book/Real/Group.ini", "");
    ASSERT_EQ(::symlink("..", (dir.path() + "Book/Up").c_str()), 0);
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(files.ListFolder(dir.path() + "Book\\*", entries));
    for (const FolderEntry& entry : entries) {
        EXPECT_EQ(entry.is_link, entry.name == "Up") << entry.name;
        EXPECT_TRUE(entry.is_directory) << entry.name;
    }
}

TEST(PosixFilesLock, OneWriterAtATimeAndNothingLeftBehind) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    {
        std::unique_ptr<FileLock> first;
        ASSERT_EQ(files.LockForWriting(path, first), LockStatus::Locked);
        EXPECT_TRUE(dir.Exists("iFilter.Def.lock"));
        std::unique_ptr<FileLock> second;
        EXPECT_EQ(files.LockForWriting(path, second), LockStatus::Busy) << "after a wait";
        EXPECT_FALSE(second);
    }
    EXPECT_EQ(dir.Listing(), "");
    std::unique_ptr<FileLock> again;
    EXPECT_EQ(files.LockForWriting(path, again), LockStatus::Locked);
    std::unique_ptr<FileLock> elsewhere;
    EXPECT_EQ(files.LockForWriting(dir.path() + "missing\\iFilter.Def", elsewhere),
              LockStatus::Failed);
}

// A child process that takes the lock of `path` and says so. With a
// `signal`, it holds the lock until that signal is pending (held back while
// it writes), then lets it go; without, it holds it until it is killed.
pid_t ChildHoldingTheLock(const std::string& path, int signal = 0) {
    std::array<int, 2> ready{};
    if (::pipe(ready.data()) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        PosixFiles files;
        std::unique_ptr<FileLock> lock;
        const char told = files.LockForWriting(path, lock) == LockStatus::Locked ? 'y' : 'n';
        if (::write(ready[1], &told, 1) != 1) {
            ::_exit(1);
        }
        for (sigset_t pending;
             signal == 0 || (sigpending(&pending) == 0 && sigismember(&pending, signal) == 0);) {
            ::usleep(1000);
        }
        lock.reset();
        ::_exit(0);  // not reached: the signal ends the process first
    }
    char told = 0;
    const bool held = child > 0 && ::read(ready[0], &told, 1) == 1 && told == 'y';
    ::close(ready[0]);
    ::close(ready[1]);
    return held ? child : -1;
}

TEST(PosixFilesLock, AWriterStoppedOrKilledLeavesNoLockInTheWay) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    // Stopped by a signal while it writes: the lock file goes before the
    // process.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t child = ChildHoldingTheLock(path, signal);
        ASSERT_GT(child, 0);
        ASSERT_EQ(::kill(child, signal), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(dir.Listing(), "") << signal;
    }
    // Killed outright: its lock file stays, and is taken over at once, since
    // its holder is known to be gone (no wait, which would end Busy).
    const pid_t child = ChildHoldingTheLock(path);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    ASSERT_TRUE(dir.Exists("iFilter.Def.lock"));
    std::unique_ptr<FileLock> lock;
    EXPECT_EQ(files.LockForWriting(path, lock), LockStatus::Locked);
    lock.reset();
    EXPECT_EQ(dir.Listing(), "");
}

TEST(PosixFilesLock, ALockWhoseProcessNumberWasGivenAgainIsTakenOver) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    std::string holder;  // "PID HOST START" of this process, as its lock names it
    {
        std::unique_ptr<FileLock> lock;
        ASSERT_EQ(files.LockForWriting(path, lock), LockStatus::Locked);
        holder = dir.Read("iFilter.Def.lock");
    }
    const std::string number_and_host = holder.substr(0, holder.rfind(' '));
    ASSERT_NE(number_and_host.find(' '), std::string::npos) << holder;
    const std::string lock_path = path + ".lock";
    const auto try_lock = [&](const std::string& named) {
        dir.Write("iFilter.Def.lock", named);
        std::unique_ptr<FileLock> lock;
        return TryLockFile(lock_path, lock);
    };
    // This process holds it, by its number and start time, or by its number
    // alone in the form without a start time.
    EXPECT_EQ(try_lock(holder), LockTry::Held);
    EXPECT_EQ(try_lock(number_and_host + "\n"), LockTry::Held);
    // Only the first line counts: a writer stopped while it named itself over
    // a longer line leaves the rest of that.
    EXPECT_EQ(try_lock(holder + "the rest of a longer line\n"), LockTry::Held);
    // A process of the same number that started at another time is gone.
    EXPECT_EQ(try_lock(number_and_host + " 1\n"), LockTry::Taken);
    // So is the maker of an empty lock file whose advisory lock nobody holds:
    // it stopped before it named itself.
    EXPECT_EQ(try_lock(""), LockTry::Taken);
    EXPECT_EQ(dir.Listing(), "");
}

TEST(PosixFilesNames, ShiftJisTrailBytesAreNoSeparators) {
    TempDir dir;
    PosixFiles files(IsShiftJisLeadByte);
    // The folder "\x95\x5C" is one character, whose second byte is "\".
    const std::string folder = dir.path() + "\x95\x5C";
    ASSERT_TRUE(files.MakeDirectory(folder));
    ASSERT_TRUE(files.WriteAtomically(folder + "\\Group.ini", {"x"}, std::string()));
    EXPECT_EQ(dir.Read("\x95\x5C/Group.ini"), "x");
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(files.ListFolder(folder + "\\G*", entries));
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_TRUE(IsExistingDirectory(files, folder, IsShiftJisLeadByte))
        << "its last byte is no separator to trim";
}

}  // namespace
}  // namespace tandrel
