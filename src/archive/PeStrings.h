#pragma once
// String resources of a Windows program, read from its bytes: self-extracting
// programs name the position of their archive in string resources 1 to 4. Reading
// the resource directory ourselves costs a few small reads of the file already open,
// where loading the program as a module would map all of it.
#include <cstddef>
#include <string>
#include <vector>

#include "base/ByteSource.h"

namespace kv::arc {

// Texts of string resources first..first+count-1, at most maxChars characters each
// (characters outside ASCII read '?'). A missing resource, or a file that is no
// PE program or whose directory is damaged, gives empty texts; it never throws for
// bad content (a failing device still throws EIoError).
std::vector<std::string> ReadPeStrings(ByteSource& file, unsigned first, unsigned count, std::size_t maxChars);

}  // namespace kv::arc
