// The settings dialog, the wizard and the columns setup driven as a user
// would, inside their modal loops, over a settings store in memory.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/settings/ToolbarLayout.h"
#include "shell/setup/ColumnsFormWin32.h"
#include "shell/setup/OptionsFormWin32.h"
#include "shell/setup/WizardFormWin32.h"
#include "system/settings/MemorySectionStore.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

PlatformDefaults Defaults() {
    PlatformDefaults d;
    d.tempDir = "C:\\TEMP";
    d.programDir = "C:\\Korvalder";
    d.windowsDir = "C:\\WINDOWS";
    for (auto& f : d.systemFonts) f = FontData{-11, 0, "Tahoma"};
    return d;
}

// Unlike the initial record wherever a control can show it.
Settings Custom() {
    Settings s = MakeInitialSettings(Defaults());
    s.buttonSize = 5;
    s.dock = DockSide::Left;
    s.toolbarVisible = false;
    s.toolbarFloating = true;
    s.browseArchives = false;
    s.showUpRow = false;
    s.descTips = false;
    s.statusBar = false;
    s.autoload = true;
    s.tipsAtStart = false;
    s.descAssistSubfolders = true;
    s.tipDelayTenths = 15;
    s.tipHideSeconds = 0;
    s.descAssistDepth = 8;
    s.truncateDesc = true;
    s.truncateLines = 15;
    s.keepCurrentDesc = false;
    s.keepDiskName = false;
    s.ignoreHiddenFiles = false;
    s.ignoreHiddenFolders = false;
    s.autoSave = false;
    s.autoSaveMinutes = 240;
    s.ignoreRecycle = false;
    s.archivesAsFolders = false;
    s.oldButtons = true;
    s.dblClick = DblClick::DescAssist;
    s.tempRemoval = TempRemoval::Leave;
    s.restoreArchiveDirs = true;
    s.ejectAfterScan = false;
    s.archiveDescOnly = true;
    s.archiveQuickScan = true;
    s.allowSerialChange = false;
    s.askSerialChange = false;
    s.formattedSizes = false;
    s.createBak = false;
    s.externalViewer = true;
    s.shortcutsInHints = false;
    s.shortNamesForViewer = true;
    s.disableSmoothTree = false;
    s.autohideTips = true;
    s.descOrder = {DescSource::ArchiveComment, DescSource::FilesBbs, DescSource::FileIdDiz, DescSource::DescriptIon};
    s.descEnabled = {true, false, true, false};
    s.archiveEnabled[4] = false;
    s.archiveEnabled[13] = false;
    s.fonts[0] = FontSlot{true, FontData{-13, 3, "Arial"}};
    s.toolbarLayout = {3, 0, 1, 255, 2};
    s.autoloadList = {"C:\\Cat\\a.ctf", "C:\\Cat\\b.ctf"};
    s.descPatterns = {"*.NFO", "READ.ME"};
    s.extractFolder = "C:\\Extract";
    s.catalogFolder = "C:\\Catalogs";
    s.externalViewerPath = "C:\\Tools\\view.exe";
    s.externalShellPath = "C:\\Tools\\shell.exe";
    return s;
}

class FakeFileDialogs : public ui::FileDialogs {
public:
    std::optional<std::vector<std::string>> openFiles(const ui::FileDialogRequest& request) override {
        asked.push_back(request);
        if (answers.empty())
            return std::nullopt;
        std::string a = answers.front();
        answers.erase(answers.begin());
        return std::vector<std::string>{a};
    }
    std::optional<std::string> saveFile(const ui::FileDialogRequest&) override { return std::nullopt; }
    std::vector<std::string> answers;
    std::vector<ui::FileDialogRequest> asked;
};

void Toggle(ui::CheckBox& box) {
    box.setChecked(!box.checked());
    box.click();
}

class SetupFormsTest : public ::testing::Test {
protected:
    SetupFormsTest() : store(Defaults()) {
        store.Replace(Custom());
        store.Save(registry);
    }
    OptionsServices optionsServices() {
        OptionsServices s(store, registry, [this](const Settings& applied) { this->applied.push_back(applied); });
        s.fileDialogs = &files;
        s.fontDialog = &fonts;
        s.prompt = &prompt;
        s.pickFolder = [this](HWND, const FolderPickRequest& request) -> std::optional<std::string> {
            picked.push_back(request);
            return pickAnswer;
        };
        s.programDir = "C:\\Korvalder";
        s.tempDir = "C:\\TEMP";
        s.toolbarControls = {{1, true, 0}, {2, true, 24}, {3, true, 48}};
        return s;
    }
    // Runs the steps one after the other inside the dialog's modal loop.
    int RunModal(const std::function<int()>& execute, std::vector<std::function<void()>> steps) {
        std::vector<std::unique_ptr<uitest::TimerAction>> timers;
        int delay = 50;
        for (auto& step : steps) {
            timers.push_back(std::make_unique<uitest::TimerAction>(delay, step));
            delay += 50;
        }
        const int result = execute();
        for (const auto& t : timers) EXPECT_TRUE(t->ran());
        return result;
    }
    Settings Reloaded() {
        SettingsStore s(Defaults());
        s.Load(registry);
        return s.Get();
    }

    MemorySectionStore registry;
    SettingsStore store;
    std::vector<Settings> applied;
    FakeFileDialogs files;
    ui::ScriptedFontDialog fonts;
    ui::ScriptedPrompt prompt;
    std::vector<FolderPickRequest> picked;
    std::optional<std::string> pickAnswer;
};

TEST_F(SetupFormsTest, EveryControlShowsItsSettingAndOkWithoutEditsChangesNothing) {
    TOptionsForm form(optionsServices());
    form.Prepare(1);
    EXPECT_EQ(form.Collect(), store.Get()) << "a control is bound to the wrong setting";
    const Settings before = store.Get();
    const int result = RunModal([&] { return form.Execute(3); }, {[&] {
                                    EXPECT_FALSE(form.ApplyBtn.enabled());
                                    form.OKBtn.click();
                                }});
    EXPECT_EQ(result, ui::mrCancel) << "nothing to apply";
    EXPECT_EQ(store.Get(), before);
    EXPECT_FALSE(store.Modified());
    EXPECT_TRUE(applied.empty());
}

TEST_F(SetupFormsTest, CancelAfterEditsLeavesTheStoreAndOkKeepsThem) {
    TOptionsForm form(optionsServices());
    const Settings before = store.Get();
    auto edit = [&] {
        Toggle(form.ViewStatusCheck);
        Toggle(form.InsideZipCheck);
        form.ButtonSizeBar.setPosition(1);
        form.ButtonSizeBar.onChange(form.ButtonSizeBar);
        form.Toolbar2.click();
        form.AlwaysRemoveTemp.click();
        form.ExtractDir.setText("D:\\Other");
        EXPECT_TRUE(form.ApplyBtn.enabled());
    };
    EXPECT_EQ(RunModal([&] { return form.Execute(1); }, {edit, [&] { form.CancelBtn.click(); }}), ui::mrCancel);
    EXPECT_EQ(store.Get(), before);
    EXPECT_EQ(Reloaded(), before);

    EXPECT_EQ(RunModal([&] { return form.Execute(1); }, {edit, [&] { form.OKBtn.click(); }}), ui::mrOk);
    const Settings& s = store.Get();
    EXPECT_EQ(s.statusBar, !before.statusBar);
    EXPECT_EQ(s.browseArchives, !before.browseArchives);
    EXPECT_EQ(s.buttonSize, 1);
    EXPECT_EQ(s.dock, DockSide::Bottom);
    EXPECT_EQ(s.tempRemoval, TempRemoval::Delete);
    EXPECT_EQ(s.extractFolder, "D:\\Other");
    EXPECT_TRUE(store.Modified()) << "written at the next showing or at exit";
    EXPECT_EQ(Reloaded(), before);
    form.Prepare(1);
    EXPECT_EQ(Reloaded(), s) << "the next showing writes them";
}

TEST_F(SetupFormsTest, EscWhileAButtonWaitsForItsPlaceOnlyEndsTheWaiting) {
    TOptionsForm form(optionsServices());
    bool stillOpen = false;
    RunModal([&] { return form.Execute(static_cast<int>(OptionsPage::Toolbar)); },
             {[&] {
                  // {3, 0, 1, marker, 2}: the unused button is the last entry.
                  form.ToolbarBox.setItemIndex(4);
                  form.ToolbarFunction.click();
                  EXPECT_TRUE(form.customizer()->inserting());
                  EXPECT_TRUE(form.ToolbarAddLabel.visible());
                  EXPECT_FALSE(form.ToolbarUp.visible());
                  form.CancelBtn.click();  // what Esc does
              },
              [&] {
                  stillOpen = IsWindowVisible(form.hwnd()) != FALSE;
                  EXPECT_FALSE(form.customizer()->inserting());
                  EXPECT_FALSE(form.ToolbarAddLabel.visible());
                  // Placed at the marker: last among the used buttons.
                  form.ToolbarBox.setItemIndex(4);
                  form.ToolbarFunction.click();
                  form.ToolbarBox.onPlace(form.ToolbarBox, 3);
                  form.ApplyBtn.click();
              },
              [&] { form.CancelBtn.click(); }});
    EXPECT_TRUE(stillOpen);
    const std::vector<std::uint8_t> expected{3, 0, 1, 2, kToolbarMarker};
    EXPECT_EQ(store.Get().toolbarLayout, expected);
    EXPECT_EQ(registry.ReadBinary("", "CustomToolbar"), expected) << "Apply writes at once";
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].toolbarLayout, expected);
}

TEST_F(SetupFormsTest, TheFontPageChangesASlotOnlyThroughItsControls) {
    TOptionsForm form(optionsServices());
    ui::FontDescription chosen;
    chosen.name = std::string(40, 'F');  // longer than the system's font record takes
    chosen.size = 12;
    chosen.italic = true;
    fonts.answers.push_back(chosen);
    RunModal([&] { return form.Execute(static_cast<int>(OptionsPage::Fonts)); },
             {[&] {
                  EXPECT_EQ(form.FontSettingsCombo.itemIndex(), 0);
                  form.FontSettingsCombo.setItemIndex(3);
                  form.FontSettingsCombo.onChange(form.FontSettingsCombo);
                  EXPECT_FALSE(form.ApplyBtn.enabled()) << "choosing a slot is no edit";
                  EXPECT_FALSE(form.FontButton.enabled());
                  form.UseCustomFont.click();
                  EXPECT_TRUE(form.FontButton.enabled());
                  form.FontButton.click();
                  EXPECT_TRUE(form.ApplyBtn.enabled());
                  form.OKBtn.click();
              }});
    const FontSlot& slot = store.Get().fonts[3];
    EXPECT_TRUE(slot.custom);
    EXPECT_EQ(slot.font.face, std::string(31, 'F'));
    EXPECT_EQ(slot.font.style, 2);
    EXPECT_LT(slot.font.height, 0);
    ASSERT_EQ(fonts.asked.size(), 1u);
}

TEST_F(SetupFormsTest, ListsAndPickersOfThePages) {
    TOptionsForm form(optionsServices());
    files.answers = {"c:\\cat\\A.CTF", "C:\\Cat\\c.ctf", "C:\\Tools\\lister"};
    pickAnswer = "E:\\Picked";
    RunModal([&] { return form.Execute(static_cast<int>(OptionsPage::Desc)); },
             {[&] {
                  form.DescEdit.setText("*.txt,*.nfo");
                  EXPECT_TRUE(form.DescAddButton.enabled());
                  form.DescAddButton.click();
                  EXPECT_EQ(form.DescList.items().back(), "*.TXT*.NFO");
                  EXPECT_EQ(form.DescEdit.text(), "");
                  form.DescEdit.setText(",,");
                  form.DescAddButton.click();
                  EXPECT_EQ(form.DescList.count(), 3) << "nothing usable is not added";
                  form.DescList.setSelected(2, true);
                  form.DescUpButton.click();
                  EXPECT_EQ(form.DescList.items()[1], "*.TXT*.NFO");
                  EXPECT_TRUE(form.DescList.selected(1));
                  // Auto load: a catalog listed already, then a new one.
                  form.BtnAdd.click();
                  EXPECT_EQ(form.AutoloadList.count(), 2);
                  ASSERT_EQ(prompt.asked.size(), 1u);
                  EXPECT_EQ(prompt.asked[0].caption, "Notice");
                  form.BtnAdd.click();
                  EXPECT_EQ(form.AutoloadList.count(), 3);
                  form.AutoloadList.setSelected(0, true);
                  form.BtnRemove.click();
                  EXPECT_EQ(form.AutoloadList.items(), (std::vector<std::string>{"C:\\Cat\\b.ctf", "C:\\Cat\\c.ctf"}));
                  // Import priority: the checks move with their sources.
                  form.ImportDescList.setItemIndex(0);
                  form.HiPriorityBtn.click();
                  form.LoPriorityBtn.click();
                  EXPECT_EQ(form.ImportDescList.itemIndex(), 1);
                  // Pickers
                  form.ViewerBrowse.click();
                  EXPECT_EQ(form.ViewerEdit.text(), "C:\\Tools\\lister.exe");
                  form.ExtractDir.setText("Q:\\Gone\\Nowhere");
                  form.ExtractDirBtn.click();
                  form.OKBtn.click();
              }});
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].caption, "Select Temporary Folder");
    EXPECT_EQ(picked[0].folder, "C:\\TEMP") << "a folder that is gone starts at the temporary folder";
    const Settings& s = store.Get();
    EXPECT_EQ(s.descPatterns, (std::vector<std::string>{"*.NFO", "*.TXT*.NFO", "READ.ME"}));
    EXPECT_EQ(s.autoloadList, (std::vector<std::string>{"C:\\Cat\\b.ctf", "C:\\Cat\\c.ctf"}));
    EXPECT_EQ(s.descOrder, (std::array<DescSource, 4>{DescSource::FilesBbs, DescSource::ArchiveComment,
                                                      DescSource::FileIdDiz, DescSource::DescriptIon}));
    EXPECT_EQ(s.descEnabled, Custom().descEnabled);
    EXPECT_EQ(s.externalViewerPath, "C:\\Tools\\lister.exe");
    EXPECT_EQ(s.extractFolder, "E:\\Picked");
}

TEST_F(SetupFormsTest, EnablingFollowsTheControls) {
    TOptionsForm form(optionsServices());
    form.Prepare(1);
    // Custom(): tips off, autoload on, external viewer on, serial change off.
    EXPECT_FALSE(form.AutohideCheck.enabled());
    EXPECT_FALSE(form.DescHideBar.enabled());
    Toggle(form.DescAsTipsCheck);
    EXPECT_TRUE(form.AutohideCheck.enabled());
    EXPECT_TRUE(form.DescHideBar.enabled());
    EXPECT_TRUE(form.ViewerEdit.enabled());
    form.InternalViewerCheck.click();
    EXPECT_FALSE(form.ViewerEdit.enabled());
    EXPECT_FALSE(form.SerialAskCheck.enabled());
    EXPECT_TRUE(form.BtnAdd.enabled());
    Toggle(form.AutoloadCheck);
    EXPECT_FALSE(form.BtnAdd.enabled());
    EXPECT_FALSE(form.AutoloadList.enabled());
    EXPECT_FALSE(form.ArchiveTypes[0].enabled());
}

WizardServices WizardOver(SettingsStore& store, SectionStore& registry, ui::UserPrompt& prompt,
                          std::vector<int>& pagesShown) {
    WizardServices s(store, registry);
    s.prompt = &prompt;
    s.showOptionsPage = [&](int page) {
        pagesShown.push_back(page);
        // What the user does in the settings dialog: accepted, not yet written.
        store.Update([](Settings& edited) { edited.descPatterns = {"*.DIZ"}; });
    };
    return s;
}

TEST_F(SetupFormsTest, WizardFinishStoresAppliesAndWrites) {
    std::vector<int> pagesShown;
    WizardServices services = WizardOver(store, registry, prompt, pagesShown);
    services.apply = [this](const Settings& s) { applied.push_back(s); };
    TWizardForm wizard(std::move(services));
    registry.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{0});
    std::vector<std::function<void()>> steps;
    steps.push_back([&] {
        EXPECT_FALSE(wizard.BackButton.enabled());
        EXPECT_EQ(wizard.PageCountLabel.text(), "Page 1 of 11");
        wizard.NextButton.click();
        wizard.OldStyleButtons.setChecked(false);
        wizard.NewStyleButtons.click();
        wizard.Actions[4].click();  // Open Description Assistant: index 5 of the settings
        wizard.showPage(8);
        wizard.DescAssistButton.click();
        EXPECT_EQ(wizard.pageIndex(), 9);
        wizard.showPage(10);
        EXPECT_EQ(wizard.NextButton.text(), "Finish");
        wizard.NextButton.click();
    });
    EXPECT_EQ(RunModal([&] { return wizard.Execute(true); }, steps), ui::mrOk);
    EXPECT_EQ(pagesShown, std::vector<int>{7});
    EXPECT_FALSE(store.Get().oldButtons);
    EXPECT_EQ(store.Get().dblClick, DblClick::DescAssist);
    EXPECT_EQ(applied.size(), 1u);
    EXPECT_EQ(registry.ReadBinary("", "RevisionMarker"), std::vector<std::uint8_t>{2});
    EXPECT_EQ(Reloaded(), store.Get());
    EXPECT_EQ(Reloaded().descPatterns, std::vector<std::string>{"*.DIZ"});
}

TEST_F(SetupFormsTest, WizardLeftAnyOtherWayReloadsTheSavedSettings) {
    std::vector<int> pagesShown;
    const Settings saved = store.Get();
    {
        TWizardForm wizard(WizardOver(store, registry, prompt, pagesShown));
        EXPECT_EQ(RunModal([&] { return wizard.Execute(false); },
                           {[&] {
                               wizard.showPage(9);
                               wizard.AutoloadSetupButton.click();
                               wizard.NormalConfigBtn.click();
                           }}),
                  ui::mrAbort);
        EXPECT_EQ(pagesShown, std::vector<int>{8});
        EXPECT_EQ(store.Get(), saved) << "the settings pages' changes are discarded too";
    }
    {
        prompt.answers = {ui::PromptAnswer::No, ui::PromptAnswer::Yes};
        TWizardForm wizard(WizardOver(store, registry, prompt, pagesShown));
        bool openAfterNo = false;
        EXPECT_EQ(RunModal([&] { return wizard.Execute(false); },
                           {[&] {
                                wizard.SkipRecycleBin.setChecked(!wizard.SkipRecycleBin.checked());
                                wizard.CancelButton.click();
                            },
                            [&] {
                                openAfterNo = IsWindowVisible(wizard.hwnd()) != FALSE;
                                wizard.CancelButton.click();
                            }}),
                  ui::mrCancel);
        EXPECT_TRUE(openAfterNo);
        ASSERT_EQ(prompt.asked.size(), 2u);
        EXPECT_EQ(prompt.asked[0].text, "Would you like to close Setup Wizard and discard all changes?");
        EXPECT_EQ(prompt.asked[0].caption, "Exit Setup Wizard");
        EXPECT_EQ(store.Get(), saved);
    }
}

TEST_F(SetupFormsTest, ColumnsSetupMovesAndHidesColumnsOfAList) {
    std::vector<std::pair<int, ColumnsRecord>> kept;
    ColumnsServices services;
    services.current = [&](int list) { return DefaultColumnsRecord(list); };
    services.apply = [&](int list, const ColumnsRecord& r) { kept.push_back({list, r}); };
    TColumnsForm form(services);
    RunModal([&] { return form.Execute(ColumnsList::MainDisks); },
             {[&] {
                  EXPECT_EQ(form.ColumnsBox.count(), 7) << "the disk list's own columns";
                  form.ColumnsBox.setItemIndex(0);
                  form.DownBtn.click();
                  EXPECT_EQ(form.ColumnsBox.itemIndex(), 1);
                  form.ColumnsBox.setChecked(2, false);
                  form.ColumnsBox.onClickCheck(form.ColumnsBox, 2);
                  EXPECT_TRUE(form.ApplyBtn.enabled());
                  // Another list: the edits of the one left are applied first.
                  form.ListCombo.setItemIndex(ColumnsList::SearchResults);
                  form.ListCombo.onChange(form.ListCombo);
                  EXPECT_EQ(form.ColumnsBox.count(), 10);
                  form.ColumnsBox.setItemIndex(3);
                  form.UpBtn.click();
                  form.CancelBtn.click();
              }});
    ASSERT_EQ(kept.size(), 1u) << "Cancel drops the search list's edits";
    EXPECT_EQ(kept[0].first, ColumnsList::MainDisks);
    EXPECT_EQ(kept[0].second.order[0], 1);
    EXPECT_EQ(kept[0].second.order[1], 0);
    EXPECT_EQ(kept[0].second.visible[2], 0);
}

}  // namespace
}  // namespace kv
