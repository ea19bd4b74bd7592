// What every command of the tandrel tool shares: its context, its exit codes
// (0 success, 1 refused or failed with a message on stderr, 2 usage error),
// the parse of its arguments and the reports of its failures.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/charsets.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "tandrel/arguments.h"
#include "text/characters.h"

namespace tandrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct Context {
    Files& files;
    Profile& profile;
    Strings& strings;  // the library's string table, for the messages the dialogs show too
    std::ostream& out;
    std::ostream& err;
    LeadBytePredicate lead_bytes = kNoLeadBytes;  // the host code page's, for names and paths
    // Converters into a code page (0: the platform's default); null when the
    // code page is not known here.
    std::unique_ptr<Charsets> (*make_charsets)(int code_page) = nullptr;
};

// The option that names the host's code page, as the commands that take
// names accept it: "--code-page 932" reads names and paths as Shift-JIS.
constexpr const char* kCodePageOption = "code-page";

// The lead-byte predicate that a command line's "--code-page" asks for; none
// without it, or with a value the command then refuses. The Files adapter is
// made with it before the command runs.
LeadBytePredicate CodePageLeadBytes(const std::vector<std::string>& args);

// Reports a usage error with the command's help hint; returns kExitUsage.
int UsageError(Context& context, const std::string& command, const std::string& problem);

// One subcommand: its name and what runs it with the arguments after it.
struct Subcommand {
    const char* name;
    int (*run)(const std::vector<std::string>& args, Context& context);
};

// Runs the subcommand that `args` names, or prints `help`.
int RunSubcommand(const std::vector<std::string>& args, Context& context, const char* command,
                  const char* help, const std::vector<Subcommand>& subcommands);

// Parses a command's arguments, which take one positional argument named
// `positional`. False when the command is done: help was printed or a usage
// error reported; `exit_code` then says how it ended. A "--code-page" the
// command accepts must be 932.
bool ParseCommand(const std::vector<std::string>& args, const AcceptedOptions& accepted,
                  const char* command, const char* help, const char* positional, Context& context,
                  Arguments& parsed, int& exit_code);

// A data folder as given on the command line, ending with a separator so that
// identifiers can be appended.
std::string DataFolderArgument(std::string folder, LeadBytePredicate is_lead_byte);

// Reports a failure; returns kExitFailed.
int Failure(Context& context, const std::string& problem);

}  // namespace tandrel::cli
