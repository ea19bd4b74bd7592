// Random rule files for property tests: models built only from texts the
// format can carry, and texts pieced together from lines of every sort.
#pragma once

#include <random>
#include <string>

#include "rules/rule_file.h"

namespace tandrel::testing {

// Random models built only from texts that the format can carry.
class ModelMaker {
  public:
    explicit ModelMaker(unsigned seed) : random_(seed) {}

    // A text the format can carry outside the `forbidden` characters, also
    // for a test's own fields.
    std::string Field(const std::string& forbidden) { return Text(forbidden); }
    int Below(int limit) { return std::uniform_int_distribution<int>(0, limit - 1)(random_); }

    RuleFile Make() {
        RuleFile rule_file;
        for (int i = Below(4); i > 0; --i) {
            rule_file.settings.push_back({Text("=\n"), Number()});
        }
        for (int i = Below(6); i > 0; --i) {
            RuleBlock block;
            block.label = Text("\"\n");
            block.kind = Pick("MDCXm!:\"@ ");
            block.argument = Text("\n");
            for (int j = Below(5); j > 0; --j) {
                RuleCondition condition;
                condition.number = Number();
                condition.header = Text(":\n");
                condition.value = Text("\t\n");
                condition.mark = Below(2) == 0;
                condition.flag_i = Below(2) == 0;
                condition.flag_w = Below(2) == 0;
                condition.flag_t = Below(2) == 0;
                condition.flag_r = Below(2) == 0;
                block.conditions.push_back(condition);
            }
            rule_file.blocks.push_back(block);
        }
        return rule_file;
    }

  private:
    std::int32_t Number() {
        return Below(3) == 0
                   ? std::uniform_int_distribution<std::int32_t>(INT32_MIN, INT32_MAX)(random_)
                   : Below(10);
    }
    char Pick(const std::string& alphabet) {
        return alphabet[static_cast<std::size_t>(Below(static_cast<int>(alphabet.size())))];
    }
    // A text of any bytes except the forbidden ones; never starting with the
    // marks that would make its line something else.
    std::string Text(const std::string& forbidden) {
        static const std::string kAlphabet = std::string("aZ09 :=\"\t\r@!\\.-\x82\xA0", 16);
        std::string text;
        for (int n = Below(8); n > 0; --n) {
            const char c = Pick(kAlphabet);
            if (forbidden.find(c) == std::string::npos) {
                text += c;
            }
        }
        if (!text.empty() && text.back() == '\r') {
            text.back() = 'r';  // a CR before the line end would be taken as part of it
        }
        if (text.rfind(":Begin", 0) == 0) {
            text[0] = 'b';
        }
        return text;
    }

    std::mt19937 random_;
};

// Texts of good and malformed rule-file lines, with CR LF or LF line ends.
class RuleTextMaker {
  public:
    explicit RuleTextMaker(unsigned seed) : random_(seed) {}
    std::string Make();

  private:
    std::mt19937 random_;
};

}  // namespace tandrel::testing
