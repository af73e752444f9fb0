#include "UiFixture.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Panel.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using PopupMenuTest = UiTest;

// The screen rectangle of the menu window showing now (empty when none).
RECT shownMenuRect() {
    RECT r{};
    if (HWND menu = FindWindowA("#32768", nullptr); menu && IsWindowVisible(menu)) GetWindowRect(menu, &r);
    return r;
}

TEST_F(PopupMenuTest, RightClickAndMenuKeyShowTheNearestControlsMenu) {
    Form form;
    form.setBounds(50, 50, 300, 200);
    Panel outer, inner;
    outer.setBounds(10, 10, 200, 120);
    inner.setBounds(20, 20, 50, 40);
    outer.create(&form);
    inner.create(&outer);
    form.show();
    PopupMenu menu;
    menu.Items().Add("Item");
    outer.popupMenu = &menu;

    auto popAndMeasure = [&](HWND target, LPARAM where) {
        RECT seen{};
        kv::uitest::TimerAction look(150, [&] {
            seen = shownMenuRect();
            EndMenu();
        });
        SendMessageA(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), where);
        return std::pair{look.ran(), seen};
    };

    // The inner panel has no menu: its request reaches the outer panel's.
    auto [ran, rect] = popAndMeasure(inner.hwnd(), MAKELPARAM(300, 250));
    EXPECT_TRUE(ran);
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 250);

    // From the keyboard (no point): at the control's top-left corner.
    POINT corner{0, 0};
    ClientToScreen(outer.hwnd(), &corner);
    std::tie(ran, rect) = popAndMeasure(outer.hwnd(), -1);
    EXPECT_TRUE(ran);
    EXPECT_EQ(rect.left, corner.x);
    EXPECT_EQ(rect.top, corner.y);

    // Right and centre alignment put the point at the menu's right edge and middle.
    menu.Alignment = PopupAlignment::Right;
    std::tie(ran, rect) = popAndMeasure(outer.hwnd(), MAKELPARAM(400, 250));
    EXPECT_EQ(rect.right, 400);
    menu.Alignment = PopupAlignment::Center;
    std::tie(ran, rect) = popAndMeasure(outer.hwnd(), MAKELPARAM(400, 250));
    EXPECT_NEAR((rect.left + rect.right) / 2, 400, 1);

    // AutoPopup off: the request is left to the default handling, no menu.
    menu.AutoPopup = false;
    std::tie(ran, rect) = popAndMeasure(outer.hwnd(), MAKELPARAM(300, 250));
    EXPECT_FALSE(ran);
}

}  // namespace
