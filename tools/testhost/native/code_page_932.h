// The Japanese host's texts natively: scenario texts in UTF-8 as Shift-JIS
// bytes (code page 932) and back, with the C library's iconv.
#pragma once

#include "testhost/scenario/host_texts.h"

namespace tandrel::testhost {

HostTexts CodePage932Texts();

}  // namespace tandrel::testhost
