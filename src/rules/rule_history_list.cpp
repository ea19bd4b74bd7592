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
    for (std::size_t i = 0; i < texts.size(); ++i) {
        // Each text is hashed as it is read, a piece at a time while the
        // piece is fresh.
        const std::string& file = i == 0 ? list.target : versions[i - 1].path;
        if (const auto size = files.FileSize(file)) {
            texts[i].reserve(static_cast<std::size_t>(*size));
        }
        ContentHasher hasher;
        const ReadStatus status =
            files.ReadFileInPieces(file, [&text = texts[i], &hasher](std::string_view piece) {
                text += piece;
                hasher.Add(piece);
            });
        // A version is read whole, or it cannot be read: a missing one too,
        // as a link that leads nowhere. A missing file itself is empty.
        const bool read = status == ReadStatus::Ok || (i == 0 && status == ReadStatus::Missing);
        if (!read) {
            texts[i].clear();
        }
        history[i] = {read, texts[i], hasher.Finish()};
    }
    list.current_read = history.front().read;
    std::vector<std::vector<Finding>> summaries = SummarizeHistory(history);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        HistoryRow row{versions[i], history[i + 1].read, std::move(summaries[i])};
        if (row.read) {
            row.version.facts.size = texts[i + 1].size();
            row.version.content_hash = history[i + 1].hash;
        }
        list.rows.push_back(std::move(row));
    }
    return list;
}

}  // namespace tandrel
