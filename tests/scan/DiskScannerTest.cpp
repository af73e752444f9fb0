#include <gtest/gtest.h>

#include <fstream>
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

    // The tree scanned, written and read back: the disk to update.
    Node& scannedAndReopened(Forest& opened) {
        DiskScanner scanner(services(), options);
        EXPECT_NE(scan(scanner, *catalog), nullptr) << scanner.FailureText();
        return *test::Reopen(opened, test::Encode(*catalog)).child(0);
    }
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

    const auto& d = *RecordAs<TDiskRec>(disk->record());
    EXPECT_EQ(d.volume.skipFlags & 1, 1);
    EXPECT_EQ(d.volume.archiveMemberCount, 4u);
    EXPECT_EQ(d.volume.folderCount, 2u);
    EXPECT_EQ(progress.last, 100);
    // Nothing extracted is left behind.
    EXPECT_TRUE(scratch.list(scratch.file("extract")).empty());
    EXPECT_EQ(dump.find("desc=Not this one"), std::string::npos);
}

// A link to a folder is recorded, not followed: it could loop.
TEST_F(ScanFixture, LinksToFoldersAreRecordedNotFollowed) {
    PutFile(tree / "sub" / "a.txt", "a");
    std::error_code ec;
    fs::create_directory_symlink(tree / "sub", tree / "loop", ec);
    if (ec) GTEST_SKIP() << "this system makes no links here: " << ec.message();
    DiskScanner scanner(services(), options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    EXPECT_NE(dump.find("FOLDER \\loop "), std::string::npos) << dump;
    EXPECT_EQ(dump.find("\\loop\\a.txt"), std::string::npos) << dump;
    EXPECT_EQ(RecordAs<TDiskRec>(disk->record())->volume.folderCount, 2u);
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
    Forest opened;
    Node& old = scannedAndReopened(opened);
    Node& cat = *old.parent();
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
    fs::create_directories(tree / "set");
    fs::copy_file(FixtureArchive("volumes.a01"), tree / "set" / "aaa.a01");
    fs::copy_file(FixtureArchive("volumes.arj"), tree / "set" / "aaa.arj");
    const std::string zip = test::StoredZip({{"a.txt", "aaaa"}, {"b.txt", "bbbb"}});
    PutFile(tree / "cut.zip", zip.substr(0, zip.size() - 30));
    PutFile(tree / "notreally.exe", "MZ but nothing else");
    // Listed before the scan: its reading of the parts may move their access times.
    const auto listed = files.ListFolder((tree / "set").string());
    DiskScanner scanner(services(), options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    auto count = [&](const std::string& text) {
        std::size_t n = 0;
        for (std::size_t at = dump.find(text); at != std::string::npos; at = dump.find(text, at + 1)) ++n;
        return n;
    };
    // One folder per part, named as the listing spells it; no part is also a plain file.
    EXPECT_EQ(count("FOLDER \\set\\aaa.arj "), 1u) << dump;
    EXPECT_EQ(count("FOLDER \\set\\aaa.a01 "), 1u) << dump;
    EXPECT_EQ(count("FILE \\set\\aaa.a01 "), 0u) << dump;
    EXPECT_EQ(count("FILE \\set\\aaa.arj "), 0u) << dump;
    // A damaged archive and a program without one are plain files, with no partial folder.
    EXPECT_EQ(count("FILE \\cut.zip "), 1u) << dump;
    EXPECT_EQ(count("FOLDER \\cut.zip"), 0u) << dump;
    EXPECT_EQ(count("FILE \\notreally.exe "), 1u) << dump;
    const auto& d = *RecordAs<TDiskRec>(disk->record());
    // Both parts of the set count as files, and both sizes reach the totals.
    EXPECT_EQ(d.volume.fileCount, 4u);
    const std::uint64_t setBytes = fs::file_size(tree / "set" / "aaa.arj") + fs::file_size(tree / "set" / "aaa.a01");
    const std::size_t setLine = dump.find("FOLDER \\set flags=");
    ASSERT_NE(setLine, std::string::npos) << dump;
    EXPECT_NE(dump.substr(setLine, dump.find('\n', setLine) - setLine).find(" size=" + std::to_string(setBytes * 10000) + " "),
              std::string::npos)
        << dump;
    // The later part's record has the dates of its own directory entry.
    Node* set = nullptr;
    for (const auto& c : disk->children())
        if (c->text() == "set") set = c.get();
    ASSERT_TRUE(set);
    const TFolderRec* later = nullptr;
    for (const auto& c : set->children())
        if (c->text() == "aaa.a01") later = RecordAs<TFolderRec>(c->record());
    ASSERT_TRUE(later);
    const auto entry = std::find_if(listed.begin(), listed.end(), [](const FolderEntry& e) { return e.name == "aaa.a01"; });
    ASSERT_NE(entry, listed.end());
    EXPECT_EQ(later->stored.created, entry->created);
    EXPECT_EQ(later->stored.modified, entry->modified);
    EXPECT_EQ(later->stored.accessed, entry->accessed);
    EXPECT_NE(later->stored.accessed, 0u);
    EXPECT_EQ(later->stored.totalSize.raw, static_cast<std::int64_t>(fs::file_size(tree / "set" / "aaa.a01") * 10000));
}

// The quick scan moves every part of an unchanged set, and the disk reads as
// the full listing made it.
TEST_F(ScanFixture, QuickScanMovesEveryPartOfAnUnchangedSet) {
    fs::copy_file(FixtureArchive("volumes.a01"), tree / "aaa.a01");
    fs::copy_file(FixtureArchive("volumes.arj"), tree / "aaa.arj");
    Forest opened;
    Node& old = scannedAndReopened(opened);
    const std::string listed = test::Dump(old);
    LoadSubfolders(&old);
    std::vector<ItemRecord*> parts;
    for (const auto& c : old.children()) parts.push_back(c->record());
    ASSERT_EQ(parts.size(), 2u) << listed;

    options.archiveQuickScan = true;
    DiskScanner scanner(services(), options);
    Node* fresh = scan(scanner, *old.parent(), &old);
    ASSERT_NE(fresh, nullptr) << scanner.FailureText();
    EXPECT_EQ(test::Dump(*fresh), listed);
    for (ItemRecord* part : parts) EXPECT_EQ(part->node->parent(), fresh);
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

// The lines of a dump that begin with a prefix, without their values, sorted.
std::vector<std::string> Items(const std::string& dump, const std::string& prefix) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while ((at = dump.find(prefix, at)) != std::string::npos) {
        if (at == 0 || dump[at - 1] == '\n') out.push_back(dump.substr(at, dump.find(" flags=", at) - at));
        ++at;
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST_F(ScanFixture, FoldersThatCannotBeListedAreRecordedEmptyAndTheScanGoesOn) {
    PutFile(tree / "a.txt", "a");
    PutFile(tree / "keep" / "k.txt", "kk");
    PutFile(tree / "keep" / "DESCRIPT.ION", "k.txt Never read\r\n");
    PutFile(tree / "locked" / "secret.txt", "s");
    PutFile(tree / "locked" / "deeper" / "x.txt", "x");
    PutFile(tree / "gone" / "g.txt", "g");
    options.ignoreHiddenFiles = options.ignoreHiddenFolders = options.ignoreRecycle = false;
    files.denyList = "\\locked";
    // A description file failing in an unexpected way is passed over too.
    files.strangeOpen = "keep\\DESCRIPT.ION";
    ScanServices s = services();
    // "gone" is listed with the root, then removed before its own walk.
    s.onEntry = [&](const std::string&) { fs::remove_all(tree / "gone"); };
    DiskScanner scanner(s, options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();

    const std::string dump = test::Dump(*disk);
    EXPECT_EQ(Items(dump, "FILE "), (std::vector<std::string>{"FILE \\a.txt", "FILE \\keep\\descript.ion",
                                                               "FILE \\keep\\k.txt"}))
        << dump;
    EXPECT_EQ(Items(dump, "FOLDER "),
              (std::vector<std::string>{"FOLDER \\gone", "FOLDER \\keep", "FOLDER \\locked"}))
        << dump;
    EXPECT_NE(dump.find("FOLDER \\locked flags=2 attr=16 size=0 "), std::string::npos) << dump;
    EXPECT_EQ(dump.find("Never read"), std::string::npos);
    const auto& d = *RecordAs<TDiskRec>(disk->record());
    EXPECT_EQ(d.volume.skipFlags & 1, 1);
    EXPECT_EQ(d.volume.folderCount, 3u);
    EXPECT_EQ(d.volume.fileCount, 3u);
    EXPECT_EQ(scanner.UnreadableFolderCount(), 2u);
    std::vector<std::string> paths = scanner.UnreadableFolders();
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{tree.string() + "\\gone", tree.string() + "\\locked"}));

    // Only the root out of reach, or the medium failing anywhere, ends the scan.
    for (int c = 0; c < 2; ++c) {
        files.denyList.reset();
        files.strangeOpen.reset();
        if (c == 0) files.denyList = tree.filename().string();
        if (c == 1) files.failList = "\\keep";
        DiskScanner failing(services(), options);
        EXPECT_EQ(scan(failing, *catalog), nullptr) << c;
        EXPECT_FALSE(failing.FailureText().empty()) << c;
        files.failList.reset();
    }
}

TEST(ScanProgressText, TheIncompleteScanWarningCountsAndNamesTheFirstFolders) {
    EXPECT_EQ(ScanIncompleteText(1, {"T:\\a"}), "1 folder could not be read and was catalogued as empty:\r\n\r\nT:\\a");
    EXPECT_EQ(ScanIncompleteText(7, {"1", "2", "3", "4", "5"}),
              "7 folders could not be read and were catalogued as empty:\r\n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n... and 2 more");
}

// Listings where a folder's name lost characters to the code page and has no
// short form: such a folder is reached only through its wide path.
class WideNameFileSystem : public test::HostPathFileSystem {
public:
    WideNameFileSystem(const test::ScratchFolder& scratch, fs::path real) : HostPathFileSystem(scratch), real_(std::move(real)) {}

    std::vector<FolderEntry> ListFolder(const std::string& f) override {
        // What Windows answers for a path with the substituted '?' in it.
        if (f.find('?') != std::string::npos) throw EListFolderError("The filename is incorrect", false);
        std::vector<FolderEntry> entries = HostPathFileSystem::ListFolder(f);
        for (FolderEntry& e : entries)
            if (e.name == real_.filename().string()) {
                e.name = e.pathName = "??";
                e.widePath = kWide;
            }
        return entries;
    }
    std::vector<FolderEntry> ListWideFolder(const std::string&, const std::wstring& path) override {
        if (path.rfind(kWide, 0) != 0) throw EListFolderError("Not a wide path", false);
        std::string rest(path.begin() + static_cast<std::ptrdiff_t>(kWide.size()), path.end());
        std::vector<FolderEntry> entries = HostPathFileSystem::ListFolder(real_.string() + rest);
        for (FolderEntry& e : entries) e.widePath = path + L"\\" + std::wstring(e.name.begin(), e.name.end());
        return entries;
    }

private:
    inline static const std::wstring kWide = L"\\\\wide-only\\folder";
    fs::path real_;
};

TEST_F(ScanFixture, AFolderOnlyItsWideNameReachesIsWalkedByIt) {
    PutFile(tree / "wide" / "inside.txt", "i");
    PutFile(tree / "wide" / "inner" / "deep.txt", "d");
    WideNameFileSystem wide(scratch, tree / "wide");
    ScanServices s(wide, progress);
    DiskScanner scanner(s, options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    EXPECT_EQ(Items(dump, "FILE "), (std::vector<std::string>{"FILE \\??\\inner\\deep.txt", "FILE \\??\\inside.txt"}))
        << dump;
    EXPECT_EQ(scanner.UnreadableFolderCount(), 0u);
}

// The user's texts of the replaced disk stay, whatever the new scan's
// description files and archive comments say, even where those may overwrite.
TEST_F(ScanFixture, UpdateKeepsCarriedTextsOverTheNewScansDescriptionSources) {
    PutFile(tree / "keep.txt", "keep");
    PutFile(tree / "DESCRIPT.ION", "keep.txt From descript\r\nsub From descript\r\n");
    PutFile(tree / "sub" / "FILE_ID.DIZ", "Sub diz");
    PutFile(tree / "inner.zip", test::StoredZip({{"FILE_ID.DIZ", "Zip says hi"}, {"DATA.BIN", "12345"}}));
    // Whichever lists second may overwrite: the first took its comment.
    fs::copy_file(FixtureArchive("comment.zip"), tree / "c1.zip");
    fs::copy_file(FixtureArchive("comment.zip"), tree / "c2.zip");
    options.descOrder = {"DESCRIPT.ION", "FILE_ID.DIZ", "FILES.BBS", "Compressed"};
    Forest opened;
    Node& old = scannedAndReopened(opened);
    Node& cat = *old.parent();
    LoadFileList(&old);
    for (TFileRec& f : RecordAs<TDiskRec>(old.record())->files)
        if (f.name() == "keep.txt") f.description.assign("user keep");
    LoadSubfolders(&old);
    for (const auto& folder : old.children())
        RecordAs<TFolderRec>(folder->record())->description = "user " + folder->text();
    SetDiskModified(old, true);

    DiskScanner scanner(services(), options);
    Node* fresh = scan(scanner, cat, &old);
    ASSERT_NE(fresh, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*fresh);
    for (const char* want : {"desc=user keep\n", "desc=user sub\n", "desc=user inner.zip\n", "desc=user c1.zip\n",
                             "desc=user c2.zip\n"})
        EXPECT_NE(dump.find(want), std::string::npos) << want << "\n" << dump;
    for (const char* lost : {"From descript", "Sub diz", "Zip says hi", "An archive comment"})
        EXPECT_EQ(dump.find(lost), std::string::npos) << lost << "\n" << dump;
}

// A folder whose contents changed (its date with them) or whose name changed
// case keeps its texts; a "1.00" catalog, whose folders do not tell whether
// their files are described, loses none of its files' texts.
TEST_F(ScanFixture, UpdateOfAnOldCatalogKeepsTextsOfChangedFoldersAndUnopenedLists) {
    PutFile(tree / "Docs" / "a.txt", "a");
    PutFile(tree / "plain" / "p.txt", "p");
    {
        DiskScanner scanner(services(), options);
        ASSERT_NE(scan(scanner, *catalog), nullptr) << scanner.FailureText();
    }
    Node& first = *catalog->child(0);
    for (const auto& folder : first.children()) {
        auto* rec = RecordAs<TFolderRec>(folder->record());
        LoadFileList(folder.get());
        if (folder->text() == "Docs") {
            rec->description = "user docs";
            rec->stored.reserved = 3;
            rec->stored.category = 5;
            // Its contents changed since, and its date with them.
            rec->stored.modified ^= 0x00210000;
        }
        for (TFileRec& f : rec->files) f.description.assign("user " + std::string(f.name()));
        // As a "1.00" catalog may store it: described files, the folder unflagged.
        SetFlag(rec->flags, ItemFlags::HasDescriptions, false);
    }
    std::vector<std::uint8_t> bytes = test::Encode(*catalog);
    std::copy_n("1.00", 4, bytes.begin() + 8);
    Forest opened;
    Node& cat = test::Reopen(opened, bytes);
    ASSERT_FALSE(RecordAs<TCatalogRec>(cat.record())->currentFormat);

    PutFile(tree / "Docs" / "new.txt", "n");
    // Through another name: a system that ignores case may keep the old spelling.
    fs::rename(tree / "Docs", tree / "moving");
    fs::rename(tree / "moving", tree / "DOCS");
    DiskScanner scanner(services(), options);
    Node* fresh = scan(scanner, cat, cat.child(0));
    ASSERT_NE(fresh, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*fresh);
    EXPECT_NE(dump.find("FOLDER \\docs "), std::string::npos) << dump;
    EXPECT_NE(dump.find("cat=773 desc=user docs\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("desc=user a.txt\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("desc=user p.txt\n"), std::string::npos) << dump;
}

// With categories in the catalog every folder's list is read for carry-over:
// a file's category alone does not flag its folder.
TEST_F(ScanFixture, CategoriesOfFilesInUnflaggedFoldersCarryOver) {
    PutFile(tree / "plain" / "p.txt", "p");
    Forest opened;
    Node& old = scannedAndReopened(opened);
    Node& cat = *old.parent();
    RecordAs<TCatalogRec>(cat.record())->categories = {CategoryEntry{"Work", 1}};
    LoadSubfolders(&old);
    Node* plain = old.child(0);
    LoadFileList(plain);
    RecordAs<TFolderRec>(plain->record())->files.first()->stored.category = 1;
    SetDiskModified(old, true);
    Forest again;
    Node& reopened = test::Reopen(again, test::Encode(cat));
    ASSERT_TRUE(RecordAs<TCatalogRec>(reopened.record())->currentFormat);
    DiskScanner scanner(services(), options);
    Node* fresh = scan(scanner, reopened, reopened.child(0));
    ASSERT_NE(fresh, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*fresh);
    EXPECT_NE(dump.find("FILE \\plain\\p.txt flags=1 attr=32 size=1 mod="), std::string::npos) << dump;
    EXPECT_NE(dump.find("cat=1 desc=\n"), std::string::npos) << dump;
}

// The collection of old texts pumps messages, shows its count and stops at Cancel.
TEST_F(ScanFixture, CollectingOldTextsKeepsTheWindowAliveAndCanBeCancelled) {
    for (int i = 0; i < 20; ++i) PutFile(tree / ("f" + std::to_string(i)) / "x.txt", "x");
    {
        DiskScanner scanner(services(), options);
        ASSERT_NE(scan(scanner, *catalog), nullptr) << scanner.FailureText();
    }
    Node* old = catalog->child(0);
    const std::vector<std::uint8_t> before = test::Encode(*catalog);

    struct Watch final : IScanProgress {
        std::string top;
        std::vector<std::string> found;
        int pumpsWhileCollecting = 0;
        std::function<void()> cancel;
        void SetTopLabel(const std::string& t) override { top = t; }
        void SetDescFound(const std::string& t) override { found.push_back(t); }
        void PumpMessages() override {
            if (top != "Searching for existings descriptions...") return;
            if (++pumpsWhileCollecting == 3) cancel();
        }
    } watch;
    std::uint64_t now = 0;
    ScanServices s(files, watch);
    s.clockMs = [&] { return now += 50; };
    DiskScanner scanner(s, options);
    watch.cancel = [&] { scanner.RequestAbort(); };
    EXPECT_EQ(scanner.ScanDisk(request(*catalog, old)), nullptr);
    EXPECT_TRUE(scanner.AbortRequested());
    EXPECT_EQ(watch.pumpsWhileCollecting, 3);
    ASSERT_FALSE(watch.found.empty());
    EXPECT_EQ(watch.found.front(), "( Descriptions found so far: 0 )");
    ASSERT_EQ(catalog->children().size(), 1u);
    EXPECT_EQ(catalog->child(0), old);
    EXPECT_TRUE(test::Encode(*catalog) == before);
}

// Which members an archive folder keeps, and what the description files
// inside it give them; with "descriptions only" the archive stays a file
// described by its FILE_ID.DIZ.
TEST_F(ScanFixture, ArchiveMembersAndTheDescriptionFilesInside) {
    PutFile(tree / "rules.zip", test::StoredZip({{"DIR/", ""},
                                                 {std::string("bad\x01name.txt"), "b"},
                                                 {"UPPER.TXT", "u"},
                                                 {"Mixed.Txt", "m"},
                                                 {"deep/In.txt", "d"},
                                                 {"FILES.BBS", "upper.txt Bbs text\r\n"},
                                                 {"DESCRIPT.ION", "Mixed.Txt From descript.ion\r\n"}}));
    PutFile(tree / "only.zip", test::StoredZip({{"FILE_ID.DIZ", "Only this"}, {"data.bin", "12345"}}));
    {
        DiskScanner scanner(services(), options);
        Node* disk = scan(scanner, *catalog);
        ASSERT_NE(disk, nullptr) << scanner.FailureText();
        const std::string dump = test::Dump(*disk);
        EXPECT_EQ(Items(dump, "FILE \\rules.zip\\"),
                  (std::vector<std::string>{"FILE \\rules.zip\\Mixed.Txt", "FILE \\rules.zip\\deep\\In.txt",
                                            "FILE \\rules.zip\\descript.ion", "FILE \\rules.zip\\files.bbs",
                                            "FILE \\rules.zip\\upper.txt"}))
            << dump;
        EXPECT_NE(dump.find("FILE \\rules.zip\\upper.txt flags=17 attr=32 size=1 mod=") , std::string::npos) << dump;
        EXPECT_NE(dump.find("desc=Bbs text\n"), std::string::npos) << dump;
        EXPECT_NE(dump.find("desc=From descript.ion\n"), std::string::npos) << dump;
        EXPECT_NE(dump.find("desc=Only this\n"), std::string::npos) << dump;
    }
    options.archiveDescOnly = true;
    DiskScanner scanner(services(), options);
    Node* disk = scan(scanner, *catalog);
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    EXPECT_EQ(Items(dump, "FOLDER "), std::vector<std::string>{}) << dump;
    EXPECT_NE(dump.find("FILE \\only.zip flags="), std::string::npos) << dump;
    EXPECT_NE(dump.find("desc=Only this\n"), std::string::npos) << dump;
    EXPECT_EQ(RecordAs<TDiskRec>(disk->record())->volume.archiveMemberCount, 0u);
}

// "All disks in the catalog": an update also takes texts from the catalog's other disks.
TEST_F(ScanFixture, CarryOverFromAllDisksOfTheCatalog) {
    PutFile(tree / "shared.txt", "same everywhere");
    options.carryOver = false;
    for (int i = 0; i < 2; ++i) {
        DiskScanner scanner(services(), options);
        ASSERT_NE(scan(scanner, *catalog), nullptr) << scanner.FailureText();
    }
    Node* updated = test::DiskNamed(*catalog, "Disk");
    Node* other = test::DiskNamed(*catalog, "Disk (2)");
    ASSERT_TRUE(updated && other);
    RecordAs<TDiskRec>(other->record())->files.first()->description.assign("from the other disk");
    options.carryOver = true;
    for (bool allDisks : {false, true}) {
        options.carryFromAllDisks = allDisks;
        DiskScanner scanner(services(), options);
        Node* fresh = scan(scanner, *catalog, updated);
        ASSERT_NE(fresh, nullptr) << scanner.FailureText();
        EXPECT_EQ(test::Dump(*fresh).find("desc=from the other disk") != std::string::npos, allDisks);
        updated = fresh;
    }
}

// Files past 4 GB: the record's 32-bit size saturates, the folder's total does not.
TEST_F(ScanFixture, FilesPastFourGigabytes) {
    fs::create_directories(tree / "big");
    {
        std::ofstream(tree / "big" / "huge.bin");
    }
    std::error_code ec;
    fs::resize_file(tree / "big" / "huge.bin", 5ull << 30, ec);
    if (ec) GTEST_SKIP() << "no room for a sparse file here: " << ec.message();
    DiskScanner scanner(services(), options);
    Node* disk = scan(scanner, *catalog);
    fs::remove(tree / "big" / "huge.bin");
    ASSERT_NE(disk, nullptr) << scanner.FailureText();
    const std::string dump = test::Dump(*disk);
    EXPECT_NE(dump.find("FOLDER \\big flags=2 attr=16 size=" + std::to_string((5ull << 30) * 10000) + " "),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("FILE \\big\\huge.bin flags=1 attr=32 size=4294967295 "), std::string::npos) << dump;
}

// Cancel reaches into an archive of many members: the listing stops within
// the next few hundred members.
TEST_F(ScanFixture, CancelStopsInsideALargeArchive) {
    std::vector<std::pair<std::string, std::string>> members;
    for (int i = 0; i < 2000; ++i) members.emplace_back("m" + std::to_string(i) + ".txt", "x");
    PutFile(tree / "many.zip", test::StoredZip(members));
    struct Watch final : IScanProgress {
        std::string dir;
        int pumpsInArchive = 0;
        std::function<void()> cancel;
        void SetDirLabel(const std::string& d) override { dir = d; }
        void PumpMessages() override {
            if (dir.ends_with("many.zip") && ++pumpsInArchive == 1) cancel();
        }
    } watch;
    std::uint64_t now = 0;
    ScanServices s(files, watch);
    s.archives = archives.get();
    s.clockMs = [&] { return now += 50; };
    DiskScanner scanner(s, options);
    watch.cancel = [&] { scanner.RequestAbort(); };
    EXPECT_EQ(scanner.ScanDisk(request(*catalog)), nullptr);
    EXPECT_TRUE(scanner.AbortRequested());
    EXPECT_EQ(watch.pumpsInArchive, 1);
    EXPECT_TRUE(catalog->children().empty());
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
