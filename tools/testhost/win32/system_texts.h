// Scenario texts in UTF-8 as the system's ANSI code page (932 in the Japanese
// test host) and back.
#pragma once

#include "testhost/scenario/host_texts.h"

namespace tandrel::testhost {

HostTexts SystemCodePageTexts();

}  // namespace tandrel::testhost
