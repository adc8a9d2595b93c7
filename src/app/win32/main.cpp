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
#include "win32/language.h"
#include "win32/process.h"
#include "win32/text.h"

namespace {

// The language of the window: /lang:zh or /lang:en on the command line, else the user's.
lang::Language language = lang::Language::Chinese;

// A program that cannot go on says so before it ends, rather than vanishing.
void ReportFatal(const std::string& why) {
    const std::wstring text = win32::Widen(lang::Format(lang::Str::Fatal, language, {why}));
    MessageBoxW(nullptr, text.c_str(), appwin::kWindowTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// An exception that reaches a window procedure ends the program there (the procedures are
// noexcept: no exception may unwind through the system's frames); it is reported all the same.
[[noreturn]] void ReportTermination() {
    try {
        if (const std::exception_ptr current = std::current_exception()) std::rethrow_exception(current);
        ReportFatal(lang::Text(lang::Str::EndedUnexpectedly, language));
    } catch (const std::exception& e) {
        ReportFatal(e.what());
    } catch (...) {
        ReportFatal(lang::Text(lang::Str::UnknownError, language));
    }
    std::abort();
}

int RunWindow(HINSTANCE instance, int showCommand) {
    win32::System sys;
    form::MainForm form(language);
    appwin::MainWindow window(form, sys, instance);
    bool created = false;
    app::Main(window.Context(), [&] {
        created = window.Create();
        if (created) window.Show(showCommand);
    });
    if (!created) {
        ReportFatal(lang::Text(lang::Str::NoMainWindow, language));
        return 1;
    }
    return window.Run();
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    win32::RemoveCurrentFolderFromDllSearch();
    language = lang::FromCommandLine(win32::Narrow(commandLine != nullptr ? commandLine : L""))
                   .value_or(win32::UserUiLanguage());
    InitCommonControls(); // the manifest's common controls: themed check boxes, lists and scroll bars

    std::set_terminate(ReportTermination);
    int exitCode = 1;
    try {
        exitCode = RunWindow(instance, showCommand);
    } catch (const std::exception& e) {
        ReportFatal(e.what());
    } catch (...) {
        ReportFatal(lang::Text(lang::Str::UnknownError, language));
    }
    return exitCode;
}
