// The test host's main window: the folder tree (a real tree view with label
// editing), the message list and the message view; the host commands the
// plug-in sends; and the messages the scenario driver sends it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tandrel::testhost {

// Messages of the scenario driver to the main window.
constexpr UINT kRunOnUiThread = WM_APP + 1;  // lParam: a heap std::function, run and freed
constexpr UINT kSyncRequest = WM_APP + 2;    // wParam: a number the driver waits for
constexpr UINT kDriverDone = WM_APP + 3;     // the scenario is over: quit

// Makes the main window and its three panes, filled from the host model.
bool CreateHostWindows(HINSTANCE instance);

// What the host functions that change the view do.
void ShowFolder(const std::string& folder_id);
void ShowMail(const std::string& message_id);
void SelectMail(const std::string& message_id);

// Called for each kSyncRequest on the user-interface thread; true when it
// has answered the request. A request it cannot answer yet is asked again a
// little later, from a timer, so that the message queue can run dry and a
// dialog waiting for its first idle moment gets shown.
using SyncHandler = std::function<bool(WPARAM number)>;
void SetSyncHandler(SyncHandler handler);

}  // namespace tandrel::testhost
