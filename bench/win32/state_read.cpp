// How long the window takes, after its first paint, to read the four option pages' states and
// build their tips through the real System (the first read, which works the options out too): one
// read per start, in milliseconds, on stdout.
#include <windows.h>

#include <cstdio>

#include "app/tips.h"
#include "sysaccess/win32/system.h"

int wmain() {
    win32::System sys;
    app::Tips tips;
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    app::TipsReader().Read(sys, lang::Language::Chinese, tips); // the window's first read: the options worked out, then read
    QueryPerformanceCounter(&end);
    std::printf("%.1f\n",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return tips.chk[form::kNoSystemRestore].empty() ? 1 : 0;
}
