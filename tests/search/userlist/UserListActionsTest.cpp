#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "search/userlist/UserListActions.h"
#include "tests/search/ItemKindRecords.h"

namespace kv {
namespace {

using A = FoundAction;

using Rows = test::ItemKindRecords;
constexpr auto zipOnly = test::ZipOnly;

FoundActionStates StatesOf(std::vector<const ItemHead*> selected) {
    const ItemHead* focused = selected.empty() ? nullptr : selected.front();
    return EnableUserListActions({focused, selected, 10, false}, zipOnly);
}

TEST(UserListActionsTest, FocusedKindDecidesExplorerLaunchAndView) {
    Rows r;
    struct Case {
        const char* what;
        const ItemHead* rec;
        bool explorer, launch, setCat, copyTo, extract;
    };
    const Case cases[] = {
        {"catalog", r.catalog, false, false, false, false, false},
        {"disk", r.disk, true, false, false, false, false},
        {"folder", r.folder, true, false, true, true, false},
        {"archive folder", r.zipFolder, true, true, true, true, true},
        {"file", r.file, true, true, true, true, false},
        // A member can be extracted but not opened in Explorer, so no category either.
        {"archive member", r.member, false, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FoundActionStates st = StatesOf({c.rec});
        for (A a : {A::Locate, A::EditDesc, A::Properties, A::Remove, A::Clear, A::Report})
            EXPECT_TRUE(st[a]);
        EXPECT_EQ(st[A::Explorer], c.explorer);
        EXPECT_EQ(st[A::Launch], c.launch);
        EXPECT_EQ(st[A::View], c.launch);
        EXPECT_EQ(st[A::SetCategory], c.setCat);
        EXPECT_EQ(st[A::CopyTo], c.copyTo);
        EXPECT_EQ(st[A::Extract], c.extract);
        EXPECT_FALSE(st[A::AddList]);
    }
}

TEST(UserListActionsTest, SelectionBeyondTheFocusedRowCounts) {
    Rows r;
    // Focused on a disk, a file selected too: its category and copy follow the file.
    FoundActionStates st = StatesOf({r.disk, r.file});
    EXPECT_TRUE(st[A::SetCategory]);
    EXPECT_TRUE(st[A::CopyTo]);
    EXPECT_FALSE(st[A::Launch]);
}

TEST(UserListActionsTest, CompressedDiskNamedLikeAnArchiveExtractsNothing) {
    Rows r;
    r.model.forest.setText(*r.model.disk, "backup.zip");
    r.disk->flags |= ItemFlags::Archive;
    EXPECT_FALSE(StatesOf({r.disk})[A::Extract]);
}

TEST(UserListActionsTest, NoRowsNoActions) {
    const FoundActionStates none = EnableUserListActions({nullptr, {}, 0, false}, zipOnly);
    for (bool on : none.enabled)
        EXPECT_FALSE(on);
    // Rows but nothing selected: only Clear and Report.
    const FoundActionStates rows = EnableUserListActions({nullptr, {}, 3, false}, zipOnly);
    EXPECT_TRUE(rows[A::Clear]);
    EXPECT_TRUE(rows[A::Report]);
    EXPECT_FALSE(rows[A::Remove]);
    EXPECT_FALSE(rows[A::Locate]);
}

}  // namespace
}  // namespace kv
