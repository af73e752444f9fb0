#pragma once
// ".CRP" custom report layouts: one text line per visible node of the custom
// tree, "level,state,rest", CR LF. Loading finds the disks in every catalog by
// their volume serial number, cluster size and cluster count (preferring one
// with the same name), the folders by name, and merges the states in.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "search/reports/CustomTree.h"

namespace kv {

struct LayoutLine {
    int level = 0;
    int state = 0;
    // Level 1 only: the three numbers as 32-bit patterns.
    std::uint32_t serial = 0;
    std::uint32_t bytesPerCluster = 0;
    std::uint32_t totalClusters = 0;
    // Level 1: the disk name; level 2 and more: the folder's text.
    std::string name;
};

// Longer lines are not parsed.
inline constexpr std::size_t kMaxLayoutLine = 8192;

// One line without its line end; nullopt when it does not parse.
std::optional<LayoutLine> ReadLayoutLine(std::string_view line);

// The layout of the tree's visible nodes.
std::string SaveLayoutText(const CustomTree& tree);

struct LayoutLoadResult {
    // Some disk or folder of the layout is in none of the catalogs.
    bool notFound = false;
    // The lines applied before an unparsable one ended the load.
    std::size_t linesRead = 0;
};

// Collapses every catalog to its disks, then applies the layout: expands the
// nodes it names and sets their states. Never throws on bad text.
LayoutLoadResult ApplyLayoutText(CustomTree& tree, std::string_view text);

inline constexpr const char* kLayoutNotFoundWarning =
    "Some disks or folders stored in custom report layout\rwere not found in currently loaded catalogs.";

}  // namespace kv
