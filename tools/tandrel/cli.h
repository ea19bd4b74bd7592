// The tandrel command-line tool: inspecting and editing a host data folder
// without the host. Exit codes: 0 success, 1 refused or failed (with a message
// on stderr), 2 usage error.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace tandrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct Context {
    Files& files;
    Profile& profile;
    std::ostream& out;
    std::ostream& err;
};

// Runs one command line; `args` excludes the program name.
int RunTandrel(const std::vector<std::string>& args, Context& context);

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
// error reported; `exit_code` then says how it ended.
bool ParseCommand(const std::vector<std::string>& args, const AcceptedOptions& accepted,
                  const char* command, const char* help, const char* positional, Context& context,
                  Arguments& parsed, int& exit_code);

// A data folder as given on the command line, ending with a separator so that
// identifiers can be appended.
std::string DataFolderArgument(std::string folder);

// Reports a failure; returns kExitFailed.
int Failure(Context& context, const std::string& problem);

}  // namespace tandrel::cli
