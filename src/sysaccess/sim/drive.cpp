#include "sysaccess/sim/drive.h"

#include <algorithm>

#include "sysaccess/sim/machine.h"
#include "sysaccess/sim/text.h"
#include "sysaccess/wildcard.h"

namespace sim {

using sysaccess::Result;

namespace {

// Releases the hold on the file when the program closes it.
class HeldFile : public sysaccess::FileHold {
public:
    HeldFile(std::weak_ptr<std::set<std::string>> holds, std::string key)
        : holds_(std::move(holds)), key_(std::move(key)) {}
    ~HeldFile() override {
        if (auto holds = holds_.lock()) holds->erase(key_);
    }

private:
    std::weak_ptr<std::set<std::string>> holds_;
    std::string key_;
};

bool Ordinary(const Node& n) {
    return !n.folder && !(n.attributes & (kHidden | kSystem));
}

void InsertSorted(std::vector<Node>& children, Node node) {
    const auto at = std::lower_bound(children.begin(), children.end(), node,
                                     [](const Node& a, const Node& b) { return NameLess(a.name, b.name); });
    children.insert(at, std::move(node));
}

std::string JoinDrivePath(const std::vector<std::string>& parts) {
    std::string out = "C:";
    for (const std::string& p : parts)
        out += "\\" + p;
    return parts.empty() ? out + "\\" : out;
}

void CollectPaths(const Node& node, const std::string& prefix, std::vector<std::string>& out) {
    for (const Node& child : node.children) {
        const std::string path = prefix + "\\" + child.name;
        out.push_back(path);
        if (child.folder) CollectPaths(child, path, out);
    }
}

} // namespace

Node* Node::Child(std::string_view childName) {
    // Children are sorted by folded name first, so a binary search finds the one of this name.
    const std::string folded = FoldCase(childName);
    const auto at = std::lower_bound(children.begin(), children.end(), folded,
                                     [](const Node& c, const std::string& f) { return FoldCase(c.name) < f; });
    return at != children.end() && SameName(at->name, childName) ? &*at : nullptr;
}

const Node* Node::Child(std::string_view childName) const {
    return const_cast<Node*>(this)->Child(childName);
}

std::optional<std::vector<std::string>> SplitDrivePath(std::string_view path) {
    if (path.size() < 2 || (path[0] != 'C' && path[0] != 'c') || path[1] != ':') return std::nullopt;
    path.remove_prefix(2);
    if (!path.empty() && path[0] != '\\' && path[0] != '/') return std::nullopt;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = path.size();
        std::string part(path.substr(start, end - start));
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (part != ".") {
            // Windows drops trailing dots and spaces from a name.
            while (!part.empty() && (part.back() == '.' || part.back() == ' '))
                part.pop_back();
            if (!part.empty()) parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    return parts;
}

bool ValidFileName(std::string_view name) {
    if (name.empty() || name.back() == ' ' || name.back() == '.') return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
        if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) return false;
    }
    return true;
}

Drive::Drive() : holds_(std::make_shared<std::set<std::string>>()) {
    root_.folder = true;
}

Drive::Drive(const Drive& other) : root_(other.root_), holds_(std::make_shared<std::set<std::string>>()) {}

Drive& Drive::operator=(const Drive& other) {
    if (this != &other) {
        root_ = other.root_;
        holds_ = std::make_shared<std::set<std::string>>();
    }
    return *this;
}

Node* Drive::Find(std::string_view path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return nullptr;
    Node* node = &root_;
    for (const std::string& p : *parts) {
        if (!node->folder) return nullptr;
        node = node->Child(p);
        if (!node) return nullptr;
    }
    return node;
}

const Node* Drive::Find(std::string_view path) const {
    return const_cast<Drive*>(this)->Find(path);
}

Node* Drive::Parent(std::string_view path, std::string* name) {
    auto parts = SplitDrivePath(path);
    if (!parts || parts->empty()) return nullptr;
    *name = parts->back();
    parts->pop_back();
    Node* node = &root_;
    for (const std::string& p : *parts) {
        node = node->Child(p);
        if (!node || !node->folder) return nullptr;
    }
    return node;
}

std::string Drive::HoldKey(std::string_view path) const {
    const auto parts = SplitDrivePath(path);
    return parts ? FoldCase(JoinDrivePath(*parts)) : std::string();
}

bool Drive::IsHeld(std::string_view path) const {
    return holds_->count(HoldKey(path)) != 0;
}

// Walks down the folders named by parts, making the missing ones; existing ones keep their
// attributes. Nothing when a part names a file.
Node* Drive::MakeFolders(const std::vector<std::string>& parts) {
    Node* node = &root_;
    for (const std::string& p : parts) {
        Node* child = node->Child(p);
        if (!child) {
            InsertSorted(node->children, Node{p, true, 0, {}, {}});
            child = node->Child(p);
        }
        if (!child->folder) return nullptr;
        node = child;
    }
    return node;
}

bool Drive::MakeFolder(std::string_view path, unsigned attributes) {
    const auto parts = SplitDrivePath(path);
    Node* node = parts ? MakeFolders(*parts) : nullptr;
    if (!node) return false;
    if (node != &root_) node->attributes = attributes;
    return true;
}

bool Drive::PutFile(std::string_view path, std::string bytes, unsigned attributes) {
    auto parts = SplitDrivePath(path);
    if (!parts || parts->empty()) return false;
    const std::string name = parts->back();
    parts->pop_back();
    Node* parent = MakeFolders(*parts);
    if (!parent) return false;
    if (Node* existing = parent->Child(name)) {
        if (existing->folder) return false;
        existing->bytes = std::move(bytes);
        existing->attributes = attributes;
        return true;
    }
    InsertSorted(parent->children, Node{name, false, attributes, std::move(bytes), {}});
    return true;
}

bool Drive::FileExists(std::string_view pattern) const {
    std::string last;
    const Node* parent = const_cast<Drive*>(this)->Parent(pattern, &last);
    if (!parent) return false;
    if (!sysaccess::HasWildcard(last)) {
        const Node* n = parent->Child(last);
        return n && Ordinary(*n);
    }
    return std::any_of(parent->children.begin(), parent->children.end(),
                       [&](const Node& n) { return Ordinary(n) && sysaccess::WildcardMatch(last, n.name); });
}

bool Drive::FolderExists(std::string_view path) const {
    const Node* node = Find(path);
    return node && node->folder;
}

Result Drive::DeleteFiles(std::string_view pattern) {
    std::string last;
    Node* parent = Parent(pattern, &last);
    if (!parent) return Result::Fail("path not found");
    auto parentParts = *SplitDrivePath(pattern);
    parentParts.pop_back();
    std::vector<std::string> matches;
    if (!sysaccess::HasWildcard(last)) {
        // One name: looked up, not matched against every file of the folder.
        if (const Node* n = parent->Child(last)) {
            if (n->folder) return Result::Fail("is a folder");
            if (!Ordinary(*n)) return Result::Fail("hidden or system file");
            matches.push_back(n->name);
        }
    } else {
        for (const Node& n : parent->children) {
            if (Ordinary(n) && sysaccess::WildcardMatch(last, n.name)) matches.push_back(n.name);
        }
    }
    if (matches.empty()) return Result::Fail("file not found");

    std::string refused;
    for (const std::string& name : matches) {
        Node* n = parent->Child(name);
        auto parts = parentParts;
        parts.push_back(name);
        const bool held = holds_->count(FoldCase(JoinDrivePath(parts))) != 0;
        if (held || (n->attributes & kReadOnly)) {
            refused += (refused.empty() ? "" : ", ") + name + (held ? " (in use)" : " (read-only)");
            continue;
        }
        parent->children.erase(parent->children.begin() + (n - parent->children.data()));
    }
    if (!refused.empty()) return Result::Fail("not deleted: " + refused);
    return Result::Ok();
}

Result Drive::RemoveFolder(std::string_view path) {
    std::string name;
    Node* parent = Parent(path, &name);
    Node* node = parent ? parent->Child(name) : nullptr;
    if (!node || !node->folder) return Result::Fail("folder not found");
    if (!node->children.empty()) return Result::Fail("folder not empty");
    if (node->attributes & kReadOnly) return Result::Fail("folder is read-only");
    parent->children.erase(parent->children.begin() + (node - parent->children.data()));
    return Result::Ok();
}

std::vector<std::string> Drive::ListFolder(std::string_view path) const {
    std::vector<std::string> names;
    const Node* node = Find(path);
    if (!node || !node->folder) return names;
    for (const Node& n : node->children) {
        if (Ordinary(n)) names.push_back(n.name);
    }
    return names;
}

std::optional<std::string> Drive::ReadFile(std::string_view path) const {
    const Node* node = Find(path);
    if (!node || node->folder) return std::nullopt;
    return node->bytes;
}

Result Drive::ReplaceFileAtomically(std::string_view path, const std::string& bytes) {
    std::string name;
    Node* parent = Parent(path, &name);
    if (!parent) return Result::Fail("folder not found");
    if (!ValidFileName(name)) return Result::Fail("invalid file name");
    if (Node* existing = parent->Child(name)) {
        if (existing->folder) return Result::Fail("is a folder");
        if (IsHeld(path)) return Result::Fail("file in use");
        if (existing->attributes & kReadOnly) return Result::Fail("file is read-only");
        // The new file took the old one's place: it has the new contents and no attributes.
        existing->bytes = bytes;
        existing->attributes = 0;
        return Result::Ok();
    }
    InsertSorted(parent->children, Node{name, false, 0, bytes, {}});
    return Result::Ok();
}

Result Drive::CreateHeldFile(std::string_view path, const std::string& bytes,
                             std::unique_ptr<sysaccess::FileHold>& hold) {
    std::string name;
    Node* parent = Parent(path, &name);
    if (!parent) return Result::Fail("folder not found");
    if (!ValidFileName(name)) return Result::Fail("invalid file name");
    if (Node* existing = parent->Child(name)) {
        if (existing->folder) return Result::Fail("is a folder");
        if (IsHeld(path)) return Result::Fail("file in use");
        if (existing->attributes & kReadOnly) return Result::Fail("leftover file is read-only");
        parent->children.erase(parent->children.begin() + (existing - parent->children.data()));
    }
    InsertSorted(parent->children, Node{name, false, 0, bytes, {}});
    const std::string key = HoldKey(path);
    holds_->insert(key);
    hold = std::make_unique<HeldFile>(holds_, key);
    return Result::Ok();
}

void Drive::EmptyFolder(std::string_view path) {
    Node* node = Find(path);
    if (!node || !node->folder) return;
    const std::string prefix = FoldCase(JoinDrivePath(*SplitDrivePath(path)));
    auto empty = [&](auto& self, Node& folder, const std::string& key) -> void {
        std::vector<Node> kept;
        for (Node& child : folder.children) {
            const std::string childKey = key + (key.ends_with("\\") ? "" : "\\") + FoldCase(child.name);
            if (child.folder) {
                self(self, child, childKey);
                kept.push_back(std::move(child));
            } else if (holds_->count(childKey)) {
                kept.push_back(std::move(child));
            }
        }
        folder.children = std::move(kept);
    };
    empty(empty, *node, prefix);
}

std::vector<std::string> Drive::AllPaths() const {
    std::vector<std::string> out;
    CollectPaths(root_, "C:", out);
    return out;
}

} // namespace sim
