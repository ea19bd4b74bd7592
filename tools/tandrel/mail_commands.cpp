#include "tandrel/mail_commands.h"

#include "mail/address_parts.h"
#include "mail/header_choices.h"
#include "mail/message_file.h"
#include "settings/header_lists.h"
#include "settings/settings.h"

namespace tandrel::cli {

namespace {

constexpr const char* kMailHelp =
    "usage: tandrel mail SUBCOMMAND FILE.eml ...\n"
    "\n"
    "Shows what the Rule entry dialog offers for a mail file (header lines ending\n"
    "CR LF, an empty line, the body), as the mail client would hand it over.\n"
    "\n"
    "subcommands:\n"
    "  headers FILE.eml [--settings FILE]\n"
    "        the header names of the header list, the one selected marked\n"
    "  choices FILE.eml --header NAME [--code-page CP]\n"
    "        the entries of the address list: address, tab, proposed name\n"
    "\n"
    "Run 'tandrel mail SUBCOMMAND --help' for details.\n";

constexpr const char* kHeadersHelp =
    "usage: tandrel mail headers FILE.eml [--settings FILE]\n"
    "\n"
    "Prints the header names the dialog's header list offers, in order, one a\n"
    "line; the one it selects is marked '* ', the others are indented '  '. It\n"
    "selects the first header of the receiving list of the settings (FILE, a\n"
    "Tandrel.ini; the defaults without it), or of the sending list for a sent\n"
    "mail (one with an X-SMTP-Result field).\n";

constexpr const char* kChoicesHelp =
    "usage: tandrel mail choices FILE.eml --header NAME [--code-page CP]\n"
    "\n"
    "Prints one line per entry of the dialog's address list for header NAME, in\n"
    "order: the address, a tab, and the proposed display name (the subfolder and\n"
    "address-book name). A value without '@' is one entry, as it is. Display\n"
    "names sent as encoded words are decoded into code page CP (65001, UTF-8, by\n"
    "default; on Windows the system's ANSI code page); a name that does not\n"
    "decode or fit stays as it came. With CP 932 names are read as Shift-JIS.\n";

// What the host hands the plug-in for BKA_GetSpecifiedHeader with the
// dialog's 65535-byte buffer.
constexpr std::size_t kHeaderValueLimit = 65534;

bool ReadHeaderBlock(Context& context, const std::string& path, std::string& block) {
    std::string message;
    if (context.files.ReadFile(path, message) != ReadStatus::Ok) {
        return false;
    }
    block = HeaderBlockOf(message);
    return true;
}

int RunHeaders(const std::vector<std::string>& args, Context& context) {
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{"settings"}, {}}, "tandrel mail headers", kHeadersHelp, "FILE.eml",
                      context, parsed, exit_code)) {
        return exit_code;
    }
    std::string block;
    if (!ReadHeaderBlock(context, parsed.positional.front(), block)) {
        return Failure(context, "cannot read " + parsed.positional.front());
    }
    const auto settings_path = parsed.Value("settings");
    const Settings settings =
        settings_path ? LoadSettings(context.profile, *settings_path) : Settings{};
    const bool sent = !FieldOf(block, "X-SMTP-Result").empty();
    const std::vector<std::string> list =
        HeaderListNames(sent ? settings.out_headers : settings.in_headers);
    const HeaderNameChoices choices =
        ListHeaderNames(block, list.empty() ? std::string() : list.front());
    for (std::size_t i = 0; i < choices.names.size(); ++i) {
        context.out << (static_cast<int>(i) == choices.selected ? "* " : "  ") << choices.names[i]
                    << "\n";
    }
    return kExitOk;
}

int RunChoices(const std::vector<std::string>& args, Context& context) {
    const Arguments parsed = ParseArguments(args, {{"header", kCodePageOption}, {}});
    const char* command = "tandrel mail choices";
    if (parsed.help) {
        context.out << kChoicesHelp;
        return kExitOk;
    }
    if (!parsed.error.empty()) {
        return UsageError(context, command, parsed.error);
    }
    if (parsed.positional.size() != 1) {
        return UsageError(context, command, "expects FILE.eml");
    }
    const auto header = parsed.Value("header");
    if (!header || header->empty()) {
        return UsageError(context, command, "expects --header NAME");
    }
    int code_page = 0;
    if (const auto given = parsed.Value(kCodePageOption)) {
        const auto number = ParseInteger(*given);
        if (!number || *number <= 0) {
            return UsageError(context, command, "--code-page takes a code page number");
        }
        code_page = *number;
    }
    std::unique_ptr<Charsets> charsets =
        context.make_charsets != nullptr ? context.make_charsets(code_page) : nullptr;
    if (!charsets) {
        return UsageError(context, command,
                          "code page " + std::to_string(code_page) + " is not known here");
    }
    std::string block;
    if (!ReadHeaderBlock(context, parsed.positional.front(), block)) {
        return Failure(context, "cannot read " + parsed.positional.front());
    }
    std::string value = FieldOf(block, *header);
    value = std::string(CutAtCharacter(value, kHeaderValueLimit, context.lead_bytes));
    for (const NameAddress& choice : AddressChoices(value, context.lead_bytes, charsets.get())) {
        context.out << choice.address << "\t" << choice.name << "\n";
    }
    return kExitOk;
}

}  // namespace

int RunMailCommand(const std::vector<std::string>& args, Context& context) {
    return RunSubcommand(args, context, "tandrel mail", kMailHelp,
                         {{"headers", RunHeaders}, {"choices", RunChoices}});
}

}  // namespace tandrel::cli
