#include "text/one_line.h"

#include <cstring>

#include "text/affixes.h"

namespace tandrel {

std::string ToOneLine(std::string_view text, LeadBytePredicate is_lead_byte) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        if (c == '\t') {
            line += ' ';
        } else if (c != '\r' && c != '\n' && c != '\0' && c != kTextEndOfFile) {
            line += c;
        }
    }
    return is_lead_byte == kNoLeadBytes ? line : WithoutLoneLeadBytes(line, is_lead_byte);
}

std::string_view TrimBlanks(std::string_view text) {
    return TrimAnyOf(text, " ");
}

bool FitsHostLine(std::string_view line) {
    return line.size() <= kHostLineLimit ||
           (line.size() == kHostLineLimit + 1 && line.back() == '\r');
}

bool FitsHostLines(std::string_view text) {
    HostLineCheck check;
    check.Take(text);
    return check.fits();
}

void HostLineCheck::Take(std::string_view piece) {
    if (!fits_ || piece.empty()) {
        return;
    }
    // A Ctrl-Z may only end the file: the host reads nothing after it.
    if (ctrl_z_last_) {
        fits_ = false;
        return;
    }
    const void* ctrl_z = std::memchr(piece.data(), kTextEndOfFile, piece.size());
    if (ctrl_z != nullptr) {
        if (ctrl_z != piece.data() + piece.size() - 1) {
            fits_ = false;
            return;
        }
        ctrl_z_last_ = true;
        piece.remove_suffix(1);
    }
    TakeLines(piece);
}

void HostLineCheck::TakeLines(std::string_view piece) {
    // Not each line is looked at but each stretch of kHostLineLimit + 1
    // bytes from a line's start, from its end: the lines it holds whole are
    // short enough, and the next stretch starts after its last line feed.
    // Only a stretch without one holds a long line, or a line of the limit
    // and its CR. A stretch may begin in the pieces before.
    constexpr std::size_t kStretch = kHostLineLimit + 1;
    // The stretches' ends are about a stride apart, and looking at each waits
    // on memory: the ones ahead are asked for early.
    constexpr std::size_t kLookAhead = 8 * kStretch;
    const char* const data = piece.data();
    const std::size_t size = piece.size();
    std::size_t at = 0;
    if (fits_ && line_bytes_ == kStretch && size > 0) {
        fits_ = data[0] == '\n';  // after a line of the limit and its CR
        at = 1;
        line_bytes_ = 0;
    }
    while (fits_ && at < size) {
        const std::size_t stretch_end = at + kStretch - line_bytes_;
        if (stretch_end > size) {
            // The stretch goes on into the next piece: only the bytes after
            // this piece's last line feed are carried over.
            std::size_t last = size;
            while (last > at && data[last - 1] != '\n') {
                --last;
            }
            line_bytes_ = last > at ? size - last : line_bytes_ + (size - at);
            return;
        }
        if (size - at > kLookAhead) {
            __builtin_prefetch(data + at + kLookAhead);
        }
        std::size_t last = stretch_end;
        while (last > at && data[last - 1] != '\n') {
            --last;
        }
        line_bytes_ = 0;
        if (last > at) {
            at = last;
            continue;
        }
        fits_ = data[stretch_end - 1] == '\r';
        if (stretch_end == size) {
            line_bytes_ = kStretch;  // the LF may come in the next piece
            return;
        }
        fits_ = fits_ && data[stretch_end] == '\n';
        at = stretch_end + 1;
    }
}

std::string ShownText(std::string_view text) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x20 || code == 0x7F) {
            shown += "\\x";
            shown += kDigits[code >> 4];
            shown += kDigits[code & 0xF];
        } else {
            shown += byte;
        }
    }
    return shown;
}

std::string ShownExcerpt(std::string_view line, LeadBytePredicate is_lead_byte) {
    const std::string_view cut = CutAtCharacter(line, kExcerptBytes, is_lead_byte);
    return ShownText(cut) + (cut.size() < line.size() ? "..." : "");
}

}  // namespace tandrel
