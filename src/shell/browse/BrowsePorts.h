#pragma once
// What the browsing logic asks of the windows that show it: the tree, the item
// list, the deferred-refill timer and the status bar. The main window's Win32
// views implement them; tests use scripted fakes.
#include <cstddef>
#include <string_view>
#include <vector>

#include "catalog/model/TreeViewPort.h"

namespace kv {

class BrowseTreePort : public TreeViewPort {
public:
    virtual void takeFocus() = 0;
    virtual void repaint() = 0;
    // Starts editing the node's label.
    virtual void editLabel(Node& node) = 0;
};

class ItemListPort {
public:
    virtual ~ItemListPort() = default;
    // Rebuilds the columns when the set changes (disk list or file list).
    virtual void setColumnSet(bool diskList) = 0;
    // The saved layout of the set (after a change of the node kind shown).
    virtual void applyLayout(bool diskList) = 0;
    virtual void autoSizeColumns() = 0;
    // The number of rows, without scrolling.
    virtual void setRowCount(std::size_t count) = 0;
    // Focuses the row (and selects it unless focusOnly) and scrolls it into view.
    virtual void focusRow(std::size_t row, bool focusOnly) = 0;
    // Clears the selection and the focus.
    virtual void deselectAll() = 0;
    virtual void setRowSelected(std::size_t row, bool selected) = 0;
    // -1 when no row has the focus.
    virtual std::ptrdiff_t focusedRow() const = 0;
    virtual std::vector<std::size_t> selectedRows() const = 0;
    virtual void repaint() = 0;
    virtual void takeFocus() = 0;
    virtual void editLabel(std::size_t row) = 0;
};

// The one-shot timer that refills the list after keyboard moves in the tree.
class RefillTimer {
public:
    virtual ~RefillTimer() = default;
    virtual void start(unsigned milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
};

class BrowseStatus {
public:
    virtual ~BrowseStatus() = default;
    // Busy shows the hourglass; not busy gives the status bar back to its owner.
    virtual void showStatus(std::string_view text, bool busy) = 0;
    virtual void processMessages() = 0;
    // Whole-window painting lock around bulk changes; nests.
    virtual void lockPainting(bool lock) = 0;
};

}  // namespace kv
