// Texts that go into one line or one field of a host file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tandrel {

// The longest line, without its line end, that the host reads whole: it reads
// its rule files, group indexes and cards into 256-byte buffers, 255
// characters at a time with the line end among them, and takes the rest of a
// longer line for a line of its own. No line Tandrel writes is longer.
constexpr std::size_t kHostLineLimit = 254;

// The line end of every line Tandrel writes into a host file.
constexpr std::string_view kHostLineEnd = "\r\n";

// Whether every line of `text` (lines end at LF or CR LF) fits kHostLineLimit.
bool FitsHostLines(std::string_view text);

// FitsHostLines of a text handed over in pieces, as a file is read, so that
// each piece is looked at while it is still in the processor's cache.
class HostLineCheck {
  public:
    void Take(std::string_view piece);
    // Whether every line so far fits; the last one may still grow.
    bool fits() const { return fits_; }

  private:
    // Bytes of the current line in the pieces before, no LF among them.
    std::size_t line_bytes_ = 0;
    bool fits_ = true;
};

// The byte a text-mode reader of the C runtime takes for the end of the file
// (Ctrl-Z): after it the host would read nothing more of the file.
constexpr char kTextEndOfFile = '\x1A';

// CR, LF, NUL and Ctrl-Z dropped, a tab made a blank: the text cannot add
// lines or fields, or end the file, wherever it is written.
std::string ToOneLine(std::string_view text);

// Without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tandrel
