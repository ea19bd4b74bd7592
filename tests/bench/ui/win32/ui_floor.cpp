// ui_floor FOLDER COUNT: the disk work the Address group dialog cannot avoid,
// measured under the same Wine as the dialog. Lists FOLDER and every folder
// below it through the Win32 Files adapter, one enumeration a folder (links
// not followed), COUNT times, and prints the milliseconds of each walk, a
// line each.
// ui_floor --rules FILE FILE COUNT: the same for the work the Rule entry
// dialog's opening cannot avoid: both rule files read through the adapter
// and split into lines. Exit 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "addressbook/group_listing.h"
#include "platform/win32/win32_files.h"
#include "rules/rule_lines.h"

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

// Reads the file and counts its lines as the rule reader takes them.
std::size_t ReadLines(tandrel::Win32Files& files, const std::string& path) {
    std::string text;
    files.ReadFile(path, text);
    std::size_t lines = 0;
    for (std::size_t at = 0; at < text.size(); at = tandrel::RuleLineAt(text, at).end) {
        ++lines;
    }
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    const bool rules = argc == 5 && std::string(argv[1]) == "--rules";
    const int count = rules ? std::atoi(argv[4]) : argc == 3 ? std::atoi(argv[2]) : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: ui_floor FOLDER COUNT | ui_floor --rules FILE FILE COUNT\n");
        return 2;
    }
    tandrel::Win32Files files;
    std::size_t lines = 0;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        if (rules) {
            lines += ReadLines(files, argv[2]) + ReadLines(files, argv[3]);
        } else {
            ListBelow(files, argv[1]);
        }
        std::printf("%.1f\n", MillisecondsSince(start));
    }
    return lines > 0 || !rules ? 0 : 1;
}
