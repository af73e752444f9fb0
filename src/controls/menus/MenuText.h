#pragma once
// Texts of menu items as the owner-drawn menus measure, draw and search them:
// "&" marks the mnemonic, "&&" is a literal "&".
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kv {

// Pixel width of a text in the font the menu is drawn with.
using TextWidth = std::function<int(std::string_view)>;

// Every "&" doubled, so that a path shows as it is.
std::string EscapeAmpersands(std::string_view text);
// The text as drawn: a marking "&" dropped, "&&" shown as one "&".
std::string StripMnemonic(std::string_view caption);

// The caption of recently-used entry `number` (1-based): "&n " + the path,
// shortened from the left to maxWidth (0: not shortened) and with its "&"
// escaped.
std::string MruCaption(std::size_t number, std::string_view path, int maxWidth, const TextWidth& width);

// Width of an owner-drawn item: caption as drawn + extra, then the shortcut
// text + 25 when there is one, else + 20.
int MenuItemWidth(std::string_view caption, std::string_view shortcutText, const TextWidth& width, int extra = 0);

}  // namespace kv
