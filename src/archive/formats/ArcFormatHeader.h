#pragma once
// One ARC/PAK member header, as the lister and the extractor both read it: 0x1A,
// the method, a 13-byte name, sizes, date, time and CRC-16. Method 1 (the oldest
// stored form) has no unpacked size: its header is 4 bytes shorter.
#include <cstdint>
#include <optional>
#include <string>

#include "archive/ArcInput.h"

namespace kv::arc {

struct ArcHeader {
    static constexpr std::uint8_t kMark = 0x1A;

    std::uint8_t method = 0;
    std::string name;
    std::uint64_t packed = 0, unpacked = 0;
    std::uint16_t date = 0, time = 0, crc = 0;
    std::uint64_t dataPos = 0;

    std::uint32_t DosStamp() const;
};

// The header at pos; nullopt when no mark stands there, at the end marker (method
// 0) or at the end of the file. A header cut short throws ETruncated.
std::optional<ArcHeader> ReadArcHeader(ArcInput& in, std::uint64_t pos);

class ListSession;

// The ARC and PAK (one walker for both) row of the format table: the walker and the method names lists show.
void WalkArc(ListSession& s);
std::string ArcMethodName(std::uint16_t method, std::uint16_t flags);
std::string PakMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
