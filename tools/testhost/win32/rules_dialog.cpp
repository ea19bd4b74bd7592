#include "testhost/win32/rules_dialog.h"

#include <vector>

#include "testhost/win32/host_state.h"

namespace tandrel::testhost {

namespace {

// A dialog template built in memory: a note and the OK and Cancel buttons.
class TemplateWriter {
  public:
    void Word(WORD value) { data_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const char* text) {
        for (; *text != '\0'; ++text) {
            Word(static_cast<WORD>(static_cast<unsigned char>(*text)));
        }
        Word(0);
    }
    void AlignToDword() {
        if (data_.size() % 2 != 0) {
            Word(0);
        }
    }
    void Item(DWORD style, short x, short y, short width, short height, WORD id, WORD class_atom,
              const char* text) {
        AlignToDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (const short value : {x, y, width, height}) {
            Word(static_cast<WORD>(value));
        }
        Word(id);
        Word(0xFFFF);
        Word(class_atom);
        Text(text);
        Word(0);
    }
    const DLGTEMPLATE* Template() const {
        return reinterpret_cast<const DLGTEMPLATE*>(data_.data());
    }

  private:
    std::vector<WORD> data_;
};

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kStaticAtom = 0x0082;

INT_PTR CALLBACK RulesDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
    HostState& host = Host();
    switch (message) {
        case WM_INITDIALOG:
            host.creating_rules_dialog = false;
            host.rules_dialog = dialog;
            SetWindowTextA(dialog, RulesDialogTitle(host.japanese));
            host.model->ReadRulesForDialog();
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                host.model->ConfirmRulesDialog(IsWindowVisible(dialog) != FALSE);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            host.rules_dialog = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

const char* RulesDialogTitle(bool japanese) {
    return japanese ? "\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xD6\x82\xCC\x90\x55\x82\xE8\x95"
                      "\xAA\x82\xAF\x83\x8B\x81\x5B\x83\x8B"
                    : "Sorting Rules for This Folder";
}

void RunRulesDialog(HWND owner) {
    TemplateWriter writer;
    writer.Dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    writer.Dword(0);
    writer.Word(3);  // controls
    for (const WORD value : {WORD{40}, WORD{40}, WORD{220}, WORD{80}}) {
        writer.Word(value);
    }
    writer.Word(0);   // no menu
    writer.Word(0);   // the standard dialog class
    writer.Text("");  // the title comes in WM_INITDIALOG, in the host's code page
    writer.Word(8);
    writer.Text("MS Shell Dlg");
    writer.Item(SS_LEFT, 8, 8, 204, 30, 0xFFFF, kStaticAtom,
                "The sorting rules of this mailbox, as read from its rule files.");
    writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 58, 50, 14, IDOK, kButtonAtom, "OK");
    writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 162, 58, 50, 14, IDCANCEL, kButtonAtom, "Cancel");
    Host().creating_rules_dialog = true;
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), writer.Template(), owner, RulesDialogProc,
                            0);
    Host().creating_rules_dialog = false;
}

}  // namespace tandrel::testhost
