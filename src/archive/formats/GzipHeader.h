#pragma once
// The header of one gzip member, as the lister and the extractor both read it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "archive/ArcInput.h"

namespace kv::arc {

struct GzipHeader {
    static constexpr std::uint8_t kContinued = 0x02;  // header CRC (RFC 1952); multi-part before it
    static constexpr std::uint8_t kExtra = 0x04;
    static constexpr std::uint8_t kName = 0x08;
    static constexpr std::uint8_t kComment = 0x10;
    static constexpr std::uint8_t kEncrypted = 0x20;

    std::uint8_t id2 = 0;  // 0x8B, or 0x9E of the gzip versions before the RFC
    std::uint8_t method = 0;
    std::uint8_t flags = 0;
    std::uint32_t mtime = 0;  // Unix seconds; 0 when none was stored
    std::optional<std::string> name;
    std::string comment;
    std::uint64_t dataPos = 0;
};

// The header of the member at pos, whose first two bytes are 1F 8B or 1F 9E: extra
// field, name, comment and the two bytes of flag bit 1 skipped in the RFC's order.
// A name or comment without its end gives fail(eBadFileHeader), or fail(eReadError) when the file
// ends first; fail must not return.
GzipHeader ReadGzipHeader(ArcInput& in, std::uint64_t pos, const std::function<void(int)>& fail);

// The member's name when the header has none: the archive's file name without its
// folder and last extension.
std::string GzipNameFromArchive(const std::string& archivePath);

class ListSession;

// The gzip row of the format table: the walker and the method names lists show.
void WalkGzip(ListSession& s);
std::string GzipMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
