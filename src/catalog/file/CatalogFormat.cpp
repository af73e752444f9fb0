#include "catalog/file/CatalogFormat.h"

#include <limits>

namespace kv {

std::uint8_t readStoredFlags(BoundedReader& in, std::uint8_t kind) {
    std::uint8_t flags = in.u8();
    if (GetItemKind(flags) != kind) throw EInvalidCatalog(kStructureErrorMessage);
    return flags;
}

std::int32_t storedOffset(std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        throw ECatalogLimit("The catalog file would grow past 2 GB, more than its format can address.");
    return static_cast<std::int32_t>(position);
}

}  // namespace kv
