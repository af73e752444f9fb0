// The compare window with results, as a real display shows it
// (tools/wine-x11-run): checks that the description, the category box, the
// tabs, the list, the status bar and every toolbar button are drawn, once on
// the New files and once on a category of catalog records, and saves the
// picture of the second; then the file check dialog and the wait box with
// its counters, each beside it ("-check", "-wait" before the extension).
//   compareshot OUTPUT.BMP
#include <windows.h>

#include <cstdio>
#include <string>

#include "search/compare/CheckFilesFormWin32.h"
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

// Any other window: every named control drawn.
int shootParts(kv::ui::Form& form, const char* what, const kv::test::NamedControls& parts, const std::string& path) {
    form.show();
    SetForegroundWindow(form.hwnd());
    const SIZE size = kv::test::WindowSize(form.hwnd());
    kv::ui::BitmapCanvas shot(size.cx, size.cy);
    const POINT origin = kv::test::WindowOrigin(form.hwnd());
    kv::test::ShootOwnWindow(form.hwnd(), shot, origin,
                             [&] { return kv::test::BlankControls(shot, parts, origin, false).empty(); });
    std::printf("%s:\n", what);
    int problems = static_cast<int>(kv::test::BlankControls(shot, parts, origin, true).size());
    if (!kv::test::saveBitmap(shot, path)) {
        std::printf("cannot write %s\n", path.c_str());
        problems += 1;
    }
    form.hide();
    return problems;
}

std::string besides(const std::string& path, const std::string& suffix) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? path + suffix : path.substr(0, dot) + suffix + path.substr(dot);
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
    // One icon for every row: the New files show it as the records do.
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(images, LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    const kv::SearchListCells cells({{}, {}, [](const kv::ItemHead&) { return 0; }, kv::ItemListKind::CompareResults});
    kv::CompareFormServices services;
    services.fileIcon = [](const std::string&) { return 0; };
    kv::TCompareForm form(std::move(services));
    form.SetCellProvider(&cells, images);
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
    int problems = shoot(form, "New files", besides(argv[1], "-new").c_str());
    form.ShowCategory(kv::kCategoryDeleted);
    problems += shoot(form, "Deleted files", argv[1]);
    problems += form.CompareListView.ItemCount() != 2;
    form.hide();

    kv::TCheckFilesForm check({});
    check.FormShow(model.forest, model.catalog);
    check.SourceDir.setText("C:\\Users\\Public\\Documents\\");
    check.UpdateButtons();
    problems += shootParts(check, "Compare Files to Catalog",
                           {{"folder", check.SourceDir.hwnd()}, {"browse", check.BrowseBtn.hwnd()},
                            {"subfolders", check.SubfoldersCheck.hwnd()}, {"options", check.OptionsBox.hwnd()},
                            {"name", check.SameNameCheck.hwnd()}, {"size", check.SameSizeCheck.hwnd()},
                            {"date", check.SameDateCheck.hwnd()}, {"attributes", check.SameAttrCheck.hwnd()},
                            {"tree", check.CatalogTree.View().hwnd()}, {"include", check.IncludeBtn.hwnd()},
                            {"exclude", check.ExcludeBtn.hwnd()}, {"search", check.BtnSearch.hwnd()},
                            {"cancel", check.BtnCancel.hwnd()}},
                           besides(argv[1], "-check"));

    kv::TWaitCompareForm wait;
    wait.WaitLabel.setText("Comparing to media, please wait...");
    wait.ShowCounts(form.Results(), true);
    problems += shootParts(wait, "Compare wait box",
                           {{"text", wait.WaitLabel.hwnd()}, {"new", wait.NewLabel.hwnd()},
                            {"changed", wait.ChangedLabel.hwnd()}, {"deleted", wait.DeletedLabel.hwnd()},
                            {"same", wait.SameLabel.hwnd()}},
                           besides(argv[1], "-wait"));
    std::printf(problems == 0 ? "compare window drawn\n" : "compare window not drawn\n");
    model.forest.context().resultLists = &model.lists;
    return problems == 0 ? 0 : 1;
}
