#include "book_commands.h"

#include <cstdlib>

#include "addressbook/add_address.h"
#include "addressbook/create_group.h"
#include "addressbook/group_listing.h"
#include "resources/string_table.h"
#include "shell/format_text.h"

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
    "\n"
    "Run 'tandrel book SUBCOMMAND --help' for details.\n";

constexpr const char* kTreeHelp =
    "usage: tandrel book tree DATA_FOLDER\n"
    "\n"
    "Prints every book and group as the Address group dialog shows them, one a\n"
    "line, indented two blanks a level, then 'default: BOOK:GROUP', the group a\n"
    "folder without a remembered group starts with.\n";

constexpr const char* kAddHelp =
    "usage: tandrel book add DATA_FOLDER --group BOOK:PATH --address TEXT --name TEXT\n"
    "                        [--temp-folder DIR]\n"
    "\n"
    "Adds the address to the group's card file and index, unless the group holds\n"
    "it already. A group without entries gets a new card file named babNNNN.tmp,\n"
    "as temporary names from DIR are made (default: the system's temporary\n"
    "folder). Exits 1 with the reason when the address is not added.\n";

constexpr const char* kNewGroupHelp =
    "usage: tandrel book new-group DATA_FOLDER --under BOOK:PATH --name TEXT\n"
    "\n"
    "Makes group TEXT below BOOK:PATH (BOOK: for a group directly in the book)\n"
    "with its Folder.ini, an empty Group.idx and Group.ini.\n";

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
    if (!ParseCommand(args, {}, "tandrel book tree", kTreeHelp, "DATA_FOLDER", context, parsed,
                      exit_code)) {
        return exit_code;
    }
    const std::string data_folder = DataFolderArgument(parsed.positional.front());
    PrintTree(ListGroupTree(context.files, context.profile, data_folder), 0, context.out);
    context.out << "default: " << FindDefaultGroup(context.files, context.profile, data_folder)
                << "\n";
    return kExitOk;
}

std::string SystemTempFolder() {
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
            return DataFolderArgument(folder);
        }
    }
    return DataFolderArgument(fallback);
}

int RunAdd(const std::vector<std::string>& args, Context& context) {
    const char* command = "tandrel book add";
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{"group", "address", "name", "temp-folder"}, {}}, command, kAddHelp,
                      "DATA_FOLDER", context, parsed, exit_code)) {
        return exit_code;
    }
    for (const char* required : {"group", "address", "name"}) {
        if (!parsed.Value(required)) {
            return UsageError(context, command, std::string("--") + required + " is required");
        }
    }
    AddressEntry entry;
    entry.group = SplitGroupIdentifier(*parsed.Value("group"));
    entry.address = *parsed.Value("address");
    entry.name = *parsed.Value("name");
    const auto temp_folder = parsed.Value("temp-folder");
    CountingTempNames temp_names(temp_folder ? DataFolderArgument(*temp_folder)
                                             : SystemTempFolder());
    const AddAddressResult result =
        AddAddressToGroup(context.files, context.profile, temp_names,
                          DataFolderArgument(parsed.positional.front()), entry);
    if (result == AddAddressResult::Added) {
        return kExitOk;
    }
    return Failure(context, AddAddressMessage(result, entry));
}

int RunNewGroup(const std::vector<std::string>& args, Context& context) {
    const char* command = "tandrel book new-group";
    Arguments parsed;
    int exit_code = kExitOk;
    if (!ParseCommand(args, {{"under", "name"}, {}}, command, kNewGroupHelp, "DATA_FOLDER", context,
                      parsed, exit_code)) {
        return exit_code;
    }
    if (!parsed.Value("under") || !parsed.Value("name")) {
        return UsageError(context, command, "--under and --name are required");
    }
    const std::string data_folder = DataFolderArgument(parsed.positional.front());
    const GroupIdentifier parent = SplitGroupIdentifier(*parsed.Value("under"));
    const std::string name = *parsed.Value("name");
    // As in the dialog: the parent must be shown, and no child shown may bear the name.
    const auto tree = ListGroupTree(context.files, context.profile, data_folder);
    const GroupTreeItem* parent_item = FindItem(tree, parent);
    if (parent_item == nullptr) {
        return Failure(context, FormatText(TEXT_GROUP_MISSING, {parent.book, parent.group_path}));
    }
    for (const GroupTreeItem& child : parent_item->children) {
        if (child.text == name) {
            return Failure(
                context, FormatText(TEXT_DUPLICATE_GROUP, {parent.book, parent.group_path, name}));
        }
    }
    switch (CreateGroupOnDisk(context.files, context.profile, data_folder, parent, name)) {
        case CreateGroupResult::Created:
            return kExitOk;
        case CreateGroupResult::InvalidName:
            return Failure(context, FormatText(TEXT_INVALID_GROUP_NAME, {name}));
        case CreateGroupResult::ParentMissing:
            return Failure(context,
                           FormatText(TEXT_GROUP_MISSING, {parent.book, parent.group_path}));
        case CreateGroupResult::WriteFailed:
            break;
    }
    return Failure(context,
                   FormatText(TEXT_GROUP_NOT_WRITTEN, {parent.book, parent.group_path, name}));
}

}  // namespace

int RunBookCommand(const std::vector<std::string>& args, Context& context) {
    return RunSubcommand(args, context, "tandrel book", kBookHelp,
                         {{"tree", RunTree}, {"add", RunAdd}, {"new-group", RunNewGroup}});
}

}  // namespace tandrel::cli
