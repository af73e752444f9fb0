#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "controls/VirtualListView.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

const int kRows = 1000000;

// Notes the notifications the list hands on, by code, and while recording
// the list-view messages the window gets.
class WatchedList : public TExtListView {
public:
    std::vector<UINT> notes;
    bool recording = false;
    std::vector<UINT> listMessages;
    int count(UINT code) const { return static_cast<int>(std::count(notes.begin(), notes.end(), code)); }

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (recording && msg >= LVM_FIRST && msg < LVM_FIRST + 0x100) listMessages.push_back(msg);
        return TExtListView::wndProc(msg, wp, lp);
    }
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override {
        if (msg == WM_NOTIFY) notes.push_back(reinterpret_cast<NMHDR*>(lp)->code);
        return TExtListView::reflected(msg, wp, lp, handled);
    }
};

class VirtualListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application::instance().setPrompt(&prompt);
        form.setBounds(0, 0, 600, 400);
        form.createHandle();
        for (const char* c : {"Name", "Size", "Date"}) list.AddColumn(c, 100);
        list.setBounds(0, 0, 500, 300);
        list.create(&form);
        form.show();
        list.OnVMGetItemInfo = [this](TExtListView& sender, int item, int sub, TLVVMMaskItems mask, int& image,
                                      LPARAM&, int& state, int&, std::string& text) {
            EXPECT_EQ(&sender, &list);
            ++cellRequests;
            lastMask = mask;
            text = "r" + std::to_string(item) + "c" + std::to_string(sub);
            image = 0;
            state = 0x4000;
        };
    }
    void TearDown() override {
        Application::instance().setPrompt(nullptr);
        EXPECT_TRUE(prompt.asked.empty()) << prompt.asked.front().text;
    }

    void makeVirtual(int rows) {
        list.SetVirtualMode(true);
        list.SetItemCountEx(rows, 3);
    }
    std::string cellText(int row, int sub, int length) {
        std::string buf(64, 'X');
        LVITEMA it{};
        it.iSubItem = sub;
        it.pszText = buf.data();
        it.cchTextMax = length;
        SendMessageA(list.hwnd(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
        return buf.c_str();
    }
    LRESULT notify(NMHDR& hdr) {
        hdr.hwndFrom = list.hwnd();
        hdr.idFrom = list.id();
        return SendMessageA(form.hwnd(), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
    }
    std::vector<int> headerOrder() {
        std::vector<int> order(3, -1);
        SendMessageA(list.hwnd(), LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order.data()));
        return order;
    }
    void select(int row, bool on) {
        LVITEMA it{};
        it.stateMask = LVIS_SELECTED;
        it.state = on ? LVIS_SELECTED : 0;
        SendMessageA(list.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    }
    POINT rowCentre(int row) {
        // The caption cell: without full-row select the others are not the row.
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void unfocusedClick(POINT p) {
        other.create(&form);
        other.setFocus();
        ASSERT_FALSE(list.focused());
        // The list view tracks the press in a loop of its own until the release.
        PostMessageA(list.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        SendMessageA(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        Application::instance().processMessages();
    }
    bool rowState(int row, UINT bit) {
        return (SendMessageA(list.hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), bit) & bit) != 0;
    }
    int topRow() { return static_cast<int>(SendMessageA(list.hwnd(), LVM_GETTOPINDEX, 0, 0)); }
    // A click on the focused list; keys are MK_SHIFT and MK_CONTROL.
    void click(POINT p, WPARAM keys = 0, bool right = false) {
        PostMessageA(list.hwnd(), right ? WM_RBUTTONUP : WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
        SendMessageA(list.hwnd(), right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, keys | (right ? MK_RBUTTON : MK_LBUTTON),
                     MAKELPARAM(p.x, p.y));
        Application::instance().processMessages();
    }
    // Runs input with Shift and Ctrl held or not, as the keyboard state says.
    void withKeys(bool shift, bool ctrl, const std::function<void()>& input) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        input();
        keys[VK_SHIFT] = keys[VK_LSHIFT] = keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
        SetKeyboardState(keys);
    }
    void key(WORD vk) {
        SendMessageA(list.hwnd(), WM_KEYDOWN, vk, 1);
        SendMessageA(list.hwnd(), WM_KEYUP, vk, 0xC0000001);
    }
    // Every row selected, the focus and the selection mark on one.
    void selectAllFocusing(int row) {
        select(-1, true);
        LVITEMA it{};
        it.stateMask = it.state = LVIS_FOCUSED;
        SendMessageA(list.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
        SendMessageA(list.hwnd(), LVM_SETSELECTIONMARK, 0, row);
        list.notes.clear();
    }

    ScriptedPrompt prompt;
    Form form;
    WatchedList list;
    Button other;
    int cellRequests = 0;
    TLVVMMaskItems lastMask = 0;
};

TEST_F(VirtualListViewTest, MillionRowsAnswerCellsFromTheOwner) {
    makeVirtual(kRows);
    EXPECT_EQ(list.ItemCount(), kRows);
    EXPECT_EQ(cellText(999999, 2, 64), "r999999c2");
    EXPECT_EQ(lastMask & vmText, vmText);
    EXPECT_EQ(cellText(999999, 2, 5), "r999");  // cut, zero-terminated
    EXPECT_EQ(cellText(7, 0, 1), "");
}

TEST_F(VirtualListViewTest, DisplayInfoRequestsFollowTheProtocol) {
    makeVirtual(10);
    struct Case {
        const char* what;
        int item;
        UINT mask;
        int length;
        bool handler;
        const char* text;  // what the buffer holds afterwards
        int calls;
        UINT state;
    } cases[] = {
        {"item -1", -1, LVIF_TEXT | LVIF_STATE, 32, true, "XXXX", 0, 7},
        {"no handler", 3, LVIF_TEXT | LVIF_STATE, 32, false, "XXXX", 0, 7},
        {"text", 3, LVIF_TEXT, 32, true, "r3c1", 1, 0x4000},
        {"no text bit", 3, LVIF_STATE, 32, true, "XXXX", 1, 0x4000},
        {"zero buffer", 3, LVIF_TEXT, 0, true, "XXXX", 1, 0x4000},
        {"one byte", 3, LVIF_TEXT, 1, true, "", 1, 0x4000},
        {"short", 3, LVIF_TEXT, 3, true, "r3", 1, 0x4000},
    };
    auto handler = list.OnVMGetItemInfo;
    for (const Case& c : cases) {
        list.OnVMGetItemInfo = c.handler ? handler : nullptr;
        cellRequests = 0;
        char buf[16];
        std::memset(buf, 'X', sizeof buf);
        buf[4] = '\0';
        NMLVDISPINFOA info{};
        info.hdr.code = LVN_GETDISPINFOA;
        info.item.iItem = c.item;
        info.item.iSubItem = 1;
        info.item.mask = c.mask;
        info.item.pszText = c.length ? buf : nullptr;
        info.item.cchTextMax = c.length;
        info.item.state = 7;
        if (c.length == 0) info.item.pszText = buf;  // a buffer is there, but of no size
        notify(info.hdr);
        EXPECT_STREQ(buf, c.text) << c.what;
        EXPECT_EQ(cellRequests, c.calls) << c.what;
        EXPECT_EQ(info.item.state, c.state) << c.what;
    }
}

TEST_F(VirtualListViewTest, WideRequestsAreAnsweredToo) {
    makeVirtual(10);
    wchar_t buf[8];
    NMLVDISPINFOW info{};
    info.hdr.code = LVN_GETDISPINFOW;
    info.item.iItem = 4;
    info.item.iSubItem = 2;
    info.item.mask = LVIF_TEXT;
    info.item.pszText = buf;
    info.item.cchTextMax = 8;
    notify(info.hdr);
    EXPECT_STREQ(buf, L"r4c2");
}

TEST_F(VirtualListViewTest, TypeAheadAsksTheOwner) {
    makeVirtual(kRows);
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = "r77";
    EXPECT_EQ(SendMessageA(list.hwnd(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), -1);
    std::string asked;
    list.OnVMFindItem = [&](TExtListView&, NMLVFINDITEMA& info, int& found) {
        EXPECT_EQ(found, -1);
        asked = info.lvfi.psz;
        found = 77;
    };
    EXPECT_EQ(SendMessageA(list.hwnd(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 77);
    EXPECT_EQ(asked, "r77");
}

TEST_F(VirtualListViewTest, ColumnOrderStylesAndCountSurviveRecreation) {
    list.SetExtendedStyles(lvxHeaderDragDrop | lvxFullRowSelect);
    ASSERT_TRUE(list.SetColumnOrder({2, 0, 1}));
    EXPECT_FALSE(list.SetColumnOrder({0, 0, 1}));  // not a permutation: ignored
    EXPECT_EQ(headerOrder(), (std::vector<int>{2, 0, 1}));

    makeVirtual(12345);  // re-creates the window
    EXPECT_EQ(headerOrder(), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(SendMessageA(list.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), lvxHeaderDragDrop | lvxFullRowSelect);
    EXPECT_EQ(list.ExtendedStyles(), lvxHeaderDragDrop | lvxFullRowSelect);

    // The user drags a column; a re-creation for another reason keeps it, and the rows.
    int drag[] = {1, 2, 0};
    SendMessageA(list.hwnd(), LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(drag));
    list.SetStyle(TLVStyle::lvOwnerDrawFixed);
    EXPECT_EQ(headerOrder(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(list.ItemCount(), 12345);
    std::vector<int> order;
    ASSERT_TRUE(list.GetColumnOrder(order));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
}

TEST_F(VirtualListViewTest, ColumnOrderWithoutAWindowIsKept) {
    TExtListView late;
    for (const char* c : {"A", "B", "C"}) late.AddColumn(c, 50);
    std::vector<int> order;
    EXPECT_FALSE(late.GetColumnOrder(order));
    ASSERT_TRUE(late.SetColumnOrder({1, 2, 0}));
    EXPECT_TRUE(late.GetColumnOrder(order));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
    late.SetVirtualMode(true);
    late.SetItemCountEx(50);  // no window: nothing, nor once there is one
    late.create(&form);
    EXPECT_EQ(late.ItemCount(), 0);
    order.assign(3, -1);
    SendMessageA(late.hwnd(), LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order.data()));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0}));
}

TEST_F(VirtualListViewTest, UnfocusedClickLeavesOnlyTheClickedRow) {
    makeVirtual(kRows);
    select(1, true);
    select(2, true);
    unfocusedClick(rowCentre(5));
    EXPECT_TRUE(list.MouseSetFocus);
    EXPECT_EQ(list.SelectedCount(), 1);
    EXPECT_TRUE(rowState(5, LVIS_SELECTED));
    EXPECT_EQ(list.FocusedRow(), 5);
    EXPECT_EQ(list.MouseDownPoint().x, rowCentre(5).x);
}

TEST_F(VirtualListViewTest, UnfocusedClickBelowTheRowsFocusesNothing) {
    makeVirtual(3);
    select(0, true);
    select(2, true);
    unfocusedClick({50, 250});
    EXPECT_EQ(list.SelectedCount(), 0);
    for (int r = 0; r < 3; ++r) EXPECT_FALSE(rowState(r, LVIS_FOCUSED)) << r;
}

// Selecting all 10^6 rows takes Wine minutes (it visits every row), so many
// selected rows stand for it here; bench/list-selection-under-wine times it.
TEST_F(VirtualListViewTest, ClearingManySelectedRowsOfAMillionKeepsTheView) {
    makeVirtual(kRows);
    SendMessageA(list.hwnd(), LVM_ENSUREVISIBLE, 500000, FALSE);
    int top = static_cast<int>(SendMessageA(list.hwnd(), LVM_GETTOPINDEX, 0, 0));
    ASSERT_GT(top, 0);
    for (int r = 0; r < 3000; ++r) select(r * 300, true);
    ASSERT_EQ(list.SelectedCount(), 3000);
    list.notes.clear();
    list.ClearRowStates();
    EXPECT_EQ(list.SelectedCount(), 0);
    EXPECT_EQ(list.FocusedRow(), -1);
    EXPECT_EQ(list.count(LVN_ITEMCHANGED), 1);  // told once, as by the control's own clear
    EXPECT_EQ(list.ItemCount(), kRows);
    EXPECT_EQ(SendMessageA(list.hwnd(), LVM_GETTOPINDEX, 0, 0), top);

    for (int r : {3, 9, 400000}) select(r, true);
    unfocusedClick(rowCentre(top + 1));
    EXPECT_EQ(list.SelectedCount(), 1);
    EXPECT_EQ(list.FocusedRow(), top + 1);
}

// Wine's list view replaces a selection row by row; the list clears a large
// one at once before the control's own handling. The result must be the
// control's: one row selected and focused (none for a press beside the rows),
// a handful of notifications, the view where it was.
TEST_F(VirtualListViewTest, PlainInputReplacesALargeSelectionWithOneRow) {
    const int rows = 1500;  // past the row-by-row limit, cheap to select whole
    makeVirtual(rows);
    list.setFocus();
    SendMessageA(list.hwnd(), LVM_ENSUREVISIBLE, 700, FALSE);
    const int top = topRow();
    const int f = top + 3;
    list.OnVMFindItem = [&](TExtListView&, NMLVFINDITEMA&, int& found) { found = top + 7; };
    struct Case {
        const char* what;
        std::function<void()> input;
        int selected;  // the one row left selected, -1 for none
        int focused;
    } cases[] = {
        {"click on a selected row", [&] { click(rowCentre(top + 5)); }, top + 5, top + 5},
        {"press beside the columns", [&] { click({450, rowCentre(top + 5).y}); }, -1, f},
        {"right press beside the columns", [&] { click({450, rowCentre(top + 5).y}, 0, true); }, -1, f},
        {"Down", [&] { key(VK_DOWN); }, f + 1, f + 1},
        {"Home", [&] { key(VK_HOME); }, 0, 0},
        {"Space", [&] { key(VK_SPACE); }, f, f},
        {"type-ahead", [&] { SendMessageA(list.hwnd(), WM_CHAR, 'r', 1); }, top + 7, top + 7},
    };
    for (const Case& c : cases) {
        selectAllFocusing(f);
        c.input();
        EXPECT_EQ(list.SelectedCount(), c.selected >= 0 ? 1 : 0) << c.what;
        if (c.selected >= 0) {
            EXPECT_TRUE(rowState(c.selected, LVIS_SELECTED)) << c.what;
        }
        EXPECT_EQ(list.FocusedRow(), c.focused) << c.what;
        EXPECT_LE(list.count(LVN_ITEMCHANGED) + list.count(LVN_ITEMCHANGING), 8) << c.what;
        if (c.selected != 0) {
            EXPECT_EQ(topRow(), top) << c.what;  // Home scrolls to the first row
        }
        SendMessageA(list.hwnd(), LVM_ENSUREVISIBLE, 700, FALSE);
    }
}

TEST_F(VirtualListViewTest, ShiftCtrlDragAndKeysThatGoNowhereKeepALargeSelection) {
    const int rows = 1500;
    makeVirtual(rows);
    list.setFocus();
    const int f = 3;
    auto drag = [&] {
        POINT p = rowCentre(f);
        SendMessageA(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(list.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + 40, p.y + 60));
        SendMessageA(list.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(list.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        Application::instance().processMessages();
    };
    struct Case {
        const char* what;
        int focus;
        std::function<void()> input;
        int selected;
    } cases[] = {
        {"Shift+click", f, [&] { click(rowCentre(f + 5), MK_SHIFT); }, 6},
        {"Ctrl+click", f, [&] { click(rowCentre(f + 5), MK_CONTROL); }, rows - 1},
        {"Shift+Down", f, [&] { withKeys(true, false, [&] { key(VK_DOWN); }); }, 2},
        {"Ctrl+Down", f, [&] { withKeys(false, true, [&] { key(VK_DOWN); }); }, rows},
        {"drag from a selected row", f, drag, rows},
        {"right click on a selected row", f, [&] { click(rowCentre(f + 5), 0, true); }, rows},
        {"Up on the first row", 0, [&] { key(VK_UP); }, rows},
        {"End on the last row", rows - 1, [&] { key(VK_END); }, rows},
    };
    for (const Case& c : cases) {
        selectAllFocusing(c.focus);
        c.input();
        EXPECT_EQ(list.SelectedCount(), c.selected) << c.what;
    }
}

TEST_F(VirtualListViewTest, HeaderClickSortsWithToggleAndClickBesideColumnsReportsMinusOne) {
    const char* texts[] = {"9", "10", "abc", "1.5.2024", "3.5.2024"};
    for (const char* t : texts) list.AddItem(t, {t, "x"});
    list.SetAutoColumnSort(TAutoColumnSort::acsSortToggle);
    std::vector<int> clicks;
    list.OnColumnClick = [&](TCustomEnhListView&, int c) { clicks.push_back(c); };
    int begins = 0, ends = 0;
    list.OnSortBegin = [&](TCustomEnhListView&) { ++begins; };
    list.OnSortFinished = [&](TCustomEnhListView&) { ++ends; };
    auto column = [&](int c) {
        std::vector<std::string> v;
        for (int r = 0; r < list.ItemCount(); ++r) v.push_back(list.ItemText(r, c));
        return v;
    };
    auto click = [&](int c) {
        NMLISTVIEW nm{};
        nm.hdr.code = LVN_COLUMNCLICK;
        nm.iItem = -1;
        nm.iSubItem = c;
        notify(nm.hdr);
    };
    click(0);
    EXPECT_TRUE(list.CurrentSortAscending());
    std::vector<std::string> up = column(0);
    EXPECT_LT(std::find(up.begin(), up.end(), "9") - up.begin(), std::find(up.begin(), up.end(), "10") - up.begin());
    click(0);
    EXPECT_FALSE(list.CurrentSortAscending());
    std::vector<std::string> down = column(0);
    EXPECT_LT(std::find(down.begin(), down.end(), "10") - down.begin(),
              std::find(down.begin(), down.end(), "9") - down.begin());
    click(1);
    EXPECT_TRUE(list.CurrentSortAscending());
    EXPECT_EQ(list.LastColumnSorted(), 1);
    EXPECT_EQ(clicks, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(begins, 3);
    EXPECT_EQ(ends, 3);

    // The sort's own comparer: reversed by the direction.
    list.OnSortItems = [&](TCustomEnhListView&, int a, int b, int sortColumn, int& result) {
        EXPECT_EQ(sortColumn, -1);
        result = list.ItemText(a, 0).size() < list.ItemText(b, 0).size() ? -1 : 1;
    };
    list.SortColumn(0, false);
    EXPECT_EQ(column(0).front().size(), 8u);

    // A click beside the last column.
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.hwnd(), LVM_GETHEADER, 0, 0));
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(450, 5));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(450, 5));
    EXPECT_EQ(clicks.back(), -1);
}

// Only a press and a release both beside the columns ask for -1; a press
// that began on a column and ends beside them (or the other way) is no click.
TEST_F(VirtualListViewTest, HeaderReportsMinusOneOnlyForAPressAndReleaseBesideTheColumns) {
    std::vector<int> clicks;
    list.OnColumnClick = [&](TCustomEnhListView&, int c) { clicks.push_back(c); };
    HWND header = reinterpret_cast<HWND>(SendMessageA(list.hwnd(), LVM_GETHEADER, 0, 0));
    RECT first{};
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const int y = (first.top + first.bottom) / 2;
    const POINT column0{50, y}, column1{150, y}, beside{450, y};
    struct Case {
        const char* what;
        POINT from, to;
        std::vector<int> reported;
    } cases[] = {
        {"press and release beside", beside, beside, {-1}},
        {"press on a column, release beside", column0, beside, {}},
        {"press beside, release on a column", beside, column0, {}},
        {"click on a column", column1, column1, {1}},
    };
    for (const Case& c : cases) {
        clicks.clear();
        kv::uitest::sendDrag(header, c.from, c.to);
        EXPECT_EQ(clicks, c.reported) << c.what;
    }
}

// The control's sort leaves the rows unstable while it calls the comparer;
// Windows promises only LVM_GETITEM there, so texts are read with nothing else.
TEST_F(VirtualListViewTest, SortReadsRowsOnlyThroughGetItem) {
    for (const char* t : {"b", "c", "a"}) list.AddItem(t, {std::string("x") + t, "y"});
    list.OnSortBegin = [&](TCustomEnhListView&) { list.recording = true; };
    list.OnSortFinished = [&](TCustomEnhListView&) { list.recording = false; };
    auto bySecondColumn = [&](TCustomEnhListView&, int a, int b, int, int& result) {
        result = list.ItemText(a, 1).compare(list.ItemText(b, 1));
    };
    for (bool custom : {false, true}) {
        list.OnSortItems = custom ? bySecondColumn : decltype(list.OnSortItems)();
        list.listMessages.clear();
        list.SortColumn(1, true);
        std::vector<std::string> rows;
        for (int r = 0; r < list.ItemCount(); ++r) rows.push_back(list.ItemText(r, 0));
        EXPECT_EQ(rows, (std::vector<std::string>{"a", "b", "c"})) << custom;
        int reads = 0;
        for (UINT m : list.listMessages) {
            if (m == LVM_SORTITEMSEX) continue;
            EXPECT_EQ(m, static_cast<UINT>(LVM_GETITEMA)) << custom;
            ++reads;
        }
        EXPECT_GT(reads, 0) << custom;
    }
}

// An owner-data list's rows are the owner's: a plain list made from it starts
// empty, and asks the owner for nothing on the way.
TEST_F(VirtualListViewTest, TurningVirtualModeOffLeavesAnEmptyPlainList) {
    makeVirtual(5000);
    cellRequests = 0;
    list.SetVirtualMode(false);
    EXPECT_FALSE(GetWindowLongA(list.hwnd(), GWL_STYLE) & LVS_OWNERDATA);
    EXPECT_EQ(list.ItemCount(), 0);
    EXPECT_EQ(cellRequests, 0);
    list.AddItem("one", {"1"});
    EXPECT_EQ(list.ItemCount(), 1);
    EXPECT_EQ(list.ItemText(0, 1), "1");
    list.SetVirtualMode(true);  // and back: the plain rows stay behind
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(VirtualListViewTest, ItemsOfAPlainListSurviveRecreation) {
    list.AddItem("one", {"1", "a"});
    list.AddItem("two", {"2", "b"});
    list.SetStyle(TLVStyle::lvOwnerDrawFixed);
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.ItemText(1, 0), "two");
    EXPECT_EQ(list.ItemText(1, 2), "b");
}

TEST_F(VirtualListViewTest, ColumnImagesNeedImagesAndFollowTheFormat) {
    auto fmtOf = [&](int c, int* image = nullptr) {
        LVCOLUMNA col{};
        col.mask = LVCF_FMT | LVCF_IMAGE;
        SendMessageA(list.hwnd(), LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
        if (image) *image = col.iImage;
        return col.fmt;
    };
    list.SetColumnFormat(1, {3, TColumnImageAlign::ciaRightOfText});
    EXPECT_EQ(fmtOf(1) & 0x1800, 0);  // no images: nothing sent

    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 4, 0);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 64, 16);
    ReleaseDC(nullptr, screen);
    ImageList_Add(images, bmp, nullptr);
    DeleteObject(bmp);
    list.SetSmallImages(images);
    list.SetColumnFormat(1, {3, TColumnImageAlign::ciaRightOfText});
    int image = -1;
    EXPECT_EQ(fmtOf(1, &image) & 0x1800, 0x1800);
    EXPECT_EQ(image, 3);
    list.SetColumnFormat(1, {-1, TColumnImageAlign::ciaLeftOfText});
    EXPECT_EQ(fmtOf(1) & 0x1800, 0);
    EXPECT_EQ(list.ColumnsFormat()[1].ImageAlignment, TColumnImageAlign::ciaRightOfText);
    list.SetSmallImages(nullptr);
    ImageList_Destroy(images);
}

TEST_F(VirtualListViewTest, WidthsAndOrderAreStoredAndBadValuesIgnored) {
    const std::string key = "Software\\KorvalderTests\\ExtListView";
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    list.SaveSettings.AutoSave = true;
    list.SaveSettings.RegistryKey = "\\" + key;  // a leading backslash is dropped
    list.SetColumnWidth(0, 120);
    list.SetColumnOrder({2, 1, 0});
    list.StoreColumnSettings();
    kv::RegistrySectionStore store(HKEY_CURRENT_USER, key);
    EXPECT_EQ(store.ReadString("Columns", "Sizes"), "120,100,100");
    EXPECT_EQ(store.ReadString("Columns", "Order"), "2,1,0");

    store.WriteString("Columns", "Sizes", "70,x");
    store.WriteString("Columns", "Order", "0,0,1");
    list.SetColumnOrder({1, 0, 2});
    list.LoadColumnSettings();
    EXPECT_EQ(list.ColumnWidth(0), 70);
    EXPECT_EQ(list.ColumnWidth(1), 100);  // not a number: left alone
    EXPECT_EQ(list.ColumnWidth(2), 100);  // missing: left alone
    EXPECT_EQ(headerOrder(), (std::vector<int>{1, 0, 2}));
    store.WriteString("Columns", "Order", "2,0,1");
    list.LoadColumnSettings();
    EXPECT_EQ(headerOrder(), (std::vector<int>{2, 0, 1}));
    list.SaveSettings.AutoSave = false;
    RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
}

TEST_F(VirtualListViewTest, CustomDrawAsksForItemsAndHandsOverTheRealRecord) {
    NMLVCUSTOMDRAW cd{};
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(notify(cd.nmcd.hdr), CDRF_NOTIFYITEMDRAW);
    cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    EXPECT_EQ(notify(cd.nmcd.hdr), 0);  // no handler
    list.OnCDPrepaint = [](TExtListView&, NMLVCUSTOMDRAW& lvcd, int& result) {
        lvcd.clrText = RGB(200, 0, 0);
        result = CDRF_NEWFONT;
    };
    EXPECT_EQ(notify(cd.nmcd.hdr), CDRF_NEWFONT);
    EXPECT_EQ(cd.clrText, RGB(200, 0, 0));
    cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
    EXPECT_EQ(notify(cd.nmcd.hdr), 0);
}

TEST_F(VirtualListViewTest, NotificationsOfEachModeReachTheirEvents) {
    int activations = 0;
    list.OnItemActivate = [&](TExtListView&) { ++activations; };
    list.OnMarqueeBegin = [](TExtListView&, bool& canBegin) { canBegin = false; };
    NMITEMACTIVATE act{};
    act.hdr.code = LVN_ITEMACTIVATE;
    notify(act.hdr);
    EXPECT_EQ(activations, 1);
    NMHDR marquee{};
    marquee.code = LVN_MARQUEEBEGIN;
    EXPECT_EQ(notify(marquee), 1);  // refused

    makeVirtual(100);
    int hints = 0, states = 0;
    list.OnVMCacheHint = [&](TExtListView&, NMLVCACHEHINT& h) { hints += h.iTo - h.iFrom; };
    list.OnVMStateChanged = [&](TExtListView&, NMLVODSTATECHANGE& c) { states += c.iTo - c.iFrom + 1; };
    NMLVCACHEHINT hint{};
    hint.hdr.code = LVN_ODCACHEHINT;
    hint.iFrom = 10;
    hint.iTo = 30;
    notify(hint.hdr);
    NMLVODSTATECHANGE change{};
    change.hdr.code = LVN_ODSTATECHANGED;
    change.iFrom = 0;
    change.iTo = 4;
    notify(change.hdr);
    EXPECT_EQ(hints, 20);
    EXPECT_EQ(states, 5);
    notify(act.hdr);  // a plain list's notification: not in virtual mode
    EXPECT_EQ(activations, 1);
}

TEST_F(VirtualListViewTest, OwnerDrawnRowsDrawByDefaultOrByTheHandler) {
    list.AddItem("Readme.txt", {"1 kB", "x"});
    list.SetStyle(TLVStyle::lvOwnerDrawFixed);
    EXPECT_TRUE(GetWindowLongA(list.hwnd(), GWL_STYLE) & LVS_OWNERDRAWFIXED);
    BitmapCanvas row(300, 18);
    row.canvas().setBrushColor(RGB(1, 2, 3));
    row.canvas().fillRect({0, 0, 300, 18});
    DRAWITEMSTRUCT d{};
    d.CtlType = ODT_LISTVIEW;
    d.hwndItem = list.hwnd();
    d.hDC = row.dc();
    d.itemID = 0;
    d.rcItem = {0, 0, 300, 18};
    auto draw = [&] { SendMessageA(form.hwnd(), WM_DRAWITEM, list.id(), reinterpret_cast<LPARAM>(&d)); };
    int after = 0;
    list.OnAfterDefaultDrawItem = [&](TCustomEnhListView&, HDC, int index, RECT, UINT) { after += index == 0; };
    draw();
    EXPECT_GT(row.pixelsUnlike(row.pixel(299, 0)), 20);  // the texts
    EXPECT_EQ(after, 1);

    row.canvas().setBrushColor(RGB(1, 2, 3));
    row.canvas().fillRect({0, 0, 300, 18});
    list.OnDrawItem = [](TCustomEnhListView&, HDC, int, RECT, UINT, bool& defaultDrawing) { defaultDrawing = false; };
    draw();
    EXPECT_EQ(row.pixelsUnlike(RGB(1, 2, 3)), 0);
    EXPECT_EQ(after, 1);
}

TEST_F(VirtualListViewTest, DragImageOnlyWhileOneRowIsSelected) {
    for (const char* t : {"alpha", "beta", "gamma"}) list.AddItem(t, {"1", "2"});
    std::vector<int> starts;
    list.OnStartDrag = [&](TCustomEnhListView& sender, int row) {
        EXPECT_TRUE(sender.GetDragImages());  // made before the event
        starts.push_back(row);
    };
    list.setFocus();
    POINT p = rowCentre(1);
    PostMessageA(list.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    Application::instance().processMessages();
    ASSERT_EQ(list.SelectedCount(), 1);
    NMLISTVIEW nm{};
    nm.hdr.code = LVN_BEGINDRAG;
    nm.iItem = 1;
    notify(nm.hdr);
    ASSERT_TRUE(list.GetDragImages());
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageA(list.hwnd(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(list.DragHotSpot().x, p.x - r.left);
    EXPECT_EQ(list.DragHotSpot().y, p.y - r.top);
    notify(nm.hdr);  // a second drag replaces the image
    EXPECT_EQ(starts, (std::vector<int>{1, 1}));
    select(2, true);
    EXPECT_EQ(list.GetDragImages(), nullptr);
}

TEST_F(VirtualListViewTest, LabelEditingChangeAndFocusEvents) {
    list.EditLabels = true;
    makeVirtual(10);
    std::vector<int> editing, changed;
    std::string edited;
    int entered = 0, left = 0;
    list.onEnter = [&](Control&) { ++entered; };
    list.onExit = [&](Control&) { ++left; };
    list.OnEditing = [&](TCustomEnhListView&, int row, bool& allow) {
        editing.push_back(row);
        allow = row != 3;
    };
    list.OnEdited = [&](TCustomEnhListView&, int row, std::string& text, bool& accept) {
        edited = std::to_string(row) + ":" + text;
        accept = false;
    };
    list.OnChange = [&](TCustomEnhListView&, int row) { changed.push_back(row); };

    list.EditLabel(3);
    EXPECT_FALSE(SendMessageA(list.hwnd(), LVM_GETEDITCONTROL, 0, 0));
    list.EditLabel(2);
    EXPECT_EQ(editing, (std::vector<int>{3, 2}));
    EXPECT_EQ(entered, 1);
    auto edit = reinterpret_cast<HWND>(SendMessageA(list.hwnd(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_TRUE(edit);
    SetWindowTextA(edit, "Renamed");
    SetFocus(form.hwnd());  // leaving the edit ends it
    EXPECT_EQ(edited, "2:Renamed");
    EXPECT_GE(left, 1);

    changed.clear();
    select(5, true);
    EXPECT_EQ(changed, std::vector<int>{5});
}

}  // namespace
