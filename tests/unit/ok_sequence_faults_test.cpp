// The whole OK sequence of the Rule entry dialog with writes failing at each
// write call and at each byte: every file it writes (both rule files and
// their backups, the new subfolder's settings, the group index and the card
// file) ends either as it was or as a full run leaves it, never in between,
// files that belong together change together, and whenever one is not as a
// full run leaves it the user was told.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <optional>

#include "entry/rule_entry_presenter.h"
#include "resources/resource.h"
#include "support/builtin_strings.h"
#include "support/memory_dialog.h"
#include "support/memory_profile.h"
#include "testhost/model/host_model.h"
#include "testhost/native/model_host.h"

namespace tandrel {
namespace {

using testhost::HostModel;
using testhost::ModelHost;
using testing::MemoryDialog;
using testing::MemoryProfile;

constexpr const char* kData = "C:\\Data\\";
constexpr const char* kSource = "Main\\!!!!Inbox\\?0001";
constexpr const char* kSubfolderSettings = "C:\\Data\\Main\\!!!!Inbox\\Ann Lee\\Folder.ini";
const std::array<const char*, 7> kWritten = {
    "C:\\Data\\Main\\iFilter.Def",
    "C:\\Data\\Main\\iFilter.Def.bak",
    "C:\\Data\\Main\\oFilter.Def",
    "C:\\Data\\Main\\oFilter.Def.bak",
    kSubfolderSettings,
    "C:\\Data\\AddrBook\\@Private\\Friends\\Group.idx",
    "C:\\Data\\AddrBook\\@Private\\Friends\\cards.vcf",
};
// Files that change together: a rule file and its backup, an index and its
// card file. Each pair is either both as they were or both new.
const std::array<std::pair<int, int>, 3> kTogether = {{{0, 1}, {2, 3}, {5, 6}}};
// What the user is told when a write fails, by the start of each text.
const std::array<const char*, 3> kWriteFailures = {
    "Unable to write the sorting rules", "The address(ann@example.com) could not be written",
    "Unable to remember the address group"};

using Snapshot = std::map<std::string, std::optional<std::string>>;

struct OkRun {
    Snapshot files;
    std::vector<std::string> messages;
    std::size_t bytes_written = 0;
    std::size_t calls = 0;
};

// One drop and OK with the default settings, the runs declined; the writes
// limited to `bytes` bytes or `calls` calls when given.
OkRun DropAndConfirm(std::optional<std::size_t> bytes, std::optional<std::size_t> calls) {
    MemoryProfile profile;
    testing::MemoryFiles& disk = profile.files();
    disk.AddFile("C:\\Data\\Main\\!!!!Inbox\\Folder.ini", "");
    disk.AddFile("C:\\Data\\Main\\!!!Sent\\Folder.ini", "");
    disk.AddFile("C:\\Data\\Main\\iFilter.Def",
                 ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Bob\\\r\n@0:From:bob@example.org\tO\tI\r\n"
                 ":End \"\"\r\n");
    disk.AddFile("C:\\Data\\AddrBook\\@Private\\Group.ini", "");
    disk.AddFile("C:\\Data\\AddrBook\\@Private\\Friends\\Group.ini", "");
    disk.AddFile("C:\\Data\\AddrBook\\@Private\\Friends\\Group.idx",
                 "0\t0\tcards.vcf\tBob\tbob@example.org\t\t\t1\r\n");
    disk.AddFile("C:\\Data\\AddrBook\\@Private\\Friends\\cards.vcf",
                 "BEGIN:VCARD\r\nFN:Bob\r\nEMAIL;PREF:bob@example.org\r\nEND:VCARD\r\n");
    disk.AddFile("C:\\Data\\Main\\!!!!Inbox\\0001.eml",
                 "From: \"Ann Lee\" <ann@example.com>\r\nTo: bob@example.org\r\n\r\nbody\r\n");
    disk.AddDirectory("C:\\Temp");

    HostModel model(disk, kData, "C:\\Temp\\", kNoLeadBytes);
    ModelHost host(model);
    model.SetMail(kSource);
    BuiltinStrings strings;
    Settings settings;
    RuleEntryContext context{host, disk, profile, strings, settings, "Main\\!!!!Inbox\\", kSource};
    MemoryDialog dialog(IDD_RULE_ENTRY);
    OkRun run;
    dialog.set_message_handler([&run](const std::string& text, unsigned style, MessageOwner) {
        run.messages.push_back(text);
        return (style & 0x0F) == kMessageOkCancel ? kIdCancel : kIdOk;  // no rule runs
    });
    RuleEntryPresenter presenter(dialog, context);
    presenter.Init();
    const std::size_t before = disk.bytes_written();
    const std::size_t calls_before = disk.write_calls();
    if (bytes) {
        disk.SetWriteBudget(*bytes);
    }
    if (calls) {
        disk.SetWriteCallBudget(*calls);
    }
    presenter.OnCommand(kIdOk, kNotifyClicked);
    run.bytes_written = disk.bytes_written() - before;
    run.calls = disk.write_calls() - calls_before;
    for (const char* path : kWritten) {
        run.files[path] = disk.Content(path);
    }
    return run;
}

std::string Describe(const std::optional<std::string>& content) {
    return content ? "\"" + *content + "\"" : "(no file)";
}

void ExpectOldOrNew(const OkRun& run, const OkRun& before, const OkRun& after,
                    const std::string& what) {
    bool all_new = true;
    for (const char* path : kWritten) {
        const auto& got = run.files.at(path);
        const bool is_old = got == before.files.at(path);
        const bool is_new = got == after.files.at(path);
        // The host makes the new subfolder with an empty settings file of its own.
        const bool host_made = std::string(path) == kSubfolderSettings && got == std::string();
        EXPECT_TRUE(is_old || is_new || host_made)
            << what << ": " << path << " is " << Describe(got) << ", neither as it was ("
            << Describe(before.files.at(path)) << ") nor new (" << Describe(after.files.at(path))
            << ")";
        all_new = all_new && is_new;
    }
    for (const auto& [first, second] : kTogether) {
        const bool first_new =
            run.files.at(kWritten.at(first)) == after.files.at(kWritten.at(first));
        const bool second_new =
            run.files.at(kWritten.at(second)) == after.files.at(kWritten.at(second));
        EXPECT_EQ(first_new, second_new) << what << ": " << kWritten.at(first) << " and "
                                         << kWritten.at(second) << " no longer belong together";
    }
    if (!all_new) {
        bool told = false;
        for (const std::string& message : run.messages) {
            for (const char* failure : kWriteFailures) {
                told = told || message.rfind(failure, 0) == 0;
            }
        }
        EXPECT_TRUE(told) << what << ": a write failed and the user was not told";
    }
}

TEST(OkSequenceFaults, EveryFailedWriteLeavesFilesWholeAndIsReported) {
    const OkRun after = DropAndConfirm(std::nullopt, std::nullopt);
    ASSERT_EQ(after.messages.size(), 2U) << "only the two questions of the runs";
    // The files as they stand before the OK: no write allowed at all.
    OkRun before = DropAndConfirm(std::size_t{0}, std::size_t{0});
    before.files[kSubfolderSettings] = std::nullopt;
    for (const char* path : kWritten) {
        ASSERT_NE(after.files.at(path), before.files.at(path))
            << path << " is written by a full run";
    }
    // Every write call of a full run, and one beyond it.
    ASSERT_GT(after.calls, 0U);
    for (std::size_t calls = 0; calls <= after.calls; ++calls) {
        ExpectOldOrNew(DropAndConfirm(std::nullopt, calls), before, after,
                       "after " + std::to_string(calls) + " write calls");
    }
    for (std::size_t bytes = 0; bytes <= after.bytes_written; ++bytes) {
        ExpectOldOrNew(DropAndConfirm(bytes, std::nullopt), before, after,
                       "after " + std::to_string(bytes) + " bytes");
    }
}

}  // namespace
}  // namespace tandrel
