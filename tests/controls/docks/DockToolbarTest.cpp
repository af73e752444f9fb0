#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockToolbarButtonWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "controls/docks/FloatingFrame.h"
#include "controls/docks/FloatingToolbarWin32.h"
#include "controls/docks/ToolbarPositionsWin32.h"
#include "system/settings/MemorySectionStore.h"
#include "system/settings/RegistrySectionStoreWin32.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/HintManager.h"
#include "ui/Form.h"
#include "ui/SpeedButton.h"
#include "ui/UiErrors.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

// A form with the four docks and one toolbar of three buttons and a separator,
// docked at the top, as the program's windows have.
struct DockedForm {
    Form form;
    TDockSite* top;
    TDockSite* bottom;
    TDockSite* left;
    TDockSite* right;
    TDockToolbar* bar;
    std::vector<std::unique_ptr<SpeedButton>> buttons;

    DockedForm() {
        form.setBounds(100, 100, 600, 400);
        form.createHandle();
        auto dock = [&](const char* name, TDockPosition p) {
            auto& d = form.adopt(std::make_unique<TDockSite>(form, p));
            d.Name = name;
            d.create(&form);
            return &d;
        };
        top = dock("DocksTop", TDockPosition::dpTop);
        bottom = dock("DocksBottom", TDockPosition::dpBottom);
        left = dock("DocksLeft", TDockPosition::dpLeft);
        right = dock("DocksRight", TDockPosition::dpRight);
        bar = &form.adopt(std::make_unique<TDockToolbar>(form));
        bar->Name = "Toolbar";
        bar->Caption = "Toolbar";
        bar->SetDefaultDock(top);
        bar->create(top);
        for (int i = 0; i < 3; ++i) {
            auto b = std::make_unique<SpeedButton>();
            b->setBounds(0, 0, 23, 22);
            b->create(bar);
            buttons.push_back(std::move(b));
            if (i == 0) form.adopt(std::make_unique<TDockToolbarSep>(*bar));
        }
        bar->SetDockedTo(top);
        form.show();
    }
    ~DockedForm() { buttons.clear(); }
};

RECT windowRect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
}

// Posts a drag's moves and release to the toolbar, then runs the drag.
void dragTo(TDockToolbar& bar, POINT grab, POINT screen, bool ctrl = false) {
    POINT client = screen;
    ScreenToClient(bar.hwnd(), &client);
    if (ctrl) PostMessageA(bar.hwnd(), WM_KEYDOWN, VK_CONTROL, 0);
    PostMessageA(bar.hwnd(), WM_RBUTTONDOWN, 0, 0);  // swallowed
    PostMessageA(bar.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    PostMessageA(bar.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    bar.beginDrag(grab, false);
}

TEST(DockToolbar, DockedBarSizesItsDockAndLeavesItWhenHidden) {
    DockedForm f;
    EXPECT_EQ(GetParent(f.bar->hwnd()), f.top->hwnd());
    EXPECT_EQ(f.top->height(), 26);  // 22 + the docked border
    EXPECT_EQ(f.bar->width(), 11 + 3 * 23 + 6 + 2);
    EXPECT_EQ(f.bottom->height(), 0);

    std::vector<std::pair<bool, TDockToolbar*>> events;
    f.top->OnInsertRemoveBar = [&](TDockSite&, bool inserting, TDockToolbar& b) { events.push_back({inserting, &b}); };
    f.bar->setVisible(false);
    EXPECT_EQ(f.top->height(), 0);
    f.bar->setVisible(true);
    EXPECT_EQ(f.top->height(), 26);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_FALSE(events[0].first);
    EXPECT_TRUE(events[1].first);

    EXPECT_THROW(f.top->SetPosition(TDockPosition::dpLeft), EInvalidOperation);
    EXPECT_THROW(f.top->SetVisible(false), EInvalidOperation);
    SpeedButton stranger;
    EXPECT_THROW(f.bar->SetControlOrderIndex(stranger, 0), EInvalidOperation);
    f.bar->SetControlOrderIndex(*f.buttons[2], -5);  // clamped to the front
    EXPECT_EQ(f.buttons[2]->left(), 11);
}

// A 4 x 4 picture whose every pixel tells its place; the bottom-left one is
// magenta, the see-through colour.
COLORREF tileColour(int x, int y) { return x == 0 && y == 3 ? RGB(255, 0, 255) : RGB(x * 60, y * 60, 100); }

TEST(DockToolbar, BackgroundTilesFromTheFormOriginUnderBarsAndButtons) {
    DockedForm f;
    TDockToolbarButton see, solid;
    see.opaque = false;
    for (TDockToolbarButton* b : {&see, &solid}) {
        b->setBounds(0, 0, 23, 22);
        b->create(f.bar);
    }
    f.bar->layoutControls();
    BitmapCanvas tile(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) tile.canvas().setPixel(x, y, tileColour(x, y));
    f.top->SetBackground(tile.bitmap());
    f.bottom->SetBackground(tile.bitmap());
    f.bottom->SetFixAlign(true);  // an empty dock one pixel high, along the form's bottom

    const RECT client = f.form.clientRect();
    BitmapCanvas shot(client.right, client.bottom);
    auto render = [&] { renderWindow(f.form.hwnd(), shot); };
    // The picture's pixel that belongs at form point (x, y).
    auto expected = [](int x, int y) { return tileColour(x % 4, y % 4); };
    render();
    const int barRight = f.bar->width();
    for (POINT p : {POINT{barRight + 5, 3}, POINT{barRight + 30, 17}, POINT{client.right - 1, 25}})
        EXPECT_EQ(shot.pixel(p.x, p.y), expected(p.x, p.y)) << "dock " << p.x << "," << p.y;
    const int bottomY = client.bottom - 1;
    EXPECT_EQ(shot.pixel(7, bottomY), expected(7, bottomY));
    // Inside the toolbar's edge, beside a separator's lines, and through a
    // button that does not fill itself.
    RECT sepAt{};
    for (Control* c : f.bar->children())
        if (dynamic_cast<TDockToolbarSep*>(c)) sepAt = c->bounds();
    const RECT seeAt = see.bounds();
    for (POINT p : {POINT{20, 1}, POINT{sepAt.left, 5}, POINT{seeAt.left + 11, 11}})
        EXPECT_EQ(shot.pixel(p.x, p.y), expected(p.x, p.y)) << "bar " << p.x << "," << p.y;
    EXPECT_EQ(shot.pixel(solid.bounds().left + 11, 11), GetSysColor(COLOR_BTNFACE));

    // See-through: the magenta pixels take the dock's colour, and a new colour.
    f.top->SetBackgroundTransparent(true);
    render();
    const int x0 = (barRight / 4 + 2) * 4;
    EXPECT_EQ(shot.pixel(x0, 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(shot.pixel(x0 + 1, 3), expected(x0 + 1, 3));
    f.top->setColor(RGB(10, 20, 30));
    render();
    EXPECT_EQ(shot.pixel(x0, 3), RGB(10, 20, 30));
    const int inSee = (seeAt.left + 7) / 4 * 4;
    EXPECT_EQ(shot.pixel(inSee, 3), RGB(10, 20, 30));  // under the button too
    EXPECT_EQ(shot.pixel(bottomY % 4 == 3 ? 4 : 5, bottomY), expected(bottomY % 4 == 3 ? 4 : 5, bottomY));

    f.top->SetBackground(nullptr);
    render();
    EXPECT_EQ(shot.pixel(barRight + 5, 3), RGB(10, 20, 30));
}

TEST(DockToolbar, FloatingWindowFrameAndActivation) {
    DockedForm f;
    std::vector<std::string> order;
    f.bar->OnDockChanging = [&](TDockToolbar&) { order.push_back("changing"); };
    f.bar->OnDockChanged = [&](TDockToolbar&) { order.push_back("changed"); };
    f.bar->SetDockedTo(nullptr);
    EXPECT_EQ(order, (std::vector<std::string>{"changing", "changed"}));
    EXPECT_EQ(f.top->height(), 0);
    EXPECT_EQ(f.bar->LastDock(), f.top);
    HWND fw = f.bar->floatingWindow();
    ASSERT_TRUE(fw);
    EXPECT_EQ(GetParent(f.bar->hwnd()), fw);
    EXPECT_TRUE(GetWindowLongA(fw, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT client;
    GetClientRect(fw, &client);
    EXPECT_EQ(client.right, 4 + 3 * 23 + 6 + 4);
    EXPECT_EQ(client.bottom, 2 + 22 + 1);

    const RECT w = windowRect(fw);
    auto hit = [&](int x, int y) { return SendMessageA(fw, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    const int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(hit(w.left + 1, w.top + 30), HTLEFT);
    EXPECT_EQ(hit(w.right - 1, w.top + 30), HTRIGHT);
    EXPECT_EQ(hit(w.left + 1, w.top + 1), HTLEFT);  // no corner codes
    EXPECT_EQ(hit(w.left + 20, w.top + frame + 3), HTCLIENT);
    EXPECT_EQ(hit(w.right - frame - 5, w.top + frame + 5), HTCLOSE);
    f.bar->SetCloseButton(false);
    EXPECT_EQ(hit(w.right - frame - 5, w.top + frame + 5), HTCLIENT);
    EXPECT_EQ(SendMessageA(fw, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(f.form.hwnd()), 0), MA_NOACTIVATE);

    EXPECT_TRUE(IsWindowVisible(fw));
    SendMessageA(f.form.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(fw));
    EXPECT_TRUE(f.bar->visible());
    EXPECT_EQ(windowRect(fw).left, w.left);  // hidden, not moved away
    SendMessageA(f.form.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(IsWindowVisible(fw));
    ShowWindow(f.form.hwnd(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(fw));
    ShowWindow(f.form.hwnd(), SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(fw));
    // Its form losing the activation to another window of the program hides
    // it only when the toolbar asks for that; to its own floating window, never.
    SendMessageA(f.form.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_TRUE(IsWindowVisible(fw));
    f.bar->HideFloatingWhenFormInactive = true;
    SendMessageA(f.form.hwnd(), WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(fw));
    EXPECT_TRUE(IsWindowVisible(fw));
    SendMessageA(f.form.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(IsWindowVisible(fw));
    EXPECT_TRUE(f.bar->visible());
    SendMessageA(f.form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(IsWindowVisible(fw));
    f.bar->HideFloatingWhenFormInactive = false;

    // A double click on a free spot docks it where it belongs.
    SendMessageA(f.bar->hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(f.bar->width() - 2, 2));
    EXPECT_EQ(f.bar->DockedTo(), f.top);
    EXPECT_FALSE(IsWindowVisible(fw));
}

TEST(DockToolbar, RecreationEventsFireAroundEachNewWindowOrParent) {
    DockedForm f;
    std::vector<std::string> order;
    HWND before = nullptr, after = nullptr;
    f.bar->OnDockChanging = [&](TDockToolbar&) { order.push_back("changing"); };
    f.bar->OnDockChanged = [&](TDockToolbar&) { order.push_back("changed"); };
    f.bar->OnRecreating = [&](TDockToolbar& b) {
        order.push_back("recreating");
        before = GetParent(b.hwnd());
    };
    f.bar->OnRecreated = [&](TDockToolbar& b) {
        order.push_back("recreated");
        after = GetParent(b.hwnd());
    };
    const std::vector<std::string> move{"changing", "recreating", "recreated", "changed"};
    f.bar->SetDockedTo(nullptr);
    EXPECT_EQ(order, move);
    EXPECT_EQ(before, f.top->hwnd());
    EXPECT_EQ(after, f.bar->floatingWindow());
    order.clear();
    f.bar->SetDockedTo(f.left);
    EXPECT_EQ(order, move);
    EXPECT_EQ(after, f.left->hwnd());
    order.clear();
    f.bar->SetDockedTo(f.left);  // no change, no events
    EXPECT_TRUE(order.empty());

    // A window made again (the dock's, and so the toolbar's with it).
    const HWND old = f.bar->hwnd();
    f.left->recreateWnd();
    EXPECT_EQ(order, (std::vector<std::string>{"recreating", "recreated"}));
    EXPECT_NE(f.bar->hwnd(), old);
    EXPECT_EQ(after, f.left->hwnd());
    EXPECT_TRUE(IsWindow(f.bar->hwnd()));
}

TEST(DockToolbar, HintsPauseWhileDraggedAndComeBackAfter) {
    DockedForm f;
    constexpr UINT kProbe = WM_APP + 17;
    std::vector<bool> seen;
    auto listener = f.form.addMessageListener([&](Form&, UINT msg, WPARAM&, LPARAM&, LRESULT&) {
        if (msg == kProbe) seen.push_back(Application::instance().hints().suspended());
        return false;
    });
    PostMessageA(f.form.hwnd(), kProbe, 0, 0);  // dispatched by the drag's loop
    const RECT top = windowRect(f.top->hwnd());
    dragTo(*f.bar, {5, 5}, {top.left + 100, top.top + 2});
    EXPECT_EQ(seen, std::vector<bool>{true});
    EXPECT_FALSE(Application::instance().hints().suspended());
    PostMessageA(f.bar->hwnd(), WM_LBUTTONDOWN, 0, 0);  // a drag that ends without a move
    f.bar->beginDrag({5, 5}, false);
    EXPECT_FALSE(Application::instance().hints().suspended());
}

TEST(DockToolbar, FloatingCaptionFallsBackToItsOwnDrawing) {
    // Without a window the system cannot draw the caption: the fill and the text are ours.
    BitmapCanvas shot(60, 16);
    shot.canvas().setBrushColor(RGB(1, 2, 3));
    shot.canvas().fillRect({0, 0, 60, 16});
    paintFloatingCaption(shot.canvas(), nullptr, {0, 0, 60, 16}, "A long floating toolbar caption");
    const COLORREF fill = GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(shot.pixel(0, 0), fill);
    EXPECT_EQ(shot.pixel(59, 15), fill);
    int text = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 16; ++y) text += shot.pixel(x, y) == GetSysColor(COLOR_CAPTIONTEXT);
    EXPECT_GT(text, 10);
}

TEST(DockToolbar, FrameDragWrapsTheButtonsIntoLines) {
    DockedForm f;
    f.bar->SetDockedTo(nullptr);
    HWND fw = f.bar->floatingWindow();
    const RECT w = windowRect(fw);
    // The right edge pulled 20 pixels in: the widest size that fits breaks
    // after the separator.
    POINT to{w.right - 1 - 20, w.top + 30};
    ScreenToClient(fw, &to);
    PostMessageA(fw, WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y));
    PostMessageA(fw, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    SendMessageA(fw, WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(w.right - 1, w.top + 30));
    EXPECT_EQ(f.bar->FloatRightX, 4 + 2 * 23 + 4);
    EXPECT_EQ(f.bar->width(), 4 + 2 * 23 + 4);
    EXPECT_EQ(f.bar->height(), 2 + 22 + 6 + 22 + 1);
    EXPECT_GT(f.buttons[1]->top(), f.buttons[0]->top());
    EXPECT_EQ(f.buttons[2]->top(), f.buttons[1]->top());
    RECT client;
    GetClientRect(fw, &client);
    EXPECT_EQ(client.right, f.bar->width());
    EXPECT_EQ(client.bottom, f.bar->height());
    EXPECT_EQ(windowRect(fw).left, w.left);  // the left edge stays
}

TEST(DockToolbar, DragsBetweenDocksAndOut) {
    DockedForm f;
    const RECT leftDock = windowRect(f.left->hwnd());
    // Into the empty left dock.
    dragTo(*f.bar, {5, 11}, {leftDock.left - 5, leftDock.top + 60});
    EXPECT_EQ(f.bar->DockedTo(), f.left);
    EXPECT_EQ(f.left->width(), 27);  // 23-wide buttons + the docked border
    EXPECT_EQ(f.top->height(), 0);
    EXPECT_EQ(f.bar->height(), 11 + 3 * 22 + 6 + 2);

    // Ctrl held over a dock floats it where the outline was.
    const RECT top = windowRect(f.top->hwnd());
    dragTo(*f.bar, {11, 5}, {top.left + 200, top.top + 2}, true);
    EXPECT_EQ(f.bar->DockedTo(), nullptr);
    ASSERT_TRUE(f.bar->floatingWindow());

    // Back to the top dock from the floating window, at the cursor's place.
    dragTo(*f.bar, {5, 5}, {top.left + 100, top.top + 2});
    EXPECT_EQ(f.bar->DockedTo(), f.top);
    EXPECT_EQ(f.bar->DockRow(), 0);
    EXPECT_GT(f.bar->DockPos(), 80);

    // Another press ends the drag with nothing applied; a quit goes back in the queue.
    const int pos = f.bar->DockPos();
    PostMessageA(f.bar->hwnd(), WM_LBUTTONDOWN, 0, 0);
    f.bar->beginDrag({5, 5}, false);
    EXPECT_EQ(f.bar->DockPos(), pos);
    PostQuitMessage(7);
    f.bar->beginDrag({5, 5}, false);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(f.bar->DockedTo(), f.top);
}

TEST(DockToolbar, PositionsSurviveARestart) {
    kv::MemorySectionStore store;
    POINT floatedAt{};
    {
        DockedForm f;
        f.bar->SetDockedTo(f.right);
        f.bar->SetDockPos(40);
        SaveToolbarPositions(f.form, store);
    }
    {
        DockedForm f;
        LoadToolbarPositions(f.form, store);
        EXPECT_EQ(f.bar->DockedTo(), f.right);
        EXPECT_EQ(f.bar->DockPos(), 40);
        EXPECT_EQ(f.top->height(), 0);
        f.bar->SetDockedTo(nullptr);
        f.bar->setFloatRect({300, 200, 400, 230});
        floatedAt = {windowRect(f.bar->floatingWindow()).left, windowRect(f.bar->floatingWindow()).top};
        SaveToolbarPositions(f.form, store);
    }
    {
        DockedForm f;
        LoadToolbarPositions(f.form, store);
        ASSERT_EQ(f.bar->DockedTo(), nullptr);
        const RECT w = windowRect(f.bar->floatingWindow());
        EXPECT_EQ(w.left, floatedAt.x);
        EXPECT_EQ(w.top, floatedAt.y);
    }
    // Far off the screen, an unknown dock, and an undraggable dock.
    store.WriteInteger("Toolbar", "FloatLeft", 5000);
    store.WriteInteger("Toolbar", "FloatTop", 5000);
    {
        DockedForm f;
        LoadToolbarPositions(f.form, store);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        const RECT w = windowRect(f.bar->floatingWindow());
        EXPECT_LE(w.right, work.right);
        EXPECT_LE(w.bottom, work.bottom);
        EXPECT_GE(w.left, work.left);
    }
    store.WriteString("Toolbar", "DockedTo", "DocksGone");
    {
        DockedForm f;
        LoadToolbarPositions(f.form, store);
        EXPECT_EQ(f.bar->DockedTo(), f.top);
        f.top->SetAllowDrag(false);
        kv::MemorySectionStore fresh;
        SaveToolbarPositions(f.form, fresh);
        EXPECT_EQ(fresh.ReadSectionValues("Toolbar").size(), 1u);
        f.bar->Name.clear();
        EXPECT_THROW(SaveToolbarPositions(f.form, fresh), EInvalidOperation);
    }
}

TEST(DockToolbar, ReloadingAFloatingToolbarKeepsItsWindowSize) {
    // The program loads the positions again once it is idle, with the toolbar
    // already floating.
    kv::MemorySectionStore store;
    DockedForm f;
    f.bar->SetDockedTo(nullptr);
    f.bar->setFloatRect({300, 200, 400, 230});
    SaveToolbarPositions(f.form, store);
    const RECT before = windowRect(f.bar->floatingWindow());
    LoadToolbarPositions(f.form, store);
    ASSERT_EQ(f.bar->DockedTo(), nullptr);
    EXPECT_EQ(windowRect(f.bar->floatingWindow()).left, before.left);
    EXPECT_EQ(windowRect(f.bar->floatingWindow()).top, before.top);
    RECT client;
    GetClientRect(f.bar->floatingWindow(), &client);
    EXPECT_EQ(client.right, 4 + 3 * 23 + 6 + 4);
    EXPECT_EQ(client.bottom, 2 + 22 + 1);
}

TEST(DockToolbar, PositionsGoToTheRegistryOneSubkeyPerToolbar) {
    const std::string key = "\\Software\\Talvenmoor\\Korvalder? Dock Tests";
    RegDeleteTreeA(HKEY_CURRENT_USER, key.substr(1).c_str());
    {
        DockedForm f;
        f.bar->SetDockedTo(f.bottom);
        SaveToolbarPositions(f.form, key);
    }
    {
        DockedForm f;
        LoadToolbarPositions(f.form, key);
        EXPECT_EQ(f.bar->DockedTo(), f.bottom);
        f.bottom->SetAllowDrag(false);
        RegDeleteTreeA(HKEY_CURRENT_USER, key.substr(1).c_str());
        SaveToolbarPositions(f.form, key);
    }
    // An undraggable dock keeps only the visibility.
    HKEY sub = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key.substr(1) + "\\Toolbar").c_str(), 0, KEY_READ, &sub), ERROR_SUCCESS);
    std::vector<std::string> names;
    char name[64];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(sub, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    RegCloseKey(sub);
    EXPECT_EQ(names, (std::vector<std::string>{"Visible"}));
    RegDeleteTreeA(HKEY_CURRENT_USER, key.substr(1).c_str());
}

// A press on the floating caption lies above the toolbar: a click there moves
// nothing, a drag keeps the window where it was grabbed, and the double click
// (whose first click found the window still there) docks it.
TEST(DockToolbar, FloatingCaptionClickStaysDragFollowsAndDoubleClickDocks) {
    DockedForm f;
    f.bar->SetDockedTo(nullptr);
    HWND fw = f.bar->floatingWindow();
    const RECT w = windowRect(fw);
    const POINT caption{20, -5};  // in the floating window's client area
    POINT onBar = caption;
    MapWindowPoints(fw, f.bar->hwnd(), &onBar, 1);

    PostMessageA(f.bar->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(onBar.x, onBar.y));
    SendMessageA(fw, WM_LBUTTONDOWN, 0, MAKELPARAM(caption.x, caption.y));
    EXPECT_EQ(f.bar->DockedTo(), nullptr);
    EXPECT_EQ(windowRect(fw).left, w.left);
    EXPECT_EQ(windowRect(fw).top, w.top);

    // Dragged 30 right and 200 down, into the middle of the form: the window
    // moves by just that.
    PostMessageA(f.bar->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(onBar.x + 30, onBar.y + 200));
    PostMessageA(f.bar->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(onBar.x + 30, onBar.y + 200));
    SendMessageA(fw, WM_LBUTTONDOWN, 0, MAKELPARAM(caption.x, caption.y));
    ASSERT_EQ(f.bar->DockedTo(), nullptr);
    EXPECT_EQ(windowRect(fw).left, w.left + 30);
    EXPECT_EQ(windowRect(fw).top, w.top + 200);

    SendMessageA(fw, WM_LBUTTONDBLCLK, 0, MAKELPARAM(caption.x, caption.y));
    EXPECT_EQ(f.bar->DockedTo(), f.top);
}

// Docked, a double click on a free spot floats the toolbar, as its hint says.
TEST(DockToolbar, DoubleClickOnADockedFreeSpotFloats) {
    DockedForm f;
    SendMessageA(f.bar->hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(f.bar->width() - 2, 2));
    EXPECT_EQ(f.bar->DockedTo(), nullptr);
    ASSERT_TRUE(f.bar->floatingWindow());
    EXPECT_TRUE(IsWindowVisible(f.bar->floatingWindow()));
    // On a button it is the button's click, nothing more.
    f.bar->SetDockedTo(f.top);
    const RECT b = f.buttons[1]->bounds();
    SendMessageA(f.bar->hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(b.left + 3, b.top + 3));
    EXPECT_EQ(f.bar->DockedTo(), f.top);
}

TEST(DockToolbar, HidingAFloatingToolbarHidesItsFrame) {
    DockedForm f;
    f.bar->SetDockedTo(nullptr);
    HWND fw = f.bar->floatingWindow();
    ASSERT_TRUE(IsWindowVisible(fw));
    f.bar->setVisible(false);
    EXPECT_FALSE(IsWindowVisible(fw));
    f.bar->setVisible(true);
    EXPECT_TRUE(IsWindowVisible(fw));
}

// A click on a toolbar button, docked or floating, brings its form to the
// front when another window of the program is active; the floating window
// never takes the activation itself.
TEST(DockToolbar, ButtonClicksActivateTheFormNotTheToolbar) {
    DockedForm f;
    TDockToolbarButton button;
    button.setBounds(0, 0, 23, 22);
    button.create(f.bar);
    f.bar->layoutControls();
    Form other;
    other.setBounds(300, 300, 200, 100);
    other.show();
    const LPARAM press = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
    for (bool floating : {false, true}) {
        f.bar->SetDockedTo(floating ? nullptr : f.top);
        SetActiveWindow(other.hwnd());
        ASSERT_EQ(GetActiveWindow(), other.hwnd());
        EXPECT_EQ(SendMessageA(button.hwnd(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(f.form.hwnd()), press),
                  MA_NOACTIVATE);
        EXPECT_EQ(GetActiveWindow(), f.form.hwnd()) << floating;
    }
    SetActiveWindow(other.hwnd());
    HWND fw = f.bar->floatingWindow();
    EXPECT_EQ(SendMessageA(fw, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(fw), press), MA_NOACTIVATE);
    EXPECT_EQ(GetActiveWindow(), f.form.hwnd());
    EXPECT_NE(GetActiveWindow(), fw);
}

// A disabled button gets no mouse messages; its toolbar shows its hint.
TEST(DockToolbar, DisabledButtonsShowTheirOwnHint) {
    DockedForm f;
    f.bar->hint = "Doubleclick To Make Floating...";
    f.buttons[1]->hint = "Second";
    f.buttons[1]->setEnabled(false);
    const RECT b = f.buttons[1]->bounds();
    SendMessageA(f.bar->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(b.left + 3, b.top + 3));
    EXPECT_EQ(Application::instance().hint(), "Second");
    SendMessageA(f.bar->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(f.bar->width() - 2, 2));
    EXPECT_EQ(Application::instance().hint(), "Doubleclick To Make Floating...");
    Application::instance().setHint("");
}

// Every drag loop of the toolbar ends when the capture goes elsewhere: nothing
// applied, and what arrives meanwhile is still delivered.
TEST(DockToolbar, ALostCaptureEndsTheDragsAndLosesNoMessage) {
    DockedForm f;
    constexpr UINT kProbe = WM_APP + 18;
    int probes = 0;
    auto listener = f.form.addMessageListener([&](Form&, UINT msg, WPARAM&, LPARAM&, LRESULT&) {
        probes += msg == kProbe;
        return false;
    });
    auto stealCapture = [&] {
        return std::make_unique<kv::uitest::TimerAction>(50, [&] {
            SetCapture(f.form.hwnd());
            PostMessageA(f.form.hwnd(), kProbe, 0, 0);
        });
    };
    const RECT bottom = windowRect(f.bottom->hwnd());
    POINT over{bottom.left + 50, bottom.top};
    ScreenToClient(f.bar->hwnd(), &over);
    PostMessageA(f.bar->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
    auto steal = stealCapture();
    f.bar->beginDrag({5, 5}, false);
    EXPECT_TRUE(steal->ran());
    EXPECT_EQ(f.bar->DockedTo(), f.top);
    ReleaseCapture();

    // The frame drag and the close button of the floating window alike.
    f.bar->SetDockedTo(nullptr);
    HWND fw = f.bar->floatingWindow();
    const RECT w = windowRect(fw);
    steal = stealCapture();
    SendMessageA(fw, WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(w.right - 1, w.top + 30));
    EXPECT_TRUE(steal->ran());
    ReleaseCapture();
    steal = stealCapture();
    SendMessageA(fw, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    EXPECT_TRUE(steal->ran());
    EXPECT_TRUE(f.bar->visible());
    ReleaseCapture();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_EQ(probes, 3);

    // A floating window destroyed while its close button is held ends the loop.
    kv::uitest::TimerAction destroy(50, [&] { DestroyWindow(fw); });
    SendMessageA(fw, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    EXPECT_TRUE(destroy.ran());
    EXPECT_EQ(GetCapture(), nullptr);
}

// The close button closes only when released on it.
TEST(DockToolbar, CloseButtonClosesOnlyWhenReleasedOnIt) {
    DockedForm f;
    int closes = 0;
    f.bar->OnClose = [&](TDockToolbar&) { ++closes; };
    f.bar->SetDockedTo(nullptr);
    HWND fw = f.bar->floatingWindow();
    const DockRect box = FloatCloseButtonRect([&] {
        const RECT r = windowRect(fw);
        return DockRect{r.left, r.top, r.right, r.bottom};
    }(), FloatFrameMetrics{GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYSMCAPTION)});
    auto release = [&](POINT screen) {
        ScreenToClient(fw, &screen);
        PostMessageA(fw, WM_LBUTTONUP, 0, MAKELPARAM(screen.x, screen.y));
        SendMessageA(fw, WM_NCLBUTTONDOWN, HTCLOSE, 0);
    };
    release({box.left - 20, box.top + 2});
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(IsWindowVisible(fw));
    release({box.left + 2, box.top + 2});
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(f.bar->visible());
    EXPECT_FALSE(IsWindowVisible(fw));
}

// Of a pair of controls the toolbar shows the first in a vertical dock and the
// second elsewhere; the other takes no room.
TEST(DockToolbar, PairsShowOneControlByOrientation) {
    DockedForm f;
    SpeedButton tall, wide;
    tall.setBounds(0, 0, 23, 40);
    wide.setBounds(0, 0, 40, 22);
    tall.create(f.bar);
    wide.create(f.bar);
    const int before = f.bar->width();
    f.bar->SetOrientationPair(tall, wide);
    auto shown = [](Control& c) { return (GetWindowLongA(c.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_FALSE(shown(tall));
    EXPECT_TRUE(shown(wide));
    EXPECT_EQ(f.bar->height(), 26);
    EXPECT_GT(f.bar->width(), before);
    f.bar->SetDockedTo(f.left);
    EXPECT_TRUE(shown(tall));
    EXPECT_FALSE(shown(wide));
    EXPECT_TRUE(tall.visible() && wide.visible());  // their own state is untouched
    f.bar->SetDockedTo(nullptr);
    EXPECT_FALSE(shown(tall));
    EXPECT_TRUE(shown(wide));
    SpeedButton stranger;
    EXPECT_THROW(f.bar->SetOrientationPair(stranger, wide), EInvalidOperation);
}

// A colour change reaches the buttons of a docked toolbar through the form,
// and of a floating one through its own window (a top-level window too).
TEST(DockToolbar, SystemColourChangesReachTheButtonsDockedAndFloating) {
    struct Spy : SpeedButton {
        int changes = 0;
        LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_SYSCOLORCHANGE) ++changes;
            return SpeedButton::wndProc(msg, wp, lp);
        }
    };
    DockedForm f;
    Spy spy;
    spy.setBounds(0, 0, 23, 22);
    spy.create(f.bar);
    f.bar->layoutControls();
    SendMessageA(f.form.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(spy.changes, 1);
    f.bar->SetDockedTo(nullptr);
    SendMessageA(f.bar->floatingWindow(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(spy.changes, 2);
}

// The floating window's text follows the toolbar's caption, set when the
// caption changed and not again at every frame paint.
WNDPROC gFloatProc = nullptr;
int gSetTexts = 0;
LRESULT CALLBACK countSetText(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT) ++gSetTexts;
    return CallWindowProcA(gFloatProc, h, msg, wp, lp);
}

TEST(DockToolbar, FloatingCaptionTextIsSetOnlyWhenItChanges) {
    DockedForm f;
    f.bar->SetDockedTo(nullptr);
    HWND fw = f.bar->floatingWindow();
    gSetTexts = 0;
    gFloatProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(fw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countSetText)));
    auto paintFrame = [&] { SendMessageA(fw, WM_NCPAINT, 1, 0); };
    paintFrame();
    paintFrame();
    EXPECT_EQ(gSetTexts, 0);
    f.bar->Caption = "Tools";
    paintFrame();
    paintFrame();
    EXPECT_EQ(gSetTexts, 1);
    char text[32] = {};
    GetWindowTextA(fw, text, sizeof text);
    EXPECT_STREQ(text, "Tools");
    SetWindowLongPtrA(fw, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gFloatProc));
}

}  // namespace
