#include "tandrel/rules_commands.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>

#include "mailbox/folders.h"
#include "resources/string_table.h"
#include "rules/rule_check.h"
#include "rules/rule_history.h"
#include "rules/rule_history_list.h"
#include "rules/rule_insert.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"
#include "tandrel/arguments.h"
#include "text/local_time.h"
#include "text/one_line.h"

namespace tandrel::cli {

namespace {

constexpr const char* kRulesHelp =
    "usage: tandrel rules SUBCOMMAND ...\n"
    "\n"
    "Works on one sorting-rule file (iFilter.Def or oFilter.Def).\n"
    "\n"
    "subcommands:\n"
    "  add FILE --folder ID --header NAME --address TEXT [--place N] [--delete-same]\n"
    "      [--code-page 932]\n"
    "        add the condition NAME contains TEXT to the rules of folder ID\n"
    "  show FILE\n"
    "        list the settings and blocks of the file\n"
    "  check FILE [--data-folder DIR] [--code-page 932]\n"
    "        list every line the rule reader leaves out, and with DIR every folder\n"
    "        rule whose target folder does not exist\n"
    "  history FILE\n"
    "        list the kept former versions, newest first, and what each change did\n"
    "  undo FILE [--to N]\n"
    "        put back kept version N (default 1, the content before the last change)\n"
    "\n"
    "Run 'tandrel rules SUBCOMMAND --help' for details.\n";

constexpr const char* kAddHelp =
    "usage: tandrel rules add FILE --folder ID --header NAME --address TEXT\n"
    "                         [--place N] [--delete-same] [--code-page 932]\n"
    "\n"
    "Adds the condition 'header NAME contains TEXT' to the rules that sort mail\n"
    "into folder ID (an identifier such as Main\\!!!!Inbox\\Work\\: plain folder\n"
    "names, each ended by a backslash). A missing FILE is created. The former\n"
    "content is kept as FILE.bak, the newest of the versions 'tandrel rules\n"
    "history' lists, and FILE.lock is held while FILE is rewritten.\n"
    "A line that would be longer than the mail client reads (254 characters) is\n"
    "refused, and so is a read-only FILE. Where blocks left without conditions\n"
    "go from the head of FILE, a line from between the blocks that holds \"=\"\n"
    "and would come to stand before the first block, where the mail client\n"
    "would read it as a setting, goes too.\n"
    "\n"
    "  --place N        0 at the end of the folder's blocks (default), 1 at their\n"
    "                   top, 2 a new block after all, 3 a new block before all;\n"
    "                   any other number adds nothing but still tidies the file\n"
    "  --delete-same    first remove the same condition from every folder\n"
    "  --code-page 932  folder names are Shift-JIS, as on a Japanese mail client\n";

constexpr const char* kShowHelp =
    "usage: tandrel rules show FILE\n"
    "\n"
    "Prints the file settings and a table of the blocks: label, kind, target and\n"
    "conditions (number, header, value, mark O or X, flags).\n";

constexpr const char* kCheckHelp =
    "usage: tandrel rules check FILE [--data-folder DIR] [--code-page 932]\n"
    "\n"
    "Prints every line that the rule reader leaves out (an insertion keeps such\n"
    "lines as they are), with its line number and why, every line longer than\n"
    "the mail client reads as one, and every Ctrl-Z before the end of the file,\n"
    "after which it reads nothing (no insertion is made into such a file).\n"
    "Also every condition (header and value, byte for byte) that stands in the\n"
    "rules of more than one folder, where a message goes to whichever rule the\n"
    "mail client tries first, and every condition repeated in one block; each\n"
    "with its line numbers and folders. With --data-folder, also every folder\n"
    "rule (kind M) whose target folder has no Folder.ini below DIR; with\n"
    "--code-page 932 folder names are read as Shift-JIS, as on a Japanese mail\n"
    "client. Exits 1 when anything was found.\n";

constexpr const char* kHistoryHelp =
    "usage: tandrel rules history FILE\n"
    "\n"
    "Lists the former versions kept of FILE, newest first: number, time of\n"
    "writing, size, the file that holds it (FILE.bak, then FILE.bak2 up to\n"
    "FILE.bak10), and what the change after it did, beginning \"changed outside\n"
    "Tandrel\" where no one rewrite of Tandrel's makes such a change, or\n"
    "\"cannot be read\" for a version that cannot be read. A version that is a\n"
    "link is listed with the time and size of the file it leads to, which is\n"
    "what 'tandrel rules undo' puts back. Every rewrite keeps the content it\n"
    "replaces as version 1; the oldest of ten gives way once the rewrite is\n"
    "done. Exits 1 when FILE itself cannot be read.\n";

constexpr const char* kUndoHelp =
    "usage: tandrel rules undo FILE [--to N]\n"
    "\n"
    "Puts kept version N (default 1, see 'tandrel rules history') back in place\n"
    "of FILE. The current content becomes version 1, so an undo can itself be\n"
    "undone. A FILE that cannot be read or is read-only is left alone.\n";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Exit code and message of a rewrite that names the file at `path`
// (RuleWriteMessage): the dialog's message, and where the tool lists what
// refused it, a pointer there.
int ReportRuleChange(Context& context, RuleWriteResult result, const std::string& path) {
    if (result == RuleWriteResult::Written) {
        return kExitOk;
    }
    std::string message = RuleWriteMessage(context.strings, result, path);
    if (result == RuleWriteResult::LongLines) {
        message += "\n'tandrel rules check' lists the lines";
    }
    return Failure(context, message);
}

std::string DescribeCondition(const RuleCondition& condition) {
    std::string flags;
    flags += condition.flag_i ? "I" : "";
    flags += condition.flag_w ? "W" : "";
    flags += condition.flag_t ? "T" : "";
    flags += condition.flag_r ? "R" : "";
    return "@" + std::to_string(condition.number) + " " + condition.header + " " +
           Quoted(condition.value) + " " + (condition.mark ? "O" : "X") +
           (flags.empty() ? "" : " " + flags);
}

int RunAdd(const std::vector<std::string>& args, Context& context) {
    const char* command = "tandrel rules add";
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args,
                      {{"folder", "header", "address", "place", kCodePageOption}, {"delete-same"}},
                      command, kAddHelp, "FILE", context, parsed, exit_code)) {
        return exit_code;
    }
    RuleInsertion insertion;
    for (const char* required : {"folder", "header", "address"}) {
        if (!parsed.Value(required)) {
            return UsageError(context, command, std::string("--") + required + " is required");
        }
    }
    insertion.folder = *parsed.Value("folder");
    insertion.header = *parsed.Value("header");
    insertion.address = *parsed.Value("address");
    // What the Rule entry dialog refuses, refused here too.
    if (TrimBlanks(insertion.header).empty()) {
        return Failure(context, "refused: the header name is empty");
    }
    if (TrimBlanks(insertion.address).empty()) {
        return Failure(context, "refused: the address is empty");
    }
    for (const std::string* text : {&insertion.header, &insertion.address}) {
        if (WithoutLoneLeadBytes(*text, context.lead_bytes) != *text) {
            return Failure(context, "refused: " + Quoted(*text) +
                                        " holds a lead byte without its second byte");
        }
    }
    if (!IsPlainFolderId(insertion.folder, context.lead_bytes)) {
        return Failure(context, "refused: the folder identifier " + Quoted(insertion.folder) +
                                    " is not plain folder names each ended by a backslash");
    }
    insertion.delete_same = parsed.Flag("delete-same");
    if (const auto place = parsed.Value("place")) {
        const auto mode = ParseInteger(*place);
        if (!mode) {
            return UsageError(context, command,
                              "--place takes a whole number, not '" + *place + "'");
        }
        insertion.place_mode = *mode;
    }
    const std::string& path = parsed.positional.front();
    const RuleWriteResult result = InsertRule(context.files, path, insertion);
    if (result == RuleWriteResult::RefusedText) {
        return Failure(context, std::string("refused: ") + RuleInsertionFault(insertion));
    }
    return ReportRuleChange(context, result, context.files.ResolveLinks(path));
}

// Reads FILE for show and check; a missing or unreadable file is a failure.
bool ReadExisting(Context& context, const std::string& path, std::string& text, int& exit_code) {
    switch (context.files.ReadFile(path, text)) {
        case ReadStatus::Ok:
            return true;
        case ReadStatus::Missing:
            exit_code = Failure(context, "no such file: " + path);
            return false;
        case ReadStatus::Failed:
            exit_code = Failure(context, "cannot read " + path);
            return false;
    }
    return false;
}

void PrintBlockTable(const RuleFile& rule_file, std::ostream& out) {
    struct Row {
        std::string number, label, kind, target, condition;
    };
    std::vector<Row> rows{{"#", "LABEL", "KIND", "TARGET", "CONDITIONS"}};
    int index = 0;
    for (const RuleBlock& block : rule_file.blocks) {
        Row row{std::to_string(++index), Quoted(block.label), std::string(1, block.kind),
                block.argument, "(none)"};
        bool first = true;
        for (const RuleCondition& condition : block.conditions) {
            if (first) {
                row.condition = DescribeCondition(condition);
                rows.push_back(row);
                first = false;
            } else {
                rows.push_back({"", "", "", "", DescribeCondition(condition)});
            }
        }
        if (first) {
            rows.push_back(row);
        }
    }
    std::array<std::size_t, 4> widths{};
    for (const Row& row : rows) {
        widths[0] = std::max(widths[0], row.number.size());
        widths[1] = std::max(widths[1], row.label.size());
        widths[2] = std::max(widths[2], row.kind.size());
        widths[3] = std::max(widths[3], row.target.size());
    }
    const auto padded = [](const std::string& text, std::size_t width) {
        return text + std::string(width - text.size() + 2, ' ');
    };
    for (const Row& row : rows) {
        out << padded(row.number, widths[0]) << padded(row.label, widths[1])
            << padded(row.kind, widths[2]) << padded(row.target, widths[3]) << row.condition
            << "\n";
    }
}

int RunShow(const std::vector<std::string>& args, Context& context) {
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {}, "tandrel rules show", kShowHelp, "FILE", context, parsed,
                      exit_code)) {
        return exit_code;
    }
    std::string text;
    if (!ReadExisting(context, parsed.positional.front(), text, exit_code)) {
        return exit_code;
    }
    const RuleFile rule_file = ParseRuleFile(text);
    context.out << "settings: " << rule_file.settings.size() << "\n";
    for (const FileSetting& setting : rule_file.settings) {
        context.out << "  " << setting.key << "=" << setting.value << "\n";
    }
    context.out << "blocks: " << rule_file.blocks.size() << "\n";
    if (!rule_file.blocks.empty()) {
        PrintBlockTable(rule_file, context.out);
    }
    return kExitOk;
}

int RunCheck(const std::vector<std::string>& args, Context& context) {
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{"data-folder", kCodePageOption}, {}}, "tandrel rules check",
                      kCheckHelp, "FILE", context, parsed, exit_code)) {
        return exit_code;
    }
    std::string text;
    if (!ReadExisting(context, parsed.positional.front(), text, exit_code)) {
        return exit_code;
    }
    std::optional<RuleTargetFolders> targets;
    if (const auto data_folder_argument = parsed.Value("data-folder")) {
        targets.emplace(RuleTargetFolders{
            context.files, DataFolderArgument(*data_folder_argument, context.lead_bytes)});
    }
    const auto load = [&context](int id) { return context.strings.Load(id); };
    const FolderNaming naming = FoldersByIdentifier();
    std::size_t found = 0;
    CheckRuleText(text, targets ? &*targets : nullptr, context.lead_bytes,
                  [&](const Finding& finding) {
                      context.out << DescribeFindings({finding}, 0, load, naming) << "\n";
                      ++found;
                  });
    if (found == 0) {
        context.out << "nothing found\n";
        return kExitOk;
    }
    return kExitFailed;
}

int RunHistory(const std::vector<std::string>& args, Context& context) {
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {}, "tandrel rules history", kHistoryHelp, "FILE", context, parsed,
                      exit_code)) {
        return exit_code;
    }
    const RuleHistoryList history = ListRuleHistory(context.files, parsed.positional.front());
    if (history.rows.empty()) {
        if (!context.files.Facts(history.target)) {
            return Failure(context, "no such file: " + history.target);
        }
        if (!history.current_read) {
            return Failure(context, "cannot read " + history.target);
        }
        context.out << "no former versions kept\n";
        return kExitOk;
    }
    const auto load = [&context](int id) { return context.strings.Load(id); };
    for (const HistoryRow& row : history.rows) {
        const KeptVersion& version = row.version;
        context.out << version.number << "  "
                    << FormatLocalTime(version.facts.modified, ClockDetail::Seconds) << "  "
                    << version.facts.size << " bytes  "
                    << SplitListPattern(version.path, context.lead_bytes).name
                    << (row.summary.empty()
                            ? ""
                            : "  " + DescribeFindings(row.summary, IDS_CHANGE_SEPARATOR, load,
                                                      FoldersByIdentifier()))
                    << "\n";
    }
    if (!history.current_read) {
        return Failure(context, "cannot read " + history.target +
                                    ": what the change after version 1 did is not known");
    }
    return kExitOk;
}

int RunUndo(const std::vector<std::string>& args, Context& context) {
    const char* command = "tandrel rules undo";
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{"to"}, {}}, command, kUndoHelp, "FILE", context, parsed, exit_code)) {
        return exit_code;
    }
    int version = 1;
    if (const auto to = parsed.Value("to")) {
        const auto number = ParseInteger(*to);
        if (!number || *number < 1 || *number > kKeptVersions) {
            return UsageError(context, command,
                              "--to takes a version from 1 to " + std::to_string(kKeptVersions) +
                                  ", not '" + *to + "'");
        }
        version = *number;
    }
    const std::string& path = parsed.positional.front();
    const std::string target = context.files.ResolveLinks(path);
    // The version as listed now; the undo puts it back only if it is still
    // the same under the lock.
    const std::vector<KeptVersion> versions = ListKeptVersions(context.files, target);
    const KeptVersion* chosen = static_cast<std::size_t>(version) <= versions.size()
                                    ? &versions[static_cast<std::size_t>(version) - 1]
                                    : nullptr;
    const RuleWriteResult result = UndoRuleChange(context.files, path, version, chosen);
    if (result == RuleWriteResult::Written) {
        context.out << "put back version " << version << " of " << path
                    << "; what it replaced is now version 1\n";
    }
    return ReportRuleChange(
        context, result,
        result == RuleWriteResult::VersionNotRead && chosen != nullptr ? chosen->path : target);
}

}  // namespace

int RunRulesCommand(const std::vector<std::string>& args, Context& context) {
    return RunSubcommand(args, context, "tandrel rules", kRulesHelp,
                         {{"add", RunAdd},
                          {"show", RunShow},
                          {"check", RunCheck},
                          {"history", RunHistory},
                          {"undo", RunUndo}});
}

}  // namespace tandrel::cli
