// The Add/Update Disk dialog and the scan progress window on a real display
// (tools/wine-x11-run): each copied from the screen, checked that none of its
// controls is blank, and saved as a picture.
//   scanwindowsshot FOLDER   writes FOLDER/add-disk-screen.bmp and FOLDER/scan-progress-screen.bmp
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "catalog/model/Forest.h"
#include "scan/AddDiskFormWin32.h"
#include "scan/ScanProgressWin32.h"
#include "system/drives/MediaTypes.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

// The shell's drive icons stand in for the program's icon cache.
HICON DriveIcon(char letter) {
    HICON large = nullptr;
    ExtractIconExA("shell32.dll", letter == 'D' ? 11 : 8, &large, nullptr, 1);
    return large;
}

// The window copied from the screen until none of its controls is blank;
// returns the controls still blank.
std::vector<std::string> ShootWindow(HWND window, const test::NamedControls& controls, ui::BitmapCanvas& shot) {
    const POINT origin = test::WindowOrigin(window);
    std::vector<std::string> blank;
    test::ShootOwnWindow(window, shot, origin, [&] {
        blank = test::BlankControls(shot, controls, origin);
        return blank.empty();
    });
    return blank;
}

bool Report(const char* what, const std::vector<std::string>& blank, const ui::BitmapCanvas& shot,
            const std::string& path) {
    const bool saved = test::saveBitmap(shot, path);
    std::printf("%s: %s%s\n", what, blank.empty() ? "every control drawn" : "blank:",
                saved ? "" : " (picture not saved)");
    for (const std::string& name : blank) std::printf("  %s\n", name.c_str());
    return blank.empty() && saved;
}

bool ShootAddDisk(const std::string& folder) {
    Forest forest;
    Node& catalog = forest.addRoot("My Disks");
    (void)catalog.setRecord(std::make_unique<TCatalogRec>());
    ui::ScriptedPrompt prompt;
    AddDiskServices services;
    services.prompt = &prompt;
    services.logicalDrives = [] { return (1u << 2) | (1u << 3) | (1u << ('T' - 'A')); };
    services.mediaType = [](char letter) { return letter == 'D' ? MediaType::CdRom : MediaType::HardDisk; };
    services.driveIcon = DriveIcon;
    services.checkDriveReady = [](char) { return true; };
    services.initDiskRecord = [](char, TDiskRec& disk) {
        disk.label = "HOLIDAY2001";
        disk.volume.mediaType = MediaType::HardDisk;
        disk.volume.serialNumber = 0x4A3B2C1D;
        disk.volume.totalClusters = 1000;
        disk.volume.freeClusters = 400;
        disk.volume.bytesPerSector = 512;
        disk.volume.sectorsPerCluster = 8;
    };
    TAddDiskForm form(services);
    form.catalogs = {&catalog};
    bool ok = false;
    uitest::TimerAction shoot(100, [&] {
        form.SelectDriveByLetter('T');
        test::NamedControls controls = {{"disk name", form.DiskName.hwnd()},
                                        {"catalog list", form.DatabaseList.hwnd()},
                                        {"OK", form.OKBtn.hwnd()},
                                        {"Cancel", form.CancelBtn.hwnd()},
                                        {"Disk Info", form.DiskInfoBtn.hwnd()},
                                        {"Advanced", form.AdvancedBtn.hwnd()},
                                        {"name label", form.DiskNameLabel.hwnd()},
                                        {"status bar", form.StatusBar.hwnd()}};
        for (const auto& b : form.driveButtons) {
            controls.push_back({std::string("drive ") + b->letter, b->button.hwnd()});
            controls.push_back({std::string("drive label ") + b->letter, b->label.hwnd()});
        }
        const SIZE size = test::WindowSize(form.hwnd());
        ui::BitmapCanvas shot(size.cx, size.cy);
        ok = Report("Add/Update Disk", ShootWindow(form.hwnd(), controls, shot), shot,
                    folder + "\\add-disk-screen.bmp");
        SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
    });
    form.Run(nullptr, ScanOptions{}, false);
    return ok;
}

bool ShootProgress(const std::string& folder) {
    ui::ScriptedPrompt prompt;
    auto form = ShowWaitUpdate(prompt);
    form->SetBottomLabel("Reading file data in:");
    form->SetDirLabel("T:\\Photos\\2001\\Holiday\\Day three");
    form->SetDescFound("Descriptions found: 12");
    form->ShowProgressBar();
    form->SetProgress(40);
    form->PumpMessages();
    const test::NamedControls controls = {{"top label", form->TopLabel.hwnd()},
                                          {"bottom label", form->BottomLabel.hwnd()},
                                          {"folder", form->DirLabel.hwnd()},
                                          {"descriptions found", form->DescFoundLabel.hwnd()},
                                          {"progress bar", form->ProgressBar.hwnd()},
                                          {"Cancel", form->ButtonCancel.hwnd()}};
    const SIZE size = test::WindowSize(form->hwnd());
    ui::BitmapCanvas shot(size.cx, size.cy);
    const bool ok = Report("Scan progress", ShootWindow(form->hwnd(), controls, shot), shot,
                           folder + "\\scan-progress-screen.bmp");
    HideWaitUpdate(form);
    return ok;
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: scanwindowsshot FOLDER\n");
        return 2;
    }
    const bool dialog = kv::ShootAddDisk(argv[1]);
    const bool progress = kv::ShootProgress(argv[1]);
    return dialog && progress ? 0 : 1;
}
