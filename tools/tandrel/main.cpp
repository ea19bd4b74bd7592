#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

#ifdef _WIN32
#include "platform/win32/win32_files.h"
using SystemFiles = tandrel::Win32Files;
#else
#include "platform/posix/posix_files.h"
using SystemFiles = tandrel::PosixFiles;
#endif

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        SystemFiles files;
        tandrel::cli::Context context{files, std::cout, std::cerr};
        return tandrel::cli::RunTandrel(args, context);
    } catch (const std::exception& error) {
        std::cerr << "tandrel: " << error.what() << "\n";
        return tandrel::cli::kExitFailed;
    }
}
