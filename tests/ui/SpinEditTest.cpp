#include "UiFixture.h"
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/SpinEdit.h"

namespace {

using namespace kv::ui;

using SpinEditTest = UiTest;

HWND arrowsOf(const SpinEdit& spin) { return FindWindowExA(spin.hwnd(), nullptr, UPDOWN_CLASSA, nullptr); }

void pressArrow(HWND arrows, int delta) {
    NMUPDOWN nm{};
    nm.hdr.hwndFrom = arrows;
    nm.hdr.idFrom = 0;
    nm.hdr.code = UDN_DELTAPOS;
    nm.iDelta = delta;
    SendMessageA(GetParent(arrows), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

TEST_F(SpinEditTest, ArrowsAndKeysStepByTheIncrementWithinTheRange) {
    Form form;
    form.createHandle();
    SpinEdit spin;
    spin.setBounds(10, 10, 80, 22);
    spin.setRange(0, 20);
    spin.setIncrement(5);
    spin.setValue(10);
    spin.create(&form);
    int changes = 0;
    spin.onChange = [&](Edit& sender) {
        EXPECT_EQ(&sender, &spin);
        ++changes;
    };
    HWND arrows = arrowsOf(spin);
    ASSERT_NE(arrows, nullptr);
    RECT r;
    GetWindowRect(arrows, &r);
    EXPECT_GT(r.right - r.left, 0);

    pressArrow(arrows, -1);  // the upper arrow
    EXPECT_EQ(spin.text(), "15");
    pressArrow(arrows, -1);
    pressArrow(arrows, -1);
    EXPECT_EQ(spin.value(), 20);  // held at the maximum
    SendMessageA(spin.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(spin.value(), 15);
    pressArrow(arrows, 1);
    pressArrow(arrows, 1);
    pressArrow(arrows, 1);
    pressArrow(arrows, 1);
    EXPECT_EQ(spin.value(), 0);
    EXPECT_GE(changes, 4);

    // A key event that swallows the arrow key stops the step.
    spin.onKeyDown = [](Control&, WORD& key, UINT) { key = 0; };
    SendMessageA(spin.hwnd(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin.value(), 0);

    spin.setValue(7);
    form.recreateWnd();
    EXPECT_EQ(spin.value(), 7);
    EXPECT_NE(arrowsOf(spin), nullptr);
}

TEST_F(SpinEditTest, TypedTextIsReadAsAClampedNumber) {
    Form form;
    form.createHandle();
    SpinEdit spin;
    spin.setRange(1, 9999);
    spin.create(&form);
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"42", 42}, {" 17 ", 17}, {"0", 1}, {"123456", 9999}, {"", 1}, {"abc", 1}, {"1.5", 1},
        {"99999999999999999999", 9999},
    };
    for (const auto& c : cases) {
        spin.setText(c.text);
        EXPECT_EQ(spin.value(), c.value) << c.text;
    }
    spin.setValue(-5);
    EXPECT_EQ(spin.text(), "1");

    // Letters are refused as typed; digits, signs and control keys pass.
    spin.setText("");
    for (char c : std::string("4x2-")) SendMessageA(spin.hwnd(), WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_EQ(spin.text(), "42-");

    // Equal bounds: no clamping at all.
    SpinEdit free;
    free.create(&form);
    free.setText("-123456789");
    EXPECT_EQ(free.value(), -123456789);
}

}  // namespace
