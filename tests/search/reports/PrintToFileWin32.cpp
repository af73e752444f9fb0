// Prints the fixture report through the real spooler path: installs Wine's
// PostScript driver with our PPD as "Korvalder Test PS" whose port is a file,
// checks the report settings' view of its papers, then runs the report's print
// job on it (A4 portrait, icons, two uncollated copies) and removes the
// printer again.
//   printtofile PPD JOB.ps [--keep]   (--keep: the printer stays, for trying the program by hand)
#include <windows.h>

#include <cstdio>
#include <string>

#include "ReportFixture.h"
#include "search/reports/CustomTree.h"
#include "search/reports/RepSettingsFormWin32.h"
#include "search/reports/ReportJobsWin32.h"
#include "search/reports/ReportPrinterWin32.h"
#include "search/reports/ReportSort.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestPrinterWin32.h"
#include "ui/SharedImages.h"

namespace {

constexpr const char* kPrinter = kv::test::kTestPrinter;

// The settings' side of the printer: its papers, the paper and orientation
// pushed into its DEVMODE, a stored printer that is gone.
bool CheckPrinterSettings() {
    using namespace kv;
    bool ok = true;
    auto expect = [&](bool condition, const char* what) {
        if (!condition) {
            std::printf("settings check failed: %s\n", what);
            ok = false;
        }
    };
    ui::PrinterSettings printer(kPrinter);
    expect(printer.valid(), "the printer's settings");
    std::string papers;
    for (const ReportPaperEntry& e : FillPaperSizes(printer))
        papers += e.name + "=" + std::to_string(e.paper) + ";";
    std::printf("papers: %s\n", papers.c_str());
    expect(papers == "Default=0;US Letter=1;A4=9;A5=11;", "Default and the three papers of the PPD");
    PushPaperAndOrientation(printer, 11, false);
    expect(printer.paper() == 11 && printer.orientation() == DMORIENT_LANDSCAPE, "A5 landscape in the DEVMODE");
    if (HDC ic = printer.CreateIC()) {
        const int width = GetDeviceCaps(ic, PHYSICALWIDTH), height = GetDeviceCaps(ic, PHYSICALHEIGHT);
        std::printf("A5 landscape: %d x %d\n", width, height);
        expect(width > height && height > 0, "a landscape page");
        DeleteDC(ic);
    }
    int paper = -1;
    bool portrait = true;
    PullPaperAndOrientation(printer, paper, portrait);
    expect(paper == 11 && !portrait, "A5 landscape read back");
    expect(ResolveReportPrinter("korvalder test ps") == kPrinter, "the stored printer found without regard to case");
    const std::string fallback =
        ui::DefaultPrinterName().empty() ? ui::PrinterNames().front() : ui::DefaultPrinterName();
    expect(ResolveReportPrinter("A printer long gone") == fallback, "a gone printer: the default, else the first");
    {
        // Printers installed but no default: the first installed, not none.
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
        char device[512] = "";
        DWORD size = sizeof device - 1, type = 0;
        const bool hadDevice =
            key && RegQueryValueExA(key, "device", nullptr, &type, reinterpret_cast<BYTE*>(device), &size) == ERROR_SUCCESS;
        if (hadDevice)
            RegDeleteValueA(key, "device");
        if (ui::DefaultPrinterName().empty())
            expect(ResolveReportPrinter("") == ui::PrinterNames().front(), "no default printer: the first installed");
        else
            std::printf("no-default check skipped: the system still names a default printer\n");
        if (hadDevice)
            RegSetValueExA(key, "device", 0, type, reinterpret_cast<const BYTE*>(device), size);
        if (key)
            RegCloseKey(key);
    }
    ReportSettings settings;
    ui::ScriptedPrompt prompt;
    expect(CheckPaperSize(settings, ui::PrinterSettings(kPrinter), prompt, paper) && paper == 9,
           "Default paper: the printer's A4");
    // A paper of the printer's own size: the report cannot use it.
    ui::PrinterSettings odd(kPrinter);
    odd.setPaper(DMPAPER_USER);
    expect(!CheckPaperSize(settings, odd, prompt, paper) && prompt.asked.size() == 1 &&
               prompt.asked[0].caption == "Paper size not available",
           "an unknown paper refused with its message");
    PullPaperAndOrientation(odd, paper, portrait);
    expect(paper == kCustomPaper, "an unknown paper pulled as the last size");
    return ok;
}

bool setupShown = false;

// Presses OK in the system's printer setup dialog once it is up.
void CALLBACK PressSetupOk(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND dialog = FindWindowA("#32770", nullptr)) {
        setupShown = true;
        KillTimer(nullptr, timer);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

// The dialog over the printer: its papers, and the size and orientation of the chosen one.
bool CheckSettingsDialog() {
    using namespace kv;
    ReportSettings settings;
    settings.printer = kPrinter;
    settings.paperSize = 11;
    ui::ScriptedFontDialog fonts;
    TRepSettingsForm form(settings, {fonts});
    const bool a5 = form.PaperSizeCombo.items() == std::vector<std::string>{"Default", "US Letter", "A4", "A5"} &&
                    form.PaperSizeCombo.itemIndex() == 3 && form.PaperLayoutCombo.enabled() &&
                    form.WidthEdit.text() == "209.90" && form.HeightEdit.text() == "148.10";  // the PPD's 595 x 420 pt
    std::string shown;
    for (const std::string& item : form.PaperSizeCombo.items())
        shown += item + ";";
    std::printf("dialog: %s index %d layout %d width %s height %s\n", shown.c_str(), form.PaperSizeCombo.itemIndex(),
                form.PaperLayoutCombo.enabled() ? 1 : 0, form.WidthEdit.text().c_str(), form.HeightEdit.text().c_str());
    // The printer setup keeps the printer and gives back what was pushed into it.
    SetTimer(nullptr, 0, 100, PressSetupOk);
    form.BtnPrinterSetupClick();
    const bool setup = setupShown && form.printer().name() == kPrinter && form.settings().paperSize == 11 &&
                       !form.settings().portrait && form.PaperSizeCombo.itemIndex() == 3;
    std::printf("printer setup: %s\n", setup ? "A5 landscape kept" : "A5 landscape NOT kept");
    form.PaperSizeCombo.setItemIndex(0);
    form.PrinterDataChange();
    const bool none = !form.PaperLayoutCombo.enabled() && form.WidthEdit.text().empty() &&
                      form.settings().paperSize == kDefaultPaper;
    std::printf("settings dialog: %s, %s\n", a5 ? "A5 landscape shown" : "A5 landscape NOT shown",
                none ? "Default shown" : "Default NOT shown");
    return a5 && setup && none;
}

// The abort procedure stops a job the user has cancelled: no page of it is
// printed (Wine asks it when the job starts, Windows while it spools).
bool CheckCancelledJob(const std::string& output) {
    using namespace kv;
    const ui::PrinterSettings printer(kPrinter);
    HDC dc = printer.CreateDC();
    if (!dc)
        return false;
    bool pageEnded = false;
    {
        const PrintAbortScope abort(dc, [] { return true; });
        report::PrinterTarget job(dc, "Cancelled", output);
        const bool begun = job.BeginDoc();
        std::printf("cancelled job begun: %s\n", begun ? "yes" : "no");
        pageEnded = begun && job.StartPage(1) && job.EndPage(1);
        job.EndDoc(false);
    }
    DeleteDC(dc);
    std::printf(pageEnded ? "the cancelled job went on\n" : "the cancelled job stopped\n");
    return !pageEnded;
}

}  // namespace

int main(int argc, char** argv) {
    const bool keep = argc == 4 && std::string(argv[3]) == "--keep";
    if (argc != 3 && !keep) {
        std::printf("usage: printtofile PPD JOB.ps [--keep]\n");
        return 2;
    }
    DeleteFileA(argv[2]);
    if (!kv::test::InstallTestPrinter(argv[1], argv[2])) {
        std::printf("the test printer could not be installed\n");
        return 1;
    }
    using namespace kv;
    const bool settingsOk =
        CheckPrinterSettings() && CheckSettingsDialog() && CheckCancelledJob(std::string(argv[2]) + ".cancelled");
    SharedObjectsScope shared;
    // Row pictures: every kind of item gets the system's application icon.
    for (int i = 0; i < 8; ++i)
        LargeImages().addIcon(LoadIconA(nullptr, IDI_APPLICATION));
    Forest forest;
    test::ModelOf(forest, test::HomeCatalog());
    CustomTree tree{CatalogLoaders{}};
    ReportRun run = test::FixtureRun(forest, tree);
    test::FixtureCells cells;
    ReportSettings settings;
    settings.look.icons = true;
    settings.look.dateTimeText = "2026-12-11, 13:05:09";
    settings.paperSize = 9;
    settings.portrait = true;
    ui::ScriptedPrompt prompt;
    ui::PrintChoice choice;
    choice.printer = kPrinter;
    choice.copies = 2;
    const bool printed = PrintListReport(run, cells, settings, choice, prompt) && settingsOk;
    // The prefix is shared: other tests find it as it was.
    if (!keep)
        kv::test::RemoveTestPrinter();
    for (const auto& asked : prompt.asked)
        std::printf("message: %s\n", asked.text.c_str());
    std::printf(printed ? "printed\n" : "not printed\n");
    return printed ? 0 : 1;
}
