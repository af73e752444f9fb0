#pragma once
// Registry access under the program's key. Reads never fail loudly: a missing
// key or value, or one of the wrong type or size, reads as "nothing".
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// HKEY_CURRENT_USER: where every setting of the program lives.
inline constexpr const char* kProgramKeyPath = "\\SOFTWARE\\Talvenmoor\\Korvalder?";

// Owns one open registry key.
class RegKey {
public:
    RegKey() = default;
    explicit RegKey(HKEY key) : key_(key) {}
    ~RegKey() { reset(); }
    RegKey(RegKey&& other) noexcept : key_(other.release()) {}
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY release() {
        HKEY k = key_;
        key_ = nullptr;
        return k;
    }
    void reset(HKEY key = nullptr) {
        if (key_)
            RegCloseKey(key_);
        key_ = key;
    }

    // Opens or (with create) makes subPath below parent; empty on failure.
    static RegKey open(HKEY parent, const std::string& subPath, bool create, REGSAM access = KEY_ALL_ACCESS);

private:
    HKEY key_ = nullptr;
};

class TRegistryEx {
public:
    explicit TRegistryEx(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    // Opens path with full access, creating it when canCreate; relative to the
    // current key unless it starts with a backslash. The opened key becomes
    // current; on failure the current key stays as it was.
    bool OpenRegKey(const std::string& path, bool canCreate);
    // Read access only: enough for keys of the machine the user may not write.
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey();
    HKEY currentKey() const { return current_.get(); }
    const std::string& currentPath() const { return path_; }

    // The bytes read, or -1 on any error (no key, missing value, wrong size or type).
    int ReadBinaryDataDef(const std::string& name, void* buffer, int size) const;
    std::optional<std::string> ReadString(const std::string& name) const;
    std::optional<std::uint32_t> ReadInteger(const std::string& name) const;
    bool ValueExists(const std::string& name) const;
    // The names of the current key's values, in the system's order.
    std::vector<std::string> GetValueNames() const;

    bool WriteBinaryData(const std::string& name, const void* data, int size);
    bool WriteString(const std::string& name, const std::string& value);
    bool WriteInteger(const std::string& name, std::uint32_t value);
    bool DeleteValue(const std::string& name);
    // Deletes a key below the current one (or an absolute one) with everything in it.
    bool DeleteKey(const std::string& path);

private:
    // The key a path is relative to, and the path as the system takes it.
    HKEY baseFor(const std::string& path, std::string& subPath, std::string& fullPath) const;
    bool openWith(const std::string& path, bool create, REGSAM access);

    HKEY root_;
    RegKey current_;
    std::string path_;  // of the current key, below the root, without leading backslash
};

}  // namespace kv
