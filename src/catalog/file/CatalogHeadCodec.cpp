#include "catalog/file/CatalogHeadCodec.h"

#include <algorithm>

#include "catalog/file/CatalogFormat.h"

namespace kv {

namespace {

// Count byte meaning "no categories, but the three flag names follow".
constexpr std::uint8_t kFlagNamesOnly = 255;

}  // namespace

bool CatalogVersion::isCurrentFormat() const { return text() != kOldCatalogVersion; }

StoredCatalogHead readCatalogHead(BoundedReader& in) {
    const std::size_t sig = kCatalogSignature.size();
    if (in.remaining() < sig || in.text(sig) != kCatalogSignature) throw EInvalidCatalog(kNotACatalogMessage);
    StoredCatalogHead head;
    in.copy(head.version.chars.data(), head.version.chars.size());
    in.skip(kCatalogHeaderBytes - sig - head.version.chars.size());
    head.name = readLongText(in);
    head.description = readLongText(in);
    return head;
}

void writeCatalogHead(BufferedWriter& out, std::string_view name, std::string_view description,
                      const LeadBytes& lead) {
    out.text(kCatalogSignature);
    out.text(kCurrentCatalogVersion);
    out.u8(0);
    writeLongText(out, name, lead);
    writeLongText(out, description, lead);
}

StoredCategories readCategoryBlock(BoundedReader& in) {
    StoredCategories block;
    const std::uint8_t n = in.u8();
    if (n == 0) return block;
    if (n != kFlagNamesOnly) {
        block.categories.reserve(n);
        for (std::uint8_t i = 0; i < n; ++i) {
            StoredCategory c;
            c.name = readLongText(in);
            c.code = in.u8();
            block.categories.push_back(c);
        }
    }
    for (auto& flag : block.flagNames) flag = readLongText(in);
    return block;
}

void writeCategoryBlock(BufferedWriter& out, const StoredCategories& block, const LeadBytes& lead) {
    const auto& cats = block.categories;
    if (cats.size() > kMaxCategories)
        throw ECatalogLimit("A catalog can hold at most 254 categories.");
    const bool anyFlagName =
        std::any_of(block.flagNames.begin(), block.flagNames.end(), [](std::string_view s) { return !s.empty(); });
    if (cats.empty() && !anyFlagName) {
        out.u8(0);
        return;
    }
    out.u8(cats.empty() ? kFlagNamesOnly : static_cast<std::uint8_t>(cats.size()));
    for (const auto& c : cats) {
        writeLongText(out, c.name, lead);
        out.u8(c.code);
    }
    for (auto flag : block.flagNames) writeLongText(out, flag, lead);
}

}  // namespace kv
