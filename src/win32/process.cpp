#include "win32/process.h"

#include <windows.h>

namespace win32 {

void RemoveCurrentFolderFromDllSearch() {
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return;
    const auto setDllDirectory =
        reinterpret_cast<SetDllDirectoryFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW")));
    if (setDllDirectory != nullptr) setDllDirectory(L"");
}

} // namespace win32
