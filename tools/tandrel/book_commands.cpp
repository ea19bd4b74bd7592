#include "tandrel/book_commands.h"

#include <cstdlib>

#include "addressbook/add_address.h"
#include "addressbook/book_check.h"
#include "addressbook/create_group.h"
#include "addressbook/default_group.h"
#include "addressbook/group_listing.h"
#include "support/counting_temp_names.h"
#include "text/one_line.h"

namespace tandrel::cli {

namespace {

constexpr const char* kBookHelp =
    "usage: tandrel book SUBCOMMAND DATA_FOLDER ...\n"
    "\n"
    "Works on the address book below DATA_FOLDER (its AddrBook folder).\n"
    "\n"
    "subcommands:\n"
    "  tree DATA_FOLDER\n"
    "        the books and groups, then the default group\n"
    "  add DATA_FOLDER --group BOOK:PATH --address TEXT --name TEXT [--temp-folder DIR]\n"
    "        add an address with a display name to a group\n"
    "  new-group DATA_FOLDER --under BOOK:PATH --name TEXT\n"
    "        make a group below a book (BOOK:) or a group\n"
    "  check DATA_FOLDER\n"
    "        list where group indexes and card files disagree; writes nothing\n"
    "\n"
    "Each takes --code-page 932 for book and group names in Shift-JIS, as a\n"
    "Japanese mail client keeps them.\n"
    "\n"
    "Run 'tandrel book SUBCOMMAND --help' for details.\n";

constexpr const char* kTreeHelp =
    "usage: tandrel book tree DATA_FOLDER [--code-page 932]\n"
    "\n"
    "Prints every book and group as the Address group dialog shows them, one a\n"
    "line, indented two blanks a level, then 'default: BOOK:GROUP', the group a\n"
    "folder without a remembered group starts with.\n";

constexpr const char* kAddHelp =
    "usage: tandrel book add DATA_FOLDER --group BOOK:PATH --address TEXT --name TEXT\n"
    "                        [--temp-folder DIR] [--code-page 932]\n"
    "\n"
    "Adds the address to the group's card file and index, unless the group holds\n"
    "it already. A group without entries gets a new card file named babNNNN.tmp,\n"
    "as temporary names from DIR are made (default: the system's temporary\n"
    "folder). The name is cut to what a line of the mail client holds (254\n"
    "characters); an address too long for one is refused. Group.idx.lock is held\n"
    "while the files are written. Exits 1 with the reason when the address is not\n"
    "added.\n";

constexpr const char* kNewGroupHelp =
    "usage: tandrel book new-group DATA_FOLDER --under BOOK:PATH --name TEXT\n"
    "                              [--code-page 932]\n"
    "\n"
    "Makes group TEXT below BOOK:PATH (BOOK: for a group directly in the book)\n"
    "with its Folder.ini, an empty Group.idx and Group.ini.\n";

constexpr const char* kCheckHelp =
    "usage: tandrel book check DATA_FOLDER [--code-page 932]\n"
    "\n"
    "Reads every group of every book, at any depth, and lists, one a line and\n"
    "each after its group (BOOK:PATH): index lines whose card file is missing,\n"
    "or whose offset is no vCard block holding the line's address; sequence\n"
    "numbers that do not rise; an address entered twice in one group; and files\n"
    "in a group folder that no index line names. Writes nothing. Exits 1 when\n"
    "anything was found.\n";

void PrintTree(const std::vector<GroupTreeItem>& items, int depth, std::ostream& out) {
    for (const GroupTreeItem& item : items) {
        out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << item.text << "\n";
        PrintTree(item.children, depth + 1, out);
    }
}

const GroupTreeItem* FindItem(const std::vector<GroupTreeItem>& items,
                              const GroupIdentifier& group) {
    for (const GroupTreeItem& item : items) {
        if (item.book == group.book && item.group_path == group.group_path) {
            return &item;
        }
        if (const GroupTreeItem* found = FindItem(item.children, group)) {
            return found;
        }
    }
    return nullptr;
}

int RunTree(const std::vector<std::string>& args, Context& context) {
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{kCodePageOption}, {}}, "tandrel book tree", kTreeHelp, "DATA_FOLDER",
                      context, parsed, exit_code)) {
        return exit_code;
    }
    const std::string data_folder =
        DataFolderArgument(parsed.positional.front(), context.lead_bytes);
    const auto load = [&context](int id) { return context.strings.Load(id); };
    if (const auto unlisted =
            FindUnlistedAddressBook(context.files, data_folder, context.lead_bytes)) {
        return Failure(context, DescribeFinding(*unlisted, load));
    }
    PrintTree(ListGroupTree(context.files, context.profile, data_folder, context.lead_bytes), 0,
              context.out);
    context.out << "default: "
                << FindDefaultGroup(context.files, context.profile, data_folder, context.lead_bytes)
                << "\n";
    return kExitOk;
}

int RunCheck(const std::vector<std::string>& args, Context& context) {
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{kCodePageOption}, {}}, "tandrel book check", kCheckHelp,
                      "DATA_FOLDER", context, parsed, exit_code)) {
        return exit_code;
    }
    const std::string data_folder =
        DataFolderArgument(parsed.positional.front(), context.lead_bytes);
    const auto load = [&context](int id) { return context.strings.Load(id); };
    std::size_t found = 0;
    CheckAddressBook(context.files, context.profile, data_folder, context.lead_bytes,
                     [&](const BookFinding& finding) {
                         context.out << DescribeFinding(finding, load) << "\n";
                         ++found;
                     });
    if (found == 0) {
        context.out << "nothing found\n";
        return kExitOk;
    }
    return kExitFailed;
}

std::string SystemTempFolder(LeadBytePredicate is_lead_byte) {
#ifdef _WIN32
    const std::vector<const char*> names = {"TEMP", "TMP"};
    const char* fallback = "C:\\Windows\\Temp";
#else
    const std::vector<const char*> names = {"TMPDIR"};
    const char* fallback = "/tmp";
#endif
    for (const char* name : names) {
        const char* folder = std::getenv(name);
        if (folder != nullptr && *folder != '\0') {
            return DataFolderArgument(folder, is_lead_byte);
        }
    }
    return DataFolderArgument(fallback, is_lead_byte);
}

int RunAdd(const std::vector<std::string>& args, Context& context) {
    const char* command = "tandrel book add";
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{"group", "address", "name", "temp-folder", kCodePageOption}, {}},
                      command, kAddHelp, "DATA_FOLDER", context, parsed, exit_code)) {
        return exit_code;
    }
    for (const char* required : {"group", "address", "name"}) {
        if (!parsed.Value(required)) {
            return UsageError(context, command, std::string("--") + required + " is required");
        }
    }
    AddressEntry entry;
    entry.group = SplitGroupIdentifier(*parsed.Value("group"), context.lead_bytes);
    entry.address = *parsed.Value("address");
    entry.name = *parsed.Value("name");
    // What the Rule entry dialog refuses, refused here too.
    if (TrimBlanks(ToOneLine(entry.address)).empty()) {
        return Failure(context, "refused: the address is empty");
    }
    const auto temp_folder = parsed.Value("temp-folder");
    CountingTempNames temp_names(temp_folder ? DataFolderArgument(*temp_folder, context.lead_bytes)
                                             : SystemTempFolder(context.lead_bytes));
    const AddAddressResult result =
        AddAddressToGroup(context.files, context.profile, temp_names,
                          DataFolderArgument(parsed.positional.front(), context.lead_bytes), entry,
                          context.lead_bytes);
    if (result == AddAddressResult::Added) {
        return kExitOk;
    }
    return Failure(context, AddAddressMessage(context.strings, result, entry));
}

int RunNewGroup(const std::vector<std::string>& args, Context& context) {
    const char* command = "tandrel book new-group";
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{"under", "name", kCodePageOption}, {}}, command, kNewGroupHelp,
                      "DATA_FOLDER", context, parsed, exit_code)) {
        return exit_code;
    }
    if (!parsed.Value("under") || !parsed.Value("name")) {
        return UsageError(context, command, "--under and --name are required");
    }
    const std::string data_folder =
        DataFolderArgument(parsed.positional.front(), context.lead_bytes);
    const GroupIdentifier parent = SplitGroupIdentifier(*parsed.Value("under"), context.lead_bytes);
    const std::string name = *parsed.Value("name");
    // As in the dialog: the parent must be shown, and no child shown may bear the name.
    const auto tree =
        ListGroupTree(context.files, context.profile, data_folder, context.lead_bytes);
    const GroupTreeItem* parent_item = FindItem(tree, parent);
    if (parent_item == nullptr) {
        return Failure(context, CreateGroupMessage(context.strings,
                                                   CreateGroupResult::ParentMissing, parent, name));
    }
    std::vector<std::string> shown;
    for (const GroupTreeItem& child : parent_item->children) {
        shown.push_back(child.text);
    }
    const CreateGroupResult result = CreateShownGroup(context.files, context.profile, data_folder,
                                                      parent, shown, name, context.lead_bytes);
    if (result == CreateGroupResult::Created) {
        return kExitOk;
    }
    return Failure(context, CreateGroupMessage(context.strings, result, parent, name));
}

}  // namespace

int RunBookCommand(const std::vector<std::string>& args, Context& context) {
    return RunSubcommand(
        args, context, "tandrel book", kBookHelp,
        {{"tree", RunTree}, {"add", RunAdd}, {"new-group", RunNewGroup}, {"check", RunCheck}});
}

}  // namespace tandrel::cli
