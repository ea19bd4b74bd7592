#include "testhost/scenario/staging.h"

namespace tandrel::testhost {

namespace fs = std::filesystem;

namespace {

void CopyTree(const fs::path& from, const fs::path& to, const NameForHost& name_for_host) {
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path name = entry.path().filename();
        const fs::path target =
            to / (name_for_host ? fs::path(name_for_host(name.string())) : name);
        if (entry.is_directory()) {
            CopyTree(entry.path(), target, name_for_host);
        } else {
            fs::copy_file(entry.path(), target);
        }
    }
}

}  // namespace

WorkFolder WorkFolderOf(const fs::path& work) {
    WorkFolder folder;
    folder.data = work / "data";
    folder.plugin = work / "plugin";
    folder.settings = folder.plugin / "Tandrel.ini";
    folder.temp = work / "temp";
    return folder;
}

WorkFolder StageScenario(const fs::path& scenario, const fs::path& work,
                         const NameForHost& name_for_host) {
    WorkFolder folder = WorkFolderOf(work);
    fs::create_directories(folder.plugin);
    fs::create_directories(folder.temp);
    if (fs::exists(scenario / "data")) {
        CopyTree(scenario / "data", folder.data, name_for_host);
    } else {
        fs::create_directories(folder.data);
    }
    if (fs::exists(scenario / "Tandrel.ini")) {
        fs::copy_file(scenario / "Tandrel.ini", folder.settings);
    }
    return folder;
}

void ApplyStartState(const StartState& state, HostModel& model) {
    if (!state.mailbox.empty()) {
        model.SetMailbox(state.mailbox);
    }
    if (!state.folder.empty()) {
        model.SetFolder(state.folder);
    }
    if (!state.mail.empty()) {
        model.SetMail(state.mail);
    }
}

}  // namespace tandrel::testhost
