#include "testhost/native/code_page_932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace tandrel::testhost {

namespace {

// The whole text converted; a text the conversion cannot take fails the run.
std::string Convert(const std::string& text, const char* to, const char* from) {
    iconv_t conversion = ::iconv_open(to, from);
    // iconv_open tells a failure by (iconv_t)-1.
    if (reinterpret_cast<std::intptr_t>(conversion) == -1) {
        throw std::runtime_error(std::string("no conversion from ") + from + " to " + to);
    }
    std::string out(text.size() * 2 + 16, '\0');
    char* in_at = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    char* out_at = out.data();
    std::size_t out_left = out.size();
    const std::size_t done = ::iconv(conversion, &in_at, &in_left, &out_at, &out_left);
    ::iconv_close(conversion);
    if (done == static_cast<std::size_t>(-1)) {
        throw std::runtime_error(std::string("a text is not ") + from + ": " + text);
    }
    out.resize(out.size() - out_left);
    return out;
}

}  // namespace

HostTexts CodePage932Texts() {
    return {[](const std::string& text) { return Convert(text, "CP932", "UTF-8"); },
            [](const std::string& text) { return Convert(text, "UTF-8", "CP932"); }};
}

}  // namespace tandrel::testhost
