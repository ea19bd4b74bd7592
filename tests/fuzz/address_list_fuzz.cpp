// Any header value through the address-list splitter and the decoder of
// encoded words: the parts are stretches of the value in order, a name
// without "=?" comes back as it was, and the entries made from the decoded
// names are whole lines (entry_checks.h), for a UTF-8 host and for a
// Shift-JIS one read with its lead bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/entry_checks.h"
#include "mail/address_list.h"
#include "mail/encoded_words.h"
#include "platform/posix/iconv_charsets.h"

namespace {

using tandrel::fuzz::Check;

void CheckParts(std::string_view value, tandrel::LeadBytePredicate lead_bytes) {
    const char* after_last = value.data();
    for (const std::string_view part : tandrel::SplitAddressList(value, lead_bytes)) {
        Check(part.data() >= after_last &&
              part.data() + part.size() <= value.data() + value.size());
        after_last = part.data() + part.size();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    static tandrel::IconvCharsets utf8("UTF-8");
    static tandrel::IconvCharsets shift_jis("CP932");
    const std::string decoded = tandrel::DecodeEncodedWords(input, utf8);
    if (input.find("=?") == std::string_view::npos) {
        Check(decoded == input);
    }
    for (const auto& [charsets, lead_bytes] :
         {std::pair<tandrel::Charsets*, tandrel::LeadBytePredicate>{&utf8, tandrel::kNoLeadBytes},
          {&shift_jis, &tandrel::IsShiftJisLeadByte}}) {
        CheckParts(input, lead_bytes);
        CheckParts(tandrel::UnfoldHeaderValue(input), lead_bytes);
        tandrel::fuzz::CheckEntries(tandrel::AddressChoices(input, lead_bytes, charsets),
                                    lead_bytes);
    }
    return 0;
}
