#include "search/window/RegisteredTypesWin32.h"

#include <optional>
#include <string>

namespace kv {

namespace {

// The key's default value when it is a string that fits; nothing otherwise.
std::optional<std::string> defaultValue(HKEY parent, const char* subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[1024];
    DWORD type = 0;
    DWORD size = sizeof(buffer) - 1;
    const LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size >= sizeof(buffer))
        return std::nullopt;
    buffer[size] = '\0';
    std::string value(buffer);
    if (value.empty())
        return std::nullopt;
    return value;
}

}  // namespace

std::vector<RegisteredExtension> ReadRegisteredExtensions(HKEY classesRoot) {
    std::vector<RegisteredExtension> found;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        const LONG rc = RegEnumKeyExA(classesRoot, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA)
            continue;
        if (rc != ERROR_SUCCESS)
            break;
        if (name[0] != '.')
            continue;
        const std::optional<std::string> typeKey = defaultValue(classesRoot, name);
        if (!typeKey)
            continue;
        if (std::optional<std::string> description = defaultValue(classesRoot, typeKey->c_str()))
            found.push_back({name, std::move(*description)});
    }
    return found;
}

}  // namespace kv
