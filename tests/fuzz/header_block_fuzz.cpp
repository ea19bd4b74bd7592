// Any header block and header value: the header names never include
// "Received" or a line break, and the address book entries made from the
// value's addresses and names are whole lines (below), read with and without
// the Shift-JIS lead bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "addressbook/group_index.h"
#include "entry/address_parts.h"
#include "entry/header_choices.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"
#include "text/one_line.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::size_t Count(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Every address and name taken from the value, made one line and cut to the
// host's lines, gives exactly one index line, one four-line card and one
// condition line that reads back with the same address; each line is one
// the host reads whole.
void CheckEntries(std::string_view input, tandrel::LeadBytePredicate lead_bytes) {
    for (const tandrel::NameAddress& part : tandrel::AddressChoices(input, lead_bytes)) {
        const std::string address = tandrel::ToOneLine(part.address);
        const auto room = tandrel::DisplayNameRoom(0, "bab0001.tmp", address, 1);
        if (!room) {
            continue;  // refused as too long
        }
        const std::string name(
            tandrel::CutAtCharacter(tandrel::ToOneLine(part.name), *room, lead_bytes));
        const std::string line = tandrel::IndexLine(0, "bab0001.tmp", name, address, 1);
        Check(tandrel::FitsHostLines(line));
        Check(Count(line, "\r\n") == 1 && Count(line, "\n") == 1 && Count(line, "\r") == 1);
        Check(Count(line, "\t") == 7);
        const std::string card = tandrel::CardBlock(name, address);
        Check(tandrel::FitsHostLines(card));
        Check(Count(card, "\n") == 4 && Count(card, "\r") == 4);
        tandrel::RuleCondition condition;
        condition.header = "From";
        condition.value = address;
        condition.mark = true;
        const std::string condition_line = tandrel::FormatConditionLine(condition);
        Check(Count(condition_line, "\n") <= 1);
        const auto read = tandrel::ParseConditionLine(
            std::string_view(condition_line).substr(0, condition_line.find_first_of("\r\n")));
        Check(read.has_value() && read->value == address);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const tandrel::HeaderNameChoices choices = tandrel::ListHeaderNames(input, "From");
    for (const std::string& name : choices.names) {
        Check(name != "Received" && name.find_first_of("\r\n") == std::string::npos);
    }
    Check(choices.selected >= -1 && choices.selected < static_cast<int>(choices.names.size()));

    for (const tandrel::LeadBytePredicate lead_bytes :
         {tandrel::kNoLeadBytes, &tandrel::IsShiftJisLeadByte}) {
        CheckEntries(input, lead_bytes);
    }
    return 0;
}
