#pragma once
// Texts of the scan's progress window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// A path that fits maxChars: cut from the left at a backslash, "...\" in front.
std::string ShortenPathLeft(const std::string& path, std::size_t maxChars);

// The count below the label while old descriptions are collected.
std::string DescriptionsFoundText(std::size_t found);

inline constexpr const char* kScanIncompleteCaption = "Scan incomplete";
// The warning after a scan that recorded folders it could not read as empty:
// how many, and the first of them.
std::string ScanIncompleteText(std::uint32_t count, const std::vector<std::string>& firstPaths);

}  // namespace kv
