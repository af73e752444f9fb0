#include "shell/app/WindowPos.h"

#include <algorithm>

namespace kv {

std::uint8_t EncodeSortByte(const SortState& sort) {
    return static_cast<std::uint8_t>((sort.diskColumn & 7) | ((sort.fileColumn & 7) << 3) | (sort.reverse ? 0x80 : 0));
}

SortState DecodeSortByte(std::uint8_t byte) {
    return {static_cast<std::uint8_t>(byte & 7), static_cast<std::uint8_t>((byte >> 3) & 7), (byte & 0x80) != 0};
}

std::array<std::uint8_t, kWindowPosBytes> EncodeWindowPos(const WindowPos& pos) {
    // The first 20 bytes have the shape of every other saved window place,
    // with the tree width where those keep their extra number.
    std::array<std::uint8_t, kWindowPosBytes> out{};
    const auto head = EncodePlacement({pos.bounds, pos.treeWidth});
    std::copy(head.begin(), head.end(), out.begin());
    out[28] = pos.viewStyle;
    out[29] = EncodeSortByte(pos.sort);
    return out;
}

std::optional<WindowPos> DecodeWindowPos(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kWindowPosBytes)
        return std::nullopt;
    const SavedPlacement head = *DecodePlacement(bytes.first(kPlacementBytes));
    WindowPos pos;
    pos.bounds = head.bounds;
    pos.treeWidth = head.extra;
    // A style the list does not have shows details.
    pos.viewStyle = bytes[28] <= kDefaultViewStyle ? bytes[28] : kDefaultViewStyle;
    pos.sort = DecodeSortByte(bytes[29]);
    return pos;
}

bool UsableWindowBounds(const FormBounds& bounds, const ScreenArea& screen) {
    return bounds.width >= kMinWindowWidth && bounds.height >= kMinWindowHeight &&
           IsPlacementVisible(bounds, screen);
}

}  // namespace kv
