#include "archive/DetectArcType.h"

#include <algorithm>
#include <cstring>

#include "archive/ArcBytes.h"
#include "archive/ClassifySignature.h"
#include "archive/PeStrings.h"
#include "archive/formats/TarHeader.h"
#include "archive/formats/ZipEndRecord.h"
#include "base/BoundedReader.h"
#include "base/Errors.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kCentralSig = 0x02014B50;


bool read4(ByteSource& src, std::uint64_t pos, std::uint32_t& out) {
    std::uint8_t b[4];
    if (src.readAt(pos, b, 4) != 4) return false;
    out = Le32(b);
    return true;
}

bool hasTarExtension(const std::string& path) {
    std::size_t dot = path.rfind('.');
    std::size_t sep = path.find_last_of("\\/");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return ext == ".TAR";
}

TArcType fromResources(ByteSource& src, Detection& d) {
    for (const std::string& text : ReadPeStrings(src, 1, 4, 5)) {
        if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) {
                return c >= '0' && c <= '9';
            }))
            break;
        std::uint64_t at = std::stoull(text);
        std::uint32_t sig;
        if (at >= d.size || !read4(src, at, sig)) break;
        std::uint64_t start = at;
        TArcType t = ClassifySignature(false, sig, start);
        if (t != atUnknown) {
            if (IsZipType(t)) d.foundInside = at;
            d.start = start;
            return t;
        }
    }
    return atUnknown;
}

TArcType fromImageEnd(ByteSource& src, const std::uint8_t* mz, Detection& d) {
    std::uint64_t lastPage = mz[2] | mz[3] << 8;
    std::uint64_t pages = mz[4] | mz[5] << 8;
    if (pages == 0) return atUnknown;
    // A last-page count of 0 means the last page is full.
    std::uint64_t end = lastPage == 0 ? pages * 512 : (pages - 1) * 512 + lastPage;
    std::uint32_t sig;
    if (end >= d.size || !read4(src, end, sig)) return atUnknown;
    std::uint64_t start = (sig >> 16) == 0xEA60 ? end + 2 : end;
    if (!read4(src, start, sig)) return atUnknown;
    TArcType t = ClassifySignature(false, sig, start);
    d.start = start;
    return t;
}

// Only the last commentRoom + 23 bytes are searched: a comment longer than the caller
// allows hides the record.
TArcType fromZipEnd(ByteSource& src, int commentRoom, Detection& d) {
    const std::uint64_t room = static_cast<std::uint64_t>(commentRoom) + 23;
    std::uint64_t searched = room;
    if (commentRoom > 0 && room > d.size) searched = d.size > 76 ? d.size - 76 : 0;
    if (searched < 22 || searched > d.size) return atUnknown;
    auto end = FindZipEnd(src, d.size - searched);
    if (!end) return atUnknown;
    std::uint64_t shift = end->Shift();
    std::uint8_t h[46];
    if (src.readAt(end->centralOffset + shift, h, 46) != 46 || Le32(h) != kCentralSig) return atUnknown;
    d.start = Le32(h + 42) + shift;
    d.foundInside = shift;
    return atZipExe;
}

TArcType fromTarHeader(ByteSource& src, Detection& d) {
    std::uint8_t h[512];
    std::uint64_t at = 0;
    if (src.readAt(at, h, 512) != 512) return atUnknown;
    if (h[156] == 'V') {
        at = 512;
        if (src.readAt(at, h, 512) != 512) return atUnknown;
    }
    if (!TarChecksumHolds(h)) return atUnknown;
    d.start = at;
    return atTAR;
}

// Inside a program file every position comes from header fields that may be
// damaged: an archive said to start at or past the end of the file is not there.
TArcType believed(TArcType t, Detection& d) {
    if (t == atUnknown || t == atNA || d.start < d.size) return t;
    d.start = 0;
    d.foundInside = 0;
    return atUnknown;
}

}  // namespace

Detection DetectArcType(ArcInput& in, const std::string& path, std::uint32_t fileDate, int zipCommentRoom) {
    Detection d;
    d.size = in.Size();
    d.fileDate = fileDate;
    std::uint8_t first[6];
    try {
        if (d.size < 6 || in.readAt(0, first, 6) != 6) {
            d.type = atFileError;
            return d;
        }
        if (first[0] == 'M' && first[1] == 'Z') {
            d.type = believed(fromResources(in, d), d);
            if (d.type == atUnknown) d.type = believed(fromImageEnd(in, first, d), d);
            if (d.type == atUnknown) {
                d.start = 0;
                d.type = believed(fromZipEnd(in, zipCommentRoom, d), d);
            }
            if (d.type == atUnknown) d.start = 0;
            return d;
        }
        d.type = ClassifySignature(true, Le32(first), d.start);
        if (d.type == atUnknown && d.size > 512 && hasTarExtension(path)) {
            d.type = fromTarHeader(in, d);
            if (d.type != atTAR) d.start = 0;
        }
    } catch (const Error&) {
        d.type = atFileError;
    }
    return d;
}

Detection DetectArcType(ArchiveContext& ctx, const std::string& path, int zipCommentRoom) {
    std::unique_ptr<ArcInput> in;
    try {
        in = std::make_unique<ArcInput>(ctx.FileSystem().OpenRead(path));
    } catch (const Error&) {
        Detection d;
        d.type = atFileError;
        return d;
    }
    return DetectArcType(*in, path, ctx.FileSystem().FileDosDate(path).value_or(kUnknownFileDate), zipCommentRoom);
}

}  // namespace kv::arc
