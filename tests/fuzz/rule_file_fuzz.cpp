// Any text read as a rule file, written, read and written again gives the
// same bytes the second time: a rewrite never drifts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rules/rule_reader.h"
#include "rules/rule_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tandrel::RuleFile first = tandrel::ParseRuleFile(text);
    const std::string written = tandrel::FormatRuleFile(first);
    const tandrel::RuleFile second = tandrel::ParseRuleFile(written);
    const std::string rewritten = tandrel::FormatRuleFile(second);
    if (rewritten != written) {
        std::abort();
    }
    return 0;
}
