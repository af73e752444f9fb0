// The search window with the hits of a search, as a real display shows it
// (tools/wine-x11-run): checks that the found list, the pages and every toolbar
// button are drawn and saves the picture, with the advanced settings hidden
// and (OUTPUT-advanced.BMP) shown.
//   searchwindowshot OUTPUT.BMP
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "search/window/SearchFormWin32.h"
#include "shell/browse/SearchListCells.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "ui/Application.h"
#include "ui/Canvas.h"

namespace {

// A drawn window has its caption, frame, pages, buttons and rows of text.
constexpr std::size_t kFewestColours = 12;

// Problems found; none when the window and each of its main parts are drawn.
int check(kv::TSearchForm& form, const kv::ui::BitmapCanvas& shot, POINT origin, bool report) {
    const std::size_t colours = kv::test::CountColours(shot);
    kv::test::NamedControls parts = {{"found list", form.FoundList.View().hwnd()},
                                           {"pages", form.Pages.hwnd()},
                                           {"find button", form.BtnFind.hwnd()},
                                           {"status bar", form.StatusBar.hwnd()},
                                           {"toolbar", form.Toolbar.hwnd()}};
    for (const auto& b : form.Toolbar.Buttons())
        parts.emplace_back(b->Name, b->hwnd());
    const int problems =
        (colours < kFewestColours) + static_cast<int>(kv::test::BlankControls(shot, parts, origin, report).size());
    if (report)
        std::printf("%zu colours\n", colours);
    return problems;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: searchwindowshot OUTPUT.BMP\n");
        return 2;
    }
    kv::test::ModelFixture model;
    kv::SearchFormServices services{model.forest, nullptr, {}, {}, {}};
    services.placementKey.clear();
    // The rows' texts as the main window would give them, in portable formats.
    const kv::SearchListCells cells({});
    kv::TSearchForm form(std::move(services));
    form.FoundList.SetCellProvider(&cells, nullptr);
    kv::ResultListSet lists;
    lists.Attach(&form.NormalResults());
    lists.Attach(&form.DuplicateResults());
    model.forest.context().resultLists = &lists;
    auto& app = kv::ui::Application::instance();
    app.setMainForm(&form);
    form.show();

    kv::SearchFormValues v = form.Values();
    v.byName = true;
    v.nameMode = kv::NameMode::Part;
    v.nameText = ".txt";
    form.SetValues(v);
    form.BtnFindClick();
    for (DWORD start = GetTickCount(); form.SearchRunning() && GetTickCount() - start < 30000; Sleep(1))
        app.processMessages();
    const std::size_t hits = form.NormalResults().Count();

    SetForegroundWindow(form.hwnd());
    // Each picture: the window as it is now, its parts checked, saved to file.
    auto shoot = [&](const std::string& file, kv::test::NamedControls extra) {
        app.processMessages();
        const SIZE size = kv::test::WindowSize(form.hwnd());
        kv::ui::BitmapCanvas shot(size.cx, size.cy);
        const POINT origin = kv::test::WindowOrigin(form.hwnd());
        auto all = [&](bool report) {
            return check(form, shot, origin, report) +
                   static_cast<int>(kv::test::BlankControls(shot, extra, origin, report).size());
        };
        kv::test::ShootOwnWindow(form.hwnd(), shot, origin, [&] { return all(false) == 0; });
        int found = all(true);
        if (!kv::test::saveBitmap(shot, file)) {
            std::printf("cannot write %s\n", file.c_str());
            found += 1;
        }
        return found;
    };
    // Advanced settings hidden: the main page with its group box.
    form.Pages.setActivePage(kv::TSearchForm::MainSheet);
    int problems = shoot(argv[1], {{"group box", form.GroupsBox.hwnd()},
                                    {"advanced switch", form.ShowSettingsCheck.hwnd()},
                                    {"archive label", form.SearchCompLabel.hwnd()}});
    std::printf("%zu hits listed\n", hits);
    problems += hits == 0 || form.FoundList.View().ItemCount() != static_cast<int>(hits);
    // Shown: the settings page comes to the front.
    form.ShowSettingsCheck.setChecked(true);
    form.ShowSettingsCheck.onClick(form.ShowSettingsCheck);
    std::string advanced = argv[1];
    advanced.insert(advanced.rfind('.'), "-advanced");
    problems += form.Pages.activePage() != kv::TSearchForm::SettingsSheet;
    problems += shoot(advanced, {{"mode", form.NormalModeRadio.hwnd()},
                                 {"match combo", form.SearchTypeCombo.hwnd()},
                                 {"hit limit", form.MaxFoundNum.hwnd()},
                                 {"items label", form.ItemsLabel.hwnd()}});
    std::printf(problems == 0 ? "search window drawn\n" : "search window not drawn\n");
    model.forest.context().resultLists = &model.lists;
    return problems == 0 ? 0 : 1;
}
