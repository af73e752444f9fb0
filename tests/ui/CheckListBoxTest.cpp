#include "UiFixture.h"

#include <vector>

#include "ui/Canvas.h"
#include "ui/CheckListBox.h"
#include "ui/Form.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using CheckListBoxTest = UiTest;

struct CheckListFixture {
    Form form;
    CheckListBox list;
    std::vector<int> toggled;
    CheckListFixture() {
        form.setBounds(0, 0, 300, 300);
        list.setBounds(0, 0, 200, 150);
        list.add("FILE_ID.DIZ", 0);
        list.add("DESCRIPT.ION", 2);
        list.add("FILES.BBS", 1);
        list.create(&form);
        form.createHandle();
        list.onClickCheck = [this](CheckListBox& s, int i) {
            EXPECT_EQ(&s, &list);
            toggled.push_back(i);
        };
    }
    int middleOf(int index) const {
        RECT r{};
        SendMessageA(list.hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return (r.top + r.bottom) / 2;
    }
};

TEST_F(CheckListBoxTest, ClickOnTheBoxTogglesAClickOnTheTextSelects) {
    CheckListFixture f;
    int selections = 0;
    f.list.onClick = [&](CheckListBox&) { ++selections; };
    kv::uitest::sendClick(f.list.hwnd(), 5, f.middleOf(1));
    EXPECT_TRUE(f.list.checked(1));
    EXPECT_EQ(f.toggled, std::vector<int>{1});
    kv::uitest::sendClick(f.list.hwnd(), 100, f.middleOf(2));
    EXPECT_FALSE(f.list.checked(2));
    EXPECT_EQ(f.list.itemIndex(), 2);
    EXPECT_GE(selections, 1);
    EXPECT_EQ(f.toggled.size(), 1u);
    // Below the last item is no item.
    kv::uitest::sendClick(f.list.hwnd(), 5, 140);
    EXPECT_EQ(f.toggled.size(), 1u);

    f.list.setEnabled(false);
    kv::uitest::sendClick(f.list.hwnd(), 5, f.middleOf(0));
    EXPECT_FALSE(f.list.checked(0));
}

TEST_F(CheckListBoxTest, SpaceTogglesTheFocusedItemThroughGrayedWhenAllowed) {
    CheckListFixture f;
    f.list.setAllowGrayed(true);
    f.list.setItemIndex(2);
    std::vector<CheckState> seen;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(f.list.hwnd(), WM_CHAR, ' ', 1);
        seen.push_back(f.list.state(2));
    }
    EXPECT_EQ(seen, (std::vector<CheckState>{CheckState::Grayed, CheckState::Checked, CheckState::Unchecked}));
    EXPECT_EQ(f.toggled, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(f.list.itemIndex(), 2);  // no search for an item starting with a blank

    // A key handler sees the space first and may swallow it.
    int pressed = 0;
    f.list.onKeyPress = [&](Control&, char& key) {
        if (key == ' ' && ++pressed == 2) key = 0;
    };
    SendMessageA(f.list.hwnd(), WM_CHAR, ' ', 1);
    SendMessageA(f.list.hwnd(), WM_CHAR, ' ', 1);
    EXPECT_EQ(pressed, 2);
    EXPECT_EQ(f.list.state(2), CheckState::Grayed);  // only the first press toggled
}

TEST_F(CheckListBoxTest, StatesAndDataSurviveExchangeAndRecreation) {
    CheckListFixture f;
    f.list.setChecked(0, true);
    f.list.setState(2, CheckState::Grayed);
    f.list.setItemIndex(1);
    f.list.exchange(0, 2);
    EXPECT_EQ(f.list.item(0).text, "FILES.BBS");
    EXPECT_EQ(f.list.state(0), CheckState::Grayed);
    EXPECT_EQ(f.list.itemData(0), 1);
    EXPECT_TRUE(f.list.checked(2));
    char text[32] = {};
    SendMessageA(f.list.hwnd(), LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "FILE_ID.DIZ");

    f.form.recreateWnd();
    EXPECT_EQ(SendMessageA(f.list.hwnd(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(f.list.itemIndex(), 1);
    EXPECT_EQ(f.list.state(0), CheckState::Grayed);
    EXPECT_TRUE(f.list.checked(2));
    f.list.clear();
    EXPECT_EQ(f.list.count(), 0);
    EXPECT_EQ(SendMessageA(f.list.hwnd(), LB_GETCOUNT, 0, 0), 0);
}

// The check mark shows in the box of a checked item only.
TEST_F(CheckListBoxTest, CheckedItemsShowTheirMark) {
    CheckListFixture f;
    f.list.setChecked(1, true);
    int height = static_cast<int>(SendMessageA(f.list.hwnd(), LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GE(height, 15);
    auto marks = [&](int index) {
        BitmapCanvas shot(200, height);
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_LISTBOX;
        d.CtlID = f.list.id();
        d.itemID = static_cast<UINT>(index);
        d.itemAction = ODA_DRAWENTIRE;
        d.hwndItem = f.list.hwnd();
        d.hDC = shot.dc();
        d.rcItem = {0, 0, 200, height};
        SendMessageA(f.form.hwnd(), WM_DRAWITEM, f.list.id(), reinterpret_cast<LPARAM>(&d));
        // Inside the box's frame: dark pixels are the mark.
        int dark = 0, top = (height - 13) / 2;
        for (int y = top + 3; y < top + 10; ++y)
            for (int x = 5; x < 12; ++x) dark += GetRValue(shot.pixel(x, y)) < 100;
        return dark;
    };
    EXPECT_EQ(marks(0), 0);
    EXPECT_GT(marks(1), 3);
}

}  // namespace
