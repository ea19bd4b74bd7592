#include "settings/header_lists.h"

namespace tandrel {

namespace {

// Puts the next name of `list` into `name` and advances `position` past its
// ":"; sets `position` to -1 when the list is exhausted (the name of that
// call, if any, is not a name). Start with position 0.
void SplitHeaderList(std::string_view list, std::string& name, int& position) {
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) {
        position = -1;
        return;
    }
    const auto start = static_cast<std::size_t>(position);
    const auto colon = list.find(':', start);
    name = std::string(list.substr(
        start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
    position = colon == std::string_view::npos ? -1 : static_cast<int>(colon + 1);
}

}  // namespace

std::vector<std::string> HeaderListNames(std::string_view list) {
    std::vector<std::string> names;
    std::string name;
    int position = 0;
    for (;;) {
        SplitHeaderList(list, name, position);
        if (position < 0) {
            return names;
        }
        names.push_back(name);
    }
}

std::string JoinHeaderList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += ':';
    }
    return list;
}

}  // namespace tandrel
