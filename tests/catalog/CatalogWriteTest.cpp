// Encoding a catalog: bytes written from memory against the reference builder,
// sections and lists copied from the old file, and nothing in the model moved
// before the save is committed.
#include <gtest/gtest.h>

#include "CatalogPlan.h"
#include "SampleCatalog.h"
#include "catalog/file/CatalogFormat.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/file/DiskSectionCodec.h"
#include "catalog/file/CatalogWrite.h"
#include "base/ReadAhead.h"
#include "tests/support/RecordingProgress.h"
#include "ui/WaitProgress.h"

namespace kv::test {
namespace {

std::vector<std::uint8_t> Encode(Node& catalog, SaveShadow* shadow = nullptr) {
    MemorySink sink;
    SaveShadow s = EncodeCatalog(catalog, sink);
    if (shadow) *shadow = std::move(s);
    return sink.take();
}

ReaderPtr MemoryReader(std::vector<std::uint8_t> bytes, std::string name = "old.ctf") {
    return MakeReader(std::make_unique<TReadAheadStream>(std::make_unique<MemorySource>(std::move(bytes)),
                                                         std::move(name)));
}

Node& Open(Forest& forest, std::vector<std::uint8_t> bytes) { return *ReadCatalog(forest, MemoryReader(std::move(bytes))); }

void LoadEverything(Node& catalog) {
    for (const auto& disk : catalog.children()) {
        LoadFileList(disk.get());
        LoadSubfolders(disk.get(), true, true);
    }
}

TCatalogRec& Cat(Node& n) { return *RecordAs<TCatalogRec>(n.record()); }
TDiskRec& Disk(Node& n) { return *RecordAs<TDiskRec>(n.record()); }

FilePlan File(std::string name, std::uint32_t size, std::string description = "") {
    return {std::move(name), {0x20, 0x11, 0x22, 0x33, size, 0}, std::move(description)};
}

FolderPlan Folder(std::string name, std::vector<FilePlan> files, std::vector<FolderPlan> children = {},
                  std::int64_t totalBytes = 0) {
    FolderPlan f;
    f.name = std::move(name);
    f.files = std::move(files);
    f.children = std::move(children);
    f.data.totalSize = FixedSize::fromBytes(totalBytes);
    f.data.attributes = 0x10;
    return f;
}

DiskPlan MakeDisk(std::string name, std::vector<FilePlan> files, std::vector<FolderPlan> folders) {
    DiskPlan d;
    d.start.name = std::move(name);
    d.start.volume.bytesPerSector = 512;
    d.start.volume.sectorsPerCluster = 4;
    d.start.volume.totalClusters = 5000;
    d.start.volume.freeClusters = 1000;
    d.start.label = "LABEL";
    d.start.fileSystem = "FAT";
    d.files = std::move(files);
    d.folders = std::move(folders);
    return d;
}

// Two disks: one with a tree three levels deep, one with only root files.
CatalogPlan TwoDisks() {
    CatalogPlan c;
    c.name = "Archive";
    c.description = "all of it";
    c.categories = {{"Music", 3}};
    c.flagNames = {"", "Done", ""};
    c.disks.push_back(MakeDisk("CD1", {File("readme.txt", 10, "read me")},
                               {Folder("A", {File("a1", 1), File("a2", 2, "two")},
                                       {Folder("A1", {}, {Folder("A1x", {File("deep", 7)})})}, 10),
                                Folder("B", {File("b1", 3)}, {}, 3)}));
    c.disks.push_back(MakeDisk("CD2", {File("x", 5), File("y", 6)}, {}));
    return c;
}

TEST(CatalogWrite, WritesFromMemoryExactlyAsTheReferenceBytes) {
    CatalogPlan flagsOnly;
    flagsOnly.flagNames = {"", "Second", ""};
    CatalogPlan bareDisk;
    bareDisk.disks.push_back(MakeDisk("Bare", {}, {}));
    CatalogPlan virtualDisk = TwoDisks();
    virtualDisk.disks[0].flags |= ItemFlags::VirtualDisk;
    virtualDisk.disks[0].start.isVirtual = true;
    virtualDisk.disks[0].start.virtualPath = "\\Music\\";
    virtualDisk.disks[0].start.otherClusters = 77;
    CatalogPlan archive = TwoDisks();
    archive.disks[0].folders[1].flags |= ItemFlags::Archive | ItemFlags::HasDescriptions;

    std::vector<std::pair<const char*, CatalogPlan>> cases = {
        {"empty", CatalogPlan{}}, {"flag names only", flagsOnly}, {"disk without files or folders", bareDisk},
        {"two disks", TwoDisks()}, {"virtual disk", virtualDisk}, {"archive folder", archive}};
    for (std::uint32_t seed = 1; seed <= 25; ++seed) cases.push_back({"random", RandomCatalog(seed)});

    for (const auto& [what, plan] : cases) {
        SCOPED_TRACE(what);
        Forest forest;
        EXPECT_EQ(Encode(ModelOf(forest, plan)), BytesOf(plan));
    }
    Forest forest;
    EXPECT_EQ(Encode(ModelOf(forest, CatalogPlan{})).size(), 18u);
}

TEST(CatalogWrite, MatchesTheSampleCatalog) {
    FolderPlan a = Folder("A", {{"c.dat", {0x01, 7, 8, 9, 300, 0}, ""}}, {}, 300);
    a.data.attributes = 0;
    FolderPlan a1 = Folder("A1", {}, {}, 0);
    a1.data.attributes = 0;
    a1.description = "empty";
    a.children.push_back(a1);
    FolderPlan b = Folder("B", {{"d.dat", {0x00, 0xCAFEF00D, 10, 150, 400, 2}, "dee"}}, {}, 400);
    b.data.attributes = 0;
    b.flags = 0x1A;

    CatalogPlan plan;
    plan.name = "Sample";
    plan.description = "Two disks";
    plan.categories = {{"Holidays", 1}, {"Work", 2}};
    plan.flagNames = {"Favourite", "", ""};
    DiskPlan photos;
    photos.flags = 0xA3;
    photos.start = {"Photos", {}, "DATA", "NTFS", true, "\\Photos\\", 250, "Holiday pictures"};
    VolumeData& v = photos.start.volume;
    v.mediaType = 5;
    v.bytesPerSector = 512;
    v.sectorsPerCluster = 8;
    v.totalClusters = 1000;
    v.freeClusters = 100;
    v.fileCount = 4;
    v.folderCount = 3;
    v.catalogued = 40000.5;
    photos.files = {{"a.txt", {0x20, 1, 2, 3, 100, 0}, ""}, {"b.txt", {0x20, 4, 5, 6, 200, 0x21}, "bee"}};
    photos.folders = {a, b};
    DiskPlan empty;
    empty.flags = 0x23;
    empty.start = {"Empty", VolumeData{}, "", "FAT", false, "", 0, ""};
    plan.disks = {photos, empty};

    Forest forest;
    EXPECT_EQ(Encode(ModelOf(forest, plan)), makeSampleCatalog().bytes.bytes());
}

TEST(CatalogWrite, ChangesNothingInMemoryUntilCommitted) {
    const CatalogPlan plan = TwoDisks();
    const std::vector<std::uint8_t> expected = BytesOf(plan);
    Forest forest;
    Node& catalog = ModelOf(forest, plan);
    Node& cd1 = *catalog.child(0);
    Node& folderA = *cd1.child(0);

    SaveShadow shadow;
    ASSERT_EQ(Encode(catalog, &shadow), expected);
    EXPECT_TRUE(Cat(catalog).modified);
    EXPECT_EQ(Disk(cd1).sectionPos, -1);
    EXPECT_TRUE(Disk(cd1).changed);
    EXPECT_EQ(Disk(cd1).header, DiskSectionHeader{});
    EXPECT_EQ(RecordAs<TFolderRec>(folderA.record())->stored.fileListOffset, -1);
    EXPECT_TRUE(Disk(cd1).files.isDirty());

    CommitSave(catalog, shadow, MemoryReader(expected, "new.ctf"), "new.ctf");
    EXPECT_FALSE(Cat(catalog).modified);
    EXPECT_EQ(Cat(catalog).fileName, "new.ctf");
    ASSERT_EQ(shadow.disks.size(), 2u);
    for (const auto& disk : catalog.children()) {
        TDiskRec& d = Disk(*disk);
        EXPECT_FALSE(d.changed);
        EXPECT_FALSE(d.files.isDirty());
        // The committed words are the ones in the file.
        ASSERT_GT(d.sectionPos, 0);
        BoundedReader in(expected.data() + d.sectionPos + 1, expected.size() - d.sectionPos - 1);
        EXPECT_EQ(d.header, readSectionHeader(in));
        EXPECT_EQ(static_cast<std::size_t>(d.sectionPos + d.header.sectionSize),
                  disk->index() == 1 ? expected.size() : static_cast<std::size_t>(Disk(*catalog.child(1)).sectionPos));
    }
    const StoredFolder& a = RecordAs<TFolderRec>(folderA.record())->stored;
    EXPECT_EQ(a.fileCount, 2u);
    EXPECT_EQ(a.descriptionBytes, 2u + 2u + 3u);
    BoundedReader list(expected.data() + Disk(cd1).sectionPos + a.fileListOffset, static_cast<std::size_t>(a.fileListSize));
    EXPECT_EQ(readFileRecord(list).name, "a1");
}

TEST(CatalogWrite, RefusesWhatTheFormatCannotHold) {
    auto deep = [](std::size_t levels) {
        CatalogPlan plan;
        plan.disks.push_back(MakeDisk("Deep", {}, {}));
        std::vector<FolderPlan>* level = &plan.disks[0].folders;
        for (std::size_t i = 0; i < levels; ++i) {
            level->push_back(Folder("d", {}));
            level = &level->back().children;
        }
        return plan;
    };
    Forest forest;
    EXPECT_NO_THROW(Encode(ModelOf(forest, deep(255))));
    EXPECT_THROW(Encode(ModelOf(forest, deep(256))), ECatalogLimit);

    CatalogPlan many;
    for (int i = 0; i < 255; ++i) many.categories.push_back({"c", 1});
    EXPECT_THROW(Encode(ModelOf(forest, many)), ECatalogLimit);
}

EncodeOptions WithProgress(WaitProgress& progress) {
    EncodeOptions options;
    options.progress = &progress;
    return options;
}

TEST(CatalogWrite, ProgressCountsBytesAndCopesWithEmptyDisks) {
    Forest forest;
    Node& catalog = ModelOf(forest, TwoDisks());
    RecordingProgress progress;
    MemorySink sink;
    EncodeCatalog(catalog, sink, WithProgress(progress));
    // CD1: its folders hold 13 bytes; CD2 has no folders and weighs its total space.
    EXPECT_EQ(SaveProgressTotal(catalog), 13.0 + 5000.0 * 4 * 512);
    // Written from memory, each folder counts the bytes directly in it and a
    // disk its used bytes around its folders: the used bytes of both disks.
    EXPECT_EQ(progress.done, 2 * 4000.0 * 4 * 512);

    // Copied whole, each disk counts what it weighs in the total.
    Forest reopened;
    Node& copied = Open(reopened, sink.take());
    progress.done = 0;
    MemorySink copy;
    EncodeCatalog(copied, copy, WithProgress(progress));
    EXPECT_EQ(progress.done, SaveProgressTotal(copied));

    Node& empty = ModelOf(forest, CatalogPlan{});
    EXPECT_EQ(SaveProgressTotal(empty), 0);
    EXPECT_EQ(waitPercent(0, SaveProgressTotal(empty)), 0);
}

// Pending messages go through while one long list is written, with or without
// a progress window, but not more often than every 30 ms or so.
TEST(CatalogWrite, ProcessesMessagesWhileALongListIsWritten) {
    CatalogPlan plan;
    std::vector<FilePlan> files;
    for (int i = 0; i < 3000; ++i) files.push_back(File("f" + std::to_string(i), 1));
    plan.disks.push_back(MakeDisk("One list", files, {}));
    struct Case {
        const char* what;
        std::uint64_t tick;  // ms the clock moves on each reading
        bool withProgress;
    };
    for (const Case& c : {Case{"clock running", 1, false}, Case{"with a progress window", 1, true},
                          Case{"clock standing still", 0, false}}) {
        SCOPED_TRACE(c.what);
        Forest forest;
        Node& catalog = ModelOf(forest, plan);
        RecordingProgress progress;
        std::uint64_t now = 1000;
        std::vector<std::uint64_t> pumped{now};
        EncodeOptions options;
        options.progress = c.withProgress ? &progress : nullptr;
        options.clockMs = [&] { return now += c.tick; };
        options.processMessages = [&] { pumped.push_back(now); };
        MemorySink sink;
        EncodeCatalog(catalog, sink, options);
        EXPECT_EQ(sink.take(), BytesOf(plan));
        if (c.tick == 0) {
            EXPECT_EQ(pumped.size(), 1u);
            continue;
        }
        EXPECT_GE(pumped.size(), 10u);
        for (std::size_t i = 1; i < pumped.size(); ++i) {
            EXPECT_GE(pumped[i] - pumped[i - 1], 30u) << i;
            EXPECT_LE(pumped[i] - pumped[i - 1], 50u) << i;
        }
    }
}

// With a reader on the old file: what did not change is copied.

TEST(CatalogWrite, SaveAsOfAnOpenCatalogCopiesEveryByte) {
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const std::vector<std::uint8_t> old = BytesOf(RandomCatalog(seed));
        Forest forest;
        EXPECT_EQ(Encode(Open(forest, old)), old) << seed;
    }
}

TEST(CatalogWrite, UnchangedSectionsFollowAChangedHead) {
    CatalogPlan plan = TwoDisks();
    Forest forest;
    Node& catalog = Open(forest, BytesOf(plan));
    Cat(catalog).description = "a much longer description than before";
    plan.description = Cat(catalog).description;
    const std::vector<std::uint8_t> expected = BytesOf(plan);

    SaveShadow shadow;
    EXPECT_EQ(Encode(catalog, &shadow), expected);
    const std::int32_t shift = static_cast<std::int32_t>(expected.size() - BytesOf(TwoDisks()).size());
    ASSERT_EQ(shadow.disks.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(shadow.disks[i].sectionPos, Disk(*catalog.child(i)).sectionPos + shift);
        EXPECT_EQ(shadow.disks[i].header, Disk(*catalog.child(i)).header);
    }
}

TEST(CatalogWrite, ChangedDiskCopiesItsUnloadedListsAtNewOffsets) {
    CatalogPlan plan = TwoDisks();
    Forest forest;
    Node& catalog = Open(forest, BytesOf(plan));
    Node& cd1 = *catalog.child(0);
    ASSERT_FALSE(Disk(cd1).loaded);
    Disk(cd1).description = "now with a description, so every list moves";
    Disk(cd1).changed = true;
    plan.disks[0].start.description = Disk(cd1).description;

    EXPECT_EQ(Encode(catalog), BytesOf(plan));
    EXPECT_FALSE(Disk(cd1).loaded) << "copied lists are not loaded";
    // The deeper levels were read for the save, once.
    ASSERT_EQ(cd1.children().size(), 2u);
    EXPECT_EQ(cd1.child(0)->child(0)->child(0)->text(), "A1x");
}

TEST(CatalogWrite, ChangedDiskWithListsInMemoryWritesThemAsLoaded) {
    const CatalogPlan plan = TwoDisks();
    Forest forest;
    Node& catalog = Open(forest, BytesOf(plan));
    LoadEverything(catalog);
    for (const auto& disk : catalog.children()) Disk(*disk).changed = true;
    EXPECT_EQ(Encode(catalog), BytesOf(AsLoaded(plan)));
}

TEST(CatalogWrite, RoundTripOfRandomCatalogsIsStable) {
    for (std::uint32_t seed = 100; seed < 120; ++seed) {
        const CatalogPlan plan = RandomCatalog(seed);
        Forest forest;
        Node& catalog = Open(forest, BytesOf(plan));
        LoadEverything(catalog);
        for (const auto& disk : catalog.children()) Disk(*disk).changed = true;
        const std::vector<std::uint8_t> first = Encode(catalog);
        ASSERT_EQ(first, BytesOf(AsLoaded(plan))) << seed;

        Forest again;
        Node& reread = Open(again, first);
        LoadEverything(reread);
        for (const auto& disk : reread.children()) Disk(*disk).changed = true;
        EXPECT_EQ(Encode(reread), first) << seed;
    }
}

TEST(CatalogWrite, OldFormatRewritesEveryListAndDropsWhatItLoaded) {
    const CatalogPlan plan = TwoDisks();
    std::vector<std::uint8_t> old = BytesOf(plan);
    std::copy_n("1.00", 4, old.begin() + 8);
    Forest forest;
    Node& catalog = Open(forest, old);
    ASSERT_FALSE(Cat(catalog).currentFormat);

    SaveShadow shadow;
    EXPECT_EQ(Encode(catalog, &shadow), BytesOf(AsLoaded(plan)));
    EXPECT_FALSE(Disk(*catalog.child(0)).loaded);
    EXPECT_EQ(shadow.writtenLists.size(), 6u);  // CD1 root, A, B, A1x, CD2 root; A1 has none but is loaded
}

TEST(CatalogWrite, ChangedDiskSavedTwiceKeepsItsFolders) {
    const CatalogPlan plan = TwoDisks();
    Forest forest;
    Node& catalog = Open(forest, BytesOf(plan));
    Node& cd1 = *catalog.child(0);
    for (int round = 0; round < 2; ++round) {
        Disk(cd1).changed = true;
        SaveShadow shadow;
        std::vector<std::uint8_t> bytes = Encode(catalog, &shadow);
        ASSERT_EQ(bytes, BytesOf(plan)) << round;
        CommitSave(catalog, shadow, MemoryReader(bytes, "new.ctf"), "new.ctf");
        EXPECT_EQ(cd1.children().size(), 2u);
    }
    LoadEverything(catalog);
    EXPECT_EQ(cd1.child(0)->children().size(), 1u);
}

TEST(CatalogWrite, ShortOrMissingOldFileFailsTheSave) {
    const std::vector<std::uint8_t> old = BytesOf(TwoDisks());
    {
        Forest forest;
        Node& catalog = Open(forest, old);
        Cat(catalog).reader = MemoryReader({old.begin(), old.end() - 3});
        EXPECT_THROW(Encode(catalog), EIoError);
        EXPECT_EQ(Disk(*catalog.child(1)).sectionPos + Disk(*catalog.child(1)).header.sectionSize,
                  static_cast<std::int32_t>(old.size()));
    }
    {
        Forest forest;
        Node& catalog = Open(forest, old);
        Disk(*catalog.child(0)).changed = true;
        Cat(catalog).reader = MemoryReader({old.begin(), old.begin() + 200});
        EXPECT_THROW(Encode(catalog), Error);
    }
    {
        Forest forest;
        Node& catalog = Open(forest, old);
        Cat(catalog).reader.reset();
        EXPECT_THROW(Encode(catalog), Error);
    }
    {
        // Every list in memory, but A's subfolders never read: without the old
        // file they cannot be written, and leaving them out would lose them.
        Forest forest;
        Node& catalog = Open(forest, old);
        for (const auto& disk : catalog.children()) {
            LoadFileList(disk.get());
            for (const auto& top : disk->children()) LoadFileList(top.get());
            Disk(*disk).changed = true;
        }
        Cat(catalog).reader.reset();
        EXPECT_THROW(Encode(catalog), Error);
    }
}

}  // namespace
}  // namespace kv::test
