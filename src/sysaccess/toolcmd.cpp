#include "sysaccess/toolcmd.h"

#include <utility>

#include "sysaccess/cmdline.h"
#include "sysaccess/system.h"
#include "sysaccess/text.h"

namespace sysaccess {

namespace {

// sc's words for the start types, by the value the service's Start holds.
constexpr std::pair<const char*, std::uint32_t> kStartTypes[] = {
    {"boot", 0}, {"system", 1}, {"auto", 2}, {"demand", 3}, {"disabled", 4}};

} // namespace

bool IsSwitch(const std::string& arg, std::string_view name) {
    return arg.size() == name.size() + 1 && (arg[0] == '/' || arg[0] == '-') && SameName(arg.substr(1), name);
}

std::string ToolName(const std::string& program) {
    const std::size_t slash = program.find_last_of("\\/");
    std::string name = program.substr(slash + 1);
    if (slash != std::string::npos) {
        const std::string folder = program.substr(0, slash);
        if (!SameName(folder, "C:\\WINDOWS") && !SameName(folder, "C:\\WINDOWS\\system32")) return std::string();
    }
    if (name.size() > 4 && SameName(name.substr(name.size() - 4), ".exe")) name.resize(name.size() - 4);
    return name;
}

namespace {

// The switches after the key(s); false when reg would refuse them.
bool ReadRegSwitches(const std::vector<std::string>& a, std::size_t from, bool allowValue, bool allowSubkeys,
                     RegCommand& c) {
    for (std::size_t i = from; i < a.size(); ++i) {
        if (IsSwitch(a[i], "f") && !c.force) {
            c.force = true;
        } else if (allowSubkeys && IsSwitch(a[i], "s") && !c.subkeys) {
            c.subkeys = true;
        } else if (allowValue && IsSwitch(a[i], "v") && !c.value && i + 1 < a.size()) {
            c.value = a[++i];
        } else if (allowValue && IsSwitch(a[i], "ve") && !c.defaultValue) {
            c.defaultValue = true;
        } else if (allowValue && IsSwitch(a[i], "va") && !c.allValues) {
            c.allValues = true;
        } else {
            return false;
        }
    }
    return (c.value ? 1 : 0) + (c.defaultValue ? 1 : 0) + (c.allValues ? 1 : 0) <= 1;
}

} // namespace

std::optional<RegCommand> ReadRegCommand(const std::vector<std::string>& a) {
    if (a.size() < 3) return std::nullopt;
    RegCommand c;
    std::size_t switches = 3;
    if (SameName(a[1], "add")) {
        c.verb = RegCommand::Verb::Add;
    } else if (SameName(a[1], "delete")) {
        c.verb = RegCommand::Verb::Delete;
    } else if (SameName(a[1], "copy")) {
        c.verb = RegCommand::Verb::Copy;
        if (a.size() < 4) return std::nullopt;
        auto to = ParseKeyPath(a[3], true);
        if (!to) return std::nullopt;
        c.target = std::move(*to);
        switches = 4;
    } else {
        return std::nullopt;
    }
    auto key = ParseKeyPath(a[2], true);
    if (!key) return std::nullopt;
    c.key = std::move(*key);
    const bool isDelete = c.verb == RegCommand::Verb::Delete;
    if (!ReadRegSwitches(a, switches, isDelete, c.verb == RegCommand::Verb::Copy, c)) return std::nullopt;
    // Without /f reg asks on its console; a hidden process gets no answer and deletes nothing.
    if (isDelete && !c.force) return std::nullopt;
    return c;
}

ScRead ReadScCommand(const std::vector<std::string>& a) {
    std::size_t i = 1;
    if (i < a.size() && a[i].starts_with("\\\\")) {
        if (a[i] != "\\\\.") return {std::nullopt, kScNoServer};
        ++i;
    }
    if (i + 1 >= a.size() || !SameName(a[i], "config")) return {std::nullopt, kScBadCommandLine};
    ScCommand c;
    c.service = a[i + 1];
    i += 2;
    int start = -1;
    for (; i < a.size(); i += 2) {
        // Each option is "name=" followed by its value as the next argument.
        if (!SameName(a[i], "start=") || i + 1 >= a.size()) return {std::nullopt, kScBadCommandLine};
        start = -1;
        for (const auto& [word, code] : kStartTypes) {
            if (SameName(a[i + 1], word)) start = static_cast<int>(code);
        }
        if (start < 0) return {std::nullopt, kScBadCommandLine};
    }
    if (start < 0) return {std::nullopt, kScBadCommandLine};
    c.start = static_cast<std::uint32_t>(start);
    return {std::move(c), 0};
}

std::optional<std::string> ScConfigCommand(const std::string& service, std::uint32_t start) {
    for (const auto& [word, code] : kStartTypes) {
        if (code != start) continue;
        const bool plain = !service.empty() && service.find_first_of(" \t\"") == std::string::npos;
        return std::string(R"(sc \\. config )") + (plain ? service : QuoteArgument(service)) + " start= " + word;
    }
    return std::nullopt;
}

ChkntfsRead ReadChkntfsCommand(const std::vector<std::string>& a) {
    auto isDrive = [](const std::string& s) {
        return s.size() == 2 && s[1] == ':' && ((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= 'A' && s[0] <= 'Z'));
    };
    if (a.size() >= 3 && IsSwitch(a[1], "x")) {
        std::string command = "autocheck autochk";
        for (std::size_t i = 2; i < a.size(); ++i) {
            if (!isDrive(a[i])) return {std::nullopt, 1};
            command += " /k:" + FoldCase(a[i].substr(0, 1));
        }
        return {command + " *", 0};
    }
    if (a.size() == 2 && IsSwitch(a[1], "d")) return {"autocheck autochk *", 0};
    for (std::size_t i = 1; i < a.size(); ++i) {
        if (!isDrive(a[i])) return {std::nullopt, 1};
    }
    return {std::nullopt, a.size() > 1 ? 0u : 1u};
}

std::optional<bool> RemovalTargetPresent(System& sys, const std::string& commandLine) {
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || !SameName(ToolName(args[0]), "reg")) return std::nullopt;
    const auto c = ReadRegCommand(args);
    if (!c || c->verb == RegCommand::Verb::Add) return std::nullopt;
    const std::string key = JoinKeyPath(c->key);
    if (c->verb == RegCommand::Verb::Copy) return sys.ListRegKey(key).has_value();
    if (c->value || c->defaultValue) return sys.ReadRegValue(key, c->value.value_or("")).has_value();
    const auto listing = sys.ListRegKey(key);
    if (c->allValues) return listing && !listing->values.empty();
    return listing.has_value();
}

} // namespace sysaccess
