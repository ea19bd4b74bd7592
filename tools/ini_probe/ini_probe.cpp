// ini_probe FOLDER: runs the same profile cases through this platform's
// Profile adapter (the project's own reader and writer on Linux, the
// system's private-profile functions on Windows) and prints every answer, a
// line each, so the two platforms' outputs can be compared. Each case
// writes its file into FOLDER first (FOLDER ends with the separator).
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/win32/win32_profile.h"
#else
#include "platform/posix/ini_file_profile.h"
#include "platform/posix/posix_files.h"
#endif

namespace {

struct Query {
    const char* section;
    const char* key;
};

struct ProfileCase {
    const char* name;
    const char* content;  // nullptr: no file
    std::vector<Query> reads;
    const char* write_key = nullptr;  // in section "Settings", then the reads again
    const char* write_value = nullptr;
};

const std::vector<ProfileCase>& Cases() {
    static const std::vector<ProfileCase> kCases = {
        {"no-file", nullptr, {{"Settings", "AddPlace"}}, "AddPlace", "2"},
        {"plain",
         "[Settings]\r\nAddPlace=3\r\nInHeaders=From:To:\r\n",
         {{"Settings", "AddPlace"}, {"Settings", "InHeaders"}, {"Settings", "Missing"}}},
        {"case-and-blanks",
         "[ settings ]\r\n  addplace  =  7  \r\nINHEADERS= From: \r\n",
         {{"Settings", "AddPlace"}, {"SETTINGS", "inheaders"}}},
        {"quotes",
         "[Settings]\r\nA=\"quoted value\"\r\nB='single'\r\nC=\"open\r\nD=\"\"\r\n",
         {{"Settings", "A"}, {"Settings", "B"}, {"Settings", "C"}, {"Settings", "D"}}},
        {"numbers",
         "[Settings]\r\nA=-1\r\nB=0x1F\r\nC=12abc\r\nD=\r\nE=abc\r\nF= +5\r\n",
         {{"Settings", "A"},
          {"Settings", "B"},
          {"Settings", "C"},
          {"Settings", "D"},
          {"Settings", "E"},
          {"Settings", "F"},
          {"Settings", "G"}}},
        {"first-wins",
         "[Settings]\r\nA=1\r\nA=2\r\n[Other]\r\nA=3\r\n[Settings]\r\nA=4\r\nB=5\r\n",
         {{"Settings", "A"}, {"Settings", "B"}, {"Other", "A"}}},
        {"lf-and-no-last-end",
         "[Settings]\nA=1\nB=2",
         {{"Settings", "A"}, {"Settings", "B"}},
         "C",
         "3"},
        {"comments",
         "; note\r\n[Settings]\r\n;A=1\r\nA=2\r\n",
         {{"Settings", "A"}, {"Settings", ";A"}}},
        {"write-existing",
         "[Settings]\r\nAddPlace=1\r\nOther=keep\r\n",
         {{"Settings", "AddPlace"}, {"Settings", "Other"}},
         "AddPlace",
         "-1"},
        {"write-new-key",
         "[Settings]\r\nA=1\r\n\r\n[Next]\r\nB=2\r\n",
         {{"Settings", "A"}, {"Settings", "C"}, {"Next", "B"}},
         "C",
         "x y"},
        {"write-new-section",
         "[Other]\r\nA=1\r\n",
         {{"Other", "A"}, {"Settings", "AddrGrp"}},
         "AddrGrp",
         "Private:Friends"},
        {"empty-value-write",
         "[Settings]\r\nInHeaders=From:\r\n",
         {{"Settings", "InHeaders"}},
         "InHeaders",
         ""},
        {"odd-lines",
         "A=before any section\r\n[Settings] trailing\r\nnoequals\r\nB=2\r\n[Broken\r\nC=3\r\n",
         {{"Settings", "B"}, {"Settings", "noequals"}, {"Broken", "C"}, {"", "A"}},
         "D",
         "4"},
        {"blank-key",
         "[Settings]\r\n=nokey\r\n  = spaced\r\nA=1\r\n",
         {{"Settings", ""}, {"Settings", "A"}}},
        {"long-value",
         "[Settings]\r\nInHeaders=From:Sender:Reply-To:X-One:X-Two:X-Three:\r\n",
         {{"Settings", "InHeaders"}}},
    };
    return kCases;
}

std::string Shown(const std::string& text) {
    std::string shown = "\"";
    for (const char c : text) {
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else {
            shown += c;
        }
    }
    return shown + "\"";
}

void PrintReads(tandrel::Profile& profile, const std::string& path, const ProfileCase& c,
                const char* when) {
    for (const Query& query : c.reads) {
        const std::string text =
            profile.ReadString(path, query.section, query.key, "(default)", tandrel::kWholeValue);
        const int number = profile.ReadInt(path, query.section, query.key, 99);
        std::cout << c.name << ' ' << when << " [" << query.section << "] " << query.key << ": "
                  << Shown(text) << ' ' << number << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ini_probe FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
#ifdef _WIN32
    tandrel::Win32Profile profile;
#else
    tandrel::PosixFiles files;
    tandrel::IniFileProfile profile(files);
#endif
    for (const ProfileCase& c : Cases()) {
        const std::string path = folder + c.name + ".ini";
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        if (c.content != nullptr) {
            std::ofstream file(path, std::ios::binary);
            file << c.content;
            if (!file.flush()) {
                std::cerr << "cannot write " << path << '\n';
                return 1;
            }
        }
        PrintReads(profile, path, c, "read");
        if (c.write_key != nullptr) {
            const bool written = profile.WriteString(path, "Settings", c.write_key, c.write_value);
            std::cout << c.name << " write " << c.write_key << '=' << c.write_value << ": "
                      << (written ? "ok" : "failed") << '\n';
            ProfileCase after = c;
            after.reads.push_back({"Settings", c.write_key});
            PrintReads(profile, path, after, "after");
        }
    }
    return 0;
}
