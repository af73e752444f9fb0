#include "UiFixture.h"
#include <commctrl.h>

#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/StatusBar.h"
#include "tests/support/TestInput.h"
#include "ui/Timer.h"

namespace {

using namespace kv::ui;

using StdControlsTest = UiTest;

TEST_F(StdControlsTest, EditReportsChangesAndKeepsTextAcrossRecreation) {
    Form form;
    Edit edit;
    edit.setText("start");
    edit.create(&form);
    form.createHandle();
    int changes = 0;
    edit.onChange = [&](Edit& s) {
        EXPECT_EQ(&s, &edit);
        ++changes;
    };
    SendMessageA(edit.hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(changes, 1);
    form.recreateWnd();
    EXPECT_EQ(edit.text(), "typed");
    edit.setMaxLength(3);
    SendMessageA(edit.hwnd(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("xyz"));
    EXPECT_LE(edit.text().size(), 5u);
}

TEST_F(StdControlsTest, ComboAndListBoxKeepItemsAndSelection) {
    Form form;
    form.createHandle();
    ComboBox combo;
    ListBox list;
    combo.setItems({"one", "two", "three"});
    list.setItems({"a", "b"});
    combo.setItemIndex(2);
    combo.create(&form);
    list.create(&form);
    EXPECT_EQ(combo.itemIndex(), 2);
    EXPECT_EQ(SendMessageA(combo.hwnd(), CB_GETCOUNT, 0, 0), 3);

    int clicks = 0, changes = 0;
    list.onClick = [&](ListBox&) { ++clicks; };
    combo.onChange = [&](ComboBox&) { ++changes; };
    SendMessageA(list.hwnd(), LB_SETCURSEL, 1, 0);
    SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(list.id(), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.hwnd()));
    SendMessageA(form.hwnd(), WM_COMMAND, MAKEWPARAM(combo.id(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.hwnd()));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);

    form.recreateWnd();
    EXPECT_EQ(list.itemIndex(), 1);
    EXPECT_EQ(combo.itemIndex(), 2);
    EXPECT_EQ(SendMessageA(list.hwnd(), LB_GETCOUNT, 0, 0), 2);
}

TEST_F(StdControlsTest, StatusBarPanelsOwnerDrawingAndShowStatus) {
    Form form;
    form.setBounds(0, 0, 400, 300);
    form.createHandle();
    StatusBar bar;
    bar.setBounds(0, 0, 100, 20);
    bar.setPanels({{"Ready", 120}, {"", 200}, {"", 50, true}});
    bar.create(&form);
    EXPECT_EQ(bar.bounds().bottom, form.clientRect().bottom);  // aligned to the bottom
    EXPECT_EQ(SendMessageA(bar.hwnd(), SB_GETPARTS, 0, 0), 3);
    char text[64] = {};
    SendMessageA(bar.hwnd(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Ready");

    std::vector<int> drawn;
    bar.onDrawPanel = [&](StatusBar&, int panel, HDC, const RECT&) { drawn.push_back(panel); };
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_STATIC;
    d.hwndItem = bar.hwnd();
    d.itemID = 2;
    SendMessageA(form.hwnd(), WM_DRAWITEM, bar.id(), reinterpret_cast<LPARAM>(&d));
    EXPECT_EQ(drawn, std::vector<int>{2});

    StatusBarStatus status(bar);
    int rebuilt = 0;
    status.onIdle = [&] { ++rebuilt; };
    status.ShowStatus("Loading...", true);
    EXPECT_TRUE(status.busy());
    EXPECT_EQ(bar.panelText(1), "Loading...");
    EXPECT_EQ(app().screenCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    status.ShowStatus("", false);
    EXPECT_FALSE(status.busy());
    EXPECT_EQ(app().screenCursor(), nullptr);
    EXPECT_EQ(rebuilt, 1);
}

TEST_F(StdControlsTest, TimerFiresInsideAModalLoopAndItsExceptionIsReported) {
    Form dialog;
    Timer timer;
    int ticks = 0;
    timer.setInterval(20);
    timer.onTimer = [&](Timer& t) {
        if (++ticks == 1) throw std::runtime_error("tick failed");
        if (ticks == 3) {
            t.setEnabled(false);
            dialog.setModalResult(mrOk);
        }
    };
    timer.setEnabled(true);
    EXPECT_EQ(dialog.showModal(), mrOk);
    EXPECT_EQ(ticks, 3);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "tick failed");
}

}  // namespace
