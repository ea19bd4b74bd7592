#include "tandrel/cli.h"

#include "tandrel/book_commands.h"
#include "tandrel/mail_commands.h"
#include "tandrel/rules_commands.h"

namespace tandrel::cli {

namespace {

constexpr const char* kHelp =
    "usage: tandrel COMMAND ...\n"
    "\n"
    "Inspects and edits a mail client's data folder the way the Tandrel plug-in\n"
    "does, without the mail client.\n"
    "\n"
    "commands:\n"
    "  rules    add to, show, check and undo a sorting-rule file\n"
    "  book     show the address book, add an address, make a group\n"
    "  mail     show what the Rule entry dialog offers for a mail file\n"
    "\n"
    "Run 'tandrel COMMAND --help' for the options of a command.\n";

}  // namespace

int UsageError(Context& context, const std::string& command, const std::string& problem) {
    context.err << command << ": " << problem << "\n"
                << "Run '" << command << " --help' for usage.\n";
    return kExitUsage;
}

int RunSubcommand(const std::vector<std::string>& args, Context& context, const char* command,
                  const char* help, const std::vector<Subcommand>& subcommands) {
    if (args.empty()) {
        context.err << help;
        return kExitUsage;
    }
    const std::string& name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        context.out << help;
        return kExitOk;
    }
    for (const Subcommand& subcommand : subcommands) {
        if (name == subcommand.name) {
            return subcommand.run(std::vector<std::string>(args.begin() + 1, args.end()), context);
        }
    }
    return UsageError(context, command, "unknown subcommand '" + name + "'");
}

bool ParseCommand(const std::vector<std::string>& args, const AcceptedOptions& accepted,
                  const char* command, const char* help, const char* positional, Context& context,
                  Arguments& parsed, int& exit_code) {
    parsed = ParseArguments(args, accepted);
    if (parsed.help) {
        context.out << help;
        exit_code = kExitOk;
        return false;
    }
    if (!parsed.error.empty()) {
        exit_code = UsageError(context, command, parsed.error);
        return false;
    }
    if (parsed.positional.size() != 1) {
        exit_code = UsageError(context, command, std::string("expects ") + positional);
        return false;
    }
    if (const auto code_page = parsed.Value(kCodePageOption); code_page && *code_page != "932") {
        exit_code = UsageError(context, command,
                               "--code-page takes 932 (Shift-JIS), not '" + *code_page + "'");
        return false;
    }
    return true;
}

LeadBytePredicate CodePageLeadBytes(const std::vector<std::string>& args) {
    const std::string option = std::string("--") + kCodePageOption;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            break;
        }
        if ((args[i] == option && i + 1 < args.size() && args[i + 1] == "932") ||
            args[i] == option + "=932") {
            return IsShiftJisLeadByte;
        }
    }
    return kNoLeadBytes;
}

std::string DataFolderArgument(std::string folder, LeadBytePredicate is_lead_byte) {
    // Ended by the separator the folder is given with, so that paths below it
    // are not shown with two kinds.
    const bool with_slashes = FindCharacter(folder, '/', is_lead_byte) != std::string::npos;
    if (with_slashes && EndsWithCharacter(folder, '\\', is_lead_byte)) {
        folder.back() = '/';
    } else if (!folder.empty() && !EndsWithCharacter(folder, '\\', is_lead_byte) &&
               !EndsWithCharacter(folder, '/', is_lead_byte)) {
        folder += with_slashes ? '/' : '\\';
    }
    return folder;
}

int Failure(Context& context, const std::string& problem) {
    context.err << "tandrel: " << problem << "\n";
    return kExitFailed;
}

int RunTandrel(const std::vector<std::string>& args, Context& context) {
    return RunSubcommand(
        args, context, "tandrel", kHelp,
        {{"rules", RunRulesCommand}, {"book", RunBookCommand}, {"mail", RunMailCommand}});
}

}  // namespace tandrel::cli
