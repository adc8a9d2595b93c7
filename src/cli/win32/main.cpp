// sysvela-cli.exe: arguments arrive in UTF-16 and become UTF-8; stdout carries bytes (UTF-8
// lines, or the batch file in its code page) untranslated; messages on a console are shown in
// UTF-16 so that any name reads correctly there.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "sysaccess/win32/system.h"
#include "win32/language.h"
#include "win32/process.h"
#include "win32/text.h"

namespace {

void WriteErr(const std::string& text) {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (err != INVALID_HANDLE_VALUE && err != nullptr && GetConsoleMode(err, &mode)) {
        const std::wstring wide = win32::Widen(text);
        DWORD written = 0;
        WriteConsoleW(err, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    win32::RemoveCurrentFolderFromDllSearch();
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    cli::Env env;
    env.out = [](const std::string& bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    };
    env.err = WriteErr;
    env.realSystem = [] { return std::unique_ptr<sysaccess::System>(std::make_unique<win32::System>()); };
    env.language = win32::UserUiLanguage();
    const auto args = [&] {
        std::vector<std::string> utf8;
        for (int i = 1; i < argc; ++i)
            utf8.push_back(win32::Narrow(argv[i]));
        return utf8;
    };
    return cli::MainCatching(args, env);
}
