#include "rules/rule_insert.h"

#include <iterator>
#include <memory>
#include <optional>
#include <string_view>

#include "resources/string_table.h"
#include "rules/rule_history.h"
#include "rules/rule_lines.h"
#include "rules/rule_reader.h"
#include "rules/rule_text_edit.h"
#include "rules/rule_writer.h"
#include "text/content_hash.h"
#include "text/format_text.h"
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
    const RuleBlock block = NewRuleBlock(insertion.folder, insertion.header, insertion.address);
    return FormatConditionLine(block.conditions.front()).size() <= kHostLineLimit &&
           FormatActionLine(block).size() <= kHostLineLimit;
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
std::optional<RuleWriteResult> LockAndRead(Files& files, const std::string& target,
                                           std::unique_ptr<FileLock>& lock, RuleFileRead& read) {
    // A link that could not be followed to its end (a loop, or a target the
    // port cannot name) would be replaced by a plain file, its target left
    // as it was.
    if (files.IsLink(target)) {
        return RuleWriteResult::ReadFailed;
    }
    if (const auto refused = LockRefusal(files.LockForWriting(target, lock), RuleWriteResult::Busy,
                                         RuleWriteResult::WriteFailed)) {
        return *refused;
    }
    if (const auto size = files.FileSize(target)) {
        read.text.reserve(static_cast<std::size_t>(*size));
    }
    const ReadStatus status = files.ReadFileInPieces(target, [&read](std::string_view piece) {
        read.text += piece;
        read.line_check.Take(piece);
    });
    if (status == ReadStatus::Failed) {
        return RuleWriteResult::ReadFailed;
    }
    if (files.IsReadOnly(target)) {
        return RuleWriteResult::ReadOnly;
    }
    return std::nullopt;
}

RuleWriteResult ResultOf(HistoryWrite write) {
    switch (write) {
        case HistoryWrite::Written:
            return RuleWriteResult::Written;
        case HistoryWrite::BackupInTheWay:
            return RuleWriteResult::BackupInTheWay;
        case HistoryWrite::Failed:
            break;
    }
    return RuleWriteResult::WriteFailed;
}

}  // namespace

RuleWriteResult InsertRule(Files& files, const std::string& path, const RuleInsertion& insertion) {
    if (RuleInsertionFault(insertion) != nullptr) {
        return RuleWriteResult::RefusedText;
    }
    if (!RuleInsertionFits(insertion)) {
        return RuleWriteResult::LineTooLong;
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
        return RuleWriteResult::LongLines;
    }
    // Edited as text, so the lines it does not change keep their bytes and a
    // large file is written in pieces.
    const std::vector<RuleTextEdit> edits = RuleTextEdits(read.text, insertion);
    return ResultOf(WriteKeepingHistory(files, target, EditedPieces(read.text, edits)));
}

RuleWriteResult UndoRuleChange(Files& files, const std::string& path, int version,
                               const KeptVersion* as_listed) {
    const std::string target = files.ResolveLinks(path);
    std::unique_ptr<FileLock> lock;
    RuleFileRead current;
    if (const auto refused = LockAndRead(files, target, lock, current)) {
        return *refused;
    }
    const std::vector<KeptVersion> versions = ListKeptVersions(files, target);
    if (version < 1 || static_cast<std::size_t>(version) > versions.size()) {
        return RuleWriteResult::NoBackup;
    }
    const KeptVersion& kept = versions[static_cast<std::size_t>(version) - 1];
    if (as_listed != nullptr &&
        (kept.path != as_listed->path || kept.facts.modified != as_listed->facts.modified)) {
        return RuleWriteResult::NoBackup;
    }
    std::string former;
    if (files.ReadFile(kept.path, former) != ReadStatus::Ok) {
        return RuleWriteResult::VersionNotRead;
    }
    // The time is kept in whole seconds: a version another writer made in the
    // same second as the one listed is told by its bytes.
    if (as_listed != nullptr &&
        (former.size() != as_listed->facts.size ||
         (as_listed->content_hash && ContentHash(former) != *as_listed->content_hash))) {
        return RuleWriteResult::NoBackup;
    }
    return ResultOf(WriteKeepingHistory(files, target, {former}));
}

std::string RuleWriteMessage(Strings& strings, RuleWriteResult result, const std::string& path) {
    const auto text = [&](int id, const std::vector<std::string>& arguments) {
        return FormatText(strings.Load(id), arguments);
    };
    switch (result) {
        case RuleWriteResult::Written:
            break;
        case RuleWriteResult::RefusedText:
            return text(IDS_RULES_REFUSED_TEXT, {path});
        case RuleWriteResult::LineTooLong:
            return text(IDS_RULE_LINE_TOO_LONG, {path});
        case RuleWriteResult::LongLines:
            return text(IDS_RULES_LONG_LINES, {path});
        case RuleWriteResult::ReadFailed:
        case RuleWriteResult::VersionNotRead:
            return text(IDS_RULES_NOT_READ, {path});
        case RuleWriteResult::ReadOnly:
            return text(IDS_RULES_READ_ONLY, {path});
        case RuleWriteResult::Busy:
            return text(IDS_RULES_BUSY, {path, LockPath(path)});
        case RuleWriteResult::WriteFailed:
            return text(IDS_RULES_NOT_WRITTEN, {path});
        case RuleWriteResult::BackupInTheWay:
            return text(IDS_RULES_BACKUP_IN_THE_WAY, {BackupPath(path), path});
        case RuleWriteResult::NoBackup:
            return text(IDS_RULES_NO_VERSION, {path});
    }
    return std::string();
}

}  // namespace tandrel
