#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "controls/VirtualListView.h"
#include "controls/ListHelpers.h"
#include "ui/Application.h"
#include "ui/Form.h"
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

TEST_F(ListHelpersTest, NegativeWidthsAreSizedToContentsOrHeader) {
    AutoSizeListColumns(list);
    EXPECT_GT(list.ColumnWidth(0), 40);
    EXPECT_EQ(list.Column(0).width, list.ColumnWidth(0));
    EXPECT_EQ(list.ColumnWidth(1), 60);  // not asked for
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
