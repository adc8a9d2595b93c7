// Scale, quickly: a machine with 10,000 Run values and 2,000 Startup files lists them all and a
// pass removing half of them leaves exactly the other half. The timings and their growth are in
// bench/bench_scale.cpp.
#include <gtest/gtest.h>

#include <set>

#include "app/shell.h"
#include "optimize/pass.h"
#include "startup/startup.h"
#include "support/fake_host.h"
#include "sysaccess/sim/machine.h"

namespace {

constexpr const char* kUserRun = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kMachineRun = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kUserStartup = R"(C:\Documents and Settings\Administrator\「开始」菜单\程序\启动)";
constexpr const char* kAllStartup = R"(C:\Documents and Settings\All Users\「开始」菜单\程序\启动)";

// values Run values (half per key) and files Startup files (half per folder), names unique.
sim::Machine Crowded(int values, int files) {
    sim::Machine m;
    for (int i = 0; i < values; ++i) {
        m.SetString(i % 2 ? kMachineRun : kUserRun, "程序 " + std::to_string(i), "p" + std::to_string(i) + ".exe");
    }
    for (int i = 0; i < files; ++i) {
        m.AddFile(std::string(i % 2 ? kAllStartup : kUserStartup) + "\\快捷方式 " + std::to_string(i) + ".lnk", "lnk");
    }
    return m;
}

TEST(Scale, TenThousandRunValuesAndTwoThousandFilesListAndHalfAreRemoved) {
    sim::Machine m = Crowded(10000, 2000);
    form::MainForm form;
    testing_support::FakeHost host;
    form::Context ctx{form, m, host};
    app::LoadWindow(ctx);
    app::cmdStartup(ctx);
    const std::vector<std::string> listed = form.lstStartup().items;
    ASSERT_EQ(listed.size(), 12000u);
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()).size(), 12000u);

    std::set<std::string> kept;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (i % 2 == 0)
            form.SetStartupTick(static_cast<int>(i), true);
        else
            kept.insert(listed[i]);
    }
    optimize::cmdOptimize(ctx);

    const std::vector<std::string>& left = form.lstStartup().items;
    EXPECT_EQ(std::set<std::string>(left.begin(), left.end()), kept);
    EXPECT_EQ(left.size(), 6000u);
    EXPECT_EQ(form.lblWait(), "优化完成!请重新启动计算机");
    EXPECT_EQ(m.ListFolder(kUserStartup).size() + m.ListFolder(kAllStartup).size(), 1000u);
}

} // namespace
