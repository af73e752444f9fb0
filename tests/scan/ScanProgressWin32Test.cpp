#include <gtest/gtest.h>

#include "scan/ScanProgressWin32.h"
#include "scan/SerialAskFormWin32.h"
#include "tests/support/TestInput.h"
#include "tests/support/ScriptedPrompt.h"
#include "ui/Application.h"

namespace kv {
namespace {

using ui::PromptAnswer;

TEST(ScanProgressWindow, ShowsTheScanAndAsksBeforeItStops) {
    ui::ScriptedPrompt prompt{PromptAnswer::No, PromptAnswer::Yes};
    ui::Form owner;
    owner.setBounds(0, 0, 300, 200);
    owner.createHandle();
    owner.show();
    auto form = ShowWaitUpdate(prompt);
    int aborts = 0;
    form->onAbort = [&] { ++aborts; };
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));
    EXPECT_FALSE(form->ProgressBar.visible());

    IScanProgress& progress = *form;
    progress.SetTopLabel("Scanning disk, please wait...");
    progress.SetDirLabel("C:\\a very long folder name\\that goes on\\and on and on\\until it no longer fits\\file");
    EXPECT_EQ(form->DirLabel.text().substr(0, 4), "...\\");
    EXPECT_LE(form->DirLabel.text().size(), 60u);
    progress.ShowProgressBar();
    progress.SetProgress(42);
    progress.PumpMessages();
    EXPECT_EQ(form->ProgressBar.position(), 42);

    SendMessageA(form->ButtonCancel.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(aborts, 0);
    SendMessageA(form->ButtonCancel.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(aborts, 1);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].caption, "Abort Disk Scan");
    EXPECT_EQ(prompt.asked[0].text, "Do you really want to abort disk scan?");

    HideWaitUpdate(form);
    EXPECT_EQ(form, nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

TEST(SerialQuestion, AnswersAndTheDontAskBox) {
    TSerialAskForm form;
    {
        uitest::TimerAction press(30, [&] { SendMessageA(form.YesButton.hwnd(), BM_CLICK, 0, 0); });
        const SerialAnswer a = AskSerialChange(form);
        EXPECT_TRUE(a.change);
        EXPECT_FALSE(a.dontAskAgain);
    }
    // "No" with the box ticked still switches the question off.
    uitest::TimerAction tick(30, [&] {
        form.DontAskCheck.setChecked(true);
        SendMessageA(form.NoButton.hwnd(), BM_CLICK, 0, 0);
    });
    const SerialAnswer b = AskSerialChange(form);
    EXPECT_FALSE(b.change);
    EXPECT_TRUE(b.dontAskAgain);
    EXPECT_EQ(form.caption(), "Change Serial Number?");
}

}  // namespace
}  // namespace kv
