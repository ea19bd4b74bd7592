// Any header block and header value: the header names never include
// "Received" or a line break, and the address book entries made from the
// value's addresses and names are whole lines (entry_checks.h), read with and
// without the Shift-JIS lead bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/entry_checks.h"
#include "mail/header_choices.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const tandrel::HeaderNameChoices choices = tandrel::ListHeaderNames(input, "From");
    for (const std::string& name : choices.names) {
        tandrel::fuzz::Check(name != "Received" && name.find_first_of("\r\n") == std::string::npos);
    }
    tandrel::fuzz::Check(choices.selected >= -1 &&
                         choices.selected < static_cast<int>(choices.names.size()));

    for (const tandrel::LeadBytePredicate lead_bytes :
         {tandrel::kNoLeadBytes, &tandrel::IsShiftJisLeadByte}) {
        tandrel::fuzz::CheckEntries(tandrel::AddressChoices(input, lead_bytes), lead_bytes);
    }
    return 0;
}
