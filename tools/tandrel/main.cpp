#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

#ifdef _WIN32
#include "platform/win32/system_code_page.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_profile.h"
#else
#include "platform/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#endif

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
        // Names and paths are in the system's code page, whatever --code-page says.
        const tandrel::LeadBytePredicate lead_bytes = tandrel::win32::IsSystemLeadByte;
        tandrel::Win32Files files;
        tandrel::Win32Profile profile;
#else
        const tandrel::LeadBytePredicate lead_bytes = tandrel::cli::CodePageLeadBytes(args);
        tandrel::PosixFiles files(lead_bytes);
        tandrel::IniFileProfile profile(files);
#endif
        tandrel::cli::Context context{files, profile, std::cout, std::cerr, lead_bytes};
        return tandrel::cli::RunTandrel(args, context);
    } catch (const std::exception& error) {
        std::cerr << "tandrel: " << error.what() << "\n";
        return tandrel::cli::kExitFailed;
    }
}
