#include "UiFixture.h"

#include <memory>

#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/ProgressBar.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using ControlTest = UiTest;

RECT rectOf(const Control& c) { return c.bounds(); }

TEST_F(ControlTest, StateSetBeforeTheWindowAppliesAtCreationAndSurvivesRecreation) {
    Form form;
    form.createHandle();
    Panel panel;
    panel.setBounds(0, 0, 200, 100);
    CheckBox check;
    check.setAllowGrayed(true);
    check.setText("Tri");
    check.setBounds(5, 6, 80, 20);
    check.setState(CheckState::Grayed);
    ProgressBar bar;
    bar.setRange(0, 1000000);
    bar.setPosition(750000);
    bar.setBounds(5, 40, 100, 16);
    panel.create(&form);
    check.create(&panel);
    bar.create(&panel);

    EXPECT_EQ(check.state(), CheckState::Grayed);
    EXPECT_EQ(check.text(), "Tri");
    EXPECT_EQ(bar.position(), 750000);  // a 32-bit range
    SendMessageA(check.hwnd(), BM_CLICK, 0, 0);
    CheckState clicked = check.state();
    HWND old = check.hwnd();

    panel.recreateWnd();
    EXPECT_NE(check.hwnd(), old);
    EXPECT_EQ(GetParent(check.hwnd()), panel.hwnd());
    EXPECT_EQ(check.state(), clicked);
    EXPECT_EQ(check.text(), "Tri");
    EXPECT_EQ(rectOf(check).left, 5);
    EXPECT_EQ(rectOf(check).top, 6);
    EXPECT_EQ(bar.position(), 750000);
}

TEST_F(ControlTest, CheckBoxClickEventAndStateRoundTrip) {
    Form form;
    form.createHandle();
    CheckBox box;
    box.create(&form);
    std::vector<CheckState> seen;
    box.onClick = [&](CheckBox& s) { seen.push_back(s.state()); };
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);
    SendMessageA(box.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(seen, (std::vector<CheckState>{CheckState::Checked, CheckState::Unchecked}));
    box.setChecked(true);
    EXPECT_TRUE(box.checked());
}

TEST_F(ControlTest, AlignLayoutTopBottomThenLeftRightThenClient) {
    Form form;
    form.setBounds(0, 0, 400, 300);
    form.createHandle();
    form.setClientSize(400, 300);
    Panel top, bottom, left, right, client;
    top.setBounds(0, 0, 10, 30);
    bottom.setBounds(0, 0, 10, 20);
    left.setBounds(0, 0, 50, 10);
    right.setBounds(0, 0, 60, 10);
    for (Panel* p : {&client, &right, &left, &bottom, &top}) p->create(&form);
    client.setAlign(Align::Client);
    right.setAlign(Align::Right);
    left.setAlign(Align::Left);
    bottom.setAlign(Align::Bottom);
    top.setAlign(Align::Top);

    auto is = [](const Control& c, LONG l, LONG t, LONG r, LONG b) {
        RECT x = c.bounds();
        EXPECT_EQ(x.left, l);
        EXPECT_EQ(x.top, t);
        EXPECT_EQ(x.right, r);
        EXPECT_EQ(x.bottom, b);
    };
    is(top, 0, 0, 400, 30);
    is(bottom, 0, 280, 400, 300);
    is(left, 0, 30, 50, 280);
    is(right, 340, 30, 400, 280);
    is(client, 50, 30, 340, 280);

    // Hiding a child or resizing the form runs the layout again.
    top.setVisible(false);
    is(left, 0, 0, 50, 280);
    form.setClientSize(500, 300);
    is(client, 50, 0, 440, 280);
}

TEST_F(ControlTest, MouseEventsFireForSynthesisedInput) {
    Form form;
    form.createHandle();
    Panel panel;
    panel.create(&form);
    std::vector<std::string> events;
    panel.onMouseDown = [&](Control& s, MouseButton b, UINT shift, int x, int y) {
        EXPECT_EQ(&s, &panel);
        events.push_back("down " + std::to_string(x) + "," + std::to_string(y) + (b == MouseButton::Left ? " L" : ""));
    };
    panel.onMouseUp = [&](Control&, MouseButton, UINT, int x, int y) { events.push_back("up"); };
    panel.onMouseMove = [&](Control&, UINT shift, int, int) { events.push_back(shift & kCtrl ? "move ctrl" : "move"); };
    kv::uitest::sendClick(panel.hwnd(), 7, 9);
    SendMessageA(panel.hwnd(), WM_MOUSEMOVE, MK_CONTROL, MAKELPARAM(1, 1));
    EXPECT_EQ(events, (std::vector<std::string>{"down 7,9 L", "up", "move ctrl"}));
}

TEST_F(ControlTest, FontIsInheritedUntilSet) {
    Form form;
    form.createHandle();
    Label label;
    label.create(&form);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(label.hwnd(), WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    HFONT own = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    form.setFont(own);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(label.hwnd(), WM_GETFONT, 0, 0)), own);
}

TEST_F(ControlTest, BackgroundColourIsInheritedUntilSet) {
    const COLORREF red = RGB(200, 0, 0), green = RGB(0, 160, 0), blue = RGB(0, 0, 220);
    Form form;
    form.setBounds(0, 0, 300, 200);
    form.createHandle();
    Panel outer, own;
    outer.setBevel(false);
    own.setBevel(false);
    outer.setBounds(0, 0, 100, 100);
    own.setBounds(100, 0, 100, 100);
    outer.create(&form);
    own.create(&form);
    Label label;
    label.setBounds(10, 10, 40, 20);
    label.create(&outer);
    Edit edit, ownEdit;
    edit.create(&outer);
    ownEdit.create(&outer);
    ownEdit.setColor(blue);
    form.show();

    auto shot = [&] {
        auto b = std::make_unique<BitmapCanvas>(300, 200);
        renderWindow(form.hwnd(), *b);
        return b;
    };
    // What a child edit's parent answers for its background.
    auto editBack = [&](Edit& e) {
        BitmapCanvas dc(1, 1);
        SendMessageA(outer.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.dc()), reinterpret_cast<LPARAM>(e.hwnd()));
        return GetBkColor(dc.dc());
    };

    auto before = shot();
    EXPECT_EQ(before->pixel(50, 80), GetSysColor(COLOR_BTNFACE));  // nothing set anywhere
    EXPECT_EQ(before->pixel(12, 12), GetSysColor(COLOR_BTNFACE));

    form.setColor(red);
    own.setColor(green);
    auto after = shot();
    EXPECT_EQ(after->pixel(250, 150), red);   // the form itself
    EXPECT_EQ(after->pixel(50, 80), red);     // a panel that keeps ParentColor
    EXPECT_EQ(after->pixel(12, 12), red);     // a label two levels down
    EXPECT_EQ(after->pixel(150, 50), green);  // a panel with its own colour
    EXPECT_FALSE(own.parentColor());
    EXPECT_EQ(editBack(edit), GetSysColor(COLOR_WINDOW));  // edits keep the window colour
    EXPECT_EQ(editBack(ownEdit), blue);                    // unless given their own

    own.setParentColor(true);
    outer.setColor(blue);
    auto last = shot();
    EXPECT_EQ(last->pixel(150, 50), red);
    EXPECT_EQ(last->pixel(50, 80), blue);
    EXPECT_EQ(last->pixel(12, 12), blue);
    EXPECT_EQ(label.color(), blue);
}

// A panel and a system control that count the colour changes reaching them.
template <class Base>
class ColourSpy : public Base {
public:
    int changes = 0;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_SYSCOLORCHANGE) ++changes;
        return Base::wndProc(msg, wp, lp);
    }
};

// Only top-level windows hear of a change of the system colours: each of our
// windows hands it down once to every control inside.
TEST_F(ControlTest, SystemColourChangesReachEveryControlOnce) {
    Form form;
    form.createHandle();
    ColourSpy<Panel> outer, inner;
    ColourSpy<Button> button, besideButton;
    outer.setBounds(0, 0, 200, 100);
    inner.setBounds(5, 5, 100, 50);
    outer.create(&form);
    inner.create(&outer);
    button.create(&inner);
    besideButton.create(&form);
    SendMessageA(form.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(outer.changes, 1);
    EXPECT_EQ(inner.changes, 1);
    EXPECT_EQ(button.changes, 1);
    EXPECT_EQ(besideButton.changes, 1);
}

}  // namespace
