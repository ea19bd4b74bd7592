// The work folder of a scenario run, laid out the same way by both runners:
// the data folder, the plug-in's folder with its settings file, and the
// host's temporary folder; and the host's start state.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "testhost/model/host_model.h"
#include "testhost/scenario/scenario.h"

namespace tandrel::testhost {

struct WorkFolder {
    std::filesystem::path data;      // the scenario's data/, copied
    std::filesystem::path plugin;    // the plug-in's folder
    std::filesystem::path settings;  // Tandrel.ini in it
    std::filesystem::path temp;      // the host's temporary folder
};

// How a name of data/ is named in the host's file system; none keeps the
// name as the file system gives it.
using NameForHost = std::function<std::string(const std::string&)>;

// The parts of the work folder `work`, as both runners lay it out.
WorkFolder WorkFolderOf(const std::filesystem::path& work);

// Makes the work folder's parts below `work` and copies the scenario's data/
// and Tandrel.ini (when there is one) into them.
WorkFolder StageScenario(const std::filesystem::path& scenario, const std::filesystem::path& work,
                         const NameForHost& name_for_host);

// Puts the host model into the state the leading "host" steps ask for.
void ApplyStartState(const StartState& state, HostModel& model);

}  // namespace tandrel::testhost
