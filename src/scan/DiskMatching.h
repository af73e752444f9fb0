#pragma once
// Which catalogued disks a medium looks like, and the texts the Add/Update
// Disk dialog shows about it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"

namespace kv {

// In update mode a drive button shows only for media of a compatible kind:
// the same type, or both wide floppies, or both 3.5-inch floppies.
bool DriveFitsUpdate(std::uint8_t driveMediaType, std::uint8_t diskMediaType);

// The medium as the dialog knows it: the drive's volume data and the chosen virtual root.
struct MediumChoice {
    const TDiskRec* volume = nullptr;
    char letter = 'C';
    // Empty: the whole drive; else beginning and ending with "\".
    std::string virtualRoot;
    // Whether the virtual root folder exists on the drive.
    std::function<bool(const std::string& folder)> folderExists;
};

// The disks of a catalog that look like the medium: same serial, same label
// (exact case), a compatible media type and the same virtual state; a virtual
// disk must have the chosen root, a plain one that is not compressed the same
// total space.
std::vector<Node*> FindMatchingDisks(const Node& catalog, const MediumChoice& medium);
// Update mode: the medium is the disk being updated.
bool MediaMatchesDisk(const MediumChoice& medium, const TDiskRec& updated);

// "XXXX-XXXX", high half first.
std::string SerialText(std::uint32_t serial);
// The status bar line about the selected drive; no volume: "No drive selected".
std::string DriveStatusText(const MediumChoice& medium, bool addMode, bool matched);

}  // namespace kv
