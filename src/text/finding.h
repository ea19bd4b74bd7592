// What a check or a change summary found, as data: the string-table entry
// that says it and the fields that fill its "%s" in order, some of which name
// folders. Whoever shows it picks the language (through the entries) and how
// folders are named: the command-line tool by identifier, the dialogs by the
// names the user sees.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tandrel {

struct FindingField {
    std::string text;                  // as it stands, unless it names folders
    std::vector<std::string> folders;  // the folder identifiers it names, if any
    bool names_folders = false;
    bool operator==(const FindingField& other) const {
        return text == other.text && folders == other.folders &&
               names_folders == other.names_folders;
    }
};

struct Finding {
    int text = 0;  // the string-table entry
    std::vector<FindingField> fields;
    bool operator==(const Finding& other) const {
        return text == other.text && fields == other.fields;
    }
};

FindingField Field(std::string text);
FindingField FolderField(std::vector<std::string> folders);
Finding MakeFinding(int text, std::vector<FindingField> fields = {});

// The line numbers a finding names, joined by ", ": the first twenty where
// there are more, then ", ...".
std::string JoinedLineNumbers(const std::vector<int>& lines);

// How one line shows folder identifiers: given every folder the line names,
// the text each is shown as; and the text between folders of one field.
struct FolderNaming {
    std::function<std::map<std::string, std::string>(const std::vector<std::string>&)> name;
    std::string joiner;
    // A field of more folders names only the first `most`, then `more` of how
    // many are left.
    std::size_t most = SIZE_MAX;
    std::function<std::string(std::size_t)> more;
};

// Folders by their identifiers, several joined by a blank: the tool's way.
FolderNaming FoldersByIdentifier();

// Folders by `display_name`, several joined by ", ", at most five a field and
// then `more` of the rest: the dialogs' way. A name that is empty, or that two
// folders of the line share, gives way to the identifiers.
FolderNaming FoldersByDisplayName(std::function<std::string(const std::string&)> display_name,
                                  std::function<std::string(std::size_t)> more);

// The findings of one line in words, joined by the entry `separator` (0:
// there is one); `load` gives the text of a string-table entry.
std::string DescribeFindings(const std::vector<Finding>& findings, int separator,
                             const std::function<std::string(int)>& load,
                             const FolderNaming& naming);

}  // namespace tandrel
