#pragma once
// The end-of-central-directory record of a ZIP archive, Zip64 included.
#include <cstdint>
#include <optional>
#include <string>

#include "base/ByteSource.h"

namespace kv::arc {

struct ZipEnd {
    std::uint64_t position = 0;        // of the end record
    std::uint64_t entries = 0;
    std::uint64_t centralSize = 0;
    std::uint64_t centralOffset = 0;   // as stored
    std::uint64_t centralEnd = 0;      // where the central directory ends: the (Zip64) end record
    std::string comment;

    // Bytes in front of the archive that its stored offsets do not count (a
    // self-extractor whose offsets were not adjusted); 0 when they fit.
    std::uint64_t Shift() const {
        return centralEnd >= centralSize + centralOffset && centralOffset <= centralEnd
                   ? centralEnd - centralSize - centralOffset
                   : 0;
    }
};

// Searches the last 65557 bytes backwards for the record. A candidate counts only
// when its comment ends exactly at the end of the file, so a record-like text inside
// a comment cannot fool the search; failing that, the last candidate whose comment
// fits in the file and lies nearest its end is taken. Records before minPosition are ignored.
std::optional<ZipEnd> FindZipEnd(ByteSource& src, std::uint64_t minPosition = 0);

}  // namespace kv::arc
