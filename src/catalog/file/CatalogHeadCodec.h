#pragma once
// The start of a catalog file: the 13-byte header, the catalog's name and
// description, and the category block with the three user-flag names.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/BoundedReader.h"
#include "base/BufferedWriter.h"
#include "catalog/file/StoredText.h"

namespace kv {

// The four version characters of the header.
struct CatalogVersion {
    std::array<char, 4> chars{'1', '.', '0', '1'};
    std::string_view text() const { return {chars.data(), chars.size()}; }
    // Any version but "1.00" reads as the current one.
    bool isCurrentFormat() const;
    friend bool operator==(const CatalogVersion&, const CatalogVersion&) = default;
};

struct StoredCatalogHead {
    CatalogVersion version;
    std::string_view name;
    std::string_view description;
    friend bool operator==(const StoredCatalogHead&, const StoredCatalogHead&) = default;
};

// Only the first 8 bytes are checked ("Catalog "); otherwise EInvalidCatalog
// "This is not a valid catalog file!".
StoredCatalogHead readCatalogHead(BoundedReader& in);
// Always writes the current version.
void writeCatalogHead(BufferedWriter& out, std::string_view name, std::string_view description,
                      const LeadBytes& lead = {});

struct StoredCategory {
    std::string_view name;
    std::uint8_t code = 0;  // 1..31 when written by us; kept as read
    friend bool operator==(const StoredCategory&, const StoredCategory&) = default;
};

struct StoredCategories {
    std::vector<StoredCategory> categories;
    std::array<std::string_view, 3> flagNames;  // empty = unnamed
    friend bool operator==(const StoredCategories&, const StoredCategories&) = default;
};

StoredCategories readCategoryBlock(BoundedReader& in);
// More than 254 categories have no count byte: ECatalogLimit.
void writeCategoryBlock(BufferedWriter& out, const StoredCategories& block, const LeadBytes& lead = {});

}  // namespace kv
