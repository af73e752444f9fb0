#include "scan/AddDiskDecision.h"

#include "system/drives/MediaTypes.h"

namespace kv {

namespace {

using ui::PromptAnswer;
using ui::PromptButtons;
using ui::PromptIcon;

// Updating a chosen disk: carry-over on, from every disk when it already was on.
void TakeAsUpdate(AddDiskState& state, Node* disk) {
    state.addMode = false;
    state.updatedDisk = disk;
    state.importDescIndex = state.keepCurrent ? 1 : 0;
    state.keepCurrent = true;
}

}  // namespace

OkOutcome DecideOk(AddDiskState& state, ui::UserPrompt& prompt, const SelectDisk& selectDisk) {
    const std::size_t matches = state.candidates.size();
    if (!state.addMode) {
        if (!state.mediaMatches && state.updatedDisk) {
            const std::string text =
                "Properties of selected media do not match properties of the disk you are updating!\r"
                "This may be right if you have formatted media since it has been last catalogued.\r\r"
                "Are you sure you want to replace data for \"" +
                state.updatedDisk->text() + "\" with the selected media?";
            if (prompt.ask({text, "Warning", PromptButtons::YesNo, PromptIcon::Question}) == PromptAnswer::No)
                return OkOutcome::Stay;
        }
    } else if (matches == 1) {
        Node* match = state.candidates.front();
        const std::string text = "Disk with the same serial number, label and capacity is\ralready in the catalog as \"" +
                                 match->text() +
                                 "\". \r\rWould like to update the disk currently in the catalog?\r"
                                 "(selecting \"No\" will add a new disk to the catalog)";
        switch (prompt.ask({text, "Update Old Data?", PromptButtons::YesNoCancel, PromptIcon::Question})) {
        case PromptAnswer::No:
            state.updatedDisk = nullptr;
            return OkOutcome::Accept;
        case PromptAnswer::Yes:
            TakeAsUpdate(state, match);
            break;
        default:
            return OkOutcome::Stay;
        }
    } else if (matches > 1) {
        std::size_t chosen = 0;
        switch (selectDisk ? selectDisk(state.candidates, chosen) : DiskSelectResult::Cancel) {
        case DiskSelectResult::Update:
            if (chosen >= matches) return OkOutcome::Stay;
            // Exactly as "Yes" to the one-match question: an update that carries
            // the disk's descriptions, categories and flags over.
            TakeAsUpdate(state, state.candidates[chosen]);
            break;
        case DiskSelectResult::AddAsNew:
            state.updatedDisk = nullptr;
            return OkOutcome::Accept;
        default:
            return OkOutcome::Stay;
        }
    } else {
        state.updatedDisk = nullptr;
    }
    if (state.updatedDisk && !state.keepCurrent) {
        const std::string text =
            "You did not choose to import existing descriptions for the disk you\r\n"
            "are updating. All existing descriptions will be lost! Proceed?";
        if (prompt.ask({text, "Warning", PromptButtons::YesNo, PromptIcon::Warning}) != PromptAnswer::Yes)
            return OkOutcome::StayShowCarryOver;
    }
    return OkOutcome::Accept;
}

bool DecideChangeSerial(const AddDiskState& state, bool allowSerialChange, bool askSerialChange,
                        const std::function<bool()>& askSerial) {
    if (!state.addMode || state.updatedDisk || state.candidates.empty() || !allowSerialChange) return false;
    if (!askSerialChange) return true;
    return askSerial && askSerial();
}

void SetupDialog(ScanOptionBoxes& b, bool addMode, const bool* changed) {
    if (changed == &b.browseArchives && !b.browseArchives) b.importComment = false;
    if (changed == &b.importComment && b.importComment) b.browseArchives = true;
    const bool anyImport = b.import4Dos || b.importBbs || b.importDiz || b.importComment;
    b.archiveDescOnlyEnabled = b.browseArchives && anyImport;
    b.archiveQuickScanEnabled = !addMode && b.browseArchives;
}

bool MediaCanBeEjected(std::uint8_t mediaType) {
    switch (mediaType) {
    case MediaType::Tape:
    case MediaType::Optical:
    case MediaType::CdRom:
    case MediaType::Removable:
    case MediaType::Zip100:
    case MediaType::Jaz1GB:
        return true;
    default:
        return IsFloppy(mediaType);
    }
}

}  // namespace kv
