#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "search/compare/CompareView.h"
#include "tests/search/ItemKindRecords.h"

namespace kv {
namespace {

using A = FoundAction;

TEST(CompareViewTest, CategoryTextsAndWrappingSteps) {
    EXPECT_EQ(CategoryComboText(CategoryRow(false, 1), 1), "Files that did not change since last cataloguing (1 file)");
    EXPECT_EQ(CategoryComboText(CategoryRow(true, 0), 3), "Files not found in selected catalog (3 files)");
    EXPECT_EQ(CategoryTabText(CategoryRow(true, 2), 0), "  Found, but changed (0)  ");
    EXPECT_EQ(StepCategory(3, 3, 1), 0);
    EXPECT_EQ(StepCategory(0, 3, -1), 3);
    EXPECT_EQ(StepCategory(0, 2, -1), 2);
    EXPECT_EQ(StepCategory(1, 2, 1), 2);
}

TEST(CompareViewTest, MediaEntriesShowNoDiskAndSortBySizeAndDate) {
    CompareResults r;
    r.FolderPaths = {"T:\\docs\\"};
    r.NewEntries = {{0x20, 0x5A2B6000, 300, -1, 0, "b.TXT"}, {0x20, 0x4A2B6000, 20, -1, 0, "a.doc"},
                    {0x20, 0x6A2B6000, 1000, -1, 0, "C"}};
    const MediaCellFormats plain;
    EXPECT_EQ(MediaEntryCell(r, r.NewEntries[0], kCompareMedia, plain), "(none)");
    EXPECT_EQ(MediaEntryCell(r, r.NewEntries[0], kCompareExt, plain), "TXT");
    EXPECT_EQ(MediaEntryCell(r, r.NewEntries[2], kCompareExt, plain), "");
    EXPECT_EQ(MediaEntryCell(r, r.NewEntries[0], kCompareFolder, plain), "T:\\docs\\");
    EXPECT_EQ(MediaEntryCell(r, r.NewEntries[0], kCompareDescription, plain), "");
    TMediaFileEntry undated = r.NewEntries[0];
    undated.Time = 0;
    EXPECT_EQ(MediaEntryCell(r, undated, kCompareDate, plain), "");

    auto names = [&] {
        std::string s;
        for (const TMediaFileEntry& e : r.NewEntries)
            s += e.Name + " ";
        return s;
    };
    SortMediaEntries(r.NewEntries, r, kCompareSize, false);
    EXPECT_EQ(names(), "a.doc b.TXT C ");
    // The date column clicked again: newest first.
    SortMediaEntries(r.NewEntries, r, kCompareDate, true);
    EXPECT_EQ(names(), "C b.TXT a.doc ");
    SortMediaEntries(r.NewEntries, r, kCompareName, false);
    EXPECT_EQ(names(), "a.doc b.TXT C ");
}

using Records = test::ItemKindRecords;
constexpr auto zipOnly = test::ZipOnly;

FoundActionStates StatesOf(int category, const ItemHead* rec, bool checkMode = false) {
    std::vector<const ItemHead*> selected{rec};
    return EnableCompareActions(category, checkMode, {rec, selected, 5, false}, zipOnly);
}

TEST(CompareViewTest, ActionsFollowTheCategoryAndTheFocusedKind) {
    Records r;
    // New files have no records: nothing at all.
    for (bool on : EnableCompareActions(kCategoryNew, false, {nullptr, {}, 5, false}, zipOnly).enabled)
        EXPECT_FALSE(on);
    struct Case {
        const char* what;
        int category;
        bool checkMode;
        const ItemHead* rec;
        bool explorer, launch, view, copy, extract;
    };
    const Case cases[] = {
        {"same file", kCategorySame, false, r.file, true, true, true, true, false},
        {"deleted file", kCategoryDeleted, false, r.file, false, true, false, false, false},
        {"changed archive", kCategoryChanged, false, r.zipFolder, true, true, true, true, true},
        {"deleted archive", kCategoryDeleted, false, r.zipFolder, false, true, false, false, false},
        {"folder", kCategorySame, false, r.folder, true, false, false, true, false},
        {"found member", kCategorySame, true, r.member, false, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FoundActionStates st = StatesOf(c.category, c.rec, c.checkMode);
        EXPECT_TRUE(st[A::Locate]);
        EXPECT_TRUE(st[A::Properties]);
        EXPECT_TRUE(st[A::AddList]);
        EXPECT_TRUE(st[A::SetCategory]);
        EXPECT_EQ(st[A::Explorer], c.explorer);
        EXPECT_EQ(st[A::Launch], c.launch);
        EXPECT_EQ(st[A::View], c.view);
        EXPECT_EQ(st[A::CopyTo], c.copy);
        EXPECT_EQ(st[A::Extract], c.extract);
        EXPECT_FALSE(st[A::Remove]);
    }
    // A record in the user list already is not added again.
    r.file->indexWord(ResultSlot::UserList) = 0;
    EXPECT_FALSE(StatesOf(kCategorySame, r.file)[A::AddList]);
    r.file->indexWord(ResultSlot::UserList) = kNotListed;
}

}  // namespace
}  // namespace kv
