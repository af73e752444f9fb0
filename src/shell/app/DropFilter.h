#pragma once
// Which dropped files are catalogs: the extension ".ctf" in any case.
#include <string>
#include <vector>

namespace kv {

struct DroppedFiles {
    std::vector<std::string> catalogs;
    int invalid = 0;
};

DroppedFiles FilterDroppedFiles(const std::vector<std::string>& names);

// The message for drops without a catalog: none when nothing invalid came.
inline constexpr const char* kInvalidDropCaption = "Invalid file";
const char* InvalidDropText(int invalidCount);

}  // namespace kv
