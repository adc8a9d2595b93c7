// A stand-in for a system tool, planted where a careless program would find it first. When run
// it appends its command line and how it was asked to show its window to a marker file, so a
// test can tell that it ran and what it was given. "sleep N" as the only arguments makes it
// wait N milliseconds first. Exit code 77.
#include <windows.h>

#include <string>

#include "win32/handles.h"
#include "win32/text.h"

int main() {
    const std::wstring line = GetCommandLineW();
    const auto sleep = line.find(L" sleep ");
    if (sleep != std::wstring::npos) Sleep(static_cast<DWORD>(_wtoi(line.c_str() + sleep + 7)));

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    const std::string record = win32::Narrow(line) + "\tflags=" + std::to_string(startup.dwFlags) +
                               " show=" + std::to_string(startup.wShowWindow) + "\r\n";
    win32::Handle marker(CreateFileW(L"c:\\sysvela-test\\planted-ran.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (marker) WriteFile(marker.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    return 77;
}
