#pragma once
// Settings kept as named sections of name=value entries: the registry (one
// subkey per section), an ini file, or memory. Nothing here throws: reads of
// anything missing, unreadable or malformed give nothing, and writes report
// failure as false, so a save on a destroy path can never end the program.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// What a stored value is, for readers whose rules differ by kind.
enum class StoredKind { Missing, Text, Integer, Binary, Other };

struct SectionValue {
    std::string name;
    std::string value;
    bool operator==(const SectionValue&) const = default;
};

class SectionStore {
public:
    virtual ~SectionStore() = default;

    std::optional<std::string> ReadString(std::string_view section, std::string_view name) const;
    std::string ReadString(std::string_view section, std::string_view name, const std::string& fallback) const;
    // A 32-bit integer stored as one, or as decimal text.
    std::optional<std::int32_t> ReadInteger(std::string_view section, std::string_view name) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view name, std::int32_t fallback) const;
    // Every entry of the section, integers as decimal text, in the store's order.
    std::vector<SectionValue> ReadSectionValues(std::string_view section) const;

    bool WriteString(std::string_view section, std::string_view name, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view name, std::int32_t value);
    // True when the section is gone afterwards, also when it never existed.
    bool EraseSection(std::string_view section);

    // Binary values, where the store keeps them (the registry, memory). A
    // value of another kind reads as nothing, and ReadSectionValues skips
    // binary values.
    StoredKind KindOf(std::string_view section, std::string_view name) const;
    std::optional<std::vector<std::uint8_t>> ReadBinary(std::string_view section, std::string_view name) const;
    bool WriteBinary(std::string_view section, std::string_view name, std::span<const std::uint8_t> bytes);
    // True for a section that exists, also an empty one.
    bool SectionExists(std::string_view section) const;
    // True when values can be written to the section (made when missing).
    bool OpenSectionForWriting(std::string_view section);

protected:
    virtual std::optional<std::string> readString(std::string_view section, std::string_view name) const = 0;
    virtual std::optional<std::int32_t> readInteger(std::string_view section, std::string_view name) const;
    virtual std::vector<SectionValue> readSection(std::string_view section) const = 0;
    virtual bool writeString(std::string_view section, std::string_view name, std::string_view value) = 0;
    virtual bool writeInteger(std::string_view section, std::string_view name, std::int32_t value);
    virtual bool eraseSection(std::string_view section) = 0;
    virtual StoredKind kindOf(std::string_view section, std::string_view name) const;
    virtual std::optional<std::vector<std::uint8_t>> readBinary(std::string_view section,
                                                                std::string_view name) const;
    virtual bool writeBinary(std::string_view section, std::string_view name, std::span<const std::uint8_t> bytes);
    virtual bool sectionExists(std::string_view section) const;
    virtual bool openForWriting(std::string_view section);
};

// Optional blanks, an optional sign and decimal digits within 32 bits.
std::optional<std::int32_t> ParseStoredInteger(std::string_view text);
// ASCII letters without case, as the registry and ini files compare names.
bool SameStoreName(std::string_view a, std::string_view b);

}  // namespace kv
