// A small simulated machine holding everything the passes touch, and the checks that must hold
// after any pass on it, whatever failed.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "form/form.h"
#include "sysaccess/sim/machine.h"

namespace hardening {

inline const std::string kSafeBoot = R"(HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\SafeBoot\)";
inline const std::string kUserRunKey = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run)";
inline const std::string kMachineRunKey = R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run)";
inline const std::string kUserStartup = R"(C:\Documents and Settings\Administrator\「开始」菜单\程序\启动)";
inline const std::string kAllStartup = R"(C:\Documents and Settings\All Users\「开始」菜单\程序\启动)";
inline const std::string kAllStartMenu = R"(C:\Documents and Settings\All Users\「开始」菜单)";
inline const std::string kSetupDat = R"(C:\Program Files\Sysvela\setup.dat)";
inline const std::string kOldSetup = "\"0\"\r\n\"0\"\r\n\"0\"\r\n\"0\"\r\n\"old\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";

// The machine in tests/hardening/machine/: Run values, Startup files, the safe-boot keys with
// nested subkeys, slimming targets (some removable, some not), shortcuts, services, a user's
// documents and an old setup.dat.
sim::Machine FixtureMachine();

// The safe-boot configuration of `before` (in Minimal/Network, or in their backups when only
// those exist) is whole in `after`, in the key or in its backup, with every subkey and value.
// Returns what is missing; empty when whole.
std::string SafeBootLoss(const sim::Machine& before, const sim::Machine& after);

// Paths of `before` that `after` no longer has (compared without regard to case).
std::set<std::string> Deleted(const sim::Machine& before, const sim::Machine& after);

// Whether a path lies among the files and folders a pass may delete: the slimming targets, the
// protected-file cache, the shortcuts directly in the All Users Start menu, files directly in a
// Startup folder, the script.
bool MayBeDeleted(const std::string& path);

// Idle after a pass in which `failed` effects failed: the ten buttons enabled, Shape2 hidden, the
// completion text (or the count of failures), input not held.
std::string IdleProblem(const form::MainForm& form, std::size_t failed);

std::string LowerAscii(std::string s);

} // namespace hardening
