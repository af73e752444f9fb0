#pragma once
// The format table: one row per archive kind with everything detection, the lister,
// the extractor factory and the method texts know of it. A new format adds its enum
// value, its files in formats/ and one row.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "archive/ArcType.h"

namespace kv::arc {

class ArchiveContext;
class ListSession;
class TUnBase;

// The first four bytes, read as a little-endian number, that tell the kind at the
// file start; inside is the kind the same bytes tell inside a program file (atNA
// for kinds that never sit there).
struct SignatureRule {
    bool (*test)(std::uint32_t s) = nullptr;
    TArcType inside = atNA;
};

struct FormatRow {
    TArcType type;
    std::string_view displayName;
    SignatureRule signature;  // no test: the kind is found another way (or not at all)
    void (*walk)(ListSession& session);
    std::unique_ptr<TUnBase> (*makeExtractor)(ArchiveContext& context);
    // flags: the ZIP general-purpose flags; other formats pass them on unread.
    std::string (*methodName)(std::uint16_t method, std::uint16_t flags);
};

// Every row, in detection order: the first signature that holds names the kind.
std::span<const FormatRow> FormatRows();

// The row of a kind; the atNA row for a value outside the enum.
const FormatRow& FormatOf(TArcType type);

}  // namespace kv::arc
