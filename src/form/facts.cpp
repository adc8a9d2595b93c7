#include "form/facts.h"

#include <cstddef>
#include <cstdio>

namespace form {

namespace facts_data {
extern const unsigned char kText[];
extern const std::size_t kSize;
} // namespace facts_data

namespace {

// The one word the service lines put before a service's name.
constexpr const char* kDisableService = "停用 ";

// A problem, named with its line.
std::string Problem(int line, const std::string& why) {
    return "facts line " + std::to_string(line) + ": " + why;
}

FactsRead Fail(int line, const std::string& why) {
    return {std::nullopt, Problem(line, why)};
}

// A row being read, and whether its parts were seen.
struct Row {
    Fact* fact = nullptr;
    int line = 0;
    bool explained = false, risked = false, limited = false;
};

// What the row lacks; empty when it is whole.
std::string Unfinished(const Row& row) {
    if (!row.fact) return {};
    const Fact& f = *row.fact;
    const bool supported = !f.sources.empty() || !f.probes.empty();
    if (!row.explained || !row.risked) return Problem(row.line, "an explanation and a risk are needed");
    if (f.unverified && (supported || row.limited)) {
        return Problem(row.line, "an unverified row names no source, no probe and no releases");
    }
    if (!f.unverified && !supported) return Problem(row.line, "a source, a probe or \"unverified\" is needed");
    return {};
}

bool ReadRisk(std::string_view rest, Fact& f) {
    const std::size_t gap = rest.find(' ');
    const std::string_view word = rest.substr(0, gap);
    f.riskReason = gap == std::string_view::npos ? "" : std::string(rest.substr(gap + 1));
    if (word == "低")
        f.risk = Risk::Low;
    else if (word == "中")
        f.risk = Risk::Medium;
    else if (word == "高")
        f.risk = Risk::High;
    else
        return false;
    return (f.risk == Risk::Low) == f.riskReason.empty();
}

bool ReadReleases(std::string_view rest, Fact& f) {
    f.releases = 0;
    while (!rest.empty()) {
        const std::size_t gap = rest.find(' ');
        const auto release = sysaccess::ReleaseFromWord(rest.substr(0, gap));
        if (!release) return false;
        f.releases |= sysaccess::Bit(*release);
        rest = gap == std::string_view::npos ? std::string_view() : rest.substr(gap + 1);
    }
    return f.releases != 0;
}

bool ReadProbe(std::string_view rest, Fact& f) {
    const std::size_t gap = rest.find(' ');
    if (gap == std::string_view::npos || gap + 1 == rest.size()) return false;
    const std::string_view kind = rest.substr(0, gap);
    Probe p;
    p.what = std::string(rest.substr(gap + 1));
    if (kind == "service") {
        p.kind = Probe::Kind::Service;
    } else if (kind == "file" || kind == "folder") {
        p.kind = kind == "file" ? Probe::Kind::File : Probe::Kind::Folder;
        if (!p.what.starts_with("%windir%\\") && p.what != "<allusers-startmenu>" &&
            !p.what.starts_with("<allusers-startmenu>\\")) {
            return false;
        }
    } else {
        return false;
    }
    f.probes.push_back(std::move(p));
    return true;
}

// One line of a row: its word and the rest.
bool ReadPart(Row& row, std::string_view word, std::string_view rest) {
    Fact& f = *row.fact;
    if (word == "explanation" && !rest.empty() && !row.explained) {
        f.explanation = std::string(rest);
        row.explained = true;
        return true;
    }
    if (word == "risk" && !row.risked) {
        row.risked = true;
        return ReadRisk(rest, f);
    }
    if (word == "applies" && !row.limited) {
        row.limited = true;
        return ReadReleases(rest, f);
    }
    if (word == "source") {
        const std::size_t bar = rest.find(" | ");
        if (bar == std::string_view::npos || bar == 0 || bar + 3 >= rest.size()) return false;
        f.sources.push_back({std::string(rest.substr(0, bar)), std::string(rest.substr(bar + 3))});
        return true;
    }
    if (word == "probe") return ReadProbe(rest, f);
    if (word == "unverified" && rest.empty()) {
        f.unverified = true;
        return true;
    }
    return false;
}

} // namespace

const char* RiskWord(Risk risk) {
    switch (risk) {
    case Risk::Low:
        return "低";
    case Risk::Medium:
        return "中";
    case Risk::High:
        return "高";
    }
    return "?";
}

FactsRead ParseFacts(std::string_view text) {
    Facts facts;
    std::array<bool, kChkCount> optionSeen{};
    std::array<bool, kServiceCount> serviceSeen{};
    Row row;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::size_t gap = line.find(' ');
        const std::string_view word = line.substr(0, gap);
        const std::string_view rest = gap == std::string_view::npos ? std::string_view() : line.substr(gap + 1);
        if (word == "option" || word == "service") {
            if (std::string lacks = Unfinished(row); !lacks.empty()) return {std::nullopt, std::move(lacks)};
            row = Row{nullptr, number};
            if (word == "option") {
                int chk = -1;
                for (int i = 0; i < kChkCount && chk < 0; ++i) {
                    if (rest == std::to_string(i)) chk = i;
                }
                if (chk < 0 || optionSeen[static_cast<std::size_t>(chk)]) {
                    return Fail(number, "no such option, or one named twice");
                }
                optionSeen[static_cast<std::size_t>(chk)] = true;
                row.fact = &facts.options[static_cast<std::size_t>(chk)];
            } else {
                for (int i = 0; i < kServiceCount && !row.fact; ++i) {
                    if (rest != kServices[i].name || serviceSeen[static_cast<std::size_t>(i)]) continue;
                    serviceSeen[static_cast<std::size_t>(i)] = true;
                    row.fact = &facts.services[static_cast<std::size_t>(i)];
                }
                if (!row.fact) {
                    return Fail(number, "no such service, or one named twice");
                }
            }
            continue;
        }
        const bool ok = row.fact != nullptr && ReadPart(row, word, rest);
        if (!ok) {
            return Fail(number, "cannot read \"" + std::string(line) + "\"");
        }
    }
    if (std::string lacks = Unfinished(row); !lacks.empty()) return {std::nullopt, std::move(lacks)};
    for (int i = 0; i < kChkCount; ++i) {
        if (!optionSeen[static_cast<std::size_t>(i)]) {
            return Fail(number, "no row for option " + std::to_string(i));
        }
    }
    for (int i = 0; i < kServiceCount; ++i) {
        if (!serviceSeen[static_cast<std::size_t>(i)]) {
            return Fail(number, std::string("no row for service ") + kServices[i].name);
        }
    }
    return {std::move(facts), {}};
}

const Facts& TheFacts() {
    static const Facts facts = [] {
        FactsRead read =
            ParseFacts(std::string_view(reinterpret_cast<const char*>(facts_data::kText), facts_data::kSize));
        if (read.facts) return std::move(*read.facts);
        const std::string& error = read.error;
        // A damaged build: nothing is skipped, and every row says why it knows nothing.
        std::fprintf(stderr, "sysvela: the facts compiled in cannot be read: %s\n", error.c_str());
        Facts unknown;
        for (Fact& f : unknown.options) {
            f.explanation = error;
            f.unverified = true;
        }
        for (Fact& f : unknown.services) {
            f.explanation = error;
            f.unverified = true;
        }
        return unknown;
    }();
    return facts;
}

std::string ServiceLabel(int index) {
    return std::string(kDisableService) + (index >= 0 && index < kServiceCount ? kServices[index].name : "?");
}

} // namespace form
