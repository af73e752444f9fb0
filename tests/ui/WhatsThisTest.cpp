#include "UiFixture.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "ui/WhatsThisMode.h"

namespace {

using namespace kv::ui;

using WhatsThisTest = UiTest;

TEST_F(WhatsThisTest, LeftClickEndsTheModeAndNamesTheControlUnderIt) {
    Form form;
    form.setBounds(50, 50, 300, 200);
    Panel outer, inner, hidden;
    outer.setBounds(10, 10, 200, 120);
    inner.setBounds(20, 20, 50, 40);
    hidden.setBounds(100, 20, 50, 40);
    outer.create(&form);
    inner.create(&outer);
    hidden.create(&outer);
    hidden.setVisible(false);
    inner.setEnabled(false);  // help is for disabled controls too
    form.show();

    WhatsThisMode mode(form);
    std::vector<Control*> picked;
    int ends = 0, formClicks = 0;
    mode.onPick = [&](WhatsThisMode& sender, Control* c, POINT) {
        EXPECT_FALSE(sender.active());
        picked.push_back(c);
    };
    mode.onEnd = [&](WhatsThisMode&) { ++ends; };
    form.onMouseDown = [&](Control&, MouseButton, UINT, int, int) { ++formClicks; };
    const HCURSOR help = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HELP));

    struct Case {
        POINT at;
        Control* expected;
    } cases[] = {
        {{35, 35}, &inner},    // nested and disabled
        {{125, 35}, &outer},   // over the hidden one
        {{250, 150}, &form},   // the form's own area
        {{-20, 10}, nullptr},  // outside the form
    };
    for (const auto& c : cases) {
        mode.start();
        EXPECT_EQ(GetCapture(), form.hwnd());
        EXPECT_EQ(app().screenCursor(), help);
        SendMessageA(form.hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(35, 35));  // ignored
        EXPECT_TRUE(mode.active());
        SendMessageA(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.at.x, c.at.y));
        EXPECT_FALSE(mode.active());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(app().screenCursor(), nullptr);
        ASSERT_FALSE(picked.empty());
        EXPECT_EQ(picked.back(), c.expected) << c.at.x << "," << c.at.y;
    }
    EXPECT_EQ(ends, 4);
    EXPECT_EQ(formClicks, 0);  // the mode took the clicks

    // Losing the capture ends the mode without a pick.
    picked.clear();
    mode.start();
    ReleaseCapture();
    EXPECT_FALSE(mode.active());
    EXPECT_EQ(app().screenCursor(), nullptr);
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(ends, 5);
    SendMessageA(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(35, 35));
    EXPECT_TRUE(picked.empty());
    EXPECT_EQ(formClicks, 1);
}

TEST_F(WhatsThisTest, BorderIconsDecideTheCaptionButtons) {
    struct Case {
        BorderStyle border;
        unsigned icons;
        bool sysMenu, minBox, maxBox, help;
    } cases[] = {
        {BorderStyle::Sizeable, biSystemMenu | biMinimize | biMaximize, true, true, true, false},
        {BorderStyle::Sizeable, biSystemMenu | biMinimize | biMaximize | biHelp, true, true, true, false},
        {BorderStyle::Sizeable, biSystemMenu | biHelp, true, false, false, true},
        {BorderStyle::Single, biSystemMenu | biMaximize | biHelp, true, false, false, true},
        {BorderStyle::Dialog, biSystemMenu | biHelp, true, false, false, true},
        {BorderStyle::Dialog, biHelp, false, false, false, false},  // no buttons without the system menu
    };
    for (const auto& c : cases) {
        Form form;
        form.setBorderStyle(c.border);
        form.setBorderIcons(c.icons);
        form.createHandle();
        const LONG style = GetWindowLongA(form.hwnd(), GWL_STYLE);
        SCOPED_TRACE(static_cast<int>(c.border) * 100 + static_cast<int>(c.icons));
        EXPECT_EQ((style & WS_SYSMENU) != 0, c.sysMenu);
        EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, c.minBox);
        EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.maxBox);
        EXPECT_EQ(form.showsHelpButton(), c.help);
    }

    // Changing them on a live form makes the window again.
    Form form;
    form.setBorderStyle(BorderStyle::Dialog);
    form.createHandle();
    EXPECT_FALSE(form.showsHelpButton());
    form.setBorderIcons(biSystemMenu | biHelp);
    EXPECT_TRUE(form.showsHelpButton());
}

}  // namespace
