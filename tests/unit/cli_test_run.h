// Runs the command-line tool in-process on the real file system.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/posix/iconv_charsets.h"
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#include "support/builtin_strings.h"
#include "tandrel/cli.h"

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
    // As the tool's own: UTF-8 unless a code page is asked for.
    const auto make_charsets = [](int code_page) -> std::unique_ptr<Charsets> {
        const std::string name = IconvNameOfCodePage(code_page == 0 ? 65001 : code_page);
        return name.empty() ? nullptr : std::make_unique<IconvCharsets>(name);
    };
    BuiltinStrings strings;
    Context context{files, profile, strings, out, err, lead_bytes, make_charsets};
    const int exit_code = RunTandrel(args, context);
    return {exit_code, out.str(), err.str()};
}

}  // namespace tandrel::cli
