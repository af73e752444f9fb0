// The main window's toolbar in its docks, and its place across a restart.
#include <windows.h>

#include <algorithm>

#include "shell/commands/CommandTable.h"
#include "tests/shell/ShellFixture.h"

namespace kv::test {
namespace {

void keepKey(RegistrySectionStore& store) {
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
}

TEST_F(ShellTest, ToolbarDocksOnEverySideAndFloats) {
    keepKey(store);
    MainForm& main = makeMain();
    MainToolbars& t = main.toolbars();
    main.show();
    EXPECT_EQ(t.Toolbar.DockedTo(), &t.DocksTop);
    for (DockSide side : {DockSide::Bottom, DockSide::Left, DockSide::Right, DockSide::Top}) {
        t.ApplyDock(side, false, true);
        ui::TDockSite& dock = t.dockFor(side);
        EXPECT_EQ(t.Toolbar.DockedTo(), &dock);
        EXPECT_EQ(GetParent(t.Toolbar.hwnd()), dock.hwnd());
        for (DockSide other : {DockSide::Top, DockSide::Bottom, DockSide::Left, DockSide::Right}) {
            ui::TDockSite& d = t.dockFor(other);
            const int thickness = d.vertical() ? d.width() : d.height();
            if (other == side)
                EXPECT_GT(thickness, 0);
            else
                EXPECT_EQ(thickness, 0);
        }
    }
    // The tree sits beside the left dock, not under it.
    t.ApplyDock(DockSide::Left, false, true);
    EXPECT_EQ(main.tree.left(), t.DocksLeft.width());
    t.ApplyDock(DockSide::Left, true, true);
    EXPECT_EQ(t.Toolbar.DockedTo(), nullptr);
    EXPECT_TRUE(IsWindowVisible(t.Toolbar.floatingWindow()));
    t.ApplyDock(DockSide::Left, false, false);
    EXPECT_FALSE(t.Toolbar.visible());
    EXPECT_EQ(t.DocksLeft.width(), 0);
}

TEST_F(ShellTest, ToolbarPlaceIsStoredAtCloseAndRestoredAtStart) {
    // Each start finds the key kept by the one before and shows the window.
    auto start = [this]() -> MainToolbars& {
        main.reset();
        keepKey(store);
        makeMain().show();
        return main->toolbars();
    };
    // At the bottom the full row of buttons leaves room for a place of its own.
    settings.Update([](Settings& s) { s.dock = DockSide::Bottom; });
    MainToolbars* t = &start();
    ASSERT_EQ(t->Toolbar.DockedTo(), &t->DocksBottom);
    t->Toolbar.SetDockPos(40);
    EXPECT_EQ(t->Toolbar.DockPos(), 40);

    t = &start();
    EXPECT_EQ(t->Toolbar.DockedTo(), &t->DocksBottom);
    EXPECT_EQ(t->Toolbar.DockPos(), 40);
    // Floated by the settings, at a place of its own.
    settings.Update([](Settings& s) { s.toolbarFloating = true; });
    t->ApplyDock(DockSide::Bottom, true, true);
    t->Toolbar.setFloatRect({200, 200, 201, 201});

    t = &start();
    ASSERT_EQ(t->Toolbar.DockedTo(), nullptr);
    EXPECT_EQ(t->Toolbar.floatRect().left, 200);
    EXPECT_EQ(t->Toolbar.floatRect().top, 200);
}

ui::TDockToolbarButton* FindButton(MainForm& main, const char* name) {
    for (ui::Control* control : main.toolbars().Toolbar.controlOrder())
        if (control->Name == name) return dynamic_cast<ui::TDockToolbarButton*>(control);
    return nullptr;
}

TEST_F(ShellTest, ToolbarButtonsFollowTheirCommandsAndRunThem) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    ui::TDockToolbarButton* search = FindButton(main, "ButtonSearch");
    ui::TDockToolbarButton* save = FindButton(main, "ButtonSave");
    ui::TDockToolbarButton* open = FindButton(main, "ButtonOpen");
    ASSERT_TRUE(search && save && open);
    EXPECT_EQ(search->Tag, CommandInfoOf(CommandId::Search).buttonTag);
    EXPECT_EQ(search->hint, "Search for Items");
    EXPECT_TRUE(search->enabled());
    EXPECT_FALSE(save->enabled());  // nothing changed yet
    EXPECT_TRUE(open->enabled());

    search->click();
    EXPECT_TRUE(main.searchFormExists());

    // With every catalog closed, what needs one is disabled.
    prompt.answers = {ui::PromptAnswer::Ok};
    main.RunCommand(CommandId::CloseAll, CommandSource::MainMenu);
    ASSERT_TRUE(main.forest().roots().empty());
    EXPECT_FALSE(search->enabled());
    EXPECT_TRUE(open->enabled());
}

// What the toolbar shows, in order: a button's tag, 0 for a separator.
std::vector<int> shownToolbar(MainForm& main) {
    std::vector<int> shown;
    for (ui::Control* control : main.toolbars().Toolbar.controlOrder()) {
        if (!control->visible()) continue;
        shown.push_back(dynamic_cast<ui::TDockToolbarSep*>(control) ? 0 : control->Tag);
    }
    return shown;
}

TEST_F(ShellTest, ToolbarShowsTheDesignedOrderThenTheUsersLayout) {
    keepKey(store);
    MainForm& main = makeMain();
    main.show();
    const std::vector<int> designed{1,  2,  3,  0,  5,  6,  7,  8,  9,  0,  11, 12, 13, 14, 15, 16, 17,
                                    18, 19, 0,  21, 22, 23, 24, 0,  26, 27, 28, 29, 30, 0,  32, 33};
    EXPECT_EQ(shownToolbar(main), designed);
    // The button size setting (2 at first) and the flat look.
    ui::TDockToolbarButton* open = FindButton(main, "ButtonOpen");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->width(), 25);
    EXPECT_EQ(open->height(), 25);
    EXPECT_TRUE(open->flat());
    // Fitted at load: the default layout is the designed one with the marker last.
    std::vector<std::uint8_t> stored(designed.begin(), designed.end());
    stored.push_back(255);
    EXPECT_EQ(settings.Get().toolbarLayout, stored);

    // A stored layout: Search first, a separator, New; 99 is no button's; Open
    // and what follows the marker is hidden. Each button it lacks comes after
    // the nearest stored button to its left in the designed toolbar.
    settings.Update([](Settings& s) {
        s.toolbarLayout = {8, 0, 1, 99, 255, 2, 0};
        s.buttonSize = 0;
        s.oldButtons = true;
    });
    ApplySettings(settings.Get(), main);
    EXPECT_EQ(shownToolbar(main), (std::vector<int>{8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24,
                                                    26, 27, 28, 29, 30, 32, 33, 0,  1,  3,  5,  6,  7}));
    EXPECT_FALSE(open->visible());
    ui::TDockToolbarButton* search = FindButton(main, "ButtonSearch");
    EXPECT_EQ(search->width(), 21);
    EXPECT_FALSE(search->flat());
    const std::vector<std::uint8_t>& fitted = settings.Get().toolbarLayout;
    EXPECT_EQ(std::count(fitted.begin(), fitted.end(), 99), 0);
    EXPECT_EQ(std::count(fitted.begin(), fitted.end(), 255), 1);
}

}  // namespace
}  // namespace kv::test
