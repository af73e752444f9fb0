#include <gtest/gtest.h>

#include "scan/ScanProgressWin32.h"
#include "scan/SerialAskFormWin32.h"
#include "scan/DiskSelectFormWin32.h"
#include "tests/scan/ScanTree.h"
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
    // The clip plays where the system has it; without it the window shows none.
    HMODULE shell = LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const bool clip = shell && FindResourceA(shell, MAKEINTRESOURCEA(152), "AVI");
    if (shell) FreeLibrary(shell);
    EXPECT_EQ(form->Animation.opened(), clip);
    EXPECT_EQ(form->Animation.active(), clip);

    IScanProgress& progress = *form;
    progress.SetTopLabel("Scanning disk, please wait...");
    progress.SetDirLabel("C:\\a very long folder name\\that goes on\\and on and on\\until it no longer fits\\file");
    // The folder shows at the next pump, the last one named before it.
    progress.SetDirLabel("C:\\a very long folder name\\that goes on\\and on and on\\until it no longer fits\\file2");
    EXPECT_EQ(form->DirLabel.text(), "");
    progress.PumpMessages();
    EXPECT_EQ(form->DirLabel.text().substr(0, 4), "...\\");
    EXPECT_EQ(form->DirLabel.text().substr(form->DirLabel.text().size() - 6), "\\file2");
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

    // From the check box, Enter answers "Yes" and Esc "No".
    for (const auto& [key, change] : {std::pair<WORD, bool>{VK_RETURN, true}, {VK_ESCAPE, false}}) {
        uitest::TimerAction press(30, [&, key = key] { uitest::postKey(form.DontAskCheck.hwnd(), key); });
        EXPECT_EQ(AskSerialChange(form).change, change) << key;
    }
}

TEST(DiskSelectWindow, ChoosesTheRowShownAfterSorting) {
    Forest forest;
    Node& cat = test::NewCatalog(forest);
    std::vector<Node*> disks;
    for (const char* name : {"beta", "alpha", "gamma"}) {
        Node& n = forest.addChild(cat, name);
        (void)n.setRecord(std::make_unique<TDiskRec>());
        disks.push_back(&n);
    }
    ui::ScriptedPrompt prompt;
    DiskColumns columns;
    columns.titles = {"Name"};
    columns.cellText = [](const Node* n, int) { return n->text(); };
    columns.compare = [](const Node* a, const Node* b, int) { return a->text().compare(b->text()); };
    TDiskSelectForm form(columns, prompt);
    std::size_t chosen = 99;
    {
        // Sorting by name puts "alpha" in the first row, which Update then takes.
        uitest::TimerAction click(30, [&] {
            form.DisksListView.OnColumnClick(form.DisksListView, 1);
            EXPECT_EQ(form.Candidates.front()->text(), "alpha");
            SendMessageA(form.UpdateBtn.hwnd(), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(form.Select(disks, chosen), DiskSelectResult::Update);
        EXPECT_EQ(chosen, 1u);
    }
    {
        uitest::TimerAction add(30, [&] { SendMessageA(form.NewBtn.hwnd(), BM_CLICK, 0, 0); });
        EXPECT_EQ(form.Select(disks, chosen), DiskSelectResult::AddAsNew);
    }
    {
        uitest::TimerAction hint(30, [&] {
            SendMessageA(form.HintBtn.hwnd(), BM_CLICK, 0, 0);
            SendMessageA(form.CancelBtn.hwnd(), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(form.Select(disks, chosen), DiskSelectResult::Cancel);
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0].caption, "Hint on updating disks");
    }
}

}  // namespace
}  // namespace kv
