#pragma once
// What the drive queries return for one drive.
#include <cstdint>
#include <string>

namespace kv {

struct TDriveInfo {
    char letter = 'A';
    std::string label;       // up to 32 bytes
    std::string fileSystem;  // up to 8 bytes, upper case
    std::uint32_t serialNumber = 0;
    std::uint32_t maxNameLength = 0;
    bool compressed = false;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t totalClusters = 0;
    std::uint32_t freeClusters = 0;
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
};

}  // namespace kv
