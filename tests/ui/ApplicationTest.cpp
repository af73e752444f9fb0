#include "UiFixture.h"
#include "ui/Form.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using ApplicationTest = UiTest;

TEST_F(ApplicationTest, IdleRunsInsideModalLoopsButNeverInProcessMessages) {
    int idleOutside = 0, idleModal = 0;
    app().onIdle = [&](Application& sender, bool&) {
        EXPECT_EQ(&sender, &app());
        ++(sender.modalDepth() > 0 ? idleModal : idleOutside);
    };
    for (int i = 0; i < 5; ++i) PostMessageA(nullptr, WM_NULL, 0, 0);
    app().processMessages();
    EXPECT_EQ(idleOutside + idleModal, 0);

    Form dialog;
    int depthInside = -1;
    kv::uitest::TimerAction end(100, [&] {
        depthInside = app().modalDepth();
        dialog.setModalResult(mrOk);
    });
    dialog.showModal();
    EXPECT_EQ(depthInside, 1);
    EXPECT_GT(idleModal, 0);
    EXPECT_EQ(idleOutside, 0);
    EXPECT_EQ(app().modalDepth(), 0);
}

TEST_F(ApplicationTest, IdleWorkCanEndAModalLoopWithoutAnotherMessage) {
    Form dialog;
    app().onIdle = [&](Application&, bool&) { dialog.setModalResult(mrYes); };
    EXPECT_EQ(dialog.showModal(), mrYes);
}

TEST_F(ApplicationTest, ExceptionInIdleIsReportedAndTheLoopGoesOn) {
    Form dialog;
    int calls = 0;
    app().onIdle = [&](Application&, bool& done) {
        done = false;
        if (++calls == 1) throw std::runtime_error("idle failed");
        if (calls == 3) dialog.setModalResult(mrOk);
    };
    EXPECT_EQ(dialog.showModal(), mrOk);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "idle failed");
}

TEST_F(ApplicationTest, QuitInsideAModalLoopReachesTheOuterLoop) {
    Form dialog;
    kv::uitest::TimerAction quit(30, [] { PostQuitMessage(3); });
    EXPECT_EQ(dialog.showModal(), mrCancel);  // the window is left without a result
    EXPECT_EQ(app().run(), 3);
}

TEST_F(ApplicationTest, HourglassIsScopedAndNests) {
    HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    EXPECT_EQ(app().screenCursor(), nullptr);
    {
        ScopedHourglass outer;
        EXPECT_EQ(app().screenCursor(), wait);
        {
            ScopedHourglass inner;
            EXPECT_EQ(app().screenCursor(), wait);
        }
        EXPECT_EQ(app().screenCursor(), wait);
        Form form;
        form.show();
        EXPECT_TRUE(SendMessageA(form.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hwnd()),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    }
    EXPECT_EQ(app().screenCursor(), nullptr);
}

}  // namespace
