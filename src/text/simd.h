// Whether the scans that compare sixteen bytes at a time may use SSE2: always
// on x64, and on x86 where the compiler targets it.
#pragma once

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TANDREL_SSE2 1
#endif
