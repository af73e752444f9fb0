#pragma once
// Catalog file bytes pushed field by field, with no use of the program's codecs,
// so that golden files and damaged variants need no outside sample files. Texts
// are written with their full length (no cut), so over-long ones can be made too.
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/file/StoredBlocks.h"

namespace kv::test {

class CatalogBytes {
public:
    struct Category {
        std::string name;
        std::uint8_t code = 0;
    };
    struct Disk {
        std::string name;
        VolumeData volume;
        std::string label;
        std::string fileSystem;
        bool isVirtual = false;  // writes the virtual path and OtherClusters
        std::string virtualPath;
        std::uint32_t otherClusters = 0;
        std::string description;
    };
    // Indexes of the six disk section header words.
    enum Word { SectionSize, FolderTreeOffset, RootListOffset, RootListSize, RootFileCount, RootDescriptionBytes };

    CatalogBytes& u8(std::uint8_t v) { bytes_.push_back(v); return *this; }
    CatalogBytes& u16(std::uint16_t v) { return le(v, 2); }
    CatalogBytes& u32(std::uint32_t v) { return le(v, 4); }
    CatalogBytes& i32(std::int32_t v) { return le(static_cast<std::uint32_t>(v), 4); }
    CatalogBytes& i64(std::int64_t v) { return le(static_cast<std::uint64_t>(v), 8); }
    CatalogBytes& f64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return le(bits, 8);
    }
    CatalogBytes& raw(std::string_view s) {
        // Grown, then copied into: GCC 12 takes a range insert of a short text
        // into an empty vector for a write past its end.
        const std::size_t at = bytes_.size();
        bytes_.resize(at + s.size());
        if (!s.empty()) std::memcpy(bytes_.data() + at, s.data(), s.size());
        return *this;
    }
    CatalogBytes& longText(std::string_view s) { return u16(static_cast<std::uint16_t>(s.size())).raw(s); }
    CatalogBytes& shortText(std::string_view s) { return u8(static_cast<std::uint8_t>(s.size())).raw(s); }

    // "Catalog " + version + 0, then the name and description.
    CatalogBytes& head(std::string_view name = "", std::string_view description = "",
                       std::string_view version = "1.01") {
        raw("Catalog ").raw(version).u8(0);
        return longText(name).longText(description);
    }

    // Count N = the number of categories, else 255 when a flag is named, else 0.
    CatalogBytes& categoryBlock(const std::vector<Category>& categories = {},
                                const std::array<std::string, 3>& flagNames = {}) {
        bool named = !flagNames[0].empty() || !flagNames[1].empty() || !flagNames[2].empty();
        if (categories.empty() && !named) return u8(0);
        u8(categories.empty() ? 255 : static_cast<std::uint8_t>(categories.size()));
        for (const auto& c : categories) longText(c.name).u8(c.code);
        for (const auto& f : flagNames) longText(f);
        return *this;
    }

    // The flags byte and six zero words; returns the section start for word() and offset().
    std::size_t beginDisk(std::uint8_t flags) {
        std::size_t at = size();
        u8(flags);
        for (int i = 0; i < 6; ++i) u32(0);
        return at;
    }
    CatalogBytes& diskStart(const Disk& d) {
        longText(d.name);
        const VolumeData& v = d.volume;
        u8(v.mediaType).u8(v.skipFlags).u8(v.reserved[0]).u8(v.reserved[1]);
        u32(v.bytesPerSector).u32(v.sectorsPerCluster).u32(v.maxNameLength);
        u32(v.fileCount).u32(v.archiveMemberCount).u16(v.folderCount);
        u32(v.totalClusters).u32(v.freeClusters).f64(v.catalogued).u32(v.serialNumber).u8(v.reserved2);
        shortText(d.label).shortText(d.fileSystem);
        if (d.isVirtual) longText(d.virtualPath).u32(d.otherClusters);
        return longText(d.description);
    }
    // Fills a header word of the section that starts at `section`.
    CatalogBytes& word(std::size_t section, Word w, std::int32_t value) {
        return patchI32(section + 1 + 4 * static_cast<std::size_t>(w), value);
    }
    // The current position as an offset in the section that starts at `section`.
    std::int32_t offset(std::size_t section) const { return static_cast<std::int32_t>(size() - section); }

    // Each returns the position of the record's first byte.
    std::size_t fileRecord(std::string_view name, const StoredFile& f, std::string_view description = "") {
        std::size_t at = size();
        shortText(name).u8(f.attributes).u32(f.created).u32(f.modified).u32(f.accessed).u32(f.size).u8(f.category);
        longText(description);
        return at;
    }
    std::size_t folderRecord(std::uint8_t flags, std::uint8_t depth, std::string_view name, const StoredFolder& f,
                             std::string_view description = "") {
        std::size_t at = size();
        u8(flags).u8(depth).longText(name);
        i32(f.fileListOffset).i32(f.fileListSize).u32(f.fileCount).u32(f.descriptionBytes).i64(f.totalSize.raw);
        u8(f.attributes).u32(f.created).u32(f.modified).u32(f.accessed).u8(f.reserved).u8(f.category);
        longText(description);
        return at;
    }

    // For damaged variants.
    CatalogBytes& patchU8(std::size_t at, std::uint8_t v) {
        bytes_.at(at) = v;
        return *this;
    }
    CatalogBytes& patchI32(std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.at(at + i) = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
        return *this;
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::span<const std::uint8_t> span() const { return bytes_; }

private:
    CatalogBytes& le(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }

    std::vector<std::uint8_t> bytes_;
};

}  // namespace kv::test
