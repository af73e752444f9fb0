#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/ProgressBar.h"
#include "ui/StatusBar.h"
#include "UiFixture.h"

namespace {

using namespace kv::ui;

using StatusBarPanelsTest = UiTest;

std::string partText(HWND bar, int part) {
    char text[128] = {};
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

TEST_F(StatusBarPanelsTest, AlignmentWidthsAndClicks) {
    Form form;
    form.setBounds(0, 0, 500, 300);
    form.createHandle();
    StatusBar bar;
    bar.setPanels({{"Loaded", 75, false, PanelAlignment::Center}, {"summary", 288}, {"LED", 33, false, PanelAlignment::Right}});
    bar.create(&form);
    EXPECT_EQ(partText(bar.hwnd(), 0), "\tLoaded");
    EXPECT_EQ(partText(bar.hwnd(), 1), "summary");
    EXPECT_EQ(partText(bar.hwnd(), 2), "\t\tLED");
    EXPECT_EQ(bar.panelText(0), "Loaded");

    bar.setPanelWidth(1, 100);
    EXPECT_EQ(bar.panelWidth(1), 100);
    EXPECT_EQ(bar.panelRect(1).right, 175);
    EXPECT_EQ(bar.panelAt(74), 0);
    EXPECT_EQ(bar.panelAt(75), 1);
    EXPECT_EQ(bar.panelAt(400), -1);

    std::vector<int> clicked;
    bar.onPanelClick = [&](StatusBar&, int panel) { clicked.push_back(panel); };
    NMMOUSE click{};
    click.hdr = {bar.hwnd(), bar.id(), static_cast<UINT>(NM_CLICK)};
    click.dwItemSpec = 1;
    SendMessageA(form.hwnd(), WM_NOTIFY, bar.id(), reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(clicked, std::vector<int>{1});
}

TEST_F(StatusBarPanelsTest, SimpleModeSizeGripAndAnEmbeddedProgressBar) {
    Form form;
    form.setBounds(0, 0, 500, 300);
    form.createHandle();
    StatusBar bar;
    bar.setPanels({{"a", 100}, {"b", 150}, {"c", 50}});
    bar.create(&form);
    EXPECT_FALSE(GetWindowLongA(bar.hwnd(), GWL_STYLE) & SBARS_SIZEGRIP);
    bar.setSizeGrip(true);
    EXPECT_TRUE(GetWindowLongA(bar.hwnd(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(SendMessageA(bar.hwnd(), SB_GETPARTS, 0, 0), 3);  // kept across the re-creation

    bar.setSimpleText("Searching...");
    bar.setSimplePanel(true);
    EXPECT_TRUE(SendMessageA(bar.hwnd(), SB_ISSIMPLE, 0, 0));
    bar.setSimplePanel(false);
    EXPECT_FALSE(SendMessageA(bar.hwnd(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(partText(bar.hwnd(), 1), "b");

    ProgressBar progress;
    progress.create(&bar);
    bar.placeInPanel(progress, 1);
    RECT panel = bar.panelRect(1);
    EXPECT_EQ(progress.bounds().left, panel.left + 1);
    EXPECT_EQ(progress.bounds().right, panel.right - 1);
    bar.setPanelWidth(0, 200);
    EXPECT_EQ(progress.bounds().left, bar.panelRect(1).left + 1);
    EXPECT_GE(progress.bounds().left, 200);
}

}  // namespace
