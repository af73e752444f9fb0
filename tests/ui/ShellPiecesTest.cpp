// The window layer's pieces the program's start-up uses: the application's
// icon and title, centred forms, the picture control, focus events, HELP_QUIT.
#include <windows.h>

#include <thread>

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "tests/ui/UiFixture.h"

namespace {

using namespace kv::ui;

class ShellPiecesTest : public UiTest {
protected:
    void TearDown() override {
        app().icon = nullptr;
        app().title.clear();
        app().helpHandler = nullptr;
        app().helpFile.clear();
        UiTest::TearDown();
    }
};

TEST_F(ShellPiecesTest, FormsWithoutAnIconOfTheirOwnShowTheApplications) {
    HICON appIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
    HICON own = LoadIconA(nullptr, MAKEINTRESOURCEA(32513));      // IDI_HAND
    app().icon = appIcon;
    Form plain, withIcon;
    withIcon.setIcon(own);
    plain.createHandle();
    withIcon.createHandle();
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(plain.hwnd(), WM_GETICON, ICON_BIG, 0)), appIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(withIcon.hwnd(), WM_GETICON, ICON_BIG, 0)), own);
}

TEST_F(ShellPiecesTest, TheApplicationTitleCaptionsMessageBoxesThatHaveNone) {
    // The prompt service's message boxes: answered by a thread that reads the caption.
    app().setPrompt(nullptr);
    app().title = "Korvalder?";
    std::string seen;
    std::thread watcher([&] {
        for (int i = 0; i < 200 && seen.empty(); ++i) {
            if (HWND box = FindWindowA("#32770", nullptr)) {
                char caption[64] = {};
                GetWindowTextA(box, caption, sizeof caption);
                seen = caption;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(50);
        }
    });
    app().prompt().showInformation("text", "");
    watcher.join();
    EXPECT_EQ(seen, "Korvalder?");
}

TEST_F(ShellPiecesTest, FormsCentreOnTheScreenOrOverTheMainForm) {
    RECT area = Application::workArea();
    Form main, onScreen, overMain, huge;
    main.setBounds(area.left + 10, area.top + 20, 400, 300);
    main.show();
    app().setMainForm(&main);

    onScreen.setPosition(FormPosition::ScreenCenter);
    onScreen.setBounds(0, 0, 200, 100);
    onScreen.show();
    RECT r{};
    GetWindowRect(onScreen.hwnd(), &r);
    EXPECT_NEAR(r.left, area.left + (area.right - area.left - 200) / 2, 1);
    EXPECT_NEAR(r.top, area.top + (area.bottom - area.top - 100) / 2, 1);

    overMain.setPosition(FormPosition::MainFormCenter);
    overMain.setBounds(0, 0, 200, 100);
    overMain.show();
    GetWindowRect(overMain.hwnd(), &r);
    EXPECT_EQ(r.left, area.left + 10 + 100);
    EXPECT_EQ(r.top, area.top + 20 + 100);

    // Bigger than the screen: the top-left corner stays reachable.
    huge.setPosition(FormPosition::MainFormCenter);
    huge.setBounds(0, 0, area.right - area.left + 400, 100);
    huge.show();
    GetWindowRect(huge.hwnd(), &r);
    EXPECT_EQ(r.left, area.left);

    // A second show keeps a place the user chose since.
    onScreen.hide();
    SetWindowPos(onScreen.hwnd(), nullptr, area.left + 3, area.top + 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    onScreen.show();
    GetWindowRect(onScreen.hwnd(), &r);
    EXPECT_EQ(r.left, area.left + 3);
}

TEST_F(ShellPiecesTest, ImageDrawsItsBitmapAndReportsClicks) {
    Form form;
    form.setBounds(0, 0, 200, 150);
    form.createHandle();
    BitmapCanvas picture(20, 10);
    picture.canvas().setBrushColor(RGB(255, 0, 0));
    picture.canvas().fillRect({0, 0, 20, 10});
    // The image owns what it is given: a copy of the canvas's bitmap.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(picture.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    Image image;
    image.setBounds(0, 0, 40, 30);
    image.setBitmap(GdiObject<HBITMAP>(copy));
    image.create(&form);
    int clicks = 0;
    image.onClick = [&](Image&) { ++clicks; };
    form.show();

    BitmapCanvas shot(40, 30);
    renderWindow(image.hwnd(), shot);
    EXPECT_EQ(shot.pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(shot.pixel(30, 5), GetSysColor(COLOR_BTNFACE));
    image.setStretch(true);
    renderWindow(image.hwnd(), shot);
    EXPECT_EQ(shot.pixel(35, 25), RGB(255, 0, 0));

    SendMessageA(image.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(image.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    // A release without a press on the image (a drag from elsewhere) is no click.
    SendMessageA(image.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShellPiecesTest, ControlsReportEnteringAndLeavingTheFocus) {
    Form form;
    form.createHandle();
    Edit first;
    Button second;
    first.create(&form);
    second.create(&form);
    form.show();
    SetForegroundWindow(form.hwnd());
    std::vector<std::string> events;
    first.onEnter = [&](Control&) { events.push_back("enter first"); };
    first.onExit = [&](Control&) { events.push_back("exit first"); };
    second.onEnter = [&](Control&) { events.push_back("enter second"); };
    first.setFocus();
    second.setFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"enter first", "exit first", "enter second"}));
}

TEST_F(ShellPiecesTest, HelpQuitClosesTheViewerOnlyWhenThereIsAHelpFile) {
    std::vector<UINT> commands;
    app().helpHandler = [&](HWND, const std::string&, UINT command, ULONG_PTR) {
        commands.push_back(command);
        return true;
    };
    EXPECT_FALSE(app().helpQuit(nullptr));
    app().helpFile = "Korvalder.hlp";
    EXPECT_TRUE(app().helpQuit(nullptr));
    EXPECT_EQ(commands, std::vector<UINT>{HELP_QUIT});
}

}  // namespace
