#pragma once
// Fixed-width text for the plain-text report export and list captions.
// Widths count bytes: texts are single-byte ANSI.
#include <string>
#include <string_view>

namespace kv {

std::string Spaces(int n);
std::string RepeatChar(char c, int n);

// A text already wider than Width comes back unchanged, never cut.
std::string PadRight(std::string_view text, int width);
std::string PadLeft(std::string_view text, int width);
// An odd leftover blank goes to the right.
std::string CenterText(std::string_view text, int width);

}  // namespace kv
