#include "UiFixture.h"
#include <commctrl.h>

#include "ui/Bevel.h"
#include "ui/Form.h"
#include "ui/TabStrip.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using BevelTabStripTest = UiTest;

// Paints the control into a memory bitmap filled with white and reads it back.
class Rendered {
public:
    explicit Rendered(const Control& c) : w_(c.width()), h_(c.height()) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, w_, h_);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, w_, h_};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SendMessageA(c.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    }
    ~Rendered() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x < 0 ? w_ + x : x, y < 0 ? h_ + y : y); }

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST_F(BevelTabStripTest, BevelShapesDrawShadowAndHighlightOnTheirEdges) {
    Form form;
    form.createHandle();
    Bevel bevel;
    bevel.setBounds(10, 10, 40, 20);
    bevel.create(&form);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF white = RGB(255, 255, 255);
    struct Case {
        BevelShape shape;
        BevelStyle style;
        POINT p1;
        COLORREF c1;
        POINT p2;
        COLORREF c2;
    } cases[] = {
        {BevelShape::TopLine, BevelStyle::Lowered, {20, 0}, shadow, {20, 1}, light},
        {BevelShape::TopLine, BevelStyle::Raised, {20, 0}, light, {20, 1}, shadow},
        {BevelShape::BottomLine, BevelStyle::Lowered, {20, -2}, shadow, {20, -1}, light},
        {BevelShape::LeftLine, BevelStyle::Lowered, {0, 10}, shadow, {1, 10}, light},
        {BevelShape::RightLine, BevelStyle::Lowered, {-2, 10}, shadow, {-1, 10}, light},
        {BevelShape::Box, BevelStyle::Lowered, {0, 0}, shadow, {-1, -1}, light},
        {BevelShape::Box, BevelStyle::Raised, {0, 0}, light, {-1, -1}, shadow},
        {BevelShape::Frame, BevelStyle::Lowered, {20, 0}, shadow, {20, -1}, light},
        {BevelShape::Spacer, BevelStyle::Lowered, {0, 0}, white, {20, 10}, white},
    };
    for (const auto& c : cases) {
        bevel.setShape(c.shape);
        bevel.setStyle(c.style);
        Rendered r(bevel);
        SCOPED_TRACE(static_cast<int>(c.shape) * 10 + static_cast<int>(c.style));
        EXPECT_EQ(r.at(c.p1.x, c.p1.y), c.c1);
        EXPECT_EQ(r.at(c.p2.x, c.p2.y), c.c2);
        if (c.shape == BevelShape::TopLine) {
            EXPECT_EQ(r.at(20, 10), white);  // a line draws nothing else
        }
    }
    // Clicks fall through to the form.
    EXPECT_EQ(SendMessageA(bevel.hwnd(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(BevelTabStripTest, TabStripReportsChoicesAndCanRefuseThem) {
    Form form;
    form.setBounds(0, 0, 400, 300);
    form.show();
    TabStrip strip;
    strip.setBounds(10, 10, 300, 100);
    strip.addTab("  New (3)  ");
    strip.setTabs({"One", "Two", "Three"});
    strip.create(&form);
    EXPECT_EQ(strip.tabIndex(), 0);
    EXPECT_EQ(SendMessageA(strip.hwnd(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(FindWindowExA(strip.hwnd(), nullptr, nullptr, nullptr), nullptr);  // no pages

    int changes = 0;
    bool allow = true;
    strip.onChanging = [&](TabStrip&, bool& a) { a = allow; };
    strip.onChange = [&](TabStrip& sender) {
        EXPECT_EQ(&sender, &strip);
        ++changes;
    };
    auto clickTab = [&](int tab) {
        RECT r{};
        SendMessageA(strip.hwnd(), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
        kv::uitest::sendClick(strip.hwnd(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    clickTab(2);
    EXPECT_EQ(strip.tabIndex(), 2);
    EXPECT_EQ(changes, 1);
    allow = false;
    clickTab(1);
    EXPECT_EQ(strip.tabIndex(), 2);
    EXPECT_EQ(changes, 1);

    strip.setTabIndex(1);  // the program's own choice raises no event
    EXPECT_EQ(changes, 1);
    strip.setMultiLine(true);
    EXPECT_NE(GetWindowLongA(strip.hwnd(), GWL_STYLE) & TCS_MULTILINE, 0);
    EXPECT_EQ(strip.tabIndex(), 1);
    EXPECT_EQ(strip.tabs().size(), 3u);
    RECT inside = strip.displayRect();
    EXPECT_GT(inside.top, 0);
    EXPECT_LT(inside.bottom, 100);
}

}  // namespace
