#pragma once
// The File Type choices of the name page: registered extensions grouped by the
// description of their file type, each with its ".ext\x01" pattern.
#include <string>
#include <vector>

#include "base/text/AnsiCase.h"
#include "system/SystemCaseMap.h"

namespace kv {

struct RegisteredExtension {
    std::string extension;  // with its dot: ".txt"
    std::string description;
};

struct FileTypeEntry {
    std::string description;
    std::string pattern;
    friend bool operator==(const FileTypeEntry&, const FileTypeEntry&) = default;
};

inline constexpr const char* kNoFileType = "(none)";

// Sorted by description ignoring case, "(none)" first with no pattern; the
// extensions of one description share its entry in the order they came.
std::vector<FileTypeEntry> MergeRegisteredExtensions(const std::vector<RegisteredExtension>& extensions,
                                                     const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
