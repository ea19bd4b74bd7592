#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "support/builtin_strings.h"
#include "tandrel/cli.h"

#ifdef _WIN32
#include "platform/win32/system_code_page.h"
#include "platform/win32/win32_charsets.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_profile.h"
#else
#include <csignal>

#include "platform/posix/iconv_charsets.h"
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#endif

namespace {

// Converters into a code page; 0 is the system's ANSI code page on Windows
// and UTF-8 elsewhere.
std::unique_ptr<tandrel::Charsets> MakeCharsets(int code_page) {
#ifdef _WIN32
    if (code_page != 0 && IsValidCodePage(static_cast<UINT>(code_page)) == FALSE) {
        return nullptr;
    }
    return std::make_unique<tandrel::win32::Win32Charsets>(
        code_page == 0 ? CP_ACP : static_cast<UINT>(code_page));
#else
    const std::string name = tandrel::IconvNameOfCodePage(code_page == 0 ? 65001 : code_page);
    if (name.empty()) {
        return nullptr;
    }
    return std::make_unique<tandrel::IconvCharsets>(name);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
        // Names and paths are in the system's code page, whatever --code-page says.
        const tandrel::LeadBytePredicate lead_bytes = tandrel::win32::IsSystemLeadByte;
        tandrel::Win32Files files;
        tandrel::Win32Profile profile;
#else
        // A write beyond the file-size limit fails, to be reported and
        // cleaned up, instead of ending the process half way.
        static_cast<void>(std::signal(SIGXFSZ, SIG_IGN));
        const tandrel::LeadBytePredicate lead_bytes = tandrel::cli::CodePageLeadBytes(args);
        tandrel::PosixFiles files(lead_bytes);
        tandrel::IniFileProfile profile(files);
#endif
        tandrel::BuiltinStrings strings;
        tandrel::cli::Context context{files,     profile,    strings,     std::cout,
                                      std::cerr, lead_bytes, MakeCharsets};
        return tandrel::cli::RunTandrel(args, context);
    } catch (const std::exception& error) {
        std::cerr << "tandrel: " << error.what() << "\n";
        return tandrel::cli::kExitFailed;
    }
}
