// Any text read as a rule file, written, read and written again gives the
// same bytes the second time: a rewrite never drifts. An insertion done on
// the text reads back as the same insertion done on the model, and keeps
// every line it does not change. Every line it adds is one the host reads
// whole: read 255 characters at a time, as the host reads, the file holds
// what it held read so, and the new condition. The summary of a change, read
// from the stretch where two texts differ, is the one of the whole texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "helpers/host_reader.h"
#include "resources/string_table.h"
#include "rules/rule_change_summary.h"
#include "rules/rule_insert.h"
#include "rules/rule_insert_reference.h"
#include "rules/rule_reader.h"
#include "rules/rule_text_edit.h"
#include "rules/rule_writer.h"
#include "text/one_line.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The summary of a change reads only the stretch where the texts differ; it
// must say what the whole texts say.
void CheckSummary(std::string_view before, std::string_view after) {
    if (before == after) {
        const std::vector<tandrel::Finding> none = tandrel::SummarizeRuleChange(before, after);
        Check(none.size() == 1 && none.front().text == IDS_CHANGE_NONE);
        return;
    }
    Check(tandrel::SummarizeRuleChange(before, after) ==
          tandrel::SummarizeRuleFiles(tandrel::ParseRuleFile(before), tandrel::ParseRuleFile(after),
                                      false));
}

void CheckInsertion(std::string_view text, const tandrel::RuleFile& model,
                    const tandrel::RuleInsertion& insertion) {
    // The model keeps no line between blocks, so lines from there that the
    // edit leaves before the first block, where they would read as
    // settings, must be gone as they are from the model.
    const std::string edited = tandrel::InsertRuleIntoText(text, insertion);
    tandrel::RuleFile expected = model;
    tandrel::InsertRuleIntoModel(expected, insertion);
    Check(tandrel::ParseRuleFile(edited) == expected);
    CheckSummary(text, edited);
    if (!tandrel::FitsHostLines(text)) {
        return;  // the host reads the file's own long lines in pieces
    }
    // No line of the file is one the host would split, so the host reads it
    // as the model does, before and after.
    Check(tandrel::FitsHostLines(edited));
    Check(tandrel::ParseRuleFile(tandrel::testing::AsTheHostReadsIt(edited)) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tandrel::RuleFile first = tandrel::ParseRuleFile(text);
    const std::string written = tandrel::FormatRuleFile(first);
    const tandrel::RuleFile second = tandrel::ParseRuleFile(written);
    Check(tandrel::FormatRuleFile(second) == written);
    // Any two texts: the input and the input with its middle third cut out.
    const std::string cut =
        std::string(text.substr(0, size / 3)) + std::string(text.substr(size - size / 3));
    CheckSummary(text, cut);
    CheckSummary(cut, text);
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
    if (tandrel::RuleInsertionFault(insertion) != nullptr ||
        !tandrel::RuleInsertionFits(insertion)) {
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
