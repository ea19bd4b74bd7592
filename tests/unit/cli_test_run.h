// Runs the command-line tool in-process on the real file system.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "platform/ini_file_profile.h"
#include "platform/posix/posix_files.h"

namespace tandrel::cli {

struct ToolRun {
    int exit_code;
    std::string out;
    std::string err;
};

inline ToolRun Tandrel(const std::vector<std::string>& args) {
    const LeadBytePredicate lead_bytes = CodePageLeadBytes(args);
    PosixFiles files(lead_bytes);
    IniFileProfile profile(files);
    std::ostringstream out;
    std::ostringstream err;
    Context context{files, profile, out, err, lead_bytes};
    const int exit_code = RunTandrel(args, context);
    return {exit_code, out.str(), err.str()};
}

}  // namespace tandrel::cli
