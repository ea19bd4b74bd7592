// The host's own "Sorting Rules for This Folder" dialog (command 32924): it
// reads both rule files of the current mailbox when it opens and puts them
// in use when confirmed, logging whether it was visible then.
#pragma once

#include <windows.h>

namespace tandrel::testhost {

// Its title: English, or the Shift-JIS title of the Japanese host.
const char* RulesDialogTitle(bool japanese);

// Runs it modally over `owner`.
void RunRulesDialog(HWND owner);

}  // namespace tandrel::testhost
