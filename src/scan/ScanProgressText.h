#pragma once
// Texts of the scan's progress window.
#include <cstddef>
#include <string>

namespace kv {

// A path that fits maxChars: cut from the left at a backslash, "...\" in front.
std::string ShortenPathLeft(const std::string& path, std::size_t maxChars);

}  // namespace kv
