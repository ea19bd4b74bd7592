// Adding a condition "this header contains this address" to the rules that
// sort mail into a folder: the one change Tandrel makes to a rule file.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/strings.h"
#include "rules/rule_file.h"
#include "rules/rule_history.h"
#include "rules/rule_insertion.h"

namespace tandrel {

enum class RuleWriteResult {
    Written,
    RefusedText,     // a field would hold a line break, a tab, a NUL, a Ctrl-Z or (header) a ":"
    LineTooLong,     // a line written would be longer than the host reads as one
    LongLines,       // the file holds a line the host reads as two, or a Ctrl-Z before its
                     // end; it is left alone
    ReadFailed,      // the file exists but cannot be read, or is no plain file; it is left alone
    VersionNotRead,  // (undo) the kept version cannot be read, or is no plain file
    ReadOnly,        // the file is marked read-only; it is left alone
    Busy,            // another writer held the file's lock all the time this one waited
    WriteFailed,     // the file could not be replaced; it is as it was
    BackupInTheWay,  // its former content could not be kept as "FILE.bak"; it is as it was
    NoBackup,        // (undo) there is no such kept version to put back
};

// The user's message for a rule write that did not happen (the library's
// string table through `strings`), naming the file at `path`: the rule file
// written, which is the file a link leads to (its lock and its versions
// stand beside it), or for VersionNotRead the version's own file.
std::string RuleWriteMessage(Strings& strings, RuleWriteResult result, const std::string& path);

// Why `insertion` cannot go into a rule file, or nullptr when it can.
const char* RuleInsertionFault(const RuleInsertion& insertion);

// Whether the lines an insertion may write (the condition line, and the
// action line of a new block) fit the host's line limit.
bool RuleInsertionFits(const RuleInsertion& insertion);

// Reads the rule file at `path` (a missing file counts as empty), changes it
// and writes it back, keeping the former content as its backup, all while
// holding the file's lock. A file that holds a line longer than the host reads
// as one is left alone: the host would see other blocks in it. A link is written through: the file
// it ends at is replaced, with the backup and the lock beside it.
RuleWriteResult InsertRule(Files& files, const std::string& path, const RuleInsertion& insertion);

// Puts kept version `version` (1 the newest, rules/rule_history.h) of the rule
// file at `path` back in its place, the current content becoming the newest
// version, so that an undo can be undone; all while holding the file's lock.
// Refuses a file that cannot be read or is read-only, as InsertRule does,
// and a version that cannot be read (VersionNotRead); NoBackup when there is
// no such version, or when `as_listed` (the version as a list showed it to
// the user) is no longer the version of that number, by its file, time,
// size or the hash of its bytes: another writer changed the versions
// meanwhile.
RuleWriteResult UndoRuleChange(Files& files, const std::string& path, int version = 1,
                               const KeptVersion* as_listed = nullptr);

}  // namespace tandrel
