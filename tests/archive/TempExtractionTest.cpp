#include "archive/TempExtraction.h"

#include <gtest/gtest.h>

#include "ExtractTestSupport.h"

namespace kv::arc::test {
namespace {

struct ScriptedUi final : IExtractionUi {
    std::vector<std::string> calls;
    bool cancel = false;
    bool answer = false;
    void ShowWait(const std::string& caption, const std::string&) override { calls.push_back("wait " + caption); }
    bool Progress(int) override { return cancel; }
    void CloseWait() override { calls.push_back("close"); }
    void ShowError(const std::string& caption, const std::string& text) override {
        calls.push_back(caption + ": " + text);
    }
    bool Ask(const std::string& caption, const std::string&) override {
        calls.push_back("ask " + caption);
        return answer;
    }
};

struct World {
    std::unique_ptr<ArchiveContext> context = FixtureContext();
    ScriptedUi ui;
    TempExtraction x{*context, ui};
    ScratchFolder temp;

    bool Run(int code, const std::string& archive, const std::vector<std::string>* names = nullptr,
             bool progress = false) {
        return x.ExtractArchiveFiles(code, FixturePath(archive), temp.Path(), "*.*", names, true, true, progress);
    }
};

TEST(TempExtraction, KindsWithoutAnExtractorSucceedQuietly) {
    World w;
    for (int code : {int{tcCAB}, int{tcHA}, int{tcPAK}, int{tcEXE}, int{tcZ}, 0, 15}) EXPECT_TRUE(w.Run(code, "made/stored.cab"));
    EXPECT_TRUE(w.ui.calls.empty());
    EXPECT_TRUE(w.temp.Files().empty());
}

TEST(TempExtraction, TracksWhatItExtractedAndTellsFailuresOnce) {
    World w;
    std::vector<std::string> names = {"two/same.txt"};
    EXPECT_TRUE(w.Run(tcZIP, "extract/dupnames.zip", &names, true));
    EXPECT_EQ(w.ui.calls, (std::vector<std::string>{"wait Extracting files", "close"}));
    EXPECT_EQ(w.x.ExtractedFiles, std::vector<std::string>{w.temp.Path() + "two\\same.txt"});
    EXPECT_TRUE(w.context->MemberNames.empty());

    struct Case {
        int code;
        const char* archive;
        int error;
    } cases[] = {
        {tcZIP, "extract/badcrc.zip", eCrcFailed},
        {tcGZ, "extract/encrypted.gz", ePasswordProtected},
        {tcGZ, "made/numbers.txt.Z", eUnsupportedMethod},  // raised without telling OnError
        {tcZIP, "made/gnu.tar", eWrongArchiveType},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        for (bool quiet : {false, true}) {
            w.ui.calls.clear();
            w.x.QuietCrcCheck = quiet;
            EXPECT_FALSE(w.Run(c.code, c.archive));
            EXPECT_EQ(w.x.ExtractErrorCode, c.error);
            std::vector<std::string> shown;
            if (!quiet) shown.push_back("Extract Error: " + ExtractErrorText(c.error));
            EXPECT_EQ(w.ui.calls, shown);
        }
    }
    EXPECT_EQ(ExtractErrorText(eCrcFailed), "CRC check has failed. Archive file may be damaged.");
}

TEST(TempExtraction, ADamagedMemberIsToldAsDamageNotAsUnknown) {
    World w;
    const std::string damaged = ExtractErrorText(eBadBlock), crc = ExtractErrorText(eCrcFailed);
    for (auto [code, archive] : {std::pair{int{tcZIP}, "made/deflate.zip"}, std::pair{int{tcLHA}, "made/h1-lh5.lzh"},
                                 std::pair{int{tcARJ}, "made/method1.arj"}}) {
        SCOPED_TRACE(archive);
        // Bytes flipped in the middle of the packed data of a large member.
        Bytes bytes = ReadFixture(archive);
        for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 40; ++i) bytes[i] ^= 0x5A;
        ScratchFolder in;
        w.ui.calls.clear();
        EXPECT_FALSE(w.x.ExtractArchiveFiles(code, in.Write("damaged", bytes), w.temp.Path(), "*.*", nullptr, true,
                                             true, false));
        EXPECT_GT(w.x.ExtractErrorCode, 0);
        ASSERT_EQ(w.ui.calls.size(), 1u);
        const std::string& shown = w.ui.calls[0];
        EXPECT_TRUE(shown == "Extract Error: " + damaged || shown == "Extract Error: " + crc) << shown;
    }
}

TEST(TempExtraction, CancelStopsWithTheUnknownErrorText) {
    World w;
    w.ui.cancel = true;
    EXPECT_FALSE(w.Run(tcZIP, "made/stored.zip", nullptr, true));
    EXPECT_EQ(w.x.ExtractErrorCode, -3);
    EXPECT_EQ(w.ui.calls.back(), "Extract Error: Unknown error has occoured while uncompressing file(s).");
    EXPECT_EQ(w.ui.calls.front(), "wait Extracting files");
    EXPECT_TRUE(w.temp.Files().empty());  // the member being written is removed
}

// The machine's file system with as little free space as a test says.
class TightFileSystem final : public ForwardingFileSystem {
public:
    TightFileSystem() : ForwardingFileSystem(MakeSystemFileSystem()) {}
    std::uint64_t free = 0;
    std::optional<std::uint64_t> FreeSpace(const std::string&) override { return free; }
};

TEST(TempExtraction, DescriptionFilesAreSizeLimitedAndQuiet) {
    World w;
    EXPECT_TRUE(w.x.ExtractDescFile(tcZIP, FixturePath("made/deflate.zip"), w.temp.Path(), "readme.txt"));
    EXPECT_EQ(w.temp.Files(), std::vector<std::string>{"readme.txt"});
    EXPECT_FALSE(w.x.QuietCrcCheck);
    EXPECT_EQ(w.x.MaxMemberSize, 0u);

    // Over the limit by what the header declares, or (gzip declares nothing) by
    // what the decoder writes: passed over, no message, nothing left behind.
    w.x.DescFileLimit = 5;
    struct Case {
        int code;
        const char* archive;
        const char* name;
    } cases[] = {
        {tcZIP, "made/deflate.zip", "numbers.txt"},
        {tcLHA, "made/h1-lh5.lzh", "*.*"},
        {tcGZ, "made/readme.txt.gz", "*.*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        ScratchFolder folder;
        EXPECT_FALSE(w.x.ExtractDescFile(c.code, FixturePath(c.archive), folder.Path(), c.name));
        EXPECT_TRUE(folder.Files().empty());
        EXPECT_NE(w.x.ExtractErrorCode, eDiskFull);
    }
    EXPECT_TRUE(w.ui.calls.empty());
    EXPECT_EQ(w.context->Sink.FileCap(), 0u);
}

TEST(TempExtraction, AMemberTheDiskCannotHoldIsNotStarted) {
    auto fs = std::make_unique<TightFileSystem>();
    TightFileSystem& tight = *fs;
    ArchiveContext context(std::move(fs), 0);
    ScriptedUi ui;
    TempExtraction x(context, ui);
    ScratchFolder temp;
    tight.free = 100;  // the two 10-byte texts fit, readme.txt and numbers.txt do not
    EXPECT_FALSE(x.ExtractArchiveFiles(tcZIP, FixturePath("made/deflate.zip"), temp.Path(), "*.txt", nullptr, true,
                                       false, false));
    EXPECT_EQ(x.ExtractErrorCode, eDiskFull);
    EXPECT_EQ(ui.calls, std::vector<std::string>{"Extract Error: Disk is full, not enough space to extract files."});
    EXPECT_EQ(temp.Files().size(), 2u);
    EXPECT_TRUE(temp.Has("readonly.txt"));

    ui.calls.clear();
    tight.free = 0;
    EXPECT_FALSE(x.ExtractDescFile(tcLHA, FixturePath("made/h1-lh5.lzh"), temp.Path(), "*.*"));
    EXPECT_TRUE(ui.calls.empty());
}

TEST(TempExtraction, CleanupDeletesOnlyInsideTheTemporaryFolder) {
    World w;
    ScratchFolder elsewhere;
    ASSERT_TRUE(w.Run(tcZIP, "made/deflate.zip"));
    ASSERT_EQ(w.x.ExtractedFiles.size(), 6u);
    w.x.TempFolder = w.temp.Path();
    elsewhere.Write("keep.txt", Bytes{1, 2, 3});
    w.x.ExtractedFiles.push_back(elsewhere.Path() + "keep.txt");
    w.x.ExtractedFiles.push_back(w.temp.Path() + "gone-already.txt");

    w.x.CleanupExtractedFiles(-1);
    EXPECT_TRUE(w.ui.calls.empty());
    EXPECT_EQ(w.temp.Files().size(), 6u);

    w.ui.answer = false;
    w.x.CleanupExtractedFiles(0);
    EXPECT_EQ(w.ui.calls, std::vector<std::string>{"ask Korvalder?"});
    EXPECT_EQ(w.temp.Files().size(), 6u);
    EXPECT_EQ(w.x.ExtractedFiles.size(), 7u);  // the missing one is dropped

    w.x.CleanupExtractedFiles(1);
    EXPECT_TRUE(w.temp.Files().empty());
    EXPECT_TRUE(elsewhere.Has("keep.txt"));
    EXPECT_TRUE(w.x.ExtractedFiles.empty());

    w.ui.calls.clear();
    w.x.CleanupExtractedFiles(0);
    EXPECT_TRUE(w.ui.calls.empty());
}

}  // namespace
}  // namespace kv::arc::test
