// Any text read as a rule file, written, read and written again gives the
// same bytes the second time: a rewrite never drifts. And an insertion done
// on the text reads back as the same insertion done on the model.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rules/rule_insert.h"
#include "rules/rule_reader.h"
#include "rules/rule_text_edit.h"
#include "rules/rule_writer.h"

namespace {

void CheckInsertion(std::string_view text, const tandrel::RuleFile& model,
                    const tandrel::RuleInsertion& insertion) {
    const std::optional<std::string> edited = tandrel::InsertRuleIntoText(text, insertion);
    if (!edited) {
        return;
    }
    tandrel::RuleFile expected = model;
    tandrel::InsertRuleIntoModel(expected, insertion);
    if (!(tandrel::ParseRuleFile(*edited) == expected)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tandrel::RuleFile first = tandrel::ParseRuleFile(text);
    const std::string written = tandrel::FormatRuleFile(first);
    const tandrel::RuleFile second = tandrel::ParseRuleFile(written);
    if (tandrel::FormatRuleFile(second) != written) {
        std::abort();
    }
    // Insertions aimed at what the text holds: its first block's folder and
    // its first condition, in every mode, with and without delete-same.
    tandrel::RuleInsertion insertion;
    insertion.folder = "Main\\!!!!Inbox\\";
    insertion.header = "From";
    insertion.address = "a@example.com";
    if (!first.blocks.empty()) {
        insertion.folder = first.blocks.front().argument;
        if (!first.blocks.front().conditions.empty()) {
            insertion.header = first.blocks.front().conditions.front().header;
            insertion.address = first.blocks.front().conditions.front().value;
        }
    }
    if (tandrel::RuleInsertionFault(insertion) != nullptr) {
        return 0;
    }
    for (int mode = -1; mode <= 3; ++mode) {
        insertion.place_mode = mode;
        for (const bool delete_same : {false, true}) {
            insertion.delete_same = delete_same;
            CheckInsertion(text, first, insertion);
        }
    }
    return 0;
}
