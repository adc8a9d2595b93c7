// A System that passes every operation to another one. Wrappers derive from it and override only
// the operations they change.
#pragma once

#include "sysaccess/system.h"

namespace sysaccess {

class ForwardingSystem : public System {
public:
    explicit ForwardingSystem(System& inner) : inner_(inner) {}

    Result WriteRegValue(const std::string& key, RegType type, const std::string& name,
                         const std::string& data) override {
        return inner_.WriteRegValue(key, type, name, data);
    }
    std::vector<std::string> EnumRegValues(RegRoot root, const std::string& subkey) override {
        return inner_.EnumRegValues(root, subkey);
    }
    std::optional<RegData> ReadRegValue(const std::string& key, const std::string& name) override {
        return inner_.ReadRegValue(key, name);
    }
    std::optional<RegKeyListing> ListRegKey(const std::string& key) override { return inner_.ListRegKey(key); }
    RunResult Run(const std::string& commandLine, RunMode mode) override { return inner_.Run(commandLine, mode); }
    std::vector<StartedCommand> CollectStarted() override { return inner_.CollectStarted(); }
    bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
    bool FolderExists(const std::string& path) override { return inner_.FolderExists(path); }
    Result DeleteFiles(const std::string& path) override { return inner_.DeleteFiles(path); }
    Result RemoveFolder(const std::string& path) override { return inner_.RemoveFolder(path); }
    Result CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
    std::vector<std::string> ListFolder(const std::string& path) override { return inner_.ListFolder(path); }
    std::optional<std::string> ReadFile(const std::string& path) override { return inner_.ReadFile(path); }
    LimitedRead ReadFileUpTo(const std::string& path, std::uint64_t limit) override {
        return inner_.ReadFileUpTo(path, limit);
    }
    Result ReplaceFileAtomically(const std::string& path, const std::string& bytes) override {
        return inner_.ReplaceFileAtomically(path, bytes);
    }
    Result CreateHeldFile(const std::string& path, const std::string& bytes, std::unique_ptr<FileHold>& hold) override {
        return inner_.CreateHeldFile(path, bytes, hold);
    }
    std::optional<std::string> ToAnsi(const std::string& utf8) override { return inner_.ToAnsi(utf8); }
    std::string FromAnsi(const std::string& ansi) override { return inner_.FromAnsi(ansi); }
    std::string UserName() override { return inner_.UserName(); }
    std::string UserSid() override { return inner_.UserSid(); }
    std::string ProgramFolder() override { return inner_.ProgramFolder(); }
    std::string ComputerName() override { return inner_.ComputerName(); }
    std::optional<std::string> ShellStartupFolder(bool allUsers) override {
        return inner_.ShellStartupFolder(allUsers);
    }
    bool Has32BitView() override { return inner_.Has32BitView(); }

protected:
    System& Inner() { return inner_; }

private:
    System& inner_;
};

} // namespace sysaccess
