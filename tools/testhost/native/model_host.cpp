#include "testhost/native/model_host.h"

namespace tandrel::testhost {

std::string ModelHost::TempFileName(const std::string& prefix) {
    return model_.TempFileName(prefix);
}
void ModelHost::SetCurrentFolder(const std::string& folder_id) {
    model_.SetCurrentFolder(folder_id);
}
std::string ModelHost::FolderDisplayName(const std::string& folder_id) {
    return model_.FolderDisplayName(folder_id);
}
void ModelHost::SetCurrentMail(const std::string& message_id) {
    model_.SetCurrentMail(message_id);
}
std::string ModelHost::Header(const std::string& message_id) {
    return model_.Header(message_id);
}
std::string ModelHost::SpecifiedHeader(const std::string& name, int size) {
    return model_.SpecifiedHeader(name, size);
}
int ModelHost::NextMail(int position, std::string& message_id) {
    return model_.PluginNextMail(position, message_id);
}
void ModelHost::AddToSelection(const std::string& message_id) {
    model_.AddToSelection(message_id);
}
void ModelHost::RunRulesOnSelection() {
    model_.RunRulesOnSelection();
}
void ModelHost::SortByDate() {
    model_.SortByDate();
}

void ModelHost::RequestRuleReload() {
    // The rules dialog opens, is hidden at once and confirmed.
    model_.ReadRulesForDialog();
    model_.ConfirmRulesDialog(false);
}

void ModelHost::CreateSubfolder(const std::string& parent_id, const std::string& name) {
    model_.SetCurrentFolder(parent_id);
    model_.CreateNewFolder();
    model_.FinishFolderRename(name);
}

}  // namespace tandrel::testhost
