// The startup list: what starts at log-on from the two Run keys and the two Startup folders,
// and the removal of ticked entries.
#pragma once

#include <string>
#include <vector>

#include "form/form.h"
#include "form/host.h"
#include "sysaccess/system.h"

namespace startup {

// The Run keys the startup list reads and its removals name: the user's, the machine's, and on
// 64-bit Windows the 32-bit programs' machine key where the 64-bit registry holds it (they start
// at log-on too).
struct RunKey {
    sysaccess::RegRoot root;
    const char* below; // the key below its root
    bool view32;       // only on a machine with a 32-bit view
};
inline constexpr RunKey kRunKeys[] = {
    {sysaccess::RegRoot::CurrentUser, R"(Software\Microsoft\Windows\CurrentVersion\Run)", false},
    {sysaccess::RegRoot::LocalMachine, R"(Software\Microsoft\Windows\CurrentVersion\Run)", false},
    {sysaccess::RegRoot::LocalMachine, R"(Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Run)", true},
};

// The Run key written out from its root.
std::string RunKeyPath(const RunKey& key);

// Empties lstStartup and fills it: the current user's Run values, the machine's Run values (on
// 64-bit Windows those of the 64-bit view, then those of the 32-bit view), the current user's
// Startup folder files, the all users' Startup folder files.
void FillStartupList(form::MainForm& form, sysaccess::System& sys);

// The startup section of the Optimize pass: removes every ticked entry, waits until every
// removal has ended, lets pending events run, fills the list again.
void RunStartupSection(form::MainForm& form, sysaccess::System& sys, form::Host& host);

// Where an entry of the list starts from: each Run value of that name (the key, and the command it
// holds) and each file of that name in a Startup folder (the folder, and the file's path).
struct StartupSource {
    std::string where; // a Run key or a Startup folder
    std::string what;  // the command of the Run value, or the path of the file
};
std::vector<StartupSource> StartupSources(const form::MainForm& form, sysaccess::System& sys, const std::string& name);

// Removes name from both Run keys (the machine's in both views on 64-bit Windows) and both
// Startup folders.
void RemoveStartupItem(const form::MainForm& form, sysaccess::System& sys, const std::string& name);

// The Startup folder of the form's user (allUsers false) or of all users, where this Windows keeps
// it: written as on a Simplified-Chinese XP ("C:\Documents and Settings\...\「开始」菜单\程序\启动")
// where it is there, and so when the system cannot say.
std::string StartupFolder(const form::MainForm& form, sysaccess::System& sys, bool allUsers);

// True when name can only mean one file directly inside a folder: not empty, not ending in a dot
// or a blank (so never "." or ".."), and free of \ / : * ? " < > | and control characters.
bool IsPlainFileName(const std::string& name);

} // namespace startup
