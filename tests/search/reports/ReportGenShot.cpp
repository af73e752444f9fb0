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
#include "WindowShot.h"
#include "ui/SharedImages.h"
#include "ui/Timer.h"

namespace kv {
namespace {

class NoFiles : public ui::FileDialogs {
public:
    std::optional<std::vector<std::string>> openFiles(const ui::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const ui::FileDialogRequest&) override { return std::nullopt; }
};

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
        ok = pages.PageCount() >= 2 && test::ShootWindow("Print Preview", preview.hwnd(), controls, path);
        preview.BtnFullScreen.click();
        const test::NamedControls full = {{"close", preview.BtnClose.hwnd()},
                                          {"full screen", preview.BtnFullScreen.hwnd()},
                                          {"page", preview.QRPreview.hwnd()}};
        ok = test::ShootWindow("Print Preview, full screen", preview.hwnd(), full, fullPath) && ok;
        preview.BtnClose.click();
    };
    timer.setEnabled(true);
    ok = RunPreview(preview, form, pages, page, measurer) == PreviewOutcome::Shown && ok;
    ReleaseDC(nullptr, screen);
    return ok;
}

// The list page, then the custom page with its tree (saved beside it, "-custom").
bool Shoot(const std::string& path) {
    SharedObjectsScope shared;
    Forest forest;
    Node& home = test::ModelOf(forest, test::HomeCatalog());
    test::FixtureCells cells;
    ListReportSource source;
    source.title = "Catalog \"Home\"";
    source.rows = {home.child(0)->record(), home.child(1)->record()};
    source.columns = {{"Disk Name", 0, report::Alignment::Left}, {"Media Type", 1, report::Alignment::Left},
                      {"Capacity", 2, report::Alignment::Right}};
    source.cells = &cells;
    ReportGenSources sources = OneListSource(source);
    sources.forest = &forest;
    sources.checkImages = CheckImages().handle();
    ui::ScriptedPrompt prompt;
    NoFiles files;
    ui::ScriptedPrintDialog printer;
    TReportGenForm form(std::move(sources), {prompt, files, printer});
    form.InitReportSource();
    std::string customPath = path;
    customPath.insert(customPath.rfind('.') == std::string::npos ? customPath.size() : customPath.rfind('.'),
                      "-custom");
    bool ok = false;
    uitest::TimerAction shoot(100, [&] {
        const test::NamedControls controls = {
            {"title", form.TitleEdit.hwnd()},          {"columns", form.ColumnsCheckList.hwnd()},
            {"up", form.UpBtn.hwnd()},                 {"select all", form.BtnSelectAll.hwnd()},
            {"source", form.SourceCatalog.hwnd()},     {"list check", form.ReportListCheck.hwnd()},
            {"print check", form.PrintCheck.hwnd()},   {"export check", form.ExportCheck.hwnd()},
            {"sort", form.SortItemsCheck.hwnd()},      {"no sort", form.NoSortingCheck.hwnd()},
            {"catalog", form.CatalogHeaderCheck.hwnd()}, {"setup", form.BtnRepSetup.hwnd()},
            {"print", form.BtnPrint.hwnd()},           {"close", form.BtnCancel.hwnd()}};
        ok = test::ShootWindow("Report Generator", form.hwnd(), controls, path);
        form.ReportCustomCheck.click();
        form.ExportCheck.click();
        CustomTreeNode& cd = *form.CustomModel.roots()[0]->children[0];
        form.TreeView.Select(&cd);
        form.MacroExpandFrom(2);
        const test::NamedControls custom = {
            {"tree", form.TreeView.View().hwnd()},     {"macros", form.BtnMacros.hwnd()},
            {"open layout", form.BtnLoadLayout.hwnd()}, {"save layout", form.BtnSaveLayout.hwnd()},
            {"catalog", form.CustomCatalogHeader.hwnd()}, {"separator", form.AsciiSepCombo.hwnd()},
            {"columns", form.ColumnsCheckList.hwnd()},  {"export", form.BtnPrint.hwnd()}};
        ok = test::ShootWindow("Report Generator, custom report", form.hwnd(), custom, customPath) && ok;
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
