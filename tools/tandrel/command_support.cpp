#include "tandrel/command_support.h"

namespace tandrel::cli {

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

}  // namespace tandrel::cli
