#include "testhost/scenario/expectations.h"

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

#include "testhost/model/host_model.h"
#include "testhost/scenario/scenario.h"

namespace tandrel::testhost {

namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
    return HostModel::Quote(text);
}

// Every file below `root`, relative with "/" between names (made UTF-8 by
// `name_to_utf8`), with its content.
std::map<std::string, std::string> FilesBelow(
    const fs::path& root, const std::function<std::string(const std::string&)>& name_to_utf8) {
    std::map<std::string, std::string> files;
    if (!fs::exists(root)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[name_to_utf8(fs::relative(entry.path(), root).generic_string())] =
                ReadWholeFile(entry.path());
        }
    }
    return files;
}

void CheckDataFolder(const fs::path& scenario, const fs::path& data, const HostTexts& texts,
                     DataNames data_names) {
    if (!fs::exists(scenario / "expect")) {
        return;
    }
    const auto wanted = FilesBelow(scenario / "expect", Utf8HostTexts().to_utf8);
    const auto got =
        FilesBelow(data, data_names == DataNames::Utf8 ? Utf8HostTexts().to_utf8 : texts.to_utf8);
    std::string problems;
    for (const auto& [name, content] : wanted) {
        const auto found = got.find(name);
        if (found == got.end()) {
            problems += "\n  missing: " + name;
        } else if (found->second != content) {
            problems += "\n  differs: " + name + "\n    expected " + Quoted(content) +
                        "\n    found    " + Quoted(found->second);
        }
    }
    for (const auto& [name, content] : got) {
        if (wanted.count(name) == 0) {
            problems += "\n  not expected: " + name + " " + Quoted(content);
        }
    }
    if (!problems.empty()) {
        throw std::runtime_error("expect/: the data folder differs:" + problems);
    }
}

void CheckSettingsFile(const fs::path& scenario, const fs::path& settings_file) {
    const fs::path expected = scenario / "expect.ini";
    if (!fs::exists(expected)) {
        return;
    }
    const std::string wanted = ReadWholeFile(expected);
    const bool exists = fs::exists(settings_file);
    if (wanted == "absent" || wanted == "absent\n") {
        if (exists) {
            throw std::runtime_error("expect.ini: the settings file exists: " +
                                     Quoted(ReadWholeFile(settings_file)));
        }
        return;
    }
    const std::string got = exists ? ReadWholeFile(settings_file) : std::string("(no file)");
    if (got != wanted) {
        throw std::runtime_error("expect.ini: expected " + Quoted(wanted) + "\n  found " +
                                 Quoted(got));
    }
}

void CheckLog(const fs::path& scenario, const std::vector<std::string>& log, const HostTexts& texts,
              const std::string& data_folder) {
    const fs::path expected = scenario / "expect.log";
    if (!fs::exists(expected)) {
        return;
    }
    std::istringstream lines(ReadWholeFile(expected));
    std::size_t at = 0;
    std::string wanted;
    int line_number = 0;
    while (std::getline(lines, wanted)) {
        ++line_number;
        if (!wanted.empty() && wanted.back() == '\r') {
            wanted.pop_back();
        }
        if (wanted.empty()) {
            continue;
        }
        wanted = WithDataFolder(texts.from_utf8(wanted), data_folder);
        while (at < log.size() && log[at] != wanted) {
            ++at;
        }
        if (at == log.size()) {
            std::string seen;
            for (const std::string& entry : log) {
                seen += "\n  " + entry;
            }
            throw std::runtime_error("expect.log line " + std::to_string(line_number) +
                                     ": not in the log (in this order): " + wanted +
                                     "\nthe log:" + seen);
        }
        ++at;
    }
}

}  // namespace

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void CheckExpectations(const fs::path& scenario, const fs::path& data,
                       const fs::path& settings_file, const std::vector<std::string>& log,
                       const HostTexts& texts, DataNames data_names,
                       const std::string& data_folder) {
    CheckDataFolder(scenario, data, texts, data_names);
    CheckSettingsFile(scenario, settings_file);
    CheckLog(scenario, log, texts, data_folder);
}

}  // namespace tandrel::testhost
