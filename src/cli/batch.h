// The batch exporter: a System that turns every effect of a pass into lines of a Windows batch
// file, which makes the same effects in the same order on the machine where it runs.
//
// The pass's own tests (file and folder exists) are answered "yes" and each file operation is
// written behind the same test in the batch, so they are made on the machine that runs it.
// The other queries (Run keys, folder listings) are answered by the machine underneath, which
// is what the startup list is built from.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sysaccess/forwarding.h"

namespace cli {

// cmd's reading of a batch line: % doubled everywhere, and & | < > ^ escaped with ^ where they
// stand outside double quotes (cmd opens and closes quotes at every "). The program started
// receives exactly text.
std::string EscapeForBatch(const std::string& text);

// The "reg add" line that stores what the registry import stores for this write, or nothing
// when the import would refuse it (a dword that is not 1 to 8 hex digits, bytes that are not
// hex pairs, a line break anywhere).
std::optional<std::string> RegAddLine(const std::string& key, sysaccess::RegType type, const std::string& name,
                                      const std::string& data);

// Queries it does not answer itself go to the machine underneath (the forwarding base).
class BatchExporter : public sysaccess::ForwardingSystem {
public:
    // versionChecks: an option that has an effect on some releases of Windows only is run behind a
    // test of the version where the batch runs; without it every option runs everywhere.
    explicit BatchExporter(System& inner, bool versionChecks = true)
        : ForwardingSystem(inner), versionChecks_(versionChecks) {}

    // A comment line naming the page whose effects follow.
    void Page(const std::string& name);
    // The whole batch file in UTF-8, CR LF after every line.
    std::string Text(const std::string& title) const;

    sysaccess::Result WriteRegValue(const std::string& key, sysaccess::RegType type, const std::string& name,
                                    const std::string& data) override;
    sysaccess::RunResult Run(const std::string& commandLine, sysaccess::RunMode mode) override;
    std::vector<sysaccess::StartedCommand> CollectStarted() override { return {}; }
    // The lines of an option limited to some releases stand behind a test of the version.
    void OptionBegins(const std::string& what, sysaccess::ReleaseSet releases) override;
    // Nothing is skipped here: the batch decides where it runs.
    void OptionSkipped(const std::string&, const std::string&) override {}
    bool FileExists(const std::string&) override { return true; }   // tested in the batch
    bool FolderExists(const std::string&) override { return true; } // tested in the batch
    sysaccess::Result DeleteFiles(const std::string& path) override;
    sysaccess::Result RemoveFolder(const std::string& path) override;
    sysaccess::Result CreateFolder(const std::string&) override {
        return sysaccess::Result::Fail("a batch file writes no files");
    }
    sysaccess::Result ReplaceFileAtomically(const std::string& path, const std::string& bytes) override;
    sysaccess::Result CreateHeldFile(const std::string& path, const std::string& bytes,
                                     std::unique_ptr<sysaccess::FileHold>& hold) override;
    // The folders are those of the machine that runs the batch: each is a mark ("<windir>") that
    // BatchPath replaces by the variable holding the folder there.
    std::optional<std::string> KnownFolderPath(sysaccess::KnownFolder folder) override;

private:
    void Line(std::string line);
    void Skip(const std::string& why);
    // A path for the batch: escaped, with a known folder's mark replaced by the variable that
    // holds the folder on the machine running the batch.
    std::string BatchPath(const std::string& path);

    std::vector<std::string> lines_;
    unsigned foldersUsed_ = 0; // bit n: the batch needs the variable of KnownFolder n
    bool versionChecks_ = true;
    sysaccess::ReleaseSet releasesTested_ = 0; // the releases whose test the batch's start sets
    // The option whose lines follow, when it is limited to some releases: its name and releases,
    // and whether its test has been written.
    std::string guarded_;
    sysaccess::ReleaseSet guardReleases_ = sysaccess::kEveryRelease;
    bool guardWritten_ = false;
    struct Copy {
        std::string source; // the key copied, compared without case and trailing backslash
        std::string flag;   // the variable set when the copy succeeded
    };
    std::vector<Copy> copies_;
};

} // namespace cli
