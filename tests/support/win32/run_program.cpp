#include "../run_program.h"

#include <windows.h>

#include "sysaccess/cmdline.h"
#include "win32/text.h"

namespace testing_support {

namespace {

// An inheritable handle to a new file for the child's output.
HANDLE OutputFile(const std::filesystem::path& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       CREATE_ALWAYS, 0, nullptr);
}

} // namespace

Outcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::filesystem::path& folder) {
    std::string line = sysaccess::QuoteArgument(program);
    for (const std::string& a : args)
        line += " " + (a.empty() || a.find_first_of(" \t\"") != std::string::npos ? sysaccess::QuoteArgument(a) : a);
    // Files of their own for every run: a tool the program started may still hold the last ones.
    static int runs = 0;
    const std::string n = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    const std::filesystem::path out = folder / ("stdout-" + n), err = folder / ("stderr-" + n);
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING, 0, nullptr);
    si.hStdOutput = OutputFile(out);
    si.hStdError = OutputFile(err);
    PROCESS_INFORMATION pi{};
    std::wstring wide = win32::Widen(line);
    Outcome o;
    if (si.hStdOutput == INVALID_HANDLE_VALUE || si.hStdError == INVALID_HANDLE_VALUE) {
        o.err = "cannot create the output files in " + win32::Narrow(folder.wstring());
    } else if (CreateProcessW(nullptr, wide.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                              folder.wstring().c_str(), &si, &pi)) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(pi.hProcess, &code)) o.status = static_cast<int>(code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    for (HANDLE h : {si.hStdInput, si.hStdOutput, si.hStdError}) {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    o.out = ReadAll(out);
    o.err += ReadAll(err);
    return o;
}

} // namespace testing_support
