// The steps of a scenario: one a line, "#" comment lines and blank lines left
// out, strings in double quotes with % escapes.
#pragma once

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
    std::vector<Token> tokens;  // the first is the verb

    const std::string& verb() const { return tokens.front().text; }
};

// Parses a steps file; an unclosed string is reported in `error` with its line.
std::vector<Step> ParseSteps(std::string_view text, std::string& error);

// "%22" a quote, "%09" a tab, "%0D" CR, "%0A" LF, "%25" a percent sign.
std::string DecodeEscapes(std::string_view text);

}  // namespace tandrel::testhost
