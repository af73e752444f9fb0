#pragma once
// A section store in memory: for tests of what reads and writes settings, and
// for settings that need not outlive the program. Names compare without ASCII
// case and entries keep the order they were first written in, as the registry does.
#include "system/settings/SectionStore.h"

namespace kv {

class MemorySectionStore : public SectionStore {
public:
    struct Section {
        std::string name;
        std::vector<SectionValue> values;
    };
    const std::vector<Section>& sections() const { return sections_; }

protected:
    std::optional<std::string> readString(std::string_view section, std::string_view name) const override;
    std::vector<SectionValue> readSection(std::string_view section) const override;
    bool writeString(std::string_view section, std::string_view name, std::string_view value) override;
    bool eraseSection(std::string_view section) override;

private:
    const Section* find(std::string_view section) const;
    std::vector<Section> sections_;
};

}  // namespace kv
