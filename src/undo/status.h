// What the machine holds now, option by option: for each check box of a page, whether the machine
// holds what a tick writes (on), what a clear writes or no trace of the tick (off), some of each
// (mixed), or nothing readable because the option only runs commands (unknown). It only reads.
#pragma once

#include <string>
#include <vector>

#include "form/options.h"
#include "sysaccess/forwarding.h"
#include "sysaccess/system.h"

namespace undo {

enum class OptionState { On, Off, Mixed, Unknown };
const char* StateWord(OptionState s); // "on", "off", "mixed", "unknown"

struct OptionStatus {
    int chk = -1;        // the check box; -1 for a service of the service page
    std::string caption; // the text beside the box, or the service's list item name
    OptionState state = OptionState::Unknown;
};

// The options of page in the option table's order (the service page: its services, on meaning
// disabled). The startup page has no options.
std::vector<OptionStatus> PageStatus(sysaccess::System& sys, form::Page page);

// What a press would do to an effect's target, judged before it runs: change it, find it at its
// target already, or nothing that can be known beforehand (a command whose result nothing reads
// back, an sc step for a service that is not installed and so cannot be set).
enum class Foresight { Changes, AtTarget, Unknown };

// Judges each effect against the machine as it is now, then passes it on to the System underneath
// (a plan's recorder): one judgement per effect, in order. The reads go through that System.
class Foreseer : public sysaccess::ForwardingSystem {
public:
    explicit Foreseer(sysaccess::System& inner) : ForwardingSystem(inner) {}
    const std::vector<Foresight>& Judged() const { return judged_; }

    sysaccess::Result WriteRegValue(const std::string& key, sysaccess::RegType type, const std::string& name,
                                    const std::string& data) override;
    sysaccess::RunResult Run(const std::string& commandLine, sysaccess::RunMode mode) override;
    sysaccess::Result DeleteFiles(const std::string& path) override;
    sysaccess::Result RemoveFolder(const std::string& path) override;
    sysaccess::Result ReplaceFileAtomically(const std::string& path, const std::string& bytes) override;
    sysaccess::Result CreateHeldFile(const std::string& path, const std::string& bytes,
                                     std::unique_ptr<sysaccess::FileHold>& hold) override;

private:
    std::vector<Foresight> judged_;
};

} // namespace undo
