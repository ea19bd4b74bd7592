#include "settings/drop_gating.h"

namespace tandrel {

bool IsDropTaken(const Settings& settings, std::string_view source, int effect,
                 const KeyHeld& key_held) {
    if (source.find('?') == std::string_view::npos) {
        return false;
    }
    // With Alt, Ctrl and Shift are the keys; without it the effect tells Ctrl
    // (copy) from no Ctrl (move), and only Shift is a held key.
    const int wanted_effect = settings.drop_alt    ? kDropLink
                              : settings.drop_ctrl ? kDropCopy
                                                   : kDropMove;
    if (effect != wanted_effect) {
        return false;
    }
    if (settings.drop_alt && settings.drop_ctrl && !key_held(DropKey::Ctrl)) {
        return false;
    }
    return !settings.drop_shift || key_held(DropKey::Shift);
}

bool DropOpensRuleEntry(std::string_view target, LeadBytePredicate is_lead_byte) {
    const auto slash = FindCharacter(target, '\\', is_lead_byte);
    return slash != std::string_view::npos && slash + 1 < target.size();
}

DropDecision DecideDrop(const Settings& settings, const Drop& drop, int effect,
                        const KeyHeld& key_held, LeadBytePredicate is_lead_byte) {
    if (!IsDropTaken(settings, drop.source, effect, key_held)) {
        return DropDecision::Declined;
    }
    return DropOpensRuleEntry(drop.target, is_lead_byte) ? DropDecision::OpensRuleEntry
                                                         : DropDecision::Taken;
}

}  // namespace tandrel
