#include "platform/win32/win32_host.h"

#include <commctrl.h>  // after windows.h, which it needs

#include <vector>

namespace tandrel::win32 {

namespace {

std::string Copy(LPCSTR text) {
    return text == nullptr ? std::string() : std::string(text);
}

}  // namespace

std::string Win32Host::Text(HostFunction function) {
    return Copy(host_.api->Get<GetTextFn>(function)());
}

void Win32Host::SendCommand(WPARAM command) {
    SendMessageA(host_.main_window, WM_COMMAND, command, 0);
}

std::string Win32Host::TempFolder() {
    return Text(HostFunction::GetTempFolder);
}
std::string Win32Host::TempFileName(const std::string& prefix) {
    return Copy(host_.api->Get<GetTempFileNameFn>(HostFunction::GetTempFileName)(prefix.c_str()));
}
std::string Win32Host::DataFolder() {
    return Text(HostFunction::GetDataFolder);
}
std::string Win32Host::CurrentMailbox() {
    return Text(HostFunction::GetCurrentMailBox);
}
std::string Win32Host::CurrentFolder() {
    return Text(HostFunction::GetCurrentFolder);
}

void Win32Host::SetCurrentFolder(const std::string& folder_id) {
    host_.api->Get<TakeIdFn>(HostFunction::SetCurrentFolder)(folder_id.c_str());
}

std::string Win32Host::FolderDisplayName(const std::string& folder_id) {
    return Copy(host_.api->Get<GetFolderDisplayNameFn>(HostFunction::GetFolderDisplayName)(
        folder_id.c_str()));
}

void Win32Host::SetCurrentMail(const std::string& message_id) {
    host_.api->Get<TakeIdFn>(HostFunction::SetCurrentMail)(message_id.c_str());
}

std::string Win32Host::Header(const std::string& message_id) {
    return Copy(host_.api->Get<GetHeaderFn>(HostFunction::GetHeader)(message_id.c_str()));
}

std::string Win32Host::SpecifiedHeader(const std::string& name, int size) {
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    host_.api->Get<GetSpecifiedHeaderFn>(HostFunction::GetSpecifiedHeader)(name.c_str(),
                                                                           buffer.data(), size);
    buffer.back() = '\0';
    return std::string(buffer.data());
}

int Win32Host::NextMail(int position, std::string& message_id) {
    std::vector<char> buffer(256, '\0');
    const int next = host_.api->Get<GetNextMailFn>(HostFunction::GetNextMail)(
        position, buffer.data(), static_cast<int>(buffer.size()), FALSE);
    buffer.back() = '\0';
    message_id = buffer.data();
    return next;
}

void Win32Host::AddToSelection(const std::string& message_id) {
    host_.api->Get<SetSelFn>(HostFunction::SetSel)(message_id.c_str(), 1);
}

void Win32Host::RunRulesOnSelection() {
    SendCommand(kRunRulesCommand);
}
void Win32Host::SortByDate() {
    SendCommand(kSortByDateCommand);
}
void Win32Host::RequestRuleReload() {
    if (host_.request_rule_reload) {
        host_.request_rule_reload();
    }
}

void Win32Host::CreateSubfolder(const std::string& parent_id, const std::string& name) {
    // Drive the host's folder tree as a user would: activate it, make the
    // parent current, add a folder, and end its label editing with the name.
    SendMessageA(host_.folder_tree, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(host_.main_window),
                 kFolderTreeActivation);
    SetCurrentFolder(parent_id);
    SendCommand(kNewFolderCommand);
    SendMessageA(host_.folder_tree, TVM_ENDEDITLABELNOW, 0, 0);
    const auto caret = reinterpret_cast<HTREEITEM>(
        SendMessageA(host_.folder_tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = caret;
    SendMessageA(host_.folder_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));

    std::vector<char> text(name.begin(), name.end());
    text.push_back('\0');
    NMTVDISPINFOA info = {};
    info.hdr.hwndFrom = host_.folder_tree;
    info.hdr.idFrom = 0;
    info.hdr.code = TVN_ENDLABELEDITA;
    info.item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_TEXT;
    info.item.hItem = caret;
    info.item.pszText = text.data();
    info.item.cchTextMax = static_cast<int>(name.size());
    info.item.lParam = item.lParam;
    SendMessageA(host_.main_window, WM_NOTIFY, reinterpret_cast<WPARAM>(host_.folder_tree),
                 reinterpret_cast<LPARAM>(&info));
}

}  // namespace tandrel::win32
