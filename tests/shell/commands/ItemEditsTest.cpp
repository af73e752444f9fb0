#include "shell/commands/ItemEdits.h"

#include <gtest/gtest.h>

#include "tests/catalog/ModelFixture.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

struct Fixture : test::ModelFixture {
    ui::ScriptedPrompt prompt;
    Fixture() { forest.context().resultLists = nullptr; }
    TFileRec& a1() { return *folderRec(*a).files.first(); }
    TDiskRec& diskRecord() { return *RecordAs<TDiskRec>(disk->record()); }
    void clearMarks() {
        catalogRec().modified = false;
        diskRecord().changed = false;
    }
};

TEST(ItemEdits, DescriptionsAreTrimmedCutOnACharacterBoundaryAndEmptyMeansNone) {
    Fixture f;
    TFileRec& file = f.a1();
    EXPECT_TRUE(StoreDescription(file, "  first  \r\n second\r\n\r\n"));
    EXPECT_EQ(file.description.str(), "first\r\nsecond");
    EXPECT_FALSE(StoreDescription(file, "first\r\nsecond"));

    // 4095 bytes then CR LF: the cut leaves no lone CR.
    EXPECT_TRUE(StoreDescription(file, std::string(4095, 'x') + "\r\nmore"));
    EXPECT_EQ(file.description.str(), std::string(4095, 'x'));
    EXPECT_TRUE(StoreDescription(file, std::string(5000, 'y')));
    EXPECT_EQ(file.description.size(), 4096u);

    // A double-byte character across the limit stays whole.
    LeadBytes lead = LeadBytes::from([](std::uint8_t b) { return b == 0x81; });
    std::string text = std::string(4095, 'z') + "\x81\x40";
    EXPECT_TRUE(StoreDescription(file, text, lead));
    EXPECT_EQ(file.description.size(), 4095u);

    EXPECT_TRUE(StoreDescription(file, " \r\n "));
    EXPECT_TRUE(file.description.empty());
}

TEST(ItemEdits, CategoryBytes) {
    EXPECT_EQ(ComposeCategoryByte(5, {true, false, true}), 0xA5);
    EXPECT_EQ(ComposeCategoryByte(0, {false, true, false}), 0x40);
    EXPECT_EQ(ComposeCategoryByte(31, {false, false, false}), 0x1F);
}

TEST(ItemEdits, WriteBackMarksOnlyWhatChanged) {
    Fixture f;
    f.clearMarks();
    TFileRec& file = f.a1();
    EXPECT_FALSE(ApplyItemEdits(file, {file.stored.category, std::string("")}, false, f.prompt));
    EXPECT_FALSE(f.catalogRec().modified);

    EXPECT_TRUE(ApplyItemEdits(file, {std::nullopt, std::string("about a1")}, false, f.prompt));
    EXPECT_TRUE(HasFlag(f.folderRec(*f.a).flags, ItemFlags::HasDescriptions));
    EXPECT_TRUE(f.diskRecord().changed);
    EXPECT_TRUE(f.catalogRec().modified);

    f.clearMarks();
    EXPECT_TRUE(ApplyItemEdits(file, {std::nullopt, std::string()}, false, f.prompt));
    EXPECT_FALSE(HasFlag(f.folderRec(*f.a).flags, ItemFlags::HasDescriptions));

    f.clearMarks();
    EXPECT_TRUE(ApplyItemEdits(f.folderRec(*f.b), {std::uint8_t{0xA5}, std::nullopt}, false, f.prompt));
    EXPECT_EQ(f.folderRec(*f.b).stored.category, 0xA5);
    EXPECT_TRUE(f.diskRecord().changed);

    // A catalog's description marks the catalog, not a disk.
    f.clearMarks();
    EXPECT_TRUE(ApplyItemEdits(f.catalogRec(), {std::nullopt, std::string("my CDs")}, false, f.prompt));
    EXPECT_TRUE(f.catalogRec().modified);
    EXPECT_FALSE(f.diskRecord().changed);
    EXPECT_TRUE(f.prompt.asked.empty());
}

TEST(ItemEdits, NothingIsStoredWhileASearchRuns) {
    Fixture f;
    f.clearMarks();
    TFileRec& file = f.a1();
    EXPECT_FALSE(ApplyItemEdits(file, {std::uint8_t{3}, std::string("new")}, true, f.prompt));
    ASSERT_EQ(f.prompt.asked.size(), 1u);
    EXPECT_EQ(f.prompt.asked[0].caption, "Can't Update Data");
    EXPECT_TRUE(file.description.empty());
    EXPECT_EQ(file.stored.category, 0);
    EXPECT_FALSE(f.catalogRec().modified);
    // Nothing to change asks nothing either.
    EXPECT_FALSE(ApplyItemEdits(file, {std::nullopt, std::string()}, true, f.prompt));
    EXPECT_EQ(f.prompt.asked.size(), 1u);
}

}  // namespace
}  // namespace kv
