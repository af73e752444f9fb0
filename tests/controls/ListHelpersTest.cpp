#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "controls/VirtualListView.h"
#include "controls/ListHelpers.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

class ListHelpersTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setBounds(0, 0, 400, 300);
        list.AddColumn("Name", -2);
        list.AddColumn("Size", 60);
        list.setBounds(0, 0, 380, 260);
        list.create(&form);
        form.show();
        records.resize(50);
        std::iota(records.begin(), records.end(), 0);
        list.SetVirtualMode(true);
        list.OnVMGetItemInfo = [this](TExtListView&, int item, int, TLVVMMaskItems, int&, LPARAM&, int&, int&,
                                      std::string& text) { text = "Record number " + std::to_string(records[item]); };
        list.SetItemCountEx(static_cast<int>(records.size()));
    }
    void setState(int row, UINT bits) {
        LVITEMA it{};
        it.stateMask = bits;
        it.state = bits;
        SendMessageA(list.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    }
    // Exactly these rows selected.
    void selectOnly(const std::vector<int>& rows) {
        list.ClearRowStates();
        for (int r : rows) setState(r, LVIS_SELECTED);
        ASSERT_EQ(list.SelectedCount(), static_cast<int>(rows.size()));
    }
    bool selected(int row) {
        return SendMessageA(list.hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED;
    }

    Form form;
    TExtListView list;
    std::vector<int> records;
};

TEST_F(ListHelpersTest, SelectionFollowsTheRecordsThroughAResort) {
    setState(2, LVIS_SELECTED);
    setState(5, LVIS_SELECTED | LVIS_FOCUSED);
    // A record's key is its value plus one (never null); the re-sort reverses them.
    std::vector<int> before = records;
    ListSelection saved = SaveListSelection(list, [&](int row) -> const void* {
        return reinterpret_cast<const void*>(static_cast<intptr_t>(before[static_cast<size_t>(row)] + 1));
    });
    ASSERT_EQ(saved.selected.size(), 2u);
    std::reverse(records.begin(), records.end());
    RestoreListSelection(list, saved, [&](const void* key) {
        int value = static_cast<int>(reinterpret_cast<intptr_t>(key)) - 1;
        auto it = std::find(records.begin(), records.end(), value);
        return it == records.end() ? -1 : static_cast<int>(it - records.begin());
    });
    EXPECT_EQ(list.SelectedCount(), 2);
    EXPECT_TRUE(selected(47));
    EXPECT_TRUE(selected(44));
    EXPECT_EQ(list.FocusedRow(), 44);
}

TEST_F(ListHelpersTest, EveryRowSelectedStaysSoThroughAResortAndTheFocusFollows) {
    std::vector<int> all(records.size());
    std::iota(all.begin(), all.end(), 0);
    selectOnly(all);
    setState(5, LVIS_FOCUSED);
    const auto key = [](int value) { return reinterpret_cast<const void*>(static_cast<intptr_t>(value + 1)); };
    std::vector<int> before = records;
    ListSelection saved = SaveListSelection(list, [&](int row) { return key(before[static_cast<size_t>(row)]); });
    std::reverse(records.begin(), records.end());
    RestoreListSelection(list, saved, [&](const void* k) {
        auto it = std::find(records.begin(), records.end(), static_cast<int>(reinterpret_cast<intptr_t>(k)) - 1);
        return it == records.end() ? -1 : static_cast<int>(it - records.begin());
    });
    EXPECT_EQ(list.SelectedCount(), static_cast<int>(records.size()));
    EXPECT_EQ(list.FocusedRow(), 44);
}

TEST_F(ListHelpersTest, SelectedRowsOfBlocksAndScatteredSelections) {
    const std::vector<std::vector<int>> cases = {
        {}, {0}, {7}, {49}, {3, 4, 5, 6}, {45, 46, 47, 48, 49}, {2, 4}, {1, 2, 3, 9}, {0, 47, 48, 49}, {10, 12, 13},
    };
    for (const auto& rows : cases) {
        selectOnly(rows);
        EXPECT_EQ(list.SelectedRows(), rows);
    }
    std::vector<int> all(records.size());
    std::iota(all.begin(), all.end(), 0);
    selectOnly(all);
    EXPECT_EQ(list.SelectedRows(), all);
}

TEST_F(ListHelpersTest, NegativeWidthsAreSizedToContentsOrHeaderEachTimeUntilTheUserDragsThem) {
    AutoSizeListColumns(list);
    const int first = list.ColumnWidth(0);
    EXPECT_GT(first, 40);
    EXPECT_EQ(list.ColumnWidth(1), 60);  // not asked for
    // New contents (the next folder): sized again.
    records[3] = 1234567890;
    AutoSizeListColumns(list);
    EXPECT_GT(list.ColumnWidth(0), first);
    EXPECT_EQ(list.Column(0).width, -2);

    // The user drags the divider: that width stays.
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.hwnd(), LVM_GETHEADER, 0, 0));
    HDITEMA item{};
    item.mask = HDI_WIDTH;
    item.cxy = 77;
    NMHEADERA end{{header, static_cast<UINT_PTR>(GetDlgCtrlID(header)), HDN_ENDTRACKA}, 0, 0, &item};
    SendMessageA(list.hwnd(), WM_NOTIFY, end.hdr.idFrom, reinterpret_cast<LPARAM>(&end));
    SendMessageA(list.hwnd(), LVM_SETCOLUMNWIDTH, 0, 77);
    records[3] = 3;
    AutoSizeListColumns(list);
    EXPECT_EQ(list.ColumnWidth(0), 77);

    // A double-click on the divider fits the column to its contents again.
    NMHEADERA fit{{header, static_cast<UINT_PTR>(GetDlgCtrlID(header)), HDN_DIVIDERDBLCLICKA}, 0, 0, nullptr};
    SendMessageA(list.hwnd(), WM_NOTIFY, fit.hdr.idFrom, reinterpret_cast<LPARAM>(&fit));
    EXPECT_EQ(list.ColumnWidth(0), first);
}

TEST(ListHelpers, TheLastColumnByNumberFillsOnlyWhenShownLast) {
    Form form;
    form.setBounds(0, 0, 700, 300);
    TExtListView list;
    for (const char* caption : {"Name", "Size", "Description", "Category"})
        list.AddColumn(caption, -2);
    list.setBounds(0, 0, 680, 260);
    list.create(&form);
    form.show();
    const int description = 2, category = 3;
    list.SetColumnOrder({0, 1, category, description});
    AutoSizeListColumns(list);
    // Moved left of another, the last column by number keeps to its header,
    // and the one shown last takes the rest of the view.
    EXPECT_LT(list.ColumnWidth(category), 150);
    EXPECT_GT(list.ColumnWidth(category), 30);
    EXPECT_GT(list.ColumnWidth(description), 300);
}

// The control would ask for every row's text (minutes for 100,000 rows under
// Wine): a virtual list is measured over its first rows and those in view, and
// the first column's text is not cut by the icon before it.
TEST(ListHelpers, AVirtualListIsSizedByItsFirstRowsAndTheRowsInView) {
    Form form;
    form.setBounds(0, 0, 500, 300);
    TExtListView list;
    list.AddColumn("Name", -1);
    list.AddColumn("Size", -1);
    list.setBounds(0, 0, 480, 260);
    list.create(&form);
    form.show();
    list.SetVirtualMode(true);
    ImageList icons(16, 16);
    SendMessageA(list.hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons.handle()));
    long asked = 0;
    const int nearRow = 10, farRow = 90000;
    const std::string nearText = "A rather long name among the first rows";
    const std::string farText = "A much longer name, far below the first rows of the list";
    list.OnVMGetItemInfo = [&](TExtListView&, int item, int sub, TLVVMMaskItems, int& image, LPARAM&, int&, int&,
                               std::string& text) {
        ++asked;
        image = 0;
        if (item == nearRow && sub == 0) text = nearText;
        else if (item == farRow && sub == 0) text = farText;
        else text = "row " + std::to_string(item);
    };
    // Whether a row's whole text fits in the first column's label.
    const auto fits = [&](int row, const std::string& text) {
        RECT label{};
        label.left = LVIR_LABEL;
        SendMessageA(list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label));
        HDC dc = GetDC(list.hwnd());
        int width = 0;
        {
            Canvas canvas(dc);
            canvas.setFont(list.font());
            width = canvas.textWidth(text);
        }
        ReleaseDC(list.hwnd(), dc);
        return label.right - label.left >= width;
    };
    list.SetItemCountEx(100000);
    AutoSizeListColumns(list);
    const int first = list.ColumnWidth(0);
    EXPECT_LT(asked, 5000);
    EXPECT_TRUE(fits(nearRow, nearText));

    // Scrolled down to the far row, its text counts.
    SendMessageA(list.hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(farRow), FALSE);
    list.SetColumnWidth(0, -1);
    EXPECT_GT(list.ColumnWidth(0), first);
    EXPECT_TRUE(fits(farRow, farText));
}

TEST_F(ListHelpersTest, ContextMenuAtTheFocusedRow) {
    PopupMenu menu;
    int popups = 0;
    menu.OnPopup = [&](PopupMenu&) { ++popups; };
    menu.Items().Add("Properties");
    EXPECT_FALSE(PopupMenuAtItem(menu, &list, nullptr));  // nothing focused
    setState(3, LVIS_FOCUSED);
    kv::uitest::TimerAction end(150, [] { EndMenu(); });
    EXPECT_TRUE(PopupMenuAtItem(menu, &list, nullptr));
    EXPECT_EQ(popups, 1);
}

}  // namespace
