// A small in-memory System for tests of the form's operations: files by path (any case),
// commands and registry writes recorded, nothing else simulated. Text conversions use code
// page 936 like the simulated machine.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "sysaccess/encoding.h"
#include "sysaccess/system.h"

namespace testing_support {

class FakeSystem : public sysaccess::System {
public:
    std::map<std::string, std::string> files; // lower-case path -> bytes
    std::vector<std::string> commands;        // command lines, in order
    std::vector<std::string> regWrites;       // "key\name=data", in order
    std::string userName = "Administrator";
    std::string programFolder = "C:\\Program Files\\Sysvela";
    bool failReplace = false; // ReplaceFile fails as a full disk would: the old file stays
    int replaces = 0;

    void AddFile(const std::string& path, const std::string& bytes) { files[Lower(path)] = bytes; }

    sysaccess::Result WriteRegValue(const std::string& key, sysaccess::RegType, const std::string& name,
                                    const std::string& data) override {
        regWrites.push_back(key + "\\" + name + "=" + data);
        return sysaccess::Result::Ok();
    }
    std::vector<std::string> EnumRegValues(sysaccess::RegRoot, const std::string&) override { return {}; }
    std::optional<sysaccess::RegData> ReadRegValue(const std::string&, const std::string&) override { return {}; }
    sysaccess::RunResult Run(const std::string& commandLine, sysaccess::RunMode) override {
        commands.push_back(commandLine);
        return sysaccess::RunResult::Exited(0);
    }
    std::vector<sysaccess::StartedCommand> CollectStarted() override { return {}; }
    bool FileExists(const std::string& path) override { return files.count(Lower(path)) != 0; }
    bool FolderExists(const std::string&) override { return false; }
    sysaccess::Result DeleteFiles(const std::string& path) override {
        files.erase(Lower(path));
        return sysaccess::Result::Ok();
    }
    sysaccess::Result RemoveFolder(const std::string&) override { return sysaccess::Result::Ok(); }
    std::vector<std::string> ListFolder(const std::string&) override { return {}; }
    std::optional<std::string> ReadFile(const std::string& path) override {
        const auto it = files.find(Lower(path));
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    sysaccess::Result ReplaceFile(const std::string& path, const std::string& bytes) override {
        ++replaces;
        if (failReplace) return sysaccess::Result::Fail("disk full");
        files[Lower(path)] = bytes;
        return sysaccess::Result::Ok();
    }
    sysaccess::Result CreateHeldFile(const std::string& path, const std::string& bytes,
                                     std::unique_ptr<sysaccess::FileHold>&) override {
        files[Lower(path)] = bytes;
        return sysaccess::Result::Ok();
    }
    std::optional<std::string> ToAnsi(const std::string& utf8) override {
        return sysaccess::Utf8ToCodePage(utf8, sysaccess::kCodePageGbk);
    }
    std::string FromAnsi(const std::string& ansi) override {
        return sysaccess::CodePageToUtf8(ansi, sysaccess::kCodePageGbk);
    }
    std::string UserName() override { return userName; }
    std::string ProgramFolder() override { return programFolder; }

private:
    static std::string Lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    }
};

} // namespace testing_support
