#pragma once
// How the volume data the system reports becomes the drive's description.
#include <cstdint>
#include <optional>
#include <string>

#include "base/text/AnsiCase.h"
#include "system/SystemCaseMap.h"
#include "system/drives/DriveInfo.h"

namespace kv {

// A label in capitals only is lowered, and a label always starts with a capital:
// "MY DISK" gives "My disk", "myDisk" gives "MyDisk", "" stays "".
void RecaseVolumeLabel(std::string& label, const CaseMap& caseMap = systemCaseMap());

// The volume information call's answer, as it came.
struct RawVolumeInfo {
    std::string label;
    std::string fileSystem;
    std::uint32_t serialNumber = 0;
    std::uint32_t maxNameLength = 0;
    std::uint32_t fileSystemFlags = 0;
};

// Takes the answer into info (label re-cased and cut to 32 bytes, file system
// upper-cased and cut to 8, compressed from the volume-is-compressed flag), or
// with no answer the placeholders "(unknown)" and "unknown".
void ApplyVolumeInfo(TDriveInfo& info, const std::optional<RawVolumeInfo>& raw,
                     const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
