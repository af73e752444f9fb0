// The compare window with results, as a real display shows it
// (tools/wine-x11-run): checks that the description, the category box, the
// tabs, the list, the status bar and every toolbar button are drawn, once on
// the New files and once on a category of catalog records, and saves the
// picture of the second.
//   compareshot OUTPUT.BMP
#include <windows.h>

#include <cstdio>
#include <string>

#include "search/compare/CompareFormWin32.h"
#include "shell/browse/SearchListCells.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "ui/Application.h"
#include "ui/Canvas.h"

namespace {

constexpr std::size_t kFewestColours = 10;

int check(kv::TCompareForm& form, const kv::ui::BitmapCanvas& shot, POINT origin, bool report) {
    kv::test::NamedControls parts = {{"description", form.DescLabel.hwnd()}, {"categories", form.ItemsCombo.hwnd()},
                                     {"close", form.CloseBtn.hwnd()},        {"tabs", form.TabSet.hwnd()},
                                     {"list", form.CompareListView.hwnd()},  {"status bar", form.StatusBar.hwnd()},
                                     {"toolbar", form.CompareToolbar->hwnd()}};
    for (const kv::SearchButton& b : kv::CompareToolbarButtons())
        if (kv::ui::SpeedButton* button = form.Buttons.Button(b.name))
            parts.emplace_back(b.name, button->hwnd());
    const std::size_t colours = kv::test::CountColours(shot);
    const int problems =
        (colours < kFewestColours) + static_cast<int>(kv::test::BlankControls(shot, parts, origin, report).size());
    if (report)
        std::printf("%zu colours\n", colours);
    return problems;
}

int shoot(kv::TCompareForm& form, const char* what, const char* path) {
    SetForegroundWindow(form.hwnd());
    const SIZE size = kv::test::WindowSize(form.hwnd());
    kv::ui::BitmapCanvas shot(size.cx, size.cy);
    const POINT origin = kv::test::WindowOrigin(form.hwnd());
    kv::test::ShootOwnWindow(form.hwnd(), shot, origin, [&] { return check(form, shot, origin, false) == 0; });
    std::printf("%s:\n", what);
    int problems = check(form, shot, origin, true);
    if (path && !kv::test::saveBitmap(shot, path)) {
        std::printf("cannot write %s\n", path);
        problems += 1;
    }
    return problems;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: compareshot OUTPUT.BMP\n");
        return 2;
    }
    kv::test::ModelFixture model;
    kv::ResultListSet lists;
    model.forest.context().resultLists = &lists;
    const kv::SearchListCells cells({{}, {}, {}, kv::ItemListKind::CompareResults});
    kv::TCompareForm form({});
    form.SetCellProvider(&cells, nullptr);
    kv::CompareResults results;
    results.FolderPaths = {"T:\\letters\\"};
    results.NewEntries = {{0x20, 0x5A2B6000, 1234, -1, 0, "new-letter.txt"}, {0x20, 0x5A2C6000, 99, -1, 0, "todo.txt"}};
    for (kv::TFileRec& f : kv::test::ModelFixture::folderRec(*model.a).files)
        results.Lists[kv::kCategoryDeleted].push_back(&f);
    results.Lists[kv::kCategorySame].push_back(&*kv::test::ModelFixture::folderRec(*model.a).files.begin());
    form.SetResults(std::move(results), "Comparing floppy \"D\" in catalog with contents of drive T:");

    auto& app = kv::ui::Application::instance();
    app.setMainForm(&form);
    form.show();
    int problems = shoot(form, "New files", nullptr);
    form.ShowCategory(kv::kCategoryDeleted);
    problems += shoot(form, "Deleted files", argv[1]);
    problems += form.CompareListView.ItemCount() != 2;
    std::printf(problems == 0 ? "compare window drawn\n" : "compare window not drawn\n");
    model.forest.context().resultLists = &model.lists;
    return problems == 0 ? 0 : 1;
}
