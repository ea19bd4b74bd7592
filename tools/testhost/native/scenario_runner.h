// Runs one scenario folder through the presenters with in-memory dialogs and
// the host model, and compares the outcome with its expect files.
#pragma once

#include <string>
#include <vector>

namespace tandrel::testhost {

struct ScenarioResult {
    bool passed = false;
    std::string message;           // what failed, with the step's line number
    std::vector<std::string> log;  // the host log of the run
    std::string work_folder;       // kept only when TANDREL_KEEP_WORK is set
};

ScenarioResult RunScenario(const std::string& scenario_dir);

}  // namespace tandrel::testhost
