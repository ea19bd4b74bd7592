// Command-line options of one tandrel command: "--name VALUE", "--name=VALUE",
// "--flag", and positional arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tandrel::cli {

// What a command accepts.
struct AcceptedOptions {
    std::set<std::string> valued;  // names without "--" that take a value
    std::set<std::string> flags;   // names without "--" that stand alone
};

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    bool help = false;
    std::string error;  // set when the arguments do not fit what the command accepts

    std::optional<std::string> Value(const std::string& name) const;
    bool Flag(const std::string& name) const { return flags.count(name) != 0; }
};

Arguments ParseArguments(const std::vector<std::string>& args, const AcceptedOptions& accepted);

// A whole decimal integer in the range of int ("-1", "3", "+7").
std::optional<int> ParseInteger(const std::string& text);

}  // namespace tandrel::cli
