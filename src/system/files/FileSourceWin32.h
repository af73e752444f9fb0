#pragma once
// A file read through a Windows handle, so that its share mode can be chosen.
#include <memory>
#include <string>

#include "base/ByteSource.h"

namespace kv {

// While the source lives, others may read the file but not write, rename or
// delete it. Throws EIoError when it cannot be opened.
std::unique_ptr<ByteSource> OpenDenyWriteSource(const std::string& path);

}  // namespace kv
