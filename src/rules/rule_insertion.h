// What a new rule asks of a rule file: the folder, the condition, where it
// goes and whether the same condition leaves the other folders. The file
// writer (rule_insert.h), the edit of the text and the model road take it.
#pragma once

#include <string>

namespace tandrel {

// Where the new condition goes; the index of the "Add place:" list.
enum PlaceMode : int {
    kPlaceEndOfFolder = 0,  // at the end of each block of the folder, else a new last block
    kPlaceTopOfFolder = 1,  // first in each block of the folder, else a new first block
    kPlaceNewBlockLast = 2,
    kPlaceNewBlockFirst = 3,
};

struct RuleInsertion {
    std::string folder;                  // target folder identifier, ending with "\"
    std::string header;                  // header name without its colon, e.g. "From"
    std::string address;                 // the text the condition looks for
    int place_mode = kPlaceEndOfFolder;  // any other value than 0 to 3 adds nothing
    bool delete_same = false;            // first remove the same condition from every folder
};

}  // namespace tandrel
