#include "archive/PeStrings.h"

#include <cstdint>
#include <optional>

#include "base/BoundedReader.h"
#include "base/Errors.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint32_t kStringType = 6;            // RT_STRING
constexpr std::uint32_t kSubdirectory = 0x80000000;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
// More sections or directory entries than this is damage, not a program.
constexpr unsigned kMaxSections = 96;
constexpr unsigned kMaxEntries = 4096;

struct Section {
    std::uint32_t address, extent, rawPos, rawSize;
};

// n bytes at pos, or nothing when the file ends first.
std::optional<std::vector<std::uint8_t>> Bytes(ByteSource& f, std::uint64_t pos, std::size_t n) {
    std::vector<std::uint8_t> b(n);
    if (f.readAt(pos, b.data(), n) != n) return std::nullopt;
    return b;
}

class PeReader {
public:
    explicit PeReader(ByteSource& f) : f_(f) {}

    // The file position of the string block holding resource id, or nothing.
    std::optional<std::pair<std::uint64_t, std::uint32_t>> StringBlock(unsigned id) {
        if (!read_) {
            read_ = true;
            valid_ = readHeaders();
        }
        if (!valid_) return std::nullopt;
        auto type = entry(0, kStringType, true);
        if (!type) return std::nullopt;
        auto block = entry(*type, id / 16 + 1, true);
        if (!block) return std::nullopt;
        // Any language: a self-extractor carries one.
        auto leaf = firstEntry(*block);
        if (!leaf || (*leaf & kSubdirectory)) return std::nullopt;
        auto data = Bytes(f_, rsrcPos_ + *leaf, 16);
        if (!data) return std::nullopt;
        BoundedReader r(data->data(), data->size());
        const std::uint32_t rva = r.u32(), size = r.u32();
        auto pos = filePos(rva);
        if (!pos) return std::nullopt;
        return std::make_pair(*pos, size);
    }

private:
    bool readHeaders() {
        auto mz = Bytes(f_, 0, 64);
        if (!mz || (*mz)[0] != 'M' || (*mz)[1] != 'Z') return false;
        BoundedReader m(mz->data(), mz->size());
        m.seek(0x3C);
        const std::uint32_t pe = m.u32();
        auto head = Bytes(f_, pe, 24);
        if (!head) return false;
        BoundedReader h(head->data(), head->size());
        if (h.u32() != kPeSignature) return false;
        h.skip(2);
        const unsigned sections = h.u16();
        h.skip(12);
        const std::uint16_t optionalSize = h.u16();
        if (sections == 0 || sections > kMaxSections) return false;
        auto opt = Bytes(f_, std::uint64_t{pe} + 24, optionalSize);
        if (!opt) return false;
        BoundedReader o(opt->data(), opt->size());
        const std::uint16_t magic = o.u16();
        if (magic != kPe32 && magic != kPe32Plus) return false;
        const std::size_t countAt = magic == kPe32 ? 92 : 108;
        o.seek(countAt);
        if (o.u32() <= kResourceDirectoryIndex) return false;
        o.skip(8 * kResourceDirectoryIndex);
        const std::uint32_t rsrcRva = o.u32();
        if (rsrcRva == 0) return false;
        auto table = Bytes(f_, std::uint64_t{pe} + 24 + optionalSize, sections * 40u);
        if (!table) return false;
        BoundedReader t(table->data(), table->size());
        for (unsigned i = 0; i < sections; ++i) {
            t.skip(8);
            Section s{};
            const std::uint32_t virtualSize = t.u32();
            s.address = t.u32();
            s.rawSize = t.u32();
            s.rawPos = t.u32();
            s.extent = virtualSize ? virtualSize : s.rawSize;
            t.skip(16);
            sections_.push_back(s);
        }
        auto pos = filePos(rsrcRva);
        if (!pos) return false;
        rsrcPos_ = *pos;
        return true;
    }

    // Where a relative virtual address lies in the file: inside a section's raw data.
    std::optional<std::uint64_t> filePos(std::uint32_t rva) const {
        for (const Section& s : sections_) {
            if (rva < s.address || rva - s.address >= s.extent) continue;
            const std::uint32_t off = rva - s.address;
            if (off >= s.rawSize) return std::nullopt;
            return std::uint64_t{s.rawPos} + off;
        }
        return std::nullopt;
    }

    // The entry with this id in the directory at dirOffset (inside the resource data).
    std::optional<std::uint32_t> entry(std::uint32_t dirOffset, std::uint32_t id, bool wantDirectory) {
        auto head = Bytes(f_, rsrcPos_ + dirOffset, 16);
        if (!head) return std::nullopt;
        BoundedReader h(head->data(), head->size());
        h.skip(12);
        const unsigned named = h.u16(), ids = h.u16();
        if (named + ids > kMaxEntries) return std::nullopt;
        auto list = Bytes(f_, rsrcPos_ + dirOffset + 16, (named + ids) * 8u);
        if (!list) return std::nullopt;
        BoundedReader l(list->data(), list->size());
        l.skip(named * 8u);
        for (unsigned i = 0; i < ids; ++i) {
            const std::uint32_t name = l.u32(), target = l.u32();
            if (name != id) continue;
            if (wantDirectory != ((target & kSubdirectory) != 0)) return std::nullopt;
            return target & ~kSubdirectory;
        }
        return std::nullopt;
    }

    std::optional<std::uint32_t> firstEntry(std::uint32_t dirOffset) {
        auto head = Bytes(f_, rsrcPos_ + dirOffset, 24);
        if (!head) return std::nullopt;
        BoundedReader h(head->data(), head->size());
        h.skip(12);
        if (h.u16() + h.u16() == 0) return std::nullopt;
        h.u32();
        return h.u32();
    }

    ByteSource& f_;
    std::vector<Section> sections_;
    std::uint64_t rsrcPos_ = 0;
    bool read_ = false;
    bool valid_ = false;
};

}  // namespace

std::vector<std::string> ReadPeStrings(ByteSource& file, unsigned first, unsigned count, std::size_t maxChars) {
    std::vector<std::string> texts(count);
    PeReader pe(file);
    unsigned blockId = ~0u;
    std::vector<std::uint8_t> bytes;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned id = first + i;
        try {
            if (id / 16 != blockId) {
                blockId = id / 16;
                bytes.clear();
                // A block is 16 counted texts of at most 65535 UTF-16 characters.
                auto where = pe.StringBlock(id);
                if (where && where->second <= 16u * 2 * 65536) {
                    if (auto b = Bytes(file, where->first, where->second)) bytes = std::move(*b);
                }
            }
            BoundedReader r(bytes.data(), bytes.size());
            for (unsigned skip = 0; skip < id % 16; ++skip) r.skip(2u * r.u16());
            const std::size_t length = r.u16();
            auto chars = r.bytes(2 * length);
            std::string& text = texts[i];
            for (std::size_t c = 0; c < length && text.size() < maxChars; ++c) {
                const unsigned ch = chars[2 * c] | chars[2 * c + 1] << 8;
                text += ch < 0x80 ? static_cast<char>(ch) : '?';
            }
        } catch (const ETruncated&) {
            // A directory or block that runs past its end holds no text here.
            texts[i].clear();
        }
    }
    return texts;
}

}  // namespace kv::arc
