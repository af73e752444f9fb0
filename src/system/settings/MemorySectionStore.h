#pragma once
// A section store in memory: for tests of what reads and writes settings, and
// for settings that need not outlive the program. Names compare without ASCII
// case and entries keep the order they were first written in, as the registry
// does; each value keeps its kind, so readers' rules per kind can be tested.
#include "system/settings/SectionStore.h"

namespace kv {

class MemorySectionStore : public SectionStore {
protected:
    std::optional<std::string> readString(std::string_view section, std::string_view name) const override;
    std::vector<SectionValue> readSection(std::string_view section) const override;
    bool writeString(std::string_view section, std::string_view name, std::string_view value) override;
    bool writeInteger(std::string_view section, std::string_view name, std::int32_t value) override;
    bool eraseSection(std::string_view section) override;
    StoredKind kindOf(std::string_view section, std::string_view name) const override;
    std::optional<std::vector<std::uint8_t>> readBinary(std::string_view section,
                                                        std::string_view name) const override;
    bool writeBinary(std::string_view section, std::string_view name, std::span<const std::uint8_t> bytes) override;
    bool sectionExists(std::string_view section) const override;

private:
    struct Entry {
        std::string name;
        std::string value;  // text, decimal integer or the binary bytes
        StoredKind kind;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* find(std::string_view section) const;
    const Entry* find(std::string_view section, std::string_view name) const;
    bool put(std::string_view section, std::string_view name, std::string_view value, StoredKind kind);

    std::vector<Section> sections_;
};

}  // namespace kv
