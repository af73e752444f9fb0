#include <gtest/gtest.h>

#include <string>

#include "BrowseFixture.h"
#include "FakePorts.h"
#include "shell/browse/CatalogBrowser.h"

namespace kv {
namespace {

using namespace kv::test;

class CatalogBrowserTest : public ::testing::Test {
protected:
    BrowseFixture f;
    FakeTree tree;
    FakeList list;
    FakeTimer timer;
    FakeStatus status;
    CatalogBrowser browser{f.forest, BrowsePorts{tree, list, timer, status}};

    CatalogBrowserTest() {
        tree.onSelect = [this](Node* n) { browser.treeChanged(n, true); };
    }

    std::string rows() const {
        std::string out;
        for (const ItemHead* rec : browser.items())
            out += (out.empty() ? "" : " ") + std::string(ItemName(rec));
        return out;
    }

    std::size_t rowOf(const ItemHead* rec) const {
        const auto& items = browser.items();
        return static_cast<std::size_t>(std::find(items.begin(), items.end(), rec) - items.begin());
    }
};

TEST_F(CatalogBrowserTest, ListShowsWhatTheSelectedNodeHolds) {
    tree.select(f.catalog);
    EXPECT_EQ(rows(), "CD Floppy");
    EXPECT_EQ(list.columnSet, 1);
    EXPECT_EQ(browser.listTag(), 4);
    EXPECT_EQ(list.rows, 2u);

    tree.select(f.cd);
    EXPECT_EQ(rows(), "Docs root.bin");
    EXPECT_EQ(list.columnSet, 0);

    tree.select(f.docs);
    EXPECT_EQ(rows(), ".. Sub a.txt b.zip c.txt");
    EXPECT_EQ(browser.cellText(0, 6), "Back to root of CD");
    EXPECT_EQ(browser.cellText(0, 2), "");
    EXPECT_EQ(browser.cellText(0, 3), "2019-03-04");  // the folder's own date
    // Layout 0, then layout 1 at the disk; the folder changes the kind shown again.
    EXPECT_EQ(list.layouts, (std::vector<int>{0, 1, 1}));

    tree.select(f.sub);
    EXPECT_EQ(browser.cellText(0, 6), "Back to Docs (folder)");
    EXPECT_EQ(status.paintLocks, 0);
}

TEST_F(CatalogBrowserTest, SameNodeTwiceDoesNothingAndTheUpRowFollowsTheSetting) {
    tree.select(f.docs);
    const int calls = list.rowCountCalls;
    browser.fillItemList(f.docs);
    EXPECT_EQ(list.rowCountCalls, calls);

    browser.settings().showUpRow = false;
    browser.refresh();
    EXPECT_EQ(rows(), "Sub a.txt b.zip c.txt");
}

// The settings switch the '..' row and the size display on the list shown.
TEST_F(CatalogBrowserTest, UpRowAndSizeDisplayChangesApplyToTheListShown) {
    tree.select(f.docs);
    ASSERT_EQ(rows(), ".. Sub a.txt b.zip c.txt");
    list.focusRow(rowOf(f.a), false);
    browser.setShowUpRow(false);
    EXPECT_EQ(rows(), "Sub a.txt b.zip c.txt");
    EXPECT_EQ(list.rows, 4u);
    EXPECT_EQ(browser.recordAt(-1), f.a);
    browser.setShowUpRow(true);
    EXPECT_EQ(rows(), ".. Sub a.txt b.zip c.txt");
    EXPECT_EQ(browser.recordAt(-1), f.a);

    const int repaints = list.repaints;
    EXPECT_FALSE(browser.setFormattedSizes(browser.settings().formattedSizes));
    EXPECT_EQ(list.repaints, repaints);
    EXPECT_TRUE(browser.setFormattedSizes(!browser.settings().formattedSizes));
    EXPECT_EQ(list.repaints, repaints + 1);
}

TEST(UpdateLock, NeverGoesBelowZero) {
    UpdateLock lock;
    lock.unlock();
    EXPECT_TRUE(lock.unlocked());
    for (int i = 0; i < 300; ++i)
        lock.lock();
    EXPECT_FALSE(lock.unlocked());
    EXPECT_EQ(lock.count(), 300u);
    lock.reset();
    EXPECT_TRUE(lock.unlocked());
}

// A bulk change (catalogs opened or closed) holds the display; the node it
// selected meanwhile shows once the last level goes.
TEST_F(CatalogBrowserTest, ANodeSelectedDuringABulkChangeShowsWhenItEnds) {
    tree.select(f.cd);
    browser.lockDisplay();
    browser.lockDisplay();
    tree.select(f.docs);
    browser.endBulkLock();
    EXPECT_EQ(browser.shownNode(), f.cd);
    browser.endBulkLock();
    EXPECT_EQ(browser.shownNode(), f.docs);
}

TEST_F(CatalogBrowserTest, KeyboardMovesRefillAfterTheLastKeyMouseAtOnce) {
    tree.select(f.cd);
    // A navigation key takes a display-lock level on key down.
    browser.lockDisplay();
    tree.select(f.docs);
    EXPECT_EQ(browser.shownNode(), f.cd);
    browser.unlockDisplay();  // the idle tick
    browser.treeKeyUp();
    EXPECT_TRUE(timer.on);
    EXPECT_EQ(timer.interval, 500u);
    EXPECT_EQ(browser.shownNode(), f.cd);
    browser.refillTimerFired();
    EXPECT_FALSE(timer.on);
    EXPECT_EQ(browser.shownNode(), f.docs);

    // Leaving the tree with a refill pending does it at once.
    browser.lockDisplay();
    tree.select(f.sub);
    browser.unlockDisplay();
    browser.treeKeyUp();
    browser.treeExit();
    EXPECT_FALSE(timer.on);
    EXPECT_EQ(browser.shownNode(), f.sub);

    // The mouse: at once.
    tree.select(f.catalog);
    EXPECT_EQ(browser.shownNode(), f.catalog);
    EXPECT_FALSE(timer.on);
}

TEST_F(CatalogBrowserTest, GoingInUpAndToAnItem) {
    tree.select(f.cd);
    EXPECT_TRUE(browser.openRow(static_cast<std::ptrdiff_t>(rowOf(f.docs->record()))));
    EXPECT_EQ(tree.current, f.docs);
    EXPECT_EQ(list.focused, 0);
    EXPECT_FALSE(browser.openRow(static_cast<std::ptrdiff_t>(rowOf(f.a))));

    // ".." goes up and focuses the row of the folder left.
    EXPECT_TRUE(browser.openRow(0));
    EXPECT_EQ(tree.current, f.cd);
    EXPECT_EQ(list.focused, static_cast<std::ptrdiff_t>(rowOf(f.docs->record())));

    browser.goToItem(f.c);
    EXPECT_EQ(tree.current, f.docs);
    EXPECT_EQ(list.focused, static_cast<std::ptrdiff_t>(rowOf(f.c)));
    EXPECT_EQ(list.selected, (std::set<std::size_t>{rowOf(f.c)}));
    EXPECT_EQ(list.focus, 3);
    browser.goToItem(f.floppy->record());
    EXPECT_EQ(tree.current, f.floppy);
    EXPECT_EQ(tree.focus, 1);
    browser.goToItem(f.upRec());  // no node in the tree: nothing
    EXPECT_EQ(tree.current, f.floppy);
}

TEST_F(CatalogBrowserTest, RenameRules) {
    tree.select(f.catalog);
    EXPECT_TRUE(browser.canEditTree(*f.cd));
    EXPECT_TRUE(browser.canEditTree(*f.catalog));
    EXPECT_FALSE(browser.canEditTree(*f.docs));

    // Its own name: no counter, nothing modified.
    EXPECT_FALSE(browser.treeEdited(*f.cd, "CD"));
    EXPECT_FALSE(f.disk(f.cd).changed && RecordAs<TCatalogRec>(f.catalog->record())->modified);
    EXPECT_FALSE(browser.treeEdited(*f.cd, ""));
    EXPECT_EQ(f.cd->text(), "CD");

    // A sibling's name gets a counter; the catalog is modified and the disks re-sorted.
    EXPECT_TRUE(browser.treeEdited(*f.cd, "floppy"));
    EXPECT_EQ(f.cd->text(), "floppy (2)");
    EXPECT_TRUE(RecordAs<TCatalogRec>(f.catalog->record())->modified);
    EXPECT_EQ(f.catalog->child(0), f.floppy);
    EXPECT_EQ(f.catalog->child(1), f.cd);

    // A disk row of the disk list.
    list.focused = static_cast<std::ptrdiff_t>(rowOf(f.floppy->record()));
    EXPECT_TRUE(browser.canEditRow());
    EXPECT_TRUE(browser.rowEdited("Zeta"));
    EXPECT_EQ(f.floppy->text(), "Zeta");

    browser.setSearchRunning([] { return true; });
    EXPECT_FALSE(browser.canEditTree(*f.cd));
    EXPECT_FALSE(browser.treeEdited(*f.cd, "Other"));
}

TEST_F(CatalogBrowserTest, HeaderClicksSortAndReverseKeepingTheUpRowFirst) {
    tree.select(f.docs);
    list.focused = static_cast<std::ptrdiff_t>(rowOf(f.a));
    list.selected = {rowOf(f.a)};
    browser.columnClick(2);  // size: a 100, zip 150, c 200
    EXPECT_EQ(rows(), ".. Sub a.txt b.zip c.txt");
    browser.columnClick(2);
    EXPECT_TRUE(browser.sortReverse());
    EXPECT_EQ(rows(), ".. c.txt b.zip a.txt Sub");
    // The selection follows its record.
    EXPECT_EQ(list.focused, static_cast<std::ptrdiff_t>(rowOf(f.a)));
    EXPECT_EQ(list.selected, (std::set<std::size_t>{rowOf(f.a)}));
    EXPECT_EQ(status.texts.back(), "Sorting 5 files, please wait...");

    browser.columnClick(0);
    EXPECT_EQ(rows(), ".. c.txt b.zip a.txt Sub");
    EXPECT_EQ(browser.sortColumn(), 0);
    // The disk list keeps its own column.
    tree.select(f.catalog);
    EXPECT_EQ(browser.sortColumn(), 0);
    browser.columnClick(1);
    EXPECT_EQ(rows(), "CD Floppy");  // reversed media codes: 10 before 2
}

TEST_F(CatalogBrowserTest, RemovedNodesLeaveNoPointersBehind) {
    // The disk list loses the row of a disk going away.
    tree.select(f.catalog);
    browser.nodeRemoving(*f.floppy);
    f.forest.remove(*f.floppy);
    EXPECT_EQ(rows(), "CD");
    EXPECT_EQ(list.rows, 1u);

    // The shown folder going away empties the list and forgets it, so a new
    // node at the same address is not taken for it.
    tree.select(f.docs);
    tree.current = f.cd;
    browser.nodeRemoving(*f.docs);
    f.forest.remove(*f.docs);
    EXPECT_EQ(browser.shownNode(), nullptr);
    EXPECT_TRUE(browser.items().empty());
    EXPECT_EQ(list.rows, 0u);
    browser.fillItemList(f.cd);
    EXPECT_EQ(rows(), "root.bin");
}

TEST_F(CatalogBrowserTest, RecordChangesRepaintOnlyTheViewsShowingThem) {
    tree.select(f.docs);
    const int before = list.repaints;
    browser.refreshRecordViews(f.a);            // a row of the list
    browser.refreshRecordViews(f.sub->record());
    EXPECT_EQ(list.repaints, before + 2);
    browser.refreshRecordViews(f.rootFile);     // in the disk's root: not shown
    browser.refreshRecordViews(f.inner);        // inside the archive folder
    EXPECT_EQ(list.repaints, before + 2);
    browser.refreshRecordViews(nullptr);
    EXPECT_EQ(tree.repaints, 1);
}

TEST_F(CatalogBrowserTest, TypeAheadAndTotals) {
    tree.select(f.docs);
    EXPECT_EQ(browser.findNext("C", 0), static_cast<std::ptrdiff_t>(rowOf(f.c)));
    EXPECT_EQ(browser.findNext("s", 4), static_cast<std::ptrdiff_t>(rowOf(f.sub->record())));  // wraps
    EXPECT_EQ(browser.findNext("x", 0), -1);
    EXPECT_EQ(browser.totalsText(false), "Total: 4 items, 450 B");
    list.selected = {rowOf(f.a)};
    EXPECT_EQ(browser.totalsText(true), "Selected: 1 item, 100 B");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(CatalogBrowserTest, SortControlsAndTheArchiveSettingResortAndTellTheCommands) {
    std::vector<int> told;
    browser.onCommandsChanged = [&](std::uint8_t groups) { told.push_back(groups); };
    tree.select(f.docs);
    EXPECT_EQ(told, std::vector<int>{7});

    // A sort button of the column in force does nothing; another one sorts.
    EXPECT_FALSE(browser.sortBy(0));
    EXPECT_TRUE(browser.sortBy(2));
    EXPECT_EQ(browser.sortColumn(), 2);
    EXPECT_EQ(rows(), ".. Sub a.txt b.zip c.txt");  // 100, the archive's 150, 200
    browser.columnClick(2);
    EXPECT_EQ(told, (std::vector<int>{7, 4}));
    EXPECT_EQ(rows(), ".. c.txt b.zip a.txt Sub");

    // Archives as folders: b.zip goes among the folders, after the plain ones.
    browser.setSortReverse(false);
    browser.setArchivesAsFiles(false);
    EXPECT_EQ(rows(), ".. Sub b.zip a.txt c.txt");
    EXPECT_EQ(status.texts.back(), "Sorting 5 files, please wait...");
    const std::size_t sorts = status.texts.size();
    browser.setArchivesAsFiles(false);
    EXPECT_EQ(status.texts.size(), sorts);
    browser.setArchivesAsFiles(true);
    EXPECT_EQ(rows(), ".. Sub a.txt b.zip c.txt");
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

TEST_F(CatalogBrowserTest, TreeReordersWaitForTheSearchToEnd) {
    bool searching = true;
    browser.setSearchRunning([&] { return searching; });
    tree.select(f.catalog);
    f.forest.setText(*f.cd, "Zip");
    // The worker may be walking the catalog's children: their order stays.
    browser.sortTreeChildren(f.catalog);
    EXPECT_EQ(f.catalog->child(0), f.cd);
    EXPECT_TRUE(browser.treeSortsDeferred());
    browser.runDeferredTreeSorts();
    EXPECT_EQ(f.catalog->child(0), f.cd);

    searching = false;
    browser.runDeferredTreeSorts();
    EXPECT_EQ(f.catalog->child(0), f.floppy);
    EXPECT_EQ(f.catalog->child(1), f.cd);
    EXPECT_FALSE(browser.treeSortsDeferred());

    // A node that goes while its reorder waits is forgotten with it.
    searching = true;
    browser.sortTreeChildren(f.catalog);
    EXPECT_TRUE(browser.treeSortsDeferred());
    tree.current = nullptr;
    browser.nodeRemoving(*f.catalog);
    f.forest.remove(*f.catalog);
    EXPECT_FALSE(browser.treeSortsDeferred());
    searching = false;
    browser.runDeferredTreeSorts();
}

TEST_F(CatalogBrowserTest, RenamedDiskRowMovesInTreeAndListAndOtherListsRepaint) {
    int renamed = 0;
    browser.onRenamed = [&] { ++renamed; };
    tree.select(f.catalog);
    EXPECT_EQ(rows(), "CD Floppy");
    list.focused = static_cast<std::ptrdiff_t>(rowOf(f.cd->record()));
    EXPECT_TRUE(browser.rowEdited("Zeta"));
    EXPECT_EQ(rows(), "Floppy Zeta");
    EXPECT_EQ(f.catalog->child(0), f.floppy);
    // The focus stays on the renamed disk.
    EXPECT_EQ(list.focused, static_cast<std::ptrdiff_t>(rowOf(f.cd->record())));
    EXPECT_EQ(renamed, 1);
    EXPECT_TRUE(browser.treeEdited(*f.floppy, "Alpha"));
    EXPECT_EQ(renamed, 2);
}

class CountingProgress : public SortProgress {
public:
    std::vector<std::size_t> begun;
    void begin(std::size_t total) override { begun.push_back(total); }
    void step(std::size_t) override {}
};

TEST_F(CatalogBrowserTest, ResortShowsProgressAndTellsTheWindowItRuns) {
    CountingProgress progress;
    std::vector<bool> sorting;
    browser.setSortProgress(&progress);
    browser.onSorting = [&](bool on) { sorting.push_back(on); };
    tree.select(f.docs);
    EXPECT_TRUE(browser.sortBy(2));
    EXPECT_EQ(progress.begun, std::vector<std::size_t>{5});
    EXPECT_EQ(sorting, (std::vector<bool>{true, false}));
}

}  // namespace
}  // namespace kv
