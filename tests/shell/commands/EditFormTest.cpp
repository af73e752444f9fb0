#include "shell/commands/EditFormWin32.h"

#include <gtest/gtest.h>

#include "tests/support/TestInput.h"

namespace kv {
namespace {

TEST(EditForm, EnterTakesTheTextEscapeCancels) {
    TEditForm form;
    form.setCaption("New Catalog");
    form.TextLabel.setText("Enter a name for the new catalog:");
    form.TextEdit.setText("Catalog1");
    bool editFocused = false;
    kv::uitest::TimerAction type(100, [&] {
        editFocused = form.TextEdit.focused();
        SetWindowTextA(form.TextEdit.hwnd(), "Archive CDs");
        kv::uitest::postKey(form.TextEdit.hwnd(), VK_RETURN);
    });
    EXPECT_EQ(form.showModal(), ui::mrOk);
    EXPECT_TRUE(type.ran());
    EXPECT_TRUE(editFocused);
    EXPECT_EQ(form.TextEdit.text(), "Archive CDs");

    kv::uitest::TimerAction cancel(100, [&] { kv::uitest::postKey(form.TextEdit.hwnd(), VK_ESCAPE); });
    EXPECT_EQ(form.showModal(), ui::mrCancel);
    EXPECT_TRUE(cancel.ran());
}

}  // namespace
}  // namespace kv
