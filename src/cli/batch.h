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
    // userName: the log-in name the pass builds the current user's Startup folder from; that
    // folder becomes the Startup folder of whoever runs the batch.
    BatchExporter(System& inner, std::string userName) : ForwardingSystem(inner), userName_(std::move(userName)) {}

    // A comment line naming the page whose effects follow.
    void Page(const std::string& name);
    // The whole batch file in UTF-8, CR LF after every line.
    std::string Text(const std::string& title) const;

    sysaccess::Result WriteRegValue(const std::string& key, sysaccess::RegType type, const std::string& name,
                                    const std::string& data) override;
    sysaccess::RunResult Run(const std::string& commandLine, sysaccess::RunMode mode) override;
    std::vector<sysaccess::StartedCommand> CollectStarted() override { return {}; }
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
    // The Startup folders are the ones built from the log-in name, which BatchPath knows to
    // replace; the shell's folders of this machine would stand in the batch as they are.
    std::optional<std::string> ShellStartupFolder(bool) override { return std::nullopt; }

private:
    void Line(std::string line);
    void Skip(const std::string& why);
    // A path for the batch: escaped, with a Startup folder of the pass replaced by the variable
    // that holds the same folder on the machine running the batch.
    std::string BatchPath(const std::string& path);

    std::string userName_;
    std::vector<std::string> lines_;
    bool userStartup_ = false;   // the batch needs %SYSVELA_STARTUP%
    bool commonStartup_ = false; // the batch needs %SYSVELA_COMMON_STARTUP%
    struct Copy {
        std::string source; // the key copied, compared without case and trailing backslash
        std::string flag;   // the variable set when the copy succeeded
    };
    std::vector<Copy> copies_;
};

} // namespace cli
