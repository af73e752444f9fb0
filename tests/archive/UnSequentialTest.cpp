// What the member-by-member extractors (LHA, ARJ, ZOO, ARC, TAR) and ZIP share: the
// output file closed with its errors seen, the mask, the progress of stored copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "UnSequentialSupport.h"
#include "archive/ArcBytes.h"
#include "archive/ArcError.h"
#include "archive/formats/ArjExtractor.h"
#include "archive/formats/LhaExtractor.h"
#include "archive/formats/TarExtractor.h"
#include "archive/formats/ZipExtractor.h"
#include "archive/formats/ZooExtractor.h"

namespace kv::arc::test {
namespace {

std::unique_ptr<TUnBase> extractorFor(const std::string& archive, ArchiveContext& context) {
    if (archive.ends_with(".lzh")) return std::make_unique<TUnLHA>(context);
    if (archive.ends_with(".arj")) return std::make_unique<TUnARJ>(context);
    if (archive.ends_with(".zoo")) return std::make_unique<TUnZOO>(context);
    if (archive.ends_with(".tar")) return std::make_unique<TUnTAR>(context);
    return std::make_unique<TUnZIP>(context);
}

TEST(MemberFiles, AFileThatCannotBeClosedWholeIsAnErrorAndGoes) {
    // The last buffered bytes meet a full disk only when the file is closed.
    for (const char* archive : {"made/gnu.tar", "made/stored.zip", "made/h0-lh0.lzh"}) {
        SCOPED_TRACE(archive);
        ExtractRun r;
        auto x = extractorFor(archive, *r.context);
        r.fs->failClose = {kOutDir + "numbers.txt"};
        r.Run(*x, archive, "numbers.txt");
        EXPECT_EQ(r.raised, eCloseError);
        EXPECT_EQ(r.Files().count("numbers.txt"), 0u);
        EXPECT_TRUE(r.crcPass.empty());
    }
}

TEST(MemberFiles, AnEmptyMaskTakesEveryMember) {
    for (const char* mask : {"", "C:\\dir\\"}) {
        SCOPED_TRACE(mask);
        ExtractRun all, empty;
        TUnTAR x(*all.context), y(*empty.context);
        all.Run(x, "made/gnu.tar", "*.*");
        empty.Run(y, "made/gnu.tar", mask);
        EXPECT_EQ(empty.raised, 0);
        EXPECT_EQ(y.FileSpec(), "*.*");
        ASSERT_GT(all.Files().size(), 1u);
        EXPECT_EQ(empty.Files(), all.Files());
    }
}

// The LZD member of a ZOO fixture stored instead: its entry says method 0 and the
// plain bytes take the place of the packed ones.
Bytes storedZoo() {
    Bytes a = ReadFixture("historic/unarc-rs/tests/zoo/default.zoo");
    const Bytes plain = ReadFixture("decoders/expected/unarc-rs_tests_arj_method1.arj_LICENSE");
    const std::uint32_t entry = Le32(&a[24]);
    const std::uint32_t next = Le32(&a[entry + 6]);
    const std::uint32_t data = Le32(&a[entry + 10]);
    Bytes b(a.begin(), a.begin() + data);
    b.insert(b.end(), plain.begin(), plain.end());
    b.insert(b.end(), a.begin() + next, a.end());
    b[entry + 5] = 0;
    PutLe32(b, entry + 6, static_cast<std::uint32_t>(data + plain.size()));
    PutLe32(b, entry + 24, static_cast<std::uint32_t>(plain.size()));
    return b;
}

TEST(MemberFiles, StoredCopiesReportEveryPercent) {
    // The archive cut one byte short of its biggest stored member: the copy reads 99%,
    // which is no step of ten, so only a forced report shows it.
    const std::vector<std::pair<std::string, Bytes>> archives = {{"cut.tar", ReadFixture("made/gnu.tar")},
                                                                 {"cut.lzh", ReadFixture("made/h0-lh0.lzh")},
                                                                 {"cut.arj", ReadFixture("made/method0.arj")},
                                                                 {"cut.zoo", storedZoo()}};
    for (const auto& [name, archive] : archives) {
        SCOPED_TRACE(name);
        ExtractRun whole;
        auto x = extractorFor(name, *whole.context);
        whole.Run(*x, whole.Craft(name, archive));
        ASSERT_EQ(whole.raised, 0);
        Bytes biggest;
        for (const auto& [file, bytes] : whole.Files())
            if (bytes.size() > biggest.size()) biggest = bytes;
        ASSERT_GE(biggest.size(), 200u);
        Bytes a = archive;
        auto at = std::search(a.begin(), a.end(), biggest.begin(), biggest.end());
        ASSERT_NE(at, a.end());
        a.erase(at + static_cast<std::ptrdiff_t>(biggest.size()) - 1, a.end());

        ExtractRun cut;
        auto y = extractorFor(name, *cut.context);
        std::vector<int> percents;
        y->OnProgress = [&](ArchiveReader&, const std::string&, std::uint8_t p) { percents.push_back(p); };
        cut.Run(*y, cut.Craft(name, a));
        if (name == "cut.lzh") {
            // LHA checks a member's data end before copying anything: a cut member is damage at once.
            EXPECT_EQ(cut.raised, eReadError);
            continue;
        }
        EXPECT_NE(std::find(percents.begin(), percents.end(), 99), percents.end());
    }
}

}  // namespace
}  // namespace kv::arc::test
