#pragma once
// The state the model's operations share: the result lists that show records,
// the "a list lost an entry" flags, the program-closing flag and the hook that
// tells the main window a catalog's modified state changed. The forest owns one.
#include <array>
#include <functional>

namespace kv {

class IResultLists;
class Node;

struct ModelContext {
    // The result lists; nullptr while no window holding them exists.
    IResultLists* resultLists = nullptr;
    // Set when the program closes: freeing records then leaves the result lists alone.
    bool programClosing = false;
    // Per slot: an entry was nulled and the list needs renumbering.
    std::array<bool, 3> lostEntry{};
    // Nesting of result-list batches (ResultListBatch).
    int batchDepth = 0;
    // Called with the catalog node whenever SetCatalogModified runs.
    std::function<void(Node& catalogNode)> onCatalogModified;
};

}  // namespace kv
