// Faults the test host can put into the plug-in, through its imports, to
// show that its checks catch them: a rules dialog the reload does not
// recognise (so it stays open and visible), a reload never asked for, a label
// edit not ended before the plug-in's own end-of-editing notification, a
// folder tree never activated.
#pragma once

#include <windows.h>

#include <string>

namespace tandrel::testhost {

// "rules-unrecognised", "no-reload", "tree-sequence" or "no-tree-activation";
// false for any other name or when the plug-in lacks the import.
bool InjectFault(HMODULE plugin, const std::string& fault);

}  // namespace tandrel::testhost
