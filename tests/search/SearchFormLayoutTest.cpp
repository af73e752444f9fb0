#include <gtest/gtest.h>

#include "search/window/SearchLayout.h"
#include "search/window/SearchPlacement.h"
#include "tests/search/SearchFormFixture.h"

namespace kv {
namespace {

class SearchFormLayoutTest : public SearchFormTest {
protected:
    // c's rectangle in the form's client coordinates.
    RECT Bounds(ui::Control& c) {
        RECT r{};
        GetWindowRect(c.hwnd(), &r);
        MapWindowPoints(nullptr, form->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    SIZE Client() {
        const RECT r = form->clientRect();
        return {r.right - r.left, r.bottom - r.top};
    }
    void ResizeBy(int dx, int dy) {
        RECT w{};
        GetWindowRect(form->hwnd(), &w);
        SetWindowPos(form->hwnd(), nullptr, 0, 0, w.right - w.left + dx, w.bottom - w.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Fills the walked folder, so that a run lasts while the test looks at it.
    void ManyFiles() {
        FileOwnerRecord& owner = test::ModelFixture::folderRec(*model.a2);
        for (int i = 0; i < 200000; ++i)
            test::AddFile(owner, "f" + std::to_string(i));
    }
};

TEST_F(SearchFormLayoutTest, FoundListShowsAfterTheFirstSearchAndFollowsTheWindow) {
    // Before any search the window is just the criteria area and cannot grow.
    EXPECT_EQ(Client().cy, kSearchCriteriaHeight);
    EXPECT_FALSE(form->FoundList.View().visible());
    EXPECT_FALSE(form->StatusBar.visible());
    ResizeBy(0, 200);
    EXPECT_EQ(Client().cy, kSearchCriteriaHeight);

    SearchByName("a1");
    ASSERT_TRUE(WaitForRun());
    EXPECT_TRUE(form->FoundList.View().visible());
    EXPECT_TRUE(form->StatusBar.visible());
    const std::uint16_t stored = form->NormalResults().listHeight;
    const RECT list = Bounds(form->FoundList.View());
    EXPECT_EQ(list.bottom - list.top, stored);
    const RECT toolbar = Bounds(form->Toolbar);
    const RECT find = Bounds(form->BtnFind);

    // Larger: the list takes the growth and keeps it; the rest keeps its place.
    ResizeBy(100, 80);
    const RECT grown = Bounds(form->FoundList.View());
    EXPECT_EQ(grown.top, list.top);
    EXPECT_EQ(grown.bottom - grown.top, stored + 80);
    EXPECT_EQ(grown.right - grown.left, list.right - list.left + 100);
    EXPECT_EQ(form->NormalResults().listHeight, stored + 80);
    EXPECT_EQ(Bounds(form->Toolbar).top, toolbar.top);
    EXPECT_EQ(Bounds(form->BtnFind).left, find.left);
    EXPECT_EQ(Bounds(form->BtnClose).right, Client().cx - kSearchMargin);
    EXPECT_EQ(Bounds(form->StatusBar).bottom, Client().cy);
    EXPECT_LE(grown.bottom, Bounds(form->StatusBar).top);

    // Smaller than the least size: the list keeps its least height, the buttons their row.
    ResizeBy(-1000, -1000);
    EXPECT_EQ(Bounds(form->FoundList.View()).bottom - Bounds(form->FoundList.View()).top, kMinFoundListHeight);
    EXPECT_EQ(Client().cx, SearchMinClientWidth(form->Toolbar.RowWidth()));
    EXPECT_GE(Bounds(form->BtnClose).left, Bounds(form->BtnNew).right);

    // New Search hides the list again and the window shrinks to the criteria.
    form->BtnNewClick();
    EXPECT_EQ(Client().cy, kSearchCriteriaHeight);
    EXPECT_FALSE(form->FoundList.View().visible());
}

TEST_F(SearchFormLayoutTest, ARunShowsItsProgressBarAndAnimation) {
    ManyFiles();
    SearchByName("f");
    ASSERT_TRUE(form->SearchRunning());
    const ui::ProgressBar* bar = form->SearchProgressBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->max(), 1000);
    EXPECT_TRUE(form->StatusBar.simplePanel());
    EXPECT_FALSE(form->StatusBar.sizeGrip());
    // From panel 0's right edge to 2 pixels short of the bar's end.
    RECT r{};
    GetWindowRect(bar->hwnd(), &r);
    MapWindowPoints(nullptr, form->StatusBar.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, form->StatusBar.panelWidth(0));
    EXPECT_EQ(r.right, form->StatusBar.clientRect().right - 2);
    // The system's find clip plays where the system has it.
    EXPECT_TRUE(form->Animation.visible());
    EXPECT_EQ(form->Animation.active(), form->Animation.opened());
    // In help mode the animation opens its own topic.
    std::vector<std::pair<UINT, ULONG_PTR>> asked;
    app().helpFile = "KORVALDER.HLP";
    app().helpHandler = [&](HWND, const std::string&, UINT command, ULONG_PTR data) {
        asked.emplace_back(command, data);
        return true;
    };
    form->show();
    form->BtnHelpClick();
    const RECT clip = Bounds(form->Animation);
    SendMessageA(form->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clip.left + 3, clip.top + 3));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(asked[0].second, 28u);
    app().helpHandler = nullptr;
    app().helpFile.clear();

    // The bar follows the run as the worker reports.
    int position = 0;
    for (int i = 0; i < 2000 && form->SearchRunning() && position == 0; ++i) {
        app().processMessages();
        position = form->SearchProgressBar() ? form->SearchProgressBar()->position() : position;
        Sleep(1);
    }
    if (form->SearchRunning()) {
        EXPECT_GT(position, 0);
    }
    EXPECT_LE(position, 1000);

    ASSERT_TRUE(WaitForRun());
    EXPECT_EQ(form->SearchProgressBar(), nullptr);
    EXPECT_FALSE(form->StatusBar.simplePanel());
    EXPECT_TRUE(form->StatusBar.sizeGrip());
    EXPECT_FALSE(form->Animation.active());
    EXPECT_FALSE(form->Animation.visible());
    form->hide();
}

TEST_F(SearchFormLayoutTest, NewButtonSettingsLayTheToolbarAndListOut) {
    ShowFoundLists();
    const RECT list = Bounds(form->FoundList.View());
    form->SetButtons(7, true);
    const int side = 7 * 2 + 21;
    const RECT button = Bounds(*form->Toolbar.Buttons().front());
    EXPECT_EQ(button.right - button.left, side);
    EXPECT_EQ(form->Toolbar.height(), side);
    // The list keeps its height below the taller toolbar.
    const RECT moved = Bounds(form->FoundList.View());
    EXPECT_EQ(moved.top, list.top + side - 25);
    EXPECT_EQ(moved.bottom - moved.top, list.bottom - list.top);
}

}  // namespace
}  // namespace kv
