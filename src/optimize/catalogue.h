// The option catalogue as data: one row per step of a page's section, in pass order.
//
// A regular option is one row: key | value name | type | data ticked | data not ticked, or the
// command line ticked | not ticked, or a fixed path removed when ticked. A few options read other
// controls or must order their operations carefully; they are plain functions, named in the table
// by a Special row at their place in the order. kNothing marks the case in which an option does
// nothing.
#pragma once

#include <cstddef>
#include <string>

#include "form/form.h"
#include "sysaccess/system.h"

namespace optimize {

// The rows name their check boxes as the option table does.
using enum form::Chk;

inline constexpr const char* kNothing = nullptr;

inline constexpr sysaccess::RegType kDword = sysaccess::RegType::Dword;
inline constexpr sysaccess::RegType kString = sysaccess::RegType::String;

using SpecialFn = void (*)(const form::MainForm&, sysaccess::System&);

struct Step {
    enum class Kind { Write, Run, DeleteFile, RemoveFolder, Progress, Special };

    Kind kind = Kind::Progress;
    int chk = -1; // the option read; -1 for Progress and Special rows
    sysaccess::RegType type = kDword;
    // Write: key and value name when ticked; the *Cleared forms when not ticked (most rows use
    // one key and one name for both). Run: unused. DeleteFile, RemoveFolder: key is the path.
    const char* key = nullptr;
    const char* name = nullptr;
    const char* keyCleared = nullptr;
    const char* nameCleared = nullptr;
    // Write: the data; Run: the command line; kNothing: no operation in that state.
    const char* ticked = kNothing;
    const char* cleared = kNothing;
    // Write: on 64-bit Windows the value goes into this key as well, the same key of the 32-bit
    // view (a setting that each view holds for the programs of its own bitness); nullptr: no.
    const char* key32 = nullptr;
    int twips = 0;               // Progress
    SpecialFn special = nullptr; // Special
};

// key | value name | type | data ticked | data not ticked.
constexpr Step Reg(int chk, const char* key, const char* name, sysaccess::RegType type, const char* ticked,
                   const char* cleared) {
    Step s;
    s.kind = Step::Kind::Write;
    s.chk = chk;
    s.type = type;
    s.key = s.keyCleared = key;
    s.name = s.nameCleared = name;
    s.ticked = ticked;
    s.cleared = cleared;
    return s;
}

// A dword whose value name is spelt differently in the two states:
// key | name ticked | data ticked | name not ticked | data not ticked.
constexpr Step RegNames(int chk, const char* key, const char* nameTicked, const char* ticked, const char* nameCleared,
                        const char* cleared) {
    Step s = Reg(chk, key, nameTicked, kDword, ticked, cleared);
    s.nameCleared = nameCleared;
    return s;
}

// A value whose key is spelt differently in the two states:
// key ticked | key not ticked | value name | type | data ticked | data not ticked.
constexpr Step RegKeys(int chk, const char* keyTicked, const char* keyCleared, const char* name,
                       sysaccess::RegType type, const char* ticked, const char* cleared) {
    Step s = Reg(chk, keyTicked, name, type, ticked, cleared);
    s.keyCleared = keyCleared;
    return s;
}

// A Reg row whose value is written in the 32-bit view too, where the machine has one: key32 is
// the key's place there ("...\SOFTWARE\Wow6432Node\...").
constexpr Step InBothViews(Step s, const char* key32) {
    s.key32 = key32;
    return s;
}

// Command line ticked | not ticked, started without waiting.
constexpr Step Cmd(int chk, const char* ticked, const char* cleared) {
    Step s;
    s.kind = Step::Kind::Run;
    s.chk = chk;
    s.ticked = ticked;
    s.cleared = cleared;
    return s;
}

// When ticked: the file, if it exists as an ordinary file, is deleted.
constexpr Step DeleteFileIfTicked(int chk, const char* path) {
    Step s;
    s.kind = Step::Kind::DeleteFile;
    s.chk = chk;
    s.key = path;
    return s;
}

// When ticked: the folder, if it exists, is removed when empty.
constexpr Step RemoveFolderIfTicked(int chk, const char* path) {
    Step s;
    s.kind = Step::Kind::RemoveFolder;
    s.chk = chk;
    s.key = path;
    return s;
}

// Shape2's width at this point of the section.
constexpr Step Progress(int twips) {
    Step s;
    s.kind = Step::Kind::Progress;
    s.twips = twips;
    return s;
}

// An option written as code beside the table.
constexpr Step Special(SpecialFn fn) {
    Step s;
    s.kind = Step::Kind::Special;
    s.special = fn;
    return s;
}

// Runs one step against the form's current state. Progress rows change the form.
void Apply(const Step& step, form::MainForm& form, sysaccess::System& sys);

template <std::size_t N> void ApplyAll(const Step (&steps)[N], form::MainForm& form, sysaccess::System& sys) {
    for (const Step& s : steps)
        Apply(s, form, sys);
}

// Shared by the irregular options: the outcome is not the pass's concern, only the order is.
void Write(sysaccess::System& sys, const char* key, sysaccess::RegType type, const char* name, const char* data);
sysaccess::RunResult RunAndWait(sysaccess::System& sys, const std::string& commandLine);
// Deletes the ordinary files matching path (wildcards in the last part) when there is one.
void DeleteIfExists(sysaccess::System& sys, const std::string& path);

// A drive list as the data text of a dword: bit i for item i, upper-case hexadecimal without
// leading zeros ("0" for none, "4" for C:, "3FFFFFF" for all 26).
std::string DriveMaskText(const form::CheckList& list);

} // namespace optimize
