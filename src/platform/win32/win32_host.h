// The Host port over the host's exported functions and its main window.
#pragma once

#include <functional>

#include "platform/host.h"
#include "platform/win32/host_api.h"

namespace tandrel::win32 {

// What the Host adapter works with: the bound host functions, the host's main
// window and folder tree, and the way to have the host take rewritten rule
// files into use.
struct HostConnection {
    const HostApi* api = nullptr;
    HWND main_window = nullptr;
    HWND folder_tree = nullptr;
    std::function<void()> request_rule_reload;
};

class Win32Host final : public Host {
  public:
    explicit Win32Host(HostConnection connection) : host_(std::move(connection)) {}

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

    HostConnection host_;
};

}  // namespace tandrel::win32
