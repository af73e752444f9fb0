// The extraction's windows under Wine: the real wait window and status line, with
// the questions answered by the scripted prompt.
#include "archive/ExtractionUiWin32.h"

#include <functional>

#include "tests/ui/UiFixture.h"
#include "ExtractTestSupport.h"
#include "ui/Form.h"
#include "tests/support/TestInput.h"
#include "ui/WaitForm.h"

namespace kv::arc::test {
namespace {

using namespace kv::ui;

struct RecordedStatus final : StatusDisplay {
    std::vector<std::string> shown;
    void ShowStatus(const std::string& text, bool busy) override { shown.push_back((busy ? "busy " : "idle ") + text); }
};

// The real windows, with a hook that acts on the wait window just before each step.
struct HookedUi final : IExtractionUi {
    WindowsExtractionUi& real;
    std::function<void(int step)> beforeStep;
    int steps = 0;
    std::vector<std::string> labels;  // the wait window's text at each step, after it

    explicit HookedUi(WindowsExtractionUi& r) : real(r) {}
    void ShowWait(const std::string& c, const std::string& s) override { real.ShowWait(c, s); }
    void Extracting(const std::string& f) override { real.Extracting(f); }
    bool Progress(int percent) override {
        ++steps;
        if (beforeStep) beforeStep(steps);
        bool stop = real.Progress(percent);
        if (WaitForm* w = WaitForm::current()) labels.push_back(w->WaitLabel.text());
        return stop;
    }
    void CloseWait() override { real.CloseWait(); }
    void ShowError(const std::string& c, const std::string& t) override { real.ShowError(c, t); }
    bool Ask(const std::string& c, const std::string& t) override { return real.Ask(c, t); }
};

class ExtractionUiTest : public UiTest {
protected:
    void TearDown() override {
        CloseWaitWindow();
        UiTest::TearDown();
    }

    std::unique_ptr<ArchiveContext> context = FixtureContext();
    RecordedStatus status;
    WindowsExtractionUi windows{&status};
    HookedUi ui{windows};
    TempExtraction x{*context, ui};
    ScratchFolder temp;

    bool Run(const std::string& archive) {
        return x.ExtractArchiveFiles(tcZIP, FixturePath(archive), temp.Path(), "*.*", nullptr, true, true, true);
    }
};

TEST_F(ExtractionUiTest, CancelAsksAndStopsOnlyWhenConfirmedThenEveryWindowIsAsBefore) {
    Form main, tool, off;
    app().setMainForm(&main);
    for (Form* f : {&main, &tool, &off}) f->show();
    off.setEnabled(false);

    bool othersOff = true;
    ui.beforeStep = [&](int step) {
        WaitForm* w = WaitForm::current();
        ASSERT_NE(w, nullptr);
        othersOff = othersOff && !IsWindowEnabled(main.hwnd()) && !IsWindowEnabled(tool.hwnd());
        // First the button, answered No; then Esc, answered Yes.
        if (step == 1) PostMessageA(w->CancelBtn.hwnd(), BM_CLICK, 0, 0);
        if (step == 2) kv::uitest::postKey(w->CancelBtn.hwnd(), VK_ESCAPE);
    };
    prompt.answers = {PromptAnswer::No, PromptAnswer::Yes};

    EXPECT_FALSE(Run("made/stored.zip"));
    EXPECT_EQ(x.ExtractErrorCode, -3);
    EXPECT_EQ(ui.steps, 2);
    EXPECT_TRUE(othersOff);
    // Going on gives the member's text back in place of "Canceled...".
    EXPECT_EQ(ui.labels.front(), "Extracting readme.txt");

    ASSERT_EQ(prompt.asked.size(), 3u);
    for (int i : {0, 1}) {
        EXPECT_EQ(prompt.asked[i].caption, "Cancel extract");
        EXPECT_EQ(prompt.asked[i].text,
                  "Extracting was temporarily halted by user.\rWould you like to cancel extracting file(s) from "
                  "this archive?");
        EXPECT_EQ(prompt.asked[i].buttons, PromptButtons::YesNo);
        EXPECT_EQ(prompt.asked[i].icon, PromptIcon::Question);
    }
    EXPECT_EQ(prompt.asked[2].caption, "Extract Error");
    EXPECT_EQ(prompt.asked[2].text, "Unknown error has occoured while uncompressing file(s).");
    EXPECT_EQ(prompt.asked[2].icon, PromptIcon::Stop);

    EXPECT_EQ(WaitForm::current(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(tool.hwnd()));
    EXPECT_FALSE(IsWindowEnabled(off.hwnd()));
    EXPECT_EQ(status.shown, (std::vector<std::string>{"busy Extracting file(s), please wait", "idle "}));
    // The member cut short is gone; the one before it stays, tracked.
    EXPECT_EQ(temp.Files(), std::vector<std::string>{"readme.txt"});
    EXPECT_EQ(x.ExtractedFiles, std::vector<std::string>{temp.Path() + "readme.txt"});
}

TEST_F(ExtractionUiTest, AnExtractionNobodyStopsShowsEachMemberAndAsksNothing) {
    Form main;
    app().setMainForm(&main);
    main.show();
    EXPECT_TRUE(Run("made/deflate.zip"));
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_GE(ui.steps, 1);
    for (const std::string& l : ui.labels) EXPECT_EQ(l.rfind("Extracting ", 0), 0u) << l;
    EXPECT_EQ(ui.labels.back(), "Extracting noise.bin");
    EXPECT_EQ(WaitForm::current(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
    EXPECT_EQ(temp.Files().size(), 6u);
}

// A wait window another operation showed stays for it to close, its windows still off.
TEST_F(ExtractionUiTest, AWaitWindowAlreadyShowingIsReusedAndLeftOpen) {
    Form main;
    app().setMainForm(&main);
    main.show();
    ShowWaitWindow("Loading catalog", true, false).show();
    EXPECT_TRUE(Run("made/stored.zip"));
    ASSERT_NE(WaitForm::current(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(main.hwnd()));
    CloseWaitWindow();
    EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
}

TEST_F(ExtractionUiTest, ErrorsAndQuestionsGoThroughThePromptService) {
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_TRUE(windows.Ask("Korvalder?", "Delete?"));
    EXPECT_FALSE(windows.Ask("Korvalder?", "Delete?"));
    windows.ShowError("Extract Error", "x");
    ASSERT_EQ(prompt.asked.size(), 3u);
    EXPECT_EQ(prompt.asked[0].icon, PromptIcon::Question);
    EXPECT_EQ(prompt.asked[2].buttons, PromptButtons::Ok);
    EXPECT_EQ(prompt.asked[2].icon, PromptIcon::Stop);
    // Without a wait window progress asks nothing and never stops.
    EXPECT_FALSE(windows.Progress(50));
    windows.CloseWait();
    EXPECT_EQ(prompt.asked.size(), 3u);
}

}  // namespace
}  // namespace kv::arc::test
