#pragma once
// The blocks of a RAR 1.5 to 4.x archive, read once for the lister and for our own
// RAR library: CRC(2) type(1) flags(2) size(2), then, with flag 0x8000 or in a file
// header, a 32-bit size of data that follows the header.
#include <cstdint>
#include <string>

#include "archive/ArcInput.h"

namespace kv::arc {

inline constexpr std::uint8_t kRarMarker[7] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
inline constexpr std::uint8_t kRar5Marker[8] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};

enum RarBlockType : std::uint8_t {
    kRarMainHeader = 0x73,
    kRarFileHeader = 0x74,
    kRarEndOfArchive = 0x7B,
};

enum RarFlags : std::uint16_t {
    kRarMainVolume = 0x0001,
    kRarMainComment = 0x0002,
    kRarMainNewNaming = 0x0010,
    kRarMainHeadersEncrypted = 0x0080,
    kRarFromPreviousVolume = 0x0001,
    kRarToNextVolume = 0x0002,
    kRarEncrypted = 0x0004,
    kRarLargeSizes = 0x0100,
    kRarUnicodeName = 0x0200,
    kRarDirectoryMask = 0x00E0,
    kRarLongBlock = 0x8000,
};

struct RarFileFields {
    std::uint64_t packed = 0;
    std::uint64_t unpacked = 0;
    std::uint8_t hostOs = 0;
    std::uint32_t crc = 0;
    std::uint32_t stamp = 0;  // DOS date and time
    std::uint8_t unpackVersion = 0;
    std::uint8_t method = 0;
    std::uint32_t attributes = 0;
    std::string name;  // the plain name; a Unicode name after it is dropped

    bool IsFolder(std::uint16_t flags) const { return (flags & kRarDirectoryMask) == kRarDirectoryMask; }
};

struct RarBlock {
    std::uint16_t headCrc = 0;
    std::uint8_t type = 0;
    std::uint16_t flags = 0;
    std::size_t headSize = 0;
    std::uint64_t dataSize = 0;  // bytes after the header
    RarFileFields file;          // file headers only
};

// The block at pos; a header too short for its kind is RarBlockError.
RarBlock ReadRarBlock(ArcInput& in, std::uint64_t pos);

// Whether the header's stored CRC (low 16 bits of CRC-32 from the type byte on)
// matches its bytes.
bool RarHeaderCrcMatches(ArcInput& in, std::uint64_t pos, const RarBlock& block);

class RarBlockError : public Error {
public:
    RarBlockError() : Error("RAR header too short") {}
};

class ListSession;

// The RAR row of the format table: the walker and the method names lists show.
void WalkRar(ListSession& s);
std::string RarMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
