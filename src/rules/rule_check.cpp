#include "rules/rule_check.h"

#include <algorithm>
#include <sstream>

#include "mailbox/folders.h"
#include "rules/rule_conflicts.h"
#include "rules/rule_file.h"
#include "rules/rule_reader.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

void AddLinesReadOtherwise(std::string_view text, std::vector<std::string>& findings) {
    int line_number = 0;
    const std::string_view read = WithoutFinalCtrlZ(text);
    for (std::size_t start = 0; start < read.size();) {
        ++line_number;
        const std::size_t end = std::min(read.find('\n', start), read.size());
        const std::string_view line = read.substr(start, end - start);
        if (!FitsHostLine(line)) {
            std::ostringstream out;
            out << "line " << line_number << ": longer than " << kHostLineLimit
                << " characters, which the mail client reads as two (no change is made to "
                   "the file while it holds one): "
                << line.substr(0, 40) << "...";
            findings.push_back(out.str());
        }
        if (line.find(kTextEndOfFile) != std::string_view::npos) {
            findings.push_back("line " + std::to_string(line_number) +
                               ": a Ctrl-Z, after which the mail client reads nothing more of "
                               "the file (no change is made to the file while it holds one)");
        }
        start = end + 1;
    }
}

// "lines 4, 9: condition From:a@b sorts into 2 folders: Main\A\ Main\B\", and
// "... stands twice in one block of Main\A\".
void AddConflicts(std::string_view text, std::vector<std::string>& findings) {
    for (const RuleConflict& conflict : FindRuleConflicts(text)) {
        std::ostringstream out;
        out << "lines";
        for (std::size_t i = 0; i < conflict.lines.size(); ++i) {
            out << (i == 0 ? " " : ", ") << conflict.lines[i];
        }
        out << ": condition " << conflict.header << ":" << conflict.value;
        if (conflict.kind == RuleConflict::Kind::SeveralFolders) {
            out << " sorts into " << conflict.folders.size() << " folders:";
            for (const std::string& folder : conflict.folders) {
                out << " " << folder;
            }
        } else {
            out << " stands " << conflict.lines.size() << " times in one block of "
                << conflict.folders.front();
        }
        findings.push_back(out.str());
    }
}

}  // namespace

std::vector<std::string> CheckRuleText(std::string_view text, const RuleTargetFolders* targets) {
    std::vector<DroppedLine> dropped;
    const RuleFile rule_file = ParseRuleFile(text, &dropped);
    std::vector<std::string> findings;
    findings.reserve(dropped.size());
    for (const DroppedLine& line : dropped) {
        findings.push_back("line " + std::to_string(line.line_number) + ": dropped, " +
                           line.reason + ": " + line.text);
    }
    AddLinesReadOtherwise(text, findings);
    AddConflicts(text, findings);
    if (targets != nullptr) {
        int index = 0;
        for (const RuleBlock& block : rule_file.blocks) {
            ++index;
            if (block.kind == kMoveKind && !targets->files.CanOpenForReading(FolderSettingsPath(
                                               targets->data_folder, block.argument))) {
                findings.push_back("block " + std::to_string(index) +
                                   ": target folder does not exist: " + block.argument);
            }
        }
    }
    return findings;
}

}  // namespace tandrel
