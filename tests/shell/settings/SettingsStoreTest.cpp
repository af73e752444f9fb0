#include "shell/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "shell/settings/SettingsValues.h"
#include "shell/settings/SettingsWords.h"
#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A memory store that logs the values written and fails the writes asked.
class TestStore : public MemorySectionStore {
public:
    std::set<std::string> failing;
    std::vector<std::string> written;
    bool keyOpens = true;

protected:
    bool openForWriting(std::string_view) override { return keyOpens; }
    bool writeString(std::string_view section, std::string_view name, std::string_view value) override {
        return allow(name) && MemorySectionStore::writeString(section, name, value);
    }
    bool writeBinary(std::string_view section, std::string_view name, std::span<const std::uint8_t> bytes) override {
        return allow(name) && MemorySectionStore::writeBinary(section, name, bytes);
    }

private:
    bool allow(std::string_view name) {
        written.emplace_back(name);
        return !failing.contains(std::string(name));
    }
};

PlatformDefaults Defaults() {
    PlatformDefaults d;
    d.tempDir = "C:\\WINDOWS\\TEMP";
    d.programDir = "C:\\Korvalder";
    d.windowsDir = "C:\\WINDOWS";
    d.folderExists = [](const std::string& folder) { return folder != "C:\\Gone"; };
    for (std::size_t slot = 0; slot < 6; ++slot)
        d.systemFonts[slot] = FontData{-11, 0, "System " + std::to_string(slot)};
    return d;
}

// A record unlike the initial and default ones wherever it can be.
Settings Custom() {
    Settings s = MakeInitialSettings(Defaults());
    s.buttonSize = 5;
    s.dock = DockSide::Left;
    s.toolbarFloating = true;
    s.browseArchives = false;
    s.tipDelayTenths = 7;
    s.descAssistDepth = 6;
    s.truncateLines = 9;
    s.autoSaveMinutes = 240;
    s.dblClick = DblClick::View;
    s.tempRemoval = TempRemoval::Leave;
    s.archivesAsFolders = false;
    s.autohideTips = true;
    s.descOrder = {DescSource::ArchiveComment, DescSource::FilesBbs, DescSource::FileIdDiz, DescSource::DescriptIon};
    s.descEnabled = {true, false, true, false};
    s.archiveEnabled[4] = false;
    s.fonts[0] = FontSlot{true, FontData{-13, 3, "Tahoma"}};
    s.fonts[2].custom = false;
    s.fonts[3].font = FontData{12, 8, "Arial"};
    s.toolbarLayout = {10, 0, 11, 255, 12};
    s.autoloadList = {"C:\\My Catalogs\\a.ctf", "b,\"c\".ctf"};
    s.descPatterns = {"*.NFO"};
    s.extractFolder = "C:\\Extract";
    s.catalogFolder = "D:\\Catalogs";
    s.externalViewerPath = "C:\\Tools\\view.exe";
    s.externalShellPath = "C:\\Tools\\shell.exe";
    return s;
}

// Saves the custom record with `dropped` left out.
void SaveCustom(TestStore& store, const std::string& dropped) {
    SettingsStore settings(Defaults());
    settings.Replace(Custom());
    if (!dropped.empty()) store.failing.insert(dropped);
    settings.Save(store);
    store.failing.clear();
}

TEST(SettingsStore, AMissingKeyGivesTheInitialRecordAndAsksForASave) {
    MemorySectionStore empty;
    SettingsStore settings(Defaults());
    settings.Replace(Custom());
    settings.Load(empty);
    EXPECT_EQ(settings.Get(), MakeInitialSettings(Defaults()));
    EXPECT_TRUE(settings.Modified());
    EXPECT_EQ(settings.GetFontData(0), (FontData{-11, 0, "System 0"}));
    EXPECT_EQ(settings.GetFontData(5), (FontData{-15, 0, "Courier New"}));
}

TEST(SettingsStore, AKeyWithoutValuesGivesTheDefaults) {
    MemorySectionStore store;
    store.WriteBinary("", "WindowPos", Bytes(30));
    SettingsStore settings(Defaults());
    settings.Load(store);

    Settings expected = MakeInitialSettings(Defaults());
    for (const SettingsWordValue& w : SettingsWordValues()) DecodeSettingsWord(w.word, w.defaultWord, expected);
    expected.descPatterns.clear();  // a missing text reads as empty
    EXPECT_EQ(settings.Get(), expected);
    EXPECT_TRUE(settings.Get().toolbarLayout.empty());
    EXPECT_TRUE(settings.Modified());
}

TEST(SettingsStore, EachValueIsReadOnItsOwn) {
    const PlatformDefaults d = Defaults();
    struct Case {
        const char* what;
        std::string dropped;                           // left out of the save
        std::function<void(SectionStore&)> spoil;      // written over after it
        std::function<void(Settings&)> expect;         // what the load then differs in
        bool modified;
    };
    auto settingsDefault = [](Settings& s) { DecodeSettingsWord(SettingsWord::Settings, 0x315CAEA2, s); };
    auto initialOrder = [](Settings& s) { s.descOrder = Settings{}.descOrder; };
    const Case cases[] = {
        {"nothing spoiled", "", nullptr, nullptr, false},
        {"3-byte Settings", "", [](SectionStore& st) { st.WriteBinary("", "Settings", Bytes{1, 2, 3}); },
         settingsDefault, true},
        {"Settings as an integer", "", [](SectionStore& st) { st.WriteInteger("", "Settings", 7); }, settingsDefault,
         true},
        {"AdvSettings missing", "AdvSettings", nullptr,
         [](Settings& s) { DecodeSettingsWord(SettingsWord::AdvSettings, 0x0005078F, s); }, true},
        {"double click index 6", "",
         [](SectionStore& st) {
             const std::uint32_t w = (EncodeSettingsWord(SettingsWord::AdvSettings, Custom()) & ~0x000C0000u) |
                                     0x80080000u;
             st.WriteBinary("", "AdvSettings", Bytes{std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(w >> 16),
                                                     std::uint8_t(w >> 24)});
         },
         [](Settings& s) { s.dblClick = DblClick::Properties; }, true},
        {"UseFontData missing", "UseFontData", nullptr,
         [](Settings& s) {
             for (int slot = 0; slot < 6; ++slot) s.fonts[slot].custom = slot == 2 || slot == 5;
         },
         true},
        {"order with a repeat", "", [](SectionStore& st) { st.WriteBinary("", "ImportDescOrder", Bytes{0, 0, 1, 2}); },
         initialOrder, true},
        {"order missing", "ImportDescOrder", nullptr, initialOrder, true},
        {"300-byte font", "", [](SectionStore& st) { st.WriteBinary("", "Font3", Bytes(300, 'a')); },
         [&](Settings& s) { s.fonts[3].font = d.systemFonts[3]; }, false},
        {"5-byte font", "", [](SectionStore& st) { st.WriteBinary("", "Font0", Bytes{1, 0, 0, 0, 1}); },
         [&](Settings& s) { s.fonts[0].font = d.systemFonts[0]; }, false},
        {"font as text", "", [](SectionStore& st) { st.WriteString("", "Font3", "Arial"); },
         [&](Settings& s) { s.fonts[3].font = d.systemFonts[3]; }, false},
        {"10-byte font", "",
         [](SectionStore& st) { st.WriteBinary("", "Font1", Bytes{9, 0, 0, 0, 1, 9, 'a', 'b', 'c', 'd'}); },
         [](Settings& s) { s.fonts[1].font = FontData{9, 1, "abcd"}; }, false},
        {"empty toolbar", "", [](SectionStore& st) { st.WriteBinary("", "CustomToolbar", Bytes{}); },
         [](Settings& s) { s.toolbarLayout.clear(); }, false},
        {"300-byte toolbar", "", [](SectionStore& st) { st.WriteBinary("", "CustomToolbar", Bytes(300, 7)); },
         [](Settings& s) { s.toolbarLayout.clear(); }, false},
        {"repeated toolbar entries", "",
         [](SectionStore& st) { st.WriteBinary("", "CustomToolbar", Bytes{10, 10, 0, 0, 255, 11, 255}); },
         [](Settings& s) { s.toolbarLayout = {10, 0, 0, 255, 11}; }, false},
        {"DescFiles missing", "DescFiles", nullptr, [](Settings& s) { s.descPatterns.clear(); }, false},
        {"DescFiles binary", "", [](SectionStore& st) { st.WriteBinary("", "DescFiles", Bytes{'a'}); },
         [](Settings& s) { s.descPatterns = Settings{}.descPatterns; }, true},
        {"Autoload as an integer", "", [](SectionStore& st) { st.WriteInteger("", "Autoload", 1); },
         [](Settings& s) { s.autoloadList.clear(); }, true},
        {"TempDir missing", "TempDir", nullptr, [&](Settings& s) { s.extractFolder = d.tempDir; }, false},
        {"CatalogDir gone", "", [](SectionStore& st) { st.WriteString("", "CatalogDir", "C:\\Gone"); },
         [&](Settings& s) { s.catalogFolder = d.programDir; }, false},
        {"ExternalViewer empty", "", [](SectionStore& st) { st.WriteString("", "ExternalViewer", ""); },
         [](Settings& s) { s.externalViewerPath = "C:\\WINDOWS\\NOTEPAD.EXE"; }, false},
        {"ExternalShell as binary", "", [](SectionStore& st) { st.WriteBinary("", "ExternalShell", Bytes{'x'}); },
         [](Settings& s) { s.externalShellPath.clear(); }, true},
    };
    for (const Case& c : cases) {
        TestStore store;
        SaveCustom(store, c.dropped);
        if (c.spoil) c.spoil(store);
        SettingsStore settings(d);
        settings.Load(store);
        Settings expected = Custom();
        if (c.expect) c.expect(expected);
        EXPECT_EQ(settings.Get(), expected) << c.what;
        EXPECT_EQ(settings.Modified(), c.modified) << c.what;
    }
}

TEST(SettingsStore, SavesEveryValueInOrderWithTheMarkerLast) {
    TestStore store;
    SettingsStore settings(Defaults());
    settings.Replace(Custom());
    ASSERT_EQ(settings.Save(store), SettingsSaveResult::Saved);
    EXPECT_FALSE(settings.Modified());
    const std::vector<std::string> order{
        "UseFontData", "Font0",     "Font1",    "Font2",       "Font3",          "Font4",          "Font5",
        "ImportDescOrder", "CustomToolbar", "Settings", "AdvSettings", "Settings2", "ArchiveSupport", "Autoload",
        "DescFiles",   "TempDir",   "CatalogDir", "ExternalViewer", "ExternalShell", "RevisionMarker"};
    EXPECT_EQ(store.written, order);
    EXPECT_EQ(store.ReadBinary("", "RevisionMarker"), (Bytes{2}));
    EXPECT_EQ(store.ReadBinary("", "ArchiveSupport"), (Bytes{0xEF, 0xFF, 0xFF, 0xFF}));  // type 5 off
    EXPECT_EQ(store.ReadBinary("", "UseFontData"), (Bytes{0x21, 0, 0, 0}));
    EXPECT_EQ(store.ReadBinary("", "ImportDescOrder"), (Bytes{3, 1, 0, 2}));
    EXPECT_EQ(store.ReadBinary("", "Font2"), (Bytes{0xF1, 0xFF, 0xFF, 0xFF, 0, 11, 'C', 'o', 'u', 'r', 'i', 'e', 'r',
                                                    ' ', 'N', 'e', 'w', 0}));
    EXPECT_EQ(store.ReadString("", "Autoload"), "\"C:\\My Catalogs\\a.ctf\",\"b,\"\"c\"\".ctf\"");

    // An empty layout is written as no bytes and read back as the toolbar's own.
    settings.Update([](Settings& s) { s.toolbarLayout.clear(); });
    ASSERT_EQ(settings.Save(store), SettingsSaveResult::Saved);
    EXPECT_EQ(store.ReadBinary("", "CustomToolbar"), Bytes{});
    settings.Load(store);
    EXPECT_TRUE(settings.Get().toolbarLayout.empty());
}

TEST(SettingsStore, AFailedSaveWritesTheRestAndKeepsTheFlag) {
    TestStore store;
    store.failing = {"Settings2"};
    SettingsStore settings(Defaults());
    settings.Replace(Custom());
    EXPECT_EQ(settings.Save(store), SettingsSaveResult::ValueFailed);
    EXPECT_TRUE(settings.Modified());
    EXPECT_EQ(store.written.back(), "RevisionMarker");
    EXPECT_EQ(store.KindOf("", "Settings2"), StoredKind::Missing);
    EXPECT_EQ(store.KindOf("", "ArchiveSupport"), StoredKind::Binary);

    store.failing.clear();
    EXPECT_EQ(settings.Save(store), SettingsSaveResult::Saved);
    EXPECT_FALSE(settings.Modified());
}

TEST(SettingsStore, AKeyThatCannotBeOpenedGetsNothingWritten) {
    TestStore store;
    store.keyOpens = false;
    SettingsStore settings(Defaults());
    settings.Replace(Custom());
    EXPECT_EQ(settings.Save(store), SettingsSaveResult::KeyFailed);
    EXPECT_TRUE(store.written.empty());
    EXPECT_FALSE(settings.Modified());
}

}  // namespace
}  // namespace kv
