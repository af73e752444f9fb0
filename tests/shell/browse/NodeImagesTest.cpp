#include <gtest/gtest.h>

#include "BrowseFixture.h"
#include "shell/browse/NodeImages.h"

namespace kv {
namespace {

ItemIcons NumberedIcons() {
    ItemIcons icons;
    icons.catalog = 1;
    icons.closedFolder = 2;
    icons.openFolder = 3;
    icons.archiveFolder = 4;
    icons.archiveOpenFolder = 5;
    icons.cdRom = 6;
    icons.floppy35 = 7;
    icons.virtualDisk = 8;
    icons.back = 9;
    return icons;
}

TEST(NodeImagesTest, EveryNodeKindGetsItsPictures) {
    test::BrowseFixture f;
    const ItemIcons icons = NumberedIcons();
    f.disk(f.floppy).flags |= ItemFlags::VirtualDisk;
    AssignNodeImages(f.forest, *f.catalog, icons);
    const struct {
        Node* node;
        int image, selected;
    } cases[] = {{f.catalog, 1, 1}, {f.cd, 6, 6}, {f.floppy, 8, 8}, {f.docs, 2, 3}, {f.sub, 2, 3}, {f.zip, 4, 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.node->image(), c.image) << c.node->text();
        EXPECT_EQ(c.node->selectedImage(), c.selected) << c.node->text();
    }
}

TEST(NodeImagesTest, RowImagesLookFileIconsUpOnce) {
    test::BrowseFixture f;
    const ItemIcons icons = NumberedIcons();
    int lookups = 0;
    auto fileIcon = [&](std::string_view name) {
        ++lookups;
        return name == "a.txt" ? 20 : 21;
    };
    EXPECT_EQ(RowImage(f.a, icons, f.upRec(), fileIcon), 20);
    EXPECT_EQ(RowImage(f.a, icons, f.upRec(), fileIcon), 20);
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(RowImage(f.upRec(), icons, f.upRec(), fileIcon), 9);
    EXPECT_EQ(RowImage(f.docs->record(), icons, f.upRec(), fileIcon), 2);
    EXPECT_EQ(RowImage(f.cd->record(), icons, f.upRec(), fileIcon), 6);
    EXPECT_EQ(RowImage(f.catalog->record(), icons, f.upRec(), fileIcon), 1);
    EXPECT_EQ(RowImage(nullptr, icons, f.upRec(), fileIcon), -1);
}

}  // namespace
}  // namespace kv
