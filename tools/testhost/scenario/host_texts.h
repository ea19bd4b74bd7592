// A scenario's own texts are UTF-8: its steps, its expect.log, and the names of
// the files and folders in data/ and expect/ (as Wine stores the names of a
// code page 932 host on disk). A host whose code page is another, the
// Japanese host's, sees those texts in its own code page; each runner brings
// the conversion its platform has. The content of the files is the host's
// own bytes and is never converted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "testhost/scenario/scenario.h"

namespace tandrel::testhost {

struct HostTexts {
    // A scenario text as the host's bytes, and back.
    std::function<std::string(const std::string&)> from_utf8;
    std::function<std::string(const std::string&)> to_utf8;
};

// The host whose texts are UTF-8's bytes themselves.
HostTexts Utf8HostTexts();

// Every text of every step in the host's code page.
void ConvertStepTexts(std::vector<Step>& steps, const HostTexts& texts);

}  // namespace tandrel::testhost
