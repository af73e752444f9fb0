#pragma once
// One LHA/LZH member header of any level (0-3) with its extended headers, as the
// lister and the extractor both read it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "archive/ArcInput.h"

namespace kv::arc {

struct LhaHeader {
    std::string methodId;  // the five bytes, e.g. "-lh5-"
    std::uint8_t level = 0;
    std::uint64_t packed = 0;  // the data alone, extended headers not counted
    std::uint64_t unpacked = 0;
    std::uint32_t stamp = 0;  // DOS stamp (levels 0/1) or Unix seconds (2/3)
    std::uint8_t attribute = 0;
    std::uint16_t crc = 0;
    std::string name;  // '\' separated, with the folder of a directory extended header
    std::string comment;
    std::optional<std::uint16_t> attributes;
    std::optional<std::uint32_t> unixTime;
    std::uint64_t dataPos = 0;

    bool IsFolder() const { return methodId == "-lhd-"; }
};

// The header at pos; nullopt where a zero byte or the end of the file ends the
// archive. Damage calls fail(code), which must throw; a header cut short by the end
// of the file throws ETruncated.
std::optional<LhaHeader> ReadLhaHeader(ArcInput& in, std::uint64_t pos, const std::function<void(int)>& fail);

class ListSession;

// The LHA and LZH row of the format table: the walker and the method names lists show.
void WalkLha(ListSession& s);
std::string LhaMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
