#include "scan/categories/CategoryEdit.h"
#include "scan/categories/SetCategories.h"

#include <gtest/gtest.h>

#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

TFileRec& FirstFile(FileOwnerRecord& owner) { return *owner.files.first(); }

TEST(CategoryEdit, CodesNamesAndLimits) {
    TCatalogRec catalog;
    catalog.categories = {{"Tools", 1}, {"games", 2}, {"Docs", 3}};
    CategoryNames list = CategoryNames::Of(catalog);
    ASSERT_EQ(list.entries.size(), 3u);
    EXPECT_EQ(list.entries[0].name, "Docs");
    EXPECT_EQ(list.entries[1].name, "games");

    // A deleted code is the first one given out again.
    std::uint32_t deleted = 0;
    list.remove(static_cast<std::size_t>(list.indexOf("GAMES")), deleted);
    EXPECT_EQ(deleted, 1u << 2);
    EXPECT_TRUE(list.add("Music"));
    EXPECT_EQ(list.entries[static_cast<std::size_t>(list.indexOf("Music"))].code, 2 | kAddedCategory);
    // One name once, whatever its case; no empty names.
    EXPECT_FALSE(list.add("TOOLS"));
    EXPECT_FALSE(list.add(""));
    EXPECT_FALSE(list.rename(0, "music"));
    EXPECT_TRUE(list.rename(0, "Documents"));
    EXPECT_EQ(list.entries[static_cast<std::size_t>(list.indexOf("Documents"))].code, 3);

    for (int i = 0; list.entries.size() < kMaxCategories; ++i) ASSERT_TRUE(list.add("C" + std::to_string(i)));
    EXPECT_TRUE(list.full());
    EXPECT_EQ(list.freeCode(), 0);
    EXPECT_FALSE(list.add("One more"));
    TCatalogRec other;
    other.categories = {{"Another", 1}};
    const CategoryNames::CopyResult full = list.copyFrom(other);
    EXPECT_EQ(full.added, 0u);
    EXPECT_FALSE(full.allFitted);
}

TEST(CategoryEdit, CopyFromAddsOnlyMissingNames) {
    TCatalogRec target, source, empty;
    target.categories = {{"Tools", 5}};
    source.categories = {{"TOOLS", 1}, {"Games", 2}, {"Docs", 3}};
    CategoryNames list = CategoryNames::Of(target);
    const CategoryNames::CopyResult copied = list.copyFrom(source);
    EXPECT_EQ(copied.added, 2u);
    EXPECT_TRUE(copied.allFitted);
    EXPECT_EQ(list.entries.size(), 3u);
    // New codes as Add gives them: the lowest free ones.
    EXPECT_EQ(list.entries[static_cast<std::size_t>(list.indexOf("Games"))].code & ~kAddedCategory, 1);
    EXPECT_EQ(list.entries[static_cast<std::size_t>(list.indexOf("Docs"))].code & ~kAddedCategory, 2);
    EXPECT_TRUE(list.copyFrom(empty).sourceEmpty);
}

TEST(CategoryEdit, CancelRestoresEveryCatalog) {
    test::ModelFixture one, two;
    one.catalogRec().categories = {{"A", 1}};
    one.catalogRec().flagNames = {"Red", "", ""};
    two.catalogRec().modified = true;
    std::vector<CategoryEditRec> edits = {StartCategoryEdit(*one.catalog), StartCategoryEdit(*two.catalog)};
    for (CategoryEditRec& rec : edits) {
        CategoryNames list = CategoryNames::Of(rec.Catalog());
        list.add("New");
        CommitCategoryChanges(rec, list, {"X", "Y", "Z"}, {});
        EXPECT_TRUE(CategoryEditChanged(rec));
    }
    EXPECT_TRUE(one.catalogRec().modified);
    for (const CategoryEditRec& rec : edits) RestoreCategoryEdit(rec);
    EXPECT_EQ(one.catalogRec().categories, (std::vector<CategoryEntry>{{"A", 1}}));
    EXPECT_EQ(one.catalogRec().flagNames, (std::array<std::string, 3>{"Red", "", ""}));
    EXPECT_FALSE(one.catalogRec().modified);
    EXPECT_TRUE(two.catalogRec().categories.empty());
    EXPECT_TRUE(two.catalogRec().modified);
}

TEST(CategoryEdit, ApplyClearsDeletedCodesAndRemovedFlagsOnly) {
    EXPECT_EQ(ClearCategoryReferences(0x43, 1u << 3, {}), 0x40);
    EXPECT_EQ(ClearCategoryReferences(0xE3, 0, {false, true, false}), 0xA3);
    EXPECT_EQ(ClearCategoryReferences(0x05, 1u << 3, {true, true, true}), 0x05);

    test::ModelFixture f;
    f.catalogRec().categories = {{"Old", 1}, {"Kept", 2}};
    TFileRec& root = FirstFile(f.diskRec());
    TFileRec& a1 = FirstFile(f.folderRec(*f.a));
    root.stored.category = 0x61;  // Old, flags 1 and 2
    a1.stored.category = 0x42;    // Kept, flag 2
    f.folderRec(*f.c).stored.category = 0x41;
    f.diskRec().changed = false;
    f.catalogRec().modified = false;

    CategoryEditRec rec = StartCategoryEdit(*f.catalog);
    CategoryNames list = CategoryNames::Of(rec.Catalog());
    list.remove(static_cast<std::size_t>(list.indexOf("Old")), rec.DeletedCategories);
    list.add("Fresh");  // gets code 1 again
    CommitCategoryChanges(rec, list, {"One", "", ""}, {false, true, false});
    ApplyCategoryChanges(*f.catalog, rec);
    EXPECT_EQ(root.stored.category, 0x20);
    EXPECT_EQ(a1.stored.category, 0x02);
    EXPECT_EQ(f.folderRec(*f.c).stored.category, 0x00);
    EXPECT_TRUE(f.diskRec().changed);
    EXPECT_EQ(f.catalogRec().categories, (std::vector<CategoryEntry>{{"Fresh", 1}, {"Kept", 2}}));
}

// Catalog one defines Games (2) and flags Red, Blue; catalog two defines
// Games (7), Music (1) and the flag Blue in the third place.
struct TwoCatalogs {
    test::ModelFixture one, two;
    std::vector<ItemHead*> items;
    TwoCatalogs() {
        one.catalogRec().categories = {{"Games", 2}};
        one.catalogRec().flagNames = {"Red", "Blue", ""};
        two.catalogRec().categories = {{"Music", 1}, {"Games", 7}};
        two.catalogRec().flagNames = {"", "", "Blue"};
        items = {&FirstFile(one.folderRec(*one.a)), one.a->record(), &FirstFile(two.diskRec())};
    }
    std::uint8_t byteOf(std::size_t i) const {
        if (auto* f = RecordAs<TFileRec>(items[i])) return f->stored.category;
        return RecordAs<TFolderRec>(items[i])->stored.category;
    }
};

TEST(SetCategories, GathersNamesAcrossCatalogsAndSharedState) {
    TwoCatalogs t;
    RecordAs<TFileRec>(t.items[0])->stored.category = 0x42;  // Games, Blue
    RecordAs<TFolderRec>(t.items[1])->stored.category = 0x42;
    FirstFile(t.two.diskRec()).stored.category = 0x87;       // Games, Blue
    SetCatState state = GatherItemStates(t.items);
    ASSERT_EQ(state.categories.size(), 3u);
    EXPECT_EQ(state.categories[1].name, "Games");
    EXPECT_TRUE(state.categories[1].everywhere);
    EXPECT_EQ(state.categories[2].name, "Music");
    EXPECT_FALSE(state.categories[2].everywhere);
    EXPECT_EQ(state.commonCategory, 1);
    ASSERT_EQ(state.flags.size(), 2u);
    EXPECT_FALSE(state.flags[0].everywhere);  // Red
    EXPECT_TRUE(state.flags[1].everywhere);   // Blue
    EXPECT_EQ(state.flagChecks, (std::vector<FlagCheck>{FlagCheck::Unchecked, FlagCheck::Checked}));
    EXPECT_TRUE(state.anyMarked());

    // Items that differ: no common category, a flag set on some is grayed.
    RecordAs<TFolderRec>(t.items[1])->stored.category = 0x00;
    state = GatherItemStates(t.items);
    EXPECT_EQ(state.commonCategory, -2);
    EXPECT_EQ(state.flagChecks[1], FlagCheck::Grayed);
}

TEST(SetCategories, AppliesByNamePerCatalogAndLeavesGrayedFlags) {
    TwoCatalogs t;
    RecordAs<TFileRec>(t.items[0])->stored.category = 0x40;  // Blue
    RecordAs<TFolderRec>(t.items[1])->stored.category = 0x00;
    FirstFile(t.two.diskRec()).stored.category = 0x80;       // Blue
    t.one.diskRec().changed = false;
    SetCatState state = GatherItemStates(t.items);
    ASSERT_EQ(state.flagChecks[1], FlagCheck::Grayed);
    // Music: only catalog two knows it; Red checked, Blue left grayed.
    ApplyToItems(t.items, state, 2, {FlagCheck::Checked, FlagCheck::Grayed});
    EXPECT_EQ(t.byteOf(0), 0x60);
    EXPECT_EQ(t.byteOf(1), 0x20);
    EXPECT_EQ(t.byteOf(2), 0x81);
    EXPECT_TRUE(t.one.diskRec().changed);

    // Games maps to each catalog's own code; Blue to each catalog's own bit.
    ApplyToItems(t.items, state, 1, {FlagCheck::Unchecked, FlagCheck::Checked});
    EXPECT_EQ(t.byteOf(0), 0x42);
    EXPECT_EQ(t.byteOf(2), 0x87);
    // Nothing chosen for several items keeps the categories; the clear entry clears them.
    ApplyToItems(t.items, state, -1, {FlagCheck::Grayed, FlagCheck::Grayed});
    EXPECT_EQ(t.byteOf(2), 0x87);
    ApplyToItems(t.items, state, 0, {FlagCheck::Grayed, FlagCheck::Grayed});
    EXPECT_EQ(t.byteOf(2), 0x80);

    // One item with nothing checked loses its category; a disk has none to set.
    std::vector<ItemHead*> single = {t.items[0]};
    ApplyToItems(single, GatherItemStates(single), -1, {FlagCheck::Grayed, FlagCheck::Grayed});
    EXPECT_EQ(t.byteOf(0), 0x40);
    std::vector<ItemHead*> disk = {t.one.disk->record()};
    ApplyToItems(disk, GatherItemStates(disk), 1, {FlagCheck::Checked, FlagCheck::Checked});
}

}  // namespace
}  // namespace kv
