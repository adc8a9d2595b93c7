// sysvela.exe: the window on the real machine.
// The real System and the view first: their headers take back the Win32 macros (ReplaceFile,
// MessageBox) before the seams that use those names as members are declared.
#include "sysaccess/win32/system.h"

#include "app/win32/view.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/shell.h"

namespace {

// Loading a DLL must never look in the current folder, which may be a download folder holding a
// planted copy. SetDllDirectoryW came with XP SP1, so it is looked up rather than imported.
void RemoveCurrentFolderFromDllSearch() {
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCWSTR);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return;
    const auto setDllDirectory =
        reinterpret_cast<SetDllDirectoryFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW")));
    if (setDllDirectory != nullptr) setDllDirectory(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    RemoveCurrentFolderFromDllSearch();
    InitCommonControls(); // the manifest's common controls: themed check boxes, lists and scroll bars
    const HRESULT com = CoInitialize(nullptr); // the folder browser is a shell object

    int exitCode = 1;
    {
        win32::System sys;
        form::MainForm form;
        appwin::MainWindow window(form, sys, instance);
        bool created = false;
        app::Main(window.Context(), [&] {
            created = window.Create();
            if (created) window.Show(showCommand);
        });
        if (created) exitCode = window.Run();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
