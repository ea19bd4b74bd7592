// The Host port answered by the host model, as the native runner plays it:
// the rule reload and the subfolder creation call the model directly.
#pragma once

#include "platform/host.h"
#include "testhost/model/host_model.h"

namespace tandrel::testhost {

class ModelHost : public Host {
  public:
    explicit ModelHost(HostModel& model) : model_(model) {}

    std::string TempFolder() override { return model_.TempFolder(); }
    std::string TempFileName(const std::string& prefix) override;
    std::string DataFolder() override { return model_.data_folder(); }
    std::string CurrentMailbox() override { return model_.mailbox(); }
    std::string CurrentFolder() override { return model_.folder(); }
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
    HostModel& model_;
};

}  // namespace tandrel::testhost
