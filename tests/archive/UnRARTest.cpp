// The RAR extractor against a scripted library: what it asks, what it answers the
// callbacks and how library results reach the user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArcTestSupport.h"
#include "ExtractTestSupport.h"
#include "archive/formats/RarExtractor.h"

namespace kv::arc::test {
namespace {

struct ScriptedMember {
    std::string name;
    unsigned unpackVersion = 29;
    unsigned size = 1000;
    int result = 0;                  // of RARProcessFile
    std::vector<int> blocks = {400, 600};
    bool asksVolume = false;         // asks for a missing volume while extracted
};

// One library at a time, as with the real one.
struct Script {
    unsigned openResult = 0;
    std::vector<ScriptedMember> members;
    std::size_t next = 0;
    std::vector<std::string> calls;
    std::vector<int> dataAnswers;
    std::vector<int> volumeAnswers;
    CHANGEVOLPROC volume = nullptr;
    PROCESSDATAPROC data = nullptr;
} script;

int handleTag;

void* KV_RAR_CALL Open(RAROpenArchiveData* d) {
    script.calls.push_back(std::string("open ") + d->ArcName + " mode " + std::to_string(d->OpenMode));
    d->OpenResult = script.openResult;
    return script.openResult ? nullptr : &handleTag;
}
int KV_RAR_CALL Close(void*) {
    script.calls.push_back("close");
    return 0;
}
int KV_RAR_CALL ReadHeader(void*, RARHeaderData* h) {
    if (script.next >= script.members.size()) return 10;
    const ScriptedMember& m = script.members[script.next];
    EXPECT_EQ(h->CmtBufSize, 65536u);
    snprintf(h->FileName, sizeof h->FileName, "%s", m.name.c_str());
    h->UnpVer = m.unpackVersion;
    h->UnpSize = m.size;
    return 0;
}
int KV_RAR_CALL Process(void*, int op, char* path, char* name) {
    const ScriptedMember& m = script.members[script.next++];
    if (op == 0) {
        script.calls.push_back("skip " + m.name);
        return 0;
    }
    script.calls.push_back("extract " + m.name + " to " + (name ? name : ""));
    if (m.asksVolume) {
        char volume[260] = "x.r00";
        script.volumeAnswers.push_back(script.volume(volume, 0));
    }
    std::vector<unsigned char> bytes(1000);
    for (int n : m.blocks) {
        int answer = script.data(bytes.data(), n);
        script.dataAnswers.push_back(answer);
        if (answer <= 0) return 21;
    }
    return m.result;
}
void KV_RAR_CALL SetVolume(void*, CHANGEVOLPROC p) { script.volume = p; }
void KV_RAR_CALL SetData(void*, PROCESSDATAPROC p) { script.data = p; }

class UnRARTest : public ::testing::Test {
protected:
    void SetUp() override {
        script = Script{};
        Bytes rar = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
        rar.resize(64);
        world.fs->files["C:\\in\\x.rar"] = rar;
        unrar.SetArchiveFile("C:\\in\\x.rar");
        unrar.SetExtractDir("C:\\out");
        unrar.Loader = [] {
            auto f = std::make_shared<RarFunctions>();
            *f = RarFunctions{Open, Close, ReadHeader, Process, SetVolume, SetData};
            return std::shared_ptr<const RarFunctions>(f);
        };
        log = EventLog{};
        log.Attach(unrar);
    }

    // 0 when the extraction ran through; -1 for the silent abort.
    int Run() {
        try {
            unrar.Extract();
            return 0;
        } catch (const EAbort&) {
            return -1;
        }
    }

    MemoryWorld world;
    TUnRAR unrar{*world.context};
    EventLog log;
};

TEST_F(UnRARTest, LibraryResultsBecomeMessagesAndTheSilentAbort) {
    struct Case {
        int code;
        int id;
    } cases[] = {{11, 25153}, {20, 25153}, {12, 25111}, {14, 25202}, {15, 25134}, {16, 25114}, {19, 25114},
                 {17, 25115}, {18, 25135}, {13, 25138}, {21, 25138}, {22, 25190}, {100, 25200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        SetUp();
        script.openResult = static_cast<unsigned>(c.code);
        EXPECT_EQ(Run(), -1);
        EXPECT_EQ(log.events, std::vector<std::string>{"error " + std::to_string(c.id) + " RAR Error"});
        SetUp();
        script.members = {{.name = "A.TXT", .result = c.code}};
        EXPECT_EQ(Run(), -1);
        EXPECT_EQ(log.errors, std::vector<int>{c.id});
        EXPECT_EQ(script.calls.back(), "close");
    }
    EXPECT_EQ(ArcMessage(25200), "Unsupported compression method");
}

TEST_F(UnRARTest, AMissingLibraryIsNamedNotCalledDamage) {
    unrar.Loader = [] { return std::shared_ptr<const RarFunctions>(); };
    EXPECT_EQ(Run(), -1);
    EXPECT_EQ(log.errors, std::vector<int>{25303});
    EXPECT_NE(ArcMessage(25303).find("unrar.dll"), std::string::npos);
}

TEST_F(UnRARTest, OneNamedMemberMatchesByFileNameAndEndsTheWalk) {
    std::vector<std::string> status;
    unrar.OnStatus = [&](TUnRAR&, const std::string& text) { status.push_back(text); };
    unrar.SetFileSpec("readme.txt");
    script.members = {{.name = "a.txt"}, {.name = "b.txt"}, {.name = "DOCS\\README.TXT"}, {.name = "c.txt"}};
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(script.calls, (std::vector<std::string>{"open C:\\in\\x.rar mode 1", "skip a.txt", "skip b.txt",
                                                      "extract DOCS\\README.TXT to C:\\out\\README.TXT", "close"}));
    EXPECT_EQ(status, std::vector<std::string>{"Scanning for file to extract..."});
    EXPECT_EQ(log.events, (std::vector<std::string>{"begin C:\\out\\README.TXT", "end C:\\out\\README.TXT ok"}));
}

TEST_F(UnRARTest, StoredFoldersAndNameListsGoThroughTheSanitiser) {
    unrar.UseStoredDirs = true;
    world.context->MemberNames = {"docs\\a.txt", "..\\evil.txt"};
    script.members = {{.name = "..\\evil.txt"}, {.name = "DOCS\\A.TXT"}, {.name = "after.txt"}};
    ASSERT_EQ(Run(), 0);
    // The climbing name is refused before the library sees it; the walk ends once
    // as many members as listed were handled.
    EXPECT_EQ(log.errors, std::vector<int>{25139});
    EXPECT_EQ(script.calls, (std::vector<std::string>{"open C:\\in\\x.rar mode 1", "skip ..\\evil.txt",
                                                      "extract DOCS\\A.TXT to C:\\out\\DOCS\\A.TXT", "skip after.txt",
                                                      "close"}));
}

TEST_F(UnRARTest, AnOldUnpackVersionEndsWithVersionError) {
    script.members = {{.name = "old.txt", .unpackVersion = 15}};
    EXPECT_EQ(Run(), -1);
    EXPECT_EQ(log.errors, std::vector<int>{25302});
}

TEST_F(UnRARTest, ProgressCountsTheMemberAndTheVolumeCallbackGoesOn) {
    std::vector<int> percents;
    unrar.OnProgress = [&](ArchiveReader&, const std::string&, std::uint8_t p) { percents.push_back(p); };
    script.members = {{.name = "a.txt", .blocks = {400, 600, 500}, .asksVolume = true}};
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(percents, (std::vector<int>{40, 100, 100}));
    EXPECT_EQ(script.volumeAnswers, std::vector<int>{1});
    EXPECT_EQ(log.errors, std::vector<int>{25903});
}

TEST_F(UnRARTest, CancellingAnswersZeroAndIsNoDamage) {
    // Through the stop request, and through the silent abort thrown by a progress handler.
    for (bool byException : {false, true}) {
        SCOPED_TRACE(byException);
        SetUp();
        if (byException)
            unrar.OnProgress = [](ArchiveReader&, const std::string&, std::uint8_t) { throw EAbort(); };
        else
            unrar.CancelRequested = [] { return true; };
        script.members = {{.name = "a.txt"}, {.name = "b.txt"}};
        EXPECT_EQ(Run(), -1);
        EXPECT_EQ(script.dataAnswers, std::vector<int>{0});
        EXPECT_TRUE(log.errors.empty());
        EXPECT_EQ(script.calls.back(), "close");
    }
}

class DateRecorder final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    std::vector<std::string> touched;
    bool SetDosDate(const std::string& p, std::uint32_t) override {
        touched.push_back(p);
        return true;
    }
};

TEST_F(UnRARTest, OnlyTheCurrentDateSettingTouchesAndOnlyWrittenMembers) {
    for (TSetDate setting : {OrigDate, CurDate}) {
        SCOPED_TRACE(static_cast<int>(setting));
        auto files = std::make_unique<MemoryFileSystem>();
        files->files["C:\\in\\x.rar"] = Bytes{'R', 'a', 'r', '!', 0x1A, 0x07, 0x00, 0};
        auto recorder = std::make_unique<DateRecorder>(std::move(files));
        DateRecorder* touched = recorder.get();
        ArchiveContext context(std::move(recorder), 0);
        TUnRAR x(context);
        x.Loader = unrar.Loader;
        x.SetArchiveFile("C:\\in\\x.rar");
        x.SetExtractDir("C:\\out");
        x.SetFileSpec("*.txt");
        x.SetSetDateTo(setting);
        script = Script{};
        script.members = {{.name = "a.txt"}, {.name = "skip.bin"}};
        x.Extract();
        EXPECT_EQ(touched->touched,
                  setting == CurDate ? std::vector<std::string>{"C:\\out\\a.txt"} : std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace kv::arc::test
