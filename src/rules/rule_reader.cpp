#include "rules/rule_reader.h"

#include <cstdint>
#include <functional>

#include "rules/rule_lines.h"

namespace tandrel {

namespace {

// The label of a ":Begin" line: the text inside its double quotes. Without a
// closing quote it runs to the end of the line; without any quote it is empty.
std::string BlockLabel(std::string_view line) {
    const auto open = line.find('"');
    if (open == std::string_view::npos) {
        return std::string();
    }
    const auto close = line.find('"', open + 1);
    return std::string(line.substr(
        open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
}

// The lines of a text, one after another, with their numbers.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (position_ >= text_.size()) {
            return false;
        }
        const RuleLine next = RuleLineAt(text_, position_);
        line = ContentOf(text_, next);
        position_ = next.end;
        ++line_number_;
        return true;
    }

    int line_number() const { return line_number_; }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
    int line_number_ = 0;
};

}  // namespace

std::optional<RuleCondition> ParseConditionLine(std::string_view line) {
    const auto fields = SplitConditionLine(line);
    if (!fields) {
        return std::nullopt;
    }
    RuleCondition condition;
    condition.number = fields->number;
    condition.header = std::string(fields->header);
    condition.value = std::string(fields->value);
    condition.mark = fields->mark;
    for (const char flag : fields->flags) {
        condition.flag_i = condition.flag_i || flag == 'I';
        condition.flag_w = condition.flag_w || flag == 'W';
        condition.flag_t = condition.flag_t || flag == 'T';
        condition.flag_r = condition.flag_r || flag == 'R';
    }
    return condition;
}

namespace {

RuleFile Parse(std::string_view text, bool block_seen,
               const std::function<void(DroppedLine)>* dropped, RuleFileLines* lines) {
    enum class State { Outside, AfterBegin, InBlock };
    State state = State::Outside;
    bool in_dropped_block = false;  // only for the reason given to `dropped`
    std::string pending_label;
    int pending_begin_line = 0;
    std::string pending_begin_text;
    RuleFile rule_file;

    LineCursor cursor(text);
    std::string_view line;
    const auto drop = [&](std::string_view dropped_line, DropReason reason, int line_number) {
        if (dropped != nullptr) {
            (*dropped)({line_number, std::string(dropped_line), reason});
        }
    };

    while (cursor.Next(line)) {
        switch (state) {
            case State::Outside:
                if (IsBeginLine(line)) {
                    pending_label = BlockLabel(line);
                    pending_begin_line = cursor.line_number();
                    pending_begin_text = std::string(line);
                    block_seen = true;
                    in_dropped_block = false;
                    state = State::AfterBegin;
                } else if (block_seen) {
                    drop(
                        line,
                        in_dropped_block ? DropReason::InMalformedBlock : DropReason::OutsideBlocks,
                        cursor.line_number());
                    if (IsEndLine(line)) {
                        in_dropped_block = false;
                    }
                } else if (const auto equals = line.find('='); equals != std::string_view::npos) {
                    rule_file.settings.push_back({std::string(line.substr(0, equals)),
                                                  ParseDecimal(line.substr(equals + 1))});
                } else {
                    drop(line, DropReason::NoSetting, cursor.line_number());
                }
                break;
            case State::AfterBegin:
                if (const auto action = SplitActionLine(line)) {
                    RuleBlock block;
                    block.label = pending_label;
                    block.kind = action->kind;
                    block.argument = std::string(action->argument);
                    rule_file.blocks.push_back(std::move(block));
                    if (lines != nullptr) {
                        lines->condition_lines.emplace_back();
                    }
                    state = State::InBlock;
                } else {
                    drop(pending_begin_text, DropReason::MalformedBlockBegin, pending_begin_line);
                    drop(line, DropReason::MalformedAction, cursor.line_number());
                    in_dropped_block = true;
                    state = State::Outside;
                }
                break;
            case State::InBlock:
                if (IsEndLine(line)) {
                    state = State::Outside;
                } else if (auto condition = ParseConditionLine(line)) {
                    rule_file.blocks.back().conditions.push_back(std::move(*condition));
                    if (lines != nullptr) {
                        lines->condition_lines.back().push_back(cursor.line_number());
                    }
                } else {
                    drop(line, DropReason::MalformedCondition, cursor.line_number());
                }
                break;
        }
    }
    if (state == State::AfterBegin) {
        drop(pending_begin_text, DropReason::NoActionLine, pending_begin_line);
    }
    return rule_file;
}

}  // namespace

RuleFile ParseRuleFile(std::string_view text, std::vector<DroppedLine>* dropped,
                       RuleFileLines* lines) {
    if (dropped == nullptr) {
        return Parse(text, false, nullptr, lines);
    }
    const std::function<void(DroppedLine)> keep = [dropped](DroppedLine line) {
        dropped->push_back(std::move(line));
    };
    return Parse(text, false, &keep, lines);
}

RuleFile ParseRuleFile(std::string_view text, const std::function<void(DroppedLine)>& dropped) {
    return Parse(text, false, &dropped, nullptr);
}

RuleFile ParseRuleStretch(std::string_view stretch, bool after_a_block) {
    return Parse(stretch, after_a_block, nullptr, nullptr);
}

ReadStatus ReadRuleFile(Files& files, const std::string& path, RuleFile& rule_file) {
    std::string text;
    const ReadStatus status = files.ReadFile(path, text);
    rule_file = status == ReadStatus::Ok ? ParseRuleFile(text) : RuleFile();
    return status;
}

}  // namespace tandrel
