#include "UiFixture.h"
#include "ui/Form.h"
#include "ui/MessageBoxPrompt.h"
#include "tests/support/TestInput.h"
#include "ui/WaitForm.h"

namespace {

using namespace kv::ui;

class WaitFormTest : public UiTest {
protected:
    void TearDown() override {
        CloseWaitWindow();
        UiTest::TearDown();
    }
};

TEST_F(WaitFormTest, WithoutCancelTheWindowIsShorterAndTheTextCentred) {
    WaitForm& full = ShowWaitWindow("Loading", true, true);
    int fullHeight = full.fullHeight();
    EXPECT_EQ(full.height(), fullHeight);
    EXPECT_TRUE(full.CancelBtn.visible());
    EXPECT_EQ(full.WaitLabel.text(), "Loading");

    WaitForm& bare = ShowWaitWindow("Sorting", false, false);
    EXPECT_EQ(&bare, &full);  // one window at a time
    EXPECT_EQ(bare.height(), fullHeight - bare.CancelBtn.height() - 4);
    EXPECT_EQ(bare.panel.height(), bare.height() - 2 * bare.panel.top());
    EXPECT_FALSE(bare.progressBar.visible());
    RECT l = bare.WaitLabel.bounds();
    int labelMiddle = bare.panel.top() + (l.top + l.bottom) / 2;
    EXPECT_NEAR(labelMiddle, bare.height() / 2, 1);

    WaitForm& barOnly = ShowWaitWindow("x", true, false);
    l = barOnly.WaitLabel.bounds();
    EXPECT_LE(l.bottom, barOnly.progressBar.top());
}

TEST_F(WaitFormTest, StepsMoveTheBarWithinRange) {
    WaitForm& w = ShowWaitWindow("Saving", true, false);
    w.show();
    w.Total = 0;
    StepWaitProgress(&w, 5);  // no total: no division, 0 %
    EXPECT_EQ(w.progressBar.position(), 0);
    w.Total = 8;
    w.Done = 0;
    StepWaitProgress(&w, 1);
    EXPECT_EQ(w.progressBar.position(), 13);
    StepWaitProgress(&w, 100);
    EXPECT_EQ(w.progressBar.position(), 100);
    StepWaitProgress(nullptr, 1);
}

TEST_F(WaitFormTest, CancelSetsTheFlagShowsTheTextAndCallsTheProc) {
    WaitFormProgress progress;
    progress.showWaitWindow("Scanning", true, true);
    int procCalls = 0;
    progress.setCancelProc([&] { ++procCalls; });
    EXPECT_FALSE(progress.cancelPressed());
    SendMessageA(WaitForm::current()->CancelBtn.hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(progress.cancelPressed());
    EXPECT_EQ(procCalls, 1);
    EXPECT_EQ(WaitForm::current()->WaitLabel.text(), "Canceled...");
}

TEST_F(WaitFormTest, EscPressesCancelWhileTheWorkProcessesMessages) {
    WaitFormProgress progress;
    progress.showWaitWindow("Working", true, true);
    progress.setWaitTotal(1000);
    kv::uitest::postKey(WaitForm::current()->CancelBtn.hwnd(), VK_ESCAPE);
    int steps = 0;
    while (!progress.cancelPressed() && steps < 1000) {
        progress.stepWaitProgress(1);
        ++steps;
    }
    EXPECT_TRUE(progress.cancelPressed());
    EXPECT_LT(steps, 1000);

    // Without the button Esc does nothing.
    progress.showWaitWindow("Working", true, false);
    kv::uitest::postKey(WaitForm::current()->hwnd(), VK_ESCAPE);
    progress.stepWaitProgress(1);
    EXPECT_FALSE(progress.cancelPressed());
}

TEST_F(WaitFormTest, EveryWindowGetsItsOldEnabledStateBack) {
    Form main, tool, off;
    app().setMainForm(&main);
    for (Form* f : {&main, &tool, &off}) f->show();
    off.setEnabled(false);

    WaitFormProgress progress;
    progress.showWaitWindow("Loading", true, true);
    EXPECT_FALSE(IsWindowEnabled(main.hwnd()));
    EXPECT_FALSE(IsWindowEnabled(tool.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(WaitForm::current()->hwnd()));
    EXPECT_EQ(promptOwner(), WaitForm::current()->hwnd());

    // Hide and show again keep the disabled list.
    progress.hideWaitWindow();
    progress.showWaitWindow("Loading more", true, true);
    EXPECT_FALSE(IsWindowEnabled(main.hwnd()));

    progress.closeWaitWindow();
    EXPECT_FALSE(progress.waitWindowExists());
    EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(tool.hwnd()));
    EXPECT_FALSE(IsWindowEnabled(off.hwnd()));
    progress.closeWaitWindow();  // none: nothing
}

TEST_F(WaitFormTest, InsideAModalFormOnlyTheModalFormIsDisabledAndRestored) {
    Form main, dialog;
    app().setMainForm(&main);
    main.show();
    bool dialogOff = false, mainOff = false;
    kv::uitest::TimerAction work(30, [&] {
        WaitFormProgress progress;
        progress.showWaitWindow("Copying", false, true);
        dialogOff = !IsWindowEnabled(dialog.hwnd());
        mainOff = !IsWindowEnabled(main.hwnd());
        progress.closeWaitWindow();
        EXPECT_TRUE(IsWindowEnabled(dialog.hwnd()));
        EXPECT_FALSE(IsWindowEnabled(main.hwnd()));  // still the modal form's
        dialog.setModalResult(mrOk);
    });
    dialog.showModal();
    EXPECT_TRUE(dialogOff);
    EXPECT_TRUE(mainOff);
    EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
}

}  // namespace
