#include <gtest/gtest.h>

#include "scan/DescSources.h"
#include "shell/commands/ScanDefaults.h"

namespace kv {
namespace {

// Each description source is switched by its own setting and read in the user's order.
TEST(ScanDefaults, DescriptionSourcesFollowTheirOwnSwitchesAndTheUsersOrder) {
    Settings s;
    s.descEnabled = {false, true, true, false};  // by source code: DIZ, BBS, DESCRIPT.ION, comment
    s.descOrder = {DescSource::ArchiveComment, DescSource::DescriptIon, DescSource::FileIdDiz, DescSource::FilesBbs};
    s.truncateDesc = true;
    s.truncateLines = 5;
    s.keepCurrentDesc = false;
    s.browseArchives = false;
    const ScanOptions o = ScanDefaults(s);
    EXPECT_FALSE(o.importDiz);
    EXPECT_TRUE(o.importBbs);
    EXPECT_TRUE(o.import4Dos);
    EXPECT_FALSE(o.importComment);
    ASSERT_EQ(o.descOrder.size(), 4u);
    EXPECT_EQ(DescSourceOfItem(o.descOrder[0]), DescSourceCode::ArchiveComment);
    EXPECT_EQ(DescSourceOfItem(o.descOrder[1]), DescSourceCode::DescriptIon);
    EXPECT_EQ(DescSourceOfItem(o.descOrder[2]), DescSourceCode::FileIdDiz);
    EXPECT_EQ(DescSourceOfItem(o.descOrder[3]), DescSourceCode::FilesBbs);
    EXPECT_EQ(o.descTruncLines, 5u);
    EXPECT_FALSE(o.carryOver);
    EXPECT_FALSE(o.browseArchives);

    s.truncateDesc = false;
    EXPECT_EQ(ScanDefaults(s).descTruncLines, 0u);
}

// Saved defaults are what the next dialog starts from; what the dialog does not show stays.
TEST(ScanDefaults, SavedBoxesAreTheNextDialogsDefaults) {
    Settings s;
    s.truncateDesc = true;
    s.truncateLines = 7;
    ScanOptions boxes = ScanDefaults(s);
    boxes.importDiz = false;
    boxes.importBbs = true;
    boxes.import4Dos = true;
    boxes.importComment = false;
    boxes.carryOver = !boxes.carryOver;
    boxes.browseArchives = false;
    boxes.archiveDescOnly = true;
    boxes.archiveQuickScan = true;
    SaveScanDefaults(s, boxes, true);
    const ScanOptions next = ScanDefaults(s);
    EXPECT_FALSE(next.importDiz);
    EXPECT_TRUE(next.importBbs);
    EXPECT_TRUE(next.import4Dos);
    EXPECT_FALSE(next.importComment);
    EXPECT_EQ(next.carryOver, boxes.carryOver);
    EXPECT_FALSE(next.browseArchives);
    EXPECT_TRUE(next.archiveDescOnly);
    EXPECT_TRUE(next.archiveQuickScan);
    EXPECT_TRUE(s.ejectAfterScan);
    EXPECT_EQ(next.descTruncLines, 7u);
    EXPECT_EQ(next.descOrder, boxes.descOrder);
}

}  // namespace
}  // namespace kv
