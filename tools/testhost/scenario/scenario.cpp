#include "testhost/scenario/scenario.h"

#include <array>
#include <exception>
#include <utility>

#include "testhost/model/host_model.h"

namespace tandrel::testhost {

std::string DecodeEscapes(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, char>, 5> kEscapes = {
        {{"%22", '"'}, {"%09", '\t'}, {"%0D", '\r'}, {"%0A", '\n'}, {"%25", '%'}}};
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        for (const auto& [code, character] : kEscapes) {
            if (text.substr(i, 3) == code) {
                decoded += character;
                i += 2;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            decoded += text[i];
        }
    }
    return decoded;
}

std::vector<Step> ParseSteps(std::string_view text, std::string& error) {
    std::vector<Step> steps;
    int line_number = 0;
    std::size_t start = 0;
    while (start <= text.size() && error.empty()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        Step step;
        step.line = line_number;
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            step.text = std::string(line.substr(first, line.find_last_not_of(" \t") + 1 - first));
        }
        std::size_t i = 0;
        while (i < line.size()) {
            if (line[i] == ' ' || line[i] == '\t') {
                ++i;
                continue;
            }
            if (step.tokens.empty() && line[i] == '#') {
                break;
            }
            if (line[i] == '"') {
                const auto close = line.find('"', i + 1);
                if (close == std::string_view::npos) {
                    error = "line " + std::to_string(line_number) + ": unclosed string";
                    break;
                }
                step.tokens.push_back({DecodeEscapes(line.substr(i + 1, close - i - 1)), true});
                i = close + 1;
                continue;
            }
            const auto blank = line.find_first_of(" \t", i);
            const std::size_t stop = blank == std::string_view::npos ? line.size() : blank;
            step.tokens.push_back({std::string(line.substr(i, stop - i)), false});
            i = stop;
        }
        if (!step.tokens.empty()) {
            steps.push_back(std::move(step));
        }
        if (end == text.size()) {
            break;
        }
    }
    return steps;
}

const Token& Arg(const Step& step, std::size_t index) {
    if (index >= step.tokens.size()) {
        throw StepFailure(step.line, step.verb() + ": an argument is missing");
    }
    return step.tokens[index];
}

int Number(const Step& step, std::size_t index) {
    const Token& token = Arg(step, index);
    try {
        std::size_t used = 0;
        const int value = std::stoi(token.text, &used);
        if (used == token.text.size() && !token.quoted) {
            return value;
        }
    } catch (const std::exception&) {
    }
    throw StepFailure(step.line, "not a number: " + token.text);
}

std::string WithDataFolder(std::string text, const std::string& data_folder) {
    static constexpr std::string_view kMark = "{data folder}";
    for (auto at = text.find(kMark); at != std::string::npos;
         at = text.find(kMark, at + data_folder.size())) {
        text.replace(at, kMark.size(), data_folder);
    }
    return text;
}

bool MatchesWithStars(std::string_view pattern, std::string_view text) {
    return MatchesWithAnyRuns(pattern, text, [](char c) { return c == '*'; });
}

bool MatchesWithTimes(std::string_view pattern, std::string_view text) {
    static constexpr std::string_view kMark = "{time}";
    static constexpr std::string_view kShape = "0000-00-00 00:00";
    for (auto mark = pattern.find(kMark); mark != std::string_view::npos;
         mark = pattern.find(kMark)) {
        if (text.substr(0, mark) != pattern.substr(0, mark) || text.size() < mark + kShape.size()) {
            return false;
        }
        for (std::size_t i = 0; i < kShape.size(); ++i) {
            const char c = text[mark + i];
            const bool digit = c >= '0' && c <= '9';
            if (kShape[i] == '0' ? !digit : c != kShape[i]) {
                return false;
            }
        }
        pattern.remove_prefix(mark + kMark.size());
        text.remove_prefix(mark + kShape.size());
    }
    return text == pattern;
}

std::string JoinedQuoted(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        joined += (joined.empty() ? "" : " ") + HostModel::Quote(text);
    }
    return joined.empty() ? "(none)" : joined;
}

std::set<std::string> HeldKeys(const Step& step) {
    std::set<std::string> keys;
    for (std::size_t i = 1; i < step.tokens.size(); ++i) {
        keys.insert(step.tokens[i].text);
    }
    return keys;
}

void FailOutOfPlace(const Step& step) {
    if (step.verb() == "host") {
        throw StepFailure(step.line, "host state must stand before the first action");
    }
    throw StepFailure(step.line, "no dialog or message box is open for: " + step.verb());
}

const Step& StepCursor::Next(const char* waiting_for) {
    if (AtEnd()) {
        throw StepFailure(LastLine(), std::string("the script ended while ") + waiting_for);
    }
    return steps_[next_++];
}

int StepCursor::LastLine() const {
    if (steps_.empty()) {
        return 0;
    }
    return next_ == 0 ? steps_.front().line : steps_[next_ - 1].line;
}

StartState TakeStartState(StepCursor& steps) {
    StartState state;
    while (!steps.AtEnd() && steps.Peek().verb() == "host") {
        const Step& step = steps.Next("host state");
        const std::string what = Arg(step, 1).text;
        if (what == "mailbox") {
            state.mailbox = Arg(step, 2).text;
        } else if (what == "folder") {
            state.folder = Arg(step, 2).text;
        } else if (what == "mail") {
            state.mail = Arg(step, 2).text;
        } else if (what == "japanese") {
            state.japanese = true;
        } else {
            throw StepFailure(step.line, "unknown host state: " + what);
        }
    }
    return state;
}

}  // namespace tandrel::testhost
