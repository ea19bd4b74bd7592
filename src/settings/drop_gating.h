// Which drops open the Rule entry dialog: the drop effect and the held keys
// that the settings DropAlt, DropCtrl and DropShift ask for.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "settings/settings.h"
#include "text/characters.h"

namespace tandrel {

// Drop effects of the platform's drag and drop.
constexpr int kDropCopy = 1;
constexpr int kDropMove = 2;
constexpr int kDropLink = 4;

enum class DropKey { Ctrl, Shift };

// Whether a key is held now; asked only for the keys the settings name.
using KeyHeld = std::function<bool(DropKey)>;

// True when the drop is taken: the source names a message (holds "?"), the
// effect is the one the settings ask for and every key they name is held.
// Alt is never read: it works through the link effect.
bool IsDropTaken(const Settings& settings, std::string_view source, int effect,
                 const KeyHeld& key_held);

// Whether a taken drop opens the Rule entry dialog: not on a mailbox itself,
// whose only "\" ends the target.
bool DropOpensRuleEntry(std::string_view target, LeadBytePredicate is_lead_byte);

// A drop, as the Rule entry dialog is given it.
struct Drop {
    std::string target;  // folder identifier of the folder dropped on
    std::string source;  // identifier of the dropped message
};

enum class DropDecision {
    Declined,        // the drop is left to the host
    Taken,           // taken, but on a mailbox: no dialog opens
    OpensRuleEntry,  // taken, and the Rule entry dialog opens for it
};

// What becomes of a drop, for the plug-in's export and the native runner
// alike: IsDropTaken, then DropOpensRuleEntry.
DropDecision DecideDrop(const Settings& settings, const Drop& drop, int effect,
                        const KeyHeld& key_held, LeadBytePredicate is_lead_byte);

}  // namespace tandrel
