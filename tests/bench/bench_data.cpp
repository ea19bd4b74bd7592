#include "bench/bench_data.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tandrel::bench {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    // TANDREL_BENCH_DIR picks another folder, say one on a disk.
    const char* chosen = std::getenv("TANDREL_BENCH_DIR");
    std::string base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    if (chosen != nullptr) {
        base = chosen;
    }
    std::string pattern = base + "/tandrel-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void PutFile(const std::string& path, const std::string& content) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string RuleFileText(int conditions) {
    std::string text;
    for (int i = 0; i < conditions; ++i) {
        if (i % 10 == 0) {
            text += ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Folder" + std::to_string(i / 10) + "\\\r\n";
        }
        text += "@0:From:user" + std::to_string(i) + "@example.com\tO\tI\r\n";
        if (i % 10 == 9 || i + 1 == conditions) {
            text += ":End \"\"\r\n";
        }
    }
    return text;
}

namespace {

std::string CardBlockOf(int i) {
    return "BEGIN:VCARD\r\nFN:User " + std::to_string(i) + "\r\nEMAIL;PREF:user" +
           std::to_string(i) + "@example.com\r\nEND:VCARD\r\n";
}

}  // namespace

std::string GroupIndexText(int lines) {
    std::string text;
    std::size_t offset = 0;
    for (int i = 0; i < lines; ++i) {
        text += std::to_string(offset) + "\t0\tbab0001.tmp\tUser " + std::to_string(i) + "\tuser" +
                std::to_string(i) + "@example.com\t\t\t" + std::to_string(i + 1) + "\r\n";
        offset += CardBlockOf(i).size();
    }
    return text;
}

std::string CardFileText(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += CardBlockOf(i);
    }
    return text;
}

void MakeGroupTree(const std::string& data_folder, int groups) {
    const std::string book = data_folder + "AddrBook/@Book/";
    PutFile(book + "Group.ini", "");
    const int first_level = 100;
    const int below_each = (groups - first_level) / first_level;
    for (int i = 0; i < first_level; ++i) {
        const std::string group = book + "Group" + std::to_string(i) + "/";
        PutFile(group + "Group.ini", "");
        for (int j = 0; j < below_each; ++j) {
            PutFile(group + "Sub" + std::to_string(j) + "/Group.ini", "");
        }
    }
}

std::string LargeHeaderBlock(std::size_t bytes) {
    std::string block = "From: \"Ann Lee\" <ann@example.com>\r\nSubject: many\r\nTo: ";
    for (int i = 0; block.size() < bytes; ++i) {
        block += "\"User " + std::to_string(i) + "\" <user" + std::to_string(i) + "@example.com>,";
        if (i % 4 == 3) {
            block += "\r\n\t";
        } else {
            block += ' ';
        }
    }
    block += "last@example.com\r\nDate: Tue, 8 Dec 2026 08:00:00 +0000\r\n";
    return block;
}

std::string RulesOfOneCondition(int folders, const std::string& address) {
    std::string text;
    for (int folder = 0; folder < folders; ++folder) {
        text += ":Begin \"\"\r\n!M:Main\\F" + std::to_string(folder) + "\\\r\n@0:From:" + address +
                "\tO\tI\r\n:End \"\"\r\n";
    }
    return text;
}

}  // namespace tandrel::bench
