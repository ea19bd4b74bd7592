// The host mail client's interface, as this project defines it once: the 54
// functions the host exports (BKA_*) and the callbacks the library exports
// (BKC_*), all with the platform's standard calling convention. The test host
// exports the same names from this list.
#pragma once

#include <windows.h>

// Every host function, in the order of the host API table.
// clang-format off
#define TANDREL_HOST_FUNCTIONS(X) \
    X(GetVersion) \
    X(Command) \
    X(GetWindowHandles) \
    X(RegisterCommand) \
    X(RegisterUICallback) \
    X(GetDataFolder) \
    X(GetTempFolder) \
    X(GetTempFileName) \
    X(GetCurrentMailBox) \
    X(SetCurrentMailBox) \
    X(GetCurrentFolder) \
    X(SetCurrentFolder) \
    X(GetFolderDisplayName) \
    X(SetMessageText) \
    X(GetCurrentMail) \
    X(SetCurrentMail) \
    X(GetNextMail) \
    X(SetSel) \
    X(AppendMessage) \
    X(MoveSelectedMessages) \
    X(GetStatus) \
    X(ComposeMail) \
    X(GetCharSet) \
    X(GetSource) \
    X(SetSource) \
    X(GetHeader) \
    X(GetText) \
    X(SetText) \
    X(GetSpecifiedHeader) \
    X(SetSpecifiedHeader) \
    X(CompGetCharSet) \
    X(CompGetSource) \
    X(CompSetSource) \
    X(CompGetHeader) \
    X(CompGetSpecifiedHeader) \
    X(CompSetSpecifiedHeader) \
    X(CompGetText) \
    X(CompSetText) \
    X(CompAttachFile) \
    X(Alloc) \
    X(ReAlloc) \
    X(Free) \
    X(ISO_2022_JP) \
    X(ISO_2022_KR) \
    X(HZ_GB2312) \
    X(ISO_8859_2) \
    X(EUC_JP) \
    X(UTF_7) \
    X(UTF_8) \
    X(B64Convert) \
    X(QPConvert) \
    X(MIMEHeader) \
    X(SerializeRcpts) \
    X(Connect)
// clang-format on

namespace tandrel::win32 {

// The handler of a registered command: runs when the command reaches the
// host main window; its result is the handler's.
using CommandHandler = LRESULT(WINAPI*)(HWND window, LPARAM value);

// Signatures of the host functions the library calls.
using GetWindowHandlesFn = BOOL(WINAPI*)(HWND* main, HWND* tree, HWND* list, HWND* view);
using RegisterCommandFn = int(WINAPI*)(LPCSTR name, int type, CommandHandler handler);
using GetTextFn = LPCSTR(WINAPI*)();
using GetTempFileNameFn = LPCSTR(WINAPI*)(LPCSTR prefix);
using TakeIdFn = BOOL(WINAPI*)(LPCSTR id);
using GetFolderDisplayNameFn = LPCSTR(WINAPI*)(LPCSTR folder_id);
using GetHeaderFn = LPCSTR(WINAPI*)(LPCSTR message_id);
using GetSpecifiedHeaderFn = int(WINAPI*)(LPCSTR name, LPSTR buffer, int size);
using GetNextMailFn = int(WINAPI*)(int position, LPSTR buffer, int size, BOOL reserved);
using SetSelFn = int(WINAPI*)(LPCSTR message_id, int selected);

enum class HostFunction {
#define TANDREL_HOST_ENUM(name) name,
    TANDREL_HOST_FUNCTIONS(TANDREL_HOST_ENUM)
#undef TANDREL_HOST_ENUM
        Count
};

constexpr int kHostFunctionCount = static_cast<int>(HostFunction::Count);

// The host API table: every function's address, then the host module.
struct HostApi {
    FARPROC functions[kHostFunctionCount] = {};
    HMODULE module = nullptr;

    template <typename Fn>
    Fn Get(HostFunction function) const {
        // Through void*: the table holds every function as a generic address.
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(functions[static_cast<int>(function)]));
    }
};

// The host's commands, sent to its main window as WM_COMMAND.
constexpr WORD kOpenRulesCommand = 32924;   // the rules dialog, which reads both rule files
constexpr WORD kNewFolderCommand = 32804;   // a new folder below the current one, label open
constexpr WORD kRunRulesCommand = 32942;    // the rules in use over the selected messages
constexpr WORD kSortByDateCommand = 32776;  // the current folder sorted by date

// The WM_MOUSEACTIVATE value that makes the host take its folder tree for the
// active pane before a new folder is made there: hit-test code HTBORDER in
// the low word, WM_MBUTTONDOWN in the high word.
constexpr LPARAM kFolderTreeActivation = MAKELPARAM(HTBORDER, WM_MBUTTONDOWN);

// BKC_OnPlugInInfo fills a record of four fields of 80 bytes each (name,
// vendor, version, description), each ended by a NUL within its field.
constexpr int kInfoFieldSize = 80;
constexpr int kInfoFieldCount = 4;
constexpr int kInfoRecordSize = kInfoFieldSize * kInfoFieldCount;

// The names as exported, "BKA_" and the name.
const char* HostFunctionName(int index);

// Binds every function from the process's executable. False (and the module
// cleared) at the first missing name; true at once when bound already.
bool BindHostApi(HostApi& api);

}  // namespace tandrel::win32

static_assert(tandrel::win32::kHostFunctionCount == 54, "the host exports 54 functions");
