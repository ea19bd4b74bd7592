// The steps of a scenario: one a line, "#" comment lines and blank lines left
// out, strings in double quotes with % escapes; and the helpers both runners
// use to walk them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::testhost {

struct Token {
    std::string text;
    bool quoted = false;
};

struct Step {
    int line = 0;
    std::string text;           // the line as written, without its outer blanks
    std::vector<Token> tokens;  // the first is the verb

    const std::string& verb() const { return tokens.front().text; }
};

// Parses a steps file; an unclosed string is reported in `error` with its line.
std::vector<Step> ParseSteps(std::string_view text, std::string& error);

// "%22" a quote, "%09" a tab, "%0D" CR, "%0A" LF, "%25" a percent sign.
std::string DecodeEscapes(std::string_view text);

// A step that did not pass: where, and what was seen instead.
struct StepFailure : std::runtime_error {
    StepFailure(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// Argument `index` of a step (0 is the verb); a missing one fails the step.
const Token& Arg(const Step& step, std::size_t index);

// An unquoted decimal argument; anything else fails the step.
int Number(const Step& step, std::size_t index);

// A step's or expect.log's text with each "{data folder}" replaced by the
// host's data folder, which differs from run to run and runner to runner.
std::string WithDataFolder(std::string text, const std::string& data_folder);

// Whether `text` is `pattern` with each "{time}" standing for a local time
// "YYYY-MM-DD HH:MM", which differs from run to run.
bool MatchesWithTimes(std::string_view pattern, std::string_view text);

// Whether `text` is `pattern` with each item that `is_any` tells standing
// for any run of items, none included (characters of a text, lines of a
// log). `matched`, where given, gets the most items of `pattern` matched,
// for a message.
template <typename Pattern, typename Text, typename IsAny>
bool MatchesWithAnyRuns(const Pattern& pattern, const Text& text, IsAny is_any,
                        std::size_t* matched = nullptr) {
    std::size_t p = 0;
    std::size_t t = 0;
    // The last "any" item's place and the item of `text` it has taken up to:
    // on a mismatch it takes one item more.
    bool any_seen = false;
    std::size_t any = 0;
    std::size_t any_t = 0;
    std::size_t most = 0;
    while (t < text.size()) {
        if (p < pattern.size() && is_any(pattern[p])) {
            any_seen = true;
            any = p++;
            any_t = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
            most = std::max(most, p);
        } else if (any_seen) {
            p = any + 1;
            t = ++any_t;
        } else {
            break;
        }
    }
    const bool all_text = t == text.size();
    while (all_text && p < pattern.size() && is_any(pattern[p])) {
        ++p;
    }
    if (matched != nullptr) {
        *matched = std::max(most, all_text ? p : most);
    }
    return all_text && p == pattern.size();
}

// Whether `text` is `pattern` with each "*" standing for any run of
// characters, none included.
bool MatchesWithStars(std::string_view pattern, std::string_view text);

// Texts as the log writes them, quoted and joined by blanks; "(none)" for none.
std::string JoinedQuoted(const std::vector<std::string>& texts);

// The keys a "keys" step names ("ctrl", "shift"), held for the drops after it.
std::set<std::string> HeldKeys(const Step& step);

// Fails an action step no runner knows at the top level: a "host" step after
// the first action, or a dialog step while no dialog is open.
[[noreturn]] void FailOutOfPlace(const Step& step);

// The steps in order, taken one at a time.
class StepCursor {
  public:
    explicit StepCursor(std::vector<Step> steps) : steps_(std::move(steps)) {}

    bool AtEnd() const { return next_ >= steps_.size(); }
    const Step& Peek() const { return steps_[next_]; }
    // The next step; at the end the script fails, saying what was waited for.
    const Step& Next(const char* waiting_for);
    // The line of the last step taken, for failures that belong to no step.
    int LastLine() const;

  private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

// What the "host" lines before the first action ask for.
struct StartState {
    std::string mailbox;
    std::string folder;
    std::string mail;
    bool japanese = false;
};

// Takes the leading "host" steps; a "host" step after them fails later, in
// the runner, as out of place.
StartState TakeStartState(StepCursor& steps);

}  // namespace tandrel::testhost
