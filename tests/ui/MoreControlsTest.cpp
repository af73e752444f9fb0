#include "UiFixture.h"
// after the fixture: commctrl.h needs windows.h first
#include <commctrl.h>

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/PageControl.h"
#include "ui/Pickers.h"
#include "ui/RangeControls.h"
#include "ui/Splitter.h"

namespace {

using namespace kv::ui;

using MoreControlsTest = UiTest;

TEST_F(MoreControlsTest, RadioButtonsOfOneParentExcludeEachOther) {
    Form form;
    GroupBox group;
    group.setText("Mode");
    group.setBounds(0, 0, 200, 100);
    RadioButton a, b;
    group.create(&form);
    a.create(&form);
    b.create(&form);
    form.createHandle();
    a.setChecked(true);
    int clicks = 0;
    b.onClick = [&](RadioButton&) { ++clicks; };
    SendMessageA(b.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b.checked());
    EXPECT_FALSE(a.checked());
    form.recreateWnd();
    EXPECT_TRUE(b.checked());
    EXPECT_EQ(group.text(), "Mode");
}

TEST_F(MoreControlsTest, TrackBarAndUpDownKeepPositionsAndReportChanges) {
    Form form;
    form.createHandle();
    TrackBar track;
    track.setRange(0, 50);
    track.setPosition(20);
    track.create(&form);
    int changes = 0;
    track.onChange = [&](TrackBar&) { ++changes; };
    SendMessageA(track.hwnd(), TBM_SETPOS, TRUE, 35);
    SendMessageA(form.hwnd(), WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(track.hwnd()));
    EXPECT_EQ(changes, 1);
    track.setSelectionRange(true, 5, 15);  // needs another window
    EXPECT_TRUE(GetWindowLongA(track.hwnd(), GWL_STYLE) & TBS_ENABLESELRANGE);
    EXPECT_EQ(track.position(), 35);
    EXPECT_EQ(SendMessageA(track.hwnd(), TBM_GETSELEND, 0, 0), 15);

    UpDown spin;
    spin.setRange(-5, 100000);
    spin.setPosition(70000);
    spin.create(&form);
    EXPECT_EQ(spin.position(), 70000);
    int seen = 0;
    spin.onChange = [&](UpDown&, int p) { seen = p; };
    NMUPDOWN nm{};
    nm.hdr.hwndFrom = spin.hwnd();
    nm.hdr.code = UDN_DELTAPOS;
    nm.iPos = 70000;
    nm.iDelta = 1;
    SendMessageA(form.hwnd(), WM_NOTIFY, spin.id(), reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(seen, 70001);
}

TEST_F(MoreControlsTest, PagesShowOneAtATimeAndHiddenPagesLoseTheirTab) {
    Form form;
    form.setBounds(0, 0, 300, 200);
    PageControl pages;
    pages.setBounds(0, 0, 280, 160);
    pages.create(&form);
    form.createHandle();
    Panel& general = pages.addPage("General");
    Panel& files = pages.addPage("Files");
    Panel& extra = pages.addPage("Extra");
    EXPECT_EQ(SendMessageA(pages.hwnd(), TCM_GETITEMCOUNT, 0, 0), 3);
    form.show();  // a page of a hidden form is never visible
    EXPECT_TRUE(IsWindowVisible(general.hwnd()));
    EXPECT_FALSE(IsWindowVisible(files.hwnd()));
    EXPECT_FALSE(IsWindowVisible(extra.hwnd()));
    EXPECT_EQ(pages.activePage(), 0);

    pages.setPageVisible(1, false);
    EXPECT_EQ(SendMessageA(pages.hwnd(), TCM_GETITEMCOUNT, 0, 0), 2);
    int changes = 0;
    pages.onChange = [&](PageControl&) { ++changes; };
    SendMessageA(pages.hwnd(), TCM_SETCURSEL, 1, 0);
    NMHDR nm{pages.hwnd(), pages.id(), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(form.hwnd(), WM_NOTIFY, pages.id(), reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages.activePage(), 2);  // the second tab is the third page
    EXPECT_TRUE(extra.visible());
    EXPECT_FALSE(general.visible());
    EXPECT_FALSE(files.visible());
    pages.setActivePage(1);  // hidden: refused
    EXPECT_EQ(pages.activePage(), 2);
}

}  // namespace

namespace {

using namespace kv::ui;

TEST_F(MoreControlsTest, SplitterDragResizesItsNeighbourWithinLimits) {
    Form form;
    form.setBounds(0, 0, 400, 300);
    form.createHandle();
    form.setClientSize(400, 300);
    Panel tree, list;
    Splitter bar;
    tree.setBounds(0, 0, 150, 10);
    tree.setAlign(Align::Left);
    list.setAlign(Align::Client);
    tree.create(&form);
    bar.create(&form);
    list.create(&form);
    ASSERT_EQ(bar.neighbour(), &tree);
    EXPECT_EQ(bar.bounds().left, 150);
    int moves = 0;
    bar.onMoved = [&](Splitter&) { ++moves; };
    SendMessageA(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    SendMessageA(bar.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(42, 50));
    SendMessageA(bar.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(42, 50));
    EXPECT_EQ(tree.width(), 190);
    EXPECT_EQ(bar.bounds().left, 190);
    EXPECT_EQ(list.bounds().left, 194);
    // Dragged far left: the neighbour keeps its minimum.
    SendMessageA(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    SendMessageA(bar.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1000, 50));
    SendMessageA(bar.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(-1000, 50));
    EXPECT_EQ(tree.width(), bar.minSize);
    EXPECT_EQ(moves, 2);
}

TEST_F(MoreControlsTest, DatePickerKeepsItsDateAcrossRecreation) {
    Form form;
    form.createHandle();
    DateTimePicker date;
    SYSTEMTIME t{2024, 5, 0, 3, 0, 0, 0, 0};
    date.setTime(t);
    date.create(&form);
    form.recreateWnd();
    SYSTEMTIME back = date.time();
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 5);
    EXPECT_EQ(back.wDay, 3);
    Animation anim;
    anim.create(&form);
    EXPECT_FALSE(anim.play());  // no resource set
}

}  // namespace
