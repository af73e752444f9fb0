#include "shell/setup/OptionsSession.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

PlatformDefaults Defaults() {
    PlatformDefaults d;
    d.tempDir = "C:\\TEMP";
    d.programDir = "C:\\Korvalder";
    d.windowsDir = "C:\\WINDOWS";
    for (std::size_t slot = 0; slot < 6; ++slot) d.systemFonts[slot] = FontData{-11, 0, "System"};
    return d;
}

struct Edit {
    std::string what;
    std::function<void(Settings&)> edit;
};

// Every setting of the store, at the edges of its range where it has one.
std::vector<Edit> EveryEdit() {
    return {
        {"button size 0", [](Settings& s) { s.buttonSize = 0; }},
        {"button size 7", [](Settings& s) { s.buttonSize = 7; }},
        {"dock right", [](Settings& s) { s.dock = DockSide::Right; }},
        {"dock bottom", [](Settings& s) { s.dock = DockSide::Bottom; }},
        {"toolbar hidden", [](Settings& s) { s.toolbarVisible = false; }},
        {"toolbar floating", [](Settings& s) { s.toolbarFloating = true; }},
        {"no archives", [](Settings& s) { s.browseArchives = false; }},
        {"no up row", [](Settings& s) { s.showUpRow = false; }},
        {"no desc tips", [](Settings& s) { s.descTips = false; }},
        {"no status bar", [](Settings& s) { s.statusBar = false; }},
        {"autoload", [](Settings& s) { s.autoload = true; }},
        {"no tips at start", [](Settings& s) { s.tipsAtStart = false; }},
        {"subfolders", [](Settings& s) { s.descAssistSubfolders = true; }},
        {"tip delay 0", [](Settings& s) { s.tipDelayTenths = 0; }},
        {"tip delay 15", [](Settings& s) { s.tipDelayTenths = 15; }},
        {"tip hide 0", [](Settings& s) { s.tipHideSeconds = 0; }},
        {"tip hide 15", [](Settings& s) { s.tipHideSeconds = 15; }},
        {"depth 1", [](Settings& s) { s.descAssistDepth = 1; }},
        {"depth 8", [](Settings& s) { s.descAssistDepth = 8; }},
        {"truncate", [](Settings& s) { s.truncateDesc = true; }},
        {"truncate 1", [](Settings& s) { s.truncateLines = 1; }},
        {"truncate 15", [](Settings& s) { s.truncateLines = 15; }},
        {"replace descriptions", [](Settings& s) { s.keepCurrentDesc = false; }},
        {"new disk name", [](Settings& s) { s.keepDiskName = false; }},
        {"hidden files", [](Settings& s) { s.ignoreHiddenFiles = false; }},
        {"hidden folders", [](Settings& s) { s.ignoreHiddenFolders = false; }},
        {"no autosave", [](Settings& s) { s.autoSave = false; }},
        {"autosave 2", [](Settings& s) { s.autoSaveMinutes = 2; }},
        {"autosave 240", [](Settings& s) { s.autoSaveMinutes = 240; }},
        {"recycle bin", [](Settings& s) { s.ignoreRecycle = false; }},
        {"archives as files", [](Settings& s) { s.archivesAsFolders = false; }},
        {"old buttons", [](Settings& s) { s.oldButtons = true; }},
        {"double click properties", [](Settings& s) { s.dblClick = DblClick::Properties; }},
        {"double click desc assistant", [](Settings& s) { s.dblClick = DblClick::DescAssist; }},
        {"temp delete", [](Settings& s) { s.tempRemoval = TempRemoval::Delete; }},
        {"temp leave", [](Settings& s) { s.tempRemoval = TempRemoval::Leave; }},
        {"restore dirs", [](Settings& s) { s.restoreArchiveDirs = true; }},
        {"no eject", [](Settings& s) { s.ejectAfterScan = false; }},
        {"desc only", [](Settings& s) { s.archiveDescOnly = true; }},
        {"quick scan", [](Settings& s) { s.archiveQuickScan = true; }},
        {"no serial change", [](Settings& s) { s.allowSerialChange = false; }},
        {"no serial ask", [](Settings& s) { s.askSerialChange = false; }},
        {"full sizes", [](Settings& s) { s.formattedSizes = false; }},
        {"no bak", [](Settings& s) { s.createBak = false; }},
        {"external viewer", [](Settings& s) { s.externalViewer = true; }},
        {"no shortcuts", [](Settings& s) { s.shortcutsInHints = false; }},
        {"short names", [](Settings& s) { s.shortNamesForViewer = true; }},
        {"smooth tree", [](Settings& s) { s.disableSmoothTree = false; }},
        {"autohide", [](Settings& s) { s.autohideTips = true; }},
        {"priority", [](Settings& s) {
             s.descOrder = {DescSource::ArchiveComment, DescSource::FilesBbs, DescSource::DescriptIon,
                            DescSource::FileIdDiz};
         }},
        {"sources", [](Settings& s) { s.descEnabled = {true, false, true, false}; }},
        {"archive type 1 off", [](Settings& s) { s.archiveEnabled[0] = false; }},
        {"archive type 14 off", [](Settings& s) { s.archiveEnabled[13] = false; }},
        {"custom font", [](Settings& s) { s.fonts[0] = FontSlot{true, FontData{-13, 0xF, "Tahoma"}}; }},
        {"system font", [](Settings& s) { s.fonts[5].custom = false; }},
        {"toolbar layout", [](Settings& s) { s.toolbarLayout = {3, 0, 1, 255, 2}; }},
        {"autoload list", [](Settings& s) { s.autoloadList = {"C:\\My Catalogs\\a.ctf", "b.ctf"}; }},
        {"no patterns", [](Settings& s) { s.descPatterns.clear(); }},
        {"patterns", [](Settings& s) { s.descPatterns = {"*.TXT*.NFO", "READ ME"}; }},
        {"extract folder", [](Settings& s) { s.extractFolder = "D:\\Extract"; }},
        {"catalog folder", [](Settings& s) { s.catalogFolder = "D:\\Catalogs"; }},
        {"viewer", [](Settings& s) { s.externalViewerPath = "C:\\Tools\\view.exe"; }},
        {"shell", [](Settings& s) { s.externalShellPath = "C:\\Tools\\shell.exe"; }},
    };
}

class OptionsSessionTest : public ::testing::Test {
protected:
    OptionsSessionTest() : store(Defaults()) {
        store.Load(registry);
        store.Save(registry);
        // What the registry gives back (a first start's unset choices read as their defaults).
        store.Load(registry);
    }
    MemorySectionStore registry;
    SettingsStore store;
    std::vector<Settings> applied;
    OptionsSession session{store, registry, [this](const Settings& s) { applied.push_back(s); }};
};

TEST_F(OptionsSessionTest, EverySettingGoesFromTheDraftThroughApplyToTheRegistryAndBack) {
    for (const Edit& e : EveryEdit()) {
        SCOPED_TRACE(e.what);
        session.Begin();
        const Settings before = store.Get();
        session.Edit(e.edit);
        ASSERT_NE(session.draft(), before) << "the edit changes nothing";
        applied.clear();
        EXPECT_EQ(session.Apply(), kv::SettingsSaveResult::Saved);
        ASSERT_EQ(applied.size(), 1u);
        EXPECT_EQ(applied[0], session.draft());
        EXPECT_FALSE(session.modified());
        SettingsStore reloaded(Defaults());
        reloaded.Load(registry);
        EXPECT_EQ(reloaded.Get(), session.draft());
        EXPECT_FALSE(reloaded.Modified());
    }
}

TEST_F(OptionsSessionTest, CancelLeavesTheStoreAndTheRegistryAsTheyWere) {
    session.Begin();
    const Settings before = store.Get();
    const MemorySectionStore savedRegistry = registry;
    for (const Edit& e : EveryEdit()) session.Edit(e.edit);
    session.Cancel();
    EXPECT_EQ(store.Get(), before);
    EXPECT_EQ(session.draft(), before);
    EXPECT_FALSE(session.modified());
    SettingsStore reloaded(Defaults());
    reloaded.Load(registry);
    EXPECT_EQ(reloaded.Get(), before);
    EXPECT_TRUE(applied.empty());
}

TEST_F(OptionsSessionTest, OkHandsAChangedDraftToTheStoreWhichTheNextShowingWrites) {
    session.Begin();
    EXPECT_FALSE(session.Ok()) << "nothing changed";
    session.Edit([](Settings& s) { s.buttonSize = 6; });
    EXPECT_TRUE(session.Ok());
    EXPECT_EQ(store.Get().buttonSize, 6);
    EXPECT_TRUE(store.Modified());
    SettingsStore before(Defaults());
    before.Load(registry);
    EXPECT_EQ(before.Get().buttonSize, 2) << "not written yet";
    session.Begin();
    EXPECT_FALSE(store.Modified());
    SettingsStore after(Defaults());
    after.Load(registry);
    EXPECT_EQ(after.Get().buttonSize, 6);
    // Setting the controls' own state again is no edit.
    session.SetDraft(session.draft());
    EXPECT_FALSE(session.modified());
}

}  // namespace
}  // namespace kv
