#include "UiFixture.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using MenuTest = UiTest;

TEST_F(MenuTest, ShortCutTexts) {
    EXPECT_EQ(ShortCutToText(ShortCut('O', kCtrl)), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F5, 0)), "F5");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, kShift | kCtrl)), "Shift+Ctrl+Del");
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST_F(MenuTest, CommandsShortcutsAndParentClicksReachTheItems) {
    Form form;
    MainMenu menu;
    std::vector<std::string> clicks;
    auto log = [&](MenuItem& i) { clicks.push_back(i.Caption()); };
    MenuItem& file = menu.Items().Add("&File", log);
    MenuItem& open = file.Add("&Open", log);
    open.SetShortCut(ShortCut('O', kCtrl));
    MenuItem& hidden = file.Add("Hidden", log);
    hidden.SetShortCut(ShortCut(VK_F2, 0));
    hidden.SetVisible(false);
    menu.attach(form);
    form.show();

    HMENU bar = GetMenu(form.hwnd());
    ASSERT_TRUE(bar);
    HMENU sub = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemCount(sub), 1);  // the hidden item is left out
    char text[64] = {};
    GetMenuStringA(sub, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
    EXPECT_EQ(menu.findItem(sub, 0), &open);

    SendMessageA(form.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    SendMessageA(form.hwnd(), WM_COMMAND, open.Command(), 0);
    PostMessageA(form.hwnd(), WM_KEYDOWN, VK_F2, 1);  // hidden: not a shortcut
    app().processMessages();
    EXPECT_EQ(clicks, (std::vector<std::string>{"&File", "&Open"}));

    // Ctrl+O through the form's key handling; GetKeyState sees no real Ctrl,
    // so the form is asked directly as the loop would.
    ASSERT_TRUE(form.onShortcut);
    EXPECT_TRUE(form.onShortcut(form, 'O', kCtrl));
    open.SetEnabled(false);
    EXPECT_FALSE(form.onShortcut(form, 'O', kCtrl));
    EXPECT_EQ(clicks.size(), 3u);
}

// A parent's click changes its items as the submenu opens: the open menu is
// changed in place, never destroyed; what cannot be changed in place (an item
// shown or hidden) waits until the menu closes.
TEST_F(MenuTest, ChangesWhileAMenuIsOpenKeepItsHandles) {
    Form form;
    MainMenu menu;
    MenuItem& view = menu.Items().Add("&View");
    MenuItem& byName = view.Add("By &Name");
    MenuItem& bySize = view.Add("By &Size");
    MenuItem& extra = view.Add("Extra");
    for (MenuItem* i : {&byName, &bySize}) {
        i->RadioItem = true;
        i->GroupIndex = 1;
    }
    byName.SetChecked(true);
    view.OnClick = [&](MenuItem&) {
        bySize.SetChecked(true);
        byName.SetCaption("By N&ame");
        extra.SetVisible(false);
    };
    menu.attach(form);
    form.show();
    HMENU bar = GetMenu(form.hwnd());
    HMENU sub = GetSubMenu(bar, 0);

    SendMessageA(form.hwnd(), WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(form.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_TRUE(IsMenu(sub));
    EXPECT_EQ(GetMenu(form.hwnd()), bar);
    EXPECT_TRUE(GetMenuState(sub, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_CHECKED);
    char text[64] = {};
    GetMenuStringA(sub, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "By N&ame");
    EXPECT_EQ(GetMenuItemCount(sub), 3);  // the hidden item goes with the close

    SendMessageA(form.hwnd(), WM_EXITMENULOOP, FALSE, 0);
    EXPECT_FALSE(IsMenu(bar));
    bar = GetMenu(form.hwnd());
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 2);

    // A setter that changes nothing leaves the menu as it is.
    extra.SetVisible(false);
    bySize.SetChecked(true);
    EXPECT_EQ(GetMenu(form.hwnd()), bar);
    EXPECT_TRUE(IsMenu(bar));
}

TEST_F(MenuTest, RadioItemsAndTreeEditing) {
    PopupMenu menu;
    MenuItem& a = menu.Items().Add("A");
    MenuItem& b = menu.Items().Add("B");
    MenuItem& c = menu.Items().Add("C");
    for (MenuItem* i : {&a, &b}) {
        i->RadioItem = true;
        i->GroupIndex = 1;
    }
    a.SetChecked(true);
    b.SetChecked(true);
    c.SetChecked(true);
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(b.Checked());
    EXPECT_TRUE(c.Checked());
    EXPECT_EQ(c.MenuIndex(), 2);
    auto taken = menu.Items().Remove(b);
    ASSERT_TRUE(taken);
    EXPECT_EQ(c.MenuIndex(), 1);
    menu.Items().Insert(0, std::move(taken));
    EXPECT_EQ(menu.Items().Items(0).Caption(), "B");
    menu.Items().Delete(0);
    EXPECT_EQ(menu.Items().Count(), 2);
}

TEST_F(MenuTest, PopupRunsTheChosenItemAndEndsFromATimer) {
    Form form;
    form.show();
    PopupMenu menu;
    int popups = 0, clicks = 0;
    menu.OnPopup = [&](PopupMenu&) { ++popups; };
    menu.Items().Add("Go", [&](MenuItem&) { ++clicks; });
    kv::uitest::TimerAction end(200, [] { EndMenu(); });
    menu.Popup(form.hwnd(), 10, 10);
    EXPECT_TRUE(end.ran());
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(clicks, 0);  // ended without a choice
}

}  // namespace

namespace {

using namespace kv::ui;

TEST_F(MenuTest, MenuSelectionSetsTheApplicationHint) {
    Form form;
    MainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    MenuItem& open = file.Add("&Open");
    open.Hint = "Opens a catalog";
    file.Hint = "Catalog commands";
    menu.attach(form);
    std::vector<std::string> hints;
    app().onHint = [&](Application& a) { hints.push_back(a.hint()); };
    HMENU bar = GetMenu(form.hwnd());
    SendMessageA(form.hwnd(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(bar));
    SendMessageA(form.hwnd(), WM_MENUSELECT, MAKEWPARAM(open.Command(), 0), reinterpret_cast<LPARAM>(GetSubMenu(bar, 0)));
    SendMessageA(form.hwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
    EXPECT_EQ(hints, (std::vector<std::string>{"Catalog commands", "Opens a catalog", ""}));
    app().onHint = nullptr;
    EXPECT_FALSE(app().helpContext(form.hwnd(), 100));  // no help file
}

}  // namespace

namespace {

using namespace kv::ui;

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredDrawnAndFoundByMnemonic) {
    Form form;
    MainMenu menu;
    MenuItem& file = menu.Items().Add("&File");
    MenuItem& open = file.Add("&Open");
    file.Add("Sa&ve");
    menu.setOwnerDraw(true);
    menu.attach(form);
    std::vector<std::string> measured, drawn;
    menu.onMeasureItem = [&](Menu&, MenuItem& item, UINT& w, UINT& h) {
        measured.push_back(item.Caption());
        w = 120;
        h = 20;
    };
    menu.onDrawItem = [&](Menu&, MenuItem& item, HDC, const RECT&, UINT) { drawn.push_back(item.Caption()); };
    HMENU sub = GetSubMenu(GetMenu(form.hwnd()), 0);
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_DATA;
    GetMenuItemInfoA(sub, 0, TRUE, &mi);
    EXPECT_TRUE(mi.fType & MFT_OWNERDRAW);

    MEASUREITEMSTRUCT m{ODT_MENU, 0, open.Command(), 0, 0, mi.dwItemData};
    EXPECT_TRUE(SendMessageA(form.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m)));
    EXPECT_EQ(m.itemWidth, 120u);
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_MENU;
    d.itemID = open.Command();
    d.itemData = mi.dwItemData;
    SendMessageA(form.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    EXPECT_EQ(measured, std::vector<std::string>{"&Open"});
    EXPECT_EQ(drawn, std::vector<std::string>{"&Open"});

    LRESULT r = SendMessageA(form.hwnd(), WM_MENUCHAR, MAKEWPARAM('v', MF_POPUP), reinterpret_cast<LPARAM>(sub));
    EXPECT_EQ(HIWORD(r), MNC_EXECUTE);
    EXPECT_EQ(LOWORD(r), 1);
    r = SendMessageA(form.hwnd(), WM_MENUCHAR, MAKEWPARAM('z', MF_POPUP), reinterpret_cast<LPARAM>(sub));
    EXPECT_EQ(HIWORD(r), MNC_IGNORE);
}

}  // namespace
