#pragma once
// The Add/Update Disk command after the main window has chosen add or update:
// the dialog, the serial question, the progress window and the scan.
#include <cstdint>
#include <functional>
#include <string>

#include "scan/AddDiskFormWin32.h"
#include "scan/DiskScanner.h"
#include "scan/ScanTypes.h"
#include "system/drives/BootSectorSerial.h"

namespace kv {

struct AddUpdateServices {
    ui::UserPrompt* prompt = nullptr;
    IFileSystem* files = nullptr;
    arc::ArchiveContext* archives = nullptr;
    arc::TempExtraction* extraction = nullptr;
    // The temporary folder; each scan extracts description files into a folder
    // of its own below it, removed after the scan.
    std::string extractDir;
    std::function<void(char letter, TDiskRec& disk)> initDiskRecord;
    // "SetSerialCheck" and "SerialAskCheck"; the question's box switches the second off.
    bool allowSerialChange = true;
    bool askSerialChange = true;
    std::function<void()> serialQuestionOff;
    // A failure ends the scan: the medium keeps its serial and nothing is catalogued.
    std::function<SerialPatchResult(char letter, std::uint32_t serial)> setVolumeSerial;
    // Asks Retry/Cancel while the drive is not ready; false after Cancel (the
    // command then ends without a word). None: ready.
    std::function<bool(char letter)> checkDriveReady;
    // The main window's status text while the scan runs; empty and not busy after.
    std::function<void(const std::string& text, bool busy)> showStatus;
    std::function<void(char letter)> ejectMedia;
    // Where a drive's root is reached; empty: "X:".
    std::function<std::string(char letter)> mediumRoot;
};

struct AddUpdateResult {
    Node* disk = nullptr;  // the new disk; none when nothing was scanned
    bool accepted = false;
    bool completed = false;
    bool aborted = false;
    char letter = 0;  // the drive scanned, upper case
};

inline constexpr const char* kScanTerminatedText =
    "The disk scan was terminated and canceled due to an error encountered in the process. Please check if data on "
    "the media is valid, and there is no damage to media itself (like scratches on CD-ROM surface).";

AddUpdateResult AddUpdateDisk(TAddDiskForm& form, AddUpdateServices& services, Node* updatedDisk,
                              const ScanOptions& defaults, bool ejectMedia);

}  // namespace kv
