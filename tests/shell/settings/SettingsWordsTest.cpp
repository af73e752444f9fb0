#include "shell/settings/SettingsWords.h"

#include <gtest/gtest.h>

#include <functional>

namespace kv {
namespace {

using W = SettingsWord;

Settings DecodeAll(std::uint32_t useFontData, std::uint32_t settings, std::uint32_t adv, std::uint32_t settings2,
                   std::uint32_t archives) {
    Settings s;
    EXPECT_TRUE(DecodeSettingsWord(W::UseFontData, useFontData, s));
    EXPECT_TRUE(DecodeSettingsWord(W::Settings, settings, s));
    EXPECT_TRUE(DecodeSettingsWord(W::AdvSettings, adv, s));
    EXPECT_TRUE(DecodeSettingsWord(W::Settings2, settings2, s));
    EXPECT_TRUE(DecodeSettingsWord(W::ArchiveSupport, archives, s));
    return s;
}

TEST(SettingsWords, DefaultWordsAndTheInitialRecordMatchTheRegistryTable) {
    for (const SettingsWordValue& w : SettingsWordValues()) EXPECT_EQ(&WordValue(w.word), &w) << w.name;
    EXPECT_EQ(WordValue(W::Settings).defaultWord, 0x315CAEA2u);
    EXPECT_EQ(WordValue(W::AdvSettings).defaultWord, 0x0005078Fu);
    EXPECT_EQ(WordValue(W::Settings2).defaultWord, 1u);
    EXPECT_EQ(WordValue(W::ArchiveSupport).defaultWord, 0xFFFFu);

    // The default column: where it differs from the initial one, a field is set here.
    Settings expected;
    expected.descEnabled = {true, true, true, true};
    expected.browseArchives = false;
    expected.ignoreHiddenFiles = false;
    expected.ignoreHiddenFolders = false;
    expected.autoSave = false;
    expected.autoSaveMinutes = 17;
    expected.ignoreRecycle = false;
    expected.archivesAsFolders = false;
    expected.dblClick = DblClick::Properties;
    expected.restoreArchiveDirs = true;
    expected.ejectAfterScan = false;
    expected.archiveQuickScan = true;
    expected.formattedSizes = false;
    expected.createBak = false;
    expected.disableSmoothTree = false;
    expected.autohideTips = true;
    expected.fonts[2].custom = expected.fonts[5].custom = true;
    EXPECT_EQ(DecodeAll(0x24, 0x315CAEA2, 0x0005078F, 1, 0xFFFF), expected);

    // The initial record, by the table's initial column worked out by hand.
    Settings initial;
    initial.fonts[2].custom = initial.fonts[5].custom = true;
    EXPECT_EQ(EncodeSettingsWord(W::UseFontData, initial), 0x24u);
    EXPECT_EQ(EncodeSettingsWord(W::Settings, initial), 0x315C2F22u);
    EXPECT_EQ(EncodeSettingsWord(W::AdvSettings, initial), 0x32C086F3u);
    EXPECT_EQ(EncodeSettingsWord(W::Settings2, initial), 0xDu);
    EXPECT_EQ(EncodeSettingsWord(W::ArchiveSupport, initial), 0xFFFFFFFFu);  // bits 14..31 always set
    initial.dblClick = DblClick::Nothing;  // how "nothing chosen" is written
    EXPECT_EQ(DecodeAll(0x24, 0x315C2F22, 0x32C086F3, 0xD, 0xFFFFFFFF), initial);
}

TEST(SettingsWords, EachFieldLiesInItsBits) {
    struct Case {
        const char* what;
        W word;
        std::function<void(Settings&)> edit;
        std::uint32_t changedBits;  // against the initial record
    };
    const Case cases[] = {
        {"button size", W::Settings, [](Settings& s) { s.buttonSize = 7; }, 0x5},
        {"dock right", W::Settings, [](Settings& s) { s.dock = DockSide::Right; }, 0x18},
        {"floating", W::Settings, [](Settings& s) { s.toolbarFloating = true; }, 0x40},
        {"DESCRIPT.ION", W::Settings, [](Settings& s) { s.descEnabled[2] = true; }, 0x80},
        {"FILES.BBS", W::Settings, [](Settings& s) { s.descEnabled[1] = true; }, 0x8000},
        {"tip delay 20 kept within its field", W::Settings, [](Settings& s) { s.tipDelayTenths = 20; }, 0x30000},
        {"tip hide", W::Settings, [](Settings& s) { s.tipHideSeconds = 0; }, 0x500000},
        {"depth 8 stored as 7", W::Settings, [](Settings& s) { s.descAssistDepth = 8; }, 0x6000000},
        {"truncate lines 0 clamped to 1", W::Settings, [](Settings& s) { s.truncateLines = 0; }, 0x20000000},
        {"archive comment", W::AdvSettings, [](Settings& s) { s.descEnabled[3] = true; }, 0x4},
        {"FILE_ID.DIZ", W::AdvSettings, [](Settings& s) { s.descEnabled[0] = true; }, 0x8},
        {"autosave 240 stored as 238", W::AdvSettings, [](Settings& s) { s.autoSaveMinutes = 240; },
         (238u ^ 13u) << 7},
        {"archives as files, inverted", W::AdvSettings, [](Settings& s) { s.archivesAsFolders = false; }, 0x10000},
        {"double click 5 split", W::AdvSettings, [](Settings& s) { s.dblClick = DblClick::DescAssist; }, 0x80040000},
        {"nothing chosen written as nothing", W::AdvSettings, [](Settings& s) { s.dblClick = DblClick::Nothing; }, 0},
        {"leave temp files", W::AdvSettings, [](Settings& s) { s.tempRemoval = TempRemoval::Leave; }, 0x200000},
        {"restore folders, inverted", W::AdvSettings, [](Settings& s) { s.restoreArchiveDirs = true; }, 0x400000},
        {"quick scan, inverted", W::AdvSettings, [](Settings& s) { s.archiveQuickScan = true; }, 0x2000000},
        {"serial change, inverted", W::AdvSettings, [](Settings& s) { s.allowSerialChange = false; }, 0x4000000},
        {"ask serial, inverted", W::AdvSettings, [](Settings& s) { s.askSerialChange = false; }, 0x8000000},
        {"external viewer", W::AdvSettings, [](Settings& s) { s.externalViewer = true; }, 0x40000000},
        {"autohide, inverted", W::Settings2, [](Settings& s) { s.autohideTips = true; }, 0x8},
        {"short names", W::Settings2, [](Settings& s) { s.shortNamesForViewer = true; }, 0x2},
        {"archive type 14 off", W::ArchiveSupport, [](Settings& s) { s.archiveEnabled[13] = false; }, 0x2000},
        {"font slot 5 system", W::UseFontData, [](Settings& s) { s.fonts[5].custom = false; }, 0x20},
    };
    Settings initial;
    initial.fonts[2].custom = initial.fonts[5].custom = true;
    for (const Case& c : cases) {
        Settings s = initial;
        c.edit(s);
        const std::uint32_t bits = EncodeSettingsWord(c.word, s);
        EXPECT_EQ(bits ^ EncodeSettingsWord(c.word, initial), c.changedBits) << c.what;
        Settings back = initial;
        EXPECT_TRUE(DecodeSettingsWord(c.word, bits, back)) << c.what;
        EXPECT_EQ(EncodeSettingsWord(c.word, back), bits) << c.what;
    }
}

TEST(SettingsWords, StoredValuesOutOfRange) {
    Settings s;
    // Bits 18-19 = 2 and bit 31 give index 6: no such action, so the default one.
    EXPECT_FALSE(DecodeSettingsWord(W::AdvSettings, 0x80080000u | (255u << 7) | (3u << 20), s));
    EXPECT_EQ(s.dblClick, DblClick::Properties);
    EXPECT_EQ(s.autoSaveMinutes, 240);  // 257 clamped
    EXPECT_EQ(s.tempRemoval, TempRemoval::Ask);  // 3 asks too

    EXPECT_TRUE(DecodeSettingsWord(W::Settings, 0xFF000000u | (15u << 16), s));
    EXPECT_EQ(s.descAssistDepth, 8);
    EXPECT_EQ(s.truncateLines, 15);
    EXPECT_EQ(s.tipDelayTenths, 15);
    EXPECT_EQ(s.tipHideSeconds, 0);
    EXPECT_TRUE(DecodeSettingsWord(W::Settings, 0, s));
    EXPECT_EQ(s.truncateLines, 1);
    EXPECT_EQ(s.descAssistDepth, 1);
}

}  // namespace
}  // namespace kv
