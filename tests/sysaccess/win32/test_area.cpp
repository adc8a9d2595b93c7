#include "test_area.h"

#include <windows.h>

#include <shlwapi.h>

#include "../contract_env.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace win32test {

void DeleteTree(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    if (!(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW found;
        win32::FindHandle find(FindFirstFileW((path + L"\\*").c_str(), &found));
        if (find) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") DeleteTree(path + L"\\" + name);
            } while (FindNextFileW(find.get(), &found));
        }
    }
    RemoveDirectoryW(path.c_str());
}

void DeleteTestKey() {
    SHDeleteKeyW(HKEY_CURRENT_USER, win32::Widen(contract::kTestSubkey).c_str());
}

void ResetTestArea() {
    DeleteTestKey();
    DeleteTree(win32::Widen(contract::kTestFolder));
    DeleteTree(L"c:\\tempreg.reg");
    CreateDirectoryW(win32::Widen(contract::kTestFolder).c_str(), nullptr);
}

bool OnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace win32test
