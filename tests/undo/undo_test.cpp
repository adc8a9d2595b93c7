// Apply then undo leaves the machine as it was; undo of the undo gives the applied state again; a
// damaged or hostile journal is refused whole and changes nothing.
#include <gtest/gtest.h>

#include <random>

#include "app/shell.h"
#include "cli/cli.h"
#include "hardening/machine_fixture.h"
#include "optimize/pass.h"
#include "support/fake_host.h"
#include "support/machine_state.h"
#include "sysaccess/forwarding.h"
#include "sysaccess/regscript.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"
#include "undo/journal.h"
#include "undo/restore.h"
#include "undo/sha256.h"
#include "undo/status.h"

namespace {

using testing_support::StateOf;

// A random prior state for a value the program writes: absent, or of any type.
void RandomValue(sim::Machine& m, std::mt19937& rng, const std::string& key, const std::string& name) {
    sysaccess::RegData d;
    switch (rng() % 5) {
    case 0:
        (void)m.DeleteValue(key, name);
        return;
    case 1:
        d.type = sysaccess::kRegDword, d.dword = rng();
        break;
    case 2:
        d.type = sysaccess::kRegSz, d.text = "旧值 \"" + std::to_string(rng() % 100) + "\\";
        break;
    case 3:
        d.type = sysaccess::kRegBinary, d.bytes = std::string(rng() % 90, '\x7f');
        break;
    default:
        d.type = sysaccess::kRegMultiSz, d.bytes = std::string("a\0\0\0\0\0", 6);
        break;
    }
    m.SetValue(key, name, d);
}

struct Bench {
    sim::Machine machine = hardening::FixtureMachine();
    form::MainForm form;
    testing_support::FakeHost host;
};

// A machine whose values are random where the program writes, and a form ticked at random.
void Randomise(Bench& s, std::mt19937& rng, form::Page page) {
    form::MainForm all;
    for (int i = 0; i < form::kChkCount; ++i)
        all.SetChk(i, form::kTicked);
    for (form::Page p : {form::Page::System, form::Page::Security}) {
        all.ShowPage(p);
        for (const auto& [key, name] : undo::PlanTargets(all, s.machine, optimize::cmdOptimize).values) {
            if (rng() % 2 == 0) continue;
            // A service's start type is one the service manager knows.
            if (name == "Start") s.machine.SetDword(key, name, rng() % 5);
            if (name != "Start") RandomValue(s.machine, rng, key, name);
        }
    }
    s.machine.Restart(); // the machine as it starts with these values
    form::Context ctx{s.form, s.machine, s.host};
    app::LoadWindow(ctx);
    for (int i = 0; i < form::kChkCount; ++i)
        s.form.SetChk(i, static_cast<int>(rng() % 3));
    for (int i = 0; i < form::kServiceCount; ++i)
        s.form.SetService(i, rng() % 2);
    for (int i = 0; i < form::kDriveCount; ++i)
        s.form.SetHide(i, rng() % 2), s.form.SetNot(i, rng() % 4 == 0);
    s.form.SetTxtPath(rng() % 2 ? "" : "D:\\下载");
    s.form.SelectOpt(static_cast<int>(rng() % 5));
    s.form.SetCombo2(static_cast<int>(rng() % 2));
    app::ShowPage(ctx, page);
    for (std::size_t i = 0; i < s.form.lstStartup().items.size(); ++i)
        s.form.SetStartupTick(static_cast<int>(i), rng() % 2);
}

TEST(Undo, ApplyThenUndoRestoresEveryPageAndUndoOfUndoReapplies) {
    std::mt19937 rng(2026);
    int passes = 0;
    for (int round = 0; round < 12; ++round) {
        for (form::Page page :
             {form::Page::System, form::Page::Security, form::Page::Service, form::Page::Wight, form::Page::Startup}) {
            for (bool automatic : {false, true}) {
                if (automatic && page != form::Page::System) continue;
                Bench s;
                if (round % 2) { // 64-bit Windows: AeDebug and the Run key in both views
                    s.machine.SetWow64(true);
                    s.machine.SetString(
                        R"(HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Run)", "Tool32",
                        R"(C:\Program Files (x86)\Tool\tool.exe)");
                }
                Randomise(s, rng, page);
                const auto before = StateOf(s.machine);
                form::Context ctx{s.form, s.machine, s.host};
                s.host.answers = {form::MsgAnswer::Ok};
                automatic ? app::cmdAuto(ctx) : app::cmdOptimize(ctx);
                const auto applied = StateOf(s.machine);
                const auto journals = undo::ListJournals(s.machine);
                ASSERT_EQ(journals.size(), 1u);
                undo::UndoReport report;
                ASSERT_TRUE(undo::Undo(s.machine, journals.back().name, {}, &report)) << round;
                EXPECT_EQ(StateOf(s.machine), before) << "round " << round << ", " << journals.back().what;
                if (page == form::Page::Wight && s.form.Ticked(form::kPurgeSystemCache)) {
                    EXPECT_NE(std::find(report.notUndoable.begin(), report.notUndoable.end(), "sfc /purgecache"),
                              report.notUndoable.end());
                }
                ASSERT_TRUE(undo::Undo(s.machine, undo::ListJournals(s.machine).back().name, {}, nullptr));
                EXPECT_EQ(StateOf(s.machine), applied) << "round " << round << ": undo of the undo";
                ++passes;
            }
        }
    }
    EXPECT_EQ(passes, 72);
}

// The journal of a system pass on the fixture, with its hash recorded as the program records it.
struct Hostile : ::testing::Test {
    Bench s;
    std::string name, text;
    void SetUp() override {
        form::Context ctx{s.form, s.machine, s.host};
        app::LoadWindow(ctx);
        for (int i = 0; i < form::kChkCount; ++i)
            s.form.SetChk(i, form::kTicked);
        app::cmdOptimize(ctx);
        name = undo::ListJournals(s.machine).back().name;
        text = sysaccess::Utf16LeToUtf8(s.machine.ReadFile(Path())->substr(2));
    }
    std::string Path() { return undo::UndoFolder(s.machine) + "\\" + name; }
    void Forge(const std::string& bytes) {
        s.machine.AddFile(Path(), bytes);
        s.machine.SetString(undo::kHashesKey, name, undo::Sha256Hex(bytes));
    }
};

TEST_F(Hostile, DamagedOrForgedJournalsAreRefusedWholeAndChangeNothing) {
    const std::string bom = "\xFF\xFE";
    const auto utf16 = [&](const std::string& t) { return bom + sysaccess::Utf8ToUtf16Le(t); };
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        return t.replace(t.find(from), from.size(), to);
    };
    const std::string service = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Alerter]\r\n";
    const struct {
        std::string bytes;
        const char* says;
        bool rehash = true;
    } cases[] = {
        {utf16(text.substr(0, text.size() - 7)), "is cut short"},
        {text, "not UTF-16 LE"},
        {utf16(replaced("; end", service + "\"ImagePath\"=\"evil.exe\"\r\n; end")), "never writes or deletes"},
        {utf16(replaced("; end", "[-HKEY_CURRENT_USER\\Software]\r\n; end")),
         "deleting HKEY_CURRENT_USER\\Software would take"},
        {utf16(replaced(".reg.1|", ".reg.1\\..\\..\\x|")), "is not one the program keeps"},
        {utf16(replaced("|C:\\Documents and Settings\\All Users\\「开始」菜单\\Windows Catalog.lnk",
                        "|C:\\WINDOWS\\system32\\Windows Catalog.lnk")),
         "is not one the program keeps"},
        {utf16(replaced("; end", "\"x\"=dword:1234567890\r\n; end")), "does not parse: \"x\"=dword:1234567890"},
        {utf16(replaced("; end", "; junk\r\n; end")), "SHA-256", false},
        {utf16(replaced("computer=SYSVELA-SIM", "computer=ELSEWHERE")), "written on ELSEWHERE"},
    };
    for (const auto& c : cases) {
        Bench copy = s;
        const auto before = StateOf(copy.machine);
        const auto files = copy.machine.ListFolder(undo::UndoFolder(copy.machine));
        const std::string path = Path();
        copy.machine.AddFile(path, c.bytes);
        if (c.rehash) copy.machine.SetString(undo::kHashesKey, name, undo::Sha256Hex(c.bytes));
        const sysaccess::Result r = undo::Undo(copy.machine, name, {}, nullptr);
        EXPECT_FALSE(r.ok) << c.says;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << r.error;
        EXPECT_EQ(StateOf(copy.machine), before) << c.says;
        EXPECT_EQ(copy.machine.ListFolder(undo::UndoFolder(copy.machine)), files) << c.says;
    }
    Forge(utf16(replaced("computer=SYSVELA-SIM", "computer=ELSEWHERE")));
    EXPECT_TRUE(
        undo::Undo(s.machine, name, {.force = true, .forceUser = false, .user = std::nullopt}, nullptr)); // --force
}

} // namespace

namespace {

// sysvela-cli run in this process on a machine of the test's, as it runs on the real system.
struct CliRun {
    int status = -1;
    std::string out, err;
};
CliRun Cli(sysaccess::System& machine, const std::vector<std::string>& args) {
    CliRun r;
    cli::Env env;
    env.out = [&](const std::string& s) { r.out += s; };
    env.err = [&](const std::string& s) { r.err += s; };
    env.realSystem = [&machine] {
        return std::unique_ptr<sysaccess::System>(std::make_unique<sysaccess::ForwardingSystem>(machine));
    };
    r.status = cli::Main(args, env);
    return r;
}

// A registry editor that ends with 0 having written nothing, as regedit does where it may not write.
struct DeafRegedit : sysaccess::ForwardingSystem {
    using ForwardingSystem::ForwardingSystem;
    sysaccess::RunResult Run(const std::string& line, sysaccess::RunMode mode) override {
        if (line.starts_with("regedit")) return sysaccess::RunResult::Exited(0);
        return ForwardingSystem::Run(line, mode);
    }
};

const std::string kMinimal = hardening::kSafeBoot + "Minimal";
const std::string kDisallowCpl =
    R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer\DisallowCpl)";
const std::string kBobStartup = R"(C:\Documents and Settings\Bob\「开始」菜单\程序\启动)";

// One pass of page on the fixture, the form set up by `setup`, startup entries ticked by name.
void Optimize(Bench& s, form::Page page, const std::function<void(form::MainForm&)>& setup = {},
              const std::vector<std::string>& entries = {}) {
    form::Context ctx{s.form, s.machine, s.host};
    app::LoadWindow(ctx);
    if (setup) setup(s.form);
    app::ShowPage(ctx, page);
    for (std::size_t i = 0; i < s.form.lstStartup().items.size(); ++i) {
        const std::string& item = s.form.lstStartup().items[i];
        if (std::find(entries.begin(), entries.end(), item) != entries.end())
            s.form.SetStartupTick(static_cast<int>(i), true);
    }
    app::cmdOptimize(ctx);
}

void TickServices(form::MainForm& f) {
    for (int i = 0; i < form::kServiceCount; ++i)
        f.SetService(i, true);
}

std::string Says(const CliRun& r, int status, const std::vector<std::string>& words) {
    std::string wrong = r.status == status ? "" : "exit " + std::to_string(r.status) + "; ";
    for (const std::string& w : words) {
        if (r.out.find(w) == std::string::npos && r.err.find(w) == std::string::npos) wrong += "no \"" + w + "\"; ";
    }
    return wrong.empty() ? "" : wrong + "out: " + r.out + " err: " + r.err;
}

// Each fault found in undo and status, as the user or the attacker meets it; "" when undo keeps its
// promise: nothing but the pass's changes put back, on the machine and for the user whose pass it
// was, never bytes the hash does not cover, and every failure said.
TEST(Undo, KeepsItsPromisesWhereItOnceFailed) {
    int second = 0;
    const auto clock = undo::Now;
    undo::Now = [&] {
        char time[32];
        std::snprintf(time, sizeof time, "2026-12-07 01:%02d:%02d", second / 60 % 60, second % 60);
        ++second;
        return std::string(time);
    };
    const struct {
        const char* fault;
        std::function<std::string(Bench&)> run;
    } cases[] = {
        {"1 a replaced copy is refused, not put into the Startup folder",
         [](Bench& s) {
             Optimize(s, form::Page::Startup, {}, {"b.lnk"});
             const std::string copy = undo::UndoFolder(s.machine) + "\\" + undo::ListJournals(s.machine)[0].name + ".1";
             if (!s.machine.ReadFile(copy)) return std::string("no copy");
             s.machine.AddFile(copy, "evil");
             const auto before = StateOf(s.machine);
             const CliRun r = Cli(s.machine, {"undo", "--last"});
             return Says(r, 1, {"SHA-256"}) + (StateOf(s.machine) == before ? "" : "changed; ");
         }},
        {"2 a safe-boot key an installer wrote after the pass stays, or undo refuses",
         [](Bench& s) {
             Optimize(s, form::Page::Security, [](form::MainForm& f) { f.SetChk(form::kNoSafeMode, form::kTicked); });
             s.machine.SetString(kMinimal + "\\InstallerDriver.sys", "", "Driver");
             const auto before = StateOf(s.machine);
             const CliRun r = Cli(s.machine, {"undo", "--last"});
             if (r.status == 0)
                 return std::string(s.machine.KeyExists(kMinimal + "\\InstallerDriver.sys") ? "" : "gone");
             return Says(r, 1, {"InstallerDriver.sys"}) + (StateOf(s.machine) == before ? "" : "changed; ");
         }},
        {"2 a control-panel restriction a policy added after the pass stays, or undo refuses",
         [](Bench& s) {
             Optimize(s, form::Page::Security);
             s.machine.SetString(kDisallowCpl, "2", "desk.cpl");
             const auto before = StateOf(s.machine);
             const CliRun r = Cli(s.machine, {"undo", "--last"});
             if (r.status == 0) return std::string(s.machine.ReadRegValue(kDisallowCpl, "2") ? "" : "gone");
             return Says(r, 1, {"DisallowCpl\\2"}) + (StateOf(s.machine) == before ? "" : "changed; ");
         }},
        {"3 another user's undo is refused, naming both, unless --force-user",
         [](Bench& s) {
             Optimize(s, form::Page::System, [](form::MainForm& f) { f.SetChk(form::kCpuPriority, form::kTicked); });
             s.machine.SetUserName("Bob");
             s.machine.SetUserSid("S-1-5-21-1004336348-1177238915-682003330-1003");
             const auto before = StateOf(s.machine);
             const CliRun r = Cli(s.machine, {"undo", "--last"});
             const std::string refused =
                 Says(r, 1, {"Administrator", "Bob"}) + (StateOf(s.machine) == before ? "" : "changed; ");
             return refused + Says(Cli(s.machine, {"undo", "--last", "--force-user"}), 0, {});
         }},
        {"4 a value name with a line break stops the pass before it changes anything, named",
         [](Bench& s) {
             s.machine.SetString(hardening::kUserRunKey, "two\r\nlines", "x.exe");
             const auto before = StateOf(s.machine);
             Optimize(s, form::Page::Startup, {}, {"two\r\nlines", "b.lnk"});
             const bool named = !s.host.messages.empty() && s.host.messages[0].text.find("two") != std::string::npos;
             return std::string(named ? "" : "not named; ") + (StateOf(s.machine) == before ? "" : "the pass ran; ");
         }},
        {"5 a journal of apply --user is undone for that user's folder with undo --user",
         [](Bench& s) {
             s.machine.AddFile(kBobStartup + "\\bob.lnk", "bob's");
             const auto before = StateOf(s.machine);
             Optimize(s, form::Page::Startup, [](form::MainForm& f) { f.UserName = "Bob"; }, {"bob.lnk"});
             if (s.machine.FileExists(kBobStartup + "\\bob.lnk")) return std::string("not removed");
             const std::string wrong = Says(Cli(s.machine, {"undo", "--last", "--user", "Bob"}), 0, {});
             return wrong + (StateOf(s.machine) == before ? "" : "not restored; ");
         }},
        {"6 status reads an option applied with another list item or cache size as on",
         [](Bench& s) {
             Optimize(s, form::Page::System, [](form::MainForm& f) {
                 f.SetChk(form::kCpuPriority, form::kTicked);
                 f.SetCombo3(1);
                 f.SetChk(form::kL2Cache, form::kTicked);
                 f.SelectOpt(2);
             });
             std::string wrong;
             for (const undo::OptionStatus& o : undo::PageStatus(s.machine, form::Page::System)) {
                 if ((o.chk == form::kCpuPriority || o.chk == form::kL2Cache) && o.state != undo::OptionState::On)
                     wrong += std::to_string(o.chk) + " " + undo::StateWord(o.state) + "; ";
             }
             return wrong;
         }},
        {"7 an import that wrote nothing is reported failed",
         [](Bench& s) {
             Optimize(s, form::Page::System, [](form::MainForm& f) { f.SetChk(form::kCpuPriority, form::kTicked); });
             DeafRegedit deaf(s.machine);
             return Says(Cli(deaf, {"undo", "--last"}), 1, {"Services\\VxD is still there"});
         }},
        {"7 the service manager holds the restored start types, not only the registry",
         [](Bench& s) {
             const auto before = StateOf(s.machine);
             Optimize(s, form::Page::Service, TickServices);
             const std::string wrong = Says(Cli(s.machine, {"undo", "--last"}), 0, {});
             return wrong + (StateOf(s.machine) == before ? "" : "differs");
         }},
        {"8 undo --last twice undoes the two passes, newest first, past a backup of the user's",
         [](Bench& s) {
             const auto before = StateOf(s.machine);
             Optimize(s, form::Page::System, [](form::MainForm& f) { f.SetChk(form::kCpuPriority, form::kTicked); });
             Optimize(s, form::Page::Security, [](form::MainForm& f) { f.SetChk(form::kNoSafeMode, form::kTicked); });
             s.machine.AddFile(undo::UndoFolder(s.machine) + "\\backup-before-tuning.reg",
                               "\xFF\xFE" + sysaccess::Utf8ToUtf16Le("Windows Registry Editor Version 5.00\r\n"));
             std::string wrong = Says(Cli(s.machine, {"undo", "--last"}), 0, {"backup-before-tuning.reg"});
             wrong += Says(Cli(s.machine, {"undo", "--last"}), 0, {});
             return wrong + (StateOf(s.machine) == before ? "" : "differs");
         }},
        {"9 a journal larger than any the program writes is refused unread, and listed as such",
         [](Bench& s) {
             Optimize(s, form::Page::System);
             const std::string name = undo::ListJournals(s.machine)[0].name,
                               path = undo::UndoFolder(s.machine) + "\\" + name;
             std::string text = sysaccess::Utf16LeToUtf8(s.machine.ReadFile(path)->substr(2));
             text.insert(text.rfind("; end"), "; " + std::string(9u << 20, 'x') + "\r\n");
             const std::string bytes = "\xFF\xFE" + sysaccess::Utf8ToUtf16Le(text);
             s.machine.AddFile(path, bytes);
             s.machine.SetString(undo::kHashesKey, name, undo::Sha256Hex(bytes));
             const auto before = StateOf(s.machine);
             std::string wrong = Says(Cli(s.machine, {"undo", name}), 1, {"16 MiB"});
             wrong += Says(Cli(s.machine, {"undo", "--list"}), 0, {"16 MiB"});
             return wrong + (StateOf(s.machine) == before ? "" : "changed; ");
         }},
        {"10 a service uninstalled since the pass is skipped, said, and the others restored",
         [](Bench& s) {
             const auto before = StateOf(s.machine);
             Optimize(s, form::Page::Service, TickServices);
             const std::string alerter = std::string(sysaccess::kServicesKey) + "Alerter";
             (void)s.machine.DeleteKey(alerter);
             std::string wrong = Says(Cli(s.machine, {"undo", "--last"}), 0, {"服务 Alerter 已不存在，跳过"});
             for (const std::string& line : before) {
                 if (sysaccess::FoldCase(line).find("ALERTER") == std::string::npos &&
                     !StateOf(s.machine).contains(line))
                     wrong += "not restored: " + line + "; ";
             }
             return wrong;
         }},
    };
    for (const auto& c : cases) {
        Bench s;
        EXPECT_EQ(c.run(s), "") << c.fault;
    }
    undo::Now = clock;
}

TEST(Sha256, KnownDigests) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000, 'a'), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
    };
    for (const auto& [text, digest] : cases)
        EXPECT_EQ(undo::Sha256Hex(text), digest) << text.size();
}

} // namespace
