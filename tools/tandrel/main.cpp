#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

#ifdef _WIN32
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_profile.h"
#else
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_profile.h"
#endif

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
        tandrel::Win32Files files;
        tandrel::Win32Profile profile;
#else
        tandrel::PosixFiles files;
        tandrel::PosixProfile profile(files);
#endif
        tandrel::cli::Context context{files, profile, std::cout, std::cerr};
        return tandrel::cli::RunTandrel(args, context);
    } catch (const std::exception& error) {
        std::cerr << "tandrel: " << error.what() << "\n";
        return tandrel::cli::kExitFailed;
    }
}
