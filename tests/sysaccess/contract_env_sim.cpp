#include "contract_env.h"
#include "sysaccess/sim/machine.h"

namespace contract {
namespace {

class SimEnv final : public Env {
public:
    SimEnv() { machine_.AddFolder(kTestFolder); }
    sysaccess::System& Sys() override { return machine_; }
    void MakeFolder(const std::string& path) override { machine_.AddFolder(path); }
    void MakeFile(const std::string& path, const std::string& bytes, unsigned attributes) override {
        unsigned simAttributes = 0;
        if (attributes & kHidden) simAttributes |= sim::kHidden;
        if (attributes & kSystem) simAttributes |= sim::kSystem;
        if (attributes & kReadOnly) simAttributes |= sim::kReadOnly;
        machine_.AddFile(path, bytes, simAttributes);
    }
    bool Exists(const std::string& path) override { return machine_.PathExists(path); }
    bool OnWine() const override { return false; }

private:
    sim::Machine machine_;
};

} // namespace

std::unique_ptr<Env> MakeEnv() {
    return std::make_unique<SimEnv>();
}

} // namespace contract
