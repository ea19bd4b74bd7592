// The 54 host functions the plug-in binds, exported undecorated. Those the
// plug-in calls answer from the host model with the signatures of the host
// interface header; the others are there to be bound and return 0.
#include <windows.h>

#include <type_traits>

#include "testhost/win32/host_state.h"
#include "testhost/win32/host_window.h"
#include "testhost/win32/host_work.h"

using namespace tandrel::win32;
using tandrel::testhost::Host;
using tandrel::testhost::HostState;
using tandrel::testhost::HostWorkScope;
using tandrel::testhost::kFirstRegisteredCommand;

#define TANDREL_EXPORT extern "C" __declspec(dllexport)

namespace {

LPCSTR Keep(std::string& slot, std::string text) {
    slot = std::move(text);
    return slot.c_str();
}

// Copies `text` into a caller buffer of `size` bytes, cut to fit.
void CopyOut(const std::string& text, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return;
    }
    const std::size_t length = text.size() < static_cast<std::size_t>(size)
                                   ? text.size()
                                   : static_cast<std::size_t>(size) - 1;
    text.copy(buffer, length);
    buffer[length] = '\0';
}

}  // namespace

TANDREL_EXPORT BOOL WINAPI BKA_GetWindowHandles(HWND* main, HWND* tree, HWND* list, HWND* view) {
    const HostWorkScope work;
    HostState& host = Host();
    *main = host.main_window;
    *tree = host.folder_tree;
    *list = host.message_list;
    *view = host.message_view;
    return TRUE;
}

TANDREL_EXPORT int WINAPI BKA_RegisterCommand(LPCSTR name, int /*type*/, CommandHandler handler) {
    const HostWorkScope work;
    HostState& host = Host();
    host.commands.push_back({name != nullptr ? name : "", handler});
    return kFirstRegisteredCommand + static_cast<int>(host.commands.size()) - 1;
}

TANDREL_EXPORT LPCSTR WINAPI BKA_GetDataFolder() {
    const HostWorkScope work;
    return Keep(Host().returned_data_folder, Host().model->data_folder());
}

TANDREL_EXPORT LPCSTR WINAPI BKA_GetTempFolder() {
    const HostWorkScope work;
    return Keep(Host().returned_temp_folder, Host().model->TempFolder());
}

TANDREL_EXPORT LPCSTR WINAPI BKA_GetTempFileName(LPCSTR prefix) {
    const HostWorkScope work;
    return Keep(Host().returned_temp_name,
                Host().model->TempFileName(prefix != nullptr ? prefix : ""));
}

TANDREL_EXPORT LPCSTR WINAPI BKA_GetCurrentMailBox() {
    const HostWorkScope work;
    return Keep(Host().returned_mailbox, Host().model->mailbox());
}

TANDREL_EXPORT LPCSTR WINAPI BKA_GetCurrentFolder() {
    const HostWorkScope work;
    return Keep(Host().returned_folder, Host().model->folder());
}

TANDREL_EXPORT BOOL WINAPI BKA_SetCurrentFolder(LPCSTR folder_id) {
    const HostWorkScope work;
    tandrel::testhost::ShowFolder(folder_id != nullptr ? folder_id : "");
    return TRUE;
}

TANDREL_EXPORT LPCSTR WINAPI BKA_GetFolderDisplayName(LPCSTR folder_id) {
    const HostWorkScope work;
    return Keep(Host().returned_display_name,
                Host().model->FolderDisplayName(folder_id != nullptr ? folder_id : ""));
}

TANDREL_EXPORT BOOL WINAPI BKA_SetCurrentMail(LPCSTR message_id) {
    const HostWorkScope work;
    tandrel::testhost::ShowMail(message_id != nullptr ? message_id : "");
    return TRUE;
}

TANDREL_EXPORT LPCSTR WINAPI BKA_GetHeader(LPCSTR message_id) {
    const HostWorkScope work;
    return Keep(Host().returned_header,
                Host().model->Header(message_id != nullptr ? message_id : ""));
}

TANDREL_EXPORT int WINAPI BKA_GetSpecifiedHeader(LPCSTR name, LPSTR buffer, int size) {
    const HostWorkScope work;
    const std::string value = Host().model->SpecifiedHeader(name != nullptr ? name : "", size);
    CopyOut(value, buffer, size);
    return static_cast<int>(value.size());
}

TANDREL_EXPORT int WINAPI BKA_GetNextMail(int position, LPSTR buffer, int size, BOOL /*reserved*/) {
    const HostWorkScope work;
    std::string message_id;
    const int next = Host().model->PluginNextMail(position, message_id);
    CopyOut(next < 0 ? std::string() : message_id, buffer, size);
    return next;
}

TANDREL_EXPORT int WINAPI BKA_SetSel(LPCSTR message_id, int selected) {
    const HostWorkScope work;
    if (message_id != nullptr && selected != 0) {
        tandrel::testhost::SelectMail(message_id);
    }
    return 0;
}

// The functions the plug-in must find but never calls.
#define TANDREL_UNUSED_HOST_FUNCTION(name)   \
    TANDREL_EXPORT int WINAPI BKA_##name() { \
        return 0;                            \
    }
TANDREL_UNUSED_HOST_FUNCTION(GetVersion)
TANDREL_UNUSED_HOST_FUNCTION(Command)
TANDREL_UNUSED_HOST_FUNCTION(RegisterUICallback)
TANDREL_UNUSED_HOST_FUNCTION(SetCurrentMailBox)
TANDREL_UNUSED_HOST_FUNCTION(SetMessageText)
TANDREL_UNUSED_HOST_FUNCTION(GetCurrentMail)
TANDREL_UNUSED_HOST_FUNCTION(AppendMessage)
TANDREL_UNUSED_HOST_FUNCTION(MoveSelectedMessages)
TANDREL_UNUSED_HOST_FUNCTION(GetStatus)
TANDREL_UNUSED_HOST_FUNCTION(ComposeMail)
TANDREL_UNUSED_HOST_FUNCTION(GetCharSet)
TANDREL_UNUSED_HOST_FUNCTION(GetSource)
TANDREL_UNUSED_HOST_FUNCTION(SetSource)
TANDREL_UNUSED_HOST_FUNCTION(GetText)
TANDREL_UNUSED_HOST_FUNCTION(SetText)
TANDREL_UNUSED_HOST_FUNCTION(SetSpecifiedHeader)
TANDREL_UNUSED_HOST_FUNCTION(CompGetCharSet)
TANDREL_UNUSED_HOST_FUNCTION(CompGetSource)
TANDREL_UNUSED_HOST_FUNCTION(CompSetSource)
TANDREL_UNUSED_HOST_FUNCTION(CompGetHeader)
TANDREL_UNUSED_HOST_FUNCTION(CompGetSpecifiedHeader)
TANDREL_UNUSED_HOST_FUNCTION(CompSetSpecifiedHeader)
TANDREL_UNUSED_HOST_FUNCTION(CompGetText)
TANDREL_UNUSED_HOST_FUNCTION(CompSetText)
TANDREL_UNUSED_HOST_FUNCTION(CompAttachFile)
TANDREL_UNUSED_HOST_FUNCTION(Alloc)
TANDREL_UNUSED_HOST_FUNCTION(ReAlloc)
TANDREL_UNUSED_HOST_FUNCTION(Free)
TANDREL_UNUSED_HOST_FUNCTION(ISO_2022_JP)
TANDREL_UNUSED_HOST_FUNCTION(ISO_2022_KR)
TANDREL_UNUSED_HOST_FUNCTION(HZ_GB2312)
TANDREL_UNUSED_HOST_FUNCTION(ISO_8859_2)
TANDREL_UNUSED_HOST_FUNCTION(EUC_JP)
TANDREL_UNUSED_HOST_FUNCTION(UTF_7)
TANDREL_UNUSED_HOST_FUNCTION(UTF_8)
TANDREL_UNUSED_HOST_FUNCTION(B64Convert)
TANDREL_UNUSED_HOST_FUNCTION(QPConvert)
TANDREL_UNUSED_HOST_FUNCTION(MIMEHeader)
TANDREL_UNUSED_HOST_FUNCTION(SerializeRcpts)
TANDREL_UNUSED_HOST_FUNCTION(Connect)
#undef TANDREL_UNUSED_HOST_FUNCTION

// The functions the plug-in calls have exactly the types it calls them with.
static_assert(std::is_same_v<decltype(&BKA_GetWindowHandles), GetWindowHandlesFn>);
static_assert(std::is_same_v<decltype(&BKA_RegisterCommand), RegisterCommandFn>);
static_assert(std::is_same_v<decltype(&BKA_GetDataFolder), GetTextFn>);
static_assert(std::is_same_v<decltype(&BKA_GetTempFolder), GetTextFn>);
static_assert(std::is_same_v<decltype(&BKA_GetCurrentMailBox), GetTextFn>);
static_assert(std::is_same_v<decltype(&BKA_GetCurrentFolder), GetTextFn>);
static_assert(std::is_same_v<decltype(&BKA_GetTempFileName), GetTempFileNameFn>);
static_assert(std::is_same_v<decltype(&BKA_SetCurrentFolder), TakeIdFn>);
static_assert(std::is_same_v<decltype(&BKA_SetCurrentMail), TakeIdFn>);
static_assert(std::is_same_v<decltype(&BKA_GetFolderDisplayName), GetFolderDisplayNameFn>);
static_assert(std::is_same_v<decltype(&BKA_GetHeader), GetHeaderFn>);
static_assert(std::is_same_v<decltype(&BKA_GetSpecifiedHeader), GetSpecifiedHeaderFn>);
static_assert(std::is_same_v<decltype(&BKA_GetNextMail), GetNextMailFn>);
static_assert(std::is_same_v<decltype(&BKA_SetSel), SetSelFn>);
