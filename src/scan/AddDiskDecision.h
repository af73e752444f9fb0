#pragma once
// What the Add/Update Disk dialog's OK does with the medium: accept it as a
// new disk, as an update of a catalogued one, or stay open; and whether the
// medium gets a new serial number. The questions go through the prompt and
// the disk selection window, so the whole decision runs without windows.
#include <cstdint>
#include <functional>
#include <vector>

#include "catalog/model/Node.h"
#include "ui/UserPrompt.h"

namespace kv {

// The disk selection window's answers.
enum class DiskSelectResult { Update = 1, Cancel = 2, AddAsNew = 6 };

struct AddDiskState {
    bool addMode = true;
    // The disk to replace; none for a new disk.
    Node* updatedDisk = nullptr;
    // The matching disks of the chosen catalog (add mode).
    std::vector<Node*> candidates;
    bool mediaMatches = false;  // update mode: MediaMatchesDisk
    bool keepCurrent = false;   // KeepCurrentCheck
    int importDescIndex = 0;    // ImportDescCombo: 0 the disk updated, 1 all disks of the catalog
};

enum class OkOutcome {
    Accept,
    Stay,
    // Stay, with the options shown and the carry-over box focused.
    StayShowCarryOver,
};

// The selection window over the candidates: its answer and the chosen index.
using SelectDisk = std::function<DiskSelectResult(const std::vector<Node*>& candidates, std::size_t& chosen)>;

OkOutcome DecideOk(AddDiskState& state, ui::UserPrompt& prompt, const SelectDisk& selectDisk);

// After an accepted dialog: a new disk that looks like catalogued ones may get
// a new serial, asked (askSerial: Yes = true) unless the question is switched off.
bool DecideChangeSerial(const AddDiskState& state, bool allowSerialChange, bool askSerialChange,
                        const std::function<bool()>& askSerial);

// "Eject media when finished (if supported by drive)": only media a drive
// can give back. A hard disk is never asked: the attempt locks and dismounts
// its volume and waits, for nothing.
bool MediaCanBeEjected(std::uint8_t mediaType);

// The option boxes' interlocks.
struct ScanOptionBoxes {
    bool browseArchives = true;
    bool import4Dos = true, importBbs = true, importDiz = true, importComment = true;
    bool archiveDescOnly = false, archiveDescOnlyEnabled = true;
    bool archiveQuickScan = false, archiveQuickScanEnabled = false;
};
// changed: the box the user just set (nullptr on show).
void SetupDialog(ScanOptionBoxes& boxes, bool addMode, const bool* changed);

}  // namespace kv
