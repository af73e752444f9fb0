#pragma once
// The settings kept as 32-bit words of bit fields ("Settings", "AdvSettings",
// "Settings2", "ArchiveSupport", "UseFontData"): one table row per field, so
// reading and writing follow the same layout.
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "shell/settings/Settings.h"

namespace kv {

enum class SettingsWord : std::uint8_t { UseFontData, Settings, AdvSettings, Settings2, ArchiveSupport };

struct SettingsWordValue {
    SettingsWord word;
    std::string_view name;      // the registry value
    std::uint32_t defaultWord;  // what a missing or unreadable value gives
    std::uint32_t alwaysSet;    // bits every write sets
};

// A field stored in a word: `width` bits at `shift`, and for a field split in
// two the next bits above at `highShift`. The stored number is the value minus
// `offset`, with one-bit fields flipped where `inverted`.
struct SettingsBitField {
    SettingsWord word;
    std::string_view what;
    std::uint8_t shift;
    std::uint8_t width;
    std::uint8_t highShift = 0;
    std::uint8_t highWidth = 0;
    bool inverted = false;
    int offset = 0;
    int minValue = 0;
    int maxValue = 1;
    // Out of range on reading: true gives the default word's value and counts
    // as a bad value; false clamps to the range, as the controls do.
    bool outOfRangeIsBad = false;
    std::function<int(const Settings&)> get{};
    std::function<void(Settings&, int)> set{};
};

std::span<const SettingsWordValue> SettingsWordValues();
const SettingsWordValue& WordValue(SettingsWord word);
std::span<const SettingsBitField> SettingsBitFields();

// Every field is clamped to its range and masked to its bits, so no value can
// spill into its neighbour.
std::uint32_t EncodeSettingsWord(SettingsWord word, const Settings& settings);
// Sets every field of the word; false when a field held a value it cannot
// take (that field then has its default).
bool DecodeSettingsWord(SettingsWord word, std::uint32_t bits, Settings& settings);

}  // namespace kv
