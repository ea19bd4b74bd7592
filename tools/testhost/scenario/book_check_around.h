// The address book check around a scenario run, the same in both runners:
// what the check finds after the run and did not find before it is the
// run's doing, so a scenario may start from a book with faults of its own.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace tandrel::testhost {

class BookCheckAround {
  public:
    // Checks the book below `data_folder` (ending with a separator) as it is
    // before the run.
    BookCheckAround(Files& files, std::string data_folder, LeadBytePredicate is_lead_byte);

    // Checks it again; throws a std::runtime_error that lists every finding
    // the run added.
    void CheckAfterRun() const;

  private:
    std::vector<std::string> Findings() const;

    Files& files_;
    std::string data_folder_;
    LeadBytePredicate is_lead_byte_;
    std::vector<std::string> before_;
};

}  // namespace tandrel::testhost
