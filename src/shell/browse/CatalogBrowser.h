#pragma once
// The main window's browsing behaviour over the catalog tree and the item
// list, without a window: what the list shows for the selected node, the
// deferred refill after keyboard moves, going in and up, jumping to an item,
// renaming in place and sorting. The views are reached through the ports.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/model/FileList.h"
#include "catalog/model/Forest.h"
#include "shell/browse/BrowsePorts.h"
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemComparer.h"
#include "shell/browse/ItemSort.h"
#include "shell/browse/UpdateLock.h"

namespace kv {

struct BrowseSettings {
    bool showUpRow = true;         // ShowPrevCheck
    bool archivesAsFiles = true;   // not ArchivesSortCheck
    bool formattedSizes = true;    // FormattedSizesCheck
};

struct BrowsePorts {
    BrowseTreePort& tree;
    ItemListPort& list;
    RefillTimer& timer;
    BrowseStatus& status;
};

class CatalogBrowser {
public:
    static constexpr unsigned kRefillDelayMs = 500;
    static constexpr std::uint8_t kNoOverride = 255;

    CatalogBrowser(Forest& forest, const BrowsePorts& ports);
    ~CatalogBrowser();
    CatalogBrowser(const CatalogBrowser&) = delete;
    CatalogBrowser& operator=(const CatalogBrowser&) = delete;

    BrowseSettings& settings() { return settings_; }
    // The locale's formats and text order; null keeps the portable ones.
    void setFormats(const CellFormats* formats) { formats_ = formats; }
    void setCollator(const TextCollator* collator) { collator_ = collator; }

    // The rows of the main list and what the list shows.
    const ItemList& items() const { return items_; }
    Node* shownNode() const { return shownNode_; }
    // 4 catalog, 3 disk, 2 folder; 0 before the first fill.
    int listTag() const { return listTag_; }
    const ItemHead* upRecord() const { return upNode_.record(); }
    // The record of a row; -1 = the focused row. Null beyond the list.
    const ItemHead* recordAt(std::ptrdiff_t row) const;
    CellContext cellContext() const;
    std::string cellText(std::size_t row, int column) const;

    // Refills the list from the node (null: the selected one); nothing when it shows it already.
    void fillItemList(Node* node);
    // The list content changed under it: forget what is shown and refill.
    void refresh();
    // The '..' row switched on or off: the list shown gets or loses it at once,
    // the focused row kept.
    void setShowUpRow(bool show);
    // The size display changed: true when it did (the list is repainted).
    bool setFormattedSizes(bool formatted);
    // Empties the list and forgets what it showed (a catalog about to close).
    void clearList();
    // The ".." row's node: outside the tree, recognised by identity.
    Node& upNode() { return upNode_; }

    // Tree events. bySelection: a real selection change (not a direct call).
    void treeChanged(Node* node, bool bySelection);
    void treeKeyUp();
    void refillTimerFired();
    void treeExit();
    // A refill the 500 ms timer still waits for is done now.
    void flushPendingRefill();
    void expanding(Node& node);
    // The display lock: bulk changes hold levels, and keyboard navigation in
    // the tree holds one while keys are down.
    void lockDisplay() { displayLock_.lock(); }
    void unlockDisplay() { displayLock_.unlock(); }
    void resetDisplayLock() { displayLock_.reset(); }
    // The end of a bulk change's level: once the display is free, a node it
    // selected meanwhile shows in the list.
    void endBulkLock();
    bool displayLocked() const { return !displayLock_.unlocked(); }
    void setStartupFinished(bool finished) { startupFinished_ = finished; }
    // Whether a search is running: its worker reads node texts, so nothing is
    // renamed meanwhile.
    void setSearchRunning(std::function<bool()> query) { searchRunning_ = std::move(query); }
    bool searchRunning() const { return searching(); }

    // A node leaves the tree: every pointer at it or its records is dropped.
    void nodeRemoving(Node& node);

    // Navigation.
    // Double-click or Enter on a row: goes into a folder or disk, up for "..".
    // False for a file or catalog row (the caller runs the double-click action).
    bool openRow(std::ptrdiff_t row);
    void back();
    void goToItem(const ItemHead* rec);
    // Type-ahead: the next row from start whose name starts with text; -1 when none.
    std::ptrdiff_t findNext(std::string_view text, std::size_t start) const;
    // Repaints the views that may show the record; null repaints the tree.
    void refreshRecordViews(const ItemHead* rec);
    // "Total: ..." or "Selected: ..." for the status bar.
    std::string totalsText(bool selection) const;

    // Renaming in place.
    bool canEditTree(const Node& node) const;
    bool canEditRow() const;
    // The edited label; false when the old text stays.
    bool treeEdited(Node& node, std::string_view text);
    bool rowEdited(std::string_view text);

    // Sorting.
    std::uint8_t sortColumn() const;
    void setSortColumn(std::uint8_t column);
    bool sortReverse() const { return sortReverse_; }
    // The kept columns of the disk and the file list and the direction, as
    // the window position stores them; set without re-sorting.
    struct SortSettings {
        std::uint8_t diskColumn = 0;
        std::uint8_t fileColumn = 0;
        bool reverse = false;
    };
    SortSettings sortSettings() const { return {diskSortColumn_, fileSortColumn_, sortReverse_}; }
    void setSortSettings(const SortSettings& s);
    void setSortReverse(bool reverse);
    // A sort button or an "Arrange by" item: a column not in force sorts anew.
    // False when the column was in force already.
    bool sortBy(std::uint8_t column);
    // The "Sort archive files as folders" setting; a change re-sorts the list.
    void setArchivesAsFiles(bool asFiles);
    // A header click: the column in force reverses, another one sorts anew.
    void columnClick(int column);
    // Full: sorts by the comparer; else only reverses (the direction changed).
    // False when another sort is running or the sort was stopped.
    bool resortList(bool full);
    // Reorders the node's children; while a search walks them the reorder
    // waits for runDeferredTreeSorts.
    void sortTreeChildren(Node* node);
    // The reorders held back while a search ran, once none runs.
    void runDeferredTreeSorts();
    bool treeSortsDeferred() const { return !deferredTreeSorts_.empty(); }
    SortParams sortParams(std::uint8_t column) const;
    // Whether the catalog node is selected, i.e. the disk list is in force.
    bool diskListMode() const;

    // The commands of these groups (CommandGroup bits) and the sort controls
    // may have changed: the selection or the order of the list did.
    std::function<void(std::uint8_t groups)> onCommandsChanged;

    void setSortInterrupt(SortInterrupt* interrupt) { interrupt_ = interrupt; }
    void setSortProgress(SortProgress* progress) { progress_ = progress; }
    // True while a re-sort of the list runs (the window takes no input meanwhile).
    std::function<void(bool sorting)> onSorting;
    // A rename changed a name other lists may show (the search results, the user list).
    std::function<void()> onRenamed;
    std::atomic<bool>& sortCancel() { return sortCancel_; }

private:
    void selectNodeFromList(Node* node, std::size_t focusRow);
    bool searching() const { return searchRunning_ && searchRunning_(); }
    // Sorts the rows by the column in force, each text's key made once.
    bool sortItems(std::atomic<bool>& cancel, SortProgress* progress, SortInterrupt* interrupt);
    void commandsChanged(std::uint8_t groups) {
        if (onCommandsChanged)
            onCommandsChanged(groups);
    }
    Node* childWithRecord(const Node& parent, const ItemHead* rec) const;

    Forest& forest_;
    BrowsePorts ports_;
    BrowseSettings settings_;
    const CellFormats* formats_ = nullptr;
    const TextCollator* collator_ = nullptr;
    CaseMapCollator caseMap_;
    SortInterrupt* interrupt_ = nullptr;
    SortProgress* progress_ = nullptr;
    std::vector<Node*> deferredTreeSorts_;

    Node& upNode_;
    ItemList items_;
    FileListPin pin_;
    Node* shownNode_ = nullptr;
    const ItemHead* rowToSelect_ = nullptr;
    int listTag_ = 0;
    UpdateLock displayLock_;
    bool startupFinished_ = true;
    std::function<bool()> searchRunning_;

    std::uint8_t diskSortColumn_ = 0;
    std::uint8_t fileSortColumn_ = 0;
    std::uint8_t sortOverride_ = kNoOverride;
    bool sortReverse_ = false;
    SortGate sortGate_;
    std::atomic<bool> sortCancel_{false};
};

}  // namespace kv
