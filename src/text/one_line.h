// Texts that go into one line or one field of a host file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/characters.h"

namespace tandrel {

// The longest line, without its line end, that the host reads whole: it reads
// its rule files, group indexes and cards into 256-byte buffers, 255
// characters at a time with the line end among them, and takes the rest of a
// longer line for a line of its own. No line Tandrel writes is longer.
constexpr std::size_t kHostLineLimit = 254;

// The line end of every line Tandrel writes into a host file.
constexpr std::string_view kHostLineEnd = "\r\n";

// The byte a text-mode reader of the C runtime takes for the end of the file
// (Ctrl-Z): after it the host would read nothing more of the file.
constexpr char kTextEndOfFile = '\x1A';

// Whether the host reads `line` (without its LF) as one line: at most
// kHostLineLimit characters, or one more when that is the CR of a CR LF.
bool FitsHostLine(std::string_view line);

// Whether the host reads `text` as this project's readers do: every line
// (lines end at LF or CR LF) fits, and no Ctrl-Z stands before its last byte.
bool FitsHostLines(std::string_view text);

// FitsHostLines of a text handed over in pieces, as a file is read, so that
// each piece is looked at while it is still in the processor's cache.
class HostLineCheck {
  public:
    void Take(std::string_view piece);
    // Whether everything so far fits; the last line may still grow.
    bool fits() const { return fits_; }

  private:
    void TakeLines(std::string_view piece);

    // Bytes of the current line in the pieces before, no LF among them.
    std::size_t line_bytes_ = 0;
    bool fits_ = true;
    bool ctrl_z_last_ = false;  // the last byte so far is a Ctrl-Z
};

// `text` without the Ctrl-Z it ends with, as an old editor leaves one.
inline std::string_view WithoutFinalCtrlZ(std::string_view text) {
    return !text.empty() && text.back() == kTextEndOfFile ? text.substr(0, text.size() - 1) : text;
}

// CR, LF, NUL and Ctrl-Z dropped, a tab made a blank: the text cannot add
// lines or fields, or end the file, wherever it is written. With the host's
// lead bytes, a lead byte without its second byte goes too: the host would
// take the tab or line end after it for that second byte.
std::string ToOneLine(std::string_view text, LeadBytePredicate is_lead_byte = kNoLeadBytes);

// Without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

// How many bytes of a line from a file a finding shows.
constexpr std::size_t kExcerptBytes = 40;

// A line from a file as a finding shows it: at most its first kExcerptBytes
// bytes, cut at a character's end and followed by "..." where it goes on,
// with every control character (tab, ESC, NUL, Ctrl-Z) shown as "\xHH" so
// that none acts in a list or a terminal.
std::string ShownExcerpt(std::string_view line, LeadBytePredicate is_lead_byte);

// Every control character of `text` shown as "\xHH", the text whole.
std::string ShownText(std::string_view text);

}  // namespace tandrel
