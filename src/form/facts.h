// What the program knows of each option and each service: a plain-Chinese explanation, the risk,
// on which Windows releases it has any effect and why it says so. One row per check box and per
// service, read from facts.txt beside this file (compiled in).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/options.h"
#include "sysaccess/winver.h"

namespace form {

enum class Risk { Low, Medium, High };
const char* RiskWord(Risk risk); // "低", "中", "高"

// Something the program checks on the machine instead of a page saying where the row applies.
struct Probe {
    enum class Kind { Service, File, Folder };
    Kind kind = Kind::Service;
    // Service: its name; File, Folder: a path beginning with %windir% or <allusers-startmenu>.
    std::string what;
};

// A page that supports the row's releases, and the words quoted from it.
struct Source {
    std::string url;
    std::string quote;
};

struct Fact {
    std::string explanation;
    Risk risk = Risk::Low;
    std::string riskReason; // why 中 or 高; empty for 低
    sysaccess::ReleaseSet releases = sysaccess::kEveryRelease;
    std::vector<Probe> probes; // at least one must hold, where there are any
    std::vector<Source> sources;
    bool unverified = false; // 未核实: runs everywhere
};

struct Facts {
    std::array<Fact, kChkCount> options;
    std::array<Fact, kServiceCount> services;
};

// Facts text as ParseFacts read it: the facts, or the first problem (with its line).
struct FactsRead {
    std::optional<Facts> facts;
    std::string error;
};

// Reads facts text; nothing and the first problem (with its line) when a row is missing, twice,
// or not whole: every option and every service needs an explanation and a risk, 中 and 高 a reason,
// and a row that limits its releases a source or a probe; an unverified row has neither and
// limits nothing.
[[nodiscard]] FactsRead ParseFacts(std::string_view text);

// The facts compiled in. Should they ever not read, every row is an unverified one that says so.
const Facts& TheFacts();
inline const Fact& OptionFact(int chk) {
    return TheFacts().options[static_cast<std::size_t>(chk < 0 || chk >= kChkCount ? 0 : chk)];
}
inline const Fact& ServiceFact(int index) {
    return TheFacts().services[static_cast<std::size_t>(index < 0 || index >= kServiceCount ? 0 : index)];
}

// A service's name in the lines that speak of it: "停用 Alerter".
std::string ServiceLabel(int index);

} // namespace form
