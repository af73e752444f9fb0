// The Add/Update Disk command: the scan's dialog and engine with the main
// window's catalogs, settings, drive icons and archive readers.
#include "shell/main/MainFormWin32.h"

#include <commctrl.h>

#include "catalog/media/SystemDrives.h"
#include "scan/AddUpdateDiskWin32.h"
#include "shell/commands/CommandTable.h"
#include "shell/commands/ScanDefaults.h"
#include "shell/settings/SettingsStore.h"
#include "system/drives/Drives.h"
#include "ui/SharedImages.h"

namespace kv {

void MainForm::AddDiskClick() {
    if (RefusedDuringSearch(CommandInfoOf(CommandId::AddDisk).refusal, searchRunning(), *prompt_))
        return;
    const Settings& settings = services_.settings.Get();

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
    dialog.keepDiskName = settings.keepDiskName;
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
    scan.extractDir = services_.files.TempFolder();
    scan.initDiskRecord = dialog.initDiskRecord;
    scan.allowSerialChange = settings.allowSerialChange;
    scan.askSerialChange = settings.askSerialChange;
    scan.serialQuestionOff = [this] {
        services_.settings.Update([](Settings& s) { s.askSerialChange = false; });
    };
    scan.setVolumeSerial = [](char letter, std::uint32_t serial) { SetVolumeSerial(letter, serial); };
    scan.ejectMedia = [](char letter) { EjectMedia(letter); };
    if (services_.scanMachine)
        services_.scanMachine(dialog, scan);

    addDiskForm_ = std::make_unique<TAddDiskForm>(std::move(dialog));
    TAddDiskForm& form = *addDiskForm_;
    for (const auto& root : forest_.roots())
        form.catalogs.push_back(root.get());
    form.preferredCatalog = FindAncestor<TCatalogRec>(selected());
    const AddUpdateResult result =
        AddUpdateDisk(form, scan, nullptr, ScanDefaults(settings), settings.ejectAfterScan);
    addDiskForm_.reset();
    if (result.disk) {
        rebuildSearchScope();
        select(result.disk);
        tree.setFocus();
    }
}

}  // namespace kv
