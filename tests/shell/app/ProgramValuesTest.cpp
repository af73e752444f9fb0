#include "shell/app/ProgramValues.h"

#include <gtest/gtest.h>

#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

TEST(ProgramValues, MarkerIsFoundOnlyAsOneByteAndCurrentOnlyAsTwo) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        bool write, found, current;
    } cases[] = {
        {{}, false, false, false},
        {{2}, true, true, true},
        {{1}, true, true, false},
        {{2, 0}, true, false, false},
        {{}, true, false, false},
    };
    for (const Case& c : cases) {
        MemorySectionStore store;
        if (c.write)
            store.WriteBinary("", "RevisionMarker", c.bytes);
        MarkerState s = ReadRevisionMarker(store);
        EXPECT_EQ(s.found, c.found) << c.bytes.size();
        EXPECT_EQ(s.current, c.current) << c.bytes.size();
    }
    // Text where bytes belong is no marker.
    MemorySectionStore text;
    text.WriteString("", "RevisionMarker", "2");
    EXPECT_FALSE(ReadRevisionMarker(text).found);
}

TEST(ProgramValues, WindowPosRoundTripsAndAMaximisedSizeIsStoredAsTheScreen) {
    MemorySectionStore store;
    EXPECT_FALSE(ReadWindowPos(store));
    WindowPos pos{{-4, -4, 1032, 806}, 250, 2, {3, 4, false}};
    WindowPos stored = WindowPosToStore(pos, 1032, 806);
    EXPECT_EQ(stored.bounds, (FormBounds{0, 0, 1024, 798}));
    EXPECT_EQ(stored.treeWidth, 250);
    ASSERT_TRUE(WriteWindowPos(store, stored));
    EXPECT_EQ(store.ReadBinary("", "WindowPos")->size(), 30u);
    EXPECT_EQ(ReadWindowPos(store), stored);

    // Any other size is left as it is.
    EXPECT_EQ(WindowPosToStore(pos, 1280, 1024).bounds, pos.bounds);
}

TEST(ProgramValues, TempRemovalModes) {
    EXPECT_EQ(TempRemovalMode(TempRemoval::Ask), 0);
    EXPECT_GT(TempRemovalMode(TempRemoval::Delete), 0);
    EXPECT_LT(TempRemovalMode(TempRemoval::Leave), 0);
}

}  // namespace
}  // namespace kv
