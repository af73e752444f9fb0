#include "archive/formats/GzipExtractor.h"

#include <gtest/gtest.h>

#include "ExtractTestSupport.h"

namespace kv::arc::test {
namespace {

using Gunzip = ExtractRun<TUnGZIP>;

TEST(UnGZIP, MembersMatchWhatGzipLists) {
    for (const char* archive : {"made/readme.txt.gz", "made/noname.gz", "made/fields.gz",
                                "historic/patool/data/t.txt.gz", "historic/defacto2-archive/testdata/GZIP113.GZ"}) {
        SCOPED_TRACE(archive);
        Gunzip g(archive);
        ASSERT_EQ(RunExtract(g.x), 0);
        auto listed = ExpectedListing(archive);
        ASSERT_EQ(listed.size(), 1u);
        const ListedMember& m = listed[0];
        EXPECT_EQ(g.out.Files(), std::vector<std::string>{m.name});
        Bytes bytes = g.out.Read(m.name);
        EXPECT_EQ(bytes.size(), m.size);
        EXPECT_EQ(CrcText(bytes), m.crc);
        if (m.date != "*") {
            EXPECT_EQ(g.Date(m.name), m.date);
        }
        EXPECT_EQ(g.log.events, (std::vector<std::string>{"activate", "begin " + m.name, "end " + m.name + " ok",
                                                          "deactivate"}));
    }
}

TEST(UnGZIP, JoinedMembersFormOneFile) {
    Gunzip g("extract/concat.gz");
    ASSERT_EQ(RunExtract(g.x), 0);
    std::string want = "first member\n";
    for (int i = 0; i < 3; ++i) want += "second member\n";
    Bytes got = g.out.Read("parts.txt");
    EXPECT_EQ(std::string(got.begin(), got.end()), want);
    EXPECT_TRUE(g.log.errors.empty());
}

TEST(UnGZIP, RefusalsAndWarnings) {
    struct Case {
        const char* archive;
        int result;
        std::vector<int> errors;
        std::size_t files;
    } cases[] = {
        {"extract/badcrc.gz", 0, {eCrcFailed}, 1},
        {"extract/multipart.gz", eMultiPartGzip, {eMultiPartGzip}, 0},
        {"extract/encrypted.gz", ePasswordProtected, {ePasswordProtected}, 0},
        {"made/numbers.txt.Z", eUnsupportedMethod, {}, 0},
        {"made/gnu.tar", eWrongArchiveType, {eWrongArchiveType}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        Gunzip g(c.archive);
        EXPECT_EQ(RunExtract(g.x), c.result);
        EXPECT_EQ(g.log.errors, c.errors);
        EXPECT_EQ(g.out.Files().size(), c.files);
    }
    Gunzip g("made/readme.txt.gz");
    g.x.OnBegin = [](ArchiveReader&, const std::string&, int, bool& extract) { extract = false; };
    EXPECT_EQ(RunExtract(g.x), eNothingToDo);
    EXPECT_TRUE(g.out.Files().empty());
}

}  // namespace
}  // namespace kv::arc::test
