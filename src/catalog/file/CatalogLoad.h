#pragma once
// Reading a catalog file: the header, categories, disks and top-level folders at
// open; deeper folders and file lists when first needed.
#include <string>

#include "catalog/model/Forest.h"
#include "catalog/model/Node.h"
#include "base/ReadAhead.h"
#include "system/files/FileSystem.h"
#include "ui/UserPrompt.h"

namespace kv {

// The loaders report a damaged file list to `prompt` (loading goes on without the rest of
// that list); nullptr: not reported.

// Makes the sub-folder nodes of a disk or folder present (reading them from the catalog's file on first need);
// recursive: the whole branch; withFiles: also the file lists. Never reads a level twice (per-disk topLevelRead,
// negated subfolderPos); a level that fails part-way is left unread, without the folders read before the
// failure. Uses the disk's own sectionPos and the reader of the node's catalog.
void LoadSubfolders(Node* node, bool recursive = false, bool withFiles = false, ui::UserPrompt* prompt = nullptr);
// Makes the file list of a folder or disk present, reading it on first need.
void LoadFileList(Node* node, ui::UserPrompt* prompt = nullptr);
// Reads a catalog file into a new catalog node of the forest (header, categories, disks, top-level folders;
// no file list, so there is nothing to report);
// the catalog keeps the reader open. Throws EInvalidCatalog / EReadBufferError; on failure nothing is left in the forest.
// Opened through `files`, which keeps others from writing the file while it is open.
Node* ReadCatalogFile(Forest& forest, IFileSystem& files, const std::string& fileName);
// The same through the system's file system.
Node* ReadCatalogFile(Forest& forest, const std::string& fileName);
// The same from a reader already open (a file, or bytes in memory); the catalog's
// file name is the reader's.
Node* ReadCatalog(Forest& forest, ReaderPtr reader);

}  // namespace kv
