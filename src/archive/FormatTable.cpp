#include "archive/FormatTable.h"

#include "archive/Extractors.h"
#include "archive/MemberWalker.h"
#include "archive/MethodNames.h"
#include "archive/formats/ArcFormatExtractor.h"
#include "archive/formats/ArcFormatHeader.h"
#include "archive/formats/ArjExtractor.h"
#include "archive/formats/ArjHeader.h"
#include "archive/formats/BhWalker.h"
#include "archive/formats/CabWalker.h"
#include "archive/formats/GzipExtractor.h"
#include "archive/formats/GzipHeader.h"
#include "archive/formats/HaWalker.h"
#include "archive/formats/LhaExtractor.h"
#include "archive/formats/LhaHeader.h"
#include "archive/formats/RarBlock.h"
#include "archive/formats/RarExtractor.h"
#include "archive/formats/TarExtractor.h"
#include "archive/formats/TarReader.h"
#include "archive/formats/ZipCentral.h"
#include "archive/formats/ZipExtractor.h"
#include "archive/formats/ZooEntry.h"
#include "archive/formats/ZooExtractor.h"

namespace kv::arc {

namespace {

template <class Extractor>
std::unique_ptr<TUnBase> make(ArchiveContext& context) {
    return std::make_unique<Extractor>(context);
}

constexpr std::uint16_t low(std::uint32_t s) { return static_cast<std::uint16_t>(s & 0xFFFF); }

// The order of the signature rows is the order they are tried in. ARC accepts every
// method byte 1..9 of its first member: small files are stored, packed or squeezed,
// not only crunched or squashed.
constexpr FormatRow kRows[] = {
    {atNA, "Not avail.", {}, nullptr, nullptr, nullptr},
    {atUnsupported, "Unsupport.", {}, nullptr, nullptr, nullptr},
    {atFileError, "File Error", {}, nullptr, nullptr, nullptr},
    {atUnknown, "Unknown   ", {}, nullptr, nullptr, nullptr},
    {atZIP, "ZIP       ", {[](std::uint32_t s) { return low(s) == 0x4B50; }, atZipExe}, WalkZip, make<TUnZIP>,
     ZipMethodName},
    {atZipExe, "ZIP SFX   ", {}, WalkZip, make<TUnZIP>, ZipMethodName},
    {atCAB, "CAB       ", {[](std::uint32_t s) { return s == 0x4643534D; }, atNA}, WalkCab, nullptr, CabMethodName},
    {atZip250, "ZIP250    ", {[](std::uint32_t s) { return s == 0x50000000; }, atZip250Exe}, WalkZip, make<TUnZIP>,
     ZipMethodName},
    {atZip250Exe, "ZIP250 SFX", {}, WalkZip, make<TUnZIP>, ZipMethodName},
    {atBH, "BH        ", {[](std::uint32_t s) { return s == 0x07054842; }, atBHExe}, WalkBh, nullptr, BhMethodName},
    {atBHExe, "BH  SFX   ", {}, WalkBh, nullptr, BhMethodName},
    {atHA, "HA        ", {[](std::uint32_t s) { return low(s) == 0x4148; }, atNA}, WalkHa, nullptr, HaMethodName},
    {atGZip, "GZip      ",
     {[](std::uint32_t s) {
          std::uint16_t w = low(s);
          return w == 0x8B1F || w == 0x9D1F || w == 0x9E1F || w == 0x1E1F || w == 0xA01F;
      },
      atNA},
     WalkGzip, make<TUnGZIP>, GzipMethodName},
    {atARJ, "ARJ       ", {[](std::uint32_t s) { return low(s) == 0xEA60; }, atArjExe}, WalkArj, make<TUnARJ>,
     ArjMethodName},
    {atArjExe, "ARJ SFX   ", {}, WalkArj, make<TUnARJ>, ArjMethodName},
    {atZOO, "ZOO       ", {[](std::uint32_t s) { return low(s) == 0x4F5A; }, atNA}, WalkZoo, make<TUnZOO>,
     ZooMethodName},
    {atLHA, "LHA       ", {[](std::uint32_t s) { return (s >> 16) == 0x6C2D; }, atLhaExe}, WalkLha, make<TUnLHA>,
     LhaMethodName},
    {atLhaExe, "LHA SFX   ", {}, WalkLha, make<TUnLHA>, LhaMethodName},
    {atLZH, "LZH       ", {}, WalkLha, make<TUnLHA>, LhaMethodName},
    {atLzhExe, "LZH SFX", {}, WalkLha, make<TUnLHA>, LhaMethodName},
    {atRAR, "RAR       ", {[](std::uint32_t s) { return low(s) == 0x6152; }, atRarExe}, WalkRar, make<TUnRAR>,
     RarMethodName},
    {atRarExe, "RAR SFX   ", {}, WalkRar, make<TUnRAR>, RarMethodName},
    {atPAK, "PAK       ", {[](std::uint32_t s) { return low(s) == 0x0A1A || low(s) == 0x0B1A; }, atPakExe}, WalkArc,
     nullptr, PakMethodName},
    {atPakExe, "PAK SFX   ", {}, WalkArc, nullptr, PakMethodName},
    {atARC, "ARC       ",
     {[](std::uint32_t s) { return (s & 0xFF) == 0x1A && ((s >> 8) & 0xFF) >= 1 && ((s >> 8) & 0xFF) <= 9; },
      atArcExe},
     WalkArc, make<TUnARC>, ArcMethodName},
    {atArcExe, "ARC SFX   ", {}, WalkArc, make<TUnARC>, ArcMethodName},
    {atTAR, "TAR       ", {}, WalkTar, make<TUnTAR>, TarMethodName},
};

constexpr bool oneRowPerKind() {
    if (std::size(kRows) != kArcTypeCount) return false;
    for (int t = 0; t < kArcTypeCount; ++t) {
        int rows = 0;
        for (const FormatRow& r : kRows) rows += r.type == t;
        if (rows != 1) return false;
    }
    return true;
}
static_assert(oneRowPerKind(), "every archive kind needs exactly one row");

}  // namespace

std::span<const FormatRow> FormatRows() { return kRows; }

const FormatRow& FormatOf(TArcType type) {
    for (const FormatRow& r : kRows)
        if (r.type == type) return r;
    return kRows[0];
}

std::string_view ArcTypeDisplayName(TArcType t) { return FormatOf(t).displayName; }

MemberWalker WalkerFor(TArcType type) { return FormatOf(type).walk; }

std::unique_ptr<TUnBase> MakeExtractor(ArchiveContext& context, TArcType type) {
    auto make = FormatOf(type).makeExtractor;
    return make ? make(context) : nullptr;
}

std::string MethodName(TArcType type, std::uint16_t method, std::uint16_t zipFlags) {
    auto name = FormatOf(type).methodName;
    return name ? name(method, zipFlags) : "Unknown";
}

}  // namespace kv::arc
