#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ReportFixture.h"
#include "base/Errors.h"
#include "search/reports/CustomLayout.h"

namespace kv::test {
namespace {

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        ModelOf(forest_, HomeCatalog());
        ModelOf(forest_, WorkCatalog());
        tree_.BuildReportTree(forest_);
    }

    CustomTreeNode& Home() { return *tree_.roots()[0]; }
    CustomTreeNode& Disk(int catalog, int disk) { return *tree_.roots()[catalog]->children[disk]; }
    CustomTreeNode& Child(CustomTreeNode& n, int i) {
        tree_.MakeChildren(n);
        return *n.children[i];
    }

    // "text:state" of every visible node, indented by level.
    static std::string Shape(const CustomTree& tree) {
        std::string out;
        for (const CustomTreeNode* n : tree.VisibleNodes())
            out += std::string(n->level(), ' ') + n->source->text() + ':' + std::to_string(n->StateIndex) + '\n';
        return out;
    }

    Forest forest_;
    CustomTree tree_{CatalogLoaders{}};
};

TEST_F(Layout, SavedLayoutLoadsBackTheSameTree) {
    CustomTreeNode& cd = Disk(0, 0);
    tree_.Expand(cd);
    CustomTreeNode& photos = Child(cd, 0);
    tree_.Expand(photos);
    tree_.Toggle(Child(photos, 0));  // Raw: excluded
    tree_.Toggle(cd);
    const std::string text = SaveLayoutText(tree_);
    EXPECT_EQ(text.substr(0, text.find("1,2,1234567")),
              "0,-1,Home,\r\n1,1,-1794318694,2048,312000,CD-ROM 17\r\n2,2,Photos, 2004\r\n3,1,Raw\r\n2,-1,Setup\r\n"
              "2,2,tools.zip\r\n1,2,-1794318694,2048,312000,CD-ROM 17 copy\r\n0,-1,Work,\r\n");
    const std::string before = Shape(tree_);

    CustomTree fresh{CatalogLoaders{}};
    fresh.BuildReportTree(forest_);
    const LayoutLoadResult r = ApplyLayoutText(fresh, text);
    EXPECT_FALSE(r.notFound);
    EXPECT_EQ(Shape(fresh), before);
}

// Each layout applied to a fresh tree: whether something was missing and the
// states of the nodes it reached.
TEST_F(Layout, DamagedAndUnusualLayoutsApplyWhatTheyCan) {
    struct Case {
        const char* name;
        std::string text;
        bool notFound;
        std::string shape;
    };
    const std::string cd = "1,1,-1794318694,2048,312000,CD-ROM 17";
    const std::string home = "Home:-1\n CD-ROM 17:";
    const std::string rest = "Work:-1\n CD-ROM 17:2\n";
    const Case cases[] = {
        // The unsigned form of the serial finds the same disk; LF-only ends and a blank last line.
        {"unsigned serial, LF", "1,1,2500648602,2048,312000,CD-ROM 17\n2,1,Setup\n\n", false,
         home + "1\n  Photos, 2004:2\n  Setup:-1\n  tools.zip:2\n CD-ROM 17 copy:2\n" + rest},
        // Another name: found by its numbers; the disk that has the name wins in its catalog.
        {"numbers only", "1,1,-1794318694,2048,312000,Renamed\r\n", false,
         home + "2\n CD-ROM 17 copy:1\n" + rest},
        {"name preferred", "1,1,-1794318694,2048,312000,cd-rom 17 COPY\r\n", false,
         home + "2\n CD-ROM 17 copy:1\n" + rest},
        // A missing first folder skips only its own subtree, not its siblings.
        {"missing folder", cd + "\r\n2,1,Gone\r\n3,1,Deeper\r\n2,1,Photos, 2004\r\n", true,
         home + "1\n  Photos, 2004:1\n  Setup:-1\n  tools.zip:2\n CD-ROM 17 copy:2\n" + rest},
        // A missing disk skips to the next disk line.
        {"missing disk", "1,2,5,512,9,Nowhere\r\n2,1,Photos, 2004\r\n" + cd + "\r\n", true,
         home + "1\n CD-ROM 17 copy:2\n" + rest},
        // Folder lines with no disk above, and a jump of two levels, are skipped.
        {"folder first, level jump", "2,1,Photos, 2004\r\n" + cd + "\r\n3,1,Raw\r\n2,1,Photos, 2004\r\n", true,
         home + "1\n  Photos, 2004:1\n  Setup:-1\n  tools.zip:2\n CD-ROM 17 copy:2\n" + rest},
        // States: -1 and unknown values read as excluded; a node without a box keeps none.
        {"states", "1,-1,-1794318694,2048,312000,CD-ROM 17\r\n2,7,Photos, 2004\r\n2,2,Setup\r\n", false,
         home + "1\n  Photos, 2004:1\n  Setup:-1\n  tools.zip:2\n CD-ROM 17 copy:2\n" + rest},
        // An unparsable line ends the load, keeping what was applied.
        {"garbage", cd + "\r\nx,1,Photos\r\n1,1,1234567,512,2847,CD-ROM 17\r\n", false,
         home + "1\n CD-ROM 17 copy:2\n" + rest},
        {"hex and blanks", "1,1,0x10,512,2847,CD\r\n1, 1,1234567,512,2847,CD\r\n", false,
         home + "2\n CD-ROM 17 copy:2\n" + rest},
        {"line too long", "2,1," + std::string(kMaxLayoutLine, 'a') + "\r\n", false,
         home + "2\n CD-ROM 17 copy:2\n" + rest},
    };
    for (const Case& c : cases) {
        CustomTree tree{CatalogLoaders{}};
        tree.BuildReportTree(forest_);
        const LayoutLoadResult r = ApplyLayoutText(tree, c.text);
        EXPECT_EQ(r.notFound, c.notFound) << c.name;
        EXPECT_EQ(Shape(tree), c.shape) << c.name;
    }
}

TEST_F(Layout, ReadLayoutLineKeepsCommasInNames) {
    const auto disk = ReadLayoutLine("1,2,-1,4294967295,-2,A, B, C");
    ASSERT_TRUE(disk);
    EXPECT_EQ(disk->serial, 0xFFFFFFFFu);
    EXPECT_EQ(disk->bytesPerCluster, 0xFFFFFFFFu);
    EXPECT_EQ(disk->totalClusters, 0xFFFFFFFEu);
    EXPECT_EQ(disk->name, "A, B, C");
    EXPECT_EQ(ReadLayoutLine("3,1,x,y")->name, "x,y");
    EXPECT_FALSE(ReadLayoutLine("1,2,3,4,name"));
    EXPECT_FALSE(ReadLayoutLine("0,1"));
    EXPECT_TRUE(ReadLayoutLine("0,1,"));
}

TEST_F(Layout, CollectingTakesVisibleNodesAndTheFilesOfTickedOnes) {
    // A collapsed ticked disk: the disk, its root archive and its root files.
    CustomTreeNode& cd = Disk(0, 0);
    tree_.Toggle(Disk(0, 1));  // the copy: excluded
    tree_.Toggle(Disk(1, 0));
    std::vector<std::string> names;
    for (const ItemHead* item : tree_.CollectCustomReportItems()) {
        if (const auto* f = RecordAs<TFileRec>(item))
            names.emplace_back(f->name());
        else
            names.push_back(item->node->text());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"CD-ROM 17", "tools.zip", "readme.txt", "CD-ROM 17 copy", "CD-ROM 17"}));

    // Expanded: the children add themselves; unticked folders still are rows.
    tree_.Expand(cd);
    Child(cd, 0).StateIndex = kFilesExcluded;
    names.clear();
    for (const ItemHead* item : tree_.CollectCustomReportItems(&cd))
        names.push_back(RecordAs<TFileRec>(item) ? std::string(RecordAs<TFileRec>(item)->name()) : item->node->text());
    EXPECT_EQ(names, (std::vector<std::string>{"CD-ROM 17", "readme.txt", "Photos, 2004", "Setup", "tools.zip", "tool.exe"}));

    // A step between nodes may cancel the collection.
    int steps = 0;
    const auto cancelSecond = [&] {
        if (++steps == 2)
            throw EAbort();
    };
    EXPECT_THROW(tree_.CollectCustomReportItems(nullptr, cancelSecond), EAbort);
    EXPECT_EQ(steps, 2);
}

TEST_F(Layout, MacrosReachTheirDepthAndMakeChildrenOnce) {
    int loads = 0;
    CustomTree tree{CatalogLoaders{[&](Node*) { ++loads; }, {}}};
    tree.BuildReportTree(forest_);
    CustomTreeNode& cd = *tree.roots()[0]->children[0];
    tree.SetFilesState(cd, true, 2);
    tree.MakeChildren(cd);
    CustomTreeNode& photos = *cd.children[0];
    EXPECT_EQ(cd.StateIndex, kFilesIncluded);
    EXPECT_EQ(cd.children[1]->StateIndex, kFilesIncluded);  // Setup had no box
    EXPECT_EQ(photos.children[0]->StateIndex, kFilesIncluded);  // Raw, level 2
    EXPECT_FALSE(cd.expanded);
    tree.ExpandLevels(cd, kAllLevels);
    const int after = loads;
    tree.CollapseAll(cd);
    tree.ExpandLevels(cd, kAllLevels);
    EXPECT_EQ(loads, after) << "children are made once";
    EXPECT_TRUE(photos.expanded);
    EXPECT_TRUE(photos.children[0]->expanded);
}

}  // namespace
}  // namespace kv::test
