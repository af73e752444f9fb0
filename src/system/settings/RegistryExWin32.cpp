#include "system/settings/RegistryExWin32.h"

#include <algorithm>

namespace kv {

namespace {

// The system refuses a leading backslash in some calls (and Wine in all).
std::string stripSlashes(const std::string& path) {
    std::size_t b = 0, e = path.size();
    while (b < e && path[b] == '\\')
        ++b;
    while (e > b && path[e - 1] == '\\')
        --e;
    return path.substr(b, e - b);
}

}  // namespace

RegKey RegKey::open(HKEY parent, const std::string& subPath, bool create, REGSAM access) {
    HKEY key = nullptr;
    LONG rc;
    if (create)
        rc = RegCreateKeyExA(parent, subPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                             nullptr);
    else
        rc = RegOpenKeyExA(parent, subPath.c_str(), 0, access, &key);
    return rc == ERROR_SUCCESS ? RegKey(key) : RegKey();
}

HKEY TRegistryEx::baseFor(const std::string& path, std::string& subPath, std::string& fullPath) const {
    const bool absolute = !path.empty() && path.front() == '\\';
    subPath = stripSlashes(path);
    if (absolute || !current_) {
        fullPath = subPath;
        return root_;
    }
    fullPath = path_.empty() ? subPath : subPath.empty() ? path_ : path_ + "\\" + subPath;
    return current_.get();
}

bool TRegistryEx::openWith(const std::string& path, bool create, REGSAM access) {
    std::string subPath, fullPath;
    const HKEY base = baseFor(path, subPath, fullPath);
    RegKey key = RegKey::open(base, subPath, create, access);
    if (!key)
        return false;
    current_ = std::move(key);
    path_ = fullPath;
    return true;
}

bool TRegistryEx::OpenRegKey(const std::string& path, bool canCreate) { return openWith(path, canCreate, KEY_ALL_ACCESS); }

bool TRegistryEx::OpenKeyReadOnly(const std::string& path) { return openWith(path, false, KEY_READ); }

void TRegistryEx::CloseKey() {
    current_.reset();
    path_.clear();
}

int TRegistryEx::ReadBinaryDataDef(const std::string& name, void* buffer, int size) const {
    if (!current_ || size < 0)
        return -1;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_BINARY || bytes != static_cast<DWORD>(size))
        return -1;
    if (RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, static_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        bytes != static_cast<DWORD>(size))
        return -1;
    return static_cast<int>(bytes);
}

std::optional<std::string> TRegistryEx::ReadString(const std::string& name) const {
    if (!current_)
        return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string value(bytes, '\0');
    if (bytes > 0 && RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(std::min<std::size_t>(bytes, value.size()));
    if (const auto nul = value.find('\0'); nul != std::string::npos)
        value.resize(nul);
    return value;
}

std::optional<std::uint32_t> TRegistryEx::ReadInteger(const std::string& name) const {
    if (!current_)
        return std::nullopt;
    DWORD type = 0;
    DWORD value = 0;
    DWORD bytes = sizeof value;
    if (RegQueryValueExA(current_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof value)
        return std::nullopt;
    return value;
}

bool TRegistryEx::ValueExists(const std::string& name) const {
    return current_ &&
           RegQueryValueExA(current_.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::vector<std::string> TRegistryEx::GetValueNames() const {
    std::vector<std::string> names;
    if (!current_)
        return names;
    std::string name(16384, '\0');  // the longest value name the registry allows, and its zero
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueA(current_.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

bool TRegistryEx::WriteBinaryData(const std::string& name, const void* data, int size) {
    return current_ && size >= 0 &&
           RegSetValueExA(current_.get(), name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool TRegistryEx::WriteString(const std::string& name, const std::string& value) {
    return current_ && RegSetValueExA(current_.get(), name.c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool TRegistryEx::WriteInteger(const std::string& name, std::uint32_t value) {
    const DWORD v = value;
    return current_ && RegSetValueExA(current_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                                      sizeof v) == ERROR_SUCCESS;
}

bool TRegistryEx::DeleteValue(const std::string& name) {
    return current_ && RegDeleteValueA(current_.get(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistryEx::DeleteKey(const std::string& path) {
    std::string subPath, fullPath;
    const HKEY base = baseFor(path, subPath, fullPath);
    if (subPath.empty())
        return false;
    return RegDeleteTreeA(base, subPath.c_str()) == ERROR_SUCCESS;
}

}  // namespace kv
