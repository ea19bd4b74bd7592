#include "tandrel/arguments.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tandrel::cli {

std::optional<std::string> Arguments::Value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end()) {
        return std::nullopt;
    }
    return found->second;
}

Arguments ParseArguments(const std::vector<std::string>& args, const AcceptedOptions& accepted) {
    Arguments parsed;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_ended || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!options_ended && (arg == "-h")) {
                parsed.help = true;
            } else {
                parsed.positional.push_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> inline_value;
        if (const auto equals = name.find('='); equals != std::string::npos) {
            inline_value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "help") {
            parsed.help = true;
        } else if (accepted.valued.count(name) != 0) {
            if (inline_value) {
                parsed.values[name] = *inline_value;
            } else if (i + 1 < args.size()) {
                parsed.values[name] = args[++i];
            } else if (parsed.error.empty()) {
                parsed.error = "--" + name + " needs a value";
            }
        } else if (accepted.flags.count(name) != 0 && !inline_value) {
            parsed.flags.insert(name);
        } else if (parsed.error.empty()) {
            parsed.error = "unknown option " + arg;
        }
    }
    return parsed;
}

std::optional<int> ParseInteger(const std::string& text) {
    const char first = text.empty() ? '\0' : text.front();
    if (!(first == '-' || first == '+' || (first >= '0' && first <= '9'))) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace tandrel::cli
