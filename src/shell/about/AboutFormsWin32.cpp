#include "shell/about/AboutFormsWin32.h"

#include <psapi.h>

#include <random>

#include "base/text/SizeFormat.h"
#include "shell/about/AboutTexts.h"
#include "ui/Fonts.h"
#include "ui/PlaceControl.h"
#include "ui/ResourceBitmap.h"

namespace kv {

namespace {


// The program's private bytes: what it holds of the machine's memory.
std::uint64_t OwnUsage() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return counters.PagefileUsage;
}

}  // namespace

TAboutDlg::TAboutDlg() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("About Korvalder? v1.01");
    setWindowClassName("KvAboutDlg");
    createHandle();
    setClientSize(330, 250);
    ui::Put(LogoImage, *this, 14, 12, 64, 64);
    LogoImage.setBitmap(ui::loadBitmap("LOGOPICT"));
    ui::Put(ProgramLabel, *this, 92, 30, 220, 20, "Korvalder? 1.01");
    ui::Put(SystemInfoLabel, *this, 12, 84, 120, 16, "System Info");
    SystemInfo.setShape(ui::BevelShape::Frame);
    ui::Put(SystemInfo, *this, 10, 102, 310, 100);
    ui::Put(OSName, SystemInfo, 12, 6, 286, 16);
    ui::Put(OSVersion, SystemInfo, 12, 24, 286, 16);
    ui::Put(FreePhysicalCapt, SystemInfo, 12, 44, 130, 16, "Free Physical Mem:");
    ui::Put(FreePhysical, SystemInfo, 146, 44, 152, 16);
    ui::Put(PageFileCapt, SystemInfo, 12, 62, 130, 16, "Page File Usage:");
    ui::Put(PageFile, SystemInfo, 146, 62, 152, 16);
    ui::Put(MyUsageCapt, SystemInfo, 12, 80, 130, 16, "Used by Korvalder?:");
    ui::Put(MyUsage, SystemInfo, 146, 80, 152, 16);
    OKButton.modalResult = ui::mrOk;
    ui::Put(OKButton, *this, 128, 214, 75, 25, "&OK");
    OKButton.setDefault(true);
    setDefaultControl(&OKButton);
    setCancelControl(&OKButton);
    // Esc answers Cancel, OK answers OK.
    OKButton.onClick = [this](ui::Button&) { setModalResult(ui::mrOk); };
    onShortcut = [this](ui::Form&, WORD key, UINT) {
        if (key != VK_ESCAPE)
            return false;
        setModalResult(ui::mrCancel);
        return true;
    };
    Timer.setInterval(500);
    Timer.onTimer = [this](ui::Timer&) { ShowSystemInfo(); };
    onShow = [this](ui::Form&) {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        GetVersionExA(&version);
#pragma GCC diagnostic pop
        OSName.setText(OsNameText(version.dwPlatformId));
        OSVersion.setText(OsVersionText(version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber));
        ShowSystemInfo();
        Timer.setEnabled(true);
    };
    onHide = [this](ui::Form&) { Timer.setEnabled(false); };
}

TAboutDlg::~TAboutDlg() { destroyWindow(); }

void TAboutDlg::ShowSystemInfo() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return;
    FreePhysical.setText(FreeMemoryText(status.ullAvailPhys, status.ullTotalPhys));
    PageFile.setText(FormatSize(status.ullTotalPageFile - std::min(status.ullAvailPageFile, status.ullTotalPageFile)));
    MyUsage.setText(FormatSize(OwnUsage()));
}

TTipsDialog::TTipsDialog() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Tip of the Day");
    setWindowClassName("KvTipsDialog");
    createHandle();
    setClientSize(400, 220);
    ui::Put(Image, *this, 14, 14, 25, 32);
    Image.setBitmap(ui::loadBitmap("LOGOPICT"));
    Image.setStretch(true);
    ui::Put(Header, *this, 52, 14, 330, 20, "Welcome to Korvalder?");
    ui::Put(Question, *this, 52, 44, 330, 16, "Did you know...");
    ui::Put(TipLabel, *this, 52, 66, 330, 88);
    ui::Put(ShowOnStartup, *this, 14, 192, 372, 20, "Show these tips the next time you start program");
    ShowOnStartup.setChecked(true);
    ui::Put(btnPrevious, *this, 14, 158, 96, 25, "&Previous Tip");
    ui::Put(btnNext, *this, 118, 158, 96, 25, "&Next Tip");
    btnClose.modalResult = ui::mrCancel;
    ui::Put(btnClose, *this, 306, 158, 80, 25, "&Close");
    btnClose.setDefault(true);
    setDefaultControl(&btnClose);
    setCancelControl(&btnClose);
    btnNext.onClick = [this](ui::Button&) { ShowTip(NextTip(tip_)); };
    btnPrevious.onClick = [this](ui::Button&) { ShowTip(PreviousTip(tip_)); };
    onShow = [this](ui::Form&) {
        std::random_device seed;
        ShowTip(std::uniform_int_distribution<int>(1, kTipCount)(seed));
        btnClose.setFocus();
    };
}

TTipsDialog::~TTipsDialog() { destroyWindow(); }

void TTipsDialog::ShowTip(int index) {
    tip_ = index;
    TipLabel.setText(TipText(index));
}

}  // namespace kv
