#include "scan/AddUpdateDiskWin32.h"

#include <cstdio>
#include <random>

#include "base/Errors.h"
#include "scan/ScanProgressWin32.h"
#include "scan/SerialAskFormWin32.h"
#include "system/files/FileSystem.h"
#include "ui/Application.h"

namespace kv {

namespace {

// A folder of one scan's own below the temporary folder: description files
// from archives land there, so a file of the same name that someone left in
// the temporary folder is never read or erased for them.
class ScanExtractFolder {
public:
    explicit ScanExtractFolder(const std::string& temp) {
        if (temp.empty()) return;
        std::uint32_t n = GetTickCount() ^ GetCurrentProcessId();
        for (int tries = 0; tries < 100; ++tries, ++n) {
            char name[16];
            std::snprintf(name, sizeof name, "KVS%08X", static_cast<unsigned>(n));
            const std::string candidate = JoinPath(temp, name);
            if (CreateDirectoryA(candidate.c_str(), nullptr)) {
                path_ = candidate;
                return;
            }
            if (GetLastError() != ERROR_ALREADY_EXISTS) return;
        }
    }
    ~ScanExtractFolder() {
        if (path_.empty()) return;
        // The scan erases what it extracts; anything left is ours alone.
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA(JoinPath(path_, "*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                const std::string file = JoinPath(path_, found.cFileName);
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            } while (FindNextFileA(h, &found));
            FindClose(h);
        }
        RemoveDirectoryA(path_.c_str());
    }
    ScanExtractFolder(const ScanExtractFolder&) = delete;
    ScanExtractFolder& operator=(const ScanExtractFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The status text for the scan's length, cleared however it ends.
struct ScanStatus {
    const std::function<void(const std::string&, bool)>& show;
    explicit ScanStatus(const std::function<void(const std::string&, bool)>& s) : show(s) {
        if (show) show("Scanning disk for data...", true);
    }
    ~ScanStatus() {
        if (show) show("", false);
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
    if (!result.completed && !result.aborted) prompt.showError(kScanTerminatedText, "Error");
    return result;
}

}  // namespace kv
