// What the fuzz targets check of the entries made from a header value's
// addresses and names: a name holds no control character, no lone lead byte
// and no blank at its ends, and the subfolder proposed from it is a name the
// dialog takes; each entry, made one line and cut to the host's lines, gives
// exactly one index line, one four-line card and one condition line that
// reads back with the same address; each line is one the host reads whole.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "addressbook/group_index.h"
#include "mail/address_parts.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"
#include "text/file_names.h"
#include "text/one_line.h"

namespace tandrel::fuzz {

inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

inline std::size_t Count(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

inline void CheckEntries(const std::vector<NameAddress>& choices, LeadBytePredicate lead_bytes) {
    for (const NameAddress& part : choices) {
        for (const char c : part.name) {
            Check(static_cast<unsigned char>(c) >= 0x20 && c != '\x7F');
        }
        Check(WithoutLoneLeadBytes(part.name, lead_bytes) == part.name);
        Check(TrimBlanks(part.name) == part.name);
        const std::string folder = ProposedFolderName(part, lead_bytes);
        Check(folder.empty() || IsPlainFileName(folder, lead_bytes));
        const std::string address = ToOneLine(part.address);
        const auto room = DisplayNameRoom(0, "bab0001.tmp", address, 1);
        if (!room) {
            continue;  // refused as too long
        }
        const std::string name(CutAtCharacter(ToOneLine(part.name), *room, lead_bytes));
        const std::string line = IndexLine(0, "bab0001.tmp", name, address, 1);
        Check(FitsHostLines(line));
        Check(Count(line, "\r\n") == 1 && Count(line, "\n") == 1 && Count(line, "\r") == 1);
        Check(Count(line, "\t") == 7);
        const std::string card = CardBlock(name, address);
        Check(FitsHostLines(card));
        Check(Count(card, "\n") == 4 && Count(card, "\r") == 4);
        RuleCondition condition;
        condition.header = "From";
        condition.value = address;
        condition.mark = true;
        const std::string condition_line = FormatConditionLine(condition);
        Check(Count(condition_line, "\n") <= 1);
        const auto read = ParseConditionLine(
            std::string_view(condition_line).substr(0, condition_line.find_first_of("\r\n")));
        Check(read.has_value() && read->value == address);
    }
}

}  // namespace tandrel::fuzz
