#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/HintManager.h"
#include "ui/Menu.h"
#include "ui/Panel.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

class HintTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        app().hintPause = 100;
        app().hintShortPause = 20;
        app().hintHidePause = 400;
        form.setBounds(100, 100, 400, 300);
        for (Button* b : {&open, &save}) {
            b->showHint = true;
            b->create(&form);
        }
        open.hint = "Opens a catalog";
        open.setBounds(10, 10, 100, 30);
        save.hint = "Saves the catalog";
        save.setBounds(120, 10, 100, 30);
        form.show();
    }
    void TearDown() override {
        app().hints().reset();
        app().hintPause = 500;
        app().hintShortPause = 50;
        app().hintHidePause = 2500;
        app().hintColor.reset();
        app().onShowHint = nullptr;
        app().onHint = nullptr;
        app().setHintWindowClass(nullptr);
        app().setHint("");
        UiTest::TearDown();
    }

    // The mouse at a client point of c: the cursor goes there too, so the
    // system's leave tracking agrees with the synthesised move.
    static void hover(Control& c, int x = 5, int y = 5) {
        POINT p{x, y};
        ClientToScreen(c.hwnd(), &p);
        SetCursorPos(p.x, p.y);
        SendMessageA(c.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    // Runs the message loop until done() or the time is up.
    static bool pumpUntil(const std::function<bool()>& done, DWORD ms = 5000) {
        DWORD start = GetTickCount();
        for (;;) {
            app().processMessages();
            if (done()) return true;
            if (GetTickCount() - start > ms) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
    static void pumpFor(DWORD ms) {
        pumpUntil([] { return false; }, ms);
    }
    static HintWindow* window() { return app().hints().window(); }
    static bool showing() { return window() && window()->showing(); }
    static std::string shownText() { return showing() ? window()->text() : std::string("(none)"); }

    Form form;
    Button open, save;
};

TEST_F(HintTest, PopsUpAfterThePauseWithoutActivationAndHidesAfterTheHidePause) {
    HWND active = GetActiveWindow();
    // Taken as the hint is asked for, before its hide pause starts: a clock read
    // after the pop-up shows may be late by however long this machine is busy.
    DWORD askedAt = 0;
    app().onShowHint = [&](Application&, std::string&, bool&, HintInfo&) { askedAt = GetTickCount(); };
    DWORD start = GetTickCount();
    hover(open);
    EXPECT_FALSE(showing());
    ASSERT_TRUE(pumpUntil(showing));
    EXPECT_GE(askedAt - start, 100u);
    EXPECT_EQ(window()->text(), "Opens a catalog");
    HWND h = window()->hwnd();
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & (WS_POPUP | WS_BORDER | WS_CHILD), WS_POPUP | WS_BORDER);
    DWORD ex = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE) & ex, ex);
    EXPECT_EQ(GetActiveWindow(), active);
    EXPECT_EQ(SendMessageA(h, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    RECT r;
    GetWindowRect(h, &r);
    POINT below{5, 5};
    ClientToScreen(open.hwnd(), &below);
    EXPECT_GT(r.top, below.y);  // below the cursor, not over it

    ASSERT_TRUE(pumpUntil([] { return !showing(); }));
    EXPECT_GE(GetTickCount() - askedAt, 400u);
    // Over the same place it does not come back by itself.
    pumpFor(300);
    EXPECT_FALSE(showing());
}

TEST_F(HintTest, OnlyControlsThatShowHintsPopUpButEveryHintReachesTheStatusLine) {
    Panel panel;
    panel.hint = "The toolbar";
    panel.setBounds(10, 60, 200, 60);
    panel.create(&form);
    Button inner, plain;
    inner.setBounds(5, 5, 50, 20);
    inner.create(&panel);  // no hint of its own: the panel's
    plain.hint = "Not shown as a pop-up";
    plain.setBounds(10, 150, 100, 30);
    plain.create(&form);
    int announced = 0;
    app().onHint = [&](Application&) { ++announced; };

    hover(plain);
    EXPECT_EQ(app().hint(), "Not shown as a pop-up");
    pumpFor(300);
    EXPECT_FALSE(showing());
    hover(inner);
    EXPECT_EQ(app().hint(), "The toolbar");
    pumpFor(300);
    EXPECT_FALSE(showing());
    panel.showHint = true;  // the buttons on it follow
    hover(plain);
    hover(inner);
    EXPECT_TRUE(pumpUntil(showing));
    EXPECT_EQ(shownText(), "The toolbar");
    int before = announced;
    hover(panel, 150, 50);  // the same text, but another place: handlers hear of it
    EXPECT_EQ(announced, before + 1);
    hover(form, 300, 250);
    EXPECT_EQ(app().hint(), "");
}

TEST_F(HintTest, MovingOnWhileOneShowsTakesTheShortPause) {
    hover(open);
    ASSERT_TRUE(pumpUntil(showing));
    app().hintPause = 60000;
    hover(save);
    EXPECT_FALSE(showing());
    EXPECT_TRUE(pumpUntil([] { return shownText() == "Saves the catalog"; }, 10000));
    // Through a gap without hints and on: still short.
    hover(form, 300, 250);
    EXPECT_FALSE(showing());
    hover(open);
    EXPECT_TRUE(pumpUntil([] { return shownText() == "Opens a catalog"; }, 10000));
}

TEST_F(HintTest, AClickAKeyOrLeavingHidesIt) {
    struct Way {
        const char* what;
        std::function<void(Button&)> act;
    };
    const Way ways[] = {
        {"click", [](Button& b) { kv::uitest::sendClick(b.hwnd(), 5, 5); }},
        {"key", [](Button& b) { kv::uitest::postKey(b.hwnd(), VK_SHIFT); }},
        {"leave", [](Button& b) { SendMessageA(b.hwnd(), WM_MOUSELEAVE, 0, 0); }},
    };
    Button* target = &open;
    for (const Way& w : ways) {
        hover(*target);
        ASSERT_TRUE(pumpUntil(showing)) << w.what;
        w.act(*target);
        app().processMessages();
        EXPECT_FALSE(showing()) << w.what;
        target = target == &open ? &save : &open;
        hover(form, 300, 250);
        pumpFor(150);  // the short pause runs out
    }
    // After a click the same place stays quiet.
    hover(open);
    ASSERT_TRUE(pumpUntil(showing));
    kv::uitest::sendClick(open.hwnd(), 5, 5);
    hover(open, 6, 6);
    pumpFor(300);
    EXPECT_FALSE(showing());
}

TEST_F(HintTest, OnShowHintChangesTextPlaceAndRectOrVetoes) {
    int calls = 0;
    bool veto = false;
    app().onShowHint = [&](Application&, std::string& text, bool& canShow, HintInfo& info) {
        ++calls;
        EXPECT_EQ(info.hintControl, &open);
        EXPECT_EQ(text, "Opens a catalog");
        EXPECT_EQ(info.cursorPos.x, info.cursorRect.left + 5);
        // Rows of 10 pixels: each row is a hint of its own.
        int row = info.cursorPos.y / 10;
        info.cursorRect = {0, row * 10, 100, row * 10 + 10};
        text = "Row " + std::to_string(row);
        info.hintPos = {150, 160};
        canShow = !veto;
    };
    hover(open, 5, 5);
    ASSERT_TRUE(pumpUntil(showing));
    EXPECT_EQ(window()->text(), "Row 0");
    RECT r;
    GetWindowRect(window()->hwnd(), &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 160);
    hover(open, 5, 8);  // the same row
    pumpFor(100);
    EXPECT_EQ(calls, 1);
    hover(open, 5, 15);  // the next row
    EXPECT_TRUE(pumpUntil([] { return shownText() == "Row 1"; }));
    EXPECT_EQ(calls, 2);

    veto = true;
    hover(save);
    hover(open, 5, 25);
    // The vetoed hint is asked for once its pause has run, however late that is.
    ASSERT_TRUE(pumpUntil([&] { return calls >= 3; }));
    pumpFor(400);
    EXPECT_FALSE(showing());
    EXPECT_EQ(calls, 3);
}

TEST_F(HintTest, AnExceptionInOnShowHintIsReportedAndShowsNothing) {
    app().onShowHint = [](Application&, std::string&, bool&, HintInfo&) { throw std::runtime_error("bad hint"); };
    hover(open);
    ASSERT_TRUE(pumpUntil([&] { return !prompt.asked.empty(); }));
    EXPECT_EQ(prompt.asked[0].text, "bad hint");
    EXPECT_FALSE(showing());
    app().onShowHint = nullptr;
    hover(save);
    EXPECT_TRUE(pumpUntil(showing));
}

// A hint window with a font and colours of its own, counting how many are made.
class BigHint : public HintWindow {
public:
    BigHint() : own_(CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial")) {
        font = own_.get();
        textColor = RGB(0, 128, 0);
        ++made;
    }
    static std::unique_ptr<HintWindow> create() { return std::make_unique<BigHint>(); }
    static inline int made = 0;

private:
    GdiObject<HFONT> own_;
};

TEST_F(HintTest, TheHintWindowClassIsReplacedAndMadeAgainOnASwitch) {
    app().hintColor = RGB(255, 0, 0);
    hover(open);
    ASSERT_TRUE(pumpUntil(showing));
    RECT plain;
    GetWindowRect(window()->hwnd(), &plain);
    EXPECT_EQ(dynamic_cast<BigHint*>(window()), nullptr);

    // Switched from inside onShowHint, the way a program picks a class per kind of hint.
    BigHint::made = 0;
    app().onShowHint = [](Application& a, std::string&, bool&, HintInfo&) { a.setHintWindowClass(&BigHint::create); };
    hover(save);
    ASSERT_TRUE(pumpUntil(showing));
    EXPECT_NE(dynamic_cast<BigHint*>(window()), nullptr);
    EXPECT_EQ(BigHint::made, 1);
    RECT big;
    GetWindowRect(window()->hwnd(), &big);
    EXPECT_GT(big.bottom - big.top, plain.bottom - plain.top);

    BitmapCanvas shot(big.right - big.left, big.bottom - big.top);
    renderWindow(window()->hwnd(), shot);
    EXPECT_EQ(shot.pixel(3, 3), RGB(255, 0, 0));
    bool green = false;
    for (int y = 0; y < shot.height() && !green; ++y)
        for (int x = 0; x < shot.width() && !green; ++x) green = shot.pixel(x, y) == RGB(0, 128, 0);
    EXPECT_TRUE(green);

    hover(open);  // the same class again: the same window
    ASSERT_TRUE(pumpUntil([] { return shownText() == "Opens a catalog"; }));
    EXPECT_EQ(BigHint::made, 1);
    // Switching hints off and on makes the window again.
    app().setShowHint(false);
    EXPECT_EQ(window(), nullptr);
    app().setShowHint(true);
    hover(save);
    ASSERT_TRUE(pumpUntil(showing));
    EXPECT_EQ(BigHint::made, 2);
}

TEST_F(HintTest, NoHintsWhileSuspended) {
    hover(open);
    ASSERT_TRUE(pumpUntil(showing));
    {
        HintSuspension dragging;
        EXPECT_FALSE(showing());
        {
            HintSuspension nested;
        }
        hover(save);
        hover(open);
        pumpFor(300);
        EXPECT_FALSE(showing());
    }
    hover(save);
    EXPECT_TRUE(pumpUntil(showing));
}

TEST_F(HintTest, PopupMenuSelectionSetsTheApplicationHint) {
    PopupMenu menu;
    MenuItem& view = menu.Items().Add("&View");
    view.Hint = "Views the file";
    menu.Items().Add("-");
    std::vector<std::string> hints;
    app().onHint = [&](Application& a) { hints.push_back(a.hint()); };
    auto select = [&](WORD id, WORD flags) {
        SendMessageA(form.hwnd(), WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(menu.handle()));
    };
    kv::uitest::TimerAction selecting(50, [&] {
        select(static_cast<WORD>(view.Command()), 0);
        select(1, MF_SEPARATOR);
        select(static_cast<WORD>(view.Command()), 0);
        EndMenu();
    });
    menu.Popup(form.hwnd(), 150, 150);
    EXPECT_TRUE(selecting.ran());
    ASSERT_GE(hints.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(hints.begin(), hints.begin() + 3),
              (std::vector<std::string>{"Views the file", "", "Views the file"}));
}

struct HelpCall {
    UINT command;
    ULONG_PTR context;
    bool operator==(const HelpCall&) const = default;
};

class HelpTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        app().helpFile = "Korvalder.hlp";
        app().helpHandler = [this](HWND, const std::string& file, UINT command, ULONG_PTR data) {
            EXPECT_EQ(file, "Korvalder.hlp");
            calls.push_back({command, data});
            return true;
        };
    }
    void TearDown() override {
        app().helpHandler = nullptr;
        app().helpFile.clear();
        UiTest::TearDown();
    }
    std::vector<HelpCall> calls;
};

TEST_F(HelpTest, F1OpensTheTopicOfTheFocusedControlOrItsParent) {
    Form form;
    Panel panel;
    panel.helpContext = 5010;
    panel.create(&form);
    Button inPanel, own, none;
    inPanel.create(&panel);
    own.helpContext = 5001;
    own.setBounds(0, 120, 50, 20);
    own.create(&form);
    none.setBounds(0, 150, 50, 20);
    none.create(&form);
    form.show();
    SetForegroundWindow(form.hwnd());
    for (Button* b : {&own, &inPanel, &none}) {
        b->setFocus();
        // The system makes WM_HELP from the key as typed, not from a posted message.
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = VK_F1;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        app().processMessages();
    }
    EXPECT_EQ(calls, (std::vector<HelpCall>{{HELP_CONTEXT, 5001}, {HELP_CONTEXT, 5010}}));
}

TEST_F(HelpTest, TheHelpButtonGivesPopUpTopicsAndMenuItemsTheirOwn) {
    Form form;
    form.createHandle();
    SetWindowLongA(form.hwnd(), GWL_EXSTYLE, GetWindowLongA(form.hwnd(), GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
    Button b;
    b.helpContext = 5037;
    b.create(&form);
    HELPINFO hi{sizeof hi, HELPINFO_WINDOW, 0, b.hwnd(), 0, {}};
    SendMessageA(form.hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(calls, (std::vector<HelpCall>{{HELP_CONTEXTPOPUP, 5037}}));

    calls.clear();
    Form plain;
    MainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    file.HelpContext = 7;
    MenuItem& open = file.Add("&Open");
    MenuItem& save = file.Add("&Save");
    save.HelpContext = 9;
    menu.attach(plain);
    plain.show();
    SetActiveWindow(plain.hwnd());
    HMENU sub = GetSubMenu(GetMenu(plain.hwnd()), 0);
    for (MenuItem* item : {&open, &save}) {
        HELPINFO mi{sizeof mi, HELPINFO_MENUITEM, static_cast<int>(item->Command()), sub, 0, {}};
        SendMessageA(plain.hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&mi));
    }
    EXPECT_EQ(calls, (std::vector<HelpCall>{{HELP_CONTEXT, 7}, {HELP_CONTEXT, 9}}));
}

}  // namespace
