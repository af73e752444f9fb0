#include "shell/copy/CopyJob.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::FaultyFileSystem;
using test::ScratchFolder;

std::string Bytes(std::size_t n, char seed = 'a') {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(seed + i % 23);
    return s;
}

void Write(const std::string& path, const std::string& content) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FakeCopyUi : public CopyUi {
public:
    ui::ScriptedPrompt prompt_;
    std::string root;
    int mediumMisses = 0;        // searches that find nothing before the medium shows
    std::vector<OverwriteReply> overwrite;
    std::vector<OverwriteQuestion> overwriteAsked;
    std::vector<std::vector<std::string>> missingShown;
    bool continueMissing = true;
    std::function<void()> onPump;
    std::vector<std::string> statuses;

    ui::UserPrompt& prompt() override { return prompt_; }
    std::optional<std::string> locateMedium(const CopyEntry&) override {
        if (mediumMisses > 0) {
            --mediumMisses;
            return std::nullopt;
        }
        return root;
    }
    OverwriteReply askOverwrite(const OverwriteQuestion& q) override {
        overwriteAsked.push_back(q);
        if (overwrite.empty())
            return {OverwriteAnswer::Cancel, false};
        OverwriteReply r = overwrite.front();
        overwrite.erase(overwrite.begin());
        return r;
    }
    bool continueWithMissing(const std::vector<std::string>& missing) override {
        missingShown.push_back(missing);
        return continueMissing;
    }
    void showDisk(const std::string&) override {}
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    void showCounters(std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t) override {}
    void waitingForMedium(bool) override {}
    void pump() override {
        if (onPump)
            onPump();
    }
    std::string dateTimeText(std::uint32_t stamp) override { return "stamp " + std::to_string(stamp); }
};

CopyEntry Entry(const std::string& pathOnDisk, bool folder, std::uint64_t bytes = 0, const void* disk = nullptr) {
    static const int kDisk = 0;
    CopyEntry e;
    e.disk = disk ? disk : &kDisk;
    e.diskName = "Disk";
    e.pathOnDisk = pathOnDisk;
    e.name = pathOnDisk.substr(pathOnDisk.rfind('\\') + 1);
    e.folder = folder;
    e.bytes = bytes;
    return e;
}

struct CopyFixture : ::testing::Test {
    ScratchFolder scratch;
    FaultyFileSystem files{scratch};
    FakeCopyUi ui;
    std::string medium = scratch.file("medium");
    std::string target = scratch.file("target");

    CopyFixture() {
        ui.root = medium;
        fs::create_directories(medium);
        fs::create_directories(target);
    }
    CopyJob Run(std::vector<CopyEntry> entries, CopyOptions options = {}) {
        CopyJob job(files, ui, std::move(entries), target, options);
        job.Run();
        return job;
    }
};

TEST_F(CopyFixture, AFolderComesOverWithContentsSizesAndDates) {
    const std::size_t sizes[] = {0, 1, 16383, 16384, 16385, 40000};
    for (std::size_t i = 0; i < std::size(sizes); ++i)
        Write(medium + "/Photos/f" + std::to_string(sizes[i]), Bytes(sizes[i], static_cast<char>('a' + i)));
    Write(medium + "/Photos/Day 2/deep/x.txt", "deep");
    Write(medium + "/note.txt", "note");
    const auto when = fs::file_time_type::clock::now() - std::chrono::hours(24 * 40);
    fs::last_write_time(medium + "/Photos/f16384", when);

    const CopyJob job = Run({Entry("\\Photos", true, 72000), Entry("\\note.txt", false, 4)});
    for (std::size_t i = 0; i < std::size(sizes); ++i)
        EXPECT_EQ(Read(target + "/Photos/f" + std::to_string(sizes[i])), Bytes(sizes[i], static_cast<char>('a' + i)));
    EXPECT_EQ(Read(target + "/Photos/Day 2/deep/x.txt"), "deep");
    EXPECT_EQ(Read(target + "/note.txt"), "note");
    // DOS stamps keep two-second steps.
    const auto kept = fs::last_write_time(target + "/Photos/f16384");
    EXPECT_LE(std::chrono::abs(kept - when), std::chrono::seconds(2));
    EXPECT_EQ(job.itemsCopied, 8u);
    EXPECT_EQ(job.itemsSkipped, 0u);
    EXPECT_EQ(job.bytesCopied, 89153u + 4 + 4);
    EXPECT_TRUE(ui.prompt_.asked.empty());

    // Without sub-folders only the folder's own files.
    fs::remove_all(target);
    fs::create_directories(target);
    Run({Entry("\\Photos", true)}, {true, true, false});
    EXPECT_TRUE(fs::exists(target + "/Photos/f1"));
    EXPECT_FALSE(fs::exists(target + "/Photos/Day 2"));
}

TEST_F(CopyFixture, AFullDiskOrABadSectorLeavesNoPartialFile) {
    Write(medium + "/big.bin", Bytes(50000));
    Write(medium + "/small.txt", "small");
    struct Case {
        const char* what;
        std::function<void()> fault;
        const char* caption;
    } cases[] = {
        {"disk full", [&] {
             files.writes = 0;
             files.failAtWrite = 2;
         }, "Can't write destination file"},
        {"read error", [&] { files.failReadAt = 30000; }, "Can't read source file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(target);
        fs::create_directories(target);
        files.failAtWrite.reset();
        files.failReadAt.reset();
        c.fault();
        ui.prompt_.asked.clear();
        ui.prompt_.answers = {ui::PromptAnswer::No};  // skip the file
        const CopyJob job = Run({Entry("\\big.bin", false, 50000), Entry("\\small.txt", false, 5)});
        EXPECT_FALSE(fs::exists(target + "/big.bin"));
        ASSERT_EQ(ui.prompt_.asked.size(), 1u);
        EXPECT_EQ(ui.prompt_.asked[0].caption, c.caption);
        EXPECT_EQ(job.itemsSkipped, 1u);
        EXPECT_EQ(job.itemsCopied, 1u);
        EXPECT_EQ(job.bytesCopied, 5u);
    }
    // Retry after the fault is gone copies the whole file.
    fs::remove_all(target);
    fs::create_directories(target);
    files.failAtWrite.reset();
    files.failReadAt = 30000;
    ui.prompt_.answers = {ui::PromptAnswer::Yes};
    ui.onPump = [&] { files.failReadAt.reset(); };
    const CopyJob job = Run({Entry("\\big.bin", false, 50000)});
    EXPECT_EQ(Read(target + "/big.bin"), Bytes(50000));
    EXPECT_EQ(job.bytesCopied, 50000u);
}

TEST_F(CopyFixture, CancelInTheMiddleKeepsFinishedFilesOnly) {
    Write(medium + "/a.txt", "first");
    Write(medium + "/b.bin", Bytes(100000));
    CopyJob job(files, ui, {Entry("\\a.txt", false, 5), Entry("\\b.bin", false, 100000)}, target, {});
    int pumps = 0;
    ui.onPump = [&] {
        if (++pumps == 4)
            job.cancel = true;
    };
    job.Run();
    EXPECT_EQ(Read(target + "/a.txt"), "first");
    EXPECT_FALSE(fs::exists(target + "/b.bin"));
    EXPECT_EQ(job.itemsCopied, 1u);
    EXPECT_EQ(job.bytesCopied, 5u);
}

TEST_F(CopyFixture, OverwriteAnswers) {
    Write(medium + "/a.txt", "new a");
    Write(medium + "/b.txt", "new b");
    Write(medium + "/c.txt", "new c");
    struct Case {
        const char* what;
        CopyOptions options;
        std::vector<OverwriteReply> replies;
        const char* a;
        const char* b;
        const char* c;
        std::size_t asked;
        std::uint64_t skipped;
    } cases[] = {
        {"ask off", {false, true, true}, {}, "new a", "new b", "new c", 0, 0},
        {"yes, no, yes", {}, {{OverwriteAnswer::Yes}, {OverwriteAnswer::No}, {OverwriteAnswer::Yes}}, "new a", "old",
         "new c", 3, 1},
        {"yes to all", {}, {{OverwriteAnswer::Yes, true}}, "new a", "new b", "new c", 1, 0},
        {"no to all", {}, {{OverwriteAnswer::No, true}}, "old", "old", "old", 1, 3},
        {"cancel", {}, {{OverwriteAnswer::Yes}, {OverwriteAnswer::Cancel}}, "new a", "old", "old", 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* n : {"/a.txt", "/b.txt", "/c.txt"})
            Write(target + n, "old");
        ui.overwrite = c.replies;
        ui.overwriteAsked.clear();
        const CopyJob job = Run({Entry("\\a.txt", false), Entry("\\b.txt", false), Entry("\\c.txt", false)},
                                c.options);
        EXPECT_EQ(Read(target + "/a.txt"), c.a);
        EXPECT_EQ(Read(target + "/b.txt"), c.b);
        EXPECT_EQ(Read(target + "/c.txt"), c.c);
        EXPECT_EQ(ui.overwriteAsked.size(), c.asked);
        EXPECT_EQ(job.itemsSkipped, c.skipped);
    }
    ASSERT_FALSE(ui.overwriteAsked.empty());
    EXPECT_EQ(ui.overwriteAsked[0].oldDetails.rfind("(size: 3 B, date: stamp ", 0), 0u)
        << ui.overwriteAsked[0].oldDetails;
}

TEST_F(CopyFixture, HostileNamesWriteNothingOutsideTheTarget) {
    Write(medium + "/ok.txt", "ok");
    fs::create_directories(scratch.file("outside"));
    std::vector<CopyEntry> entries;
    for (const char* name : {"..\\x", "C:\\x", "a/../../x", "..", "CON:stream"}) {
        CopyEntry e = Entry("\\ok.txt", false);
        e.name = name;
        entries.push_back(e);
    }
    entries.push_back(Entry("\\ok.txt", false));
    const CopyJob job = Run(entries);
    EXPECT_EQ(job.itemsSkipped, 5u);
    EXPECT_EQ(job.itemsCopied, 1u);
    std::size_t written = 0;
    for (const auto& e : fs::recursive_directory_iterator(scratch.file("")))
        if (e.is_regular_file() && *fs::relative(e.path(), medium).begin() == "..") {
            EXPECT_EQ(e.path().parent_path(), fs::path(target)) << e.path();
            ++written;
        }
    EXPECT_EQ(written, 1u);
}

TEST_F(CopyFixture, MissingItemsAreListedAndSkippedOrStopTheCopy) {
    Write(medium + "/here.txt", "here");
    ui.continueMissing = true;
    const CopyJob job = Run({Entry("\\gone.txt", false, 10), Entry("\\here.txt", false, 4), Entry("\\Gone", true, 5)});
    ASSERT_EQ(ui.missingShown.size(), 1u);
    EXPECT_EQ(ui.missingShown[0].size(), 2u);
    EXPECT_EQ(job.itemsSkipped, 2u);
    EXPECT_EQ(job.itemsCopied, 1u);
    EXPECT_EQ(CopyEndMessage(job.itemsSkipped), "Warning: 2 files or folders were skipped.");

    fs::remove(target + "/here.txt");
    ui.continueMissing = false;
    const CopyJob stopped = Run({Entry("\\gone.txt", false), Entry("\\here.txt", false)});
    EXPECT_TRUE(stopped.cancel);
    EXPECT_FALSE(fs::exists(target + "/here.txt"));

    // Not reported when the option is off.
    ui.missingShown.clear();
    Run({Entry("\\gone.txt", false), Entry("\\here.txt", false)}, {true, false, true});
    EXPECT_TRUE(ui.missingShown.empty());
    EXPECT_EQ(Read(target + "/here.txt"), "here");
}

TEST_F(CopyFixture, AMediumNotFoundAsksBeforeGivingUp) {
    Write(medium + "/a.txt", "a");
    ui.mediumMisses = 1;
    ui.prompt_.answers = {ui::PromptAnswer::No};  // search again
    Run({Entry("\\a.txt", false)});
    EXPECT_EQ(Read(target + "/a.txt"), "a");
    ASSERT_EQ(ui.prompt_.asked.size(), 1u);
    EXPECT_EQ(ui.prompt_.asked[0].text, "Would you really like to abort copying?");

    ui.mediumMisses = 5;
    ui.prompt_.answers = {ui::PromptAnswer::Yes};
    const CopyJob abandoned = Run({Entry("\\a.txt", false)});
    EXPECT_TRUE(abandoned.cancel);
}

TEST_F(CopyFixture, NeverCopiesIntoItselfOrOverItsOwnSource) {
    Write(medium + "/Docs/a.txt", "keep me");
    // The destination is the medium's own folder: the file is its own target.
    CopyJob same(files, ui, {Entry("\\Docs\\a.txt", false)}, medium + "\\DOCS\\", {false, true, true});
    same.Run();
    EXPECT_EQ(Read(medium + "/Docs/a.txt"), "keep me");

    // A folder copied into a folder inside itself is refused.
    fs::create_directories(medium + "/Docs/inner");
    CopyJob into(files, ui, {Entry("\\Docs", true)}, medium + "\\Docs\\inner", {false, true, true});
    into.Run();
    EXPECT_EQ(into.itemsSkipped, 1u);
    EXPECT_FALSE(fs::exists(medium + "/Docs/inner/Docs"));
}

TEST(CopyTexts, CountersAndEndMessages) {
    EXPECT_EQ(CopyCountersText(1, 5), "1 file (5 B)");
    EXPECT_EQ(CopyCountersText(0, 0), "0 files (0 B)");
    EXPECT_EQ(CopyEndMessage(0), "All files were successfully copied.");
    EXPECT_EQ(CopyEndMessage(1), "Warning: 1 file or folder was skipped.");
    EXPECT_EQ(CopyEndMessage(3), "Warning: 3 files or folders were skipped.");
}

}  // namespace
}  // namespace kv
