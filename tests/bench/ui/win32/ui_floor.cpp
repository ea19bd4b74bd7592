// ui_floor FOLDER COUNT: the disk work the Address group dialog cannot avoid,
// measured under the same Wine as the dialog. Lists FOLDER and every folder
// below it through the Win32 Files adapter, one enumeration a folder (links
// not followed), COUNT times, and prints the milliseconds of each walk, a
// line each. Exit 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "addressbook/group_listing.h"
#include "platform/win32/win32_files.h"

namespace {

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

void ListBelow(tandrel::Win32Files& files, const std::string& folder) {
    for (const std::string& name : tandrel::ListedFolders(files, folder + "\\*")) {
        ListBelow(files, folder + "\\" + name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc == 3 ? std::atoi(argv[2]) : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: ui_floor FOLDER COUNT\n");
        return 2;
    }
    tandrel::Win32Files files;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        ListBelow(files, argv[1]);
        std::printf("%.1f\n", MillisecondsSince(start));
    }
    return 0;
}
