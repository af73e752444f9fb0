// The save transaction under faults: after every failure or Cancel the file on
// disk is the old or the new catalog, whole, and the catalog in memory still
// reads its file and saves everything on the next try.
#include <gtest/gtest.h>

#include "CatalogPlan.h"
#include "FileBytes.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/RecordingProgress.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/file/CatalogWrite.h"
#include "base/ReadAhead.h"
#include "catalog/file/CatalogSave.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv::test {
namespace {

using ui::PromptAnswer;

constexpr const char* kMoveText =
    "There was a problem while trying to replace old catalog file.\rIf everything else fails, you can select 'Cancel', "
    "and use 'Save As...'\rto save the catalog under different name.";
constexpr const char* kStillInUse = "It seems this file is still in use, probably in some other application.\r\r";

class ScriptedDialog : public ISaveDialog {
public:
    std::optional<std::string> askSaveName(const Request& request) override {
        asked.push_back(request);
        if (names.empty()) return std::nullopt;
        std::string name = names.front();
        names.erase(names.begin());
        return name;
    }
    std::vector<std::string> names;
    std::vector<Request> asked;
};

// A prompt that runs `during` as each question is asked (a second save, a look
// at the progress window).
class ReentrantPrompt : public ui::ScriptedPrompt {
public:
    std::function<void()> during;
    PromptAnswer ask(const ui::PromptRequest& request) override {
        if (during) during();
        return ScriptedPrompt::ask(request);
    }
};

TDiskRec& Disk(Node& n) { return *RecordAs<TDiskRec>(n.record()); }
TCatalogRec& Cat(Node& n) { return *RecordAs<TCatalogRec>(n.record()); }

FilePlan File(std::string name, std::uint32_t size, std::string description = "") {
    return {std::move(name), {0x20, 0x11, 0x22, 0x33, size, 0}, std::move(description)};
}

// Three disks; the last one big enough that the writer hands the file system
// many pieces, so a full disk can strike at many points.
CatalogPlan OldPlan() {
    CatalogPlan c;
    c.name = "Shelf";
    c.categories = {{"Docs", 1}};
    auto disk = [](std::string name) {
        DiskPlan d;
        d.start.name = std::move(name);
        d.start.volume.bytesPerSector = 512;
        d.start.volume.sectorsPerCluster = 1;
        d.start.volume.totalClusters = 100000;
        d.start.fileSystem = "FAT";
        return d;
    };
    DiskPlan one = disk("One");
    one.files = {File("root.txt", 1, "described")};
    FolderPlan a{"A", ItemFlags::Folder, {}, "", {File("a.txt", 2)}, {}};
    a.children.push_back({"Deep", ItemFlags::Folder, {}, "deep folder", {File("d1", 3), File("d2", 4)}, {}});
    one.folders = {a, FolderPlan{"B", ItemFlags::Folder, {}, "", {File("b.txt", 5)}, {}}};
    DiskPlan two = disk("Two");
    two.files = {File("x", 6)};
    DiskPlan big = disk("Big");
    for (int i = 0; i < 4000; ++i) big.files.push_back(File("file number " + std::to_string(i), i));
    c.disks = {one, two, big};
    for (DiskPlan& d : c.disks) {
        d.start.volume.fileCount = 5000;  // generous, so the estimate exceeds the file
        d.start.volume.folderCount = 10;
    }
    return c;
}

// The edit made in memory, as a plan.
CatalogPlan NewPlan() {
    CatalogPlan c = OldPlan();
    c.description = "edited";
    c.disks[0].start.description = "disk One, edited";
    return c;
}

// What a reader sees once everything is loaded, written out again from memory.
Bytes Canonical(Node& catalog) {
    for (const auto& disk : catalog.children()) {
        LoadFileList(disk.get());
        LoadSubfolders(disk.get(), true, true);
        Disk(*disk).changed = true;
    }
    MemorySink sink;
    EncodeCatalog(catalog, sink);
    return sink.take();
}

Bytes CanonicalOf(const CatalogPlan& plan) {
    Forest forest;
    Node& catalog = *ReadCatalog(forest, MakeReader(std::make_unique<TReadAheadStream>(
                                             std::make_unique<MemorySource>(BytesOf(plan)), "plan.ctf")));
    return Canonical(catalog);
}

struct Positions {
    std::vector<std::pair<std::int32_t, DiskSectionHeader>> disks;
    std::vector<bool> changed;
    bool operator==(const Positions&) const = default;
};

Positions PositionsOf(Node& catalog) {
    Positions p;
    for (const auto& disk : catalog.children()) {
        p.disks.push_back({Disk(*disk).sectionPos, Disk(*disk).header});
        p.changed.push_back(Disk(*disk).changed);
    }
    return p;
}

struct SaveFixture {
    ScratchFolder scratch;
    FaultyFileSystem fs{scratch};
    ReentrantPrompt prompt;
    ScriptedDialog dialog;
    SaveEnvironment env{fs, prompt, dialog};
    Forest forest;
    std::string path = scratch.file("shelf.ctf");
    Bytes oldBytes = BytesOf(OldPlan());
    Bytes newBytes = BytesOf(NewPlan());
    Node* catalog = nullptr;
    int pauses = 0;

    explicit SaveFixture(bool edit = true) {
        WriteFile(path, oldBytes);
        catalog = ReadCatalog(forest, MakeReader(std::make_unique<TReadAheadStream>(fs.OpenRead(path), path)));
        env.pause = [this](int) { ++pauses; };
        if (!edit) return;
        Cat(*catalog).description = "edited";
        Disk(*catalog->child(0)).description = "disk One, edited";
        SetDiskModified(*catalog->child(0), true);
    }

    SaveResult save(bool saveAs = false) { return SaveCatalog(catalog, saveAs, env); }

    std::vector<std::string> tempFiles() {
        std::vector<std::string> left;
        for (const std::string& folder : {FolderOf(path), scratch.tempFolder()})
            for (const std::string& name : scratch.list(folder))
                if (name.rfind("ctf", 0) == 0) left.push_back(name);
        return left;
    }

    // A save that went wrong left the catalog as it was: the old file in place,
    // nothing moved in memory, no temporary file behind; the next save then
    // writes the whole catalog, and the file reads back to it.
    void expectUnharmedAndSavable(const Positions& before) {
        EXPECT_EQ(ReadFile(path), oldBytes);
        EXPECT_TRUE(Cat(*catalog).modified);
        EXPECT_EQ(PositionsOf(*catalog), before);
        EXPECT_TRUE(tempFiles().empty());
        expectNextSaveKeepsEverything();
    }

    void expectNextSaveKeepsEverything() {
        fs.failAtWrite.reset();
        fs.room.reset();
        fs.fault = nullptr;
        fs.free.reset();
        const std::size_t asked = prompt.asked.size();
        ASSERT_EQ(save(), SaveResult::Saved);
        EXPECT_EQ(prompt.asked.size(), asked);
        EXPECT_EQ(ReadFile(path), newBytes);
        // Nothing reads a kept temporary file any more: it goes.
        EXPECT_TRUE(tempFiles().empty());
        EXPECT_FALSE(Cat(*catalog).modified);
        Forest fresh;
        Node& reopened = *ReadCatalog(fresh, MakeReader(std::make_unique<TReadAheadStream>(fs.OpenRead(path), path)));
        static const Bytes expected = CanonicalOf(NewPlan());
        EXPECT_EQ(Canonical(reopened), expected);
        EXPECT_EQ(Canonical(*catalog), expected);
    }
};

TEST(SaveCatalog, SavesInPlaceAndReadsFromTheNewFile) {
    SaveFixture f;
    ASSERT_EQ(f.save(), SaveResult::Saved);
    EXPECT_TRUE(f.prompt.asked.empty());
    EXPECT_EQ(ReadFile(f.path), f.newBytes);
    EXPECT_EQ(f.fs.openReaders(f.path), 1);
    EXPECT_TRUE(f.tempFiles().empty());
    EXPECT_FALSE(Disk(*f.catalog->child(0)).changed);
    EXPECT_EQ(Canonical(*f.catalog), CanonicalOf(NewPlan()));
}

TEST(SaveCatalog, DiskFullAtAnyWriteFailsCleanly) {
    std::uint64_t writes = 0;
    std::uint64_t size = 0;
    {
        SaveFixture reference;
        ASSERT_EQ(reference.save(), SaveResult::Saved);
        writes = reference.fs.writes;
        size = reference.newBytes.size();
    }
    // Every write, patch and flush fails once; and the disk fills at byte
    // positions all through the file, half-way into a write.
    struct Fault {
        std::optional<std::uint64_t> write;
        std::optional<std::uint64_t> room;
    };
    std::vector<Fault> faults;
    for (std::uint64_t k = 0; k < writes; ++k) faults.push_back({k, std::nullopt});
    for (std::uint64_t room = 0; room < size; room += room < 64 ? 13 : 7919) faults.push_back({std::nullopt, room});
    faults.push_back({std::nullopt, size - 1});
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.write ? "write " + std::to_string(*fault.write) : "room " + std::to_string(*fault.room));
        SaveFixture f;
        const Positions before = PositionsOf(*f.catalog);
        f.fs.failAtWrite = fault.write;
        f.fs.room = fault.room;
        ASSERT_EQ(f.save(), SaveResult::Failed);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_EQ(f.prompt.asked[0].caption, "Save error");
        EXPECT_EQ(f.prompt.asked[0].text.rfind("An error occured while saving the catalog " + f.path + ".\r", 0), 0u);
        f.expectUnharmedAndSavable(before);
    }
}

TEST(SaveCatalog, BlockedRenameIsRetriedQuietlyThenAsked) {
    struct Case {
        const char* what;
        int refusals;  // -1: always
        std::vector<PromptAnswer> answers;
        SaveResult result;
        std::size_t prompts;
    };
    const Case cases[] = {
        {"cleared after three tries", 3, {}, SaveResult::Saved, 0},
        {"cleared after Retry", 8, {PromptAnswer::Retry}, SaveResult::Saved, 1},
        {"cancelled", -1, {PromptAnswer::Cancel}, SaveResult::Cancelled, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SaveFixture f;
        const Positions before = PositionsOf(*f.catalog);
        int refusals = c.refusals;
        f.fs.fault = [&](FaultyFileSystem::Call call, const std::string&, const std::string& to)
            -> std::optional<FsStatus> {
            if (call != FaultyFileSystem::Call::Move || to != f.path || refusals == 0) return std::nullopt;
            if (refusals > 0) --refusals;
            return FsStatus::Failed;
        };
        f.prompt.answers.assign(c.answers.begin(), c.answers.end());
        ASSERT_EQ(f.save(), c.result);
        ASSERT_EQ(f.prompt.asked.size(), c.prompts);
        if (c.prompts) {
            EXPECT_EQ(f.prompt.asked[0].text, kMoveText);
            EXPECT_EQ(f.prompt.asked[0].buttons, ui::PromptButtons::RetryCancel);
        }
        EXPECT_GE(f.pauses, std::min(c.refusals < 0 ? 5 : c.refusals, 5));
        if (c.result == SaveResult::Saved) {
            EXPECT_EQ(ReadFile(f.path), f.newBytes);
            EXPECT_TRUE(f.tempFiles().empty());
        } else {
            f.expectUnharmedAndSavable(before);
        }
    }
}

// Little free space: the new file is written in the temporary folder and the
// old one must be erased before the new one can move in.
TEST(SaveCatalog, TempFolderCaseAsksBeforeAndAfterErasing) {
    auto lowSpace = [](SaveFixture& f) { f.fs.free = f.newBytes.size() + 10; };
    {
        SCOPED_TRACE("erase refused, Cancel");
        SaveFixture f;
        lowSpace(f);
        const Positions before = PositionsOf(*f.catalog);
        f.fs.fault = [&](FaultyFileSystem::Call call, const std::string& from, const std::string&) -> std::optional<FsStatus> {
            if (call == FaultyFileSystem::Call::Erase && from == f.path) return FsStatus::AccessDenied;
            return std::nullopt;
        };
        f.prompt.answers = {PromptAnswer::Cancel};
        ASSERT_EQ(f.save(), SaveResult::Cancelled);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_NE(f.prompt.asked[0].text.find(kStillInUse), std::string::npos);
        f.expectUnharmedAndSavable(before);
    }
    {
        SCOPED_TRACE("erased, move refused, Cancel: the new file is kept and read from");
        SaveFixture f;
        lowSpace(f);
        f.fs.fault = [&](FaultyFileSystem::Call call, const std::string&, const std::string& to) -> std::optional<FsStatus> {
            if (call == FaultyFileSystem::Call::Move && to == f.path) return FsStatus::Failed;
            return std::nullopt;
        };
        f.prompt.answers = {PromptAnswer::Cancel};
        ASSERT_EQ(f.save(), SaveResult::Cancelled);
        EXPECT_FALSE(f.fs.Exists(f.path));
        const std::vector<std::string> kept = f.scratch.list(f.scratch.tempFolder());
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(ReadFile(JoinPath(f.scratch.tempFolder(), kept[0])), f.newBytes);
        ASSERT_EQ(f.prompt.asked.size(), 2u);
        EXPECT_NE(f.prompt.asked[1].text.find(kept[0]), std::string::npos);
        EXPECT_TRUE(Cat(*f.catalog).modified);
        EXPECT_EQ(Cat(*f.catalog).fileName, f.path);
        f.expectNextSaveKeepsEverything();
    }
    {
        SCOPED_TRACE("not enough room even without the old file");
        SaveFixture f;
        const Positions before = PositionsOf(*f.catalog);
        f.fs.free = 10;
        ASSERT_EQ(f.save(), SaveResult::Failed);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_EQ(f.prompt.asked[0].text, "There is not enough disk space on destination drive to save the catalog.");
        f.expectUnharmedAndSavable(before);
    }
}

// A drive that cannot tell its free space (a network share, say) is tried; a
// full disk then shows as the write failing.
TEST(SaveCatalog, UnknownFreeSpaceIsTried) {
    {
        SCOPED_TRACE("room enough");
        SaveFixture f;
        ASSERT_GT(f.newBytes.size(), f.oldBytes.size()) << "the fault shows when the catalog grows";
        f.fs.freeUnknown = true;
        f.env.createBak = true;
        ASSERT_EQ(f.save(), SaveResult::Saved);
        EXPECT_TRUE(f.prompt.asked.empty());
        EXPECT_EQ(ReadFile(f.path), f.newBytes);
        EXPECT_EQ(ReadFile(WithExtension(f.path, ".BAK")), f.oldBytes);
        EXPECT_TRUE(f.tempFiles().empty());
    }
    {
        SCOPED_TRACE("the disk fills during the write");
        SaveFixture f;
        f.fs.freeUnknown = true;
        f.fs.room = f.newBytes.size() / 2;
        const Positions before = PositionsOf(*f.catalog);
        ASSERT_EQ(f.save(), SaveResult::Failed);
        ASSERT_EQ(f.prompt.asked.size(), 1u);
        EXPECT_EQ(f.prompt.asked[0].text.rfind("An error occured while saving the catalog " + f.path + ".\r", 0), 0u);
        f.expectUnharmedAndSavable(before);
    }
}

TEST(SaveCatalog, BackupKeepsThePreviousFile) {
    {
        SCOPED_TRACE("an older backup is replaced");
        SaveFixture f;
        f.env.createBak = true;
        const std::string bak = WithExtension(f.path, ".BAK");
        WriteFile(bak, {1, 2, 3});
        ASSERT_EQ(f.save(), SaveResult::Saved);
        EXPECT_EQ(ReadFile(bak), f.oldBytes);
        EXPECT_EQ(ReadFile(f.path), f.newBytes);
    }
    {
        SCOPED_TRACE("backup refused, Cancel: nothing erased");
        SaveFixture f;
        f.env.createBak = true;
        const std::string bak = WithExtension(f.path, ".BAK");
        WriteFile(bak, {1, 2, 3});
        const Positions before = PositionsOf(*f.catalog);
        f.fs.fault = [&](FaultyFileSystem::Call call, const std::string& from, const std::string& to) -> std::optional<FsStatus> {
            if (to == bak || (call == FaultyFileSystem::Call::Erase && from == f.path)) return FsStatus::AccessDenied;
            return std::nullopt;
        };
        f.prompt.answers = {PromptAnswer::Cancel};
        ASSERT_EQ(f.save(), SaveResult::Cancelled);
        EXPECT_EQ(ReadFile(bak), (Bytes{1, 2, 3}));
        f.expectUnharmedAndSavable(before);
    }
    {
        SCOPED_TRACE("move refused after the backup, Cancel: the backup is moved back");
        SaveFixture f;
        f.env.createBak = true;
        const Positions before = PositionsOf(*f.catalog);
        f.fs.fault = [&](FaultyFileSystem::Call call, const std::string& from, const std::string& to)
            -> std::optional<FsStatus> {
            if (call == FaultyFileSystem::Call::Move && to == f.path && from != WithExtension(f.path, ".BAK"))
                return FsStatus::Failed;
            return std::nullopt;
        };
        f.prompt.answers = {PromptAnswer::Cancel};
        ASSERT_EQ(f.save(), SaveResult::Cancelled);
        EXPECT_FALSE(f.fs.Exists(WithExtension(f.path, ".BAK")));
        f.expectUnharmedAndSavable(before);
    }
    {
        SCOPED_TRACE("move refused after the backup, and the backup cannot move back: read from the backup");
        SaveFixture f;
        f.env.createBak = true;
        const std::string bak = WithExtension(f.path, ".BAK");
        const Positions before = PositionsOf(*f.catalog);
        f.fs.fault = [&](FaultyFileSystem::Call call, const std::string&, const std::string& to)
            -> std::optional<FsStatus> {
            if (call == FaultyFileSystem::Call::Move && to == f.path) return FsStatus::Failed;
            return std::nullopt;
        };
        f.prompt.answers = {PromptAnswer::Cancel};
        ASSERT_EQ(f.save(), SaveResult::Cancelled);
        EXPECT_FALSE(f.fs.Exists(f.path));
        EXPECT_EQ(ReadFile(bak), f.oldBytes);
        EXPECT_EQ(f.fs.openReaders(bak), 1);
        ASSERT_EQ(f.prompt.asked.size(), 2u);
        EXPECT_EQ(f.prompt.asked[1].text, "The previous catalog file is kept as " + bak + ".");
        EXPECT_TRUE(Cat(*f.catalog).modified);
        EXPECT_EQ(PositionsOf(*f.catalog), before);
        EXPECT_TRUE(f.tempFiles().empty());
        f.expectNextSaveKeepsEverything();
        EXPECT_EQ(ReadFile(bak), f.oldBytes) << "the backup is the user's, not a temporary file";
    }
}

// The progress window's texts, the window gone before an error box shows, and
// the status bar busy for the save and idle after it, however it ends.
TEST(SaveCatalog, ProgressAndStatusFollowTheSave) {
    const std::string saving = "show Saving catalog, please wait...";
    const std::string moving = "text Moving catalog file to specified location...";
    struct Case {
        const char* what;
        std::function<void(SaveFixture&)> setup;
        SaveResult result;
        std::vector<std::string> events;
        std::size_t prompts;
    };
    const Case cases[] = {
        {"in place", [](SaveFixture&) {}, SaveResult::Saved, {saving, "close"}, 0},
        {"through the temporary folder", [](SaveFixture& f) { f.fs.free = f.newBytes.size() + 10; },
         SaveResult::Saved, {saving, moving, "close"}, 0},
        {"write error", [](SaveFixture& f) { f.fs.failAtWrite = 0; }, SaveResult::Failed, {saving, "close"}, 1},
        {"no room", [](SaveFixture& f) { f.fs.free = 10; }, SaveResult::Failed, {saving, "close"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SaveFixture f;
        RecordingProgress progress;
        std::vector<std::string> statuses;
        std::vector<bool> progressAtPrompt;
        f.env.progress = &progress;
        f.env.status = [&](const std::string& text) { statuses.push_back(text); };
        f.prompt.during = [&] { progressAtPrompt.push_back(progress.exists); };
        c.setup(f);
        ASSERT_EQ(f.save(), c.result);
        EXPECT_EQ(progress.events, c.events);
        EXPECT_EQ(progress.total, SaveProgressTotal(*f.catalog));
        EXPECT_EQ(progressAtPrompt, std::vector<bool>(c.prompts, false));
        EXPECT_EQ(statuses, (std::vector<std::string>{"Saving catalog...", ""}));
    }
}

TEST(SaveCatalog, LetsMessagesThroughWithoutAProgressWindow) {
    SaveFixture f;
    std::uint64_t now = 0;
    int pumped = 0;
    f.env.clockMs = [&] { return now += 10; };
    f.env.processMessages = [&] { ++pumped; };
    ASSERT_EQ(f.save(), SaveResult::Saved);
    // The big disk is copied, disk One written: a little of each.
    EXPECT_GT(pumped, 0);
}

TEST(SaveCatalog, SaveAsChoosesAUsableName) {
    SaveFixture f(false);
    Forest& forest = f.forest;
    Node& other = forest.addRoot("Other");
    auto rec = std::make_unique<TCatalogRec>();
    rec->fileName = f.scratch.file("other.ctf");
    (void)other.setRecord(std::move(rec));

    f.dialog.names = {f.scratch.file("other.ctf"), f.scratch.file("no-such-folder/x.ctf"), f.scratch.file("copy.ctf")};
    ASSERT_EQ(f.save(true), SaveResult::Saved);
    ASSERT_EQ(f.dialog.asked.size(), 3u);
    EXPECT_EQ(f.dialog.asked[0].title, "Save Catalog \"Shelf\" As ...");
    EXPECT_EQ(f.dialog.asked[0].initialFolder, FolderOf(f.path));
    EXPECT_EQ(f.dialog.asked[0].fileName, "Shelf");
    ASSERT_EQ(f.prompt.asked.size(), 2u);
    EXPECT_EQ(f.prompt.asked[0].text,
              "This file already exists and is in use.\rEnter new file name or close this file in other applications.");
    EXPECT_EQ(f.prompt.asked[1].text,
              "Can not create this file for writing.\rPlease enter a valid file name and path, on write-enabled device.");
    EXPECT_EQ(f.prompt.asked[1].caption, "File create error");
    // Nothing changed, so every section is copied: the same bytes.
    EXPECT_EQ(ReadFile(f.scratch.file("copy.ctf")), f.oldBytes);
    EXPECT_EQ(Cat(*f.catalog).fileName, f.scratch.file("copy.ctf"));
    EXPECT_EQ(f.fs.openReaders(f.path), 0);

    f.dialog.names.clear();
    EXPECT_EQ(f.save(true), SaveResult::Cancelled);
}

TEST(SaveCatalog, PlainSaveOfAnUnmodifiedCatalogDoesNothing) {
    SaveFixture f(false);
    f.fs.fault = [](auto...) -> std::optional<FsStatus> { ADD_FAILURE() << "touched the files"; return std::nullopt; };
    EXPECT_EQ(f.save(), SaveResult::Saved);
    EXPECT_EQ(f.fs.writes, 0u);
}

TEST(SaveCatalog, NewCatalogIsWrittenFromMemoryAndThenRead) {
    ScratchFolder scratch;
    FaultyFileSystem fs(scratch);
    ui::ScriptedPrompt prompt;
    ScriptedDialog dialog;
    SaveEnvironment env{fs, prompt, dialog};
    env.catalogFolder = scratch.file("");
    Forest forest;
    const CatalogPlan plan = NewPlan();
    Node& catalog = ModelOf(forest, plan);
    dialog.names = {scratch.file("new.ctf")};
    ASSERT_EQ(SaveCatalog(&catalog, false, env), SaveResult::Saved);
    EXPECT_EQ(dialog.asked.at(0).initialFolder, env.catalogFolder);
    EXPECT_EQ(ReadFile(scratch.file("new.ctf")), BytesOf(plan));
    ASSERT_TRUE(Cat(catalog).reader);
    EXPECT_EQ(fs.openReaders(scratch.file("new.ctf")), 1);
}

// No second save while one runs or while a search does. A refused save says
// why, so that a Yes to the close question is not turned down without a word;
// the reason clears with the next call.
TEST(SaveCatalog, NoSecondSaveWhileOneRunsAndTheRefusalSaysWhy) {
    SaveFixture f;
    ReentrantPrompt prompt;
    SaveEnvironment env{f.fs, prompt, f.dialog};
    std::optional<SaveResult> inner;
    SaveRefusal innerReason = SaveRefusal::None;
    prompt.during = [&] {
        inner = SaveCatalog(f.catalog, false, env);
        innerReason = env.refusal;
    };
    prompt.answers = {PromptAnswer::Cancel};
    f.fs.fault = [&](FaultyFileSystem::Call call, const std::string&, const std::string& to) -> std::optional<FsStatus> {
        if (call == FaultyFileSystem::Call::Move && to == f.path) return FsStatus::Failed;
        return std::nullopt;
    };
    EXPECT_EQ(SaveCatalog(f.catalog, false, env), SaveResult::Cancelled);
    EXPECT_FALSE(env.saving);
    EXPECT_EQ(env.refusal, SaveRefusal::None);
    EXPECT_EQ(inner, SaveResult::Refused);
    EXPECT_EQ(innerReason, SaveRefusal::SaveRunning);

    bool searching = true;
    env.searchRunning = [&] { return searching; };
    EXPECT_EQ(SaveCatalog(f.catalog, false, env), SaveResult::Refused);
    EXPECT_EQ(env.refusal, SaveRefusal::SearchRunning);
    const SaveRefusalMessage message = RefusalMessage(env.refusal);
    EXPECT_STREQ(message.caption, "Can't Save Catalog");
    EXPECT_STREQ(message.text,
                 "Sorry, can't save catalog while search is in progress.\rPlease cancel the search or wait for search to finish.");
    EXPECT_STREQ(RefusalMessage(SaveRefusal::SaveRunning).caption, "Can't Save Catalog");
    EXPECT_STRNE(RefusalMessage(SaveRefusal::SaveRunning).text, "");

    searching = false;
    f.fs.fault = nullptr;
    EXPECT_EQ(SaveCatalog(f.catalog, false, env), SaveResult::Saved);
    EXPECT_EQ(env.refusal, SaveRefusal::None);
}

}  // namespace
}  // namespace kv::test
