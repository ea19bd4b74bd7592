// The address book check after a scenario run, the same in both runners:
// whatever the run wrote, the book's indexes and card files must agree.
#pragma once

#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"

namespace tandrel::testhost {

// Checks the address book below `data_folder` (ending with a separator) as
// `tandrel book check` does, reading the books' settings through `profile`;
// throws a std::runtime_error that lists every finding, unless the findings
// are, in order, the lines of the scenario's expect.book (a book planted
// out of step for a scenario that shows a check). A data folder without an
// address book is passed over.
void CheckBookAfterRun(Files& files, Profile& profile, const std::string& data_folder,
                       LeadBytePredicate is_lead_byte, const std::filesystem::path& scenario);

}  // namespace tandrel::testhost
