#pragma once
// catcompare CATALOG DISKNAME FOLDER: compares a catalogued disk with the folder
// standing for its medium (for a virtual disk: its virtual root) and prints one
// line per item that is not the same: "new", "changed" (with what differs:
// size, date) or "deleted", a TAB and the item's path from the disk's root.
#include <string>
#include <vector>

namespace kv::tools {

// The exit status: 0 nothing differs, 1 something does, 2 a bad argument or an
// unreadable catalog (the message in err).
int CompareCatalogDisk(const std::vector<std::string>& args, std::string& out, std::string& err);

}  // namespace kv::tools
