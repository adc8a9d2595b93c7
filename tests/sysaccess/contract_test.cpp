// One set of cases for every real System: natively they check the simulated machine, under Wine
// the Windows implementation against Wine's own regedit, reg and file system. Where Wine is
// known to differ from Windows, a case compares only what Windows guarantees, or is skipped
// with the reason.
#include <gtest/gtest.h>

#include <algorithm>

#include "contract_env.h"

namespace {

using contract::kTestFolder;
using contract::kTestKey;
using sysaccess::RegType;
using sysaccess::RunMode;

class Contract : public ::testing::Test {
protected:
    void SetUp() override { env_ = contract::MakeEnv(); }
    void TearDown() override { env_.reset(); }

    sysaccess::System& Sys() { return env_->Sys(); }
    contract::Env& Env() { return *env_; }
    static std::string Key(const std::string& sub) { return std::string(kTestKey) + "\\" + sub; }
    static std::string Subkey(const std::string& sub) { return std::string(contract::kTestSubkey) + "\\" + sub; }
    static std::string InFolder(const std::string& name) { return std::string(kTestFolder) + "\\" + name; }

    void Write(const std::string& key, RegType type, const std::string& name, const std::string& data) {
        const sysaccess::Result r = Sys().WriteRegValue(key, type, name, data);
        ASSERT_TRUE(r.ok) << r.error;
    }
    std::uint32_t RunToEnd(const std::string& line) {
        const sysaccess::RunResult r = Sys().Run(line, RunMode::Wait);
        EXPECT_TRUE(r.started && r.finished) << line << ": " << r.Describe();
        return r.exitCode;
    }
    std::optional<std::string> StringValue(const std::string& key, const std::string& name) {
        const auto v = Sys().ReadRegValue(key, name);
        if (!v || v->type != sysaccess::kRegSz) return std::nullopt;
        return v->text;
    }
    std::optional<std::uint32_t> DwordValue(const std::string& key, const std::string& name) {
        const auto v = Sys().ReadRegValue(key, name);
        if (!v || v->type != sysaccess::kRegDword) return std::nullopt;
        return v->dword;
    }

    std::unique_ptr<contract::Env> env_;
};

// --- Registry writes ------------------------------------------------------------------------

TEST_F(Contract, WriteStoresEachTypeAsTheScriptSpellsIt) {
    const std::string key = Key("Types");
    Write(key, RegType::String, "Text", "hello world");
    Write(key, RegType::Dword, "One", "00000001");
    Write(key, RegType::Dword, "Short", "C");
    Write(key, RegType::Dword, "Zero", "00000000");
    Write(key, RegType::Hex, "Bytes", "01,02,ff");
    Write(key, RegType::String, "Root", "C:\\");
    Write(key, RegType::String, "Folder", "C:\\Program Files\\a b");
    Write(key, RegType::String, "Empty", "");
    Write(key, RegType::String, "Quote", "say \"hi\"");
    Write(key, RegType::String, "back\\slash \"name\"", "x");

    EXPECT_EQ(StringValue(key, "Text"), "hello world");
    EXPECT_EQ(DwordValue(key, "One"), 1u);
    EXPECT_EQ(DwordValue(key, "Short"), 12u);
    EXPECT_EQ(DwordValue(key, "Zero"), 0u);
    const auto bytes = Sys().ReadRegValue(key, "Bytes");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->type, sysaccess::kRegBinary);
    EXPECT_EQ(bytes->bytes, std::string("\x01\x02\xff", 3));
    EXPECT_EQ(StringValue(key, "Root"), "C:\\");
    EXPECT_EQ(StringValue(key, "Folder"), "C:\\Program Files\\a b");
    EXPECT_EQ(StringValue(key, "Empty"), "");
    EXPECT_EQ(StringValue(key, "Quote"), "say \"hi\"");
    EXPECT_EQ(StringValue(key, "back\\slash \"name\""), "x");
}

TEST_F(Contract, WriteCarriesChineseThroughTheAnsiScript) {
    Write(Key("中文键"), RegType::String, "名称", "优化完成");
    EXPECT_EQ(StringValue(Key("中文键"), "名称"), "优化完成");
}

TEST_F(Contract, WriteReplacesAValueOfAnotherType) {
    const std::string key = Key("Retype");
    Write(key, RegType::String, "V", "text");
    Write(key, RegType::Dword, "V", "0000002a");
    EXPECT_EQ(DwordValue(key, "V"), 42u);
    Write(key, RegType::String, "V", "again");
    EXPECT_EQ(StringValue(key, "V"), "again");
}

TEST_F(Contract, WriteLeavesNoScriptAndReplacesALeftover) {
    Env().MakeFile(sysaccess::kScriptPath,
                   "Windows Registry Editor Version 5.00\r\n[" + Key("Stale") + "]\r\n\"Old\"=\"left over\"\r\n",
                   contract::kHidden);
    Write(Key("Fresh"), RegType::Dword, "New", "00000005");
    EXPECT_EQ(DwordValue(Key("Fresh"), "New"), 5u);
    EXPECT_FALSE(Sys().ReadRegValue(Key("Stale"), "Old")) << "the leftover was imported";
    EXPECT_FALSE(Env().Exists(sysaccess::kScriptPath));
}

TEST_F(Contract, WriteFailsAndWritesNothingWhenTheScriptCannotBeMade) {
    Env().MakeFolder(sysaccess::kScriptPath);
    Env().MakeFile(std::string(sysaccess::kScriptPath) + "\\keep.txt", "keep");
    const sysaccess::Result r = Sys().WriteRegValue(Key("Blocked"), RegType::Dword, "V", "00000001");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(Sys().ReadRegValue(Key("Blocked"), "V"));
    EXPECT_EQ(Sys().ReadFile(std::string(sysaccess::kScriptPath) + "\\keep.txt"), "keep");
}

TEST_F(Contract, KeysAndValueNamesIgnoreCase) {
    Write(Key("MixedCase"), RegType::String, "ValueName", "one");
    Write("HKEY_CURRENT_USER\\SOFTWARE\\sysvelatest\\MIXEDCASE", RegType::String, "VALUENAME", "two");
    EXPECT_EQ(StringValue("HKEY_CURRENT_USER\\software\\SysvelaTest\\mixedcase", "valuename"), "two");
    EXPECT_EQ(Sys().EnumRegValues(sysaccess::RegRoot::CurrentUser, Subkey("mixedCASE")).size(), 1u);
}

// --- Enumeration ----------------------------------------------------------------------------

TEST_F(Contract, EnumListsEveryValueWhateverItsTypeAndLength) {
    const std::string key = Key("Run");
    std::string longData;
    for (int i = 0; i < 200; ++i)
        longData += (i ? ",ab" : "ab");
    const std::string longName(300, 'n');
    Write(key, RegType::String, "First Entry", "c:\\a.exe");
    Write(key, RegType::Dword, "Number", "00000007");
    Write(key, RegType::Hex, "Blob", longData); // 200 bytes of data
    Write(key, RegType::String, longName, std::string(1000, 'd'));
    Write(key, RegType::String, "another", "x");

    std::vector<std::string> names = Sys().EnumRegValues(sysaccess::RegRoot::CurrentUser, Subkey("Run"));
    std::vector<std::string> expected = {"First Entry", "Number", "Blob", longName, "another"};
    if (Env().OnWine()) {
        // Windows lists values in the order they were made; Wine lists them sorted by name.
        std::sort(names.begin(), names.end());
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(names, expected);
}

TEST_F(Contract, EnumOfAMissingKeyListsNothing) {
    EXPECT_TRUE(Sys().EnumRegValues(sysaccess::RegRoot::CurrentUser, Subkey("Missing")).empty());
    EXPECT_TRUE(Sys().EnumRegValues(sysaccess::RegRoot::CurrentUser, Subkey("Missing\\Deeper")).empty());
    EXPECT_FALSE(Sys().ReadRegValue(Key("Missing"), "V"));
    EXPECT_FALSE(Sys().ReadRegValue("HKEY_NOWHERE\\Software", "V"));
}

TEST_F(Contract, RegAddGivesANewKeyAnEmptyDefaultValue) {
    // reg.exe (Windows' as well as Wine's) sets the default value of the key it creates to "".
    EXPECT_EQ(RunToEnd("reg add " + Key("Added\\Empty") + " /f"), 0u);
    EXPECT_EQ(Sys().EnumRegValues(sysaccess::RegRoot::CurrentUser, Subkey("Added\\Empty")),
              std::vector<std::string>{""});
    EXPECT_EQ(StringValue(Key("Added\\Empty"), ""), "");
    EXPECT_FALSE(Sys().ReadRegValue(Key("Added\\Empty"), "V"));
    EXPECT_EQ(RunToEnd("reg delete " + Key("Added") + " /f"), 0u);
}

// --- reg ------------------------------------------------------------------------------------

TEST_F(Contract, RegDeleteOfMissingKeyOrValueExitsOne) {
    EXPECT_EQ(RunToEnd("reg delete " + Key("Missing") + " /f"), 1u);
    Write(Key("Values"), RegType::String, "a b", "1");
    Write(Key("Values"), RegType::String, "kept", "2");
    EXPECT_EQ(RunToEnd("reg delete " + Key("Values") + " /v missing /f"), 1u);
    EXPECT_EQ(RunToEnd("reg delete " + Key("Values") + " /v \"a b\" /f"), 0u);
    EXPECT_FALSE(Sys().ReadRegValue(Key("Values"), "a b"));
    EXPECT_EQ(StringValue(Key("Values"), "kept"), "2");
}

TEST_F(Contract, RegDeleteRemovesTheWholeSubtree) {
    Write(Key("Tree\\Child\\Grandchild"), RegType::Dword, "Deep", "00000001");
    Write(Key("Tree"), RegType::Dword, "Top", "00000001");
    EXPECT_EQ(RunToEnd("reg delete " + Key("Tree") + " /f"), 0u);
    EXPECT_FALSE(Sys().ReadRegValue(Key("Tree"), "Top"));
    EXPECT_FALSE(Sys().ReadRegValue(Key("Tree\\Child\\Grandchild"), "Deep"));
    EXPECT_EQ(RunToEnd("reg delete " + Key("Tree") + " /f"), 1u);
}

class ContractCopy : public Contract {
protected:
    void SetUp() override {
        Contract::SetUp();
        Write(Key("Src"), RegType::String, "a", "text");
        Write(Key("Src"), RegType::Dword, "b", "00000010");
        Write(Key("Src\\Child"), RegType::String, "c", "deep");
    }
};

TEST_F(ContractCopy, WithoutSubkeysCopiesTheValuesOnly) {
    EXPECT_EQ(RunToEnd("reg copy " + Key("Src") + " " + Key("Dst") + " /f"), 0u);
    EXPECT_EQ(StringValue(Key("Dst"), "a"), "text");
    EXPECT_EQ(DwordValue(Key("Dst"), "b"), 16u);
    EXPECT_FALSE(Sys().ReadRegValue(Key("Dst\\Child"), "c"));
    EXPECT_EQ(StringValue(Key("Src\\Child"), "c"), "deep") << "the source is left as it was";
}

TEST_F(ContractCopy, WithSubkeysCopiesTheTree) {
    EXPECT_EQ(RunToEnd("reg copy " + Key("Src") + " " + Key("Dst") + " /s /f"), 0u);
    EXPECT_EQ(StringValue(Key("Dst"), "a"), "text");
    EXPECT_EQ(StringValue(Key("Dst\\Child"), "c"), "deep");
}

TEST_F(ContractCopy, OfAMissingSourceExitsOne) {
    EXPECT_EQ(RunToEnd("reg copy " + Key("Nothing") + " " + Key("Dst") + " /f"), 1u);
    EXPECT_TRUE(Sys().EnumRegValues(sysaccess::RegRoot::CurrentUser, Subkey("Dst")).empty());
}

// --- sc -------------------------------------------------------------------------------------

TEST_F(Contract, ScConfigOfAMissingServiceExits1060) {
    if (Env().OnWine()) GTEST_SKIP() << "Wine's sc has no config command (it exits 1, \"command not supported\")";
    EXPECT_EQ(RunToEnd("sc \\\\. config SysvelaNoSuchService start= disabled"), 1060u);
}

// --- Commands -------------------------------------------------------------------------------

TEST_F(Contract, AProgramThatCannotBeStartedIsToldApart) {
    const sysaccess::RunResult wait = Sys().Run("sysvela-no-such-program /x", RunMode::Wait);
    EXPECT_FALSE(wait.started);
    EXPECT_EQ(wait.startError, 2u);
    EXPECT_EQ(wait.Describe(), "could not be started (error 2)");
    const sysaccess::RunResult start = Sys().Run("sysvela-no-such-program /x", RunMode::Start);
    EXPECT_FALSE(start.started);
    EXPECT_TRUE(Sys().CollectStarted().empty());
}

TEST_F(Contract, StartedCommandsAreCollectedInOrderWithTheirExitCodes) {
    const std::string add = "reg add " + Key("Started") + " /f";
    const std::string missing = "reg delete " + Key("NeverThere") + " /f";
    EXPECT_TRUE(Sys().Run(add, RunMode::Start).started);
    EXPECT_TRUE(Sys().Run(missing, RunMode::Start).started);
    const auto collected = Sys().CollectStarted();
    ASSERT_EQ(collected.size(), 2u);
    EXPECT_EQ(collected[0].commandLine, add);
    EXPECT_EQ(collected[0].result.Describe(), "ok");
    EXPECT_TRUE(collected[0].result.finished);
    EXPECT_EQ(collected[1].commandLine, missing);
    EXPECT_EQ(collected[1].result.Describe(), "exit code 1");
    EXPECT_TRUE(Sys().CollectStarted().empty());
}

// --- Files ----------------------------------------------------------------------------------

TEST_F(Contract, FileExistsOnlyForOrdinaryFiles) {
    Env().MakeFile(InFolder("plain.txt"), "p");
    Env().MakeFile(InFolder("locked.txt"), "r", contract::kReadOnly);
    Env().MakeFile(InFolder("hidden.ini"), "h", contract::kHidden);
    Env().MakeFile(InFolder("system.sys"), "s", contract::kSystem);
    Env().MakeFolder(InFolder("folder.txt"));

    EXPECT_TRUE(Sys().FileExists(InFolder("plain.txt")));
    EXPECT_TRUE(Sys().FileExists(InFolder("PLAIN.TXT")));
    EXPECT_TRUE(Sys().FileExists(InFolder("locked.txt")));
    EXPECT_FALSE(Sys().FileExists(InFolder("hidden.ini")));
    EXPECT_FALSE(Sys().FileExists(InFolder("system.sys")));
    EXPECT_FALSE(Sys().FileExists(InFolder("folder.txt")));
    EXPECT_FALSE(Sys().FileExists(InFolder("missing.txt")));
    EXPECT_FALSE(Sys().FileExists(InFolder("*.ini")));
    EXPECT_TRUE(Sys().FileExists(InFolder("pl?in.*")));
    EXPECT_TRUE(Sys().FolderExists(InFolder("folder.txt")));
    EXPECT_TRUE(Sys().FolderExists(kTestFolder));
    EXPECT_FALSE(Sys().FolderExists(InFolder("plain.txt")));
}

TEST_F(Contract, ListFolderShowsOrdinaryFilesSortedWithoutCase) {
    Env().MakeFile(InFolder("b.lnk"), "");
    Env().MakeFile(InFolder("A.lnk"), "");
    Env().MakeFile(InFolder("c.TXT"), "", contract::kReadOnly);
    Env().MakeFile(InFolder("desktop.ini"), "", contract::kHidden | contract::kSystem);
    Env().MakeFile(InFolder("hidden.lnk"), "", contract::kHidden);
    Env().MakeFile(InFolder("sub\\inner.lnk"), "");
    EXPECT_EQ(Sys().ListFolder(kTestFolder), (std::vector<std::string>{"A.lnk", "b.lnk", "c.TXT"}));
    EXPECT_TRUE(Sys().ListFolder(InFolder("missing")).empty());
}

TEST_F(Contract, WildcardDeletionStaysInItsFolderAndSparesProtectedFiles) {
    Env().MakeFile(InFolder("a.lnk"), "");
    Env().MakeFile(InFolder("B.LNK"), "");
    Env().MakeFile(InFolder("keep.txt"), "");
    Env().MakeFile(InFolder("a.lnk2"), ""); // its short name A~1.LNK matches *.lnk
    Env().MakeFile(InFolder("hidden.lnk"), "", contract::kHidden);
    Env().MakeFile(InFolder("system.lnk"), "", contract::kSystem);
    Env().MakeFile(InFolder("readonly.lnk"), "", contract::kReadOnly);
    Env().MakeFile(InFolder("sub\\inner.lnk"), "");
    Env().MakeFolder(InFolder("folder.lnk"));

    const sysaccess::Result r = Sys().DeleteFiles(InFolder("*.lnk"));
    EXPECT_FALSE(r.ok) << "the read-only match is reported";
    EXPECT_NE(r.error.find("readonly.lnk"), std::string::npos) << r.error;
    EXPECT_FALSE(Env().Exists(InFolder("a.lnk")));
    EXPECT_FALSE(Env().Exists(InFolder("B.LNK")));
    for (const char* kept :
         {"keep.txt", "a.lnk2", "hidden.lnk", "system.lnk", "readonly.lnk", "sub\\inner.lnk", "folder.lnk"}) {
        EXPECT_TRUE(Env().Exists(InFolder(kept))) << kept;
    }
    EXPECT_FALSE(Sys().DeleteFiles(InFolder("*.none")).ok);
    EXPECT_FALSE(Sys().DeleteFiles(InFolder("hidden.lnk")).ok);
    EXPECT_TRUE(Env().Exists(InFolder("hidden.lnk")));
    EXPECT_TRUE(Sys().DeleteFiles(InFolder("KEEP.TXT")).ok);
    EXPECT_FALSE(Env().Exists(InFolder("keep.txt")));
}

TEST_F(Contract, RemoveFolderOnlyWhenEmpty) {
    Env().MakeFile(InFolder("full\\file.txt"), "");
    Env().MakeFolder(InFolder("empty"));
    EXPECT_FALSE(Sys().RemoveFolder(InFolder("full")).ok);
    EXPECT_TRUE(Env().Exists(InFolder("full\\file.txt")));
    EXPECT_TRUE(Sys().RemoveFolder(InFolder("empty")).ok);
    EXPECT_FALSE(Sys().FolderExists(InFolder("empty")));
    EXPECT_FALSE(Sys().RemoveFolder(InFolder("empty")).ok);
}

TEST_F(Contract, ReplaceFileRoundTripsExactBytesAndLeavesNothingBeside) {
    const std::string path = InFolder("setup.dat");
    const std::string first = std::string("\"1010\"\r\n\0\xff\xd6\xd0", 12);
    ASSERT_TRUE(Sys().ReplaceFileAtomically(path, first).ok);
    EXPECT_EQ(Sys().ReadFile(path), first);
    ASSERT_TRUE(Sys().ReplaceFileAtomically(path, "short").ok);
    EXPECT_EQ(Sys().ReadFile(path), "short");
    EXPECT_EQ(Sys().ListFolder(kTestFolder), std::vector<std::string>{"setup.dat"});
    EXPECT_FALSE(Sys().ReplaceFileAtomically(InFolder("missing\\setup.dat"), "x").ok);
    EXPECT_FALSE(Sys().ReadFile(InFolder("missing\\setup.dat")));
}

TEST_F(Contract, ReplaceFileLeavesAReadOnlyFileAsItWas) {
    const std::string path = InFolder("setup.dat");
    Env().MakeFile(path, "old", contract::kReadOnly);
    EXPECT_FALSE(Sys().ReplaceFileAtomically(path, "new").ok);
    EXPECT_EQ(Sys().ReadFile(path), "old");
}

TEST_F(Contract, HeldFileIsReadableAndCannotBeDeletedUntilReleased) {
    const std::string path = InFolder("held.reg");
    Env().MakeFile(path, "a much longer leftover that must not survive");
    std::unique_ptr<sysaccess::FileHold> hold;
    ASSERT_TRUE(Sys().CreateHeldFile(path, "new", hold).ok);
    ASSERT_TRUE(hold);
    EXPECT_EQ(Sys().ReadFile(path), "new");
    EXPECT_FALSE(Sys().DeleteFiles(path).ok);
    EXPECT_FALSE(Sys().ReplaceFileAtomically(path, "other").ok);
    EXPECT_EQ(Sys().ReadFile(path), "new");
    hold.reset();
    EXPECT_TRUE(Sys().DeleteFiles(path).ok);
}

// --- Text -----------------------------------------------------------------------------------

TEST_F(Contract, AnsiIsCodePage936) {
    EXPECT_EQ(Sys().ToAnsi("优化 ok"), "\xd3\xc5\xbb\xaf ok");
    EXPECT_EQ(Sys().FromAnsi("\xd3\xc5\xbb\xaf ok"), "优化 ok");
    EXPECT_FALSE(Sys().ToAnsi("\xe1\x88\xb4")) << "U+1234 has no GBK form";
}

} // namespace
