// The Rule entry dialog's "already sorted into" line, updated (as on every
// keystroke) over received rules that hold the condition in 1,000 and in
// 1,000,000 folders: an update costs what it shows, not what the files hold.
// The rules are read once, when the dialog opens, outside the timing. And
// the count of matching mail over 100,000 header blocks, beside the floor of
// fetching each block through the Host port and finding its header field.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_data.h"
#include "bench/beside_floor.h"
#include "entry/match_count.h"
#include "entry/sorted_into_line.h"
#include "mail/header_field.h"
#include "support/builtin_strings.h"
#include "support/memory_files.h"
#include "testhost/model/host_model.h"
#include "testhost/native/model_host.h"

namespace tandrel::bench {
namespace {

void SortedIntoLineUpdate(benchmark::State& state) {
    testing::MemoryFiles files;
    files.AddFile("C:\\Data\\Main\\iFilter.Def",
                  RulesOfOneCondition(static_cast<int>(state.range(0)), "ann@example.com"));
    testhost::HostModel model(files, "C:\\Data\\", "C:\\Temp\\", kNoLeadBytes);
    model.SetMailbox("Main\\");
    testhost::ModelHost host(model);
    BuiltinStrings strings;
    const OpenedRules received = OpenRules(files, "C:\\Data\\Main\\iFilter.Def");
    const OpenedRules sent = OpenRules(files, "C:\\Data\\Main\\oFilter.Def");
    SortedIntoQuery query;
    query.receiving = true;
    query.receiving_header = "From";
    query.address = "ann@example.com";
    query.target = "Main\\F1\\";
    query.delete_same = true;  // the target is looked up too
    const auto fits = [](const std::string&) { return true; };
    while (state.KeepRunning()) {
        benchmark::DoNotOptimize(SortedIntoLine(query, received, sent, host, strings, fits));
    }
}

// A host that holds a folder's header blocks in memory and answers only for
// the walk over them.
class BlockHost final : public Host {
  public:
    explicit BlockHost(std::vector<std::string> blocks) : blocks_(std::move(blocks)) {}
    std::string DataFolder() override { return "C:\\Data\\"; }
    std::string CurrentMailbox() override { return "Main\\"; }
    std::string CurrentFolder() override { return "Main\\!!!!Inbox\\"; }
    void SetCurrentFolder(const std::string& /*folder_id*/) override {}
    std::string FolderDisplayName(const std::string& /*folder_id*/) override { return "Inbox"; }
    void SetCurrentMail(const std::string& /*message_id*/) override {}
    std::string Header(const std::string& message_id) override {
        return blocks_[std::stoul(message_id)];
    }
    std::string SpecifiedHeader(const std::string& /*name*/, int /*size*/) override { return {}; }
    int NextMail(int position, std::string& message_id) override {
        const std::size_t next = position < 0 ? 0 : static_cast<std::size_t>(position) + 1;
        if (next >= blocks_.size()) {
            return -1;
        }
        message_id = std::to_string(next);
        return static_cast<int>(next);
    }
    void AddToSelection(const std::string& /*message_id*/) override {}
    void RunRulesOnSelection() override {}
    void SortByDate() override {}
    void RequestRuleReload() override {}
    void CreateSubfolder(const std::string& /*parent_id*/, const std::string& /*name*/) override {}
    std::string TempFolder() override { return "C:\\Temp\\"; }
    std::string TempFileName(const std::string& /*prefix*/) override { return {}; }

  private:
    std::vector<std::string> blocks_;
};

void MatchCountOverFolder(benchmark::State& state) {
    std::vector<std::string> blocks;
    const auto messages = static_cast<std::size_t>(state.range(0));
    for (std::size_t i = 0; i < messages; ++i) {
        // One message in a hundred from the sender counted.
        const std::string sender =
            i % 100 == 0 ? "ann@example.com" : "m" + std::to_string(i) + "@example.org";
        blocks.push_back("Return-Path: <" + sender +
                         ">\r\nReceived: from mail.example.org by mx.example.net; Mon, 7 Dec 2026 "
                         "10:00:00 +0900\r\nFrom: Sender <" +
                         sender + ">\r\nTo: bob@example.com\r\nSubject: Message " +
                         std::to_string(i) +
                         "\r\nDate: Mon, 7 Dec 2026 10:00:00 +0900\r\nMessage-ID: <" +
                         std::to_string(i) + "@example.org>\r\n");
    }
    BlockHost host(std::move(blocks));
    std::size_t found = 0;
    TimeBesideFloor(
        state, [] {},
        [&] {
            std::string message_id;
            std::string value;
            for (int at = host.NextMail(-1, message_id); at >= 0;
                 at = host.NextMail(at, message_id)) {
                found += FindHeaderField(host.Header(message_id), "From", value) ? 1 : 0;
            }
        },
        [&] {
            // As the dialog slices it: the clock looked at after each
            // message, against a deadline that does not come.
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::hours(1);
            MatchCount count;
            count.Restart("From", "ann@example.com");
            return count.Slice(host, [&] {
                return std::chrono::steady_clock::now() >= deadline;
            }) && count.matches() == messages / 100;
        });
    benchmark::DoNotOptimize(found);
}

BENCHMARK(MatchCountOverFolder)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK(SortedIntoLineUpdate)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tandrel::bench
