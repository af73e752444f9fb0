#include "system/settings/MemorySectionStore.h"

#include <algorithm>

namespace kv {

const MemorySectionStore::Section* MemorySectionStore::find(std::string_view section) const {
    for (const Section& s : sections_)
        if (SameStoreName(s.name, section)) return &s;
    return nullptr;
}

const MemorySectionStore::Entry* MemorySectionStore::find(std::string_view section, std::string_view name) const {
    if (const Section* s = find(section))
        for (const Entry& e : s->entries)
            if (SameStoreName(e.name, name)) return &e;
    return nullptr;
}

std::optional<std::string> MemorySectionStore::readString(std::string_view section, std::string_view name) const {
    const Entry* e = find(section, name);
    if (!e || e->kind == StoredKind::Binary) return std::nullopt;
    return e->value;
}

std::vector<SectionValue> MemorySectionStore::readSection(std::string_view section) const {
    std::vector<SectionValue> values;
    if (const Section* s = find(section))
        for (const Entry& e : s->entries)
            if (e.kind != StoredKind::Binary) values.push_back({e.name, e.value});
    return values;
}

bool MemorySectionStore::put(std::string_view section, std::string_view name, std::string_view value,
                             StoredKind kind) {
    auto* s = const_cast<Section*>(find(section));
    if (!s) s = &sections_.emplace_back(Section{std::string(section), {}});
    for (Entry& e : s->entries)
        if (SameStoreName(e.name, name)) {
            e.value = value;
            e.kind = kind;
            return true;
        }
    s->entries.push_back({std::string(name), std::string(value), kind});
    return true;
}

bool MemorySectionStore::writeString(std::string_view section, std::string_view name, std::string_view value) {
    return put(section, name, value, StoredKind::Text);
}

bool MemorySectionStore::writeInteger(std::string_view section, std::string_view name, std::int32_t value) {
    return put(section, name, std::to_string(value), StoredKind::Integer);
}

bool MemorySectionStore::eraseSection(std::string_view section) {
    std::erase_if(sections_, [&](const Section& s) { return SameStoreName(s.name, section); });
    return true;
}

StoredKind MemorySectionStore::kindOf(std::string_view section, std::string_view name) const {
    const Entry* e = find(section, name);
    return e ? e->kind : StoredKind::Missing;
}

std::optional<std::vector<std::uint8_t>> MemorySectionStore::readBinary(std::string_view section,
                                                                        std::string_view name) const {
    const Entry* e = find(section, name);
    if (!e || e->kind != StoredKind::Binary) return std::nullopt;
    return std::vector<std::uint8_t>(e->value.begin(), e->value.end());
}

bool MemorySectionStore::writeBinary(std::string_view section, std::string_view name,
                                     std::span<const std::uint8_t> bytes) {
    return put(section, name, std::string(bytes.begin(), bytes.end()), StoredKind::Binary);
}

bool MemorySectionStore::sectionExists(std::string_view section) const { return find(section) != nullptr; }

}  // namespace kv
