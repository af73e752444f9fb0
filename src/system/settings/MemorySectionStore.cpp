#include "system/settings/MemorySectionStore.h"

#include <algorithm>

namespace kv {

const MemorySectionStore::Section* MemorySectionStore::find(std::string_view section) const {
    for (const Section& s : sections_)
        if (SameStoreName(s.name, section)) return &s;
    return nullptr;
}

std::optional<std::string> MemorySectionStore::readString(std::string_view section, std::string_view name) const {
    if (const Section* s = find(section))
        for (const SectionValue& v : s->values)
            if (SameStoreName(v.name, name)) return v.value;
    return std::nullopt;
}

std::vector<SectionValue> MemorySectionStore::readSection(std::string_view section) const {
    const Section* s = find(section);
    return s ? s->values : std::vector<SectionValue>();
}

bool MemorySectionStore::writeString(std::string_view section, std::string_view name, std::string_view value) {
    auto* s = const_cast<Section*>(find(section));
    if (!s) s = &sections_.emplace_back(Section{std::string(section), {}});
    for (SectionValue& v : s->values)
        if (SameStoreName(v.name, name)) {
            v.value = value;
            return true;
        }
    s->values.push_back({std::string(name), std::string(value)});
    return true;
}

bool MemorySectionStore::eraseSection(std::string_view section) {
    std::erase_if(sections_, [&](const Section& s) { return SameStoreName(s.name, section); });
    return true;
}

}  // namespace kv
