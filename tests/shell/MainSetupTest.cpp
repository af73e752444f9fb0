// The settings dialog and the setup wizard as the main window opens them.
#include <windows.h>

#include "shell/app/ProgramValues.h"
#include "shell/browse/ColumnLayout.h"
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

TEST_F(ShellTest, TheWizardsDescriptionPageShowsTheSettingsWithThatPageAloneAndItsEditsGoWithACancel) {
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    // As a later start has them: read from the key and written back.
    settings.Load(store);
    settings.Save(store);
    MainForm& main = makeMain();
    main.RunIdleOnce();
    const Settings before = settings.Get();
    prompt.answers = {ui::PromptAnswer::Yes};
    bool alone = false;
    int pageAfter = -1;
    uitest::TimerAction openPage(50, [&] {
        auto* wizard = Showing<TWizardForm>("KvWizardForm");
        ASSERT_TRUE(wizard);
        uitest::TimerAction inSettings(50, [&] {
            auto* form = Showing<TOptionsForm>("KvOptionsForm");
            ASSERT_TRUE(form);
            alone = form->pages().tabOfPage(0) < 0 && form->pages().tabOfPage(6) == 0 &&
                    !form->RunWizardButton.visible();
            form->DescEdit.setText("*.diz");
            form->DescAddButton.click();
            form->OKBtn.click();
        });
        wizard->showPage(8);
        wizard->DescAssistButton.click();
        pageAfter = wizard->pageIndex();
        wizard->CancelButton.click();
    });
    main.RunCommand(CommandId::SetupWizard, CommandSource::MainMenu);
    EXPECT_TRUE(alone);
    EXPECT_EQ(pageAfter, 9) << "the wizard moves on";
    EXPECT_EQ(settings.Get().descPatterns, before.descPatterns) << "a cancelled wizard drops them";
    EXPECT_GE(main.optionsForm().pages().tabOfPage(0), 0) << "every tab shows again";
    EXPECT_TRUE(main.optionsForm().RunWizardButton.visible());
}

TEST_F(ShellTest, AHeaderClickBesideTheFoundListsColumnsSetsUpThatList) {
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ui::TExtListView& view = main.searchForm().FoundList.View();
    ASSERT_TRUE(view.OnColumnClick);
    int shownList = -1;
    uitest::TimerAction edit(50, [&] {
        auto* form = Showing<TColumnsForm>("KvColumnsForm");
        ASSERT_TRUE(form);
        shownList = form->ListCombo.itemIndex();
        form->ColumnsBox.setChecked(1, false);
        form->ColumnsBox.onClickCheck(form->ColumnsBox, 1);
        form->OKBtn.click();
    });
    view.OnColumnClick(view, -1);
    EXPECT_EQ(shownList, ColumnsList::SearchResults);
    EXPECT_EQ(view.ColumnWidth(1), 0);
    EXPECT_EQ(ReadColumnsRecord(store, ColumnsList::SearchResults).visible[1], 0);
}

}  // namespace
}  // namespace kv::test
