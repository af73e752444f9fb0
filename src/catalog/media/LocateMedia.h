#pragma once
// Finding the drive that holds a catalogued disk: which drives can hold it,
// when a drive's medium is that disk, and asking for the medium when none is.
// The drives and the questions come through interfaces, so the rules run
// without a machine's drives.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// What identifies a medium: of a catalogued disk, or made fresh from a drive.
struct MediumIdentity {
    std::uint32_t serialNumber = 0;
    std::string label;
    std::uint8_t mediaType = 0;
    bool isVirtual = false;
    std::string virtualPath;  // virtual disks: the folder, from the root with a backslash
    bool compressed = false;
    std::uint64_t totalBytes = 0;
};

class DriveSystem {
public:
    virtual ~DriveSystem() = default;
    virtual std::uint32_t logicalDrives() = 0;  // bit 0 = A:
    virtual std::uint8_t mediaType(char letter) = 0;
    virtual bool isReady(char letter) = 0;      // without asking the user
    virtual MediumIdentity readMedium(char letter) = 0;
    virtual bool pathExists(const std::string& path) = 0;
};

enum class InsertMediaAnswer { Retry, ManualSelect, Cancel };

class MediaPrompts {
public:
    virtual ~MediaPrompts() = default;
    virtual void showInformation(const std::string& text, const std::string& caption) = 0;
    // The Insert Media window: the disk's label and the line "(Media type: ...)";
    // Manual Select is offered only when allowManual is set.
    virtual InsertMediaAnswer askInsertMedia(const std::string& label, const std::string& mediaLine,
                                             bool allowManual) = 0;
};

// Drives A..Z among `drives` whose media type may hold a disk of `diskType`:
// the same type, and for floppies any drive of the same width class.
std::vector<char> CandidateDrives(std::uint8_t diskType, std::uint32_t drives, DriveSystem& system);

// The fresh medium is the catalogued disk: same serial and label, a media type
// that may hold it, and the same folder (virtual), or the same size (unless compressed).
bool MediumMatches(const MediumIdentity& wanted, const MediumIdentity& found, char letter, DriveSystem& system);

enum class LocateResult { Found, ManualSelect, NotFound };

// Searches the candidate drives, and asks for the medium while it is not found.
// ManualSelect: the user chose to pick the drive; the caller offers the choice.
LocateResult LocateMedium(const MediumIdentity& wanted, bool allowManual, DriveSystem& system,
                          MediaPrompts& prompts, char& letter);

}  // namespace kv
