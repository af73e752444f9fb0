#include "controls/menus/MruList.h"

#include <gtest/gtest.h>

#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

using Files = std::vector<std::string>;

MruList listOf(std::size_t maximum, const Files& newestLast) {
    MruList list(maximum);
    for (const std::string& f : newestLast)
        list.addFile(0, f);
    return list;
}

TEST(MruList, AddMovesListedNamesAndDropsTheOldest) {
    MruList list = listOf(4, {"a.ctf", "b.ctf", "c.ctf"});
    list.addFile(0, "A.CTF");
    EXPECT_EQ(list.files(), (Files{"a.ctf", "c.ctf", "b.ctf"}));

    list.addFile(0, "d.ctf");
    list.addFile(0, "e.ctf");
    EXPECT_EQ(list.files(), (Files{"e.ctf", "d.ctf", "a.ctf", "c.ctf"}));

    list.setMaximum(2);
    EXPECT_EQ(list.files(), (Files{"e.ctf", "d.ctf"}));
}

TEST(MruList, RemoveAndStaleItemNumbers) {
    MruList list = listOf(4, {"a", "b"});
    EXPECT_FALSE(list.removeFile("x"));
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(list.fileAt(1), "b");
    EXPECT_EQ(list.fileAt(2), "a");
    EXPECT_EQ(list.fileAt(0), std::nullopt);
    EXPECT_EQ(list.fileAt(3), std::nullopt);
    EXPECT_TRUE(list.removeFile("B"));
    EXPECT_EQ(list.files(), (Files{"a"}));
}

TEST(MruList, StoreRoundTripWritesExactlyTheEntries) {
    MemorySectionStore store;
    store.WriteString("MRUList", "F7", "old entry");
    MruList list = listOf(4, {"d", "c", "b", "a"});
    ASSERT_TRUE(list.save(store, "MRUList"));
    std::vector<SectionValue> values = store.ReadSectionValues("MRUList");
    EXPECT_EQ(values, (std::vector<SectionValue>{{"F0", "a"}, {"F1", "b"}, {"F2", "c"}, {"F3", "d"}}));

    MruList loaded(4);
    loaded.load(store, "MRUList");
    EXPECT_EQ(loaded.files(), list.files());
}

TEST(MruList, LoadReadsOnlyWhatSaveWrites) {
    MemorySectionStore store;
    // A foreign value, an empty one, a duplicate and entries beyond the maximum.
    store.WriteString("MRUList", "X", "foreign");
    for (int i = 49; i >= 0; --i)
        store.WriteString("MRUList", "F" + std::to_string(i), "file" + std::to_string(i));
    store.WriteString("MRUList", "F1", "");
    store.WriteString("MRUList", "F2", "FILE0");
    MruList list(4);
    list.load(store, "MRUList");
    EXPECT_EQ(list.files(), (Files{"file0", "file3"}));

    MruList none(4);
    none.load(store, "Missing");
    EXPECT_EQ(none.count(), 0u);
}

}  // namespace
}  // namespace kv
