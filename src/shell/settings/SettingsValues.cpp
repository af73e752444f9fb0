#include "shell/settings/SettingsValues.h"

#include <algorithm>

namespace kv {

std::vector<std::uint8_t> EncodeFontValue(const FontData& font) {
    // Readers take at most 261 bytes, so the pad byte leaves room for 254.
    const std::size_t length = std::min<std::size_t>(font.face.size(), kMaxFontValueSize - 7);
    const auto height = static_cast<std::uint32_t>(font.height);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(length + 7);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(height >> shift));
    bytes.push_back(static_cast<std::uint8_t>(font.style & 0x0F));
    bytes.push_back(static_cast<std::uint8_t>(length));
    for (std::size_t i = 0; i < length; ++i) bytes.push_back(static_cast<std::uint8_t>(font.face[i]));
    bytes.push_back(0);
    return bytes;
}

std::optional<FontData> DecodeFontValue(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 6) return std::nullopt;
    FontData font;
    font.height = static_cast<std::int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                            static_cast<std::uint32_t>(bytes[3]) << 24);
    font.style = bytes[4] & 0x0F;
    const std::size_t length = std::min<std::size_t>(bytes[5], bytes.size() - 6);
    font.face.assign(bytes.begin() + 6, bytes.begin() + 6 + static_cast<std::ptrdiff_t>(length));
    return font;
}

std::vector<std::uint8_t> EncodeDescOrder(const std::array<DescSource, 4>& order) {
    std::vector<std::uint8_t> bytes;
    for (DescSource source : order) bytes.push_back(static_cast<std::uint8_t>(source));
    return bytes;
}

std::optional<std::array<DescSource, 4>> DecodeDescOrder(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != 4) return std::nullopt;
    std::array<bool, 4> seen{};
    std::array<DescSource, 4> order{};
    for (std::size_t i = 0; i < 4; ++i) {
        if (bytes[i] > 3 || seen[bytes[i]]) return std::nullopt;
        seen[bytes[i]] = true;
        order[i] = static_cast<DescSource>(bytes[i]);
    }
    return order;
}

std::string ToCommaText(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t n = 0; n < items.size(); ++n) {
        if (n > 0) text += ',';
        const std::string& item = items[n];
        if (item.find_first_of(" ,\"") == std::string::npos) {
            text += item;
            continue;
        }
        text += '"';
        for (char c : item) {
            if (c == '"') text += '"';
            text += c;
        }
        text += '"';
    }
    return text;
}

std::vector<std::string> FromCommaText(std::string_view text) {
    std::vector<std::string> items;
    std::string item;
    std::size_t blanks = 0;  // unquoted blanks kept only when more of the item follows
    bool quoted = false;
    auto flushBlanks = [&] {
        if (!item.empty()) item.append(blanks, ' ');
        blanks = 0;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                item += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                item += text[++i];
            else
                quoted = false;
        } else if (c == ',') {
            if (!item.empty()) items.push_back(std::move(item));
            item.clear();
            blanks = 0;
        } else if (c == ' ') {
            ++blanks;
        } else {
            flushBlanks();
            if (c == '"')
                quoted = true;
            else
                item += c;
        }
    }
    if (!item.empty()) items.push_back(std::move(item));
    return items;
}

}  // namespace kv
