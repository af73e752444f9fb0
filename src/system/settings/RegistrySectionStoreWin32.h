#pragma once
// A section store in the registry: one subkey per section below a key of a
// root (HKEY_CURRENT_USER for the program's settings). Integers are written
// as REG_DWORD and read from REG_DWORD or decimal REG_SZ values.
#include <windows.h>

#include <string>

#include "system/settings/SectionStore.h"

namespace kv {

class RegistrySectionStore : public SectionStore {
public:
    // The key's leading backslash is dropped: the system refuses it.
    RegistrySectionStore(HKEY root, std::string key);

protected:
    std::optional<std::string> readString(std::string_view section, std::string_view name) const override;
    std::optional<std::int32_t> readInteger(std::string_view section, std::string_view name) const override;
    std::vector<SectionValue> readSection(std::string_view section) const override;
    bool writeString(std::string_view section, std::string_view name, std::string_view value) override;
    bool writeInteger(std::string_view section, std::string_view name, std::int32_t value) override;
    bool eraseSection(std::string_view section) override;
    StoredKind kindOf(std::string_view section, std::string_view name) const override;
    std::optional<std::vector<std::uint8_t>> readBinary(std::string_view section,
                                                        std::string_view name) const override;
    bool writeBinary(std::string_view section, std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool sectionExists(std::string_view section) const override;
    bool openForWriting(std::string_view section) override;

private:
    // The section's key below the root, as TRegistryEx takes an absolute path.
    std::string pathOf(std::string_view section) const;

    HKEY root_;
    std::string key_;
};

}  // namespace kv
