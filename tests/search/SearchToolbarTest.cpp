#include "tests/search/SearchFormFixture.h"
#include "tests/support/TestInput.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace kv {
namespace {

class SearchToolbarTest : public SearchFormTest {
protected:
    // Four hits: the .txt files of the small catalog.
    void FindFour() {
        SearchByName(".txt");
        ASSERT_TRUE(WaitForRun());
        ASSERT_EQ(form->NormalResults().Count(), 4u);
    }
    void Select(std::vector<int> rows, int focused) {
        form->FoundList.View().ClearRowStates();
        for (int row : rows) {
            LVITEMA state{};
            state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            state.state = LVIS_SELECTED | (row == focused ? LVIS_FOCUSED : 0);
            SendMessageA(form->FoundList.View().hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&state));
        }
        form->UpdateSearchStatus();
    }
    ui::SpeedButton& Button(FoundAction action) { return *form->Toolbar.Button(action); }
    RECT Bounds(ui::Control& c) {
        RECT r{};
        GetWindowRect(c.hwnd(), &r);
        MapWindowPoints(nullptr, form->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(SearchToolbarTest, EveryButtonHasAPictureAHintAndItsOwnPlace) {
    const auto& buttons = form->Toolbar.Buttons();
    ASSERT_EQ(buttons.size(), SearchToolbarButtons().size());
    int right = -1;
    for (const auto& b : buttons) {
        SCOPED_TRACE(b->Name);
        EXPECT_NE(form->Toolbar.Glyph(*b), nullptr);
        EXPECT_EQ(b->numGlyphs(), 2);
        EXPECT_FALSE(b->hint.empty());
        const RECT r = Bounds(*b);
        EXPECT_EQ(r.right - r.left, 25);
        EXPECT_GE(r.left, right);
        right = r.right;
    }
    // The whole row fits the window, between the criteria and the found list.
    EXPECT_LE(right, form->clientRect().right);
    EXPECT_GT(Bounds(form->Toolbar).top, Bounds(form->BtnFind).bottom);
    EXPECT_GT(Bounds(form->FoundList.View()).top, Bounds(form->Toolbar).bottom);
    // The status bar's middle panel takes what the other two leave.
    ui::StatusBar& bar = form->StatusBar;
    EXPECT_EQ(bar.panelWidth(0) + bar.panelWidth(1) + bar.panelWidth(2), bar.clientRect().right);
}

TEST_F(SearchToolbarTest, ButtonsFollowTheSelectionAndTheRun) {
    for (FoundAction a : {FoundAction::Locate, FoundAction::Remove, FoundAction::Clear, FoundAction::Report})
        EXPECT_FALSE(Button(a).enabled());
    FindFour();
    Select({}, -1);
    EXPECT_FALSE(Button(FoundAction::Locate).enabled());
    EXPECT_FALSE(Button(FoundAction::Remove).enabled());
    EXPECT_TRUE(Button(FoundAction::Clear).enabled());
    Select({1, 2}, 2);
    for (FoundAction a : {FoundAction::Locate, FoundAction::Properties, FoundAction::Remove, FoundAction::AddList,
                          FoundAction::CopyTo})
        EXPECT_TRUE(Button(a).enabled());
    EXPECT_FALSE(Button(FoundAction::Extract).enabled());

    // A second run, not clearing: the hits stay selectable, the list cannot change.
    form->ClearResultsCheck.setChecked(false);
    SearchByName("a1");
    ASSERT_TRUE(form->SearchRunning());
    Select({0}, 0);
    form->SetPendingRefresh(2);
    form->UpdateSearchStatus();
    EXPECT_TRUE(Button(FoundAction::Locate).enabled());
    EXPECT_FALSE(Button(FoundAction::Remove).enabled());
    EXPECT_FALSE(Button(FoundAction::Clear).enabled());
    form->RunFoundAction(FoundAction::Remove);
    EXPECT_TRUE(prompt.asked.empty());
    ASSERT_TRUE(WaitForRun());
}

TEST_F(SearchToolbarTest, ActionsReachTheMainWindowWithTheFoundRecords) {
    FindFour();
    const TResultList& list = form->NormalResults();
    Select({0, 3}, 3);
    Button(FoundAction::Locate).click();
    EXPECT_EQ(locator.went, list.At(3));
    Button(FoundAction::Properties).click();
    Button(FoundAction::AddList).click();
    Button(FoundAction::Explorer).click();
    // The status bar's middle panel opens the properties too.
    form->StatusBar.onPanelClick(form->StatusBar, 1);
    ASSERT_EQ(commands.calls.size(), 4u);
    EXPECT_EQ(commands.calls[0].action, FoundAction::Properties);
    EXPECT_EQ(commands.calls[0].records, std::vector<ItemHead*>{list.At(3)});
    EXPECT_EQ(commands.calls[1].action, FoundAction::AddList);
    EXPECT_EQ(commands.calls[1].records, (std::vector<ItemHead*>{list.At(0), list.At(3)}));
    EXPECT_EQ(commands.calls[2].action, FoundAction::Explorer);
    EXPECT_EQ(commands.calls[3].action, FoundAction::Properties);

    // Double click (and Enter) by the setting: Launch on a file.
    commands.calls.clear();
    doubleClick = 3;
    form->FoundListDblClick();
    ASSERT_EQ(commands.calls.size(), 1u);
    EXPECT_EQ(commands.calls[0].action, FoundAction::Launch);
    doubleClick = 0;
    form->FoundListDblClick();
    EXPECT_EQ(commands.calls.size(), 1u);
}

TEST_F(SearchToolbarTest, KeysOnTheListRunTheirActions) {
    FindFour();
    Select({2}, 2);
    form->show();
    HWND view = form->FoundList.View().hwnd();
    SendMessageA(view, WM_KEYDOWN, VK_F4, 0);
    ASSERT_EQ(commands.calls.size(), 1u);
    EXPECT_EQ(commands.calls[0].action, FoundAction::Properties);
    // The modifiers must match: Alt+Enter is Properties, Ctrl+T Locate, Ctrl+F4 nothing.
    auto withHeld = [&](std::initializer_list<int> held, WORD key) {
        BYTE keys[256];
        GetKeyboardState(keys);
        for (int k : held) keys[k] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(view, WM_KEYDOWN, key, 0);
        for (int k : held) keys[k] = 0;
        SetKeyboardState(keys);
    };
    withHeld({VK_MENU, VK_LMENU}, VK_RETURN);
    withHeld({VK_CONTROL, VK_LCONTROL}, VK_F4);
    ASSERT_EQ(commands.calls.size(), 2u);
    EXPECT_EQ(commands.calls[1].action, FoundAction::Properties);
    withHeld({VK_CONTROL, VK_LCONTROL}, 'T');
    EXPECT_EQ(locator.went, form->NormalResults().At(2));
    prompt.answers = {ui::PromptAnswer::No};
    SendMessageA(view, WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Delete items");
    // Esc closes the window; the hits stay.
    SendMessageA(view, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    EXPECT_EQ(form->NormalResults().Count(), 4u);
}

TEST_F(SearchToolbarTest, RemoveAndRemoveAllAskAndRenumber) {
    FindFour();
    TResultList& list = form->NormalResults();
    ItemHead* kept0 = list.At(0);
    ItemHead* kept2 = list.At(2);
    ItemHead* gone = list.At(1);
    Select({1, 3}, 1);
    prompt.answers = {ui::PromptAnswer::No};
    Button(FoundAction::Remove).click();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Delete items");
    EXPECT_EQ(list.Count(), 4u);

    prompt.answers = {ui::PromptAnswer::Yes};
    Button(FoundAction::Remove).click();
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(0), kept0);
    EXPECT_EQ(list.At(1), kept2);
    EXPECT_EQ(kept2->indexWord(ResultSlot::Search), 1);
    EXPECT_EQ(gone->indexWord(ResultSlot::Search), kNotListed);
    EXPECT_EQ(form->FoundList.View().ItemCount(), 2);
    // The focus went to the row that followed the focused one.
    EXPECT_EQ(form->FoundList.FocusedRow(), 1u);

    prompt.answers = {ui::PromptAnswer::No, ui::PromptAnswer::Yes};
    Button(FoundAction::Clear).click();
    EXPECT_EQ(list.Count(), 2u);
    Button(FoundAction::Clear).click();
    EXPECT_EQ(prompt.asked.back().caption, "Delete all items");
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(kept0->indexWord(ResultSlot::Search), kNotListed);
    EXPECT_FALSE(Button(FoundAction::Clear).enabled());
}

TEST_F(SearchToolbarTest, MaximizeHidesTheCriteriaForItsModeOnly) {
    ShowFoundLists();
    const RECT before = Bounds(form->FoundList.View());
    form->Toolbar.BtnMaximize().click();
    EXPECT_TRUE(form->NormalResults().maximized);
    EXPECT_FALSE(form->Pages.visible());
    EXPECT_FALSE(form->BtnFind.visible());
    EXPECT_FALSE(form->BtnNew.visible());
    EXPECT_EQ(Bounds(form->Toolbar).top, 5);
    const RECT maximized = Bounds(form->FoundList.View());
    EXPECT_LT(maximized.top, before.top);
    EXPECT_EQ(maximized.bottom, before.bottom);

    // The other mode has its own state.
    form->DuplicateModeRadio.click();
    EXPECT_TRUE(form->Pages.visible());
    EXPECT_FALSE(form->Toolbar.BtnMaximize().down());
    form->NormalModeRadio.click();
    EXPECT_TRUE(form->Toolbar.BtnMaximize().down());
    EXPECT_FALSE(form->Pages.visible());

    // A double click on the window's free area restores it.
    SendMessageA(form->hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(form->NormalResults().maximized);
    EXPECT_FALSE(form->Toolbar.BtnMaximize().down());
    EXPECT_TRUE(form->Pages.visible());
    EXPECT_TRUE(form->BtnFind.visible());
    EXPECT_EQ(Bounds(form->FoundList.View()).top, before.top);
}

TEST_F(SearchToolbarTest, PopupFollowsTheButtonsAndBoldsTheDoubleClickItem) {
    FindFour();
    Select({0}, 0);
    doubleClick = 3;
    form->PrepareFoundListPopup();
    FoundPopupWin32& popup = form->FoundListPopup;
    EXPECT_TRUE(popup.Item(FoundAction::Launch)->Default());
    EXPECT_FALSE(popup.Item(FoundAction::Properties)->Default());
    EXPECT_TRUE(popup.Item(FoundAction::Remove)->Visible());
    EXPECT_FALSE(popup.Item(FoundAction::Extract)->Visible());

    // Once in the user list, Add to User List stays shown but disabled.
    form->NormalResults().At(0)->indexWord(ResultSlot::UserList) = 0;
    doubleClick = 1;
    form->PrepareFoundListPopup();
    EXPECT_TRUE(popup.Item(FoundAction::Properties)->Default());
    EXPECT_FALSE(popup.Item(FoundAction::Launch)->Default());
    EXPECT_TRUE(popup.Item(FoundAction::AddList)->Visible());
    EXPECT_FALSE(popup.Item(FoundAction::AddList)->Enabled());
    form->NormalResults().At(0)->indexWord(ResultSlot::UserList) = kNotListed;

    Select({}, -1);
    form->PrepareFoundListPopup();
    EXPECT_FALSE(popup.Item(FoundAction::Locate)->Visible());
    EXPECT_FALSE(popup.Item(FoundAction::Remove)->Visible());
}

TEST_F(SearchToolbarTest, TheMenuKeyOpensThePopupOnceAtTheFocusedRow) {
    FindFour();
    form->show();
    Select({2}, 2);
    HWND view = form->FoundList.View().hwnd();
    RECT row{};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(view, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row)));
    MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&row), 2);
    int shown = 0;
    RECT menu{};
    auto prepare = form->FoundListPopup.Menu().OnPopup;
    form->FoundListPopup.Menu().OnPopup = [&](ui::PopupMenu& m) {
        ++shown;
        prepare(m);
    };
    {
        uitest::TimerAction close(300, [&] {
            GetWindowRect(FindWindowA("#32768", nullptr), &menu);
            EndMenu();
        });
        SendMessageA(view, WM_KEYDOWN, VK_APPS, 0);
        SendMessageA(view, WM_KEYUP, VK_APPS, 0xC0000001);
        app().processMessages();
    }
    EXPECT_EQ(shown, 1);
    // The menu's top edge sits on the row, not at the list's corner.
    EXPECT_GE(menu.top, row.top);
    EXPECT_LE(menu.top, row.bottom + 2);
    form->FoundListPopup.Menu().OnPopup = prepare;
    form->hide();
}

TEST_F(SearchToolbarTest, HelpModeOpensTheButtonsTopics) {
    struct Asked {
        UINT command;
        ULONG_PTR topic;
    };
    std::vector<Asked> asked;
    app().helpFile = "KORVALDER.HLP";
    app().helpHandler = [&](HWND, const std::string&, UINT command, ULONG_PTR data) {
        asked.push_back({command, data});
        return true;
    };
    ShowFoundLists();
    form->show();
    auto clickAt = [&](ui::Control& c) {
        const RECT r = Bounds(c);
        SendMessageA(form->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
    };
    form->Toolbar.BtnHelp().click();
    EXPECT_TRUE(form->HelpMode());
    EXPECT_TRUE(form->Toolbar.BtnHelp().down());
    clickAt(*form->Toolbar.Button(FoundAction::Locate));
    EXPECT_FALSE(form->HelpMode());
    EXPECT_FALSE(form->Toolbar.BtnHelp().down());
    form->Toolbar.BtnHelp().click();
    clickAt(*form->Toolbar.Button("ButtonList"));
    // A control with a context of its own shows it as a pop-up.
    form->BtnNew.helpContext = 77;
    form->Toolbar.BtnHelp().click();
    clickAt(form->BtnNew);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(asked[0].topic, 5052u);
    EXPECT_EQ(asked[1].topic, 5024u);
    EXPECT_EQ(asked[2].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
    EXPECT_EQ(asked[2].topic, 77u);
    app().helpHandler = nullptr;
    app().helpFile.clear();
    form->hide();
}

}  // namespace
}  // namespace kv
