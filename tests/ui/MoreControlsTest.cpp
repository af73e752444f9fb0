#include "UiFixture.h"
// after the fixture: commctrl.h needs windows.h first
#include <commctrl.h>

#include <memory>

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/PageControl.h"
#include "ui/Pickers.h"
#include "ui/RangeControls.h"
#include "ui/Splitter.h"
#include "tests/support/TestInput.h"

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

// The main window's panes: a tree at the left, the splitter, a list filling the rest.
struct PanesForm {
    Form form;
    Panel tree, list;
    std::unique_ptr<Splitter> bar = std::make_unique<Splitter>();
    int moves = 0;
    PanesForm() {
        form.setBounds(0, 0, 400, 300);
        form.createHandle();
        form.setClientSize(400, 300);
        tree.setBounds(0, 0, 150, 10);
        tree.setAlign(Align::Left);
        list.setAlign(Align::Client);
        tree.create(&form);
        bar->create(&form);
        list.create(&form);
        bar->OnMoved = [this](Splitter&) { ++moves; };
    }
};

TEST_F(MoreControlsTest, SplitterDragResizesItsNeighbourWithinLimits) {
    PanesForm f;
    Splitter& bar = *f.bar;
    ASSERT_EQ(bar.neighbour(), &f.tree);
    EXPECT_EQ(bar.bounds().left, 150);
    // The drag runs its own loop: what the mouse does next is queued first
    // (one position only: the bar moves with the first).
    auto drag = [&](int toX, bool escape = false) {
        if (escape) PostMessageA(bar.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(bar.hwnd(), escape ? WM_MOUSEMOVE : WM_LBUTTONUP, 0, MAKELPARAM(toX, 50));
        SendMessageA(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    };
    drag(42);
    EXPECT_EQ(f.tree.width(), 190);
    EXPECT_EQ(bar.bounds().left, 190);
    EXPECT_EQ(f.list.bounds().left, 194);
    // Dragged far left: the neighbour keeps its minimum.
    drag(-1000);
    EXPECT_EQ(f.tree.width(), bar.MinSize);
    EXPECT_EQ(f.moves, 2);
    // Esc cancels: the size the drag began with comes back.
    drag(100, true);
    EXPECT_EQ(f.tree.width(), bar.MinSize);
    EXPECT_EQ(f.moves, 2);
}

// A lost capture ends every drag loop: cancelled, nothing applied, the message
// that came after the loss still delivered; a splitter that goes while its drag
// runs ends it without touching the freed object.
TEST_F(MoreControlsTest, SplitterDragEndsOnALostCaptureAndWhenDestroyed) {
    PanesForm f;
    int delivered = 0;
    f.list.onMouseMove = [&](Control&, UINT, int, int) { ++delivered; };
    PostMessageA(f.bar->hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 50));
    kv::uitest::TimerAction steal(50, [&] {
        SetCapture(f.list.hwnd());
        PostMessageA(f.list.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    });
    SendMessageA(f.bar->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    EXPECT_TRUE(steal.ran());
    EXPECT_EQ(f.tree.width(), 150);  // the live resize was taken back
    EXPECT_EQ(f.moves, 0);
    ReleaseCapture();
    app().processMessages();
    EXPECT_EQ(delivered, 1);

    kv::uitest::TimerAction destroy(50, [&] { f.bar.reset(); });
    SendMessageA(f.bar->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
    EXPECT_TRUE(destroy.ran());
    EXPECT_EQ(GetCapture(), nullptr);
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
