#pragma once
// What a command applies to: the selected tree node or the item list's focused
// row, by where the command was started and which control has the focus.
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "catalog/model/Node.h"
#include "shell/commands/CommandIds.h"
#include "shell/commands/CommandRules.h"

namespace kv {

// The focus facts the main window gives.
struct FocusState {
    Node* selected = nullptr;             // the tree's selected node
    bool treeActive = false;              // the tree is the active control
    ItemHead* focusedRow = nullptr;       // the item list's focused row; nullptr: none
    bool focusedRowIsUp = false;          // that row is ".."
};

struct CommandTarget {
    Node* node = nullptr;
    bool fromTree = true;
    ItemHead* record = nullptr;  // a file row's record; nullptr for nodes
    // The record the command works on: the file's, else the node's.
    ItemHead* item() const { return record ? record : (node ? node->record() : nullptr); }
};

// The tree popup works on the tree, the list popup on the list; the main menu,
// the toolbar and keys on the tree when it is active or the list has no
// focused row. Nothing when that side has nothing to offer.
std::optional<CommandTarget> GetCommandTarget(CommandSource source, const FocusState& focus);

// Whether the archive named by its folder node's text can be listed.
using ListableArchive = std::function<bool(std::string_view archiveName)>;

TargetFacts DescribeTarget(const std::optional<CommandTarget>& target, const ListableArchive& listable);

// Walks the selected rows until every fact is known.
SelectionFacts ScanSelection(std::span<const ItemHead* const> rows, const ItemHead* upRow,
                             const ListableArchive& listable);

}  // namespace kv
