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

int RunTandrel(const std::vector<std::string>& args, Context& context) {
    return RunSubcommand(
        args, context, "tandrel", kHelp,
        {{"rules", RunRulesCommand}, {"book", RunBookCommand}, {"mail", RunMailCommand}});
}

}  // namespace tandrel::cli
