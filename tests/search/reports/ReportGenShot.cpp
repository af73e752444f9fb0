// The Report Generator on a real display (tools/wine-x11-run): copied from the
// screen, checked that none of its controls is blank, saved as a picture.
//   reportgenshot FILE.bmp
#include <windows.h>

#include <cstdio>
#include <string>

#include "ReportFixture.h"
#include "search/reports/ReportGenFormWin32.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

class NoFiles : public ui::FileDialogs {
public:
    std::optional<std::vector<std::string>> openFiles(const ui::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const ui::FileDialogRequest&) override { return std::nullopt; }
};

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
        const POINT origin = test::WindowOrigin(form.hwnd());
        const SIZE size = test::WindowSize(form.hwnd());
        ui::BitmapCanvas shot(size.cx, size.cy);
        std::vector<std::string> blank;
        test::ShootOwnWindow(form.hwnd(), shot, origin, [&] {
            blank = test::BlankControls(shot, controls, origin);
            return blank.empty();
        });
        const bool saved = test::saveBitmap(shot, path);
        std::printf("Report Generator: %s%s\n", blank.empty() ? "every control drawn" : "blank:",
                    saved ? "" : " (picture not saved)");
        for (const std::string& name : blank)
            std::printf("  %s\n", name.c_str());
        ok = blank.empty() && saved;
        SendMessageA(form.BtnCancel.hwnd(), BM_CLICK, 0, 0);
    });
    form.showModal();
    return ok;
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: reportgenshot FILE.bmp\n");
        return 2;
    }
    return kv::Shoot(argv[1]) ? 0 : 1;
}
