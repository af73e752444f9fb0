#pragma once
// Facts of the "Catalog 1.01" file shared by its codecs, reader and writer:
// signature, limits, the flags byte as stored, and the checked conversion of
// positions into the format's 32-bit offsets.
#include <cstdint>
#include <string_view>

#include "base/BoundedReader.h"
#include "base/Errors.h"
#include "catalog/model/ItemFlags.h"

namespace kv {

inline constexpr std::string_view kCatalogSignature = "Catalog ";
inline constexpr std::string_view kCurrentCatalogVersion = "1.01";
// Same layout as the current one, but every list is rewritten on the next save.
inline constexpr std::string_view kOldCatalogVersion = "1.00";
inline constexpr std::size_t kCatalogHeaderBytes = 13;

inline constexpr std::size_t kLongTextLimit = 4096;
inline constexpr std::size_t kShortTextLimit = 255;
inline constexpr std::size_t kMaxCategories = 254;
inline constexpr std::size_t kMaxFolderDepth = 255;

// The reader's messages for a damaged or foreign file.
inline constexpr const char* kNotACatalogMessage = "This is not a valid catalog file!";
inline constexpr const char* kStructureErrorMessage = "Internal catalog structure error detected.";
inline constexpr const char* kStringTooLongMessage = "String data too long!";

// Something in memory that the file format cannot express (too many categories,
// too deep a folder, a file past 2 GB): the save must fail rather than write it wrapped.
class ECatalogLimit : public Error {
public:
    using Error::Error;
};

// The flags byte as written: the 0x40 bit says "this list is in memory as one
// block read from the file", so it is set from the caller's knowledge of that,
// never copied from whatever the bit held before.
constexpr std::uint8_t storedFlags(std::uint8_t flags, bool listIsFileBlock) {
    return listIsFileBlock ? static_cast<std::uint8_t>(flags | ItemFlags::FileBlock)
                           : static_cast<std::uint8_t>(flags & ~ItemFlags::FileBlock);
}

// Reads a flags byte and checks that it is of the given kind; kept as read otherwise.
std::uint8_t readStoredFlags(BoundedReader& in, std::uint8_t kind);

// A file position or section offset as the format's i32; past 2^31-1 it cannot be stored.
std::int32_t storedOffset(std::uint64_t position);
// `position` relative to a section that starts at `sectionPos`.
inline std::int32_t sectionOffset(std::uint64_t position, std::uint64_t sectionPos) {
    return storedOffset(position - sectionPos);
}

}  // namespace kv
