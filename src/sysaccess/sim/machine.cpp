#include "sysaccess/sim/machine.h"

#include "sysaccess/encoding.h"
#include "sysaccess/sim/regfile.h"
#include "sysaccess/sim/state.h"
#include "sysaccess/text.h"
#include "sysaccess/toolcmd.h"

namespace sim {

using sysaccess::RegData;
using sysaccess::Result;

Machine::Machine() : state_(std::make_unique<MachineState>()) {}

Machine::Machine(const Machine& other)
    : state_(std::make_unique<MachineState>(*other.state_)), commands_(other.commands_), started_(other.started_),
      userName_(other.userName_), userSid_(other.userSid_), programFolder_(other.programFolder_),
      codePage_(other.codePage_), wow64_(other.wow64_), computerName_(other.computerName_) {}

Machine& Machine::operator=(const Machine& other) {
    if (this != &other) {
        *state_ = *other.state_;
        commands_ = other.commands_;
        started_ = other.started_;
        userName_ = other.userName_;
        userSid_ = other.userSid_;
        programFolder_ = other.programFolder_;
        codePage_ = other.codePage_;
        wow64_ = other.wow64_;
        computerName_ = other.computerName_;
    }
    return *this;
}

Machine::~Machine() = default;

// --- Registry ---------------------------------------------------------------------------------

std::vector<std::string> Machine::EnumRegValues(sysaccess::RegRoot root, const std::string& subkey) {
    const char* rootName = sysaccess::RegRootName(root);
    std::vector<std::string> names;
    const auto path = ParseKeyPath(subkey.empty() ? std::string(rootName) : rootName + ("\\" + subkey), false);
    const RegKey* key = path ? state_->registry.Find(*path) : nullptr;
    if (!key) return names;
    for (const RegValue* v : key->Values())
        names.push_back(v->name);
    return names;
}

std::optional<RegData> Machine::ReadRegValue(const std::string& key, const std::string& name) {
    const auto path = ParseKeyPath(key, true);
    const RegKey* k = path ? state_->registry.Find(*path) : nullptr;
    const RegValue* v = k ? k->FindValue(name) : nullptr;
    if (!v) return std::nullopt;
    return v->data;
}

std::optional<sysaccess::RegKeyListing> Machine::ListRegKey(const std::string& key) {
    const auto path = ParseKeyPath(key, false);
    const RegKey* k = path ? state_->registry.Find(*path) : nullptr;
    if (!k) return std::nullopt;
    sysaccess::RegKeyListing listing;
    for (const RegValue* v : k->Values())
        listing.values.push_back(v->name);
    for (const RegKey& sub : k->subkeys)
        listing.subkeys.push_back(sub.name);
    return listing;
}

bool Machine::KeyExists(const std::string& key) const {
    const auto path = ParseKeyPath(key, true);
    return path && state_->registry.Find(*path);
}

void Machine::CreateKey(const std::string& key) {
    if (const auto path = ParseKeyPath(key, true)) state_->registry.Create(*path);
}

bool Machine::DeleteKey(const std::string& key) {
    const auto path = ParseKeyPath(key, true);
    return path && state_->registry.Delete(*path);
}

std::vector<std::string> Machine::SubKeys(const std::string& key) const {
    std::vector<std::string> names;
    const auto path = ParseKeyPath(key, true);
    const RegKey* k = path ? state_->registry.Find(*path) : nullptr;
    if (k) {
        for (const RegKey& sub : k->subkeys)
            names.push_back(sub.name);
    }
    return names;
}

void Machine::SetValue(const std::string& key, const std::string& name, const RegData& data) {
    if (const auto path = ParseKeyPath(key, true)) state_->registry.Create(*path).SetValue(name, data);
}

void Machine::SetString(const std::string& key, const std::string& name, const std::string& text) {
    RegData data;
    data.type = sysaccess::kRegSz;
    data.text = text;
    SetValue(key, name, data);
}

void Machine::SetDword(const std::string& key, const std::string& name, std::uint32_t value) {
    RegData data;
    data.type = sysaccess::kRegDword;
    data.dword = value;
    SetValue(key, name, data);
}

bool Machine::DeleteValue(const std::string& key, const std::string& name) {
    const auto path = ParseKeyPath(key, true);
    RegKey* k = path ? state_->registry.Find(*path) : nullptr;
    return k && k->DeleteValue(name);
}

int Machine::ImportScript(const std::string& utf8Text) {
    return static_cast<int>(ImportRegScript(state_->registry, utf8Text).size());
}

std::string Machine::ExportRegistry() const {
    return ExportRegScript(state_->registry);
}

// --- Services ---------------------------------------------------------------------------------

std::optional<std::uint32_t> Machine::ServiceStartType(const std::string& service) const {
    const auto known = state_->serviceManager.find(sysaccess::FoldCase(service));
    if (known != state_->serviceManager.end()) return known->second;
    // A service written into the registry by hand after the start is one the manager never read.
    return std::nullopt;
}

void Machine::Restart() {
    state_->serviceManager.clear();
    const auto path = ParseKeyPath(sysaccess::kServicesKey, false);
    const RegKey* services = path ? state_->registry.Find(*path) : nullptr;
    if (!services) return;
    for (const RegKey& service : services->subkeys) {
        const RegValue* start = service.FindValue("Start");
        if (start && start->data.type == sysaccess::kRegDword && start->data.bytes.empty()) {
            state_->serviceManager[sysaccess::FoldCase(service.name)] = start->data.dword;
        }
    }
}

// --- Files ------------------------------------------------------------------------------------

bool Machine::FileExists(const std::string& path) {
    return state_->drive.FileExists(path);
}
bool Machine::FolderExists(const std::string& path) {
    return state_->drive.FolderExists(path);
}
Result Machine::DeleteFiles(const std::string& path) {
    return state_->drive.DeleteFiles(path);
}
Result Machine::RemoveFolder(const std::string& path) {
    return state_->drive.RemoveFolder(path);
}
Result Machine::CreateFolder(const std::string& path) {
    if (state_->drive.FolderExists(path)) return Result::Ok();
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || !state_->drive.FolderExists(path.substr(0, slash))) {
        return Result::Fail("the parent folder does not exist");
    }
    const auto name = path.substr(slash + 1);
    if (!ValidFileName(name) || !state_->drive.MakeFolder(path, 0)) return Result::Fail("cannot create " + path);
    return Result::Ok();
}
std::vector<std::string> Machine::ListFolder(const std::string& path) {
    return state_->drive.ListFolder(path);
}
std::optional<std::string> Machine::ReadFile(const std::string& path) {
    return state_->drive.ReadFile(path);
}

sysaccess::LimitedRead Machine::ReadFileUpTo(const std::string& path, std::uint64_t limit) {
    auto bytes = state_->drive.ReadFile(path);
    if (bytes && bytes->size() > limit) return {std::nullopt, true};
    return {std::move(bytes), false};
}

Result Machine::ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    return state_->drive.ReplaceFileAtomically(path, bytes);
}

Result Machine::CreateHeldFile(const std::string& path, const std::string& bytes,
                               std::unique_ptr<sysaccess::FileHold>& hold) {
    return state_->drive.CreateHeldFile(path, bytes, hold);
}

void Machine::AddFolder(const std::string& path, unsigned attributes) {
    (void)state_->drive.MakeFolder(path, attributes);
}

void Machine::AddFile(const std::string& path, const std::string& bytes, unsigned attributes) {
    (void)state_->drive.PutFile(path, bytes, attributes);
}

bool Machine::PathExists(const std::string& path) const {
    return state_->drive.Find(path) != nullptr;
}

std::optional<unsigned> Machine::Attributes(const std::string& path) const {
    const Node* node = state_->drive.Find(path);
    if (!node) return std::nullopt;
    return node->attributes;
}

void Machine::SetAttributes(const std::string& path, unsigned attributes) {
    Node* node = state_->drive.Find(path);
    if (node && node != &state_->drive.Root()) node->attributes = attributes;
}

std::vector<std::string> Machine::AllPaths() const {
    return state_->drive.AllPaths();
}

// --- Text -------------------------------------------------------------------------------------

std::optional<std::string> Machine::ToAnsi(const std::string& utf8) {
    return sysaccess::Utf8ToCodePage(utf8, codePage_);
}

std::string Machine::FromAnsi(const std::string& ansi) {
    return sysaccess::CodePageToUtf8(ansi, codePage_);
}

} // namespace sim
