#include <gtest/gtest.h>

#include <cstring>

#include "controls/gradient/GradientFormWin32.h"
#include "ui/Canvas.h"

namespace {

using namespace kv::ui;

struct ShownGradientForm : TGradientForm {
    ShownGradientForm() {
        setBounds(50, 50, 400, 200);
        SetGradientStartColor(RGB(0, 0, 0));
        SetGradientStopColor(RGB(0, 0, 255));
        createHandle();
        show();
    }
};

// The caption as painted into a bitmap the size of the window.
struct CaptionShot {
    BitmapCanvas shot{400, 200};
    DockRect bar;
    CaptionShot(TGradientForm& form, bool active) {
        const RECT all{0, 0, 400, 200};
        FillRect(shot.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        form.PaintCaption(shot.dc(), active);
        bar = form.captionLayout().caption;
    }
    COLORREF first() const { return shot.pixel(bar.left, bar.top + 1); }
    COLORREF last() const { return shot.pixel(bar.right - 1, bar.top + 1); }
};

TEST(GradientForm, WindowTextComesFromTheCaptionField) {
    ShownGradientForm form;
    EXPECT_TRUE(SetWindowTextA(form.hwnd(), "abc"));
    EXPECT_EQ(form.Caption(), "abc");
    char buf[16] = "xxxxxxxx";
    EXPECT_EQ(GetWindowTextA(form.hwnd(), buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(GetWindowTextA(form.hwnd(), buf, 3), 2);
    EXPECT_STREQ(buf, "ab");
    std::strcpy(buf, "zz");
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buf)), 0);
    EXPECT_STREQ(buf, "zz");  // a zero-size buffer is left alone
    EXPECT_EQ(GetWindowTextLengthA(form.hwnd()), 3);
    // The system's own copy follows, for the taskbar and other programs.
    char system[16] = {};
    InternalGetWindowText(form.hwnd(), reinterpret_cast<LPWSTR>(system), 8);
    EXPECT_EQ(reinterpret_cast<wchar_t*>(system)[0], L'a');
    form.SetCaption("Korvalder");
    EXPECT_EQ(form.caption(), "Korvalder");

    // A caption given before the window exists is the window's text.
    TGradientForm early;
    early.setCaption("Early");
    early.createHandle();
    EXPECT_EQ(early.Caption(), "Early");
    EXPECT_EQ(early.caption(), "Early");
}

TEST(GradientForm, GradientActiveInactiveAndSolid) {
    ShownGradientForm form;
    form.SetCaption("");
    {
        CaptionShot active(form, true);
        EXPECT_EQ(active.first(), RGB(0, 0, 0));
        EXPECT_EQ(active.last(), RGB(0, 0, 255));
        CaptionShot inactive(form, false);
        EXPECT_EQ(inactive.first(), RGB(0, 0, 0));
        EXPECT_EQ(inactive.last(), GetSysColor(COLOR_INACTIVECAPTION));
    }
    form.SetPaintGradient(TGFPaintWhen::gfpActive);
    {
        CaptionShot inactive(form, false);
        EXPECT_EQ(inactive.first(), GetSysColor(COLOR_INACTIVECAPTION));
        EXPECT_EQ(inactive.shot.pixel(inactive.bar.left + 100, inactive.bar.top + 1), GetSysColor(COLOR_INACTIVECAPTION));
    }
    const int colours = form.GradientColors();
    for (int bad : {7, 257}) {
        form.SetGradientColors(bad);
        EXPECT_EQ(form.GradientColors(), colours);
    }
    form.SetGradientColors(8);
    EXPECT_EQ(form.colorTable(true).size(), 8u);
}

TEST(GradientForm, LongTextStopsBeforeTheButtonsAndHandlerReplacesIt) {
    ShownGradientForm form;
    form.SetPaintGradient(TGFPaintWhen::gfpNever);
    form.SetCaptionTextColor(RGB(255, 255, 0));
    form.SetCaption(std::string(200, 'W'));
    const CaptionLayout l = form.captionLayout();
    CaptionShot shot(form, true);
    int yellowLeft = 0, yellowRight = 0;
    for (int y = l.caption.top; y <= l.caption.bottom; ++y)
        for (int x = l.caption.left; x < l.caption.right; ++x)
            if (shot.shot.pixel(x, y) == RGB(255, 255, 0)) (x < l.textBox.right ? yellowLeft : yellowRight)++;
    EXPECT_GT(yellowLeft, 0);
    EXPECT_EQ(yellowRight, 0);

    // A handler that draws the title itself empties the box: no second text.
    int calls = 0;
    bool sawActive = true;
    form.OnCaptionPaint = [&](TGradientForm&, Canvas&, RECT& r, bool active) {
        ++calls;
        sawActive = active;
        SetRectEmpty(&r);
    };
    CaptionShot replaced(form, true);
    EXPECT_GT(replaced.shot.pixelsUnlike(RGB(255, 255, 255)), 0);
    int yellow = 0;
    for (int x = l.textBox.left; x < l.textBox.right; ++x)
        if (replaced.shot.pixel(x, (l.caption.top + l.caption.bottom) / 2) == RGB(255, 255, 0)) ++yellow;
    EXPECT_EQ(yellow, 0);
    calls = 0;
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_NCACTIVATE, FALSE, 0), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(sawActive);
    // The caption font is made again from the system's metrics (read with a
    // structure size every Windows accepts, so it is there at all).
    const HFONT before = form.captionFont();
    ASSERT_NE(before, nullptr);
    SendMessageA(form.hwnd(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_NE(form.captionFont(), nullptr);
    EXPECT_NE(form.captionFont(), before);
}

}  // namespace
