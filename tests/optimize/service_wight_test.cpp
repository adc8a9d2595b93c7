// The service page and the slimming page on the simulated machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "optimize/sections.h"
#include "trace.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct Pages : catalogue_test::PageTest {
    std::uint32_t Start(const char* service) {
        return sys.ReadRegValue(std::string(R"(HKLM\SYSTEM\CurrentControlSet\Services\)") + service, "Start")->dword;
    }
};

TEST_F(Pages, ServicesSelectedItemsAreDisabledByIndexNotText) {
    form.SetService(3, true);
    form.SetService(16, true);
    optimize::RunServiceSection(form, sys);
    EXPECT_EQ(Start("ERSvc"), 4u);
    EXPECT_EQ(Start("SharedAccess"), 4u);
    EXPECT_EQ(Start("Alerter"), 3u);
    EXPECT_EQ(
        sys.ReadRegValue(R"(HKLM\SYSTEM\CurrentControlSet\Services\RDSessMgr)", "Start")->dword,
        sim::Machine::Seeded().ReadRegValue(R"(HKLM\SYSTEM\CurrentControlSet\Services\RDSessMgr)", "Start")->dword);
}

TEST_F(Pages, SlimmingRemovesOnlyWhatIsThereAndEmpty) {
    machine = catalogue_test::Machine(sim::Machine()); // a drive set up for the case
    sim::Machine& m = machine;
    m.AddFile(R"(C:\WINDOWS\Driver Cache\i386\driver.cab)", "", sim::kHidden); // hidden: stays
    m.AddFolder(R"(C:\WINDOWS\temp)");
    m.AddFile(R"(C:\WINDOWS\help\a.chm)");
    m.AddFolder(R"(C:\WINDOWS\IME\imkr6_1)");
    for (int i : {41, 42, 45, 46, 52})
        form.SetChk(i, 1);
    optimize::RunWightSection(form, sys);
    EXPECT_THAT(Lines(), ElementsAre("start sfc /purgecache", R"(rmdir C:\Windows\temp)", R"(rmdir C:\Windows\help)",
                                     R"(rmdir C:\Windows\Ime\imkr6_1)"));
    EXPECT_FALSE(m.PathExists(R"(C:\WINDOWS\temp)"));
    EXPECT_TRUE(m.PathExists(R"(C:\WINDOWS\help\a.chm)")); // not empty: folder and file stay
    EXPECT_FALSE(m.PathExists(R"(C:\WINDOWS\IME\imkr6_1)"));
    EXPECT_TRUE(m.PathExists(R"(C:\WINDOWS\Driver Cache\i386\driver.cab)"));

    m.SetAttributes(R"(C:\WINDOWS\Driver Cache\i386\driver.cab)", 0);
    ClearLines();
    optimize::RunWightSection(form, sys);
    EXPECT_THAT(Lines(), ::testing::Contains(R"(delete C:\windows\driver cache\i386\Driver.cab)"));
    EXPECT_FALSE(m.PathExists(R"(C:\WINDOWS\Driver Cache\i386\driver.cab)"));
}

} // namespace
