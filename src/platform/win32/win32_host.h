// The Host port over the host's exported functions and its main window.
#pragma once

#include "platform/host.h"
#include "platform/strings.h"
#include "platform/win32/plugin_state.h"

namespace tandrel::win32 {

class Win32Host final : public Host {
  public:
    explicit Win32Host(PluginState& state) : state_(state) {}

    std::string TempFolder() override;
    std::string TempFileName(const std::string& prefix) override;
    std::string DataFolder() override;
    std::string CurrentMailbox() override;
    std::string CurrentFolder() override;
    void SetCurrentFolder(const std::string& folder_id) override;
    std::string FolderDisplayName(const std::string& folder_id) override;
    void SetCurrentMail(const std::string& message_id) override;
    std::string Header(const std::string& message_id) override;
    std::string SpecifiedHeader(const std::string& name, int size) override;
    int NextMail(int position, std::string& message_id) override;
    void AddToSelection(const std::string& message_id) override;
    void RunRulesOnSelection() override;
    void SortByDate() override;
    void RequestRuleReload() override;
    void CreateSubfolder(const std::string& parent_id, const std::string& name) override;

  private:
    std::string Text(HostFunction function);
    void SendCommand(WPARAM command);

    PluginState& state_;
};

// The string table of the library.
class Win32Strings final : public Strings {
  public:
    std::string Load(int id) override;
};

// Host command identifiers sent to the main window.
constexpr WPARAM kOpenRulesCommand = 32924;
constexpr WPARAM kNewFolderCommand = 32804;
constexpr WPARAM kRunRulesCommand = 32942;
constexpr WPARAM kSortByDateCommand = 32776;

}  // namespace tandrel::win32
