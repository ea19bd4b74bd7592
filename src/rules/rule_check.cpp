#include "rules/rule_check.h"

#include <algorithm>
#include <set>

#include "mailbox/folders.h"
#include "resources/string_table.h"
#include "rules/rule_conflicts.h"
#include "rules/rule_file.h"
#include "rules/rule_reader.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

int DroppedText(DropReason reason) {
    switch (reason) {
        case DropReason::OutsideBlocks:
            return IDS_FOUND_DROPPED_OUTSIDE;
        case DropReason::InMalformedBlock:
            return IDS_FOUND_DROPPED_IN_BAD_BLOCK;
        case DropReason::NoSetting:
            return IDS_FOUND_DROPPED_NO_SETTING;
        case DropReason::MalformedBlockBegin:
            return IDS_FOUND_DROPPED_BAD_BLOCK;
        case DropReason::MalformedAction:
            return IDS_FOUND_DROPPED_BAD_ACTION;
        case DropReason::MalformedCondition:
            return IDS_FOUND_DROPPED_BAD_CONDITION;
        case DropReason::NoActionLine:
            break;
    }
    return IDS_FOUND_DROPPED_NO_ACTION;
}

// The numbers of the lines that hold a Ctrl-Z before the end, which the host
// reads no further than.
std::set<int> LinesWithCtrlZ(std::string_view text) {
    std::set<int> lines;
    const std::string_view read = WithoutFinalCtrlZ(text);
    int line_number = 1;
    std::size_t counted = 0;
    for (std::size_t at = read.find(kTextEndOfFile); at != std::string_view::npos;
         at = read.find(kTextEndOfFile, at + 1)) {
        line_number +=
            static_cast<int>(std::count(read.begin() + static_cast<std::ptrdiff_t>(counted),
                                        read.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        counted = at;
        lines.insert(line_number);
    }
    return lines;
}

void TakeLinesReadOtherwise(std::string_view text, const std::set<int>& ctrl_z_lines,
                            LeadBytePredicate is_lead_byte,
                            const std::function<void(Finding)>& take) {
    int line_number = 0;
    const std::string_view read = WithoutFinalCtrlZ(text);
    for (std::size_t start = 0; start < read.size();) {
        ++line_number;
        const std::size_t end = std::min(read.find('\n', start), read.size());
        const std::string_view line = read.substr(start, end - start);
        if (!FitsHostLine(line)) {
            take(MakeFinding(IDS_FOUND_LONG_LINE, {Field(std::to_string(line_number)),
                                                   Field(std::to_string(kHostLineLimit)),
                                                   Field(ShownExcerpt(line, is_lead_byte))}));
        }
        if (ctrl_z_lines.count(line_number) != 0) {
            take(MakeFinding(IDS_FOUND_CTRL_Z, {Field(std::to_string(line_number))}));
        }
        start = end + 1;
    }
}

// "lines 4, 9: condition From:a@b sorts into 2 folders: ...", and "... stands
// 2 times in one block of ...".
void TakeConflicts(std::string_view text, const std::function<void(Finding)>& take) {
    for (const RuleConflict& conflict : FindRuleConflicts(text)) {
        const FindingField lines = Field(JoinedLineNumbers(conflict.lines));
        const FindingField header = Field(ShownText(conflict.header));
        const FindingField value = Field(ShownText(conflict.value));
        if (conflict.kind == RuleConflict::Kind::SeveralFolders) {
            take(MakeFinding(IDS_FOUND_SEVERAL_FOLDERS,
                             {lines, header, value, Field(std::to_string(conflict.folders.size())),
                              FolderField(conflict.folders)}));
        } else {
            take(MakeFinding(IDS_FOUND_REPEATED,
                             {lines, header, value, Field(std::to_string(conflict.lines.size())),
                              FolderField({conflict.folders.front()})}));
        }
    }
}

}  // namespace

void CheckRuleText(std::string_view text, const RuleTargetFolders* targets,
                   LeadBytePredicate is_lead_byte, const std::function<void(Finding)>& take) {
    const std::set<int> ctrl_z_lines = LinesWithCtrlZ(text);
    // A Ctrl-Z alone after the last line ends the file, as an old editor
    // leaves it: nothing to report.
    const bool ends_with_ctrl_z_line = WithoutFinalCtrlZ(text).size() < text.size() &&
                                       (text.size() == 1 || text[text.size() - 2] == '\n');
    const int last_line = ends_with_ctrl_z_line
                              ? static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1
                              : 0;
    const RuleFile rule_file = ParseRuleFile(text, [&](const DroppedLine& line) {
        if (ends_with_ctrl_z_line && line.line_number == last_line) {
            return;
        }
        // A line with a Ctrl-Z is found for that alone.
        if (ctrl_z_lines.count(line.line_number) == 0) {
            take(MakeFinding(DroppedText(line.reason),
                             {Field(std::to_string(line.line_number)),
                              Field(ShownExcerpt(line.text, is_lead_byte))}));
        }
    });
    TakeLinesReadOtherwise(text, ctrl_z_lines, is_lead_byte, take);
    TakeConflicts(text, take);
    if (targets != nullptr) {
        int index = 0;
        for (const RuleBlock& block : rule_file.blocks) {
            ++index;
            if (block.kind == kMoveKind && !targets->files.CanOpenForReading(FolderSettingsPath(
                                               targets->data_folder, block.argument))) {
                take(MakeFinding(IDS_FOUND_NO_TARGET,
                                 {Field(std::to_string(index)), FolderField({block.argument})}));
            }
        }
    }
}

}  // namespace tandrel
