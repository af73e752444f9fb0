#include "shell/settings/SettingsWords.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kv {

namespace {

using W = SettingsWord;

SettingsBitField Flag(W word, std::string_view what, std::uint8_t bit, bool Settings::*field, bool inverted = false) {
    SettingsBitField f{word, what, bit, 1};
    f.inverted = inverted;
    f.get = [field](const Settings& s) { return s.*field ? 1 : 0; };
    f.set = [field](Settings& s, int v) { s.*field = v != 0; };
    return f;
}

SettingsBitField Number(W word, std::string_view what, std::uint8_t shift, std::uint8_t width,
                        std::uint8_t Settings::*field, int offset, int minValue, int maxValue) {
    SettingsBitField f{word, what, shift, width};
    f.offset = offset;
    f.minValue = minValue;
    f.maxValue = maxValue;
    f.get = [field](const Settings& s) { return int{s.*field}; };
    f.set = [field](Settings& s, int v) { s.*field = static_cast<std::uint8_t>(v); };
    return f;
}

SettingsBitField DescSourceFlag(W word, std::string_view what, std::uint8_t bit, DescSource source) {
    auto i = static_cast<std::size_t>(source);
    SettingsBitField f{word, what, bit, 1};
    f.get = [i](const Settings& s) { return s.descEnabled[i] ? 1 : 0; };
    f.set = [i](Settings& s, int v) { s.descEnabled[i] = v != 0; };
    return f;
}

std::vector<SettingsBitField> MakeFields() {
    std::vector<SettingsBitField> f;
    for (std::uint8_t slot = 0; slot < 6; ++slot) {
        SettingsBitField custom{W::UseFontData, "font slot custom", slot, 1};
        custom.get = [slot](const Settings& s) { return s.fonts[slot].custom ? 1 : 0; };
        custom.set = [slot](Settings& s, int v) { s.fonts[slot].custom = v != 0; };
        f.push_back(custom);
    }

    f.push_back(Number(W::Settings, "button size", 0, 3, &Settings::buttonSize, 0, 0, 7));
    SettingsBitField dock{W::Settings, "dock side", 3, 2};
    dock.maxValue = 3;
    dock.get = [](const Settings& s) { return static_cast<int>(s.dock); };
    dock.set = [](Settings& s, int v) { s.dock = static_cast<DockSide>(v); };
    f.push_back(dock);
    f.push_back(Flag(W::Settings, "toolbar visible", 5, &Settings::toolbarVisible));
    f.push_back(Flag(W::Settings, "toolbar floating", 6, &Settings::toolbarFloating));
    f.push_back(DescSourceFlag(W::Settings, "DESCRIPT.ION enabled", 7, DescSource::DescriptIon));
    f.push_back(Flag(W::Settings, "browse archives", 8, &Settings::browseArchives));
    f.push_back(Flag(W::Settings, "show up row", 9, &Settings::showUpRow));
    f.push_back(Flag(W::Settings, "description tips", 10, &Settings::descTips));
    f.push_back(Flag(W::Settings, "status bar", 11, &Settings::statusBar));
    f.push_back(Flag(W::Settings, "autoload", 12, &Settings::autoload));
    f.push_back(Flag(W::Settings, "tips at start", 13, &Settings::tipsAtStart));
    f.push_back(Flag(W::Settings, "assistant subfolders", 14, &Settings::descAssistSubfolders));
    f.push_back(DescSourceFlag(W::Settings, "FILES.BBS enabled", 15, DescSource::FilesBbs));
    // The delay bar offers 0..20 but its field holds 0..15: longer delays are
    // kept as 15 rather than spilling into the hide delay above.
    f.push_back(Number(W::Settings, "tip delay", 16, 4, &Settings::tipDelayTenths, 0, 0, 20));
    f.push_back(Number(W::Settings, "tip hide", 20, 4, &Settings::tipHideSeconds, 0, 0, 15));
    f.push_back(Number(W::Settings, "assistant depth", 24, 3, &Settings::descAssistDepth, 1, 1, 8));
    f.push_back(Flag(W::Settings, "truncate descriptions", 27, &Settings::truncateDesc));
    f.push_back(Number(W::Settings, "truncate lines", 28, 4, &Settings::truncateLines, 0, 1, 15));

    f.push_back(Flag(W::AdvSettings, "keep current descriptions", 0, &Settings::keepCurrentDesc));
    f.push_back(Flag(W::AdvSettings, "keep disk name", 1, &Settings::keepDiskName));
    f.push_back(DescSourceFlag(W::AdvSettings, "archive comment enabled", 2, DescSource::ArchiveComment));
    f.push_back(DescSourceFlag(W::AdvSettings, "FILE_ID.DIZ enabled", 3, DescSource::FileIdDiz));
    f.push_back(Flag(W::AdvSettings, "ignore hidden files", 4, &Settings::ignoreHiddenFiles));
    f.push_back(Flag(W::AdvSettings, "ignore hidden folders", 5, &Settings::ignoreHiddenFolders));
    f.push_back(Flag(W::AdvSettings, "autosave", 6, &Settings::autoSave));
    f.push_back(Number(W::AdvSettings, "autosave minutes", 7, 8, &Settings::autoSaveMinutes, 2, 2, 240));
    f.push_back(Flag(W::AdvSettings, "ignore recycle bin", 15, &Settings::ignoreRecycle));
    f.push_back(Flag(W::AdvSettings, "archives as folders", 16, &Settings::archivesAsFolders, true));
    f.push_back(Flag(W::AdvSettings, "old buttons", 17, &Settings::oldButtons));
    // "Nothing chosen" is written as "Nothing"; indexes past the list are bad.
    SettingsBitField dblClick{W::AdvSettings, "double click", 18, 2, 31, 1};
    dblClick.maxValue = 5;
    dblClick.outOfRangeIsBad = true;
    dblClick.get = [](const Settings& s) { return static_cast<int>(s.dblClick); };
    dblClick.set = [](Settings& s, int v) { s.dblClick = static_cast<DblClick>(v); };
    f.push_back(dblClick);
    SettingsBitField temp{W::AdvSettings, "temp removal", 20, 2};
    temp.maxValue = 3;
    temp.get = [](const Settings& s) {
        return s.tempRemoval == TempRemoval::Delete ? 1 : s.tempRemoval == TempRemoval::Leave ? 2 : 0;
    };
    temp.set = [](Settings& s, int v) {
        s.tempRemoval = v == 1 ? TempRemoval::Delete : v == 2 ? TempRemoval::Leave : TempRemoval::Ask;
    };
    f.push_back(temp);
    f.push_back(Flag(W::AdvSettings, "restore archive folders", 22, &Settings::restoreArchiveDirs, true));
    f.push_back(Flag(W::AdvSettings, "eject after scan", 23, &Settings::ejectAfterScan));
    f.push_back(Flag(W::AdvSettings, "archive descriptions only", 24, &Settings::archiveDescOnly));
    f.push_back(Flag(W::AdvSettings, "archive quick scan", 25, &Settings::archiveQuickScan, true));
    f.push_back(Flag(W::AdvSettings, "allow serial change", 26, &Settings::allowSerialChange, true));
    f.push_back(Flag(W::AdvSettings, "ask serial change", 27, &Settings::askSerialChange, true));
    f.push_back(Flag(W::AdvSettings, "formatted sizes", 28, &Settings::formattedSizes));
    f.push_back(Flag(W::AdvSettings, "create .BAK", 29, &Settings::createBak));
    f.push_back(Flag(W::AdvSettings, "external viewer", 30, &Settings::externalViewer));

    f.push_back(Flag(W::Settings2, "shortcuts in hints", 0, &Settings::shortcutsInHints));
    f.push_back(Flag(W::Settings2, "short names for viewer", 1, &Settings::shortNamesForViewer));
    f.push_back(Flag(W::Settings2, "disable smooth tree", 2, &Settings::disableSmoothTree));
    f.push_back(Flag(W::Settings2, "autohide tips", 3, &Settings::autohideTips, true));

    for (std::uint8_t type = 1; type <= 14; ++type) {
        SettingsBitField arc{W::ArchiveSupport, "archive type enabled", static_cast<std::uint8_t>(type - 1), 1};
        arc.get = [type](const Settings& s) { return s.archiveEnabled[type - 1] ? 1 : 0; };
        arc.set = [type](Settings& s, int v) { s.archiveEnabled[type - 1] = v != 0; };
        f.push_back(arc);
    }
    return f;
}

std::uint32_t FieldMax(const SettingsBitField& f) { return (1u << (f.width + f.highWidth)) - 1; }

int StoredValue(const SettingsBitField& f, std::uint32_t bits) {
    std::uint32_t raw = (bits >> f.shift) & ((1u << f.width) - 1);
    if (f.highWidth) raw |= ((bits >> f.highShift) & ((1u << f.highWidth) - 1)) << f.width;
    if (f.inverted) raw ^= FieldMax(f);
    return static_cast<int>(raw) + f.offset;
}

}  // namespace

std::span<const SettingsWordValue> SettingsWordValues() {
    static constexpr std::array<SettingsWordValue, 5> kWords{{
        // Slots 2 and 5 start with their own font.
        {W::UseFontData, "UseFontData", 0x24, 0},
        {W::Settings, "Settings", 0x315CAEA2, 0},
        {W::AdvSettings, "AdvSettings", 0x0005078F, 0},
        {W::Settings2, "Settings2", 1, 0},
        {W::ArchiveSupport, "ArchiveSupport", 0x0000FFFF, 0xFFFFC000},
    }};
    return kWords;
}

const SettingsWordValue& WordValue(SettingsWord word) { return SettingsWordValues()[static_cast<std::size_t>(word)]; }

std::span<const SettingsBitField> SettingsBitFields() {
    static const std::vector<SettingsBitField> kFields = MakeFields();
    return kFields;
}

std::uint32_t EncodeSettingsWord(SettingsWord word, const Settings& settings) {
    std::uint32_t bits = WordValue(word).alwaysSet;
    for (const SettingsBitField& f : SettingsBitFields()) {
        if (f.word != word) continue;
        const int value = std::clamp(f.get(settings), f.minValue, f.maxValue);
        auto stored = static_cast<std::uint32_t>(std::clamp<int>(value - f.offset, 0, static_cast<int>(FieldMax(f))));
        if (f.inverted) stored ^= FieldMax(f);
        bits |= (stored & ((1u << f.width) - 1)) << f.shift;
        if (f.highWidth) bits |= (stored >> f.width) << f.highShift;
    }
    return bits;
}

bool DecodeSettingsWord(SettingsWord word, std::uint32_t bits, Settings& settings) {
    bool good = true;
    for (const SettingsBitField& f : SettingsBitFields()) {
        if (f.word != word) continue;
        int value = StoredValue(f, bits);
        if (value < f.minValue || value > f.maxValue) {
            if (f.outOfRangeIsBad) {
                good = false;
                value = StoredValue(f, WordValue(word).defaultWord);
            }
            value = std::clamp(value, f.minValue, f.maxValue);
        }
        f.set(settings, value);
    }
    return good;
}

}  // namespace kv
