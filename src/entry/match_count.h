// The count of matching mail in the Rule entry dialog: the messages of the
// folder current when the dialog opened that the run over that folder would
// select (MessageMatches), counted a slice at a time on the dialog's thread.
// It asks the host only for the next message and its header block; it sets
// no current folder, message or selection.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platform/host.h"
#include "platform/strings.h"

namespace tandrel {

class MatchCount {
  public:
    // Counts anew from the folder's first message, for `header` and
    // `address` as OK takes them.
    void Restart(const std::string& header, const std::string& address);
    // Forgets what it counts; the next Restart starts over whatever it asks.
    void Forget();

    // Whether it counts, or has counted, for this header and address.
    bool Counts(const std::string& header, const std::string& address) const {
        return asked_ && header == header_ && address == address_;
    }

    // Counts on from where it stopped: at least one message, then on until
    // the folder ends (or the host hands back no later message) or
    // `time_is_up` says so. True when the count is done.
    bool Slice(Host& host, const std::function<bool()>& time_is_up);

    bool done() const { return done_; }
    std::size_t matches() const { return matches_; }

    // "Matches in Inbox: 37 so far..." or "Matches in Inbox: 37 of 12408".
    std::string Text(Strings& strings, const std::string& folder_name) const;

  private:
    bool asked_ = false;
    std::string header_;
    std::string address_;
    int position_ = -1;  // the last message counted; -1 before the first
    std::size_t messages_ = 0;
    std::size_t matches_ = 0;
    bool done_ = false;
};

}  // namespace tandrel
