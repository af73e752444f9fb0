#include "archive/formats/CabWalker.h"

#include <set>
#include <vector>

#include "archive/ArcError.h"
#include "archive/MethodNames.h"
#include "archive/MemberWalker.h"
#include "base/text/AnsiCase.h"

namespace kv::arc {

namespace {

constexpr std::uint32_t kSignature = 0x4643534D;  // "MSCF"
constexpr std::uint16_t kPrevious = 0x0001;
constexpr std::uint16_t kNext = 0x0002;
constexpr std::uint16_t kReserve = 0x0004;
constexpr std::size_t kMaxName = 256;
// iFolder values of files that continue from or into another cabinet.
constexpr std::uint16_t kFromPrevious = 0xFFFD;
constexpr std::uint16_t kToNext = 0xFFFE;
constexpr std::uint16_t kPreviousAndNext = 0xFFFF;

struct Cabinet {
    std::uint8_t versionMinor = 0, versionMajor = 0;
    std::uint16_t fileCount = 0;
    std::uint64_t filesPos = 0;
    std::vector<std::uint16_t> folderMethods;
    std::string nextCabinet, nextDisk;
};

std::string text(ListSession& s, std::uint64_t& pos) {
    auto t = s.In().ZeroText(pos, kMaxName);
    if (!t) s.Fail(eBadFileHeader);
    pos += t->size() + 1;
    return *t;
}

Cabinet readCabinet(ListSession& s) {
    ArcInput& in = s.In();
    BoundedReader h = in.Record(0, 36);
    if (h.u32() != kSignature) s.Fail(eBadFileHeader);
    Cabinet c;
    h.skip(12);
    c.filesPos = h.u32();
    h.skip(4);
    c.versionMinor = h.u8();
    c.versionMajor = h.u8();
    std::uint16_t folders = h.u16();
    c.fileCount = h.u16();
    std::uint16_t flags = h.u16();
    std::uint64_t pos = 36;
    std::size_t folderReserve = 0;
    if (flags & kReserve) {
        BoundedReader r = in.Record(pos, 4);
        std::size_t headerReserve = r.u16();
        folderReserve = r.u8();
        pos += 4 + headerReserve;
    }
    if (flags & kPrevious) {
        text(s, pos);
        text(s, pos);
    }
    if (flags & kNext) {
        c.nextCabinet = text(s, pos);
        c.nextDisk = text(s, pos);
    }
    for (std::uint16_t i = 0; i < folders; ++i) {
        BoundedReader f = in.Record(pos, 8 + folderReserve);
        f.skip(6);
        c.folderMethods.push_back(f.u16());
        pos += 8 + folderReserve;
    }
    return c;
}

std::uint16_t methodOf(const Cabinet& c, std::uint16_t folder) {
    if (c.folderMethods.empty()) return 0;
    if (folder < c.folderMethods.size()) return c.folderMethods[folder];
    return folder == kToNext ? c.folderMethods.back() : c.folderMethods.front();
}

}  // namespace

void WalkCab(ListSession& s) {
    Cabinet cab = readCabinet(s);
    std::set<std::string> opened{upperCase(s.ArchiveFile(), cp1252CaseMap())};
    bool continued = false;
    for (;;) {
        std::uint64_t pos = cab.filesPos;
        for (std::uint16_t i = 0; i < cab.fileCount; ++i) {
            BoundedReader f = s.In().Record(pos, 16);
            std::uint32_t size = f.u32();
            f.u32();
            std::uint16_t folder = f.u16();
            std::uint16_t date = f.u16();
            std::uint16_t time = f.u16();
            std::uint16_t attributes = f.u16();
            std::uint64_t entry = pos;
            pos += 16;
            std::string name = text(s, pos);
            // A file continued from the previous cabinet was listed there.
            if (continued && (folder == kFromPrevious || folder == kPreviousAndNext)) continue;
            ArcMember& m = s.NewMember();
            m.FileName = BackslashName(name);
            SetMemberSizes(m, size, size);
            m.CrcBits = 0;
            m.Method = methodOf(cab, folder);
            m.MethodName = MethodName(atCAB, m.Method);
            s.SetDosDate(m, std::uint32_t{date} << 16 | time);
            m.VersionMadeBy = cab.versionMinor;
            m.VersionNeeded = cab.versionMajor;
            m.InternalAttr = attributes;
            m.ExternalAttr = attributes;
            s.Emit(entry);
        }
        if (cab.nextCabinet.empty()) break;
        std::string next = cab.nextCabinet;
        std::string folderPart = s.ArchiveFile().substr(0, s.ArchiveFile().find_last_of('\\') + 1);
        if (!opened.insert(upperCase(folderPart + next, cp1252CaseMap())).second) {
            s.Warn(eBadFileHeader, next, cab.nextDisk);  // a set that names itself again
            break;
        }
        s.OpenVolume(folderPart + next, cab.nextDisk);
        try {
            cab = readCabinet(s);
        } catch (const ETruncated&) {
            s.Warn(eReadError, next, cab.nextDisk);
            break;
        } catch (const E_RAISE&) {
            break;
        }
        continued = true;
    }
}

std::string CabMethodName(std::uint16_t method, std::uint16_t) {
    if (method == 3487 || method == 5490) return "LZX";
    // The low nibble is the method; LZX carries its window size above it.
    switch (method & 0x0F) {
        case 0: return method == 0 ? "Stored" : "Unknown";
        case 1: return method == 1 ? "MSZIP" : "Unknown";
        case 3: return "LZX";
        default: return "Unknown";
    }
}

}  // namespace kv::arc
