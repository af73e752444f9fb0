// Compare to Media and the file check over real folder trees catalogued by
// the scan engine, written and read back (so file lists load from the file),
// then changed as a user would change a medium.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "archive/ArchiveContext.h"
#include "archive/TempExtraction.h"
#include "catalog/model/ItemPath.h"
#include "scan/DiskScanner.h"
#include "search/compare/CompareEngine.h"
#include "tests/scan/HostPaths.h"
#include "tests/scan/ScanTree.h"
#include "tests/tools/CatalogCompare.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::PutFile;

class QuietUi final : public arc::IExtractionUi {
public:
    void ShowWait(const std::string&, const std::string&) override {}
    bool Progress(int) override { return false; }
    void CloseWait() override {}
    void ShowError(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
};

class QuietProgress final : public IScanProgress {
public:
    void PumpMessages() override {}
    void SetProgress(int) override {}
};

const fs::file_time_type kOld = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);

struct CompareFixture : ::testing::Test {
    test::ScratchFolder scratch;
    test::HostPathFileSystem files{scratch};
    std::unique_ptr<arc::ArchiveContext> archives = arc::ArchiveContext::System();
    QuietUi ui;
    arc::TempExtraction extraction{*archives, ui};
    QuietProgress progress;
    fs::path tree = fs::path(scratch.file("tree"));
    Forest scanned;
    Forest opened;

    CompareFixture() {
        fs::create_directories(scratch.file("extract"));
        fs::create_directories(tree);
    }

    // Catalogues the drive at `root` (a virtual disk of `virtualRoot` when
    // given), writes the catalog and reads it back.
    Node& catalogue(const fs::path& root, const std::string& virtualRoot = "") {
        ScanServices s{files, progress};
        s.archives = archives.get();
        s.extraction = &extraction;
        s.extractDir = scratch.file("extract");
        DiskScanner scanner(s, ScanOptions{});
        Node& cat = test::NewCatalog(scanned);
        ScanRequest r;
        r.catalog = &cat;
        r.diskName = "Disk";
        r.mediumRoot = root.string();
        r.virtualRoot = virtualRoot;
        r.initDiskRecord = [](TDiskRec& d) {
            d.volume.bytesPerSector = 512;
            d.volume.sectorsPerCluster = 2;
            d.volume.totalClusters = 100000;
            d.volume.freeClusters = 60000;
        };
        EXPECT_NE(scanner.ScanDisk(r), nullptr) << scanner.FailureText();
        return *test::Reopen(opened, test::Encode(cat)).child(0);
    }

    static std::set<std::string> PathsOf(const std::vector<ItemHead*>& list) {
        std::set<std::string> paths;
        for (const ItemHead* rec : list)
            paths.insert(CompareItemPath(*rec, false));
        return paths;
    }
    static std::set<std::string> NamesOf(const CompareResults& r) {
        std::set<std::string> names;
        for (const TMediaFileEntry& e : r.NewEntries)
            names.insert(e.Name);
        return names;
    }
};

TEST_F(CompareFixture, CompareToMediaSortsEveryFileIntoNewSameChangedOrDeleted) {
    PutFile(tree / "keep.txt", "same", kOld);
    PutFile(tree / "grow.txt", "small", kOld);
    PutFile(tree / "date.txt", "dated", kOld);
    PutFile(tree / "old-name.txt", "renamed later", kOld);
    PutFile(tree / "gone.txt", "removed later", kOld);
    PutFile(tree / "attr.txt", "read-only later", kOld);
    PutFile(tree / "sub" / "inner.txt", "deep", kOld);
    PutFile(tree / "pack.zip", test::StoredZip({{"IN.TXT", "member"}}), kOld);
    Node& disk = catalogue(tree);
    const std::string catalogFile = scratch.file("media.ctf");
    {
        const std::vector<std::uint8_t> bytes = test::Encode(*scanned.roots()[0]);
        std::ofstream(catalogFile, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                           static_cast<std::streamsize>(bytes.size()));
    }

    PutFile(tree / "grow.txt", "much larger now", kOld);
    fs::last_write_time(tree / "date.txt", kOld + std::chrono::hours(5));
    fs::rename(tree / "old-name.txt", tree / "new-name.txt");
    fs::remove(tree / "gone.txt");
    PutFile(tree / "newdir" / "fresh.txt", "fresh");
    fs::permissions(tree / "attr.txt", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);

    CompareEngine engine(files, {});
    const CompareResults r = engine.CompareToMedia(disk, tree.string() + "\\");
    EXPECT_EQ(NamesOf(r), (std::set<std::string>{"fresh.txt", "new-name.txt"}));
    EXPECT_EQ(PathsOf(r.Lists[kCategoryChanged]), (std::set<std::string>{"\\grow.txt", "\\date.txt"}));
    EXPECT_EQ(PathsOf(r.Lists[kCategoryDeleted]), (std::set<std::string>{"\\gone.txt", "\\old-name.txt"}));
    // An attribute change alone is the same; an archive is compared as one file.
    EXPECT_EQ(PathsOf(r.Lists[kCategorySame]),
              (std::set<std::string>{"\\keep.txt", "\\attr.txt", "\\sub\\inner.txt", "\\pack.zip"}));
    // Each New entry keeps the folder it was found in.
    for (const TMediaFileEntry& e : r.NewEntries) {
        if (e.Name == "fresh.txt") {
            EXPECT_TRUE(r.FolderPaths.at(e.FolderIndex).ends_with("newdir\\"));
        }
    }
    // The lists come sorted by name.
    EXPECT_TRUE(std::is_sorted(r.Lists[kCategorySame].begin(), r.Lists[kCategorySame].end(), CompareItemsByName));

    // The tool says the same, one line per difference, and exits 1.
    std::string out, err;
    EXPECT_EQ(tools::CompareCatalogDisk({catalogFile, "Disk", tree.string()}, out, err), 1) << err;
    EXPECT_EQ(out,
              "new\t\\newdir\\fresh.txt\n"
              "new\t\\new-name.txt\n"
              "changed\t\\date.txt\tdate\n"
              "changed\t\\grow.txt\tsize\n"
              "deleted\t\\gone.txt\n"
              "deleted\t\\old-name.txt\n");
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {catalogFile, "Disk"}, {catalogFile, "No such disk", tree.string()},
             {scratch.file("none.ctf"), "Disk", tree.string()}, {catalogFile, "Disk", scratch.file("nowhere")}}) {
        out.clear();
        err.clear();
        EXPECT_EQ(tools::CompareCatalogDisk(bad, out, err), 2);
        EXPECT_FALSE(err.empty());
    }
    fs::permissions(tree / "attr.txt", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(CompareFixture, ComparingOneFolderMatchesOnlyFilesBelowIt) {
    PutFile(tree / "top.txt", "top");
    PutFile(tree / "sub" / "a.txt", "a");
    PutFile(tree / "sub" / "deeper" / "b.txt", "b");
    PutFile(tree / "other" / "a.txt", "not this one");
    Node& disk = catalogue(tree);
    LoadSubfolders(&disk);
    Node* sub = nullptr;
    for (const auto& child : disk.children())
        if (child->text() == "sub")
            sub = child.get();
    ASSERT_NE(sub, nullptr);
    fs::remove(tree / "sub" / "deeper" / "b.txt");

    CompareEngine engine(files, {});
    const CompareResults r = engine.CompareToMedia(*sub, (tree / "sub").string() + "\\");
    EXPECT_TRUE(r.NewEntries.empty());
    EXPECT_EQ(PathsOf(r.Lists[kCategorySame]), (std::set<std::string>{"\\sub\\a.txt"}));
    EXPECT_EQ(PathsOf(r.Lists[kCategoryDeleted]), (std::set<std::string>{"\\sub\\deeper\\b.txt"}));
}

TEST_F(CompareFixture, VirtualDiskComparesFromItsRoot) {
    PutFile(tree / "proj" / "main.c", "int main;");
    PutFile(tree / "proj" / "lib" / "util.c", "util");
    PutFile(tree / "outside.txt", "not on the virtual disk");
    Node& disk = catalogue(tree, "\\proj\\");
    ASSERT_TRUE(HasFlag(disk.record()->flags, ItemFlags::VirtualDisk));
    PutFile(tree / "proj" / "lib" / "util.c", "util grown", kOld);

    CompareEngine engine(files, {});
    const CompareResults r = engine.CompareToMedia(disk, (tree / "proj").string() + "\\");
    EXPECT_TRUE(r.NewEntries.empty());
    EXPECT_TRUE(r.Lists[kCategoryDeleted].empty());
    EXPECT_EQ(PathsOf(r.Lists[kCategorySame]), (std::set<std::string>{"\\main.c"}));
    EXPECT_EQ(PathsOf(r.Lists[kCategoryChanged]), (std::set<std::string>{"\\lib\\util.c"}));
}

TEST_F(CompareFixture, FileCheckFindsFilesByNameAnywhereInTheScope) {
    PutFile(tree / "docs" / "report.txt", "final report");
    PutFile(tree / "docs" / "notes.txt", "notes");
    PutFile(tree / "other" / "notes.txt", "other notes");
    Node& disk = catalogue(tree);

    const fs::path check = scratch.file("check");
    PutFile(check / "report.txt", "final report");                   // found
    PutFile(check / "NOTES.TXT", "changed notes");                   // both notes records, changed
    PutFile(check / "unknown.bin", "nobody has it");                 // new
    PutFile(check / "deep" / "report.txt", "final report");          // only with sub-folders

    CheckKeys keys;
    CompareEngine engine(files, {});
    CompareResults r = engine.CheckFilesAgainstCatalog({disk.parent()}, check.string() + "\\", false, keys);
    EXPECT_EQ(NamesOf(r), (std::set<std::string>{"unknown.bin"}));
    EXPECT_EQ(PathsOf(r.Lists[kCategorySame]), (std::set<std::string>{"\\docs\\report.txt"}));
    EXPECT_EQ(PathsOf(r.Lists[kCategoryChanged]), (std::set<std::string>{"\\docs\\notes.txt", "\\other\\notes.txt"}));
    EXPECT_TRUE(r.Lists[kCategoryDeleted].empty());

    // With sub-folders the second report matches the same record: listed once.
    CompareEngine again(files, {});
    r = again.CheckFilesAgainstCatalog({disk.parent()}, check.string() + "\\", true, keys);
    EXPECT_EQ(r.Lists[kCategorySame].size(), 1u);

    // Name only: the changed notes are found.
    CompareEngine nameOnly(files, {});
    r = nameOnly.CheckFilesAgainstCatalog({&disk}, check.string() + "\\", false, {false, false, false});
    EXPECT_EQ(r.Lists[kCategorySame].size(), 3u);
    EXPECT_TRUE(r.Lists[kCategoryChanged].empty());
}

// The lookup orders names by their first 16 letters before the rest: names
// alike that far, shorter or longer, in either case, are each found.
TEST_F(CompareFixture, FileCheckFindsNamesThatShareTheirFirstSixteenLetters) {
    const char* catalogued[] = {"abcdefghijklmno", "abcdefghijklmnop", "abcdefghijklmnopq.txt", "ABCDEFGHIJKLMNOPr.txt",
                                "abcdefghijklmnop.txt", "abcdefghijklmnoq"};
    for (const char* name : catalogued)
        PutFile(tree / name, name);
    Node& disk = catalogue(tree);
    const fs::path check = scratch.file("check");
    for (const char* name : {"ABCDEFGHIJKLMNO", "abcdefghijklmnop", "abcdefghijklmnopQ.TXT", "abcdefghijklmnopr.txt",
                             "abcdefghijklmnop.TXT", "abcdefghijklmnoq", "abcdefghijklmnopz.txt", "abcdefghijklmn"})
        PutFile(check / name, "x");
    CompareEngine engine(files, {});
    const CompareResults r = engine.CheckFilesAgainstCatalog({&disk}, check.string() + "\\", false, {false, false, false});
    EXPECT_EQ(NamesOf(r), (std::set<std::string>{"abcdefghijklmnopz.txt", "abcdefghijklmn"}));
    EXPECT_EQ(r.Lists[kCategorySame].size(), std::size(catalogued));
}

TEST_F(CompareFixture, CancelEndsTheFileCheckSilently) {
    PutFile(tree / "a.txt", "a");
    Node& disk = catalogue(tree);
    CompareHooks hooks;
    hooks.cancelled = [] { return true; };
    CompareEngine engine(files, hooks);
    EXPECT_THROW(engine.CheckFilesAgainstCatalog({&disk}, tree.string() + "\\", true, {}), EAbort);
}

}  // namespace
}  // namespace kv
