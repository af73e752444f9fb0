#include "archive/formats/GzipHeader.h"

#include "archive/ArcError.h"

namespace kv::arc {

namespace {
constexpr std::size_t kMaxName = 4096;
constexpr std::size_t kMaxComment = 65535;
}  // namespace

GzipHeader ReadGzipHeader(ArcInput& in, std::uint64_t pos, const std::function<void(int)>& fail) {
    const std::uint64_t size = in.Size();
    BoundedReader h = in.Record(pos, 10);
    h.skip(1);
    GzipHeader g;
    g.id2 = h.u8();
    g.method = h.u8();
    g.flags = h.u8();
    g.mtime = h.u32();
    pos += 10;
    auto text = [&](std::size_t max) {
        auto t = in.ZeroText(pos, max);
        if (!t) fail(pos + max < size ? eBadFileHeader : eReadError);
        pos += t->size() + 1;
        return *t;
    };
    if (g.flags & GzipHeader::kExtra) pos += 2 + in.Record(pos, 2).u16();
    if (g.flags & GzipHeader::kName) g.name = text(kMaxName);
    if (g.flags & GzipHeader::kComment) g.comment = text(kMaxComment);
    if (g.flags & GzipHeader::kContinued) pos += 2;
    if (pos > size) fail(eReadError);
    g.dataPos = pos;
    return g;
}

std::string GzipNameFromArchive(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/:");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace kv::arc
