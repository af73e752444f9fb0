// What the main window shows for the rows picked in its item list: the
// status panels, the commands that follow the selection, description hints,
// and its own caption title.
#include <windows.h>
#include <commctrl.h>


#include "catalog/model/CatalogModified.h"
#include "catalog/model/ItemRecords.h"
#include "tests/shell/ShellFixture.h"
#include "ui/Application.h"

namespace kv::test {
namespace {

class MainSelectionTest : public ShellTest {
protected:
    // The catalog "one.ctf" opened from the command line, its disk "D" selected.
    Node* openDisk() {
        commandLine = {catalogFile("one.ctf")};
        MainForm& m = makeMain();
        m.RunIdleOnce();
        if (m.forest().roots().size() != 1)
            return nullptr;
        Node* disk = Child(*m.forest().roots()[0], "D");
        if (disk)
            m.browse().tree().select(disk);
        return disk;
    }
    int rowNamed(const std::string& name) {
        const auto& items = main->browse().browser().items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (ItemName(items[i]) == name)
                return static_cast<int>(i);
        return -1;
    }
    // A click on a row: it alone is selected and focused.
    void pickRow(int row) {
        ListView_SetItemState(main->list.hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(main->list.hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    // What the command rules allow for the rows (some commands wait for their windows).
    bool enabled(CommandId id) { return main->commandStates()[id].allowed; }
};

TEST_F(MainSelectionTest, PickedRowsDriveTheStatusPanelsAndTheCommands) {
    Node* disk = openDisk();
    ASSERT_NE(disk, nullptr);
    MainForm& main = *this->main;
    main.list.setFocus();
    main.RefreshPending = false;

    pickRow(rowNamed("root.txt"));
    EXPECT_TRUE(main.RefreshPending);
    // Panel 1 describes the focused row at once, panel 2 counts the selection.
    EXPECT_EQ(main.statusBar.panelText(1).rfind("root.txt, ", 0), 0u) << main.statusBar.panelText(1);
    EXPECT_EQ(main.statusBar.panelText(2).rfind("Selected: 1 item, ", 0), 0u) << main.statusBar.panelText(2);
    main.RunIdleOnce();
    EXPECT_FALSE(main.RefreshPending);
    // A file row: the file commands, not those of the disk the tree shows.
    EXPECT_TRUE(enabled(CommandId::ViewFile));
    EXPECT_TRUE(enabled(CommandId::Launch));
    EXPECT_TRUE(enabled(CommandId::CopyTo));
    EXPECT_TRUE(enabled(CommandId::SetCategory));
    EXPECT_FALSE(enabled(CommandId::Compare));

    pickRow(rowNamed("A"));
    main.RunIdleOnce();
    EXPECT_EQ(main.statusBar.panelText(1).rfind("A (folder)", 0), 0u) << main.statusBar.panelText(1);
    EXPECT_FALSE(enabled(CommandId::ViewFile));
    EXPECT_TRUE(enabled(CommandId::Compare));

    // Every row selected: the totals of all of them.
    ListView_SetItemState(main.list.hwnd(), -1, LVIS_SELECTED, LVIS_SELECTED);
    main.RunIdleOnce();
    EXPECT_EQ(main.statusBar.panelText(2).rfind("Selected: 3 items, ", 0), 0u) << main.statusBar.panelText(2);

    // The tree active again: the disk is the target, the summary the node's.
    main.tree.setFocus();
    main.UpdateCommands(CommandGroup::All);
    EXPECT_EQ(main.statusBar.panelText(1).rfind("D (", 0), 0u) << main.statusBar.panelText(1);
    EXPECT_FALSE(enabled(CommandId::ViewFile));
    EXPECT_TRUE(enabled(CommandId::Compare));
}

TEST_F(MainSelectionTest, ACatalogChangeShowsInPanelZeroAtOnce) {
    Node* disk = openDisk();
    ASSERT_NE(disk, nullptr);
    EXPECT_EQ(main->statusBar.panelText(0), "Loaded");
    SetDiskModified(*disk, true);
    EXPECT_EQ(main->statusBar.panelText(0), "Modified");
    EXPECT_TRUE(main->mainMenu.Items().Find("MenuSave")->Enabled());
}

TEST_F(MainSelectionTest, DescriptionsShowAsHintsOverRowsAndNodes) {
    Node* disk = openDisk();
    ASSERT_NE(disk, nullptr);
    MainForm& main = *this->main;
    Node* a = Child(*disk, "A");
    ASSERT_NE(a, nullptr);
    std::string text;
    for (int i = 1; i <= 20; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    RecordAs<TFolderRec>(a->record())->description = text;

    ui::Application& app = ui::Application::instance();
    ASSERT_TRUE(app.onShowHint);
    auto hintAt = [&](ui::Control& control, POINT at, std::string& shown) {
        ui::HintInfo info;
        info.hintControl = &control;
        info.cursorPos = at;
        bool canShow = true;
        shown = control.hint;
        app.onShowHint(app, shown, canShow, info);
        return canShow;
    };
    const int row = rowNamed("A");
    RECT label{};
    label.left = LVIR_LABEL;
    SendMessageA(main.list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label));
    std::string shown;
    ASSERT_TRUE(hintAt(main.list, POINT{label.left + 2, (label.top + label.bottom) / 2}, shown));
    // Fifteen lines, then the mark that more was cut.
    EXPECT_EQ(shown.rfind("line 1\r\n", 0), 0u);
    EXPECT_NE(shown.find("line 15"), std::string::npos);
    EXPECT_EQ(shown.find("line 16"), std::string::npos);
    EXPECT_EQ(shown.substr(shown.size() - 11), "\r\n(more...)");
    EXPECT_NE(app.hintWindowClass(), &ui::defaultHintWindow);
    EXPECT_NE(main.HintFont(), nullptr);

    // The same over the folder's node in the tree, which must be on its item.
    main.browse().tree().expand(*disk);
    const RECT node = main.tree.itemRect(a);
    ASSERT_FALSE(IsRectEmpty(&node));
    ASSERT_TRUE(hintAt(main.tree, POINT{node.left + 2, (node.top + node.bottom) / 2}, shown));
    EXPECT_EQ(shown.rfind("line 1\r\n", 0), 0u);
    EXPECT_FALSE(hintAt(main.tree, POINT{node.right + 40, (node.top + node.bottom) / 2}, shown));

    // A row without a description shows none.
    SendMessageA(main.list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(rowNamed("root.txt")),
                 reinterpret_cast<LPARAM>(&label));
    EXPECT_FALSE(hintAt(main.list, POINT{label.left + 2, (label.top + label.bottom) / 2}, shown));

    // Toolbar buttons name their shortcut, in the plain hint window.
    ui::Control* save = nullptr;
    for (ui::Control* control : main.toolbars().Toolbar.controlOrder())
        if (control->Name == "ButtonSave") save = control;
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(hintAt(*save, POINT{2, 2}, shown));
    EXPECT_EQ(shown, "Save (Ctrl+S)");
    EXPECT_EQ(app.hintWindowClass(), &ui::defaultHintWindow);
}

TEST_F(MainSelectionTest, TheActiveWindowTakesNoInputWhileTheListSorts) {
    Node* disk = openDisk();
    ASSERT_NE(disk, nullptr);
    MainForm& main = *this->main;
    main.show();
    SetForegroundWindow(main.hwnd());
    SetActiveWindow(main.hwnd());
    ASSERT_EQ(GetActiveWindow(), main.hwnd());
    main.list.setFocus();
    CatalogBrowser& browser = main.browse().browser();
    std::vector<bool> enabledWhileSorting;
    auto window = browser.onSorting;
    ASSERT_TRUE(window);
    browser.onSorting = [&](bool sorting) {
        window(sorting);
        if (sorting) enabledWhileSorting.push_back(IsWindowEnabled(main.hwnd()) != FALSE);
    };
    EXPECT_TRUE(browser.sortBy(2));
    EXPECT_EQ(enabledWhileSorting, std::vector<bool>{false});
    EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
    EXPECT_EQ(GetFocus(), main.list.hwnd());
    browser.onSorting = window;
}

// Pixels of one colour in the caption's text box as the form paints it.
int CaptionPixels(MainForm& main, bool active, COLORREF colour) {
    RECT w{};
    GetWindowRect(main.hwnd(), &w);
    const int width = w.right - w.left, height = GetSystemMetrics(SM_CYCAPTION) + 8;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    main.PaintCaption(dc, active);
    GdiFlush();
    int count = 0;
    const auto* px = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const ui::DockRect box = main.captionLayout().textBox;
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, height); ++y)
        for (int x = std::max(box.left, 0); x < std::min(box.right, width); ++x)
            count += (px[y * width + x] & 0xFFFFFF) == wanted;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return count;
}

TEST_F(MainSelectionTest, TheCaptionTitleIsYellowWhileActiveAndDrawnOnce) {
    MainForm& main = makeMain();
    ASSERT_FALSE(main.Caption().empty());
    EXPECT_GT(CaptionPixels(main, true, RGB(255, 255, 0)), 0);
    // The form's own white title is not drawn over it.
    EXPECT_EQ(CaptionPixels(main, true, RGB(255, 255, 255)), 0);
    EXPECT_EQ(CaptionPixels(main, false, RGB(255, 255, 0)), 0);
}

}  // namespace
}  // namespace kv::test
