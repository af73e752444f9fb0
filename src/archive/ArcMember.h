#pragma once
// The current-member record: what a listing or extraction knows of one member.
#include <cstdint>
#include <string>

namespace kv::arc {

struct ArcMember {
    std::string FileName;              // as stored, '/' as '\', with its stored folder
    std::uint32_t PackedSize = 0;      // clamped; the full values follow
    std::uint32_t UnpackedSize = 0;
    std::uint64_t PackedSize64 = 0;
    std::uint64_t UnpackedSize64 = 0;
    std::uint32_t FileCRC = 0;         // as stored; 16-bit checksums in the low half
    std::uint8_t CrcBits = 32;         // 32, 16, or 0 where the format stores none
    std::uint8_t Ratio = 0;
    std::string MethodName;
    std::uint16_t Method = 0;
    double FileDate = 0;               // days since 1899-12-30, local time
    std::uint32_t DosDate = 0;         // the same as a DOS stamp (as stored where the format has one)
    std::uint16_t VersionMadeBy = 0;
    std::uint16_t VersionNeeded = 0;
    std::uint16_t InternalAttr = 32;
    std::uint32_t ExternalAttr = 32;   // low byte: DOS attributes (0x10 folder)
    std::string FileComment;           // empty when there is none
    std::uint8_t CompressionOption = 0;
};

}  // namespace kv::arc
