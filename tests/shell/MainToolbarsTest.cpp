// The main window's toolbar in its docks, and its place across a restart.
#include <windows.h>

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
    t->Toolbar.setFloatRect({300, 200, 301, 201});

    t = &start();
    ASSERT_EQ(t->Toolbar.DockedTo(), nullptr);
    EXPECT_EQ(t->Toolbar.floatRect().left, 300);
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

}  // namespace
}  // namespace kv::test
