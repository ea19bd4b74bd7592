#include "plugin/plugin_state.h"

#include <vector>

#include "platform/win32/system_code_page.h"
#include "platform/win32/win32_profile.h"
#include "resources/resource.h"
#include "resources/string_table.h"

namespace tandrel::win32 {

namespace {

// A string of a file's version resource under `query`, or nullopt.
std::optional<std::string> VersionString(const std::vector<char>& block, const std::string& query) {
    if (block.empty()) {
        return std::nullopt;
    }
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr) {
        return std::nullopt;
    }
    return std::string(value, length > 0 && value[length - 1] == '\0' ? length - 1 : length);
}

std::vector<char> VersionBlock(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
        block.clear();
    }
    return block;
}

std::string ModuleFileName(HMODULE module) {
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(module, &name[0], static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

}  // namespace

PluginState& State() {
    static PluginState state;
    return state;
}

void EnsureStartedUp() {
    PluginState& state = State();
    if (state.started_up) {
        return;
    }
    state.started_up = true;
    state.module_path = ModuleFileName(state.instance);
    state.settings_path = SettingsFilePath(state.module_path, IsSystemLeadByte);
    Win32Profile profile;
    state.settings = LoadSettings(profile, state.settings_path);

    const std::vector<char> host_block = VersionBlock(ModuleFileName(nullptr));
    state.japanese_host =
        VersionString(host_block, "\\StringFileInfo\\041104B0\\ProductVersion").has_value();

    const std::vector<char> own_block = VersionBlock(state.module_path);
    state.info = ReadPluginInfo([&](const std::string& key) {
        return VersionString(own_block, std::string(TEXT_VERSION_PREFIX) + key);
    });

    state.group_images = ImageList_Create(16, 16, ILC_COLOR4 | ILC_MASK, 2, 2);
    for (const int bitmap_id : {IDB_BOOK, IDB_GROUP}) {
        HBITMAP bitmap = LoadBitmapA(state.instance, MAKEINTRESOURCEA(bitmap_id));
        ImageList_AddMasked(state.group_images, bitmap, RGB(128, 0, 0));
        DeleteObject(bitmap);
    }
}

}  // namespace tandrel::win32
