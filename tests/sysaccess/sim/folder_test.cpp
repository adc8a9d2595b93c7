// The machine folder (registry.reg, drive_c/, attributes.txt) and the seed built from one.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "sysaccess/sim/machine.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kServices = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Put(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

fs::path U8(const std::string& s) {
    return fs::path(std::u8string(s.begin(), s.end()));
}

class TempDir : public testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        // One folder per process and test: runs of other builds on this machine may be going on.
        dir = fs::temp_directory_path() / ("sim-folder-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::optional<sim::Machine> Load(std::string* error = nullptr) {
        sim::LoadedMachine loaded = sim::Machine::Load(dir.string());
        if (error) *error = loaded.error;
        return std::move(loaded.machine);
    }
};

TEST(SimSeed, ASimplifiedChineseXp) {
    sim::Machine m = sim::Machine::Seeded();
    EXPECT_EQ(m.UserName(), "Administrator");
    EXPECT_EQ(m.CodePage(), 936u);
    for (const char* name :
         {"Alerter",   "wuauserv",     "ClipSrv",          "ERSvc",   "FastUserSwitchingCompatibility",
          "Helpsvc",   "PolicyAgent",  "Messenger",        "Spooler", "RemoteRegistry",
          "wscsvc",    "lanmanserver", "ShellHWDetection", "SSDPSRV", "Schedule",
          "WebClient", "SharedAccess", "W32Time",          "WZCSVC",  "RDSessMgr"}) {
        const auto start = m.ReadRegValue(kServices + std::string(name), "Start");
        ASSERT_TRUE(start) << name;
        EXPECT_TRUE(start->dword == 2 || start->dword == 3) << name;
        EXPECT_TRUE(m.ReadRegValue(kServices + std::string(name), "DisplayName")) << name;
    }
    const auto hkcuRun =
        m.EnumRegValues(sysaccess::RegRoot::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    const auto hklmRun =
        m.EnumRegValues(sysaccess::RegRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_GE(hkcuRun.size(), 2u);
    ASSERT_GE(hklmRun.size(), 2u);
    EXPECT_GT(
        m.ReadRegValue("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Contoso Update Agent")->text.size(),
        300u);
    EXPECT_TRUE(m.KeyExists("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\"
                            "NameSpace\\{645FF040-5081-101B-9F08-00AA002F954E}"));
    for (const char* mode : {"Minimal", "Network"}) {
        const std::string key = std::string("HKLM\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\") + mode;
        EXPECT_GE(m.SubKeys(key).size(), 5u) << mode;
    }
    EXPECT_TRUE(
        m.ReadRegValue("HKLM\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\Network\\NetBT\\Parameters", "Enable"));

    for (const char* user : {"Administrator", "All Users"}) {
        const std::string startup = std::string("C:\\Documents and Settings\\") + user + "\\「开始」菜单\\程序\\启动";
        EXPECT_FALSE(m.ListFolder(startup).empty()) << user;
        EXPECT_EQ(m.Attributes(startup + "\\desktop.ini"), sim::kHidden | sim::kSystem) << user;
    }
    EXPECT_TRUE(m.FileExists("C:\\Documents and Settings\\All Users\\「开始」菜单\\Windows Catalog.lnk"));
    EXPECT_TRUE(m.FileExists("C:\\Documents and Settings\\All Users\\「开始」菜单\\Windows Update.lnk"));
    EXPECT_TRUE(m.FileExists("C:\\windows\\driver cache\\i386\\Driver.cab"));
    for (const char* folder : {"C:\\Windows\\help", "C:\\Windows\\temp", "C:\\Windows\\Ime\\chtime",
                               "C:\\Windows\\Ime\\imjp8_1", "C:\\Windows\\Ime\\imkr6_1"}) {
        EXPECT_TRUE(m.FolderExists(folder)) << folder;
    }
}

TEST(SimSeed, RegistryFileIsAlreadyInExportForm) {
    // The seed's registry.reg is written exactly as the machine writes it back, so a saved seed
    // differs from the seed only where something changed.
    const char* source = std::getenv("SYSVELA_SOURCE_DIR");
    if (!source) GTEST_SKIP() << "SYSVELA_SOURCE_DIR not set";
    const std::string file = Slurp(fs::path(source) / "src/sysaccess/sim/seed/registry.reg");
    EXPECT_EQ(sim::Machine::Seeded().ExportRegistry(), file);
}

TEST_F(TempDir, SaveAndLoadGiveTheSameMachine) {
    sim::Machine m = sim::Machine::Seeded();
    m.AddFile("C:\\新建文件夹\\说明.txt", std::string("\0\xff\r\n", 4), sim::kReadOnly);
    m.AddFolder("C:\\Empty\\Deeper", sim::kHidden);
    m.SetString("HKCU\\Software\\中文", "名", "multi\nline");
    (void)m.Run("reg delete HKLM\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot\\Minimal /f", sysaccess::RunMode::Wait);
    ASSERT_TRUE(m.Save(dir.string()));
    ASSERT_TRUE(m.Save(dir.string())); // over an earlier save

    std::string error;
    const auto back = Load(&error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->ExportRegistry(), m.ExportRegistry());
    EXPECT_EQ(back->AllPaths(), m.AllPaths());
    for (const std::string& p : m.AllPaths()) {
        EXPECT_EQ(back->Attributes(p), m.Attributes(p)) << p;
        EXPECT_EQ(sim::Machine(*back).ReadFile(p), m.ReadFile(p)) << p;
    }
    std::vector<std::string> top;
    for (const auto& e : fs::directory_iterator(dir))
        top.push_back(e.path().filename().string());
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"attributes.txt", "drive_c", "registry.reg"}));
    EXPECT_TRUE(fs::exists(dir / "drive_c/Empty/Deeper/.keep"));
}

TEST_F(TempDir, SavedFilesHaveTheirDocumentedForm) {
    sim::Machine m;
    m.SetDword("HKLM\\SOFTWARE\\A", "d", 1);
    m.AddFile("C:\\dir\\h.ini", "x", sim::kHidden | sim::kSystem | sim::kReadOnly);
    ASSERT_TRUE(m.Save(dir.string()));
    EXPECT_EQ(Slurp(dir / "registry.reg"),
              "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\r\n\"d\"=dword:00000001\r\n\r\n");
    EXPECT_EQ(Slurp(dir / "attributes.txt"), "HSR\tC:\\dir\\h.ini\n");
    EXPECT_EQ(Slurp(dir / "drive_c/dir/h.ini"), "x");
}

TEST_F(TempDir, LoadsWhatAPersonWrites) {
    Put(dir / "registry.reg", "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Child\\Grandchild]\n\"v\"=\"1\"\n\n"
                              "[HKEY_CURRENT_USER\\Software]\n@=\"parent after child\"\n"
                              "[HKLM\\SOFTWARE\\Short]\r\n\"crlf\"=dword:1\r\n");
    Put(dir / U8("drive_c/Documents and Settings/All Users/「开始」菜单/程序/启动/x.lnk"), "lnk");
    Put(dir / "drive_c/WINDOWS/temp/.keep", "");
    Put(dir / "attributes.txt",
        "# attributes\r\n\r\nrh   C:\\documents and settings\\all users\\「开始」菜单\\程序\\启动\\X.LNK\r\n");
    std::string error;
    const auto m = Load(&error);
    ASSERT_TRUE(m) << error;
    sim::Machine machine = *m;
    EXPECT_EQ(machine.ReadRegValue("HKCU\\Software\\Child\\Grandchild", "v")->text, "1");
    EXPECT_EQ(machine.ReadRegValue("HKCU\\Software", "")->text, "parent after child");
    EXPECT_EQ(machine.ReadRegValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Short", "crlf")->dword, 1u);
    EXPECT_TRUE(machine.FolderExists("C:\\WINDOWS\\temp"));
    EXPECT_FALSE(machine.PathExists("C:\\WINDOWS\\temp\\.keep"));
    EXPECT_EQ(machine.Attributes("C:\\Documents and Settings\\All Users\\「开始」菜单\\程序\\启动\\x.lnk"),
              sim::kHidden | sim::kReadOnly);
}

TEST_F(TempDir, DamagedFoldersAreRefusedWithAReason) {
    std::string error;
    const sim::LoadedMachine missing = sim::Machine::Load((dir / "missing").string());
    EXPECT_FALSE(missing.machine);
    EXPECT_NE(missing.error.find("missing"), std::string::npos);

    EXPECT_FALSE(Load(&error));
    EXPECT_NE(error.find("registry.reg"), std::string::npos);

    Put(dir / "registry.reg", "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\A]\n\"v\"=dword:xyz\n");
    EXPECT_FALSE(Load(&error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;

    Put(dir / "registry.reg", "Windows Registry Editor Version 5.00\n");
    Put(dir / "attributes.txt", "H\tC:\\not\\there.txt\n");
    EXPECT_FALSE(Load(&error));
    EXPECT_NE(error.find("C:\\not\\there.txt"), std::string::npos) << error;
    Put(dir / "attributes.txt", "HX\tC:\\\n");
    EXPECT_FALSE(Load(&error));
    fs::remove(dir / "attributes.txt");

    Put(dir / "drive_c/Same.txt", "1");
    Put(dir / "drive_c/same.TXT", "2");
    EXPECT_FALSE(Load(&error));
    EXPECT_NE(error.find("case"), std::string::npos) << error;
    fs::remove(dir / "drive_c/same.TXT");
    Put(dir / "drive_c/bad:name", "");
    EXPECT_FALSE(Load(&error));
    EXPECT_EQ(error, "not a Windows file name: drive_c/bad:name");
    fs::remove(dir / "drive_c/bad:name");
    EXPECT_TRUE(Load(&error)) << error;
}

TEST_F(TempDir, SaveIntoAnUnwritablePlaceFails) {
    Put(dir / "file", "x");
    EXPECT_FALSE(sim::Machine().Save((dir / "file" / "sub").string()));
}

} // namespace
