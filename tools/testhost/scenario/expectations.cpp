#include "testhost/scenario/expectations.h"

#include <algorithm>
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

// The first line of an expect.log that must match the whole log, and the
// line that matches any number of log lines there.
constexpr const char* kCompleteLog = "complete";
constexpr const char* kAnyLines = "...";

std::string LogText(const std::vector<std::string>& log) {
    std::string seen;
    for (const std::string& entry : log) {
        seen += "\n  " + entry;
    }
    return seen;
}

void CheckLog(const fs::path& scenario, const std::vector<std::string>& log, const HostTexts& texts,
              const std::string& data_folder) {
    const fs::path expected = scenario / "expect.log";
    if (!fs::exists(expected)) {
        return;
    }
    std::istringstream lines(ReadWholeFile(expected));
    std::vector<std::string> wanted;
    std::vector<int> line_numbers;
    bool complete = false;
    int line_number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++line_number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (wanted.empty() && !complete && line == kCompleteLog) {
            complete = true;
            continue;
        }
        wanted.push_back(WithDataFolder(texts.from_utf8(line), data_folder));
        line_numbers.push_back(line_number);
    }
    if (complete) {
        // Every line of the log, in order: an extra host action fails too.
        std::size_t matched = 0;
        if (!MatchesWithAnyRuns(
                wanted, log, [](const std::string& line) { return line == kAnyLines; }, &matched)) {
            throw std::runtime_error(
                "expect.log (complete): the log differs after line " +
                std::to_string(matched == 0 ? 1 : line_numbers[matched - 1]) +
                (matched < wanted.size() ? " (next: " + wanted[matched] + ")" : std::string()) +
                "\nthe log:" + LogText(log));
        }
        return;
    }
    // An ordered subsequence of the log.
    std::size_t at = 0;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        while (at < log.size() && log[at] != wanted[i]) {
            ++at;
        }
        if (at == log.size()) {
            throw std::runtime_error("expect.log line " + std::to_string(line_numbers[i]) +
                                     ": not in the log (in this order): " + wanted[i] +
                                     "\nthe log:" + LogText(log));
        }
        ++at;
    }
}

}  // namespace

void CheckReadsInPlace(const std::vector<std::string>& misplaced_reads) {
    if (misplaced_reads.empty()) {
        return;
    }
    throw std::runtime_error(std::to_string(misplaced_reads.size()) +
                             " message(s) read after OK or after the dialog ended, the first " +
                             misplaced_reads.front());
}

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
