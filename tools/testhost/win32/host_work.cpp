#include "testhost/win32/host_work.h"

#include <windows.h>

namespace tandrel::testhost {

namespace {

// Touched by the user-interface thread; the total also read by the driver.
int depth = 0;
volatile LONG64 total_ticks = 0;

long long Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

HostWorkScope::HostWorkScope() {
    if (depth++ == 0) {
        start_ = Now();
    }
}

HostWorkScope::~HostWorkScope() {
    if (--depth == 0) {
        InterlockedExchangeAdd64(&total_ticks, Now() - start_);
    }
}

double HostWorkMilliseconds() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const LONG64 ticks = InterlockedCompareExchange64(&total_ticks, 0, 0);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace tandrel::testhost
