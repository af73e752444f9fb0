#include <gtest/gtest.h>

#include <map>

#include "archive/ArchiveContext.h"
#include "archive/TempExtraction.h"
#include "catalog/model/CatalogModified.h"
#include "scan/DiskScanner.h"
#include "scan/ScanProgressText.h"
#include "tests/scan/HostPaths.h"
#include "tests/scan/ScanTree.h"

namespace kv {
namespace {

using test::PutFile;
namespace fs = std::filesystem;

class QuietUi final : public arc::IExtractionUi {
public:
    void ShowWait(const std::string&, const std::string&) override {}
    bool Progress(int) override { return false; }
    void CloseWait() override {}
    void ShowError(const std::string&, const std::string&) override { ++errors; }
    bool Ask(const std::string&, const std::string&) override { return false; }
    int errors = 0;
};

class CountingProgress final : public IScanProgress {
public:
    void PumpMessages() override { ++pumps; }
    void SetProgress(int p) override { last = p; }
    int pumps = 0;
    int last = -1;
};

// A drive of 512-byte clusters with this many in all and free.
std::function<void(TDiskRec&)> Volume(std::uint32_t total, std::uint32_t free) {
    return [=](TDiskRec& disk) {
        disk.volume.totalClusters = total;
        disk.volume.freeClusters = free;
        disk.volume.bytesPerSector = 512;
        disk.volume.sectorsPerCluster = 1;
    };
}

std::string FixtureArchive(const std::string& name) {
    return std::string(KV_FIXTURES_DIR) + "/archives/made/" + name;
}

struct ScanFixture : ::testing::Test {
    test::ScratchFolder scratch;
    test::HostPathFileSystem files{scratch};
    std::unique_ptr<arc::ArchiveContext> archives = arc::ArchiveContext::System();
    QuietUi ui;
    arc::TempExtraction extraction{*archives, ui};
    CountingProgress progress;
    fs::path tree = fs::path(scratch.file("tree"));
    ScanOptions options;
    Forest forest;
    Node* catalog = &test::NewCatalog(forest);

    ScanFixture() {
        fs::create_directories(scratch.file("extract"));
        fs::create_directories(tree);
    }

    ScanServices services() {
        ScanServices s{files, progress};
        s.archives = archives.get();
        s.extraction = &extraction;
        s.extractDir = scratch.file("extract");
        return s;
    }

    ScanRequest request(Node& cat, Node* updated = nullptr) {
        ScanRequest r;
        r.catalog = &cat;
        r.diskName = "Disk";
        r.mediumRoot = tree.string();
        r.updatedDisk = updated;
        r.initDiskRecord = [](TDiskRec& d) {
            d.volume.bytesPerSector = 512;
            d.volume.sectorsPerCluster = 2;
            d.volume.totalClusters = 100000;
            d.volume.freeClusters = 60000;
        };
        return r;
    }

    Node* scan(DiskScanner& scanner, Node& cat, Node* updated = nullptr) { return scanner.ScanDisk(request(cat, updated)); }
};

TEST_F(ScanFixture, FreshScanRecordsFilesFoldersArchivesAndDescriptions) {
    PutFile(tree / "README.TXT", "hello");
    PutFile(tree / "MixedCase.Txt", std::string(1500, 'm'));
    PutFile(tree / ".hidden", "h");
    PutFile(tree / "Recycled" / "gone.txt", "g");
    PutFile(tree / "FILES.BBS", "readme.txt   The readme\r\n              second line\r\n");
    PutFile(tree / "sub" / "a.txt", "aaa");
    PutFile(tree / "sub" / "DESCRIPT.ION", "a.txt Desc of a\r\nmissing.txt nobody\r\n");
    PutFile(tree / "sub" / "FILE_ID.DIZ", "  Sub folder  \r\n");
    PutFile(tree / "sub" / "deeper" / "z.bin", "zz");
    fs::copy_file(FixtureArchive("comment.zip"), tree / "comment.zip");
    // A nested FILE_ID.DIZ listed first is not the archive's own.
    PutFile(tree / "inner.zip", test::StoredZip({{"DEEP/FILE_ID.DIZ", "Not this one"}, {"FILE_ID.DIZ", "Zip says hi"},
                                                 {"DATA.BIN", "12345"}}));

    std::error_code ec;
    fs::create_directory_symlink(tree / "sub", tree / "loop", ec);

    DiskScanner scanner(services(), options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    EXPECT_TRUE(scanner.ScanCompleted());
    EXPECT_TRUE(RecordAs<TCatalogRec>(catalog->record())->modified);

    // Written and read back, the disk says the same.
    const std::string dump = test::Dump(*disk);
    Forest again;
    Node& reopened = test::Reopen(again, test::Encode(*catalog));
    EXPECT_EQ(test::Dump(*reopened.child(0)), dump);

    auto has = [&](const std::string& text) { return dump.find(text) != std::string::npos; };
    EXPECT_TRUE(has("FILE \\readme.txt")) << dump;
    EXPECT_TRUE(has("FILE \\MixedCase.Txt")) << dump;
    EXPECT_FALSE(has(".hidden"));
    EXPECT_FALSE(has("Recycled"));
    EXPECT_TRUE(has("desc=The readme\r\nsecond line\n")) << dump;
    EXPECT_TRUE(has("FILE \\sub\\a.txt flags=1 attr=32 size=3")) << dump;
    EXPECT_TRUE(has("desc=Desc of a\n"));
    EXPECT_TRUE(has("FOLDER \\sub flags=10 attr=16 size=580000")) << dump;  // a.txt, z.bin and the two description files
    EXPECT_TRUE(has("cat=0 desc=Sub folder\n"));
    // The archive comment describes the archive folder; its member is recorded.
    EXPECT_TRUE(has("FOLDER \\comment.zip flags=18")) << dump;
    EXPECT_TRUE(has("FILE \\comment.zip\\readme.txt flags=17 attr=0 size=288"));
    EXPECT_TRUE(has("desc=An archive comment")) << dump;
    // FILE_ID.DIZ inside the archive describes its folder; names in capitals are re-cased.
    EXPECT_TRUE(has("FOLDER \\inner.zip flags=18")) << dump;
    EXPECT_TRUE(has("desc=Zip says hi\n")) << dump;
    EXPECT_TRUE(has("FILE \\inner.zip\\data.bin"));
    // A link to a folder is recorded, not followed.
    if (!ec) {
        EXPECT_FALSE(has("\\loop\\a.txt")) << dump;
    }

    const auto& d = *RecordAs<TDiskRec>(disk->record());
    EXPECT_EQ(d.volume.skipFlags & 1, 1);
    EXPECT_EQ(d.volume.archiveMemberCount, 4u);
    EXPECT_EQ(d.volume.folderCount, ec ? 2u : 3u);
    EXPECT_EQ(progress.last, 100);
    // Nothing extracted is left behind.
    EXPECT_TRUE(scratch.list(scratch.file("extract")).empty());
    EXPECT_EQ(dump.find("desc=Not this one"), std::string::npos);
}

TEST_F(ScanFixture, ADescriptionFileNotExtractedGivesNothing) {
    // Too big to be a description: passed over, and the stale copy lying in
    // the extraction folder is not read in its place.
    PutFile(tree / "big.zip", test::StoredZip({{"FILE_ID.DIZ", std::string(64, 'B')}, {"x.txt", "x"}}));
    PutFile(fs::path(scratch.file("extract")) / "FILE_ID.DIZ", "Stale");
    extraction.DescFileLimit = 16;
    DiskScanner scanner(services(), options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    EXPECT_NE(dump.find("FOLDER \\big.zip flags=18"), std::string::npos) << dump;
    EXPECT_EQ(dump.find("Stale"), std::string::npos) << dump;
    EXPECT_EQ(dump.find("BBBB"), std::string::npos) << dump;
    EXPECT_EQ(ui.errors, 0);
    // What the scan did not write it leaves alone.
    EXPECT_TRUE(fs::exists(fs::path(scratch.file("extract")) / "FILE_ID.DIZ"));
}

TEST_F(ScanFixture, UpdateCarriesDescriptionsCategoriesAndFlagsOver) {
    PutFile(tree / "keep.txt", "keep");
    PutFile(tree / "change.txt", "before");
    PutFile(tree / "removed.txt", "bye");
    PutFile(tree / "dup" / "readme.txt", "one");
    PutFile(tree / "dup2" / "readme.txt", "two!");
    {
        DiskScanner scanner(services(), options);
        ASSERT_NE(scan(scanner, *catalog), nullptr) << scanner.FailureText();
    }
    Forest opened;
    Node& cat = test::Reopen(opened, test::Encode(*catalog));
    Node& old = *cat.child(0);
    LoadFileList(&old);
    for (TFileRec& f : RecordAs<TDiskRec>(old.record())->files) {
        f.description.assign("old " + std::string(f.name()));
        f.stored.category = 0x25;
    }
    LoadSubfolders(&old);
    for (const auto& folder : old.children()) {
        LoadFileList(folder.get());
        auto* rec = RecordAs<TFolderRec>(folder->record());
        rec->description = "folder " + folder->text();
        rec->stored.reserved = 7;
        SetFlag(rec->flags, ItemFlags::HasDescriptions, true);
        for (TFileRec& f : rec->files) f.description.assign("in " + folder->text());
    }
    SetFlag(RecordAs<TDiskRec>(old.record())->flags, ItemFlags::HasDescriptions, true);
    SetDiskModified(old, true);

    PutFile(tree / "change.txt", "after, longer");
    fs::remove(tree / "removed.txt");
    PutFile(tree / "added.txt", "new");
    DiskScanner scanner(services(), options);
    Node* fresh = scan(scanner, cat, &old);
    ASSERT_NE(fresh, nullptr) << scanner.FailureText();
    ASSERT_EQ(cat.children().size(), 1u);
    EXPECT_EQ(fresh->text(), "Disk");
    const std::string dump = test::Dump(*fresh);
    auto has = [&](const std::string& text) { return dump.find(text) != std::string::npos; };
    EXPECT_TRUE(has("FILE \\keep.txt flags=1 attr=32 size=4")) << dump;
    EXPECT_TRUE(has("cat=37 desc=old keep.txt\n")) << dump;
    EXPECT_TRUE(has("FILE \\change.txt flags=1 attr=32 size=13 mod=")) << dump;
    EXPECT_FALSE(has("desc=old change.txt"));
    EXPECT_FALSE(has("removed.txt"));
    EXPECT_TRUE(has("cat=1792 desc=folder dup\n")) << dump;
    // Both readme.txt of the same name find their own text.
    EXPECT_TRUE(has("FILE \\dup\\readme.txt flags=1 attr=32 size=3 ") && has("desc=in dup\n")) << dump;
    EXPECT_TRUE(has("FILE \\dup2\\readme.txt flags=1 attr=32 size=4 ") && has("desc=in dup2\n")) << dump;
}

TEST_F(ScanFixture, CancelOrFailureLeavesTheOldDiskAsItWas) {
    PutFile(tree / "a.txt", "a");
    PutFile(tree / "b" / "c.txt", "c");
    fs::copy_file(FixtureArchive("comment.zip"), tree / "comment.zip");
    PutFile(tree / "z" / "last.txt", "l");
    {
        DiskScanner scanner(services(), options);
        ASSERT_NE(scan(scanner, *catalog), nullptr);
    }
    const std::vector<std::uint8_t> saved = test::Encode(*catalog);
    Forest reference;
    Node& refCat = test::Reopen(reference, saved);
    // Rewritten from memory, not copied from the old file: damage in memory would show.
    auto rewrite = [](Node& cat) {
        Node& disk = *cat.child(0);
        LoadSubfolders(&disk, true, true);
        LoadFileList(&disk);
        SetDiskModified(disk, true);
        return test::Encode(cat);
    };
    const std::vector<std::uint8_t> expected = rewrite(refCat);

    options.archiveQuickScan = true;
    for (int cancelAt : {1, 3, 5, 100}) {
        Forest opened;
        Node& cat = test::Reopen(opened, saved);
        Node& old = *cat.child(0);
        int entries = 0;
        ScanServices s = services();
        DiskScanner* running = nullptr;
        s.onEntry = [&](const std::string&) {
            if (++entries == cancelAt) running->RequestAbort();
        };
        DiskScanner scanner(s, options);
        running = &scanner;
        if (cancelAt == 100) files.failList = "\\z";
        Node* result = scanner.ScanDisk(request(cat, &old));
        files.failList.reset();
        EXPECT_EQ(scanner.FailureText().empty(), cancelAt != 100) << scanner.FailureText();
        EXPECT_EQ(result, nullptr) << cancelAt;
        ASSERT_EQ(cat.children().size(), 1u) << cancelAt;
        EXPECT_EQ(cat.child(0), &old);
        EXPECT_FALSE(RecordAs<TCatalogRec>(cat.record())->modified) << cancelAt;
        EXPECT_TRUE(test::Encode(cat) == saved) << cancelAt;
        EXPECT_TRUE(rewrite(cat) == expected) << cancelAt;
    }
}

TEST_F(ScanFixture, QuickScanMovesOnlyUnchangedArchives) {
    fs::copy_file(FixtureArchive("comment.zip"), tree / "same.zip");
    fs::copy_file(FixtureArchive("comment.zip"), tree / "touched.zip");
    PutFile(tree / "plain.zip" / "x.txt", "a folder named like an archive");
    {
        DiskScanner scanner(services(), options);
        ASSERT_NE(scan(scanner, *catalog), nullptr);
    }
    Forest opened;
    Node& cat = test::Reopen(opened, test::Encode(*catalog));
    Node& old = *cat.child(0);
    LoadSubfolders(&old);
    auto recordOf = [](Node& disk, const std::string& name) -> ItemRecord* {
        for (const auto& c : disk.children())
            if (c->text() == name) return c->record();
        return nullptr;
    };
    ItemRecord* same = recordOf(old, "same.zip");
    ItemRecord* touched = recordOf(old, "touched.zip");
    ItemRecord* plain = recordOf(old, "plain.zip");
    ASSERT_TRUE(same && touched && plain);
    same->indexWord(ResultSlot::UserList) = 4;
    fs::last_write_time(tree / "touched.zip", fs::last_write_time(tree / "touched.zip") - std::chrono::hours(48));

    options.archiveQuickScan = true;
    DiskScanner scanner(services(), options);
    Node* fresh = scan(scanner, cat, &old);
    ASSERT_NE(fresh, nullptr) << scanner.FailureText();
    EXPECT_EQ(recordOf(*fresh, "same.zip"), same);
    EXPECT_EQ(same->node->parent(), fresh);
    EXPECT_EQ(RecordAs<TFolderRec>(same)->diskNode, fresh);
    EXPECT_EQ(same->indexWord(ResultSlot::UserList), 4);
    EXPECT_NE(recordOf(*fresh, "touched.zip"), nullptr);
    EXPECT_NE(recordOf(*fresh, "touched.zip"), touched);
    EXPECT_NE(recordOf(*fresh, "plain.zip"), plain);
    const auto& d = *RecordAs<TDiskRec>(fresh->record());
    EXPECT_EQ(d.volume.archiveMemberCount, 2u);
    EXPECT_EQ(d.volume.fileCount, 3u);
}

TEST_F(ScanFixture, VolumeFiguresNamesAndPumping) {
    PutFile(tree / "big.bin", std::string(4096, 'b'));
    PutFile(tree / "v" / "in.txt", "x");
    std::uint64_t now = 0;
    ScanServices s = services();
    s.clockMs = [&] { return now += 10; };
    DiskScanner scanner(s, options);

    // An empty medium is recorded without a walk.
    ScanRequest r = request(*catalog);
    r.initDiskRecord = Volume(10, 10);
    Node* empty = scanner.ScanDisk(r);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(RecordAs<TDiskRec>(empty->record())->volume.fileCount, 0u);

    // More counted than the volume holds: a compressed volume.
    r.initDiskRecord = Volume(3, 1);
    r.diskName = "Disk (7)";
    Node* packed = scanner.ScanDisk(r);
    ASSERT_NE(packed, nullptr);
    const auto& p = *RecordAs<TDiskRec>(packed->record());
    EXPECT_EQ(packed->text(), "Disk (2)");
    EXPECT_TRUE(HasFlag(p.flags, ItemFlags::Archive));
    EXPECT_EQ(p.volume.totalClusters, 9u);
    EXPECT_EQ(p.volume.freeClusters, 0u);
    EXPECT_EQ(p.otherClusters, 0u);
    // Messages ran at most once per interval of the injected clock.
    EXPECT_GT(progress.pumps, 0);
    EXPECT_LE(progress.pumps, static_cast<int>(now / s.pumpIntervalMs) + 1);

    // A virtual disk: only its folder, and the clusters used outside it.
    r.virtualRoot = "\\v\\";
    r.diskName = "";
    r.initDiskRecord = Volume(100, 50);
    Node* virt = scanner.ScanDisk(r);
    ASSERT_NE(virt, nullptr);
    const auto& v = *RecordAs<TDiskRec>(virt->record());
    EXPECT_EQ(virt->text(), "Disk C:");
    EXPECT_TRUE(v.isVirtual());
    EXPECT_EQ(v.virtualPath, "\\v\\");
    EXPECT_EQ(v.volume.fileCount, 1u);
    EXPECT_EQ(v.otherClusters, 49u);
}

TEST_F(ScanFixture, VolumeSetsAndDamagedArchives) {
    // The later part sorts first here; the set is still listed once, from its first part.
    fs::copy_file(FixtureArchive("volumes.a01"), tree / "aaa.a01");
    fs::copy_file(FixtureArchive("volumes.arj"), tree / "aaa.arj");
    const std::string zip = test::StoredZip({{"a.txt", "aaaa"}, {"b.txt", "bbbb"}});
    PutFile(tree / "cut.zip", zip.substr(0, zip.size() - 30));
    PutFile(tree / "notreally.exe", "MZ but nothing else");
    DiskScanner scanner(services(), options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    auto count = [&](const std::string& text) {
        std::size_t n = 0;
        for (std::size_t at = dump.find(text); at != std::string::npos; at = dump.find(text, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("FOLDER \\aaa.arj "), 1u) << dump;
    EXPECT_EQ(count("\\aaa.a01"), 0u) << dump;
    // A damaged archive and a program without one are plain files, with no partial folder.
    EXPECT_EQ(count("FILE \\cut.zip "), 1u) << dump;
    EXPECT_EQ(count("FOLDER \\cut.zip"), 0u) << dump;
    EXPECT_EQ(count("FILE \\notreally.exe "), 1u) << dump;
    const auto& d = *RecordAs<TDiskRec>(disk->record());
    // Both parts of the set count as files, and both sizes reach the totals.
    EXPECT_EQ(d.volume.fileCount, 4u);
}

// The archive side of the scan through a file system that counts what it is
// asked per path: on a slow medium every open and every query of a name costs.
class CountingFiles final : public test::HostPathFileSystem {
public:
    using HostPathFileSystem::HostPathFileSystem;
    std::map<std::string, int> opens, queries;
    std::unique_ptr<ByteSource> OpenRead(const std::string& p) override {
        ++opens[Name(p)];
        return HostPathFileSystem::OpenRead(p);
    }
    bool Exists(const std::string& p) override {
        ++queries[Name(p)];
        return HostPathFileSystem::Exists(p);
    }
    std::optional<std::uint32_t> FileDosDate(const std::string& p) override {
        ++queries[Name(p)];
        return HostPathFileSystem::FileDosDate(p);
    }
    std::uint32_t FileAttributes(const std::string& p) override {
        ++queries[Name(p)];
        return HostPathFileSystem::FileAttributes(p);
    }
    void clear() { opens.clear(), queries.clear(); }

private:
    // Later volumes are named with an upper-case extension.
    static std::string Name(const std::string& p) {
        std::string name = p.substr(p.find_last_of("\\/") + 1);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name;
    }
};

TEST_F(ScanFixture, OneOpenPerArchiveVolumeAndNoneForAMovedArchive) {
    fs::copy_file(FixtureArchive("fields.gz"), tree / "fields.gz");
    fs::copy_file(FixtureArchive("volumes.arj"), tree / "aaa.arj");
    fs::copy_file(FixtureArchive("volumes.a01"), tree / "aaa.a01");
    PutFile(tree / "sub" / "desc.zip", test::StoredZip({{"FILE_ID.DIZ", "Described"}, {"x.txt", "x"}}));
    PutFile(tree / "sub" / "plain.zip", test::StoredZip({{"a.txt", "a"}, {"b.txt", "b"}}));
    PutFile(tree / "notreally.exe", "MZ and no archive after it");
    auto counting = std::make_unique<CountingFiles>(scratch);
    CountingFiles& seam = *counting;
    arc::ArchiveContext context(std::move(counting), 0);
    arc::TempExtraction extract{context, ui};
    auto countingServices = [&] {
        ScanServices s = services();
        s.archives = &context;
        s.extraction = &extract;
        return s;
    };
    {
        DiskScanner scanner(countingServices(), options);
        ASSERT_NE(scan(scanner, *catalog), nullptr) << scanner.FailureText();
    }
    // Detection and listing share one open; the FILE_ID.DIZ extracted takes one more;
    // each volume of a set is opened once. Dates and attributes come from the folder listing.
    const std::map<std::string, int> once{{"fields.gz", 1}, {"aaa.arj", 1}, {"aaa.a01", 1}, {"desc.zip", 2},
                                          {"plain.zip", 1}, {"notreally.exe", 1}};
    for (const auto& [name, n] : once) EXPECT_EQ(seam.opens[name], n) << name;
    for (const char* name : {"fields.gz", "plain.zip", "notreally.exe"}) EXPECT_EQ(seam.queries[name], 0) << name;
    const std::string dump = test::Dump(*catalog->child(0));
    EXPECT_NE(dump.find("desc=Described"), std::string::npos) << dump;

    // A quick update moves the unchanged archives without opening them.
    seam.clear();
    Node& old = *catalog->child(0);
    options.archiveQuickScan = true;
    DiskScanner scanner(countingServices(), options);
    Node* fresh = scan(scanner, *catalog, &old);
    ASSERT_NE(fresh, nullptr) << scanner.FailureText();
    for (const char* name : {"fields.gz", "aaa.arj", "desc.zip", "plain.zip"}) EXPECT_EQ(seam.opens[name], 0) << name;
    EXPECT_EQ(test::Dump(*fresh), dump);
}

TEST_F(ScanFixture, DescriptionSourcesFollowTheUsersOrder) {
    // A subfolder takes its FILE_ID.DIZ; the DESCRIPT.ION beside it names the subfolder too.
    PutFile(tree / "sub" / "FILE_ID.DIZ", "From the diz");
    PutFile(tree / "DESCRIPT.ION", "sub From descript.ion\r\n");
    // Each scan adds a disk to the same catalog: nothing is to come from the earlier ones.
    options.carryOver = false;
    const struct {
        std::vector<std::string> order;
        const char* want;
    } cases[] = {
        // The default order: the diz comes first, DESCRIPT.ION only fills gaps.
        {DefaultImportDescItems(), "desc=From the diz\n"},
        // DESCRIPT.ION first: it may overwrite what the subfolder's diz gave.
        {{"DESCRIPT.ION", "FILE_ID.DIZ", "FILES.BBS", "Compressed"}, "desc=From descript.ion\n"},
    };
    for (const auto& c : cases) {
        options.descOrder = c.order;
        DiskScanner scanner(services(), options);
        Node* disk = scan(scanner, *catalog);
        ASSERT_NE(disk, nullptr);
        const std::string dump = test::Dump(*disk);
        EXPECT_NE(dump.find("FOLDER \\sub"), std::string::npos);
        EXPECT_NE(dump.find(c.want), std::string::npos) << dump;
    }
    options.import4Dos = false;
    options.importDiz = false;
    DiskScanner scanner(services(), options);
    const std::string dump = test::Dump(*scan(scanner, *catalog));
    EXPECT_EQ(dump.find("desc=From"), std::string::npos) << dump;
}

TEST(ScanProgressText, PathsShortenFromTheLeftAtABackslash) {
    EXPECT_EQ(ShortenPathLeft("C:\\short", 20), "C:\\short");
    EXPECT_EQ(ShortenPathLeft("C:\\one\\two\\three\\file.txt", 19), "...\\three\\file.txt");
    EXPECT_EQ(ShortenPathLeft("C:\\one\\two\\three\\file.txt", 16), "...\\file.txt");
    EXPECT_EQ(ShortenPathLeft("C:\\averyveryverylongname", 10), "...ongname");
}

TEST(DiskNames, UniqueInTheCatalog) {
    Forest forest;
    Node& cat = test::NewCatalog(forest);
    for (const char* name : {"Work", "Work (2)", "work (3)", "Other"}) forest.addChild(cat, name);
    const struct {
        const char* typed;
        const char* replaced;
        const char* want;
    } cases[] = {
        {"Fresh", nullptr, "Fresh"},     {"Work", nullptr, "Work (3)"},   {"Work (9)", nullptr, "Work (3)"},
        {"Work (1)", nullptr, "Work (1)"}, {"Other", "Other", "Other"},     {"Work", "Work", "Work"},
        {"Other (2)", "Work", "Other (2)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UniqueDiskName(cat, c.typed, c.replaced ? test::DiskNamed(cat, c.replaced) : nullptr), c.want)
            << c.typed;
}

}  // namespace
}  // namespace kv
