// What a simulated machine is made of, shared by the files that implement sim::Machine.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "sysaccess/sim/drive.h"
#include "sysaccess/sim/registry.h"

namespace sim {

class MachineState {
public:
    Registry registry;
    Drive drive;
    // The service manager's own start types, by folded service name: read from the registry when
    // the machine starts and changed only through the manager (sc config), as on Windows, where a
    // Start value written into the registry is seen only at the next start.
    std::map<std::string, std::uint32_t> serviceManager;
};

} // namespace sim
