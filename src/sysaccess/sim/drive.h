// Drive C: of the simulated machine: folders and files with hidden, system and read-only
// attributes, names compared without regard to case and kept as created, files held open.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sysaccess/system.h"

namespace sim {

struct Node {
    std::string name;
    bool folder = false;
    unsigned attributes = 0;    // kHidden | kSystem | kReadOnly
    std::string bytes;          // a file's contents
    std::vector<Node> children; // kept sorted by name without regard to case

    Node* Child(std::string_view childName);
    const Node* Child(std::string_view childName) const;
};

// "C:\a\b", "c:/a/b", "C:" and "C:\" are paths on this drive; anything else is not.
// "." and ".." are resolved; doubled separators are ignored.
std::optional<std::vector<std::string>> SplitDrivePath(std::string_view path);

// A Windows file name: not empty, no control characters, none of < > : " / \ | ? *, and not
// ending in a space or dot.
bool ValidFileName(std::string_view name);

class Drive {
public:
    Drive();
    Drive(const Drive& other);            // holds are not copied
    Drive& operator=(const Drive& other); // nor kept

    const Node* Find(std::string_view path) const;
    Node* Find(std::string_view path);
    const Node& Root() const { return root_; }

    // Makes the folder and any missing parents; false when a file is in the way.
    bool MakeFolder(std::string_view path, unsigned attributes);
    // Writes a file, making missing parents; false when a folder is in the way.
    bool PutFile(std::string_view path, std::string bytes, unsigned attributes);

    bool FileExists(std::string_view pattern) const;
    bool FolderExists(std::string_view path) const;
    sysaccess::Result DeleteFiles(std::string_view pattern);
    sysaccess::Result RemoveFolder(std::string_view path);
    std::vector<std::string> ListFolder(std::string_view path) const;
    std::optional<std::string> ReadFile(std::string_view path) const;
    sysaccess::Result ReplaceFileAtomically(std::string_view path, const std::string& bytes);
    sysaccess::Result CreateHeldFile(std::string_view path, const std::string& bytes,
                                     std::unique_ptr<sysaccess::FileHold>& hold);
    // Removes every file in the folder and its sub-folders, whatever its attributes, except
    // held files; the folders stay.
    void EmptyFolder(std::string_view path);

    bool IsHeld(std::string_view path) const;

    // Every path below the root, depth first, "C:\..." in stored case.
    std::vector<std::string> AllPaths() const;

private:
    // The folder that would hold path's last part and that part's name.
    Node* Parent(std::string_view path, std::string* name);
    Node* MakeFolders(const std::vector<std::string>& parts);
    std::string HoldKey(std::string_view path) const;

    Node root_;
    std::shared_ptr<std::set<std::string>> holds_;
};

} // namespace sim
