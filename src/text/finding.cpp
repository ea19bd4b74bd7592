#include "text/finding.h"

#include <algorithm>

#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

FindingField Field(std::string text) {
    return {std::move(text), {}, false};
}

FindingField FolderField(std::vector<std::string> folders) {
    return {std::string(), std::move(folders), true};
}

Finding MakeFinding(int text, std::vector<FindingField> fields) {
    return {text, std::move(fields)};
}

std::string JoinedLineNumbers(const std::vector<int>& lines) {
    constexpr std::size_t kNamedLines = 20;
    std::string joined;
    for (std::size_t i = 0; i < lines.size() && i < kNamedLines; ++i) {
        joined += (joined.empty() ? "" : ", ") + std::to_string(lines[i]);
    }
    return lines.size() > kNamedLines ? joined + ", ..." : joined;
}

FolderNaming FoldersByIdentifier() {
    return {[](const std::vector<std::string>& folders) {
                std::map<std::string, std::string> shown;
                for (const std::string& folder : folders) {
                    shown.emplace(folder, ShownText(folder));
                }
                return shown;
            },
            " ", SIZE_MAX, nullptr};
}

FolderNaming FoldersByDisplayName(std::function<std::string(const std::string&)> display_name,
                                  std::function<std::string(std::size_t)> more) {
    constexpr std::size_t kNamedFolders = 5;
    return {[display_name = std::move(display_name)](const std::vector<std::string>& folders) {
                std::map<std::string, std::string> shown;
                std::map<std::string, int> sharing;
                for (const std::string& folder : folders) {
                    if (shown.count(folder) == 0) {
                        std::string name = display_name(folder);
                        ++sharing[name];
                        shown.emplace(folder, std::move(name));
                    }
                }
                for (auto& [folder, name] : shown) {
                    name = ShownText(name.empty() || sharing[name] > 1 ? folder : name);
                }
                return shown;
            },
            ", ", kNamedFolders, std::move(more)};
}

std::string DescribeFindings(const std::vector<Finding>& findings, int separator,
                             const std::function<std::string(int)>& load,
                             const FolderNaming& naming) {
    // Only the folders named are asked for.
    std::vector<std::string> folders;
    for (const Finding& finding : findings) {
        for (const FindingField& field : finding.fields) {
            const std::size_t named = std::min(field.folders.size(), naming.most);
            folders.insert(folders.end(), field.folders.begin(),
                           field.folders.begin() + static_cast<std::ptrdiff_t>(named));
        }
    }
    const std::map<std::string, std::string> shown =
        folders.empty() ? std::map<std::string, std::string>() : naming.name(folders);
    std::string line;
    for (const Finding& finding : findings) {
        std::vector<std::string> fields;
        for (const FindingField& field : finding.fields) {
            if (!field.names_folders) {
                fields.push_back(field.text);
                continue;
            }
            std::string joined;
            const std::size_t named = std::min(field.folders.size(), naming.most);
            for (std::size_t i = 0; i < named; ++i) {
                joined += (joined.empty() ? "" : naming.joiner) + shown.at(field.folders[i]);
            }
            if (named < field.folders.size()) {
                joined += naming.more(field.folders.size() - named);
            }
            fields.push_back(std::move(joined));
        }
        if (!line.empty() && separator != 0) {
            line += load(separator);
        }
        line += FormatText(load(finding.text), fields);
    }
    return line;
}

}  // namespace tandrel
