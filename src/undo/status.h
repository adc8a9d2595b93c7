// What the machine holds now, option by option: for each check box of a page, whether the machine
// holds what a tick writes with any of the list items and cache sizes a tick may go with (on), what
// a clear writes or no trace of the tick (off), some of each (mixed), nothing readable because the
// option only runs commands (unknown), or whether the option has no effect on this Windows at all
// (n/a). It only reads.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "form/options.h"
#include "sysaccess/forwarding.h"
#include "sysaccess/system.h"

namespace undo {

enum class OptionState { On, Off, Mixed, Unknown, NotApplicable };
const char* StateWord(OptionState s); // "on", "off", "mixed", "unknown", "n/a"

struct OptionStatus {
    int chk = -1;     // the check box; -1 for a service of the service page
    int service = -1; // the service, on the service page
    OptionState state = OptionState::Unknown;
    std::string why; // NotApplicable: why the option has no effect here
};

// What ticking and clearing one option does, in plan's words: the effects a pass of its page makes
// with that option alone ticked and not with every option cleared, and the other way round.
struct OptionEffects {
    int chk = -1; // the check box; -1 for a service of the service page
    std::vector<std::string> ticked, cleared;
};

// A page's options worked out once (the page's section run with each option ticked in turn on a
// form at rest: item 0 of both drop-down lists, the first cache size), so that reading what the
// machine holds for them afterwards only reads.
class PageReader {
public:
    PageReader(sysaccess::System& sys, form::Page page);
    // The options of the page in the option table's order (the service page: its services, on
    // meaning disabled). The startup page has no options.
    std::vector<OptionStatus> Read(sysaccess::System& sys) const;
    // What ticking and clearing each does, in the same order.
    const std::vector<OptionEffects>& Effects() const { return effects_; }

private:
    struct Option;
    std::shared_ptr<const std::vector<Option>> options_;
    std::vector<OptionEffects> effects_;
};

// PageReader(sys, page).Read(sys).
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
