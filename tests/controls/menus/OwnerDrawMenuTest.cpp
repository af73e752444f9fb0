#include "controls/menus/OwnerDrawMenuWin32.h"

#include <gtest/gtest.h>

#include "controls/menus/MenuText.h"
#include "tests/support/TestInput.h"
#include "ui/Form.h"

namespace kv::ui {
namespace {

// A 24-bit DIB section to draw into and read back.
class Dib {
public:
    Dib(int w, int h) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        width_ = w;
        height_ = h;
    }
    ~Dib() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    bool contains(COLORREF colour) const {
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (GetPixel(dc_, x, y) == colour) return true;
        return false;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    int width_, height_;
};

TEST(OwnerDrawMenu, ItemsAreMeasuredFromTheirCaptionAndShortcut) {
    TODMainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    MenuItem& open = file.Add("&Open");
    MenuItem& save = file.Add("&Save");
    save.SetShortCut(ShortCut('S', kCtrl));
    const int caption = MenuTextWidth(menu.fonts().font(false), "Open");
    UINT w = 0, h = 0;
    DefaultMeasureItem(menu.fonts(), open, w, h);
    EXPECT_EQ(static_cast<int>(w), caption + 20);
    EXPECT_EQ(static_cast<int>(h), GetSystemMetrics(SM_CYMENUSIZE));
    DefaultMeasureItem(menu.fonts(), save, w, h);
    EXPECT_EQ(static_cast<int>(w), MenuTextWidth(menu.fonts().font(false), "Save") +
                                       MenuTextWidth(menu.fonts().font(false), "Ctrl+S") + 25);
    UINT bold = 0;
    open.SetDefault(true);
    DefaultMeasureItem(menu.fonts(), open, bold, h);
    EXPECT_GT(bold, static_cast<UINT>(caption + 20));
}

TEST(OwnerDrawMenu, FormMessagesReachOnlyRegisteredItems) {
    Form form;
    TODMainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    MenuItem& open = file.Add("&Open");
    menu.attach(form);
    HMENU sub = GetSubMenu(GetMenu(form.hwnd()), 0);
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(sub, 0, TRUE, &mi));
    EXPECT_TRUE(mi.fType & MFT_OWNERDRAW);

    MEASUREITEMSTRUCT m{ODT_MENU, 0, open.Command(), 0, 0, mi.dwItemData};
    EXPECT_TRUE(SendMessageA(form.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)));
    EXPECT_EQ(static_cast<int>(m.itemWidth), MenuTextWidth(menu.fonts().font(false), "Open") + 20);

    MEASUREITEMSTRUCT stranger{ODT_MENU, 0, open.Command(), 7, 7, 12345};
    SendMessageA(form.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&stranger));
    EXPECT_EQ(stranger.itemWidth, 7u);
}

TEST(OwnerDrawMenu, DrawingUsesTheMenuSchemeColours) {
    TODPopupMenu menu;
    MenuItem& item = menu.Items().Add("&Properties");
    item.SetShortCut(ShortCut('P', kCtrl));
    const RECT rect{0, 0, 200, 20};
    {
        Dib dib(200, 20);
        DefaultDrawItem(menu.fonts(), item, dib.dc(), rect, ODS_SELECTED);
        EXPECT_EQ(GetPixel(dib.dc(), 2, 2), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(GetPixel(dib.dc(), 199, 19), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_TRUE(dib.contains(GetSysColor(COLOR_HIGHLIGHTTEXT)));
    }
    {
        Dib dib(200, 20);
        DefaultDrawItem(menu.fonts(), item, dib.dc(), rect, 0);
        EXPECT_EQ(GetPixel(dib.dc(), 2, 2), GetSysColor(COLOR_MENU));
        EXPECT_TRUE(dib.contains(GetSysColor(COLOR_MENUTEXT)));
        // Nothing is drawn left of the 15-pixel text column.
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(GetPixel(dib.dc(), x, y), GetSysColor(COLOR_MENU)) << x << "," << y;
    }
    {
        Dib dib(200, 20);
        item.SetEnabled(false);
        DefaultDrawItem(menu.fonts(), item, dib.dc(), rect, ODS_GRAYED);
        EXPECT_FALSE(dib.contains(GetSysColor(COLOR_MENUTEXT)));
    }
}

TEST(OwnerDrawMenu, MnemonicsPassOverDisabledItemsAndLiteralAmpersands) {
    Form form;
    TODPopupMenu menu;
    menu.Items().Add("&New");
    menu.Items().Add("&Options").SetEnabled(false);
    menu.Items().Add("Tom && Jerry");
    menu.Items().Add("&Other");
    HMENU handle = menu.handle();
    LRESULT result = 0;
    auto ask = [&](char c) {
        EXPECT_TRUE(menu.handleMenuMessage(WM_MENUCHAR, MAKEWPARAM(c, MF_POPUP), reinterpret_cast<LPARAM>(handle), result));
        return result;
    };
    EXPECT_EQ(ask('n'), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(ask('o'), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(HIWORD(ask('j')), MNC_IGNORE);
}

TEST(OwnerDrawMenu, SeparatorsAreThinLinesWithoutText) {
    TODPopupMenu menu;
    MenuItem& separator = menu.Items().Add("-");
    UINT w = 1, h = 0;
    DefaultMeasureItem(menu.fonts(), separator, w, h);
    EXPECT_EQ(w, 0u);
    EXPECT_LT(static_cast<int>(h), GetSystemMetrics(SM_CYMENUSIZE));
    Dib dib(100, 10);
    DefaultDrawItem(menu.fonts(), separator, dib.dc(), {0, 0, 100, 10}, ODS_SELECTED);
    EXPECT_FALSE(dib.contains(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_FALSE(dib.contains(GetSysColor(COLOR_MENUTEXT)));
}

TEST(OwnerDrawMenu, PopupShowsOwnerDrawnItemsAfterOnPopup) {
    Form form;
    form.show();
    TODPopupMenu menu;
    bool popped = false;
    menu.OnPopup = [&](PopupMenu&) { popped = true; };
    menu.Items().Add("&Go");
    bool ownerDrawn = false, poppedFirst = false;
    kv::uitest::TimerAction check(200, [&] {
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        ownerDrawn = GetMenuItemInfoA(menu.handle(), 0, TRUE, &mi) && (mi.fType & MFT_OWNERDRAW);
        poppedFirst = popped;
        EndMenu();
    });
    menu.Popup(form.hwnd(), 10, 10);
    EXPECT_TRUE(check.ran());
    EXPECT_TRUE(ownerDrawn);
    EXPECT_TRUE(poppedFirst);
}

}  // namespace
}  // namespace kv::ui
