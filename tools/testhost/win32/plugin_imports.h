// Points one of the plug-in's imported functions at a replacement, the way
// the test host watches (and, for its own tests, breaks) what the plug-in
// asks of the system.
#pragma once

#include <windows.h>

namespace tandrel::testhost {

// Replaces `module`'s import of `function` from `library`; returns the
// function it called until now, or nullptr when it imports no such function.
void* ReplaceImport(HMODULE module, const char* library, const char* function, void* replacement);

}  // namespace tandrel::testhost
