#pragma once
// One ARJ header (main or member) with its extended headers, as the lister and the
// extractor both read it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "archive/ArcInput.h"

namespace kv::arc {

struct ArjHeader {
    static constexpr std::uint16_t kId = 0xEA60;
    static constexpr std::size_t kMaxBasic = 2600;
    static constexpr std::uint8_t kGarbled = 0x01;
    static constexpr std::uint8_t kContinues = 0x04;  // in the next volume
    static constexpr std::uint8_t kHostUnix = 2;

    std::uint64_t pos = 0;
    std::uint64_t dataPos = 0;  // after the header, its CRC and its extended headers
    std::uint8_t madeBy = 0, needed = 0, hostOs = 0, flags = 0, method = 0, fileType = 0;
    std::uint32_t stamp = 0, crc = 0;  // stamp: Unix seconds from Unix hosts, else DOS
    std::uint64_t packed = 0, unpacked = 0;
    std::string name, comment;
    bool headerCrcOk = true;
};

// The header at pos; nullopt at the end marker (size 0), at the end of the file or
// where the id is missing (then *noId, when given, is set). A size above 2600 or
// a header that cannot be taken apart calls fail(code), which must throw.
std::optional<ArjHeader> ReadArjHeader(ArcInput& in, std::uint64_t pos, const std::function<void(int)>& fail,
                                       bool* noId = nullptr);

// Whether a basic header with the id, a size up to 2600 and a matching CRC-32
// starts at pos: how a main header is told from bytes that merely look like one.
bool IsArjHeaderAt(ArcInput& in, std::uint64_t pos);

class ListSession;

// The ARJ row of the format table: the walker and the method names lists show.
void WalkArj(ListSession& s);
std::string ArjMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
