#include "rules/rule_history_list.h"

#include "rules/rule_change_summary.h"
#include "text/content_hash.h"

namespace tandrel {

RuleHistoryList ListRuleHistory(Files& files, const std::string& path) {
    RuleHistoryList list;
    // A rule file that is a link keeps its versions beside the file it ends
    // at, where a rewrite and a put-back find them.
    list.target = files.ResolveLinks(path);
    const std::vector<KeptVersion> versions = ListKeptVersions(files, list.target);
    // One text a version after the current one; the texts stay where they are
    // while the summaries look at them.
    std::vector<std::string> texts(versions.size() + 1);
    std::vector<HistoryText> history(texts.size());
    list.current_read = files.ReadFile(list.target, texts.front()) != ReadStatus::Failed;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        // A version is read whole, or it cannot be read: a missing one too,
        // as a link that leads nowhere.
        const bool read = i == 0 ? list.current_read
                                 : files.ReadFile(versions[i - 1].path, texts[i]) == ReadStatus::Ok;
        history[i] = {read, texts[i], read ? ContentHash(texts[i]) : 0};
    }
    const std::vector<std::string> summaries = SummarizeHistory(history);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        HistoryRow row{versions[i], history[i + 1].read, summaries[i]};
        if (row.read) {
            row.version.facts.size = texts[i + 1].size();
            row.version.content_hash = history[i + 1].hash;
        }
        list.rows.push_back(std::move(row));
    }
    return list;
}

}  // namespace tandrel
