#include "shell/commands/StatusTexts.h"

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

TEST(StatusTexts, CatalogStateFollowsTheSelectedCatalog) {
    test::ModelFixture f;
    EXPECT_EQ(CatalogStateText(nullptr), "Empty");
    EXPECT_EQ(CatalogStateText(f.c), "Loaded");
    f.catalogRec().modified = true;
    EXPECT_EQ(CatalogStateText(f.c), "Modified");
    EXPECT_EQ(CatalogStateText(f.catalog), "Modified");
}

TEST(StatusTexts, PanelWidthsNeverGoNegative) {
    EXPECT_EQ(StatusPanelWidths(714), (std::array<int, 4>{75, 420, 180, 33}));
    EXPECT_EQ(StatusPanelWidths(100), (std::array<int, 4>{75, 0, 0, 33}));
    std::array<int, 4> w = StatusPanelWidths(714);
    EXPECT_EQ(StatusPanelAt(w, 0), 0);
    EXPECT_EQ(StatusPanelAt(w, 75), 1);
    EXPECT_EQ(StatusPanelAt(w, 494), 1);
    EXPECT_EQ(StatusPanelAt(w, 495), 2);
    EXPECT_EQ(StatusPanelAt(w, 800), -1);
}

struct SummaryFixture : test::ModelFixture {
    SummaryServices services;
    SummaryFixture() {
        services.shortDate = [](const DateTime&) { return std::string("1.1.1999"); };
    }
    std::string summary(Node& n) { return GetItemSummary(n.text(), n.record(), false, services); }
};

TEST(StatusTexts, FolderSummariesCountSubfoldersAndFiles) {
    SummaryFixture f;
    TFolderRec& a = f.folderRec(*f.a);
    a.stored.totalSize = FixedSize::fromBytes(2048);
    a.stored.fileCount = 2;
    Node& zip = f.folder(*f.a, "x.zip");
    zip.record()->flags |= ItemFlags::Archive;
    EXPECT_EQ(f.summary(*f.a), "A (folder), 2 kB in 1 subfolder, 3 files");

    TFolderRec& z = f.folderRec(zip);
    z.stored.totalSize = FixedSize::fromBytes(10);
    z.stored.fileCount = 1;
    f.folder(zip, "inner");
    f.folder(zip, "inner2");
    EXPECT_EQ(f.summary(zip), "x.zip (compressed archive file), 10 B includes 2 subfolders, 1 file");

    // An empty total gives no counts, and the load is not asked for.
    bool loaded = false;
    f.services.loadSubfolders = [&](Node&) { loaded = true; };
    EXPECT_EQ(f.summary(*f.a2), "A2 (folder), 0 B");
    EXPECT_FALSE(loaded);

    // Damage found while loading shows what is present.
    f.services.loadSubfolders = [](Node&) { throw EInvalidCatalog("bad"); };
    EXPECT_EQ(f.summary(*f.a), "A (folder), 2 kB in 1 subfolder, 3 files");
}

TEST(StatusTexts, FileDiskAndCatalogSummaries) {
    SummaryFixture f;
    TFileRec& file = *f.folderRec(*f.a).files.first();
    file.stored.size = 1500;
    file.stored.modified = (19u << 25) | (1u << 21) | (1u << 16);
    EXPECT_EQ(GetItemSummary("a1.txt", &file, false, f.services), "a1.txt, 1.46 kB, 1.1.1999");
    file.flags |= ItemFlags::Archive;
    EXPECT_EQ(GetItemSummary("a1.txt", &file, false, f.services), "a1.txt (compressed file), 1.46 kB, 1.1.1999");
    EXPECT_EQ(GetItemSummary("..", f.a->record(), true, f.services), "Previous folder...");
    EXPECT_EQ(GetItemSummary("x", nullptr, false, f.services), "");

    EXPECT_EQ(f.summary(*f.catalog), "Cat (no filename), total disks: 1");
    f.catalogRec().fileName = "C:\\cats\\Cat.ctf";
    EXPECT_EQ(f.summary(*f.catalog), "Cat (C:\\cats\\Cat.ctf), total disks: 1");
    EXPECT_EQ(f.summary(*f.disk).rfind("D (", 0), 0u);
    EXPECT_NE(f.summary(*f.disk).find(", free "), std::string::npos);
}

TEST(StatusTexts, HintTimingsAndTexts) {
    EXPECT_EQ(HintTimingsFor(false, {}), (HintTimings{800, 50, 2500}));
    EXPECT_EQ(HintTimingsFor(true, {3, 7, true}), (HintTimings{300, 201, 7000}));
    EXPECT_EQ(HintTimingsFor(true, {0, 7, false}), (HintTimings{0, 0, kNeverHide}));

    std::string twenty;
    for (int i = 1; i <= 20; ++i)
        twenty += "line " + std::to_string(i) + "\r\n";
    std::string hint = DescriptionHintText(twenty);
    EXPECT_TRUE(hint.ends_with("line 15\r\n(more...)"));
    EXPECT_EQ(hint.find("line 16"), std::string::npos);
    EXPECT_EQ(DescriptionHintText(std::string(100, 'x')), std::string(80, 'x') + "\r\n" + std::string(20, 'x'));

    EXPECT_EQ(HintWithShortcut("Open catalog", "ButtonOpen", true), "Open catalog (Ctrl+O)");
    EXPECT_EQ(HintWithShortcut("Open catalog", "ButtonOpen", false), "Open catalog");
    EXPECT_EQ(HintWithShortcut("Explorer", "ButtonExplorer", true), "Explorer");
    EXPECT_EQ(ButtonHelpContext("ButtonSort3"), 5022);
    EXPECT_EQ(ButtonHelpContext("SomethingElse"), 0);
    // The tool windows' buttons carry their shortcuts too.
    EXPECT_EQ(HintWithShortcut("Remove", "BtnDelete", true), "Remove (Del)");
    EXPECT_EQ(HintWithShortcut("Clear", "BtnClear", true), "Clear (Shift-Del)");
    EXPECT_EQ(HintWithShortcut("Properties", "BtnProperties", true), "Properties (Ctrl+P, Alt-Enter, F4)");
    EXPECT_EQ(HintWithShortcut("Stay on top", "BtnStayOnTop", true), "Stay on top (Ctrl-T)");
    EXPECT_EQ(HintWithShortcut("Report", "BtnReport", true), "Report (Ctrl+R)");
}

}  // namespace
}  // namespace kv
