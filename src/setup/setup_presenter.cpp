#include "setup/setup_presenter.h"

#include <array>
#include <vector>

#include "resources/resource.h"
#include "resources/string_table.h"
#include "settings/header_lists.h"
#include "text/format_text.h"

namespace tandrel {

namespace {

// One column of header names: the list and its buttons and edit.
struct HeaderColumn {
    int list, up, down, remove, edit, add;
};

constexpr std::array<HeaderColumn, 2> kColumns = {{
    {IDC_SETUP_IN_LIST, IDC_SETUP_IN_UP, IDC_SETUP_IN_DOWN, IDC_SETUP_IN_DELETE, IDC_SETUP_IN_NEW,
     IDC_SETUP_IN_ADD},
    {IDC_SETUP_OUT_LIST, IDC_SETUP_OUT_UP, IDC_SETUP_OUT_DOWN, IDC_SETUP_OUT_DELETE,
     IDC_SETUP_OUT_NEW, IDC_SETUP_OUT_ADD},
}};

constexpr std::array<int, 5> kRuleOptions = {IDC_SETUP_ADD_PLACE_LABEL, IDC_SETUP_ADD_PLACE,
                                             IDC_SETUP_CREATE_SUB_DIR, IDC_SETUP_DELETE_SAME,
                                             IDC_SETUP_EXEC_FILTER};
constexpr std::array<int, 4> kRunOptions = {IDC_SETUP_SORT_BY_DATE, IDC_SETUP_FILTER_CURRENT,
                                            IDC_SETUP_FILTER_SENT, IDC_SETUP_FILTER_INBOX};

// The check boxes in the order they are saved, with their settings.
struct CheckSetting {
    int id;
    bool Settings::*field;
};
constexpr std::array<CheckSetting, 14> kChecks = {{
    {IDC_SETUP_ADD_IN_FILTER, &Settings::add_in_filter},
    {IDC_SETUP_ADD_OUT_FILTER, &Settings::add_out_filter},
    {IDC_SETUP_CREATE_SUB_DIR, &Settings::create_sub_dir},
    {IDC_SETUP_DELETE_SAME, &Settings::delete_same_cond},
    {IDC_SETUP_EXEC_FILTER, &Settings::exec_filter},
    {IDC_SETUP_SORT_BY_DATE, &Settings::sort_by_date},
    {IDC_SETUP_FILTER_CURRENT, &Settings::filter_current},
    {IDC_SETUP_FILTER_SENT, &Settings::filter_sent},
    {IDC_SETUP_FILTER_INBOX, &Settings::filter_inbox},
    {IDC_SETUP_ADD_ADR_BOOK, &Settings::add_adr_book},
    {IDC_SETUP_DROP_SHIFT, &Settings::drop_shift},
    {IDC_SETUP_DROP_CTRL, &Settings::drop_ctrl},
    {IDC_SETUP_DROP_ALT, &Settings::drop_alt},
    {IDC_SETUP_COUNT_MATCHES, &Settings::count_matches},
}};

template <std::size_t N>
void EnableAll(Dialog& dialog, const std::array<int, N>& ids, bool enabled) {
    for (const int id : ids) {
        dialog.Enable(id, enabled);
    }
}

void MoveEntry(Dialog& dialog, const HeaderColumn& column, int step) {
    const int from = dialog.Selection(column.list);
    const int to = from + step;
    if (from < 0 || to < 0 || to >= dialog.ItemCount(column.list)) {
        return;
    }
    const std::string entry = dialog.ItemText(column.list, from);
    dialog.RemoveItem(column.list, from);
    dialog.InsertItem(column.list, to, entry);
    dialog.Select(column.list, to);
    const bool at_top = to == 0;
    const bool at_bottom = to == dialog.ItemCount(column.list) - 1;
    if (step < 0) {
        if (at_top) {
            dialog.Enable(column.up, false);
        }
        dialog.Enable(column.down, true);
    } else {
        if (at_bottom) {
            dialog.Enable(column.down, false);
        }
        dialog.Enable(column.up, true);
    }
}

// Handles a command of one header column; false when it is not one of its.
bool OnColumnCommand(Dialog& dialog, const HeaderColumn& column, int id, int notification) {
    if (id == column.list && notification == kNotifySelChange) {
        const int selected = dialog.Selection(column.list);
        dialog.Enable(column.up, selected > 0);
        dialog.Enable(column.down, selected >= 0 && selected < dialog.ItemCount(column.list) - 1);
        dialog.Enable(column.remove, selected >= 0);
    } else if (id == column.edit && notification == kNotifyEditBoxUpdate) {
        dialog.Enable(column.add, !dialog.Text(column.edit).empty());
    } else if (id == column.up && notification == kNotifyClicked) {
        MoveEntry(dialog, column, -1);
    } else if (id == column.down && notification == kNotifyClicked) {
        MoveEntry(dialog, column, 1);
    } else if (id == column.remove && notification == kNotifyClicked) {
        const int selected = dialog.Selection(column.list);
        if (selected >= 0) {
            dialog.RemoveItem(column.list, selected);
        }
        for (const int button : {column.up, column.down, column.remove}) {
            dialog.Enable(button, false);
        }
    } else if (id == column.add && notification == kNotifyClicked) {
        dialog.AddItem(column.list, dialog.Text(column.edit));
        const int count = dialog.ItemCount(column.list);
        dialog.Select(column.list, count - 1);
        dialog.Enable(column.up, count > 1);
        dialog.Enable(column.down, false);
        dialog.Enable(column.remove, true);
    } else {
        return false;
    }
    return true;
}

std::vector<std::string> Entries(Dialog& dialog, int list) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(dialog.ItemCount(list)));
    for (int i = 0; i < dialog.ItemCount(list); ++i) {
        entries.push_back(dialog.ItemText(list, i));
    }
    return entries;
}

}  // namespace

void SetupPresenter::Init() {
    const Settings& settings = context_.settings;
    const PluginInfo& info = context_.info;
    dialog_.SetText(IDC_SETUP_INFO, FormatText(context_.strings.Load(IDS_PLUGIN_INFO),
                                               {info.name, info.version, info.copyright}));
    dialog_.AddItems(IDC_SETUP_IN_LIST, HeaderListNames(settings.in_headers));
    dialog_.AddItems(IDC_SETUP_OUT_LIST, HeaderListNames(settings.out_headers));
    for (const int id : {IDS_PLACE_END_OF_FOLDER, IDS_PLACE_TOP_OF_FOLDER, IDS_PLACE_NEW_BLOCK_LAST,
                         IDS_PLACE_NEW_BLOCK_FIRST}) {
        dialog_.AddItem(IDC_SETUP_ADD_PLACE, context_.strings.Load(id));
    }
    dialog_.Select(IDC_SETUP_ADD_PLACE, settings.add_place);
    for (const CheckSetting& check : kChecks) {
        dialog_.SetChecked(check.id, settings.*check.field);
    }
    if (settings.add_in_filter || settings.add_out_filter) {
        EnableAll(dialog_, kRuleOptions, true);
    }
    // The run options follow ExecFilter alone here.
    if (settings.exec_filter) {
        EnableAll(dialog_, kRunOptions, true);
    }
}

void SetupPresenter::ApplyRuleBoxRules() {
    const bool rules =
        dialog_.IsChecked(IDC_SETUP_ADD_IN_FILTER) || dialog_.IsChecked(IDC_SETUP_ADD_OUT_FILTER);
    EnableAll(dialog_, kRuleOptions, rules);
    EnableAll(dialog_, kRunOptions, rules && dialog_.IsChecked(IDC_SETUP_EXEC_FILTER));
}

bool SetupPresenter::OnCommand(int id, int notification) {
    if (id == kIdOk) {
        SaveSetupDialog();
        dialog_.End(kIdOk);
        return true;
    }
    if (id == kIdCancel) {
        dialog_.End(kIdCancel);
        return true;
    }
    for (const HeaderColumn& column : kColumns) {
        if (OnColumnCommand(dialog_, column, id, notification)) {
            return false;
        }
    }
    if (notification != kNotifyClicked) {
        return false;
    }
    if (id == IDC_SETUP_ADD_IN_FILTER || id == IDC_SETUP_ADD_OUT_FILTER) {
        ApplyRuleBoxRules();
    } else if (id == IDC_SETUP_EXEC_FILTER) {
        EnableAll(dialog_, kRunOptions, dialog_.IsChecked(IDC_SETUP_EXEC_FILTER));
    } else if (id == IDC_SETUP_RULE_HISTORY) {
        dialog_.RunNestedDialog(IDD_RULE_HISTORY, nullptr);
    } else if (id == IDC_SETUP_CHECK) {
        dialog_.RunNestedDialog(IDD_CHECK, nullptr);
    }
    return false;
}

void SetupPresenter::SaveSetupDialog() {
    Settings& settings = context_.settings;
    settings.in_headers = JoinHeaderList(Entries(dialog_, IDC_SETUP_IN_LIST));
    settings.out_headers = JoinHeaderList(Entries(dialog_, IDC_SETUP_OUT_LIST));
    settings.add_place = dialog_.Selection(IDC_SETUP_ADD_PLACE);
    for (const CheckSetting& check : kChecks) {
        settings.*check.field = dialog_.IsChecked(check.id);
    }
    if (!SaveSettings(context_.profile, context_.settings_path, settings)) {
        dialog_.ShowMessage(
            FormatText(context_.strings.Load(IDS_SETTINGS_NOT_WRITTEN), {context_.settings_path}),
            kMessageOk | kMessageError, MessageOwner::Dialog);
    }
}

}  // namespace tandrel
