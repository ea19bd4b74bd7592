#include "rules/rule_insert.h"

#include <iterator>
#include <string_view>

#include "rules/rule_reader.h"
#include "rules/rule_text_edit.h"
#include "rules/rule_writer.h"

namespace tandrel {

namespace {

// Characters that would end a field or a line of the rule file.
constexpr std::string_view kFieldBreakers("\r\n\t\0", 4);
constexpr std::string_view kLineBreakers("\r\n\0", 3);

bool HoldsAnyOf(const std::string& text, std::string_view characters) {
    return text.find_first_of(characters) != std::string::npos;
}

RuleCondition NewCondition(const RuleInsertion& insertion) {
    RuleCondition condition;
    condition.number = 0;
    condition.header = insertion.header;
    condition.value = insertion.address;
    condition.mark = true;
    condition.flag_i = true;
    return condition;
}

RuleBlock NewBlock(const RuleInsertion& insertion) {
    RuleBlock block;
    block.kind = kMoveKind;
    block.argument = insertion.folder;
    block.conditions.push_back(NewCondition(insertion));
    return block;
}

bool IsFolderBlock(const RuleBlock& block, const std::string& folder) {
    return block.kind == kMoveKind && block.argument == folder;
}

// Removes the condition from every kind M block where it stands with number 0
// and is the last of its block or followed by another condition numbered 0.
void RemoveSameCondition(RuleFile& rule_file, const RuleInsertion& insertion) {
    for (RuleBlock& block : rule_file.blocks) {
        if (block.kind != kMoveKind) {
            continue;
        }
        auto& conditions = block.conditions;
        for (auto it = conditions.begin(); it != conditions.end();) {
            const auto next = std::next(it);
            const bool same =
                it->number == 0 && it->header == insertion.header && it->value == insertion.address;
            if (same && (next == conditions.end() || next->number == 0)) {
                conditions.erase(it);
            }
            it = next;
        }
    }
}

void AddCondition(RuleFile& rule_file, const RuleInsertion& insertion) {
    auto& blocks = rule_file.blocks;
    bool added = false;
    switch (insertion.place_mode) {
        case kPlaceEndOfFolder:
            for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
                if (IsFolderBlock(*it, insertion.folder)) {
                    it->conditions.push_back(NewCondition(insertion));
                    added = true;
                }
            }
            if (!added) {
                blocks.push_back(NewBlock(insertion));
            }
            break;
        case kPlaceTopOfFolder:
            for (RuleBlock& block : blocks) {
                if (IsFolderBlock(block, insertion.folder)) {
                    block.conditions.push_front(NewCondition(insertion));
                    added = true;
                }
            }
            if (!added) {
                blocks.push_front(NewBlock(insertion));
            }
            break;
        case kPlaceNewBlockLast:
            blocks.push_back(NewBlock(insertion));
            break;
        case kPlaceNewBlockFirst:
            blocks.push_front(NewBlock(insertion));
            break;
        default:
            break;
    }
}

}  // namespace

const char* RuleInsertionFault(const RuleInsertion& insertion) {
    if (HoldsAnyOf(insertion.header, kFieldBreakers) || HoldsAnyOf(insertion.header, ":")) {
        return "the header name holds a line break, a tab, a NUL or a \":\"";
    }
    if (HoldsAnyOf(insertion.address, kFieldBreakers)) {
        return "the address holds a line break, a tab or a NUL";
    }
    if (HoldsAnyOf(insertion.folder, kLineBreakers)) {
        return "the folder identifier holds a line break or a NUL";
    }
    return nullptr;
}

void InsertRuleIntoModel(RuleFile& rule_file, const RuleInsertion& insertion) {
    if (insertion.delete_same) {
        RemoveSameCondition(rule_file, insertion);
    }
    AddCondition(rule_file, insertion);
    rule_file.blocks.remove_if([](const RuleBlock& block) { return block.conditions.empty(); });
}

InsertRuleResult InsertRule(Files& files, const std::string& path, const RuleInsertion& insertion) {
    if (RuleInsertionFault(insertion) != nullptr) {
        return InsertRuleResult::RefusedText;
    }
    std::string text;
    if (files.ReadFile(path, text) == ReadStatus::Failed) {
        return InsertRuleResult::ReadFailed;
    }
    // Edited as text, so the lines it does not change keep their bytes and a
    // large file is written in pieces; only a file that ends inside a block
    // goes through the model.
    bool written = false;
    if (const auto edits = RuleTextEdits(text, insertion)) {
        written = files.WritePiecesAtomicallyKeepingBackup(path, EditedPieces(text, *edits),
                                                           BackupPath(path));
    } else {
        RuleFile rule_file = ParseRuleFile(text);
        InsertRuleIntoModel(rule_file, insertion);
        written =
            files.WriteAtomicallyKeepingBackup(path, FormatRuleFile(rule_file), BackupPath(path));
    }
    return written ? InsertRuleResult::Written : InsertRuleResult::WriteFailed;
}

}  // namespace tandrel
