// The main window's pictures (toolbar glyphs, menu pictures, lamps, cursors),
// its toolbar's docking commands and the help pointer.
#include <windows.h>

#include <commctrl.h>

#include "shell/commands/CommandTable.h"
#include "shell/commands/MenuGlyphs.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/ScreenPicture.h"
#include "ui/ResourceBitmap.h"

namespace kv::test {
namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr COLORREF kGreen = RGB(0, 128, 0);

int countColour(const ui::BitmapCanvas& shot, COLORREF colour, int left = 0, int right = -1) {
    return test::CountColourIn(shot, colour, {left, 0, right < 0 ? shot.width() : right, shot.height()});
}

// A resource bitmap copied onto a canvas, to read its pixels.
std::unique_ptr<ui::BitmapCanvas> pictureOf(const std::string& name) {
    ui::GdiObject<HBITMAP> bitmap = ui::loadBitmap(name);
    const SIZE size = ui::bitmapSize(bitmap.get());
    auto shot = std::make_unique<ui::BitmapCanvas>(size.cx, size.cy);
    HDC source = CreateCompatibleDC(shot->dc());
    HGDIOBJ old = SelectObject(source, bitmap.get());
    BitBlt(shot->dc(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return shot;
}

int inkPixels(const ui::BitmapCanvas& shot, int left, int right) {
    const COLORREF ground = shot.pixel(0, shot.height() - 1);
    return shot.width() * shot.height() - countColour(shot, ground, left, right) -
           (shot.width() - (right - left)) * shot.height();
}

ui::TDockToolbarButton* findButton(MainForm& main, std::string_view name) {
    for (ui::Control* control : main.toolbars().Toolbar.controlOrder())
        if (control->Name == name) return dynamic_cast<ui::TDockToolbarButton*>(control);
    return nullptr;
}

TEST_F(ShellTest, EveryPictureTheMainWindowNamesIsInTheResources) {
    MainForm& main = makeMain();
    for (const CommandInfo& info : CommandTable()) {
        if (!*info.buttonName) continue;
        SCOPED_TRACE(info.buttonName);
        auto strip = pictureOf(info.buttonName);
        ASSERT_EQ(strip->width(), 32);
        ASSERT_EQ(strip->height(), 16);
        // Both halves show something; the disabled one only in grey and white.
        EXPECT_GT(inkPixels(*strip, 0, 16), 20);
        EXPECT_GT(inkPixels(*strip, 16, 32), 20);
        const COLORREF ground = strip->pixel(0, 15);
        for (int y = 0; y < 16; ++y)
            for (int x = 16; x < 32; ++x) {
                const COLORREF c = strip->pixel(x, y);
                EXPECT_TRUE(c == ground || c == RGB(128, 128, 128) || c == RGB(255, 255, 255)) << x << "," << y;
            }
        ui::TDockToolbarButton* button = findButton(main, info.buttonName);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->numGlyphs(), 2);
    }
    for (const char* name : {"IDLELED", "BUSYLED", "SEARCHLED", "MENUPICT1", "MENUPICT2", "MENUPICT3", "MENUPICT4",
                             "MENUPICT5", "MENUPICT6", "SORTPICT2A", "SORTPICT2B", "SORTPICT4A", "SORTPICT4B"}) {
        auto picture = pictureOf(name);
        EXPECT_GT(inkPixels(*picture, 0, picture->width()), 20) << name;
    }
    struct {
        const char* name;
        DWORD hotX, hotY;
    } cursors[] = {{"ZoomCursor", 6, 6}, {"HAND", 5, 0}};
    for (const auto& c : cursors) {
        HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), c.name);
        ASSERT_NE(cursor, nullptr) << c.name;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_EQ(info.xHotspot, c.hotX) << c.name;
        EXPECT_EQ(info.yHotspot, c.hotY) << c.name;
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
}

TEST_F(ShellTest, ToolbarButtonIsRepaintedWhenItsCommandBecomesUsable) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.show();
    ui::TDockToolbarButton* search = findButton(main, "ButtonSearch");
    ASSERT_NE(search, nullptr);
    RedrawWindow(main.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_FALSE(search->enabled());
    ASSERT_FALSE(GetUpdateRect(search->hwnd(), nullptr, FALSE));
    main.RunIdleOnce();  // opens the catalog
    ASSERT_TRUE(search->enabled());
    EXPECT_TRUE(GetUpdateRect(search->hwnd(), nullptr, FALSE));
}

TEST_F(ShellTest, MenuItemsShowTheirButtonsGlyphsAndRecentCatalogsTheBook) {
    MainForm& main = makeMain();
    main.UpdateCommands(CommandGroup::All);
    auto draw = [&](ui::MenuItem& item) {
        auto shot = std::make_unique<ui::BitmapCanvas>(220, 20);
        PatBlt(shot->dc(), 0, 0, 220, 20, WHITENESS);
        RECT r{0, 0, 220, 20};
        main.mainMenu.onDrawItem(main.mainMenu, item, shot->dc(), r, item.Enabled() ? 0 : ODS_DISABLED);
        return shot;
    };
    ui::MenuItem* open = main.mainMenu.Items().Find("MenuOpen");
    ui::MenuItem* save = main.mainMenu.Items().Find("MenuSave");
    ASSERT_TRUE(open && save);
    EXPECT_GT(countColour(*draw(*open), kYellow, 0, 24), 10);  // the open folder
    ASSERT_FALSE(save->Enabled());                              // nothing to save
    EXPECT_EQ(countColour(*draw(*save), kNavy, 0, 24), 0);      // the disk in grey

    main.recentFiles().AddFile(0, "C:\\Catalogs\\one.ctf");
    ui::MenuItem* recent = nullptr;
    std::function<void(ui::MenuItem&)> walk = [&](ui::MenuItem& item) {
        if (item.Tag == kRecentFileTag && item.Caption() != "-" && !recent) recent = &item;
        for (int i = 0; i < item.Count(); ++i) walk(item.Items(i));
    };
    walk(main.mainMenu.Items());
    ASSERT_NE(recent, nullptr);
    EXPECT_GT(countColour(*draw(*recent), kMaroon, 0, 24), 10);  // the catalog book
}

TEST_F(ShellTest, StatusLampShowsIdleAndBusy) {
    MainForm& main = makeMain();
    auto lamp = [&] {
        auto shot = std::make_unique<ui::BitmapCanvas>(33, 20);
        PatBlt(shot->dc(), 0, 0, 33, 20, WHITENESS);
        main.statusBar.onDrawPanel(main.statusBar, 3, shot->dc(), RECT{0, 0, 33, 20});
        return shot;
    };
    auto idle = lamp();
    EXPECT_GT(countColour(*idle, kGreen), 10);
    EXPECT_EQ(countColour(*idle, RGB(128, 128, 0)), 0);  // the ground is see-through
    main.ShowStatus("Working...", true);
    auto busy = lamp();
    EXPECT_GT(countColour(*busy, kMaroon), 10);
    EXPECT_EQ(countColour(*busy, kGreen), 0);
    main.ShowStatus("", false);
}

TEST_F(ShellTest, StatusLampIsRepaintedWhenASearchStarts) {
    MainForm& main = makeMain();
    main.show();
    bool searching = false;
    main.searchActive = [&] { return searching; };
    RedrawWindow(main.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT lamp{};
    SendMessageA(main.statusBar.hwnd(), SB_GETRECT, 3, reinterpret_cast<LPARAM>(&lamp));
    searching = true;
    main.UpdateStatusBar();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(main.statusBar.hwnd(), region, FALSE);
    EXPECT_TRUE(PtInRegion(region, (lamp.left + lamp.right) / 2, (lamp.top + lamp.bottom) / 2));
    DeleteObject(region);
    main.searchActive = nullptr;
}

// The disk-select window's popup is drawn as the main window's menus are: the
// Add/Update Disk picture stands in the glyph column of "Update This Disk".
TEST_F(ShellTest, DiskSelectPopupShowsTheMainMenuPictures) {
    MainForm& main = makeMain();
    TDiskSelectForm form(DiskColumns{}, prompt);
    main.RegisterDiskSelectList(form);
    ASSERT_TRUE(form.DiskPopup.onDrawItem);
    ui::BitmapCanvas shot(200, 20);
    form.DiskPopup.onDrawItem(form.DiskPopup, *form.DiskUpdateMenu, shot.dc(), RECT{0, 0, 200, 20}, 0);
    int inked = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 14; ++x) inked += shot.pixel(x, y) != GetSysColor(COLOR_MENU);
    EXPECT_GT(inked, 20);
    main.UnregisterItemList(form.DisksListView);
}

TEST_F(ShellTest, ToolbarPopupDocksFloatsAndHidesTheToolbar) {
    MainForm& main = makeMain();
    main.show();
    MainToolbars& t = main.toolbars();
    ui::MenuItem& popup = main.toolbarPopup().Items();
    ui::MenuItem* floating = popup.Find("ToolMenuFloating");
    ASSERT_NE(floating, nullptr);

    popup.Find("DockToBottom1")->Click();
    EXPECT_EQ(t.Toolbar.DockedTo(), &t.DocksBottom);
    EXPECT_TRUE(popup.Find("DockToBottom1")->Checked());
    EXPECT_FALSE(popup.Find("DockToTop1")->Checked());
    EXPECT_EQ(settings.Get().dock, DockSide::Bottom);
    EXPECT_EQ(floating->Caption(), "Floating Toolbar");

    floating->Click();
    EXPECT_EQ(t.Toolbar.DockedTo(), nullptr);
    EXPECT_TRUE(settings.Get().toolbarFloating);
    EXPECT_EQ(floating->Caption(), "Dock Toolbar");
    EXPECT_EQ(t.Toolbar.hint, "Doubleclick Caption to Dock...");
    // Hidden while floating, its window goes too; shown again, it floats where it was.
    popup.Find("ToolMenuHide")->Click();
    EXPECT_FALSE(IsWindowVisible(t.Toolbar.floatingWindow()));
    main.RunCommand(CommandId::ViewToolbar, CommandSource::MainMenu);
    EXPECT_TRUE(IsWindowVisible(t.Toolbar.floatingWindow()));
    // Hidden by the settings while it floats (the menu bar stays as it is then).
    t.ApplyDock(DockSide::Bottom, true, false);
    EXPECT_FALSE(IsWindowVisible(t.Toolbar.floatingWindow()));
    t.ApplyDock(DockSide::Bottom, true, true);
    EXPECT_TRUE(IsWindowVisible(t.Toolbar.floatingWindow()));
    // Back to the dock it came from, not the default one.
    floating->Click();
    EXPECT_EQ(t.Toolbar.DockedTo(), &t.DocksBottom);
    EXPECT_FALSE(settings.Get().toolbarFloating);

    popup.Find("ToolMenuHide")->Click();
    EXPECT_FALSE(t.Toolbar.visible());
    EXPECT_FALSE(settings.Get().toolbarVisible);
    EXPECT_FALSE(main.commandStates()[CommandId::ViewToolbar].checked);
    main.RunCommand(CommandId::ViewToolbar, CommandSource::MainMenu);
    EXPECT_TRUE(t.Toolbar.visible());
    EXPECT_TRUE(settings.Get().toolbarVisible);
    EXPECT_TRUE(main.commandStates()[CommandId::ViewToolbar].checked);
    EXPECT_GT(t.DocksBottom.height(), 0);

    // The status bar's item likewise.
    main.RunCommand(CommandId::ViewStatusBar, CommandSource::MainMenu);
    EXPECT_FALSE(main.statusBar.visible());
    EXPECT_FALSE(settings.Get().statusBar);
    EXPECT_FALSE(main.commandStates()[CommandId::ViewStatusBar].checked);
}

TEST_F(ShellTest, HelpPointerOpensTheTopicOfTheClickedButton) {
    MainForm& main = makeMain();
    main.show();
    std::vector<std::pair<UINT, ULONG_PTR>> requests;
    ui::Application& app = ui::Application::instance();
    app.helpHandler = [&](HWND, const std::string&, UINT command, ULONG_PTR data) {
        requests.emplace_back(command, data);
        return true;
    };
    auto clickOn = [&](HWND target) {
        RECT r{};
        GetClientRect(target, &r);
        POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        MapWindowPoints(target, main.hwnd(), &at, 1);
        SendMessageA(main.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    };
    ui::TDockToolbarButton* help = findButton(main, "ButtonHelp");
    ui::TDockToolbarButton* sort3 = findButton(main, "ButtonSort3");
    ASSERT_TRUE(help && sort3);

    main.RunCommand(CommandId::WhatsThis, CommandSource::MainMenu);
    EXPECT_TRUE(main.WhatsThisMode());
    EXPECT_TRUE(help->down());
    clickOn(sort3->hwnd());
    EXPECT_FALSE(main.WhatsThisMode());
    EXPECT_FALSE(help->down());
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].first, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(requests[0].second, 5022u);

    // The help button itself starts it too; a control without a topic opens nothing.
    help->click();
    EXPECT_TRUE(main.WhatsThisMode());
    clickOn(main.tree.hwnd());
    EXPECT_FALSE(main.WhatsThisMode());
    EXPECT_EQ(requests.size(), 1u);

    // A button of the floating toolbar, outside the form.
    main.toolbars().Toolbar.SetDockedTo(nullptr);
    main.RunCommand(CommandId::WhatsThis, CommandSource::MainMenu);
    clickOn(sort3->hwnd());
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].second, 5022u);
    app.helpHandler = nullptr;
}

}  // namespace
}  // namespace kv::test
