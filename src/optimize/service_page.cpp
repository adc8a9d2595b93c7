// The service page: each of the 19 services of lstService is set to disabled when its item is
// ticked and to manual start otherwise; a service this Windows does not have is skipped. The commands are started
// without waiting; each touches a different service.
#include <string>

#include "form/facts.h"
#include "optimize/sections.h"

namespace optimize {

namespace {

// Shape2's width before the service of that index is set.
struct Checkpoint {
    int index;
    int twips;
};
constexpr Checkpoint kCheckpoints[] = {{0, 1000}, {4, 2000}, {15, 5000}};

} // namespace

void RunServiceSection(form::MainForm& form, sysaccess::System& sys) {
    for (int i = 0; i < form::kServiceCount; ++i) {
        for (const Checkpoint& c : kCheckpoints) {
            if (c.index == i) form.SetProgress(c.twips);
        }
        if (!form.ServiceApplies(i)) {
            sys.OptionSkipped(form::ServiceLabel(i), form.ServiceWhyNot(i));
            continue;
        }
        sys.OptionBegins(form::ServiceLabel(i), form::ServiceFact(i).releases);
        const bool selected = form.lstService().ticked[static_cast<std::size_t>(i)]; // one item per service
        const std::string line = std::string(R"(sc \\. config )") + form::kServices[i].name +
                                 (selected ? " start= disabled" : " start= demand");
        (void)sys.Run(line, sysaccess::RunMode::Start);
    }
    sys.OptionBegins({}, sysaccess::kEveryRelease);
    form.SetProgress(form::kFullProgress);
}

} // namespace optimize
