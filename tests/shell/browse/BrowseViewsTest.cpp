#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "BrowseFixture.h"
#include "shell/browse/BrowseViewsWin32.h"
#include "tests/ui/UiFixture.h"
#include "ui/Form.h"
#include "ui/SystemHelpers.h"

namespace kv {
namespace {

class BrowseViewsTest : public UiTest {
protected:
    test::BrowseFixture f;
    ItemIcons icons;
    ui::Form form;
    ui::TreeView treeControl;
    ui::TExtListView listControl;
    BrowseViewsWin32 views{f.forest, icons, nullptr, [](std::string_view) { return 3; }, treeControl, listControl};

    void SetUp() override {
        UiTest::SetUp();
        form.setBounds(0, 0, 700, 400);
        form.createHandle();
        treeControl.setBounds(0, 0, 200, 380);
        listControl.setBounds(210, 0, 480, 380);
        treeControl.create(&form);
        listControl.create(&form);
        views.attach();
        form.show();
    }

    HWND listWnd() { return views.list().control().hwnd(); }
    HWND treeWnd() { return views.tree().control().hwnd(); }

    std::string cell(int row, int column) {
        char buf[128] = {};
        LVITEMA it{};
        it.iSubItem = column;
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(listWnd(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
        return buf;
    }
    std::string column(int row) {
        std::string out;
        const int n = static_cast<int>(SendMessageA(listWnd(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
            out += (i ? " " : "") + cell(i, row);
        return out;
    }
    int columnCount() {
        auto header = reinterpret_cast<HWND>(SendMessageA(listWnd(), LVM_GETHEADER, 0, 0));
        return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    }
    void headerClick(int col) {
        NMLISTVIEW nm{};
        nm.hdr = {listWnd(), views.list().control().id(), LVN_COLUMNCLICK};
        nm.iItem = -1;
        nm.iSubItem = col;
        SendMessageA(form.hwnd(), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    }
    void pumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 300 && !done(); ++i) {
            app().processMessages();
            Sleep(10);
        }
    }
};

TEST_F(BrowseViewsTest, TreeMakesItemsOnlyForExpandedNodesAndListFollowsTheSelection) {
    EXPECT_EQ(views.tree().itemCount(), 1u);
    views.catalogOpened(*f.catalog);
    EXPECT_EQ(views.tree().itemCount(), 3u);
    EXPECT_EQ(f.cd->image(), icons.cdRom);
    EXPECT_EQ(column(0), "CD Floppy");
    EXPECT_EQ(columnCount(), 7);
    EXPECT_EQ(cell(0, 1), "CD-ROM");
    EXPECT_EQ(cell(0, 3), "4 MB");
    // Catalogs are bold, and their disks show the has-children button.
    EXPECT_TRUE(SendMessageA(treeWnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(views.tree().control().itemOf(f.catalog)),
                             TVIS_BOLD) & TVIS_BOLD);

    views.tree().select(f.docs);
    EXPECT_EQ(views.browser().shownNode(), f.docs);
    EXPECT_EQ(columnCount(), 8);
    EXPECT_EQ(column(0), ".. Sub a.txt b.zip c.txt");
    EXPECT_EQ(cell(0, 6), "Back to root of CD");
    // Dates in the locale's short format.
    const CellFormats locale = LocaleCellFormats();
    EXPECT_EQ(cell(2, 3), locale.shortDate(DateTime{2020, 1, 2, 3, 4, 6}));
    EXPECT_EQ(cell(2, 4), locale.longTime(DateTime{2020, 1, 2, 3, 4, 6}));
    EXPECT_EQ(cell(99, 0), "");
    // Docs got its item when CD expanded; its own children wait for Docs to expand.
    EXPECT_EQ(views.tree().itemCount(), 3u + 1u);
}

TEST_F(BrowseViewsTest, ExpandingHoldsPaintingUntilTheNodeIsDone) {
    auto notify = [&](Node* node, UINT code, UINT action) {
        NMTREEVIEWA nm{};
        nm.hdr = {treeWnd(), views.tree().control().id(), code};
        nm.action = action;
        nm.itemNew.hItem = views.tree().control().itemOf(node);
        nm.itemNew.lParam = reinterpret_cast<LPARAM>(node);
        SendMessageA(form.hwnd(), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
    };
    const int before = ui::NestedLockCount();
    notify(f.catalog, TVN_ITEMEXPANDINGA, TVE_EXPAND);
    EXPECT_TRUE(views.tree().paintingHeld());
    EXPECT_EQ(ui::NestedLockCount(), before + 1);
    notify(f.catalog, TVN_ITEMEXPANDEDA, TVE_EXPAND);
    EXPECT_FALSE(views.tree().paintingHeld());
    EXPECT_EQ(ui::NestedLockCount(), before);

    // No "expanded" notice follows: the painting comes back all the same.
    notify(f.catalog, TVN_ITEMEXPANDINGA, TVE_COLLAPSE);
    EXPECT_TRUE(views.tree().paintingHeld());
    pumpUntil([&] { return !views.tree().paintingHeld(); });
    EXPECT_EQ(ui::NestedLockCount(), before);

    // Smooth expanding on: nothing held, except for a closing catalog's collapse.
    views.tree().setPaintLockOnExpand(false);
    notify(f.catalog, TVN_ITEMEXPANDINGA, TVE_EXPAND);
    EXPECT_FALSE(views.tree().paintingHeld());
    notify(f.catalog, TVN_ITEMEXPANDEDA, TVE_EXPAND);
    views.tree().collapse(*f.catalog);
    EXPECT_FALSE(views.tree().paintingHeld());
    EXPECT_EQ(ui::NestedLockCount(), before);
}

TEST_F(BrowseViewsTest, HeaderClicksSortBothWaysAndTheUpRowStaysFirst) {
    views.catalogOpened(*f.catalog);
    views.tree().select(f.docs);
    headerClick(2);
    EXPECT_EQ(column(0), ".. Sub a.txt b.zip c.txt");
    headerClick(2);
    EXPECT_EQ(column(0), ".. c.txt b.zip a.txt Sub");
    for (int col = 0; col < 8; ++col) {
        headerClick(col);
        EXPECT_EQ(cell(0, 0), "..") << col;
        EXPECT_EQ(views.browser().items().size(), 5u);
    }
}

TEST_F(BrowseViewsTest, RenamingADiskInTheTree) {
    views.catalogOpened(*f.catalog);
    views.tree().editLabel(*f.cd);
    auto edit = reinterpret_cast<HWND>(SendMessageA(treeWnd(), TVM_GETEDITCONTROL, 0, 0));
    ASSERT_TRUE(edit);
    SetWindowTextA(edit, "Floppy");
    SendMessageA(treeWnd(), TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(f.cd->text(), "Floppy (2)");
    EXPECT_EQ(column(0), "Floppy Floppy (2)");
    // A folder is not renamed.
    views.tree().select(f.docs);
    views.tree().editLabel(*f.docs);
    EXPECT_FALSE(SendMessageA(treeWnd(), TVM_GETEDITCONTROL, 0, 0));
}

TEST_F(BrowseViewsTest, KeyboardMovesRefillAfterTheKeyIsReleased) {
    views.catalogOpened(*f.catalog);
    views.tree().select(f.cd);
    views.tree().takeFocus();
    SendMessageA(treeWnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(views.tree().selected(), f.floppy);
    EXPECT_EQ(views.browser().shownNode(), f.cd);
    SendMessageA(treeWnd(), WM_KEYUP, VK_DOWN, 0);
    EXPECT_EQ(views.browser().shownNode(), f.cd);
    pumpUntil([&] { return views.browser().shownNode() == f.floppy; });
    EXPECT_EQ(views.browser().shownNode(), f.floppy);
}

TEST_F(BrowseViewsTest, GoingToAnItemAndBackUp) {
    views.catalogOpened(*f.catalog);
    views.browser().goToItem(f.c);
    EXPECT_EQ(views.tree().selected(), f.docs);
    const std::ptrdiff_t row = views.list().focusedRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(cell(static_cast<int>(row), 0), "c.txt");
    EXPECT_EQ(views.list().selectedRows(), std::vector<std::size_t>{static_cast<std::size_t>(row)});

    // ".." goes up and focuses the folder it came from.
    views.list().focusRow(0, false);
    EXPECT_TRUE(views.browser().openRow(-1));
    EXPECT_EQ(views.tree().selected(), f.cd);
    EXPECT_EQ(cell(static_cast<int>(views.list().focusedRow()), 0), "Docs");
}

TEST_F(BrowseViewsTest, NodeDragsDropWhereTheHostSaysAndEndWhenTheNodeGoes) {
    views.catalogOpened(*f.catalog);
    views.tree().select(f.docs);
    std::vector<std::string> dropped;
    views.onDragOver = [&](const DragItems& items, HWND target, POINT) {
        return items.node && target == listWnd();
    };
    views.onDrop = [&](const DragItems& items, HWND, POINT) { dropped.push_back(items.node->text()); };
    auto startTreeDrag = [&](Node* node) {
        views.tree().control().onStartDrag(views.tree().control(), node);
    };
    // Catalogs are not dragged.
    startTreeDrag(f.catalog);
    EXPECT_FALSE(views.drag().dragging());

    startTreeDrag(f.sub);
    ASSERT_TRUE(views.drag().dragging());
    EXPECT_EQ(views.dragItems().node, f.sub);
    POINT overList{50, 50};
    ClientToScreen(listWnd(), &overList);
    views.drag().drop(overList);
    EXPECT_EQ(dropped, std::vector<std::string>{"Sub"});
    EXPECT_EQ(views.dragItems().node, nullptr);

    startTreeDrag(f.sub);
    views.tree().select(f.cd);
    f.forest.remove(*f.sub);
    EXPECT_FALSE(views.drag().dragging());
    EXPECT_EQ(views.dragItems().node, nullptr);
    EXPECT_EQ(dropped.size(), 1u);
}

}  // namespace
}  // namespace kv
namespace kv {
namespace {

TEST_F(BrowseViewsTest, DisksDropOnAnotherCatalogOnlyAndNotWhileASearchRuns) {
    Node& other = f.forest.addRoot("Other");
    test::Hang<TCatalogRec>(other);
    views.catalogOpened(other);
    views.catalogOpened(*f.catalog);
    std::vector<std::pair<std::vector<Node*>, Node*>> moved;
    bool searching = false;
    views.browser().setSearchRunning([&] { return searching; });

    auto screenPointOf = [&](Node& node) {
        const RECT r = views.tree().control().itemRect(&node);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(treeWnd(), &p);
        return p;
    };
    auto dragOver = [&](Node& disk, Node& target) {
        views.tree().control().onStartDrag(views.tree().control(), &disk);
        EXPECT_TRUE(views.drag().dragging());
        views.drag().move(screenPointOf(target));
        const bool accepted = views.drag().acceptingTarget() == treeWnd();
        views.drag().drop(screenPointOf(target));
        return accepted;
    };

    // Without a handler for the move the tree takes no drop.
    EXPECT_FALSE(dragOver(*f.cd, other));
    views.onMoveDisks = [&](const std::vector<Node*>& disks, Node& catalog) { moved.push_back({disks, &catalog}); };
    EXPECT_FALSE(dragOver(*f.cd, *f.catalog));
    EXPECT_FALSE(dragOver(*f.docs, other));
    searching = true;
    EXPECT_FALSE(dragOver(*f.cd, other));
    EXPECT_TRUE(moved.empty());
    searching = false;
    EXPECT_TRUE(dragOver(*f.cd, other));
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].first, std::vector<Node*>{f.cd});
    EXPECT_EQ(moved[0].second, &other);
}

}  // namespace
}  // namespace kv
