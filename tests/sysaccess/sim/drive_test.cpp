// Drive C: of the simulated machine beyond what the System contract checks of it: paths, folder
// removal, holds that outlive the machine, names.
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

} // namespace
