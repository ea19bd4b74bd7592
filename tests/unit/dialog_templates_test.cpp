// The dialog templates of the resource script and the layouts the in-memory
// dialogs are built from must describe the same controls.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "resources/resource.h"
#include "support/dialog_layouts.h"

namespace tandrel {
namespace {

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(TANDREL_SOURCE_DIR) + "/" + relative);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, int> ResourceIds() {
    std::map<std::string, int> ids = {{"IDOK", 1}, {"IDCANCEL", 2}, {"IDC_NONE", -1}};
    const std::regex define(R"(#define\s+(ID\w+)\s+(\d+))");
    const std::string header = ReadSource("src/resources/resource.h");
    for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it) {
        ids[(*it)[1]] = std::stoi((*it)[2]);
    }
    return ids;
}

std::string Describe(int id, ControlKind kind, const std::string& text, bool enabled) {
    return std::to_string(id) + " kind " + std::to_string(static_cast<int>(kind)) + " \"" + text +
           "\"" + (enabled ? "" : " disabled");
}

ControlKind KindOf(const std::string& statement, const std::string& control_class,
                   const std::string& style) {
    if (statement == "PUSHBUTTON" || statement == "DEFPUSHBUTTON" ||
        style.find("BS_PUSHBUTTON") != std::string::npos) {
        return ControlKind::PushButton;
    }
    if (statement == "EDITTEXT") {
        return ControlKind::Edit;
    }
    if (statement == "LTEXT" || control_class == "\"Static\"") {
        return ControlKind::Static;
    }
    if (control_class == "\"ComboBox\"") {
        return style.find("DROPLIST") != std::string::npos ? ControlKind::DropDownList
                                                           : ControlKind::DropDownCombo;
    }
    if (control_class == "\"Edit\"") {
        return style.find("READONLY") != std::string::npos ? ControlKind::ReadOnlyEdit
                                                           : ControlKind::Edit;
    }
    if (control_class == "\"ListBox\"") {
        return ControlKind::ListBox;
    }
    if (control_class == "WC_TREEVIEWA") {
        return ControlKind::TreeView;
    }
    return style.find("PUSHLIKE") != std::string::npos ? ControlKind::PushLikeCheckBox
                                                       : ControlKind::CheckBox;
}

// The controls with an id of one dialog of the script, and its caption.
std::pair<std::string, std::vector<std::string>> TemplateOf(const std::string& script,
                                                            const std::string& name,
                                                            const std::map<std::string, int>& ids) {
    const auto start = script.find(name + " DIALOGEX");
    const auto begin = script.find("\nBEGIN\n", start);
    const auto end = script.find("\nEND\n", begin);
    const std::string head = script.substr(start, begin - start);
    const std::smatch caption = [&] {
        std::smatch match;
        std::regex_search(head, match, std::regex("CAPTION \"([^\"]*)\""));
        return match;
    }();
    std::vector<std::string> controls;
    std::istringstream lines(script.substr(begin + 7, end - begin - 7));
    std::string line;
    const std::regex with_text(
        R"re(^\s*(\w+)\s+"((?:[^"]|"")*)",\s*(\w+)(?:,\s*("\w+"|\w+))?,\s*(.*)$)re");
    const std::regex edit(R"(^\s*EDITTEXT\s+(\w+),\s*(.*)$)");
    while (std::getline(lines, line)) {
        std::smatch match;
        std::string statement;
        std::string text;
        std::string id_name;
        std::string control_class;
        std::string rest;
        if (std::regex_match(line, match, edit)) {
            statement = "EDITTEXT";
            id_name = match[1];
            rest = match[2];
        } else if (std::regex_match(line, match, with_text)) {
            statement = match[1];
            text = match[2];
            id_name = match[3];
            control_class = match[4];
            rest = match[5];
        } else {
            continue;
        }
        const int id = ids.at(id_name);
        if (id < 0 || statement == "GROUPBOX") {
            continue;
        }
        controls.push_back(Describe(id, KindOf(statement, control_class, rest), text,
                                    rest.find("WS_DISABLED") == std::string::npos));
    }
    return {caption.size() > 1 ? caption[1].str() : std::string(), controls};
}

TEST(DialogTemplates, MatchTheLayoutsOfTheInMemoryDialogs) {
    const std::string script = ReadSource("src/resources/tandrel.rc");
    ASSERT_FALSE(script.empty());
    const auto ids = ResourceIds();
    for (const auto& [name, id] : {std::pair<std::string, int>{"IDD_RULE_ENTRY", IDD_RULE_ENTRY},
                                   {"IDD_SETUP", IDD_SETUP},
                                   {"IDD_ADDRESS_GROUP", IDD_ADDRESS_GROUP},
                                   {"IDD_RULE_HISTORY", IDD_RULE_HISTORY},
                                   {"IDD_CHECK", IDD_CHECK}}) {
        const DialogLayout* layout = FindDialogLayout(id);
        ASSERT_NE(layout, nullptr);
        std::vector<std::string> expected;
        for (const ControlLayout& control : layout->controls) {
            std::string text = control.text;
            expected.push_back(Describe(control.id, control.kind, text, control.initially_enabled));
        }
        const auto [caption, controls] = TemplateOf(script, name, ids);
        EXPECT_EQ(caption, layout->title) << name;
        std::vector<std::string> sorted_expected = expected;
        std::vector<std::string> sorted_controls = controls;
        std::sort(sorted_expected.begin(), sorted_expected.end());
        std::sort(sorted_controls.begin(), sorted_controls.end());
        EXPECT_EQ(sorted_controls, sorted_expected) << name;
    }
}

}  // namespace
}  // namespace tandrel
