#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/small/ColorComboWin32.h"
#include "controls/small/SmallControlRules.h"
#include "controls/small/ExPageControlWin32.h"
#include "controls/small/LabelsWin32.h"
#include "controls/small/MinMaxWin32.h"
#include "controls/small/SplitterExWin32.h"
#include "controls/small/TreeAndTrackWin32.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Panel.h"

namespace {

using namespace kv::ui;

TEST(ColorCombo, NamesSelectionAndSwatch) {
    Form form;
    form.createHandle();
    TColorCombo combo;
    combo.create(&form);
    ASSERT_EQ(SendMessageA(combo.hwnd(), CB_GETCOUNT, 0, 0), 16);
    char name[32] = {};
    SendMessageA(combo.hwnd(), CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "Navy");
    EXPECT_EQ(combo.GetSelectedColor(), 0u);
    combo.SetSelectedColor(RGB(0, 128, 128));
    EXPECT_EQ(combo.itemIndex(), 6);  // Teal
    EXPECT_EQ(combo.GetSelectedColor(), RGB(0, 128, 128));
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    combo.SetSelectedColor(0x80000000u | COLOR_WINDOW);  // a system colour is matched by its RGB value
    EXPECT_EQ(combo.itemIndex(), 15);  // White
    combo.SetSelectedColor(RGB(1, 2, 3));
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(combo.GetSelectedColor(), 0u);

    BitmapCanvas shot(120, 16);
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_COMBOBOX;
    d.itemID = 9;  // Red
    d.hDC = shot.dc();
    d.rcItem = {0, 0, 120, 16};
    combo.drawItem(d);
    EXPECT_EQ(shot.pixel(10, 8), RGB(255, 0, 0));
    EXPECT_EQ(shot.pixel(2, 8), RGB(0, 0, 0));  // the frame
    EXPECT_EQ(shot.pixel(17, 8), RGB(0, 0, 0));
}

TEST(MinMax, AnswersTheSizeQueryAndLocksTheBorder) {
    Form form;
    form.setBounds(10, 10, 300, 200);
    form.createHandle();
    form.show();
    auto guard = std::make_unique<TMinMax>(form);
    guard->MinTrackSize = {150, 100};
    guard->MaxTrackSize = {800, 600};
    guard->MaxSize = {640, 480};
    guard->MaxPosition = {5, 6};
    MINMAXINFO info{};
    SendMessageA(form.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 150);
    EXPECT_EQ(info.ptMaxTrackSize.y, 600);
    EXPECT_EQ(info.ptMaxSize.x, 640);
    EXPECT_EQ(info.ptMaxPosition.y, 6);

    RECT w;
    GetWindowRect(form.hwnd(), &w);
    const LPARAM rightEdge = MAKELPARAM(w.right - 1, (w.top + w.bottom) / 2);
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_NCHITTEST, 0, rightEdge), HTRIGHT);
    guard->SetOptions(opAllMinMax & ~opAllowResize);
    SendMessageA(form.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMaxTrackSize.y, 200);
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_NCHITTEST, 0, rightEdge), HTNOWHERE);
    EXPECT_TRUE(GetMenuState(GetSystemMenu(form.hwnd(), FALSE), SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
    guard.reset();
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_NCHITTEST, 0, rightEdge), HTRIGHT);
}

// A guard made before its form's window greys the Size item of every window
// the form gets, and again when the system menu opens; the Size command does
// nothing while resizing is not allowed.
TEST(MinMax, TheSizeItemStaysGreyedWithoutResizing) {
    Form form;
    form.setBounds(10, 10, 300, 200);
    TMinMax guard(form);
    guard.SetOptions(opAllMinMax & ~opAllowResize);
    int sizeCommands = 0;
    auto spy = form.addMessageListener([&](Form&, UINT msg, WPARAM& wp, LPARAM&, LRESULT& result) {
        if (msg != WM_SYSCOMMAND || (wp & 0xFFF0) != SC_SIZE) return false;
        ++sizeCommands;
        result = 0;
        return true;  // never the system's sizing loop in a test
    });
    auto sizeGreyed = [&] {
        return (GetMenuState(GetSystemMenu(form.hwnd(), FALSE), SC_SIZE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    form.createHandle();
    EXPECT_TRUE(sizeGreyed());
    form.recreateWnd();
    EXPECT_TRUE(sizeGreyed());
    HMENU menu = GetSystemMenu(form.hwnd(), FALSE);
    EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_ENABLED);
    SendMessageA(form.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(sizeGreyed());
    SendMessageA(form.hwnd(), WM_SYSCOMMAND, SC_SIZE, 0);
    EXPECT_EQ(sizeCommands, 0);
    guard.SetOptions(opAllMinMax);
    EXPECT_FALSE(sizeGreyed());
    SendMessageA(form.hwnd(), WM_SYSCOMMAND, SC_SIZE, 0);
    EXPECT_EQ(sizeCommands, 1);
}

struct SplitForm {
    Form form;
    Panel left, rest;
    TSplitterEx splitter;
    int moved = 0;
    SplitForm() {
        form.setBounds(0, 0, 400, 200);
        form.createHandle();
        left.setBounds(0, 0, 100, 100);
        left.setAlign(Align::Left);
        left.create(&form);
        splitter.setBounds(100, 0, 3, 100);
        splitter.create(&form);
        rest.setAlign(Align::Client);
        rest.create(&form);
        splitter.OnMoved = [this](Splitter&) { ++moved; };
        form.show();
    }
    void drag(int dx, bool escape = false) {
        const POINT from{1, 10};
        POINT to{from.x + dx, from.y};
        if (escape) PostMessageA(splitter.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(splitter.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y));
        PostMessageA(splitter.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        splitter.runDrag(from);
    }
};

TEST(SplitterEx, ResizesBothSidesWithinMinSize) {
    SplitForm f;
    const int span = f.left.width() + f.rest.width();
    f.drag(50);
    EXPECT_EQ(f.left.width(), 150);
    EXPECT_EQ(f.left.width() + f.rest.width(), span);
    EXPECT_EQ(f.splitter.left(), 150);
    EXPECT_EQ(f.moved, 1);
    f.drag(-500);
    EXPECT_EQ(f.left.width(), 30);
    f.drag(1000);
    EXPECT_EQ(f.rest.width(), 30);
    EXPECT_EQ(f.moved, 3);
    const int before = f.left.width();
    f.drag(-40, true);  // Esc first: nothing changes
    EXPECT_EQ(f.left.width(), before);
    EXPECT_EQ(f.moved, 3);
}

TEST(ExPageControl, StylesAndTabImages) {
    Form form;
    form.setBounds(0, 0, 400, 300);
    form.createHandle();
    TExPageControl pages;
    pages.setBounds(0, 0, 380, 250);
    pages.create(&form);
    for (const char* c : {"One", "Two", "Three"}) pages.addPage(c);
    pages.SetStyles(tabLabelLeft);
    const LONG style = GetWindowLongA(pages.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & TCS_FORCEICONLEFT);
    EXPECT_TRUE(style & TCS_FORCELABELLEFT);
    EXPECT_TRUE(style & TCS_FIXEDWIDTH);
    EXPECT_EQ(pages.Styles(), unsigned(tabLabelLeft | tabIconLeft));
    pages.SetStyles(tabRightJustify);
    EXPECT_TRUE(GetWindowLongA(pages.hwnd(), GWL_STYLE) & TCS_MULTILINE);

    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 4, 0);
    for (int i = 0; i < 4; ++i) {
        BitmapCanvas b(16, 16);
        ImageList_Add(images, b.bitmap(), nullptr);
    }
    pages.SetGlyphs(images);
    auto imageOfTab = [&](int tab) {
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        SendMessageA(pages.hwnd(), TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    };
    EXPECT_EQ(imageOfTab(2), 2);
    pages.setPageVisible(1, false);  // images stay with their pages
    EXPECT_EQ(imageOfTab(1), 2);
    pages.OnGlyphMap = [](TExPageControl&, int tab, int& image) { image = 3 - tab; };
    pages.SetStyles(0);  // re-created: the images come back
    EXPECT_EQ(imageOfTab(0), 3);
    bool allowed = false;
    pages.onChanging = [&](PageControl&, bool& allow) {
        allow = allowed;
    };
    NMHDR changing{pages.hwnd(), 0, static_cast<UINT>(TCN_SELCHANGING)};
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&changing)), TRUE);
    allowed = true;
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&changing)), FALSE);
    pages.destroyWindow();
    ImageList_Destroy(images);
}

struct Node {
    std::string text;
    std::vector<Node*> children;
};

void showModel(THETreeView& tree) {
    tree.textOf = [](TreeView::Node n) { return static_cast<Node*>(n)->text; };
    tree.hasChildren = [](TreeView::Node n) { return !static_cast<Node*>(n)->children.empty(); };
    tree.childrenOf = [](TreeView::Node n) {
        std::vector<TreeView::Node> v;
        for (Node* child : static_cast<Node*>(n)->children) v.push_back(child);
        return v;
    };
}

TEST(HETreeView, BoldAndSortedByText) {
    Form form;
    form.setBounds(0, 0, 300, 300);
    form.createHandle();
    Node root{"root", {}}, b{"B", {}}, a{"a", {}}, c{"c", {}};
    root.children = {&c, &b, &a};
    THETreeView tree;
    showModel(tree);
    tree.setBounds(0, 0, 280, 260);
    tree.create(&form);
    form.show();
    tree.setRoots({&root});
    tree.expand(&root);
    EXPECT_TRUE(GetWindowLongA(tree.hwnd(), GWL_STYLE) & TVS_NOTOOLTIPS);
    tree.SetNodeBold(&b, true);
    EXPECT_TRUE(tree.NodeBold(&b));
    tree.SetNodeBold(&b, false);
    EXPECT_FALSE(tree.NodeBold(&b));

    tree.SetSortType(TSortType::stText);
    std::vector<std::string> order;
    HTREEITEM first = TreeView_GetChild(tree.hwnd(), tree.itemOf(&root));
    for (HTREEITEM i = first; i; i = TreeView_GetNextSibling(tree.hwnd(), i)) {
        char buf[16] = {};
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = i;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        SendMessageA(tree.hwnd(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        order.push_back(buf);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"a", "B", "c"}));
}

TEST(HETreeView, AutoScrollNearAnEdgeScrollsOneLine) {
    Form form;
    form.setBounds(0, 0, 300, 200);
    form.createHandle();
    std::vector<Node> many(50);
    Node root{"root", {}};
    for (std::size_t i = 0; i < many.size(); ++i) {
        many[i].text = "node " + std::to_string(i);
        root.children.push_back(&many[i]);
    }
    THETreeView tree;
    showModel(tree);
    tree.setBounds(0, 0, 200, 150);
    tree.create(&form);
    form.show();
    tree.setRoots({&root});
    tree.expand(&root);
    SendMessageA(tree.hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
    auto firstVisible = [&] { return TreeView_GetFirstVisible(tree.hwnd()); };
    const HTREEITEM before = firstVisible();
    SendMessageA(tree.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 2));
    EXPECT_EQ(firstVisible(), before);  // off by default
    tree.AutoScroll = true;
    SendMessageA(tree.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 2));
    EXPECT_EQ(firstVisible(), TreeView_GetPrevVisible(tree.hwnd(), before));
    const HTREEITEM middle = firstVisible();
    SendMessageA(tree.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 60));
    EXPECT_EQ(firstVisible(), middle);
}

TEST(SmallControls, TrackBarRangeAndLabels) {
    Form form;
    form.setBounds(0, 0, 300, 200);
    form.createHandle();
    TrhTrackBar track;
    track.create(&form);
    EXPECT_FALSE(GetWindowLongA(track.hwnd(), GWL_STYLE) & TBS_ENABLESELRANGE);
    track.SetSelection(2, 5);
    track.SetEnableRange(true);
    EXPECT_TRUE(GetWindowLongA(track.hwnd(), GWL_STYLE) & TBS_ENABLESELRANGE);
    EXPECT_EQ(SendMessageA(track.hwnd(), TBM_GETSELSTART, 0, 0), 2);
    EXPECT_EQ(SendMessageA(track.hwnd(), TBM_GETSELEND, 0, 0), 5);

    TFileLabel file;
    file.setBounds(0, 40, 120, 16);
    file.create(&form);
    file.SetFileName("C:\\Program Files\\Talvenmoor\\Korvalder\\catalogs\\archive\\disk.cat");
    const std::string shown = file.text();
    EXPECT_NE(shown, file.FileName());
    EXPECT_EQ(shown.substr(shown.size() - 8), "disk.cat");
    HDC dc = GetDC(file.hwnd());
    HGDIOBJ old = SelectObject(dc, file.font());
    SIZE size{};
    GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(file.hwnd(), dc);
    EXPECT_LE(size.cx, 120);
    file.setBounds(0, 40, 1000, 16);
    EXPECT_EQ(file.text(), file.FileName());

    TUrlLabel link;
    link.setText("Korvalder home");
    link.setBounds(0, 70, 120, 16);
    link.create(&form);
    // The program's own hand pointer, from its resources.
    const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "HAND");
    ASSERT_NE(hand, nullptr);
    SendMessageA(link.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);
    std::vector<std::string> opened;
    link.Opener = [&](const std::string& target) { opened.push_back(target); };
    link.click();  // the caption is no address: nothing opens
    link.URL = "http://korvalder.example/";
    SendMessageA(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(link.textColor(), link.ActiveColor);
    SendMessageA(link.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(link.textColor(), RGB(0, 0, 255));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://korvalder.example/"}));
}

}  // namespace
