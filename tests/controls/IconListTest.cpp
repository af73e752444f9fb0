#include "controls/IconList.h"

#include <gtest/gtest.h>

#include <vector>

#include "resources/ResourceIds.h"
#include "system/drives/MediaTypes.h"
#include "ui/SharedImages.h"

namespace kv {
namespace {

// This test program carries the program's icon resources.
HINSTANCE self() { return GetModuleHandleA(nullptr); }

TEST(IconList, ItemKindsTakeTheirPlacesInBothLists) {
    SharedObjectsScope shared;
    TIconList list(SmallImages(), LargeImages(), self());
    const ItemIcons& i = list.icons();
    EXPECT_EQ(SmallImages().count(), 23);
    EXPECT_EQ(LargeImages().count(), 23);
    EXPECT_EQ(i.unknownFile, 0);
    EXPECT_EQ(i.application, 1);
    EXPECT_EQ(i.ramDisk, 11);
    EXPECT_EQ(i.catalog, 12);
    EXPECT_EQ(i.virtualDisk, 20);
    EXPECT_EQ(i.sortDown, 22);
    EXPECT_EQ(list.GetDriveIcon(MediaType::Zip100, 0), i.zipDrive);
    EXPECT_EQ(list.GetDriveIcon(MediaType::Floppy35HD, 0x80), i.virtualDisk);
}

TEST(IconList, ExtensionsAreLookedUpOnce) {
    SharedObjectsScope shared;
    TIconList list(SmallImages(), LargeImages(), self());
    const ItemIcons& i = list.icons();
    EXPECT_EQ(list.AddIcon("C:\\DISK\\SETUP.EXE"), i.setup);
    EXPECT_EQ(list.AddIcon("game.exe"), i.application);
    EXPECT_EQ(list.AddIcon("unheard.zzqx"), i.unknownFile);
    EXPECT_EQ(list.TypeName("ZZQX"), "(unknown)");
    EXPECT_EQ(SmallImages().count(), 23);

    // Help files: a file type with a DefaultIcon in every Wine and Windows.
    const int chm = list.AddIcon("manual.chm");
    EXPECT_EQ(chm, 23);
    EXPECT_EQ(SmallImages().count(), 24);
    EXPECT_EQ(LargeImages().count(), 24);
    EXPECT_EQ(list.AddIcon("OTHER.CHM"), chm);
    EXPECT_EQ(SmallImages().count(), 24);
    EXPECT_EQ(list.FindExt("Chm"), chm);
    EXPECT_NE(list.TypeName("chm"), "(unknown)");
}

TEST(IconList, CheckImagesAndCleanUpOrder) {
    std::vector<int> order;
    {
        SharedObjectsScope shared;
        EXPECT_EQ(CheckImages().count(), 4);
        EXPECT_EQ(CheckImages().size(), 16);
        // Exit work runs before the scope ends, while the shared objects exist.
        order.push_back(CheckImages().count());
    }
    EXPECT_EQ(order, std::vector<int>{4});
    EXPECT_THROW(SmallImages(), std::logic_error);
}

BOOL CALLBACK collectIconGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    reinterpret_cast<std::vector<std::uintptr_t>*>(out)->push_back(reinterpret_cast<std::uintptr_t>(name));
    return TRUE;
}

TEST(IconList, TheFileTypeIconIsTheThirdGroup) {
    std::vector<std::uintptr_t> groups;
    EnumResourceNamesA(self(), reinterpret_cast<LPCSTR>(RT_GROUP_ICON), collectIconGroup,
                       reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_GE(groups.size(), 3u);
    for (std::uintptr_t g : groups)
        EXPECT_TRUE(IS_INTRESOURCE(g)) << "a named icon group would be counted first";
    EXPECT_EQ(groups[0], std::uintptr_t{IDI_MAINICON});
    EXPECT_EQ(groups[2], std::uintptr_t{IDI_CATALOGFILE});

    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    HICON small = nullptr, large = nullptr;
    ASSERT_TRUE(ExtractIconPair(path, 2, small, large));
    DestroyIcon(small);
    DestroyIcon(large);
}

}  // namespace
}  // namespace kv
