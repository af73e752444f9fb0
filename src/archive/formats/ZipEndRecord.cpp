#include "archive/formats/ZipEndRecord.h"

#include <algorithm>
#include <vector>

#include "archive/ArcBytes.h"

#include "base/BoundedReader.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kEndSig = 0x06054B50;
constexpr std::uint32_t kZip64LocatorSig = 0x07064B50;
constexpr std::uint32_t kZip64EndSig = 0x06064B50;
constexpr std::size_t kTail = 22 + 65535;


// Fills the Zip64 values when a locator sits right in front of the end record.
void readZip64(ByteSource& src, ZipEnd& end) {
    if (end.position < 20) return;
    std::uint8_t loc[20];
    if (src.readAt(end.position - 20, loc, 20) != 20) return;
    BoundedReader l(loc, 20);
    if (l.u32() != kZip64LocatorSig) return;
    l.u32();
    std::uint64_t stored = l.u64();
    // The record is normally right before the locator; an unadjusted prefix moves it.
    std::uint64_t candidates[2] = {stored, end.position - 20 >= 56 ? end.position - 20 - 56 : stored};
    for (std::uint64_t at : candidates) {
        std::uint8_t rec[56];
        if (at >= end.position || src.readAt(at, rec, 56) != 56) continue;
        BoundedReader r(rec, 56);
        if (r.u32() != kZip64EndSig) continue;
        r.skip(20);
        r.u64();
        end.entries = r.u64();
        end.centralSize = r.u64();
        end.centralOffset = r.u64();
        end.centralEnd = at;
        return;
    }
}

}  // namespace

std::optional<ZipEnd> FindZipEnd(ByteSource& src, std::uint64_t minPosition) {
    std::uint64_t size = src.size();
    if (size < 22 || minPosition > size - 22) return std::nullopt;
    // Records before minPosition do not count: the bytes before it are not read.
    std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>({size, kTail, size - minPosition}));
    std::uint64_t base = size - n;
    std::vector<std::uint8_t> tail(n);
    src.readExactly(base, tail.data(), n);

    std::optional<std::size_t> exact, fitting;
    for (std::size_t i = n - 22 + 1; i-- > 0;) {
        if (base + i < minPosition) break;
        if (Le32(&tail[i]) != kEndSig) continue;
        std::size_t commentLen = tail[i + 20] | tail[i + 21] << 8;
        if (i + 22 + commentLen == n) {
            exact = i;
            break;
        }
        if (!fitting && i + 22 + commentLen <= n) fitting = i;
    }
    std::optional<std::size_t> at = exact ? exact : fitting;
    if (!at) return std::nullopt;

    BoundedReader r(tail.data() + *at, n - *at);
    ZipEnd end;
    end.position = base + *at;
    r.skip(10);
    end.entries = r.u16();
    end.centralSize = r.u32();
    end.centralOffset = r.u32();
    std::size_t commentLen = r.u16();
    end.comment.assign(r.text(commentLen));
    end.centralEnd = end.position;
    if (end.centralOffset == 0xFFFFFFFF || end.centralSize == 0xFFFFFFFF || end.entries == 0xFFFF) readZip64(src, end);
    return end;
}

}  // namespace kv::arc
