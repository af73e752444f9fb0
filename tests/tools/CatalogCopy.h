#pragma once
// catcopy's work: open a catalog file and save it under another name through
// the program's save transaction.
#include <string>

#include "catalog/file/CatalogSave.h"

namespace kv::tools {

// With rewrite every disk is marked changed and written from memory, every
// list loaded first. Messages go to `messages`; Saved when OUT was written.
SaveResult CopyCatalog(const std::string& in, const std::string& out, bool rewrite, std::string& messages);

}  // namespace kv::tools
