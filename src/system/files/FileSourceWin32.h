#pragma once
// Files read through a Windows handle, so that the share mode can be chosen.
#include <memory>
#include <string>

#include "base/ByteSource.h"

namespace kv {

// While the source lives, others may read the file but not write, rename or
// delete it. Throws EIoError when it cannot be opened.
std::unique_ptr<ByteSource> OpenDenyWriteSource(const std::string& path);
// Others may read and write the file meanwhile, as with the C library's fopen; reads
// go to the system at their position in one call each, unbuffered (callers read in
// blocks). Throws EIoError when it cannot be opened.
std::unique_ptr<ByteSource> OpenSharedSource(const std::string& path);

}  // namespace kv
