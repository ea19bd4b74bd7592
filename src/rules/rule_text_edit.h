// Rule insertion on the text of a rule file: the same change InsertRuleIntoModel
// makes, done as edits of the text, so every line it does not change keeps its
// bytes and a large file is not taken apart and put together again. For a file
// as the writer writes it the result is byte for byte the writer's; any text
// reads back as the model after InsertRuleIntoModel.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rule_insertion.h"

namespace tandrel {

// One change of the text: the bytes [offset, end) replaced by `text`.
struct RuleTextEdit {
    std::size_t offset = 0;
    std::size_t end = 0;
    std::string text;
};

// The changes the insertion makes, in text order. Every line it does not
// change keeps its bytes, also lines the reader leaves out and a file that
// ends inside a block, and a Ctrl-Z the text ends with stays last. Every
// line it adds is in a form the writer writes. One kind of line it takes out
// besides: where blocks that go from the head of the text would leave lines
// from between the blocks before the first ":Begin", a line among them that
// holds "=" goes, since the reader would take it for a setting there.
std::vector<RuleTextEdit> RuleTextEdits(std::string_view text, const RuleInsertion& insertion);

// The edited text as pieces to be written one after another: stretches of
// `text` and the edits' own texts, which must outlive the pieces.
std::vector<std::string_view> EditedPieces(std::string_view text,
                                           const std::vector<RuleTextEdit>& edits);

// The text after the insertion, joined.
std::string InsertRuleIntoText(std::string_view text, const RuleInsertion& insertion);

}  // namespace tandrel
