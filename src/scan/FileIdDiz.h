#pragma once
// "FILE_ID.DIZ": a folder's (or an archive's) own multi-line description.
#include <string>
#include <string_view>

#include "base/ByteSource.h"
#include "scan/FilesBbsFile.h"

namespace kv {

// At most this many bytes of the file are read.
inline constexpr std::size_t kFileIdDizBytes = 4095;

// The description the file gives: its first 4095 bytes up to a NUL, trimmed
// line by line with CR LF breaks and box characters made readable. Throws
// EIoError when the device fails.
std::string ReadFileIdDiz(ByteSource& source);
// The same from text already in memory.
std::string FileIdDizText(std::string_view bytes);

// The file's text for a description: one line each, cut as the limits say.
std::string FormatFileIdDiz(std::string_view description, const LineLimits& limits);

}  // namespace kv
