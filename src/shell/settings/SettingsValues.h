#pragma once
// The settings values that are not bit words: the font values, the order of
// the description sources and the comma text of the list values.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/settings/Settings.h"

namespace kv {

// The revision "RevisionMarker" holds; any other value resets the settings.
inline constexpr std::uint8_t kSettingsRevision = 2;
// The longest font value readers take: height, style, name length, 255
// characters (written: 254 characters and the pad byte).
inline constexpr std::size_t kMaxFontValueSize = 261;
inline constexpr std::size_t kMaxToolbarValueSize = 256;

// Height (int32 little-endian), style, name length, name, pad byte 0.
std::vector<std::uint8_t> EncodeFontValue(const FontData& font);
// Nothing for a value too short to hold the fixed part; a name longer than
// the bytes stored is cut to what is there.
std::optional<FontData> DecodeFontValue(std::span<const std::uint8_t> bytes);

// Byte i is the source at priority i.
std::vector<std::uint8_t> EncodeDescOrder(const std::array<DescSource, 4>& order);
// Only an order naming each of the four sources once is taken.
std::optional<std::array<DescSource, 4>> DecodeDescOrder(std::span<const std::uint8_t> bytes);

// Items joined by commas; an item with a blank, comma or double quote is
// quoted with its double quotes doubled.
std::string ToCommaText(const std::vector<std::string>& items);
// Splits at commas outside quotes; empty items are skipped.
std::vector<std::string> FromCommaText(std::string_view text);

}  // namespace kv
