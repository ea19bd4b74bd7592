// Opening the Address group dialog's tree on a book of 5,000 groups, beside a
// bare recursive listing of the same folders: what opening it cost when it
// listed the whole book. It lists the first level now, a fraction of that.
#include <benchmark/benchmark.h>

#include "bench/bench_data.h"
#include "bench/beside_floor.h"
#include "entry/address_group_presenter.h"
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#include "platform/strings.h"
#include "resources/resource.h"
#include "support/builtin_strings.h"
#include "support/memory_dialog.h"
#include "support/memory_tree.h"

namespace tandrel::bench {
namespace {

int CountFolders(Files& files, const std::string& folder) {
    std::vector<FolderEntry> entries;
    files.ListFolder(folder + "*", entries);
    int count = 0;
    for (const FolderEntry& entry : entries) {
        if (entry.is_directory && entry.name != "." && entry.name != "..") {
            count += 1 + CountFolders(files, folder + entry.name + "/");
        }
    }
    return count;
}

void GroupTree(benchmark::State& state) {
    ScratchFolder scratch;
    const std::string data = scratch.path() + "data/";
    MakeGroupTree(data, static_cast<int>(state.range(0)));
    PosixFiles files;
    IniFileProfile profile(files);
    BuiltinStrings strings;
    GroupChoice choice;
    AddressGroupContext context{files, profile, strings, data, choice};
    TimeBesideFloor(
        state, [] {}, [&] { benchmark::DoNotOptimize(CountFolders(files, data + "AddrBook/")); },
        [&] {
            testing::MemoryDialog dialog(IDD_ADDRESS_GROUP);
            testing::MemoryTree tree;
            AddressGroupPresenter presenter(dialog, tree, context);
            presenter.Init();
            return tree.FirstChild(kNoTreeItem) != kNoTreeItem;  // the tree was filled
        });
}

BENCHMARK(GroupTree)->Arg(5000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tandrel::bench
