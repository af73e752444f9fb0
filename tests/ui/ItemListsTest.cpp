#include "UiFixture.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"

namespace {

using namespace kv::ui;

using ItemListsTest = UiTest;

std::vector<std::string> windowTexts(const ListBox& list) {
    std::vector<std::string> texts;
    int n = static_cast<int>(SendMessageA(list.hwnd(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char buf[64] = {};
        SendMessageA(list.hwnd(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        texts.push_back(buf);
    }
    return texts;
}

TEST_F(ItemListsTest, SortedItemsCarryTheirObjectsAndTheWindowFollows) {
    Form form;
    form.createHandle();
    ListBox list;
    list.setSorted(true);
    list.addItem("delta", 4);
    list.create(&form);  // items added before and after the window
    list.addItem("Bravo", 2);
    list.addItem("alpha", 1);
    EXPECT_EQ(list.addItem("bravo", 22), 2);  // after its equal
    list.addItem("Charlie", 3);
    const std::vector<std::string> expected{"alpha", "Bravo", "bravo", "Charlie", "delta"};
    EXPECT_EQ(list.items(), expected);
    EXPECT_EQ(windowTexts(list), expected);
    EXPECT_EQ(list.object(3), 3);
    EXPECT_EQ(list.object(2), 22);
    EXPECT_EQ(list.indexOf("CHARLIE"), 3);
    EXPECT_EQ(list.indexOf("echo"), -1);
    EXPECT_EQ(list.indexOfObject(4), 4);
    EXPECT_THROW(list.insertItem(0, "x"), std::logic_error);

    list.deleteItem(1);
    EXPECT_EQ(list.object(1), 22);
    EXPECT_EQ(windowTexts(list).size(), 4u);
    EXPECT_THROW(list.deleteItem(4), std::out_of_range);

    // An unsorted combo keeps its order; sorting later orders the objects too.
    ComboBox combo;
    combo.create(&form);
    combo.addItem("zulu", 26);
    combo.insertItem(0, "yankee", 25);
    combo.addItem("xray", 24);
    combo.setItemText(1, "Zulu (3)");
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"yankee", "Zulu (3)", "xray"}));
    combo.setSorted(true);
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"xray", "yankee", "Zulu (3)"}));
    EXPECT_EQ(combo.object(0), 24);
    EXPECT_EQ(combo.object(2), 26);
    EXPECT_EQ(SendMessageA(combo.hwnd(), CB_GETCOUNT, 0, 0), 3);
}

TEST_F(ItemListsTest, MultiSelectKeepsTheSelectionAcrossRecreation) {
    Form form;
    form.createHandle();
    ListBox list;
    list.setItems({"a", "b", "c", "d"});
    list.setMultiSelect(true);
    list.setSelected(1, true);  // before the window
    list.create(&form);
    list.setSelected(3, true);
    EXPECT_TRUE(list.selected(1));
    EXPECT_FALSE(list.selected(2));
    EXPECT_EQ(list.selCount(), 2);
    EXPECT_NE(GetWindowLongA(list.hwnd(), GWL_STYLE) & LBS_EXTENDEDSEL, 0);
    list.setItemIndex(2);
    EXPECT_EQ(list.itemIndex(), 2);  // the focused item, the selection unchanged
    EXPECT_EQ(list.selCount(), 2);

    form.recreateWnd();
    EXPECT_TRUE(list.selected(1));
    EXPECT_TRUE(list.selected(3));
    EXPECT_EQ(list.selCount(), 2);
    list.setSelected(1, false);
    EXPECT_EQ(list.selCount(), 1);

    // Back to one selection: the window is made again without the style.
    list.setMultiSelect(false);
    EXPECT_EQ(GetWindowLongA(list.hwnd(), GWL_STYLE) & LBS_EXTENDEDSEL, 0);
    list.setSelected(0, true);
    EXPECT_EQ(list.itemIndex(), 0);
    EXPECT_EQ(list.selCount(), 1);
}

}  // namespace
