#pragma once
// ZOO archive headers and directory entries, as the lister and the extractor both
// read them.
#include <cstdint>
#include <functional>
#include <string>

#include "archive/ArcInput.h"

namespace kv::arc {

struct ZooArchiveHeader {
    std::uint32_t first = 0;  // position of the first entry
    std::uint32_t minusFirst = 0;  // its negation, a check
    std::uint8_t major = 0;
    bool Consistent() const { return static_cast<std::uint32_t>(first + minusFirst) == 0; }
};

struct ZooEntry {
    std::uint8_t type = 0, method = 0;
    std::uint32_t next = 0;  // 0 in the terminal entry
    std::uint32_t dataPos = 0;
    std::uint16_t date = 0, time = 0, crc = 0;
    std::uint32_t unpacked = 0, packed = 0;
    std::uint8_t major = 0, minor = 0;
    bool deleted = false;
    std::string name;  // with the stored folder of a type-2 entry, '\' separated
    std::uint32_t commentPos = 0;
    std::uint16_t commentLen = 0;

    // Date then time, as the DOS stamp in the usual order.
    std::uint32_t DosStamp() const;
};

// The archive header at start (34 bytes); a missing tag calls fail(eHeaderId),
// which must throw. A file cut short throws ETruncated.
ZooArchiveHeader ReadZooArchiveHeader(ArcInput& in, std::uint64_t start, const std::function<void(int)>& fail);

// The entry at pos; a missing tag or a type-2 part that does not fit calls
// fail(eBadFileHeader).
ZooEntry ReadZooEntry(ArcInput& in, std::uint64_t pos, const std::function<void(int)>& fail);

class ListSession;

// The ZOO row of the format table: the walker and the method names lists show.
void WalkZoo(ListSession& s);
std::string ZooMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
