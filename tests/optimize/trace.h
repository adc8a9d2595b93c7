// A simulated machine that also keeps every effect of the program as one line, in order:
// "write KEY|NAME|TYPE|DATA", "start LINE", "wait LINE", "delete PATH", "rmdir PATH". A registry
// write is one line, whatever the machine does to carry it out.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sysaccess/sim/machine.h"

namespace catalogue_test {

class Trace : public sim::Machine {
public:
    explicit Trace(const sim::Machine& m = sim::Machine::Seeded()) : sim::Machine(m) {}

    std::vector<std::string> lines;
    std::function<bool(const std::string&)> failCommand; // answered "exit code 1", not run

    sysaccess::Result WriteRegValue(const std::string& key, sysaccess::RegType type, const std::string& name,
                                    const std::string& data) override {
        const char* t = type == sysaccess::RegType::String ? "string" : "dword";
        lines.push_back("write " + key + "|" + name + "|" + t + "|" + data);
        quiet_ = true;
        auto r = sim::Machine::WriteRegValue(key, type, name, data);
        quiet_ = false;
        return r;
    }
    sysaccess::RunResult Run(const std::string& line, sysaccess::RunMode mode) override {
        if (quiet_) return sim::Machine::Run(line, mode);
        lines.push_back((mode == sysaccess::RunMode::Start ? "start " : "wait ") + line);
        if (failCommand && failCommand(line)) return sysaccess::RunResult::Exited(1);
        return sim::Machine::Run(line, mode);
    }
    sysaccess::Result DeleteFiles(const std::string& path) override {
        if (!quiet_) lines.push_back("delete " + path);
        return sim::Machine::DeleteFiles(path);
    }
    sysaccess::Result RemoveFolder(const std::string& path) override {
        lines.push_back("rmdir " + path);
        return sim::Machine::RemoveFolder(path);
    }

private:
    bool quiet_ = false;
};

inline std::string W(const std::string& key, const std::string& name, const std::string& type,
                     const std::string& data) {
    return "write " + key + "|" + name + "|" + type + "|" + data;
}

} // namespace catalogue_test
