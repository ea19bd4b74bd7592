#include "cli.h"

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
    "\n"
    "Run 'tandrel COMMAND --help' for the options of a command.\n";

}  // namespace

int UsageError(Context& context, const std::string& command, const std::string& problem) {
    context.err << command << ": " << problem << "\n"
                << "Run '" << command << " --help' for usage.\n";
    return kExitUsage;
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
    return UsageError(context, "tandrel", "unknown command '" + command + "'");
}

}  // namespace tandrel::cli
