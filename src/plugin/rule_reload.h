// Making the host take rewritten rule files into use: its rules dialog is
// opened, hidden the moment it is activated, and confirmed.
#pragma once

#include "plugin/plugin_state.h"

namespace tandrel::win32 {

// At BKC_OnStart: the CBT hook on the host's user-interface thread and the
// registered close-rules command.
void StartRuleReload(PluginState& state);
// At BKC_OnExit: the hook goes.
void StopRuleReload(PluginState& state);
// Arms the hook and sends the host's open-rules command; returns when the
// host has handled it.
void RequestRuleReloadFromHost(PluginState& state);

// The rules dialog's title the hook looks for.
const char* RulesDialogTitle(bool japanese_host);

}  // namespace tandrel::win32
