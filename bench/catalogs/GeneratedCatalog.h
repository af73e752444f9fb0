#pragma once
// Large catalogs for the benchmarks, built in memory and written with the
// program's own writer. Everything (names, sizes, dates, descriptions) follows
// from the shape and the seed, so two runs write the same bytes.
#include <cstdint>
#include <string>

#include "catalog/model/Forest.h"

namespace kv::bench {

struct CatalogShape {
    std::uint32_t files = 1000000;
    std::uint32_t disks = 10;
    std::uint32_t folders = 1000;
    // Two leaf folders of the first disk, "Big" and "Thousand", hold exactly
    // these many files; the rest spread over the other folders and disk roots.
    std::uint32_t bigFolderFiles = 100000;
    std::uint32_t smallFolderFiles = 1000;
    std::uint64_t seed = 1;
};

inline constexpr const char* kBigFolderName = "Big";
inline constexpr const char* kSmallFolderName = "Thousand";
// Every file whose description is set has one of these; each holds "summer" or not.
inline constexpr std::uint32_t kDescriptionEvery = 37;

// A catalog named `name` as the last root of the forest. Throws
// std::invalid_argument when the shape cannot hold its special folders.
Node& BuildCatalog(Forest& forest, const std::string& name, const CatalogShape& shape);

// Builds the catalog and writes it to `path`; returns the number of files written.
std::uint64_t WriteGeneratedCatalog(const std::string& path, const std::string& name, const CatalogShape& shape);

}  // namespace kv::bench
