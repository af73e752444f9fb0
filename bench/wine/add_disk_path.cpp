// add_disk_path PATH [RUNS]
// Times the Add/Update Disk command's own path over a folder (the dialog, its drive
// chosen and OK pressed by a timer, then the progress window and the scan) against
// the scan alone as scanfolder.exe runs it, without windows. Both run in turn in one
// process, RUNS times each (default 3), each into a catalog of its own; prints the
// best of each and their ratio (goal: within 1.1x).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "archive/ArchiveContext.h"
#include "archive/TempExtraction.h"
#include "catalog/media/SystemDrives.h"
#include "catalog/model/Forest.h"
#include "scan/AddUpdateDiskWin32.h"
#include "shell/commands/ScanDefaults.h"
#include "shell/settings/SettingsStore.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"
#include "tests/tools/QuietExtractionUi.h"
#include "ui/Application.h"

namespace kv {
namespace {

// The settings of a first start, with every description source on, as scanfolder has them.
ScanOptions Options() {
    PlatformDefaults platform;
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp)) platform.tempDir = temp;
    ScanOptions o = ScanDefaults(MakeInitialSettings(platform));
    o.importDiz = o.importBbs = o.import4Dos = o.importComment = true;
    return o;
}

Node& NewCatalog(Forest& forest) {
    Node& catalog = forest.addRoot("bench");
    (void)catalog.setRecord(std::make_unique<TCatalogRec>());
    return catalog;
}

double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

struct Bench {
    std::string path;
    char letter;
    std::unique_ptr<IFileSystem> files = MakeSystemFileSystem();
    std::unique_ptr<arc::ArchiveContext> archives = arc::ArchiveContext::System();
    tools::QuietExtractionUi extractionUi;
    arc::TempExtraction extraction{*archives, extractionUi};
    ScanOptions options = Options();

    // "X:\a\b" is drive X with the virtual root "\a\b\".
    std::string virtualRoot() const { return path.substr(2) + "\\"; }

    double scanAlone() {
        Forest forest;
        Node& catalog = NewCatalog(forest);
        IScanProgress progress;
        ScanServices services(*files, progress);
        services.archives = archives.get();
        services.extraction = &extraction;
        services.extractDir = files->TempFolder();
        DiskScanner scanner(services, options);
        ScanRequest request;
        request.catalog = &catalog;
        request.diskName = "bench";
        request.letter = letter;
        request.virtualRoot = virtualRoot();
        request.initDiskRecord = [this](TDiskRec& disk) { InitDiskRecord(letter, disk); };
        const auto start = std::chrono::steady_clock::now();
        if (!scanner.ScanDisk(request)) throw std::runtime_error("the scan failed: " + scanner.FailureText());
        return Seconds(start);
    }

    double addDisk() {
        Forest forest;
        Node& catalog = NewCatalog(forest);
        ui::ScriptedPrompt prompt;
        AddDiskServices dialog;
        dialog.prompt = &prompt;
        dialog.logicalDrives = [this] { return 1u << (letter - 'A'); };
        dialog.checkDriveReady = [](char) { return true; };
        dialog.initDiskRecord = InitDiskRecord;
        AddUpdateServices services;
        services.prompt = &prompt;
        services.files = files.get();
        services.archives = archives.get();
        services.extraction = &extraction;
        services.extractDir = files->TempFolder();
        services.initDiskRecord = InitDiskRecord;
        services.mediumRoot = [this](char) { return path; };
        TAddDiskForm form(dialog);
        form.catalogs = {&catalog};
        std::chrono::steady_clock::time_point start;
        uitest::TimerAction ok(30, [&] {
            form.SelectDriveByLetter(letter);
            start = std::chrono::steady_clock::now();
            SendMessageA(form.OKBtn.hwnd(), BM_CLICK, 0, 0);
        });
        const AddUpdateResult result = AddUpdateDisk(form, services, nullptr, options, false);
        if (!result.completed) throw std::runtime_error("the Add Disk command did not complete");
        return Seconds(start);
    }
};

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: add_disk_path PATH [RUNS]\n");
        return 2;
    }
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(argv[1], MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH || full[1] != ':') {
        std::fprintf(stderr, "add_disk_path: not a folder on a drive: %s\n", argv[1]);
        return 1;
    }
    kv::Bench bench;
    bench.path = full;
    while (bench.path.size() > 3 && bench.path.back() == '\\') bench.path.pop_back();
    bench.letter = full[0] >= 'a' && full[0] <= 'z' ? static_cast<char>(full[0] - 32) : full[0];
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
    try {
        double alone = 1e9, command = 1e9;
        for (int i = 0; i < runs; ++i) {
            alone = std::min(alone, bench.scanAlone());
            command = std::min(command, bench.addDisk());
        }
        std::printf("scan alone %.0f ms, Add Disk command %.0f ms, ratio %.2f (goal 1.1)\n", alone * 1000,
                    command * 1000, command / alone);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "add_disk_path: %s\n", e.what());
        return 1;
    }
    return 0;
}
