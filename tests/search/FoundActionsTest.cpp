#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "search/results/FoundActions.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

using A = FoundAction;

// Records of every kind the found list can hold: files, members of a supported
// and of an unknown archive, an archive folder, a folder and a disk.
struct Hits {
    test::ModelFixture model;
    ItemHead* file = nullptr;
    ItemHead* zipMember = nullptr;
    ItemHead* oddMember = nullptr;
    ItemHead* zipFolder = nullptr;
    ItemHead* folder = nullptr;
    ItemHead* disk = nullptr;

    Hits() {
        Node& zip = model.folder(*model.a, "pack.zip");
        Node& odd = model.folder(*model.a, "pack.xyz");
        for (Node* n : {&zip, &odd})
            n->record()->flags |= ItemFlags::Archive;
        zipMember = &test::AddFile(test::ModelFixture::folderRec(zip), "in.txt");
        oddMember = &test::AddFile(test::ModelFixture::folderRec(odd), "in.txt");
        zipMember->flags |= ItemFlags::Archive;
        oddMember->flags |= ItemFlags::Archive;
        file = &test::AddFile(test::ModelFixture::folderRec(*model.a), "plain.txt");
        zipFolder = zip.record();
        folder = model.b->record();
        disk = model.disk->record();
    }
};

bool zipOnly(std::string_view name) { return name.ends_with(".zip"); }

FoundActionStates StatesOf(std::vector<const ItemHead*> selected, bool running = false) {
    const ItemHead* focused = selected.empty() ? nullptr : selected.front();
    return EnableFoundActions({focused, selected, 10, running}, zipOnly);
}

TEST(FoundActionsTest, SelectionDecidesCopyExtractCategoryAndUserList) {
    Hits h;
    struct Case {
        const char* what;
        const ItemHead* rec;
        bool copyTo, extract, setCategory;
    };
    const Case cases[] = {
        {"file", h.file, true, false, true},
        {"member of a supported archive", h.zipMember, false, true, true},
        {"member of an unknown archive", h.oddMember, false, false, true},
        {"archive folder", h.zipFolder, true, true, true},
        {"folder", h.folder, true, false, true},
        {"disk", h.disk, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FoundActionStates s = StatesOf({c.rec});
        EXPECT_EQ(s[A::CopyTo], c.copyTo);
        EXPECT_EQ(s[A::Extract], c.extract);
        EXPECT_EQ(s[A::SetCategory], c.setCategory);
        EXPECT_TRUE(s[A::AddList]);
        EXPECT_TRUE(s[A::Remove]);
        for (A single : {A::Locate, A::EditDesc, A::Properties, A::Explorer, A::View, A::Launch})
            EXPECT_TRUE(s[single]);
    }
    // Any one record of the selection is enough.
    const FoundActionStates mixed = StatesOf({h.disk, h.oddMember, h.zipMember});
    EXPECT_TRUE(mixed[A::Extract]);
    EXPECT_TRUE(mixed[A::SetCategory]);
    EXPECT_FALSE(mixed[A::CopyTo]);

    // A record already in the user list is not added again.
    h.file->indexWord(ResultSlot::UserList) = 0;
    EXPECT_FALSE(StatesOf({h.file})[A::AddList]);
    EXPECT_TRUE(StatesOf({h.file, h.folder})[A::AddList]);
}

TEST(FoundActionsTest, NothingSelectedAndARunningSearch) {
    Hits h;
    FoundActionStates none = EnableFoundActions({nullptr, {}, 3, false}, zipOnly);
    for (A a : {A::Locate, A::EditDesc, A::Properties, A::Remove, A::AddList, A::CopyTo, A::Extract})
        EXPECT_FALSE(none[a]);
    EXPECT_TRUE(none[A::Clear]);
    EXPECT_TRUE(none[A::Report]);
    EXPECT_FALSE(EnableFoundActions({nullptr, {}, 0, false}, zipOnly)[A::Clear]);

    // A run allows the actions on hits but nothing that changes the list.
    const FoundActionStates running = StatesOf({h.file}, true);
    EXPECT_FALSE(running[A::Remove]);
    EXPECT_FALSE(running[A::Clear]);
    EXPECT_FALSE(running[A::Report]);
    EXPECT_TRUE(running[A::Locate]);
    EXPECT_TRUE(running[A::AddList]);
}

TEST(FoundActionsTest, DoubleClickAndDefaultPopupItemPerSetting) {
    Hits h;
    struct Case {
        int setting;
        const ItemHead* rec;
        A doubleClick, popupDefault;
    };
    const Case cases[] = {
        {1, h.file, A::Properties, A::Properties},      {1, h.disk, A::Properties, A::Properties},
        {2, h.folder, A::Explorer, A::Explorer},        {2, h.file, A::Explorer, A::Explorer},
        {3, h.file, A::Launch, A::Launch},              {3, h.folder, A::Explorer, A::Explorer},
        {3, h.zipFolder, A::Explorer, A::Explorer},     {3, h.disk, A::Explorer, A::Explorer},
        {4, h.file, A::View, A::None},                  {4, h.zipFolder, A::View, A::None},
        {4, h.folder, A::Properties, A::None},          {4, h.disk, A::Properties, A::None},
        {0, h.file, A::None, A::None},                  {5, h.file, A::None, A::None},
        {-1, h.file, A::None, A::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "setting " << c.setting << ", kind " << int(c.rec->kind()));
        EXPECT_EQ(DoubleClickAction(c.setting, *c.rec), c.doubleClick);
        EXPECT_EQ(DefaultPopupAction(c.setting, *c.rec), c.popupDefault);
    }
}

}  // namespace
}  // namespace kv
