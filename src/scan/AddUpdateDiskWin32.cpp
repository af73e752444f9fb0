#include "scan/AddUpdateDiskWin32.h"

#include <cstdio>
#include <random>

#include "base/Errors.h"
#include "scan/ScanExtractFolderWin32.h"
#include "scan/ScanProgressText.h"
#include "scan/ScanProgressWin32.h"
#include "scan/SerialAskFormWin32.h"
#include "system/files/FileSystem.h"
#include "ui/Application.h"

namespace kv {

namespace {

// The status text for the scan's length, cleared however it ends.
struct ScanStatus {
    const std::function<void(const std::string&, bool)>& show;
    bool shown = false;
    explicit ScanStatus(const std::function<void(const std::string&, bool)>& s) : show(s) {
        if (show) show("Scanning disk for data...", true);
        shown = true;
    }
    ~ScanStatus() { end(); }
    // Before the messages that close the scan: they are not part of it.
    void end() {
        if (shown && show) show("", false);
        shown = false;
    }
};

}  // namespace

AddUpdateResult AddUpdateDisk(TAddDiskForm& form, AddUpdateServices& services, Node* updatedDisk,
                              const ScanOptions& defaults, bool ejectMedia) {
    AddUpdateResult result;
    ui::UserPrompt& prompt = services.prompt ? *services.prompt : ui::Application::instance().prompt();
    result.accepted = form.Run(updatedDisk, defaults, ejectMedia);
    if (!result.accepted || !form.SelectedDriveButton || !services.files) return result;

    const bool changeSerial = DecideChangeSerial(form.state, services.allowSerialChange, services.askSerialChange, [&] {
        TSerialAskForm ask;
        const SerialAnswer answer = AskSerialChange(ask);
        if (answer.dontAskAgain && services.serialQuestionOff) services.serialQuestionOff();
        return answer.change;
    });
    const DriveButton& drive = *form.SelectedDriveButton;
    result.letter = static_cast<char>(drive.letter >= 'a' && drive.letter <= 'z' ? drive.letter - 32 : drive.letter);

    // The medium may have gone while the dialog and the questions were open.
    if (services.checkDriveReady && !services.checkDriveReady(result.letter)) {
        result.aborted = true;
        return result;
    }
    ScanStatus status(services.showStatus);
    ScanExtractFolder extractFolder(services.extractDir);
    auto progress = ShowWaitUpdate(prompt);
    ui::Application::instance().processMessages();
    ScanServices scanServices(*services.files, *progress);
    scanServices.archives = services.archives;
    scanServices.extraction = services.extraction;
    scanServices.extractDir = extractFolder.path();
    DiskScanner scanner(scanServices, form.scanOptions(defaults));
    progress->onAbort = [&scanner] { scanner.RequestAbort(); };

    ScanRequest request;
    // An update stays in the catalog of the disk it replaces.
    request.catalog = form.state.updatedDisk ? form.state.updatedDisk->parent() : form.selectedCatalog();
    request.diskName = form.DiskName.text();
    request.letter = result.letter;
    request.virtualRoot = drive.virtualRoot;
    request.mediumRoot = services.mediumRoot ? services.mediumRoot(result.letter) : std::string();
    request.updatedDisk = form.state.updatedDisk;
    request.initDiskRecord = [&](TDiskRec& disk) {
        if (services.initDiskRecord) services.initDiskRecord(result.letter, disk);
    };
    if (changeSerial && services.setVolumeSerial) {
        // A serial that could not be written ends the scan as the silent abort does.
        request.changeSerial = [&] {
            if (!services.setVolumeSerial(result.letter, std::random_device{}()).ok) throw EAbort();
        };
    }
    result.disk = scanner.ScanDisk(request);
    result.completed = scanner.ScanCompleted();
    result.aborted = scanner.AbortRequested();
    const auto* scanned = result.disk ? RecordAs<TDiskRec>(result.disk->record()) : nullptr;
    if (result.completed && form.ejectMedia() && services.ejectMedia && scanned &&
        MediaCanBeEjected(scanned->volume.mediaType)) {
        progress->SetTopLabel("Finished, ejecting media...");
        services.ejectMedia(result.letter);
    }
    HideWaitUpdate(progress);
    status.end();
    if (!result.completed && !result.aborted) prompt.showError(kScanTerminatedText, "Error");
    if (result.completed && scanner.UnreadableFolderCount() > 0)
        prompt.ask({ScanIncompleteText(scanner.UnreadableFolderCount(), scanner.UnreadableFolders()),
                    kScanIncompleteCaption, ui::PromptButtons::Ok, ui::PromptIcon::Warning});
    return result;
}

}  // namespace kv
