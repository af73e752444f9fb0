// The user list with rows, as a real display shows it (tools/wine-x11-run):
// checks that the list, the status bar, the dock toolbar and each of its
// buttons are drawn and saves the picture.
//   userlistshot OUTPUT.BMP
#include <windows.h>

#include <cstdio>
#include <string>

#include "search/userlist/UserListActions.h"
#include "search/userlist/UserListFormWin32.h"
#include "shell/browse/SearchListCells.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "ui/Application.h"
#include "ui/Canvas.h"

namespace {

constexpr std::size_t kFewestColours = 10;

int check(kv::TUserListForm& form, const kv::ui::BitmapCanvas& shot, POINT origin, bool report) {
    kv::test::NamedControls parts = {{"list", form.UserListView.View().hwnd()},
                                     {"status bar", form.StatusBar.hwnd()},
                                     {"toolbar", form.UserListToolbar->hwnd()}};
    for (const kv::SearchButton& b : kv::UserListToolbarButtons())
        if (kv::ui::SpeedButton* button = form.Buttons.Button(b.name))
            parts.emplace_back(b.name, button->hwnd());
    const std::size_t colours = kv::test::CountColours(shot);
    const int problems =
        (colours < kFewestColours) + static_cast<int>(kv::test::BlankControls(shot, parts, origin, report).size());
    if (report)
        std::printf("%zu colours\n", colours);
    return problems;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: userlistshot OUTPUT.BMP\n");
        return 2;
    }
    kv::test::ModelFixture model;
    kv::ResultListSet lists;
    kv::UserListServices services;
    const kv::SearchListCells cells({{}, {}, {}, kv::ItemListKind::UserList});
    kv::TUserListForm form(std::move(services));
    form.SetCellProvider(&cells, nullptr, nullptr);
    lists.Attach(&form.List());
    model.forest.context().resultLists = &lists;
    kv::test::AddFile(kv::test::ModelFixture::folderRec(*model.a), "notes.txt");
    for (kv::Node* node : {model.disk, model.a, model.b})
        form.AddToUserList(node->record());
    for (kv::TFileRec& f : kv::test::ModelFixture::folderRec(*model.a).files)
        form.AddToUserList(&f);
    form.RefreshUserListView();
    form.UserListView.Focus(1);
    form.UpdateUserListStatus();

    auto& app = kv::ui::Application::instance();
    app.setMainForm(&form);
    form.show();
    SetForegroundWindow(form.hwnd());
    const SIZE size = kv::test::WindowSize(form.hwnd());
    kv::ui::BitmapCanvas shot(size.cx, size.cy);
    const POINT origin = kv::test::WindowOrigin(form.hwnd());
    kv::test::ShootOwnWindow(form.hwnd(), shot, origin, [&] { return check(form, shot, origin, false) == 0; });
    int problems = check(form, shot, origin, true);
    std::printf("%zu rows listed\n", form.List().Count());
    problems += form.List().Count() < 4 || form.UserListView.View().ItemCount() != static_cast<int>(form.List().Count());
    if (!kv::test::saveBitmap(shot, argv[1])) {
        std::printf("cannot write %s\n", argv[1]);
        problems += 1;
    }
    std::printf(problems == 0 ? "user list drawn\n" : "user list not drawn\n");
    model.forest.context().resultLists = &model.lists;
    return problems == 0 ? 0 : 1;
}
