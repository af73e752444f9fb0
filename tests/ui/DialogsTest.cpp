#include "UiFixture.h"
#include "ui/CommonDialogs.h"
#include "ui/Form.h"
#include "ui/SystemFonts.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using DialogsTest = UiTest;

TEST_F(DialogsTest, FilterTextAndMultiSelectAnswers) {
    FileDialogRequest r;
    r.filters = {{"Catalogs (*.ctf)", "*.ctf"}, {"All files", "*.*"}};
    std::string f = CommonFileDialogs::filterText(r);
    EXPECT_EQ(f, std::string("Catalogs (*.ctf)\0*.ctf\0All files\0*.*\0\0", 38));

    const char single[] = "C:\\cat\\one.ctf\0";
    EXPECT_EQ(CommonFileDialogs::splitSelection(single), std::vector<std::string>{"C:\\cat\\one.ctf"});
    const char several[] = "C:\\cat\0one.ctf\0two.ctf\0";
    EXPECT_EQ(CommonFileDialogs::splitSelection(several),
              (std::vector<std::string>{"C:\\cat\\one.ctf", "C:\\cat\\two.ctf"}));
    const char root[] = "C:\\\0a.ctf\0b.ctf\0";
    EXPECT_EQ(CommonFileDialogs::splitSelection(root), (std::vector<std::string>{"C:\\a.ctf", "C:\\b.ctf"}));
    EXPECT_TRUE(CommonFileDialogs::splitSelection("").empty());
}

TEST_F(DialogsTest, CancelledOpenDialogGivesNothing) {
    Form form;
    form.show();
    CommonFileDialogs dialogs(form.hwnd());
    kv::uitest::MessageBoxAnswerer cancel(IDCANCEL);  // the dialog is a #32770 window too
    FileDialogRequest r;
    r.title = "Open Catalog";
    EXPECT_FALSE(dialogs.openFiles(r));
    EXPECT_EQ(cancel.seen().caption, "Open Catalog");
}

TEST_F(DialogsTest, SystemFontsExist) {
    SystemFonts& f = SystemFonts::instance();
    EXPECT_TRUE(f.menu());
    EXPECT_TRUE(f.menuBold());
    EXPECT_TRUE(f.caption());
    EXPECT_TRUE(f.smallCaption());
    EXPECT_TRUE(f.iconTitle());
    LOGFONTA bold{};
    GetObjectA(f.menuBold(), sizeof bold, &bold);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
}

}  // namespace
