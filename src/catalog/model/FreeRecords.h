#pragma once
// Freeing records: destroying a node's records, and unloading a file list so
// that it is read again from the catalog file when next needed.
#include "catalog/model/ModelContext.h"
#include "catalog/model/Node.h"

namespace kv {

// Frees every file record of the owner's chain and empties it. Each record is
// first removed from the result lists, unless unloadOnly is set.
void FreeFileBlock(ModelContext& ctx, FileOwnerRecord& owner, bool unloadOnly);

// Frees the records hanging on the node (not its children's): the file list of
// a folder or disk (which then counts as not loaded), and with freeHead the
// node's own record, removed from the result lists unless unloadOnly is set.
// Without freeHead the head record stays and is not unlinked.
void FreeNodeData(Node& node, bool freeHead, bool unloadOnly);

// A file list may be dropped only when it can be read back unchanged and
// nothing shows it: not changed, not pinned by a view, none of its records in
// a result list.
bool CanUnloadFileList(const ModelContext& ctx, const FileOwnerRecord& owner);

// Drops the file list of a folder or disk node and sets Loaded to 0. Refused
// (false) when CanUnloadFileList says no. A list with nothing stored to read
// back stays as it is.
bool UnloadFileList(Node& node);

}  // namespace kv
