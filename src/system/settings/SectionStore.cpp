#include "system/settings/SectionStore.h"

#include <charconv>
#include <exception>

namespace kv {

namespace {

// Stores report failure by result; an exception (out of memory, a file
// system that throws) becomes a failure here so none reaches the caller.
template <class F, class R>
R guarded(F&& f, R failed) noexcept {
    try {
        return f();
    } catch (const std::exception&) {
        return failed;
    }
}

}  // namespace

std::optional<std::string> SectionStore::ReadString(std::string_view section, std::string_view name) const {
    return guarded([&] { return readString(section, name); }, std::optional<std::string>());
}

std::string SectionStore::ReadString(std::string_view section, std::string_view name,
                                     const std::string& fallback) const {
    return ReadString(section, name).value_or(fallback);
}

std::optional<std::int32_t> SectionStore::ReadInteger(std::string_view section, std::string_view name) const {
    return guarded([&] { return readInteger(section, name); }, std::optional<std::int32_t>());
}

std::int32_t SectionStore::ReadInteger(std::string_view section, std::string_view name, std::int32_t fallback) const {
    return ReadInteger(section, name).value_or(fallback);
}

std::vector<SectionValue> SectionStore::ReadSectionValues(std::string_view section) const {
    return guarded([&] { return readSection(section); }, std::vector<SectionValue>());
}

bool SectionStore::WriteString(std::string_view section, std::string_view name, std::string_view value) {
    return guarded([&] { return writeString(section, name, value); }, false);
}

bool SectionStore::WriteInteger(std::string_view section, std::string_view name, std::int32_t value) {
    return guarded([&] { return writeInteger(section, name, value); }, false);
}

bool SectionStore::EraseSection(std::string_view section) {
    return guarded([&] { return eraseSection(section); }, false);
}

StoredKind SectionStore::KindOf(std::string_view section, std::string_view name) const {
    return guarded([&] { return kindOf(section, name); }, StoredKind::Missing);
}

std::optional<std::vector<std::uint8_t>> SectionStore::ReadBinary(std::string_view section,
                                                                  std::string_view name) const {
    return guarded([&] { return readBinary(section, name); }, std::optional<std::vector<std::uint8_t>>());
}

bool SectionStore::WriteBinary(std::string_view section, std::string_view name,
                               std::span<const std::uint8_t> bytes) {
    return guarded([&] { return writeBinary(section, name, bytes); }, false);
}

bool SectionStore::SectionExists(std::string_view section) const {
    return guarded([&] { return sectionExists(section); }, false);
}

// Stores of text only: every value is text, and a section exists while it has one.
StoredKind SectionStore::kindOf(std::string_view section, std::string_view name) const {
    return readString(section, name) ? StoredKind::Text : StoredKind::Missing;
}

std::optional<std::vector<std::uint8_t>> SectionStore::readBinary(std::string_view, std::string_view) const {
    return std::nullopt;
}

bool SectionStore::writeBinary(std::string_view, std::string_view, std::span<const std::uint8_t>) { return false; }

bool SectionStore::sectionExists(std::string_view section) const { return !readSection(section).empty(); }

bool SectionStore::OpenSectionForWriting(std::string_view section) {
    return guarded([&] { return openForWriting(section); }, false);
}

// Stores in memory or in a file take every section.
bool SectionStore::openForWriting(std::string_view) { return true; }

std::optional<std::int32_t> SectionStore::readInteger(std::string_view section, std::string_view name) const {
    auto text = readString(section, name);
    return text ? ParseStoredInteger(*text) : std::nullopt;
}

bool SectionStore::writeInteger(std::string_view section, std::string_view name, std::int32_t value) {
    return writeString(section, name, std::to_string(value));
}

std::optional<std::int32_t> ParseStoredInteger(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    std::int32_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

bool SameStoreName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

}  // namespace kv
