#include "rules/rule_insert_reference.h"

#include <iterator>
#include <optional>

#include "rules/rule_history.h"
#include "rules/rule_lines.h"
#include "rules/rule_writer.h"

namespace tandrel {

namespace {

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
            if (IsSameCondition(it->number, it->header, it->value, insertion.header,
                                insertion.address) &&
                SameConditionGoes(next == conditions.end() ? std::nullopt
                                                           : std::optional(next->number))) {
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
                    it->conditions.push_back(NewRuleCondition(insertion.header, insertion.address));
                    added = true;
                }
            }
            if (!added) {
                blocks.push_back(
                    NewRuleBlock(insertion.folder, insertion.header, insertion.address));
            }
            break;
        case kPlaceTopOfFolder:
            for (RuleBlock& block : blocks) {
                if (IsFolderBlock(block, insertion.folder)) {
                    block.conditions.push_front(
                        NewRuleCondition(insertion.header, insertion.address));
                    added = true;
                }
            }
            if (!added) {
                blocks.push_front(
                    NewRuleBlock(insertion.folder, insertion.header, insertion.address));
            }
            break;
        case kPlaceNewBlockLast:
            blocks.push_back(NewRuleBlock(insertion.folder, insertion.header, insertion.address));
            break;
        case kPlaceNewBlockFirst:
            blocks.push_front(NewRuleBlock(insertion.folder, insertion.header, insertion.address));
            break;
        default:
            break;
    }
}

}  // namespace

void InsertRuleIntoModel(RuleFile& rule_file, const RuleInsertion& insertion) {
    if (insertion.delete_same) {
        RemoveSameCondition(rule_file, insertion);
    }
    AddCondition(rule_file, insertion);
    rule_file.blocks.remove_if([](const RuleBlock& block) { return block.conditions.empty(); });
}

bool WriteRuleFile(Files& files, const std::string& path, const RuleFile& rule_file) {
    const std::string text = FormatRuleFile(rule_file);
    return WriteKeepingHistory(files, path, {text}) == HistoryWrite::Written;
}

}  // namespace tandrel
