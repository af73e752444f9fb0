#include "shell/browse/CatalogBrowser.h"

#include <algorithm>
#include <unordered_map>

#include "catalog/file/CatalogLoad.h"
#include "controls/ListSearch.h"
#include "controls/ListSort.h"
#include "shell/browse/DiskRename.h"
#include "shell/browse/ItemRows.h"

namespace kv {

namespace {

bool isWithin(const Node* n, const Node& top) {
    for (; n; n = n->parent())
        if (n == &top)
            return true;
    return false;
}

bool isCatalog(const Node* n) { return n && RecordAs<TCatalogRec>(n->record()); }

// The command groups of the main window: catalog 1, item 2, sort 4.
constexpr std::uint8_t kSortGroup = 4;
constexpr std::uint8_t kSelectionGroups = 7;

// Locks painting and shows the busy status for a refill or a sort, and gives
// both back however the work ends.
class BusyScope {
public:
    BusyScope(BrowseStatus& status, std::string_view text) : status_(status) {
        status_.showStatus(text, true);
        status_.lockPainting(true);
    }
    ~BusyScope() {
        status_.lockPainting(false);
        status_.showStatus({}, false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    BrowseStatus& status_;
};

// Tells the window a sort runs, and that it ended however it ends.
class SortingScope {
public:
    explicit SortingScope(const std::function<void(bool)>& hook) : hook_(hook) {
        if (hook_)
            hook_(true);
    }
    ~SortingScope() {
        if (hook_)
            hook_(false);
    }
    SortingScope(const SortingScope&) = delete;
    SortingScope& operator=(const SortingScope&) = delete;

private:
    const std::function<void(bool)>& hook_;
};

}  // namespace

CatalogBrowser::CatalogBrowser(Forest& forest, const BrowsePorts& ports)
    : forest_(forest), ports_(ports), upNode_(forest.makeDetached("..")) {
    // A folder outside the tree that no list index names: its Attr cell reads "d".
    auto up = std::make_unique<TFolderRec>();
    up->stored.attributes = 0x10;
    (void)upNode_.setRecord(std::move(up));
}

CatalogBrowser::~CatalogBrowser() = default;

const ItemHead* CatalogBrowser::recordAt(std::ptrdiff_t row) const {
    if (row < 0)
        row = ports_.list.focusedRow();
    return row >= 0 && static_cast<std::size_t>(row) < items_.size() ? items_[static_cast<std::size_t>(row)] : nullptr;
}

CellContext CatalogBrowser::cellContext() const {
    return CellContext{formats_, settings_.formattedSizes, false, upRecord()};
}

std::string CatalogBrowser::cellText(std::size_t row, int column) const {
    if (column < 0 || column > 13)
        return {};
    return CellText(recordAt(static_cast<std::ptrdiff_t>(row)), static_cast<std::uint8_t>(column), cellContext());
}

void CatalogBrowser::fillItemList(Node* node) {
    if (!node)
        node = ports_.tree.selected();
    if (node == shownNode_)
        return;
    shownNode_ = node;
    BusyScope busy(ports_.status, "Loading files...");
    items_.clear();
    pin_.reset();
    ports_.list.setRowCount(0);
    const int oldTag = listTag_;
    if (node) {
        const bool diskList = isCatalog(node);
        ports_.list.setColumnSet(diskList);
        listTag_ = node->record() ? node->record()->kind() : 0;
        LoadFileList(node);
        auto* owner = RecordAs<FileOwnerRecord>(node->record());
        if (owner)
            pin_ = FileListPin(owner->files);
        const bool upRow = settings_.showUpRow && RecordAs<TFolderRec>(node->record()) && node->parent();
        if (upRow) {
            auto* up = RecordAs<TFolderRec>(upNode_.record());
            up->stored.modified = RecordAs<TFolderRec>(node->record())->stored.modified;
            up->description = BackToText(*node);
        }
        items_ = ItemRowsOf(*node, upRow ? upRecord() : nullptr);
        std::atomic<bool> cancel{false};
        sortItems(cancel, nullptr, nullptr);
        sortTreeChildren(ports_.tree.selected());
    }
    ports_.list.setRowCount(items_.size());
    if (listTag_ != oldTag)
        ports_.list.applyLayout(listTag_ == ItemFlags::Catalog);
    else
        ports_.list.autoSizeColumns();
    if (rowToSelect_) {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i] == rowToSelect_) {
                ports_.list.focusRow(i, false);
                break;
            }
        rowToSelect_ = nullptr;
    }
}

void CatalogBrowser::refresh() {
    shownNode_ = nullptr;
    fillItemList(nullptr);
}

void CatalogBrowser::setShowUpRow(bool show) {
    if (settings_.showUpRow == show)
        return;
    settings_.showUpRow = show;
    if (!shownNode_)
        return;
    const ItemHead* focused = recordAt(-1);
    rowToSelect_ = focused == upRecord() ? nullptr : focused;
    Node* shown = shownNode_;
    shownNode_ = nullptr;
    fillItemList(shown);
}

bool CatalogBrowser::setFormattedSizes(bool formatted) {
    if (settings_.formattedSizes == formatted)
        return false;
    settings_.formattedSizes = formatted;
    ports_.list.repaint();
    return true;
}

void CatalogBrowser::clearList() {
    shownNode_ = nullptr;
    rowToSelect_ = nullptr;
    items_.clear();
    pin_.reset();
    ports_.list.setRowCount(0);
}

void CatalogBrowser::treeChanged(Node* node, bool bySelection) {
    if (bySelection && displayLocked()) {
        if (ports_.timer.running())
            ports_.timer.start(kRefillDelayMs);
        return;
    }
    if (node && RecordAs<TFolderRec>(node->record()))
        LoadSubfolders(node);
    if (!bySelection)
        shownNode_ = nullptr;
    fillItemList(node);
    commandsChanged(kSelectionGroups);
}

void CatalogBrowser::endBulkLock() {
    unlockDisplay();
    if (displayLocked())
        return;
    if (Node* selected = ports_.tree.selected(); selected != shownNode_)
        treeChanged(selected, true);
}

void CatalogBrowser::treeKeyUp() {
    if (displayLocked() || !startupFinished_)
        return;
    ports_.timer.stop();
    ports_.timer.start(kRefillDelayMs);
}

void CatalogBrowser::refillTimerFired() {
    ports_.timer.stop();
    unlockDisplay();
    Node* selected = ports_.tree.selected();
    if (selected != shownNode_)
        treeChanged(selected, true);
}

void CatalogBrowser::treeExit() {
    if (!displayLocked())
        flushPendingRefill();
}

void CatalogBrowser::flushPendingRefill() {
    if (ports_.timer.running())
        refillTimerFired();
}

void CatalogBrowser::expanding(Node& node) {
    if (!RecordAs<TFolderRec>(node.record()) && !RecordAs<TDiskRec>(node.record()))
        return;
    ports_.status.showStatus("Loading sub-folders...", true);
    LoadSubfolders(&node);
    ports_.status.showStatus({}, false);
}

void CatalogBrowser::nodeRemoving(Node& node) {
    std::erase_if(deferredTreeSorts_, [&node](const Node* n) { return isWithin(n, node); });
    if (rowToSelect_ && isWithin(rowToSelect_->node, node))
        rowToSelect_ = nullptr;
    if (shownNode_ && isWithin(shownNode_, node)) {
        shownNode_ = nullptr;
        items_.clear();
        pin_.reset();
        ports_.list.setRowCount(0);
        return;
    }
    // Rows of the shown node that stand for the node going (a disk row of the
    // catalog shown, a folder row of its parent).
    const std::size_t before = items_.size();
    std::erase_if(items_, [&](const ItemHead* rec) { return rec && rec != upRecord() && isWithin(rec->node, node); });
    if (items_.size() != before)
        ports_.list.setRowCount(items_.size());
}

Node* CatalogBrowser::childWithRecord(const Node& parent, const ItemHead* rec) const {
    for (const auto& child : parent.children())
        if (child->record() == rec)
            return child.get();
    return nullptr;
}

void CatalogBrowser::selectNodeFromList(Node* node, std::size_t focusRow) {
    fillItemList(node);
    if (focusRow < items_.size())
        ports_.list.focusRow(focusRow, false);
    ports_.tree.select(node);
}

bool CatalogBrowser::openRow(std::ptrdiff_t row) {
    const ItemHead* rec = recordAt(row);
    if (!rec || rec->kind() == ItemFlags::File || rec->kind() == ItemFlags::Catalog)
        return false;
    if (rec == upRecord()) {
        back();
    } else if (shownNode_) {
        Node* child = childWithRecord(*shownNode_, rec);
        if (!child)
            return true;
        if (RecordAs<TFolderRec>(child->record()))
            LoadSubfolders(child);
        Node* parent = shownNode_;
        selectNodeFromList(child, 0);
        ports_.tree.expand(*parent);
    }
    ports_.list.takeFocus();
    return true;
}

void CatalogBrowser::back() {
    Node* selected = ports_.tree.selected();
    Node* target = selected ? selected->parent() : nullptr;
    if (!target)
        return;
    if (RecordAs<TFolderRec>(target->record()))
        LoadSubfolders(target);
    rowToSelect_ = selected->record();
    fillItemList(target);
    ports_.tree.select(target);
}

void CatalogBrowser::goToItem(const ItemHead* rec) {
    Node* node = rec ? rec->node : nullptr;
    if (!node || node->isDetached())
        return;
    ports_.tree.select(node);
    fillItemList(node);
    if (rec->kind() != ItemFlags::File) {
        ports_.tree.takeFocus();
        return;
    }
    ports_.list.deselectAll();
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == rec) {
            ports_.list.focusRow(i, false);
            break;
        }
    ports_.list.takeFocus();
}

std::ptrdiff_t CatalogBrowser::findNext(std::string_view text, std::size_t start) const {
    return FindNextInList(items_.size(), [this](std::size_t i) { return ItemName(items_[i]); }, text, start);
}

void CatalogBrowser::refreshRecordViews(const ItemHead* rec) {
    if (!rec) {
        ports_.tree.repaint();
        return;
    }
    // A file shows in its owner's list, any other record in its parent's.
    const Node* node = rec->node;
    const Node* listedUnder = !node ? nullptr : rec->kind() == ItemFlags::File ? node : node->parent();
    if (shownNode_ && listedUnder == shownNode_)
        ports_.list.repaint();
}

std::string CatalogBrowser::totalsText(bool selection) const {
    std::size_t count = 0;
    std::uint64_t bytes = 0;
    auto add = [&](const ItemHead* rec) {
        if (!rec || rec == upRecord())
            return;
        ++count;
        bytes += ItemBytes(rec);
    };
    if (selection)
        for (std::size_t row : ports_.list.selectedRows())
            add(recordAt(static_cast<std::ptrdiff_t>(row)));
    else
        for (const ItemHead* rec : items_)
            add(rec);
    const std::string separator = formats_ ? formats_->decimalSeparator : ".";
    return ListTotalsText(selection, count, bytes, separator);
}

bool CatalogBrowser::canEditTree(const Node& node) const { return !searching() && CanRenameNode(node); }

bool CatalogBrowser::canEditRow() const {
    const ItemHead* rec = recordAt(-1);
    return !searching() && rec && rec->kind() == ItemFlags::Disk;
}

bool CatalogBrowser::treeEdited(Node& node, std::string_view text) {
    if (searching() || !RenameNode(forest_, node, text))
        return false;
    sortTreeChildren(node.parent());
    // The renamed node's row moves in the list that shows it.
    if (shownNode_ && shownNode_ == node.parent())
        resortList(true);
    ports_.list.repaint();
    if (onRenamed)
        onRenamed();
    return true;
}

bool CatalogBrowser::rowEdited(std::string_view text) {
    if (!canEditRow() || !shownNode_)
        return false;
    Node* node = childWithRecord(*shownNode_, recordAt(-1));
    if (!node || !RenameNode(forest_, *node, text))
        return false;
    // The disk takes its place among its siblings in the tree and in the list.
    sortTreeChildren(shownNode_);
    resortList(true);
    ports_.tree.repaint();
    ports_.list.repaint();
    if (onRenamed)
        onRenamed();
    return true;
}

bool CatalogBrowser::diskListMode() const {
    Node* selected = ports_.tree.selected();
    return !selected || isCatalog(selected);
}

std::uint8_t CatalogBrowser::sortColumn() const {
    if (sortOverride_ < 128)
        return sortOverride_;
    Node* selected = ports_.tree.selected();
    if (!selected)
        return 0;
    return isCatalog(selected) ? diskSortColumn_ : fileSortColumn_;
}

void CatalogBrowser::setSortColumn(std::uint8_t column) {
    Node* selected = ports_.tree.selected();
    if (!selected)
        return;
    (isCatalog(selected) ? diskSortColumn_ : fileSortColumn_) = column;
}

void CatalogBrowser::setSortSettings(const SortSettings& s) {
    diskSortColumn_ = s.diskColumn;
    fileSortColumn_ = s.fileColumn;
    sortReverse_ = s.reverse;
}

void CatalogBrowser::setSortReverse(bool reverse) {
    if (reverse == sortReverse_)
        return;
    sortReverse_ = reverse;
    resortList(false);
}

void CatalogBrowser::columnClick(int column) {
    if (column < 0 || column > 13 || items_.empty())
        return;
    if (static_cast<std::uint8_t>(column) == sortColumn())
        setSortReverse(!sortReverse_);
    else
        sortBy(static_cast<std::uint8_t>(column));
    commandsChanged(kSortGroup);
}

bool CatalogBrowser::sortBy(std::uint8_t column) {
    if (column == sortColumn())
        return false;
    setSortColumn(column);
    resortList(true);
    return true;
}

void CatalogBrowser::setArchivesAsFiles(bool asFiles) {
    if (asFiles == settings_.archivesAsFiles)
        return;
    settings_.archivesAsFiles = asFiles;
    resortList(true);
}

SortParams CatalogBrowser::sortParams(std::uint8_t column) const {
    SortParams p;
    p.list = ItemListKind::Main;
    p.column = column;
    p.reverse = sortReverse_;
    p.archivesAsFiles = settings_.archivesAsFiles;
    p.upRecord = upRecord();
    p.collator = collator_;
    return p;
}

bool CatalogBrowser::sortItems(std::atomic<bool>& cancel, SortProgress* progress, SortInterrupt* interrupt) {
    SortKeyCollator keys(collator_ ? *collator_ : caseMap_);
    SortParams params = sortParams(sortColumn());
    params.collator = &keys;
    return SortListWithCancel(items_, ItemComparer(params), cancel, progress, interrupt);
}

bool CatalogBrowser::resortList(bool full) {
    SortGate::Pass pass(sortGate_);
    if (!pass || forest_.roots().empty())
        return false;
    BusyScope busy(ports_.status, "Sorting " + std::to_string(items_.size()) + " files, please wait...");
    SortingScope sorting(onSorting);

    std::vector<const ItemHead*> selected;
    for (std::size_t row : ports_.list.selectedRows())
        if (const ItemHead* rec = recordAt(static_cast<std::ptrdiff_t>(row)))
            selected.push_back(rec);
    const ItemHead* focused = recordAt(-1);

    bool done = true;
    if (full)
        done = sortItems(sortCancel_, progress_, interrupt_);
    else
        ReverseResultList(items_, upRecord());

    if (!selected.empty() || focused) {
        std::unordered_map<const ItemHead*, std::size_t> rowOf;
        rowOf.reserve(items_.size());
        for (std::size_t i = 0; i < items_.size(); ++i)
            rowOf.emplace(items_[i], i);
        ports_.list.deselectAll();
        for (const ItemHead* rec : selected)
            if (auto it = rowOf.find(rec); it != rowOf.end())
                ports_.list.setRowSelected(it->second, true);
        if (auto it = rowOf.find(focused); focused && it != rowOf.end()) {
            const bool alsoSelected = std::find(selected.begin(), selected.end(), focused) != selected.end();
            ports_.list.focusRow(it->second, !alsoSelected);
        }
    }
    ports_.list.repaint();
    sortTreeChildren(ports_.tree.selected());
    return done;
}

void CatalogBrowser::sortTreeChildren(Node* node) {
    if (!node || node->children().size() < 2)
        return;
    // The search's worker walks the child lists: they keep their order until it ends.
    if (searching()) {
        if (std::find(deferredTreeSorts_.begin(), deferredTreeSorts_.end(), node) == deferredTreeSorts_.end())
            deferredTreeSorts_.push_back(node);
        return;
    }
    SortParams params = sortParams(isCatalog(node) ? diskSortColumn_ : fileSortColumn_);
    ItemList records;
    for (const auto& child : node->children())
        records.push_back(child->record());
    StableSortItems(records, 0, records.size(), ItemComparer(params));
    // The forest's sort gets ranks, a consistent order whatever the comparer did.
    std::unordered_map<const ItemHead*, std::size_t> rank;
    bool moved = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        rank.emplace(records[i], i);
        moved = moved || node->child(i)->record() != records[i];
    }
    if (moved)
        forest_.sortChildren(node, [&rank](const Node& a, const Node& b) {
            return rank.at(a.record()) < rank.at(b.record());
        });
}

void CatalogBrowser::runDeferredTreeSorts() {
    if (deferredTreeSorts_.empty() || searching())
        return;
    std::vector<Node*> nodes;
    nodes.swap(deferredTreeSorts_);
    for (Node* node : nodes)
        sortTreeChildren(node);
}

}  // namespace kv
