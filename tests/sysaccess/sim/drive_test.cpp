// Drive C: of the simulated machine: paths, attributes, wildcards, holds, copies.
#include <algorithm>

#include <gtest/gtest.h>

#include "sysaccess/sim/machine.h"

namespace {

using Names = std::vector<std::string>;

TEST(SimDrive, PathsInAnyCaseAndSeparatorOnDriveCOnly) {
    sim::Machine m;
    m.AddFile("C:\\WINDOWS\\Help\\a.chm", "x");
    EXPECT_TRUE(m.FolderExists("c:/windows/HELP"));
    EXPECT_TRUE(m.FolderExists("C:\\windows\\help\\"));
    EXPECT_TRUE(m.FolderExists("C:\\"));
    EXPECT_TRUE(m.FileExists("c:\\Windows\\.\\System\\..\\help\\A.CHM"));
    EXPECT_EQ(m.ReadFile("C:\\WINDOWS\\help\\a.chm."), "x"); // Windows drops a trailing dot
    EXPECT_FALSE(m.FolderExists("D:\\WINDOWS"));
    EXPECT_FALSE(m.FolderExists("WINDOWS"));
    EXPECT_FALSE(m.FolderExists("C:WINDOWS"));
    EXPECT_FALSE(m.FileExists("C:\\WINDOWS\\help")); // a folder is not a file
    EXPECT_FALSE(m.ReadFile("C:\\WINDOWS\\help"));
    m.AddFile("D:\\elsewhere.txt", "x");
    EXPECT_EQ(m.AllPaths(), (Names{"C:\\WINDOWS", "C:\\WINDOWS\\Help", "C:\\WINDOWS\\Help\\a.chm"}));
}

TEST(SimDrive, FileExistsSeesOrdinaryFilesOnly) {
    sim::Machine m;
    m.AddFile("C:\\d\\hidden.lnk", "", sim::kHidden);
    m.AddFile("C:\\d\\system.lnk", "", sim::kSystem);
    m.AddFolder("C:\\d\\folder.lnk");
    EXPECT_FALSE(m.FileExists("C:\\d\\*.lnk"));
    EXPECT_FALSE(m.FileExists("C:\\d\\hidden.lnk"));
    m.AddFile("C:\\d\\readonly.lnk", "", sim::kReadOnly);
    EXPECT_TRUE(m.FileExists("C:\\d\\*.LNK"));
    EXPECT_TRUE(m.FileExists("C:\\d\\r?adonly.*"));
    EXPECT_FALSE(m.FileExists("C:\\d\\?.lnk"));
}

TEST(SimDrive, WildcardDeletionStaysInItsFolder) {
    sim::Machine m;
    const std::string menu = "C:\\Documents and Settings\\All Users\\「开始」菜单";
    m.AddFile(menu + "\\Windows Update.lnk");
    m.AddFile(menu + "\\a.LNK");
    m.AddFile(menu + "\\keep.txt");
    m.AddFile(menu + "\\desktop.ini", "", sim::kHidden | sim::kSystem);
    m.AddFile(menu + "\\hidden.lnk", "", sim::kHidden);
    m.AddFile(menu + "\\程序\\inner.lnk");
    m.AddFolder(menu + "\\folder.lnk");
    EXPECT_TRUE(m.DeleteFiles(menu + "\\*.lnk"));
    EXPECT_EQ(m.ListFolder(menu), (Names{"keep.txt"}));
    EXPECT_TRUE(m.PathExists(menu + "\\hidden.lnk"));
    EXPECT_TRUE(m.PathExists(menu + "\\程序\\inner.lnk"));
    EXPECT_TRUE(m.FolderExists(menu + "\\folder.lnk"));
    EXPECT_FALSE(m.DeleteFiles(menu + "\\*.lnk")); // nothing left to match
    EXPECT_FALSE(m.DeleteFiles(menu + "\\desktop.ini"));
    EXPECT_FALSE(m.DeleteFiles("C:\\nowhere\\*.lnk"));
}

TEST(SimDrive, ReadOnlyMatchesAreLeftAndReported) {
    sim::Machine m;
    m.AddFile("C:\\t\\a.tmp");
    m.AddFile("C:\\t\\b.tmp", "", sim::kReadOnly);
    m.AddFile("C:\\t\\c.tmp");
    const sysaccess::Result r = m.DeleteFiles("C:\\t\\*.tmp");
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("b.tmp"), std::string::npos);
    EXPECT_EQ(m.ListFolder("C:\\t"), (Names{"b.tmp"}));
}

TEST(SimDrive, RemoveFolderOnlyEmptyAndNotReadOnly) {
    sim::Machine m;
    m.AddFile("C:\\WINDOWS\\help\\x.chm");
    m.AddFolder("C:\\WINDOWS\\Ime\\imkr6_1");
    m.AddFolder("C:\\WINDOWS\\Ime\\locked", sim::kReadOnly);
    EXPECT_FALSE(m.RemoveFolder("C:\\WINDOWS\\help"));
    EXPECT_TRUE(m.PathExists("C:\\WINDOWS\\help\\x.chm"));
    EXPECT_TRUE(m.RemoveFolder("c:\\windows\\ime\\IMKR6_1"));
    EXPECT_FALSE(m.FolderExists("C:\\WINDOWS\\Ime\\imkr6_1"));
    EXPECT_FALSE(m.RemoveFolder("C:\\WINDOWS\\Ime\\locked"));
    EXPECT_FALSE(m.RemoveFolder("C:\\WINDOWS\\help\\x.chm"));
    EXPECT_FALSE(m.RemoveFolder("C:\\"));
}

TEST(SimDrive, ListFolderSortsWithoutCase) {
    sim::Machine m;
    for (const char* name : {"b.txt", "C.txt", "A.txt", "a b.txt", "启动.lnk"})
        m.AddFile(std::string("C:\\f\\") + name);
    m.AddFile("C:\\f\\desktop.ini", "", sim::kHidden);
    m.AddFolder("C:\\f\\sub");
    EXPECT_EQ(m.ListFolder("C:\\F"), (Names{"a b.txt", "A.txt", "b.txt", "C.txt", "启动.lnk"}));
    EXPECT_TRUE(m.ListFolder("C:\\missing").empty());
}

TEST(SimDrive, HeldFileCannotBeChangedUntilReleased) {
    sim::Machine m;
    m.AddFile("C:\\held.txt", "leftover", sim::kHidden);
    std::unique_ptr<sysaccess::FileHold> hold;
    ASSERT_TRUE(m.CreateHeldFile("c:\\HELD.txt", "new", hold));
    ASSERT_TRUE(hold);
    EXPECT_EQ(m.ReadFile("C:\\held.txt"), "new");
    EXPECT_EQ(m.Attributes("C:\\held.txt"), 0u);
    EXPECT_FALSE(m.DeleteFiles("C:\\held.txt"));
    EXPECT_FALSE(m.ReplaceFileAtomically("C:\\held.txt", "other"));
    std::unique_ptr<sysaccess::FileHold> second;
    EXPECT_FALSE(m.CreateHeldFile("C:\\held.txt", "again", second));

    sim::Machine copy = m; // a copy is another machine: nothing of it is held
    EXPECT_TRUE(copy.DeleteFiles("C:\\held.txt"));

    hold.reset();
    EXPECT_TRUE(m.ReplaceFileAtomically("C:\\held.txt", "other"));
    EXPECT_TRUE(m.DeleteFiles("C:\\held.txt"));
}

TEST(SimDrive, HoldOutlivingItsMachineIsHarmless) {
    std::unique_ptr<sysaccess::FileHold> hold;
    {
        sim::Machine m;
        ASSERT_TRUE(m.CreateHeldFile("C:\\x", "", hold));
    }
    hold.reset();
}

TEST(SimDrive, NewFilesNeedAFolderAndAValidName) {
    sim::Machine m;
    std::unique_ptr<sysaccess::FileHold> hold;
    EXPECT_FALSE(m.ReplaceFileAtomically("C:\\no folder\\setup.dat", "x"));
    EXPECT_FALSE(m.CreateHeldFile("C:\\no folder\\x.reg", "x", hold));
    for (const char* bad : {"C:\\a?b", "C:\\a*b", "C:\\a<b", "C:\\a|b", "C:\\a\"b", "C:\\a:b"}) {
        EXPECT_FALSE(m.ReplaceFileAtomically(bad, "x")) << bad;
    }
    m.AddFolder("C:\\dir");
    EXPECT_FALSE(m.ReplaceFileAtomically("C:\\dir", "x"));
    m.AddFile("C:\\ro.dat", "old", sim::kReadOnly);
    EXPECT_FALSE(m.ReplaceFileAtomically("C:\\ro.dat", "new"));
    EXPECT_EQ(m.ReadFile("C:\\ro.dat"), "old");
    EXPECT_TRUE(m.ReplaceFileAtomically("C:\\dir\\setup.dat", std::string("a\0b", 3)));
    EXPECT_EQ(m.ReadFile("C:\\DIR\\SETUP.DAT"), std::string("a\0b", 3));
    m.AddFolder("C:\\hidden", sim::kHidden);
    m.AddFile("C:\\hidden\\inner\\x.txt");
    EXPECT_EQ(m.Attributes("C:\\hidden"), sim::kHidden); // a file added below leaves it so
}

TEST(SimMachine, CopiesAreIndependent) {
    sim::Machine a = sim::Machine::Seeded();
    sim::Machine b = a;
    (void)b.Run("reg delete HKLM\\SYSTEM\\CurrentControlSet\\Services\\Alerter /f", sysaccess::RunMode::Wait);
    b.AddFile("C:\\new.txt");
    b.SetUserName("Someone");
    EXPECT_TRUE(a.KeyExists("HKLM\\SYSTEM\\CurrentControlSet\\Services\\Alerter"));
    EXPECT_FALSE(a.PathExists("C:\\new.txt"));
    EXPECT_TRUE(a.Commands().empty());
    EXPECT_EQ(a.UserName(), "Administrator");
    a = b;
    EXPECT_TRUE(a.PathExists("C:\\new.txt"));
    EXPECT_EQ(a.Commands().size(), 1u);
}

} // namespace
