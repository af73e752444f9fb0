#pragma once
// "DESCRIPT.ION" (4DOS/NDOS descriptions): one entry a line, the name (in
// double quotes when it holds a space), blanks, then the description.
#include <string>
#include <string_view>

#include "scan/DescLineReader.h"

namespace kv {

inline constexpr std::size_t kMaxDescriptionLength = 4096;

// Whether the line is an entry; when it is, its name (quotes removed) and
// description (at most 4096 characters). A line that begins with a blank
// empties both.
bool ParseDescriptLine(std::string_view line, std::string& name, std::string& description);
// Reads one line and parses it; false for a line that is no entry and at the end.
bool ReadDescriptLine(DescLineReader& lines, std::string& name, std::string& description);

// The line written for an entry (without its line break): the description's
// lines joined, each but the last padded to 40 columns until one is longer; a
// result over 511 characters is cut to 508 and "..." appended.
std::string FormatDescriptEntry(std::string_view name, std::string_view description);

}  // namespace kv
