#include "helpers/random_rule_files.h"

#include <vector>

namespace tandrel::testing {

std::string RuleTextMaker::Make() {
    static const std::vector<std::string> kPieces = {":Begin \"a\"",
                                                     ":End \"a\"",
                                                     "!M:Main\\",
                                                     "?Q:",
                                                     "@0:From:x\tO\tI",
                                                     "@1:To:y\tX\t",
                                                     "@2:To\tO\t",
                                                     "K=12",
                                                     "K=-3",
                                                     "junk",
                                                     "",
                                                     "\r",
                                                     "\t",
                                                     "=",
                                                     ":",
                                                     "\"",
                                                     "@",
                                                     "0x1A=9"};
    std::string text;
    for (int n = std::uniform_int_distribution<int>(0, 12)(random_); n > 0; --n) {
        text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(random_)];
        text += std::uniform_int_distribution<int>(0, 3)(random_) == 0 ? "\n" : "\r\n";
    }
    return text;
}

}  // namespace tandrel::testing
