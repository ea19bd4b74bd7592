// The Check dialog, opened from the Setup dialog: what a check of the current
// mailbox's rule files and of the address book finds, as the tool's "rules
// check" and "book check" print it. Nothing is written.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "text/characters.h"

namespace tandrel {

struct CheckContext {
    Host& host;  // the data folder and the current mailbox
    Files& files;
    Profile& profile;
    Strings& strings;
    LeadBytePredicate lead_bytes;  // the system code page's, for the book's names
};

// How many findings the list shows; the rest it counts.
constexpr std::size_t kShownFindings = 1000;

// Every finding: each rule file's, prefixed "iFilter.Def: ", with folders by
// the names the user sees, then the address book's (none without an address
// book); the first kShownFindings of them and "... and N more"; or the one
// line "Nothing to report.".
std::vector<std::string> CheckFindings(CheckContext& context);

class CheckPresenter {
  public:
    CheckPresenter(Dialog& dialog, CheckContext& context) : dialog_(dialog), context_(context) {}

    void Init();
    bool OnCommand(int id, int notification);

  private:
    Dialog& dialog_;
    CheckContext& context_;
};

}  // namespace tandrel
