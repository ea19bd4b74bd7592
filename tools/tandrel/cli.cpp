#include "cli.h"

#include "book_commands.h"
#include "rules_commands.h"

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
    "\n"
    "Run 'tandrel COMMAND --help' for the options of a command.\n";

}  // namespace

int UsageError(Context& context, const std::string& command, const std::string& problem) {
    context.err << command << ": " << problem << "\n"
                << "Run '" << command << " --help' for usage.\n";
    return kExitUsage;
}

bool ParseCommand(const std::vector<std::string>& args, const OptionSpec& spec, const char* command,
                  const char* help, const char* positional, Context& context, Arguments& parsed,
                  int& exit_code) {
    parsed = ParseArguments(args, spec);
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
    return true;
}

std::string DataFolderArgument(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder;
}

int Failure(Context& context, const std::string& problem) {
    context.err << "tandrel: " << problem << "\n";
    return kExitFailed;
}

int RunTandrel(const std::vector<std::string>& args, Context& context) {
    if (args.empty()) {
        context.err << kHelp;
        return kExitUsage;
    }
    const std::string& command = args.front();
    if (command == "--help" || command == "-h" || command == "help") {
        context.out << kHelp;
        return kExitOk;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "rules") {
        return RunRulesCommand(rest, context);
    }
    if (command == "book") {
        return RunBookCommand(rest, context);
    }
    return UsageError(context, "tandrel", "unknown command '" + command + "'");
}

}  // namespace tandrel::cli
