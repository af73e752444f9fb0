#include <gtest/gtest.h>

#include "BrowseFixture.h"
#include "shell/browse/NodeImages.h"

namespace kv {
namespace {

TEST(NodeImagesTest, EveryNodeKindGetsItsPictures) {
    test::BrowseFixture f;
    ItemIcons icons;
    icons.catalog = 1;
    icons.closedFolder = 2;
    icons.openFolder = 3;
    icons.archiveFolder = 4;
    icons.archiveOpenFolder = 5;
    icons.cdRom = 6;
    icons.floppy35 = 7;
    icons.virtualDisk = 8;
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

}  // namespace
}  // namespace kv
