// sysvela.exe: the window on the real machine.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "app/shell.h"
#include "app/win32/view.h"
#include "sysaccess/win32/system.h"
#include "win32/text.h"

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

// A program that cannot go on says so before it ends, rather than vanishing.
void ReportFatal(const std::string& why) {
    const std::wstring text = win32::Widen("Sysvela 无法继续运行：" + why);
    MessageBoxW(nullptr, text.c_str(), L"Sysvela", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// An exception that reaches a window procedure ends the program there (the procedures are
// noexcept: no exception may unwind through the system's frames); it is reported all the same.
[[noreturn]] void ReportTermination() {
    try {
        if (const std::exception_ptr current = std::current_exception()) std::rethrow_exception(current);
        ReportFatal("程序意外终止。");
    } catch (const std::exception& e) {
        ReportFatal(e.what());
    } catch (...) {
        ReportFatal("未知错误。");
    }
    std::abort();
}

int RunWindow(HINSTANCE instance, int showCommand) {
    win32::System sys;
    form::MainForm form;
    appwin::MainWindow window(form, sys, instance);
    bool created = false;
    app::Main(window.Context(), [&] {
        created = window.Create();
        if (created) window.Show(showCommand);
    });
    if (!created) {
        ReportFatal("无法创建主窗口。");
        return 1;
    }
    return window.Run();
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    RemoveCurrentFolderFromDllSearch();
    InitCommonControls(); // the manifest's common controls: themed check boxes, lists and scroll bars
    const HRESULT com = CoInitialize(nullptr); // the folder browser is a shell object

    std::set_terminate(ReportTermination);
    int exitCode = 1;
    try {
        exitCode = RunWindow(instance, showCommand);
    } catch (const std::exception& e) {
        ReportFatal(e.what());
    } catch (...) {
        ReportFatal("未知错误。");
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
