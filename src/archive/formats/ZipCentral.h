#pragma once
// The central directory of a ZIP archive, read header by header: what the lister
// shows and the extractor follows.
#include <cstdint>
#include <optional>
#include <string>

#include "archive/ArcInput.h"
#include "archive/formats/ZipEndRecord.h"

namespace kv::arc {

struct ZipCentralEntry {
    std::uint16_t madeBy = 0;
    std::uint16_t needed = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t stamp = 0;  // DOS date in the high half
    std::uint32_t crc = 0;
    std::uint64_t packed = 0;    // Zip64 values filled in
    std::uint64_t unpacked = 0;
    std::uint16_t internal = 0;
    std::uint32_t external = 0;
    std::uint64_t localOffset = 0;  // as stored
    std::string name;               // as stored
    std::string comment;
    std::uint64_t next = 0;  // position of the header after this one
};

// Where the first central header lies: offsets of a self-extractor may or may not
// count its program part, so both readings are tried. nullopt when neither holds one.
std::optional<std::uint64_t> FirstZipCentral(ArcInput& in, const ZipEnd& end);

// The central header at pos; nullopt when no central signature is there. A header
// cut short by the end of the file throws ETruncated.
std::optional<ZipCentralEntry> ReadZipCentral(ArcInput& in, std::uint64_t pos);

class ListSession;

// The ZIP row of the format table: the walker and the method names lists show.
void WalkZip(ListSession& s);
std::string ZipMethodName(std::uint16_t method, std::uint16_t flags);

}  // namespace kv::arc
