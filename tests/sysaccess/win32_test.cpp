// What only the real machine can show: tools are started from their system folders whatever
// lies beside the program or in the working folder, command lines reach the tools without a
// shell, the registry script is held against writers while it is imported, and the user and
// folders the Windows System reports. (Which tool path is chosen is a portable decision, tested
// natively in wow64_test.cpp.)
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "contract_env.h"
#include "sysaccess/win32/system.h"
#include "win32/handles.h"
#include "win32/test_area.h"
#include "win32/text.h"

namespace {

using contract::kTestFolder;
using contract::kTestKey;
using sysaccess::RegType;
using sysaccess::RunMode;
using win32::Narrow;
using win32::Widen;

const std::wstring kMarker = L"c:\\sysvela-test\\planted-ran.txt";

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring PlantedTool() {
    return ExeFolder() + L"\\planted_tool.exe";
}

std::string MarkerText() {
    win32::Handle file(CreateFileW(kMarker.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    char buffer[4096];
    DWORD got = 0;
    ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr);
    return std::string(buffer, got);
}

bool KeyExists(const std::string& subkey) {
    win32::RegKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, Widen(subkey).c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

class Win32System : public ::testing::Test {
protected:
    void SetUp() override { win32test::ResetTestArea(); }
    void TearDown() override { win32test::ResetTestArea(); }
    static std::string Key(const std::string& sub) { return std::string(kTestKey) + "\\" + sub; }

    win32::System sys_;
};

// Copies of the planted tool under the names of system tools, removed again whatever happens.
class Plants {
public:
    void Add(const std::wstring& path) {
        ASSERT_TRUE(CopyFileW(PlantedTool().c_str(), path.c_str(), FALSE)) << Narrow(path);
        paths_.push_back(path);
    }
    ~Plants() {
        for (const std::wstring& p : paths_)
            DeleteFileW(p.c_str());
    }

private:
    std::vector<std::wstring> paths_;
};

// Runs in another working folder and returns to the old one.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::wstring& folder) {
        GetCurrentDirectoryW(MAX_PATH, old_);
        SetCurrentDirectoryW(folder.c_str());
    }
    ~WorkingFolder() { SetCurrentDirectoryW(old_); }

private:
    wchar_t old_[MAX_PATH] = {};
};

TEST_F(Win32System, PlantedToolsBesideTheProgramOrInTheWorkingFolderNeverRun) {
    Plants plants;
    const std::wstring folder = Widen(kTestFolder);
    for (const wchar_t* name : {L"reg.exe", L"regedit.exe", L"sc.exe", L"regsvr32.exe"}) {
        plants.Add(ExeFolder() + L"\\" + name);
        plants.Add(folder + L"\\" + name);
    }
    WorkingFolder working(folder);

    // The plant works: named by its path, it runs and leaves its mark.
    EXPECT_EQ(sys_.Run(Narrow(folder) + "\\reg.exe add x", RunMode::Wait).exitCode, 77u);
    ASSERT_THAT(MarkerText(), ::testing::HasSubstr("reg.exe add x"));
    ASSERT_TRUE(DeleteFileW(kMarker.c_str()));

    const sysaccess::RunResult add = sys_.Run("reg add " + Key("Planted") + " /f", RunMode::Wait);
    EXPECT_EQ(add.Describe(), "ok");
    EXPECT_TRUE(KeyExists("Software\\SysvelaTest\\Planted"));
    EXPECT_EQ(sys_.Run("REG.EXE delete " + Key("Planted") + " /f", RunMode::Wait).Describe(), "ok");
    EXPECT_FALSE(KeyExists("Software\\SysvelaTest\\Planted"));
    const sysaccess::Result written = sys_.WriteRegValue(Key("Planted"), RegType::Dword, "V", "00000003");
    EXPECT_TRUE(written.ok) << written.error;
    const auto value = sys_.ReadRegValue(Key("Planted"), "V");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->dword, 3u);
    EXPECT_NE(sys_.Run("regsvr32 /s c:\\sysvela-test\\none.dll", RunMode::Wait).exitCode, 77u);
    EXPECT_EQ(MarkerText(), "") << "a planted tool ran";
}

TEST_F(Win32System, OtherProgramsAreFoundByTheNormalSearchWithAHiddenWindow) {
    // The program's own folder is searched first for anything that is not one of the tools.
    const sysaccess::RunResult r = sys_.Run("planted_tool one \"two three\"", RunMode::Wait);
    EXPECT_EQ(r.exitCode, 77u);
    EXPECT_THAT(MarkerText(),
                ::testing::StartsWith("planted_tool one \"two three\"\tflags=" + std::to_string(STARTF_USESHOWWINDOW) +
                                      " show=" + std::to_string(SW_HIDE) + "\r\n"));
}

TEST_F(Win32System, ShellMetacharactersReachTheToolAsPlainText) {
    const std::string name = "a&b|c>d^e%PATH%f<g";
    EXPECT_EQ(sys_.Run("reg add \"" + Key(name) + "\" /f", RunMode::Wait).Describe(), "ok");
    EXPECT_TRUE(KeyExists("Software\\SysvelaTest\\" + name));
    EXPECT_FALSE(KeyExists("Software\\SysvelaTest\\a"));
    EXPECT_EQ(sys_.Run("reg add " + Key("x") + " /f & reg add " + Key("y") + " /f", RunMode::Wait).exitCode, 1u)
        << "reg itself rejects the extra arguments";
    EXPECT_FALSE(KeyExists("Software\\SysvelaTest\\y"));

    const std::string data = "x & y | z > w ^ %PATH% \"q\"";
    ASSERT_TRUE(sys_.WriteRegValue(Key("Meta"), RegType::String, "v&|", data).ok);
    const auto value = sys_.ReadRegValue(Key("Meta"), "v&|");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, data);
}

TEST_F(Win32System, WaitingCallsTheIdleHookAndReturnsTheExitCode) {
    int idles = 0;
    sys_.SetIdleHook([&] { ++idles; });
    const sysaccess::RunResult r = sys_.Run(Narrow(PlantedTool()) + " sleep 400", RunMode::Wait);
    EXPECT_EQ(r.Describe(), "exit code 77");
    EXPECT_GE(idles, 4);
}

TEST_F(Win32System, HeldFileRefusesOutsideWritersButLetsReadersIn) {
    const std::wstring path = Widen(kTestFolder) + L"\\held.reg";
    std::unique_ptr<sysaccess::FileHold> hold;
    ASSERT_TRUE(sys_.CreateHeldFile(Narrow(path), "script", hold).ok);

    win32::Handle writer(CreateFileW(path.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(writer);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    EXPECT_FALSE(MoveFileW(path.c_str(), (path + L".moved").c_str()));
    win32::Handle reader(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(reader) << "a reader that shares only reading gets in";
    reader.reset();

    hold.reset();
    writer.reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(writer) << "released";
}

TEST_F(Win32System, TheScriptIsHeldWhileRegeditImportsIt) {
    int attempts = 0, refused = 0;
    sys_.SetIdleHook([&] {
        ++attempts;
        win32::Handle writer(CreateFileW(L"c:\\tempreg.reg", GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!writer) ++refused;
    });
    ASSERT_TRUE(sys_.WriteRegValue(Key("Held"), RegType::String, "V", "imported").ok);
    EXPECT_EQ(refused, attempts);
    const auto value = sys_.ReadRegValue(Key("Held"), "V");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text, "imported");
}

TEST_F(Win32System, AReadOnlyLeftoverScriptIsReplaced) {
    win32::Handle(
        CreateFileW(L"c:\\tempreg.reg", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(SetFileAttributesW(L"c:\\tempreg.reg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const sysaccess::Result r = sys_.WriteRegValue(Key("Leftover"), RegType::Dword, "V", "00000009");
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(GetFileAttributesW(L"c:\\tempreg.reg"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32System, IdentityAndFolders) {
    EXPECT_FALSE(sys_.UserName().empty());
    EXPECT_EQ(Widen(sys_.ProgramFolder()), ExeFolder());
    using sysaccess::KnownFolder;
    for (KnownFolder f : {KnownFolder::Windows, KnownFolder::Profiles, KnownFolder::Profile, KnownFolder::StartMenu,
                          KnownFolder::Startup, KnownFolder::CommonStartMenu, KnownFolder::CommonStartup}) {
        const auto folder = sys_.KnownFolderPath(f);
        ASSERT_TRUE(folder) << static_cast<int>(f);
        EXPECT_TRUE(sys_.FolderExists(*folder)) << *folder;
    }
    EXPECT_NE(sys_.KnownFolderPath(KnownFolder::Startup), sys_.KnownFolderPath(KnownFolder::CommonStartup));
    wchar_t windows[MAX_PATH];
    ASSERT_NE(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    EXPECT_EQ(Widen(*sys_.KnownFolderPath(KnownFolder::Windows)), windows);
    // Wine reports the version its prefix was set to, as RtlGetVersion does on Windows.
    const sysaccess::WindowsVersion v = sys_.Version();
    EXPECT_TRUE(v.known && sysaccess::ReleaseOf(v)) << sysaccess::FormatVersionLine(v);
    EXPECT_EQ(v.x64, sizeof(void*) == 8 || sys_.Has32BitView());
    EXPECT_EQ(GetACP(), 936u) << "the tests run with the Chinese ANSI code page";
}

} // namespace
