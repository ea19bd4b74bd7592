// The in-memory model of a sorting-rule file ("iFilter.Def" for received
// mail, "oFilter.Def" for sent mail), in file order.
#pragma once

#include <cstdint>
#include <list>
#include <string>

namespace tandrel {

// A line before the first block: key "=" decimal integer.
struct FileSetting {
    std::string key;
    std::int32_t value = 0;
};

// "@number:header:value<TAB>mark<TAB>flags": the header contains the value.
struct RuleCondition {
    std::int32_t number = 0;
    std::string header;
    std::string value;
    bool mark = true;  // written "O" when true, "X" when false
    bool flag_i = false;
    bool flag_w = false;
    bool flag_t = false;
    bool flag_r = false;
};

// ":Begin", an action line "!kind:argument", conditions, ":End". A kind 'M'
// block sorts mail into the folder named by its argument.
struct RuleBlock {
    std::string label;
    char kind = 'M';
    std::string argument;
    std::list<RuleCondition> conditions;
};

struct RuleFile {
    std::list<FileSetting> settings;
    std::list<RuleBlock> blocks;
};

constexpr char kMoveKind = 'M';
constexpr const char* kReceivingRuleFileName = "iFilter.Def";
constexpr const char* kSendingRuleFileName = "oFilter.Def";

// Data folder + mailbox identifier + file name; both texts end with "\".
std::string RuleFilePath(const std::string& data_folder, const std::string& mailbox_id,
                         bool receiving);

bool operator==(const FileSetting& a, const FileSetting& b);
bool operator==(const RuleCondition& a, const RuleCondition& b);
bool operator==(const RuleBlock& a, const RuleBlock& b);
bool operator==(const RuleFile& a, const RuleFile& b);

}  // namespace tandrel
