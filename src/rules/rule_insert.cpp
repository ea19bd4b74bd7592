#include "rules/rule_insert.h"

#include <iterator>
#include <memory>
#include <optional>
#include <string_view>

#include "rules/rule_history.h"
#include "rules/rule_lines.h"
#include "rules/rule_reader.h"
#include "rules/rule_text_edit.h"
#include "rules/rule_writer.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

// Characters that would end a field or a line of the rule file, or (Ctrl-Z)
// the file itself for a text-mode reader.
constexpr std::string_view kFieldBreakers("\r\n\t\0\x1A", 5);
constexpr std::string_view kLineBreakers("\r\n\0\x1A", 4);

bool HoldsAnyOf(const std::string& text, std::string_view characters) {
    return text.find_first_of(characters) != std::string::npos;
}

RuleCondition NewCondition(const RuleInsertion& insertion) {
    return NewRuleCondition(insertion.header, insertion.address);
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
        return "the header name holds a line break, a tab, a NUL, a Ctrl-Z or a \":\"";
    }
    if (HoldsAnyOf(insertion.address, kFieldBreakers)) {
        return "the address holds a line break, a tab, a NUL or a Ctrl-Z";
    }
    if (HoldsAnyOf(insertion.folder, kLineBreakers)) {
        return "the folder identifier holds a line break, a NUL or a Ctrl-Z";
    }
    return nullptr;
}

bool RuleInsertionFits(const RuleInsertion& insertion) {
    const RuleBlock block = NewBlock(insertion);
    return FormatConditionLine(block.conditions.front()).size() <= kHostLineLimit &&
           FormatActionLine(block).size() <= kHostLineLimit;
}

void InsertRuleIntoModel(RuleFile& rule_file, const RuleInsertion& insertion) {
    if (insertion.delete_same) {
        RemoveSameCondition(rule_file, insertion);
    }
    AddCondition(rule_file, insertion);
    rule_file.blocks.remove_if([](const RuleBlock& block) { return block.conditions.empty(); });
}

namespace {

// A rule file as read for a rewrite, and whether the host reads each of its
// lines whole, looked at while each piece was fresh.
struct RuleFileRead {
    std::string text;
    HostLineCheck line_check;
};

// Takes the lock of the file a rewrite replaces and reads it; the outcome
// when the rewrite cannot go on.
std::optional<InsertRuleResult> LockAndRead(Files& files, const std::string& target,
                                            std::unique_ptr<FileLock>& lock, RuleFileRead& read) {
    switch (files.LockForWriting(target, lock)) {
        case LockStatus::Locked:
            break;
        case LockStatus::Busy:
            return InsertRuleResult::Busy;
        case LockStatus::Failed:
            return InsertRuleResult::WriteFailed;
    }
    if (const auto size = files.FileSize(target)) {
        read.text.reserve(static_cast<std::size_t>(*size));
    }
    const ReadStatus status = files.ReadFileInPieces(target, [&read](std::string_view piece) {
        read.text += piece;
        read.line_check.Take(piece);
    });
    if (status == ReadStatus::Failed) {
        return InsertRuleResult::ReadFailed;
    }
    if (files.IsReadOnly(target)) {
        return InsertRuleResult::ReadOnly;
    }
    return std::nullopt;
}

InsertRuleResult ResultOf(HistoryWrite write) {
    switch (write) {
        case HistoryWrite::Written:
            return InsertRuleResult::Written;
        case HistoryWrite::BackupInTheWay:
            return InsertRuleResult::BackupInTheWay;
        case HistoryWrite::Failed:
            break;
    }
    return InsertRuleResult::WriteFailed;
}

}  // namespace

InsertRuleResult InsertRule(Files& files, const std::string& path, const RuleInsertion& insertion) {
    if (RuleInsertionFault(insertion) != nullptr) {
        return InsertRuleResult::RefusedText;
    }
    if (!RuleInsertionFits(insertion)) {
        return InsertRuleResult::LineTooLong;
    }
    const std::string target = files.ResolveLinks(path);
    std::unique_ptr<FileLock> lock;
    RuleFileRead read;
    if (const auto refused = LockAndRead(files, target, lock, read)) {
        return *refused;
    }
    // A file with a line the host reads as two, or that it stops reading at
    // a Ctrl-Z before the end: the host sees other blocks and conditions
    // there than this project's reader, so no change is safe.
    if (!read.line_check.fits()) {
        return InsertRuleResult::LongLines;
    }
    // Edited as text, so the lines it does not change keep their bytes and a
    // large file is written in pieces.
    const auto edits = RuleTextEdits(read.text, insertion);
    if (!edits) {
        return InsertRuleResult::StrayLines;
    }
    return ResultOf(WriteKeepingHistory(files, target, EditedPieces(read.text, *edits)));
}

InsertRuleResult UndoRuleChange(Files& files, const std::string& path, int version) {
    const std::string target = files.ResolveLinks(path);
    std::unique_ptr<FileLock> lock;
    RuleFileRead current;
    if (const auto refused = LockAndRead(files, target, lock, current)) {
        return *refused;
    }
    const std::vector<KeptVersion> versions = ListKeptVersions(files, target);
    if (version < 1 || static_cast<std::size_t>(version) > versions.size()) {
        return InsertRuleResult::NoBackup;
    }
    std::string former;
    switch (files.ReadFile(versions[static_cast<std::size_t>(version) - 1].path, former)) {
        case ReadStatus::Ok:
            break;
        case ReadStatus::Missing:
            return InsertRuleResult::NoBackup;
        case ReadStatus::Failed:
            return InsertRuleResult::ReadFailed;
    }
    return ResultOf(WriteKeepingHistory(files, target, {former}));
}

}  // namespace tandrel
