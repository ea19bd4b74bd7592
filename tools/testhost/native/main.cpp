// run_scenario SCENARIO_DIR...: the native scenario runner.
#include <filesystem>
#include <iostream>

#include "testhost/native/scenario_runner.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: run_scenario SCENARIO_DIR...\n";
        return 2;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path folder(argv[i]);
        if (folder.filename().empty()) {
            folder = folder.parent_path();  // "DIR/" names DIR
        }
        const std::string name = folder.filename().string();
        const tandrel::testhost::ScenarioResult result = tandrel::testhost::RunScenario(argv[i]);
        if (!result.work_folder.empty()) {
            std::cerr << "work folder of " << name << ": " << result.work_folder << "\n";
            for (const std::string& line : result.log) {
                std::cerr << "  log: " << line << "\n";
            }
        }
        if (result.passed) {
            std::cout << "passed: " << name << "\n";
        } else {
            std::cout << "FAILED: " << name << ": " << result.message << "\n";
            ++failed;
        }
    }
    std::cout << (argc - 1 - failed) << " passed, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}
