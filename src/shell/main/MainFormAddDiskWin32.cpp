// The Add/Update Disk command: the scan's dialog and engine with the main
// window's catalogs, settings, drive icons and archive readers.
#include "shell/main/MainFormWin32.h"

#include <commctrl.h>

#include "base/ScopedFlag.h"
#include "catalog/media/SystemDrives.h"
#include "scan/AddUpdateDiskWin32.h"
#include "shell/app/SingleInstanceWin32.h"
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemColumns.h"
#include "shell/browse/ItemComparer.h"
#include "shell/commands/CommandTable.h"
#include "shell/commands/ScanDefaults.h"
#include "shell/settings/SettingsStore.h"
#include "system/drives/Drives.h"
#include "ui/SharedImages.h"

namespace kv {

// The disk selection shows candidates as the main list shows disks.
DiskColumns MainForm::diskSelectColumns() {
    DiskColumns columns;
    for (const ListColumn& column : DiskListColumns())
        columns.titles.emplace_back(column.caption);
    const CellContext cells = browse_->browser().cellContext();
    columns.cellText = [cells](const Node* disk, int column) {
        return CellText(disk->record(), static_cast<std::uint8_t>(column), cells);
    };
    columns.image = [this](const Node* disk) {
        const auto* rec = RecordAs<TDiskRec>(disk->record());
        return iconList_ && rec ? iconList_->GetDriveIcon(rec->volume.mediaType, rec->flags) : -1;
    };
    columns.compare = [cells](const Node* a, const Node* b, int column) {
        SortParams params;
        params.list = ItemListKind::DiskSelect;
        params.column = static_cast<std::uint8_t>(column);
        params.cells = &cells;
        return CompareItems(a->record(), b->record(), params);
    };
    return columns;
}

void MainForm::UpdateDiskClick(CommandSource source) {
    Node* disk = nullptr;
    if (source == CommandSource::ListPopup) {
        const ItemHead* row = focusedListRecord();
        disk = row ? row->node : nullptr;
    } else {
        disk = selected();
    }
    if (disk && RecordAs<TDiskRec>(disk->record()))
        AddDiskClick(disk);
}

void MainForm::AddDiskClick(Node* updatedDisk) {
    if (RefusedDuringSearch(CommandInfoOf(CommandId::AddDisk).refusal, searchRunning(), *prompt_))
        return;
    const Settings& settings = services_.settings.Get();

    // Created for the command and gone with it; its list is one of the program's item lists.
    TDiskSelectForm diskSelect(diskSelectColumns(), *prompt_);
    diskSelect.DiskPopup.onDrawItem = mainMenu.onDrawItem;
    if (iconList_)
        diskSelect.DisksListView.SetSmallImages(SmallImages().handle());
    RegisterDiskSelectList(diskSelect);
    struct Unregister {
        MainForm& main;
        TDiskSelectForm& form;
        ~Unregister() { main.UnregisterItemList(form.DisksListView); }
    } unregister{*this, diskSelect};

    AddDiskServices dialog;
    dialog.prompt = prompt_.get();
    dialog.logicalDrives = [] { return LogicalDrives(); };
    dialog.mediaType = [](char letter) { return GetMediaType(letter); };
    dialog.initDiskRecord = [](char letter, TDiskRec& disk) { InitDiskRecord(letter, disk); };
    dialog.checkDriveReady = [this](char letter) { return CheckDriveReady(letter, prompt_.get()); };
    dialog.folderExists = [](const std::string& folder) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    };
    dialog.locateMedia = [this](Node* disk) -> std::optional<char> {
        ui::ScopedHourglass wait;
        char letter = 0;
        switch (locateMedia(disk->record(), letter, true)) {
        case LocateResult::Found: return letter;
        case LocateResult::ManualSelect: return '\0';
        case LocateResult::NotFound: break;
        }
        return std::nullopt;
    };
    dialog.browseVirtualRoot = [this](char letter) -> std::string {
        FolderBrowseRequest request;
        request.caption = "Select virtual root folder";
        request.startFolder = std::string(1, letter) + ":\\";
        request.onlyDrive = letter;
        const std::optional<FolderBrowseResult> chosen = folderPicker().BrowseForFolder(request);
        // The path without its drive: "\" alone is the whole drive.
        return chosen && chosen->folder.size() >= 3 ? chosen->folder.substr(2) : std::string();
    };
    dialog.selectDisk = [&diskSelect](const std::vector<Node*>& candidates, std::size_t& chosen) {
        return diskSelect.Select(candidates, chosen);
    };
    dialog.saveDefaults = [this](const ScanOptions& boxes, bool ejectMedia) {
        services_.settings.Update([&](Settings& s) { SaveScanDefaults(s, boxes, ejectMedia); });
    };
    dialog.keepDiskName = settings.keepDiskName;
    dialog.showDiskInfo = [this](const TDiskRec& disk, char letter) { showDiskInfo(disk, letter); };
    diskSelect.onProperties = [this](Node* disk) { showProperties(disk, nullptr); };
    if (iconList_)
        dialog.driveIcon = [this](char letter) -> HICON {
            const int index = iconList_->GetDriveIcon(GetMediaType(letter), 0);
            return index < 0 ? nullptr : ImageList_GetIcon(LargeImages().handle(), index, ILD_NORMAL);
        };

    AddUpdateServices scan;
    scan.prompt = prompt_.get();
    scan.files = &services_.files;
    scan.archives = services_.archives;
    scan.extraction = services_.extraction;
    // The scan makes a folder of its own inside this one and removes it after.
    scan.extractDir = settings.extractFolder.empty() ? services_.files.TempFolder() : settings.extractFolder;
    scan.initDiskRecord = dialog.initDiskRecord;
    scan.allowSerialChange = settings.allowSerialChange;
    scan.askSerialChange = settings.askSerialChange;
    scan.serialQuestionOff = [this] {
        services_.settings.Update([](Settings& s) { s.askSerialChange = false; });
    };
    scan.setVolumeSerial = [](char letter, std::uint32_t serial) { return SetVolumeSerial(letter, serial); };
    scan.ejectMedia = [](char letter) { EjectMedia(letter); };
    scan.showStatus = [this](const std::string& text, bool busy) { ShowStatus(text, busy); };
    if (services_.scanMachine)
        services_.scanMachine(dialog, scan);
    if (!scan.checkDriveReady)
        scan.checkDriveReady = dialog.checkDriveReady;

    AddUpdateResult result;
    {
        // Catalogs handed over meanwhile wait for the command's end.
        ScopedFlag running(addDiskRunning_);
        addDiskForm_ = std::make_unique<TAddDiskForm>(std::move(dialog));
        TAddDiskForm& form = *addDiskForm_;
        for (const auto& root : forest_.roots())
            form.catalogs.push_back(root.get());
        form.preferredCatalog = updatedDisk ? updatedDisk->parent() : FindAncestor<TCatalogRec>(selected());
        result = AddUpdateDisk(form, scan, updatedDisk, ScanDefaults(services_.settings.Get()),
                               services_.settings.Get().ejectAfterScan);
        addDiskForm_.reset();
    }
    if (result.letter)
        DriveLetter = result.letter;
    if (result.disk) {
        // The disks in the user's disk order, as the tree keeps them.
        browse_->browser().sortTreeChildren(result.disk->parent());
        rebuildSearchScope();
        select(result.disk);
        tree.setFocus();
    }
    for (WPARAM number : heldParams_)
        PostMessageA(hwnd(), kPassParamsMessage, number, 0);
    heldParams_.clear();
}

}  // namespace kv
