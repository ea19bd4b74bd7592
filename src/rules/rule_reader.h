// Reading a sorting-rule file into the model. Lines end with LF or CR LF and
// are read whole, whatever their length; malformed lines are dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "rules/rule_file.h"

namespace tandrel {

// Why the reader leaves a line out.
enum class DropReason {
    OutsideBlocks,        // between blocks, after the first
    InMalformedBlock,     // in a block whose action line is malformed
    NoSetting,            // before the first block, without "="
    MalformedBlockBegin,  // the ":Begin" of a block whose action line is malformed
    MalformedAction,      // an action line whose third character is not ":"
    MalformedCondition,   // a line in a block that reads as no condition
    NoActionLine,         // a ":Begin" the file ends with
};

// A line that the model does not keep, so a rewrite leaves it out.
struct DroppedLine {
    int line_number = 0;  // from 1
    std::string text;     // without its line end
    DropReason reason = DropReason::OutsideBlocks;
};

// The line numbers (from 1) of what the model keeps: for each block, those
// of its conditions.
struct RuleFileLines {
    std::vector<std::vector<int>> condition_lines;
};

// Parses rule-file text. Each dropped line is added to `dropped` if given;
// the line numbers of the blocks' conditions go to `lines` if given.
RuleFile ParseRuleFile(std::string_view text, std::vector<DroppedLine>* dropped = nullptr,
                       RuleFileLines* lines = nullptr);

// The same, each dropped line handed to `dropped` as it is found.
RuleFile ParseRuleFile(std::string_view text, const std::function<void(DroppedLine)>& dropped);

// Parses a stretch of rule-file text that begins where the reader is outside
// any block: at the start of the text, or right after a line beginning with
// ":End", which leaves the reader outside whatever it read before. With
// `after_a_block`, a ":Begin" line stands before the stretch, so the reader
// takes none of its lines for a setting.
RuleFile ParseRuleStretch(std::string_view stretch, bool after_a_block);

// Parses one condition line ("@0:From:a@b.example<TAB>O<TAB>I").
std::optional<RuleCondition> ParseConditionLine(std::string_view line);

// Reads and parses the file at `path`. A missing file, and one that cannot be
// read, give an empty model; the status tells them apart.
ReadStatus ReadRuleFile(Files& files, const std::string& path, RuleFile& rule_file);

}  // namespace tandrel
