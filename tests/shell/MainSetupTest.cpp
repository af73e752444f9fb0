// The settings dialog and the setup wizard as the main window opens them.
#include <windows.h>

#include "shell/app/ProgramValues.h"
#include "shell/settings/SettingsStore.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"

namespace kv::test {
namespace {

template <class Form>
Form* Showing(const char* windowClass) {
    return dynamic_cast<Form*>(ui::Wnd::fromHandle(FindWindowA(windowClass, nullptr)));
}

TEST_F(ShellTest, EachSettingsMenuItemOpensItsPageAndOkAppliesTheEdits) {
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_TRUE(main.statusBar.visible());
    const CommandId items[] = {CommandId::SettingsInterface, CommandId::SettingsGeneral, CommandId::SettingsToolbar,
                               CommandId::SettingsFonts,     CommandId::SettingsImage,   CommandId::SettingsExtract,
                               CommandId::SettingsDesc,      CommandId::SettingsAutoload};
    for (int page = 0; page < 8; ++page) {
        int shown = -1;
        uitest::TimerAction look(50, [&] {
            if (auto* form = Showing<TOptionsForm>("KvOptionsForm")) {
                shown = form->pages().activePage();
                form->CancelBtn.click();
            }
        });
        main.RunCommand(items[page], CommandSource::MainMenu);
        EXPECT_EQ(shown, page);
    }
    uitest::TimerAction edit(50, [&] {
        auto* form = Showing<TOptionsForm>("KvOptionsForm");
        ASSERT_TRUE(form);
        form->ViewStatusCheck.setChecked(false);
        form->ViewStatusCheck.click();
        form->OKBtn.click();
    });
    main.RunCommand(CommandId::SettingsInterface, CommandSource::MainMenu);
    EXPECT_FALSE(main.statusBar.visible()) << "applied without a restart";
    EXPECT_FALSE(settings.Get().statusBar);
}

TEST_F(ShellTest, TheWizardButtonAppliesThenRunsTheWizardWhoseNormalConfigurationOpensTheSettings) {
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    MainForm& main = makeMain();
    main.RunIdleOnce();
    std::vector<std::string> seen;
    uitest::TimerAction settingsDialog(50, [&] {
        auto* form = Showing<TOptionsForm>("KvOptionsForm");
        ASSERT_TRUE(form);
        seen.push_back("settings");
        form->RunWizardButton.click();
    });
    uitest::TimerAction wizard(300, [&] {
        auto* form = Showing<TWizardForm>("KvWizardForm");
        ASSERT_TRUE(form);
        seen.push_back("wizard");
        form->NormalConfigBtn.click();
    });
    uitest::TimerAction settingsAgain(600, [&] {
        auto* form = Showing<TOptionsForm>("KvOptionsForm");
        ASSERT_TRUE(form);
        seen.push_back("settings page " + std::to_string(form->pages().activePage() + 1));
        form->CancelBtn.click();
    });
    main.RunCommand(CommandId::SettingsFonts, CommandSource::MainMenu);
    EXPECT_EQ(seen, (std::vector<std::string>{"settings", "wizard", "settings page 1"}));
    EXPECT_TRUE(ReadRevisionMarker(store).current) << "the wizard button saves first";
}

}  // namespace
}  // namespace kv::test
