// testhost [--plugin DLL] [--work DIR] [--screenshots DIR] [--fault NAME] SCENARIO_DIR
//
// The Windows test host: plays the host mail client of the scenario format
// with real windows, loads the plug-in (Tandrel.dll beside this program
// unless --plugin names another), runs the scenario and checks its expect
// files. Prints "passed: NAME" or "FAILED: NAME: what"; exits 0 when passed.
// A folder given as a Unix path is taken through Wine's drive Z:. --fault
// breaks the plug-in on purpose (see faults.h), for the host's own tests.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/win32/host_api.h"
#include "platform/win32/system_code_page.h"
#include "platform/win32/win32_profile.h"
#include "testhost/scenario/book_check_after_run.h"
#include "testhost/scenario/expectations.h"
#include "testhost/scenario/staging.h"
#include "testhost/win32/faults.h"
#include "testhost/win32/host_state.h"
#include "testhost/win32/host_window.h"
#include "testhost/win32/plugin.h"
#include "testhost/win32/scenario_driver.h"
#include "testhost/win32/system_texts.h"
#include "testhost/win32/window_watch.h"

#ifdef TANDREL_JAPANESE_HOST
constexpr bool kJapaneseHost = true;
#else
constexpr bool kJapaneseHost = false;
#endif

namespace {

namespace fs = std::filesystem;
using namespace tandrel::testhost;

struct Options {
    std::string plugin;
    std::string work;
    std::string screenshots;
    std::string fault;
    std::string scenario;
};

std::string WindowsPath(std::string path) {
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

std::string OwnFolder() {
    char buffer[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return fs::path(buffer).parent_path().string();
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string* value = argument == "--plugin"        ? &options.plugin
                             : argument == "--work"        ? &options.work
                             : argument == "--screenshots" ? &options.screenshots
                                                           : nullptr;
        if (argument == "--fault" && i + 1 < argc) {
            options.fault = argv[++i];
        } else if (value != nullptr) {
            if (++i == argc) {
                return false;
            }
            *value = WindowsPath(argv[i]);
        } else if (options.scenario.empty() && argument.rfind("--", 0) != 0) {
            options.scenario = WindowsPath(argument);
        } else {
            return false;
        }
    }
    if (options.plugin.empty()) {
        options.plugin = OwnFolder() + "\\Tandrel.dll";
    }
    return !options.scenario.empty();
}

std::string FreshWorkFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    for (unsigned n = GetTickCount();; ++n) {
        const std::string folder = std::string(temp) + "tandrel-host-" + std::to_string(n);
        if (CreateDirectoryA(folder.c_str(), nullptr)) {
            return folder;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::string();
        }
    }
}

// The 54 host functions this program exports, by the names the plug-in binds.
std::string MissingHostFunction() {
    HMODULE self = GetModuleHandleA(nullptr);
    for (int i = 0; i < tandrel::win32::kHostFunctionCount; ++i) {
        if (GetProcAddress(self, tandrel::win32::HostFunctionName(i)) == nullptr) {
            return tandrel::win32::HostFunctionName(i);
        }
    }
    return std::string();
}

DWORD StepTimeoutMs() {
    const char* seconds = std::getenv("TANDREL_STEP_TIMEOUT");
    const int value = seconds != nullptr ? std::atoi(seconds) : 0;
    return static_cast<DWORD>(value > 0 ? value : 30) * 1000;
}

struct Run {
    fs::path scenario;
    fs::path work;
    fs::path data;
    fs::path settings;
};

// Everything up to the end of the message loop; throws what fails.
DriverResult RunInHost(const Options& options, Run& run) {
    if (!fs::exists(run.scenario / "steps")) {
        throw std::runtime_error("no steps file");
    }
    std::string error;
    std::vector<Step> steps = ParseSteps(ReadWholeFile(run.scenario / "steps"), error);
    if (!error.empty()) {
        throw std::runtime_error(error);
    }
    // The scenario's texts are UTF-8; the host's are in its code page.
    const HostTexts texts = kJapaneseHost ? SystemCodePageTexts() : Utf8HostTexts();
    ConvertStepTexts(steps, texts);
    StepCursor cursor(std::move(steps));
    const StartState state = TakeStartState(cursor);
    if (state.japanese != kJapaneseHost) {
        throw std::runtime_error(state.japanese ? "the scenario needs the Japanese test host"
                                                : "the Japanese test host runs only scenarios "
                                                  "with \"host japanese\"");
    }
    const std::string missing = MissingHostFunction();
    if (!missing.empty()) {
        throw std::runtime_error(std::string("the test host does not export ") + missing);
    }

    // Wine keeps the names of data/ as the file system gives them.
    const WorkFolder folder = StageScenario(run.scenario, run.work, nullptr);
    const fs::path plugin_path = folder.plugin / "Tandrel.dll";
    fs::copy_file(options.plugin, plugin_path);

    tandrel::testhost::HostState& host = Host();
    host.japanese = kJapaneseHost;
    host.model =
        std::make_unique<HostModel>(host.files, folder.data.string() + "\\",
                                    folder.temp.string() + "\\", tandrel::win32::IsSystemLeadByte);
    ApplyStartState(state, *host.model);
    if (!CreateHostWindows(GetModuleHandleA(nullptr))) {
        throw std::runtime_error("cannot make the host's windows");
    }
    if (!StartWatchingWindows(GetCurrentThreadId())) {
        throw std::runtime_error("cannot watch the host's windows");
    }
    Plugin plugin;
    if (!LoadPlugin(plugin_path.string(), plugin, error)) {
        throw std::runtime_error(error);
    }
    if (!options.fault.empty() && !InjectFault(plugin.module, options.fault)) {
        throw std::runtime_error("cannot inject the fault " + options.fault);
    }
    plugin.on_start();

    ScenarioDriver driver(std::move(cursor), plugin, host.main_window, StepTimeoutMs(),
                          options.screenshots, run.scenario.filename().string());
    if (!driver.Start()) {
        throw std::runtime_error("cannot start the scenario driver");
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    driver.Finish();
    plugin.on_exit();
    StopWatchingWindows();
    FreeLibrary(plugin.module);  // so that the work folder can be removed
    DriverResult result = driver.result();
    if (result.passed && !host.problems.empty()) {
        result.passed = false;
        result.message = "the host saw the plug-in go wrong: " + host.problems.front();
    }
    if (result.passed) {
        // Wine keeps the names the host makes in UTF-8 on disk, as the
        // scenario's expect/ holds them.
        CheckExpectations(run.scenario, run.data, run.settings, host.model->log(), texts,
                          DataNames::Utf8, host.model->data_folder());
        tandrel::Win32Profile profile;
        CheckBookAfterRun(host.files, profile, host.model->data_folder(),
                          tandrel::win32::IsSystemLeadByte, run.scenario);
        CheckReadsInPlace(host.model->misplaced_reads());
    }
    return result;
}

void WriteLog(const fs::path& path) {
    if (!Host().model) {
        return;
    }
    if (FILE* file = _wfopen(path.wstring().c_str(), L"wb")) {
        for (const std::string& line : Host().model->log()) {
            std::fprintf(file, "%s\n", line.c_str());
        }
        std::fclose(file);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: testhost [--plugin DLL] [--work DIR] [--screenshots DIR] "
                     "[--fault NAME] SCENARIO_DIR\n");
        return 2;
    }
    Run run;
    run.scenario = options.scenario;
    const std::string name = run.scenario.filename().string();
    run.work = options.work.empty() ? FreshWorkFolder() : options.work;
    if (run.work.empty()) {
        std::printf("FAILED: %s: cannot make a work folder\n", name.c_str());
        return 1;
    }
    fs::create_directories(run.work);
    run.data = WorkFolderOf(run.work).data;
    run.settings = WorkFolderOf(run.work).settings;

    DriverResult result;
    try {
        result = RunInHost(options, run);
    } catch (const std::exception& failure) {
        result.passed = false;
        result.message = failure.what();
    }
    WriteLog(run.work / "host.log");
    const bool keep = !options.work.empty() || std::getenv("TANDREL_KEEP_WORK") != nullptr;
    if (keep) {
        std::fprintf(stderr, "work folder of %s: %s\n", name.c_str(), run.work.string().c_str());
    }
    if (result.passed) {
        std::printf("passed: %s\n", name.c_str());
    } else {
        std::printf("FAILED: %s: %s\n", name.c_str(), result.message.c_str());
        if (Host().model) {
            for (const std::string& line : Host().model->log()) {
                std::printf("  log: %s\n", line.c_str());
            }
        }
    }
    std::fflush(stdout);
    if (!keep) {
        std::error_code ignored;
        fs::remove_all(run.work, ignored);
    }
    // The plug-in stays loaded to the end, as in the host; nothing else runs.
    ExitProcess(result.passed ? 0 : 1);
}
