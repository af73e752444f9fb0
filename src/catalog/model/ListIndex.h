#pragma once
// List index words: a record's position in a result list, kept modulo 32768 in
// 16 bits. Lists may be longer than 32768, so a lookup probes every position
// with the same remainder.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kv {

inline constexpr std::uint16_t kNotListed = 65535;
inline constexpr std::size_t kListIndexModulus = 32768;

// Any word read as a negative 16-bit number means "not listed".
constexpr bool IsListed(std::uint16_t word) { return word < kListIndexModulus; }

constexpr std::uint16_t ListIndexFor(std::size_t position) {
    return static_cast<std::uint16_t>(position % kListIndexModulus);
}

// Probes word, word + 32768, ... below listSize; isEntry(i) says whether entry i
// is the record. A stale word ends at the list's end.
template <class IsEntry>
std::optional<std::size_t> ProbeListIndex(std::uint16_t word, std::size_t listSize, IsEntry&& isEntry) {
    if (!IsListed(word))
        return std::nullopt;
    for (std::size_t i = word; i < listSize; i += kListIndexModulus) {
        if (isEntry(i))
            return i;
    }
    return std::nullopt;
}

}  // namespace kv
