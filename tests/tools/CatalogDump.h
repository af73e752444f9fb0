#pragma once
// The canonical text dump of a catalog: every disk, folder and file loaded through
// the project's reader, one line per item.
#include <string>

#include "base/ReadAhead.h"

namespace kv::tools {

// Appends the dump to `out` as far as the catalog could be read. Returns the reader's
// messages (damaged lists, or the error that stopped the dump), empty for a sound file.
std::string DumpCatalog(ReaderPtr reader, std::string& out);

}  // namespace kv::tools
