// Owners of Win32 handles: each closes its handle exactly once, with the function its kind needs.
// Move-only; an empty owner holds the kind's "none" value.
#pragma once

#include <windows.h>

// The System seam has a ReplaceFile of its own, which this macro would rename to ReplaceFileW.
#undef ReplaceFile

#include <utility>

namespace win32 {

template <typename Traits> class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Type get() const { return h_; }
    explicit operator bool() const { return Traits::IsValid(h_); }

    Type release() { return std::exchange(h_, Traits::None()); }
    void reset(Type h = Traits::None()) {
        if (Traits::IsValid(h_)) Traits::Close(h_);
        h_ = h;
    }
    // For functions that return a handle through a pointer argument.
    Type* put() {
        reset();
        return &h_;
    }

private:
    Type h_ = Traits::None();
};

// CreateFile, CreateProcess and friends: both null and INVALID_HANDLE_VALUE mean "none",
// depending on which function made the handle.
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};

// The predefined roots (HKEY_CURRENT_USER...) are never owned; only keys that were opened are.
struct RegKeyTraits {
    using Type = HKEY;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { RegCloseKey(h); }
};

using Handle = UniqueHandle<KernelHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;

} // namespace win32
