// What a simulated machine is made of, shared by the files that implement sim::Machine.
#pragma once

#include "sysaccess/sim/drive.h"
#include "sysaccess/sim/registry.h"

namespace sim {

class MachineState {
public:
    Registry registry;
    Drive drive;
};

} // namespace sim
