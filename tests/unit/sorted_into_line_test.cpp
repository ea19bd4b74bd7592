// The Rule entry dialog's "already sorted into" line over rule files of many
// folders: a few named, the rest counted, only the named asked of the host;
// and a file the host reads otherwise is one OK refuses.
#include "entry/sorted_into_line.h"

#include <gtest/gtest.h>

#include <string>

#include "support/builtin_strings.h"
#include "support/memory_files.h"
#include "testhost/model/host_model.h"
#include "testhost/native/model_host.h"

namespace tandrel {
namespace {

constexpr const char* kReceived = "C:\\Data\\Main\\iFilter.Def";
constexpr const char* kSent = "C:\\Data\\Main\\oFilter.Def";

// The host, counting the display names asked of it.
class CountingHost : public testhost::ModelHost {
  public:
    using ModelHost::ModelHost;
    std::string FolderDisplayName(const std::string& folder_id) override {
        ++asked;
        return ModelHost::FolderDisplayName(folder_id);
    }
    int asked = 0;
};

// Rules that sort ann@example.com into folders F{first} to F{last - 1}.
std::string AnnInFolders(int first, int last) {
    std::string text;
    for (int folder = first; folder < last; ++folder) {
        text += ":Begin \"\"\r\n!M:Main\\F" + std::to_string(folder) +
                "\\\r\n@0:From:ann@example.com\tO\tI\r\n:End \"\"\r\n";
    }
    return text;
}

class SortedIntoLineTest : public ::testing::Test {
  protected:
    SortedIntoLineTest() { model_.SetMailbox("Main\\"); }
    std::string Line(
        const SortedIntoQuery& query, const std::function<bool(const std::string&)>& fits =
                                          [](const std::string&) { return true; }) {
        const OpenedRules received = OpenRules(files_, kReceived);
        const OpenedRules sent = OpenRules(files_, kSent);
        host_.asked = 0;
        return SortedIntoLine(query, received, sent, host_, strings_, fits);
    }
    static SortedIntoQuery Query(const std::string& target, bool delete_same = false) {
        SortedIntoQuery query;
        query.receiving = query.sending = true;
        query.receiving_header = query.sending_header = "From";
        query.address = "ann@example.com";
        query.target = target;
        query.delete_same = delete_same;
        return query;
    }

    testing::MemoryFiles files_;
    testhost::HostModel model_{files_, "C:\\Data\\", "C:\\Temp\\", kNoLeadBytes};
    CountingHost host_{model_};
    BuiltinStrings strings_;
};

TEST_F(SortedIntoLineTest, NamesFivePlacesCountsTheRestAndAsksOnlyForTheNamed) {
    files_.AddFile(kReceived, AnnInFolders(0, 1000));
    files_.AddFile(kSent, AnnInFolders(0, 2));
    // A folder in both files counts twice, as it would be shown.
    EXPECT_EQ(Line(Query("Main\\New\\")),
              "Already sorted into: F0 (received), F1 (received), F2 (received), F3 (received), "
              "F4 (received) and 997 more");
    EXPECT_EQ(host_.asked, 5);
    // Delete-same keeps the target, which is neither named nor counted.
    EXPECT_EQ(Line(Query("Main\\F1\\", true)),
              "Moves from: F0 (received), F2 (received), F3 (received), F4 (received), F5 "
              "(received) and 995 more");
    // Where the control cannot show it all, fewer are named.
    EXPECT_EQ(Line(Query("Main\\New\\"), [](const std::string& line) { return line.size() < 70; }),
              "Already sorted into: F0 (received), F1 (received) and 1000 more");
}

TEST_F(SortedIntoLineTest, AFolderWithoutANameOrNamedLikeTheTargetShowsItsIdentifier) {
    // "Main\!!!\" has no name once the host drops its "!"s.
    files_.AddFile(kReceived, AnnInFolders(0, 1) +
                                  ":Begin \"\"\r\n!M:Main\\!!!\\\r\n@0:From:"
                                  "ann@example.com\tO\tI\r\n:End \"\"\r\n" +
                                  ":Begin \"\"\r\n!M:Main\\Old\\F0\\\r\n@0:From:"
                                  "ann@example.com\tO\tI\r\n:End \"\"\r\n");
    EXPECT_EQ(Line(Query("Main\\F0\\")),
              "Already sorted into: this folder, Main\\!!!\\, Main\\Old\\F0\\");
}

TEST_F(SortedIntoLineTest, AFileTheHostReadsOtherwiseCannotBeRead) {
    const std::string rules = AnnInFolders(0, 2);
    for (const std::string& text :
         {rules + "\x1A" + rules, rules + "; " + std::string(300, 'x') + "\r\n" + rules}) {
        files_.AddFile(kReceived, text);
        EXPECT_EQ(Line(Query("Main\\New\\")), "Rules could not be read");
    }
    // A Ctrl-Z that ends the file is read as OK reads it.
    files_.AddFile(kReceived, rules + "\x1A");
    EXPECT_EQ(Line(Query("Main\\New\\")), "Already sorted into: F0, F1");
}

}  // namespace
}  // namespace tandrel
