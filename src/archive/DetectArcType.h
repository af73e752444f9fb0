#pragma once
// Which archive a file holds, from its contents (and, for tar, its extension).
#include <cstdint>
#include <string>

#include "archive/ArcType.h"
#include "archive/ArcInput.h"
#include "archive/ArchiveContext.h"

namespace kv::arc {

struct Detection {
    TArcType type = atNA;
    std::uint64_t start = 0;        // position of the first archive byte (0 for a plain archive)
    std::uint64_t foundInside = 0;  // ZIP in a program: bytes in front that its offsets do not count
    std::uint64_t size = 0;         // of the file
    std::uint32_t fileDate = 0;     // the file's DOS stamp
};

// The date a file gets when the system cannot tell its own.
constexpr std::uint32_t kUnknownFileDate = 0x7225;

// A file that cannot be opened or is shorter than 6 bytes is atFileError. A program
// file (MZ) is searched for an appended archive: the positions its string resources
// 1-4 name, the end of its image, and a ZIP end record (in the last zipCommentRoom + 23
// bytes, so a comment longer than zipCommentRoom hides it); a plain file by its first
// four bytes, and a ".TAR" file by its header checksum (after a volume label).
Detection DetectArcType(ArchiveContext& context, const std::string& path, int zipCommentRoom = 0);
// The same on a file already open, whose date the caller knows: only the blocks the
// kind needs are read (the first six bytes; for a program its resource directory,
// image end and ZIP end record; for a ".TAR" the first header).
Detection DetectArcType(ArcInput& in, const std::string& path, std::uint32_t fileDate, int zipCommentRoom = 0);

}  // namespace kv::arc
