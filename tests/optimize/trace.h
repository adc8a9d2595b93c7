// What the page tests share: a seeded simulated machine, the form, the program's effects as the
// CLI prints them (one line each: "write KEY|NAME|TYPE|DATA", "start LINE", "wait LINE",
// "delete PATH", "rmdir PATH"; a registry write is one line, however the machine carries it
// out), and the progress checkpoints.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "form/form.h"
#include "sysaccess/recording.h"
#include "sysaccess/sim/machine.h"

namespace catalogue_test {

// A simulated machine on which the commands failCommand picks answer "exit code 1" unrun.
class Machine : public sim::Machine {
public:
    explicit Machine(const sim::Machine& m = sim::Machine::Seeded()) : sim::Machine(m) {}

    std::function<bool(const std::string&)> failCommand;

    sysaccess::RunResult Run(const std::string& line, sysaccess::RunMode mode) override {
        if (failCommand && failCommand(line)) return sysaccess::RunResult::Exited(1);
        return sim::Machine::Run(line, mode);
    }
};

struct PageTest : ::testing::Test {
    Machine machine;
    sysaccess::RecordingSystem sys{machine, sysaccess::RecordMode::Apply};
    form::MainForm form;
    std::vector<int> progress;

    void SetUp() override {
        form.SetObserver([this](const form::Change& c) {
            if (c.field == form::Field::Shape2) progress.push_back(form.Shape2Width());
        });
    }
    // The effects since the last ClearLines, without their outcomes.
    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        for (std::size_t i = mark_; i < sys.Effects().size(); ++i) {
            const sysaccess::Effect& e = sys.Effects()[i];
            out.push_back(std::string(sysaccess::EffectWord(e.kind)) + " " + e.text);
        }
        return out;
    }
    void ClearLines() { mark_ = sys.Effects().size(); }

private:
    std::size_t mark_ = 0;
};

inline std::string W(const std::string& key, const std::string& name, const std::string& type,
                     const std::string& data) {
    return "write " + key + "|" + name + "|" + type + "|" + data;
}

} // namespace catalogue_test
