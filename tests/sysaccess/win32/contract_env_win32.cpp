#include <windows.h>

#include "../contract_env.h"
#include "sysaccess/win32/system.h"
#include "win32/text.h"
#include "test_area.h"

namespace contract {
namespace {

class Win32Env final : public Env {
public:
    Win32Env() { win32test::ResetTestArea(); }
    ~Win32Env() override { win32test::ResetTestArea(); }

    sysaccess::System& Sys() override { return system_; }

    void MakeFolder(const std::string& path) override {
        // Parents first: CreateDirectoryW makes one level only.
        for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
            CreateDirectoryW(win32::Widen(path.substr(0, at)).c_str(), nullptr);
        }
        CreateDirectoryW(win32::Widen(path).c_str(), nullptr);
    }

    void MakeFile(const std::string& path, const std::string& bytes, unsigned attributes) override {
        MakeFolder(path.substr(0, path.find_last_of('\\')));
        const std::wstring wide = win32::Widen(path);
        win32test::DeleteTree(wide);
        win32::Handle file(
            CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (file && !bytes.empty())
            WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        file.reset();
        DWORD winAttributes = 0;
        if (attributes & kHidden) winAttributes |= FILE_ATTRIBUTE_HIDDEN;
        if (attributes & kSystem) winAttributes |= FILE_ATTRIBUTE_SYSTEM;
        if (attributes & kReadOnly) winAttributes |= FILE_ATTRIBUTE_READONLY;
        if (winAttributes) SetFileAttributesW(wide.c_str(), winAttributes);
    }

    bool Exists(const std::string& path) override {
        return GetFileAttributesW(win32::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool OnWine() const override { return win32test::OnWine(); }

private:
    win32::System system_;
};

} // namespace

std::unique_ptr<Env> MakeEnv() {
    return std::make_unique<Win32Env>();
}

} // namespace contract
