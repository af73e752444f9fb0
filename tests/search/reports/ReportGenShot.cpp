// The Report Generator on a real display (tools/wine-x11-run): copied from the
// screen, checked that none of its controls is blank, saved as a picture.
//   reportgenshot GENERATOR.bmp PREVIEW.bmp FULLSCREEN.bmp
#include <windows.h>

#include <cstdio>
#include <string>

#include "ReportFixture.h"
#include "report/EmfPageStoreWin32.h"
#include "report/GdiTargetWin32.h"
#include "search/reports/CustomTree.h"
#include "search/reports/PreviewRunWin32.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportGenFormWin32.h"
#include "search/reports/ReportSort.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"
#include "ui/Timer.h"

namespace kv {
namespace {

class NoFiles : public ui::FileDialogs {
public:
    std::optional<std::vector<std::string>> openFiles(const ui::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const ui::FileDialogRequest&) override { return std::nullopt; }
};

// Copies the window from the screen until no control is blank; saves it.
bool ShootWindow(const char* what, HWND window, const test::NamedControls& controls, const std::string& path) {
    const POINT origin = test::WindowOrigin(window);
    const SIZE size = test::WindowSize(window);
    ui::BitmapCanvas shot(size.cx, size.cy);
    std::vector<std::string> blank;
    test::ShootOwnWindow(window, shot, origin, [&] {
        blank = test::BlankControls(shot, controls, origin);
        return blank.empty();
    });
    const bool saved = test::saveBitmap(shot, path);
    std::printf("%s: %s%s\n", what, blank.empty() ? "every control drawn" : "blank:", saved ? "" : " (picture not saved)");
    for (const std::string& name : blank)
        std::printf("  %s\n", name.c_str());
    return blank.empty() && saved;
}

// The preview of a report of three pages, on its second page at 75 %, then
// full screen.
bool ShootPreview(const std::string& path, const std::string& fullPath) {
    Forest forest;
    test::ModelOf(forest, test::HomeCatalog());
    CustomTree tree{CatalogLoaders{}};
    ReportRun run = test::FixtureRun(forest, tree);
    test::FixtureCells cells;
    ReportLook look;
    look.icons = false;
    look.dateTimeText = "2026-12-11, 13:05:09";
    HDC screen = GetDC(nullptr);
    report::EmfPageStore pages(screen, 560, 400);
    report::GdiMeasurer measurer;
    const report::PageSetup page{560, 400, 30, 30, 30, 30};
    ReportForm form(run, cells, look, page);
    TPreviewForm preview;
    preview.onPrint = [] {};
    bool ok = false;
    ui::Timer timer;
    timer.setInterval(100);
    timer.onTimer = [&](ui::Timer& t) {
        if (!form.report().Finished())
            return;
        t.setEnabled(false);
        preview.GotoPreviewPage(2);
        preview.ZoomComboClick("75");
        const test::NamedControls controls = {{"first", preview.BtnFirstPage.hwnd()},
                                              {"page box", preview.PageCombo.hwnd()},
                                              {"zoom box", preview.ZoomCombo.hwnd()},
                                              {"print", preview.BtnPrint.hwnd()},
                                              {"status", preview.StatusBar.hwnd()},
                                              {"page", preview.QRPreview.hwnd()}};
        ok = pages.PageCount() >= 2 && ShootWindow("Print Preview", preview.hwnd(), controls, path);
        preview.BtnFullScreen.click();
        const test::NamedControls full = {{"close", preview.BtnClose.hwnd()},
                                          {"full screen", preview.BtnFullScreen.hwnd()},
                                          {"page", preview.QRPreview.hwnd()}};
        ok = ShootWindow("Print Preview, full screen", preview.hwnd(), full, fullPath) && ok;
        preview.BtnClose.click();
    };
    timer.setEnabled(true);
    ok = RunPreview(preview, form, pages, page, measurer) == PreviewOutcome::Shown && ok;
    ReleaseDC(nullptr, screen);
    return ok;
}

bool Shoot(const std::string& path) {
    Forest forest;
    Node& home = test::ModelOf(forest, test::HomeCatalog());
    test::FixtureCells cells;
    ListReportSource source;
    source.title = "Catalog \"Home\"";
    source.rows = {home.child(0)->record(), home.child(1)->record()};
    source.columns = {{"Disk Name", 0, report::Alignment::Left}, {"Media Type", 1, report::Alignment::Left},
                      {"Capacity", 2, report::Alignment::Right}};
    source.cells = &cells;
    ui::ScriptedPrompt prompt;
    NoFiles files;
    ui::ScriptedPrintDialog printer;
    TReportGenForm form(source, {prompt, files, printer});
    bool ok = false;
    uitest::TimerAction shoot(100, [&] {
        const test::NamedControls controls = {
            {"title", form.TitleEdit.hwnd()},          {"columns", form.ColumnsCheckList.hwnd()},
            {"up", form.UpBtn.hwnd()},                 {"select all", form.BtnSelectAll.hwnd()},
            {"print check", form.PrintCheck.hwnd()},   {"export check", form.ExportCheck.hwnd()},
            {"sort", form.SortItemsCheck.hwnd()},      {"no sort", form.NoSortingCheck.hwnd()},
            {"catalog", form.CatalogHeaderCheck.hwnd()}, {"separator", form.AsciiSepCombo.hwnd()},
            {"print", form.BtnPrint.hwnd()},           {"close", form.BtnCancel.hwnd()}};
        ok = ShootWindow("Report Generator", form.hwnd(), controls, path);
        SendMessageA(form.BtnCancel.hwnd(), BM_CLICK, 0, 0);
    });
    form.showModal();
    return ok;
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: reportgenshot GENERATOR.bmp PREVIEW.bmp FULLSCREEN.bmp\n");
        return 2;
    }
    const bool generator = kv::Shoot(argv[1]);
    const bool preview = kv::ShootPreview(argv[2], argv[3]);
    return generator && preview ? 0 : 1;
}
