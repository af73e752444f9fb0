#include "system/settings/RegistrySectionStoreWin32.h"

#include <algorithm>

#include "system/settings/RegistryExWin32.h"

namespace kv {

namespace {

std::string_view withoutSlashes(std::string_view s) {
    while (!s.empty() && s.front() == '\\') s.remove_prefix(1);
    while (!s.empty() && s.back() == '\\') s.remove_suffix(1);
    return s;
}

// A string value as it is, an integer as decimal text; other kinds are not entries.
std::optional<std::string> readText(const TRegistryEx& reg, const std::string& name) {
    if (auto text = reg.ReadString(name)) return text;
    if (auto v = reg.ReadInteger(name)) return std::to_string(static_cast<std::int32_t>(*v));
    return std::nullopt;
}

}  // namespace

RegistrySectionStore::RegistrySectionStore(HKEY root, std::string key)
    : root_(root), key_(withoutSlashes(key)) {}

std::string RegistrySectionStore::pathOf(std::string_view section) const {
    std::string path = "\\" + key_;
    std::string_view s = withoutSlashes(section);
    if (!s.empty()) path.append(key_.empty() ? "" : "\\").append(s);
    return path;
}

std::optional<std::string> RegistrySectionStore::readString(std::string_view section, std::string_view name) const {
    TRegistryEx reg(root_);
    if (!reg.OpenKeyReadOnly(pathOf(section))) return std::nullopt;
    return readText(reg, std::string(name));
}

std::optional<std::int32_t> RegistrySectionStore::readInteger(std::string_view section, std::string_view name) const {
    TRegistryEx reg(root_);
    if (!reg.OpenKeyReadOnly(pathOf(section))) return std::nullopt;
    if (auto v = reg.ReadInteger(std::string(name))) return static_cast<std::int32_t>(*v);
    auto text = reg.ReadString(std::string(name));
    return text ? ParseStoredInteger(*text) : std::nullopt;
}

std::vector<SectionValue> RegistrySectionStore::readSection(std::string_view section) const {
    std::vector<SectionValue> values;
    TRegistryEx reg(root_);
    if (!reg.OpenKeyReadOnly(pathOf(section))) return values;
    for (std::string& name : reg.GetValueNames())
        if (auto text = readText(reg, name)) values.push_back({std::move(name), std::move(*text)});
    return values;
}

bool RegistrySectionStore::writeString(std::string_view section, std::string_view name, std::string_view value) {
    if (value.find('\0') != std::string_view::npos) return false;  // a string value would end there
    TRegistryEx reg(root_);
    return reg.OpenRegKey(pathOf(section), true) && reg.WriteString(std::string(name), std::string(value));
}

bool RegistrySectionStore::writeInteger(std::string_view section, std::string_view name, std::int32_t value) {
    TRegistryEx reg(root_);
    return reg.OpenRegKey(pathOf(section), true) &&
           reg.WriteInteger(std::string(name), static_cast<std::uint32_t>(value));
}

bool RegistrySectionStore::eraseSection(std::string_view section) {
    // An empty section name would be the whole key with every other section.
    if (withoutSlashes(section).empty()) return false;
    TRegistryEx reg(root_);
    reg.DeleteKey(pathOf(section));
    return !reg.OpenKeyReadOnly(pathOf(section));
}

StoredKind RegistrySectionStore::kindOf(std::string_view section, std::string_view name) const {
    TRegistryEx reg(root_);
    DWORD type = 0;
    if (!reg.OpenKeyReadOnly(pathOf(section)) ||
        RegQueryValueExA(reg.currentKey(), std::string(name).c_str(), nullptr, &type, nullptr, nullptr) !=
            ERROR_SUCCESS)
        return StoredKind::Missing;
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: return StoredKind::Text;
    case REG_DWORD: return StoredKind::Integer;
    case REG_BINARY: return StoredKind::Binary;
    default: return StoredKind::Other;
    }
}

std::optional<std::vector<std::uint8_t>> RegistrySectionStore::readBinary(std::string_view section,
                                                                          std::string_view name) const {
    TRegistryEx reg(root_);
    if (!reg.OpenKeyReadOnly(pathOf(section))) return std::nullopt;
    const std::string valueName(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(reg.currentKey(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(size);
    if (size > 0 && RegQueryValueExA(reg.currentKey(), valueName.c_str(), nullptr, &type, bytes.data(), &size) !=
                        ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(std::min<std::size_t>(size, bytes.size()));
    return bytes;
}

bool RegistrySectionStore::writeBinary(std::string_view section, std::string_view name,
                                       std::span<const std::uint8_t> bytes) {
    TRegistryEx reg(root_);
    return reg.OpenRegKey(pathOf(section), true) &&
           reg.WriteBinaryData(std::string(name), bytes.data(), static_cast<int>(bytes.size()));
}

bool RegistrySectionStore::sectionExists(std::string_view section) const {
    TRegistryEx reg(root_);
    return reg.OpenKeyReadOnly(pathOf(section));
}

bool RegistrySectionStore::openForWriting(std::string_view section) {
    TRegistryEx reg(root_);
    return reg.OpenRegKey(pathOf(section), true);
}

}  // namespace kv
