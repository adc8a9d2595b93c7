// The contract cases run against every real System: the simulated machine natively and the
// Windows implementation under Wine. An Env gives a fresh System with an empty test area and
// the few things the cases set up or inspect without going through the System itself.
#pragma once

#include <memory>
#include <string>

#include "sysaccess/system.h"

namespace contract {

inline constexpr const char* kTestKey = "HKEY_CURRENT_USER\\Software\\SysvelaTest";
inline constexpr const char* kTestSubkey = "Software\\SysvelaTest";
inline constexpr const char* kTestFolder = "c:\\sysvela-test";

// File attributes for MakeFile.
inline constexpr unsigned kHidden = 1;
inline constexpr unsigned kSystem = 2;
inline constexpr unsigned kReadOnly = 4;

class Env {
public:
    virtual ~Env() = default;
    virtual sysaccess::System& Sys() = 0;
    // A folder, parents made as needed.
    virtual void MakeFolder(const std::string& path) = 0;
    virtual void MakeFile(const std::string& path, const std::string& bytes, unsigned attributes = 0) = 0;
    // Whether a file or folder of any attributes is at path.
    virtual bool Exists(const std::string& path) = 0;
    // Wine differs from Windows in a few tools; cases that meet such a difference say so.
    virtual bool OnWine() const = 0;
};

// A fresh System, the test key and folder empty (the folder exists); both are cleaned again
// when the Env is destroyed.
std::unique_ptr<Env> MakeEnv();

} // namespace contract
