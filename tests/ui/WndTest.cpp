#include <stdexcept>

#include "UiFixture.h"
#include "base/Errors.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

// A system control whose object records what reaches it.
class SpyButton : public Button {
public:
    int lbuttonDowns = 0;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_LBUTTONDOWN) ++lbuttonDowns;
        return Button::wndProc(msg, wp, lp);
    }
};

using WndTest = UiTest;

TEST_F(WndTest, SubclassedControlSeesItsMessagesAndGetsItsNotificationsBack) {
    Form form;
    form.createHandle();
    SpyButton button;
    button.setText("Go");
    button.create(&form);
    int clicks = 0;
    button.onClick = [&](Button& sender) {
        EXPECT_EQ(&sender, &button);
        ++clicks;
    };
    EXPECT_EQ(Wnd::fromHandle(button.hwnd()), &button);

    kv::uitest::sendClick(button.hwnd(), 5, 5);
    EXPECT_EQ(button.lbuttonDowns, 1);
    EXPECT_EQ(clicks, 1);  // BN_CLICKED went to the form and came back to the button
    SendMessageA(button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(WndTest, ObjectLetsGoWhenItsWindowDiesWithTheParent) {
    Button button;
    {
        Form form;
        form.createHandle();
        button.create(&form);
        EXPECT_TRUE(button.handleAllocated());
    }
    EXPECT_FALSE(button.handleAllocated());
}

TEST_F(WndTest, ParentAnswersNotifyFormatWithAnsi) {
    Form form;
    form.createHandle();
    EXPECT_EQ(SendMessageA(form.hwnd(), WM_NOTIFYFORMAT, 0, NF_QUERY), NFR_ANSI);
}

TEST_F(WndTest, ExceptionInAHandlerBecomesTheErrorBoxAndTheProgramGoesOn) {
    Form form;
    form.createHandle();
    Button button;
    button.create(&form);
    int after = 0;
    button.onClick = [&](Button&) {
        if (after++ == 0) throw kv::Error("Disk full");
    };
    SendMessageA(button.hwnd(), BM_CLICK, 0, 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Disk full");
    EXPECT_EQ(prompt.asked[0].caption, "Error");
    EXPECT_EQ(prompt.asked[0].icon, PromptIcon::Stop);

    SendMessageA(button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(after, 2);
    EXPECT_TRUE(IsWindow(form.hwnd()));

    // The silent abort shows nothing.
    button.onClick = [](Button&) { throw kv::EAbort(); };
    SendMessageA(button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(prompt.asked.size(), 1u);
}

TEST_F(WndTest, RealErrorBoxShowsAndIsAnsweredFromATimer) {
    app().setPrompt(nullptr);
    Form form;
    form.createHandle();
    form.onResize = [](Control&) { throw std::runtime_error("Bad size"); };
    kv::uitest::MessageBoxAnswerer answer(IDOK);
    form.setBounds(0, 0, 300, 200);
    EXPECT_TRUE(answer.seen().found);
    EXPECT_EQ(answer.seen().caption, "Error");
    EXPECT_EQ(answer.seen().text, "Bad size");
}

}  // namespace
