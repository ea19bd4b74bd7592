// The Rule entry dialog's "already sorted into" line, updated (as on every
// keystroke) over received rules that hold the condition in 1,000 and in
// 1,000,000 folders: an update costs what it shows, not what the files hold.
// The rules are read once, when the dialog opens, outside the timing.
#include <benchmark/benchmark.h>

#include <string>

#include "entry/sorted_into_line.h"
#include "support/builtin_strings.h"
#include "support/memory_files.h"
#include "testhost/model/host_model.h"
#include "testhost/native/model_host.h"

namespace tandrel::bench {
namespace {

void SortedIntoLineUpdate(benchmark::State& state) {
    const auto folders = static_cast<int>(state.range(0));
    std::string text;
    for (int folder = 0; folder < folders; ++folder) {
        text += ":Begin \"\"\r\n!M:Main\\F" + std::to_string(folder) +
                "\\\r\n@0:From:ann@example.com\tO\tI\r\n:End \"\"\r\n";
    }
    testing::MemoryFiles files;
    files.AddFile("C:\\Data\\Main\\iFilter.Def", text);
    text.clear();
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

BENCHMARK(SortedIntoLineUpdate)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tandrel::bench
