#include <gtest/gtest.h>

#include "UnSequentialSupport.h"
#include "archive/ArcBytes.h"
#include "archive/ArcError.h"
#include "archive/formats/ZooExtractor.h"

namespace kv::arc::test {
namespace {

const char* const kLicense = "decoders/expected/unarc-rs_tests_arj_method1.arj_LICENSE";
const char* const kStored = "historic/patool/data/t.zoo";

// The -lh5- archive keeps its member in the folder "..", which the sanitiser refuses;
// the copy here names it "zz".
Bytes Lh5Zoo() {
    Bytes a = ReadFixture("historic/unarc-rs/tests/zoo/high_per.zoo");
    std::uint32_t entry = Le32(&a[24]);
    for (std::size_t i = entry + 51; i + 1 < entry + 51 + 2 + 2 + 2 + 64 && i + 1 < a.size(); ++i)
        if (a[i] == '.' && a[i + 1] == '.') a[i] = a[i + 1] = 'z';
    return a;
}

TEST(UnZOO, LzdAndLh5MembersMatchTheRealTools) {
    ExtractRun lzd;
    TUnZOO x(*lzd.context);
    lzd.Run(x, "historic/unarc-rs/tests/zoo/default.zoo");
    ExtractRun lh5;
    TUnZOO y(*lh5.context);
    lh5.Run(y, lh5.Craft("lh5.zoo", Lh5Zoo()));
    for (ExtractRun* r : {&lzd, &lh5}) {
        EXPECT_EQ(r->raised, 0);
        const auto files = r->Files();
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files.begin()->second, ReadFixture(kLicense));
        EXPECT_TRUE(r->crcPass.begin()->second);
        EXPECT_EQ(r->fs->dates.size(), 1u);
    }
    EXPECT_EQ(lh5.Files().begin()->first, "zz\\license");
}

TEST(UnZOO, AStoredParentFolderIsRefusedOrDropped) {
    // The -lh5- archive keeps its member under "..": with stored folders it is not
    // written anywhere, and the walk goes on; without them it lands under its bare
    // name, inside the folder.
    ExtractRun r;
    TUnZOO x(*r.context);
    r.Run(x, "historic/unarc-rs/tests/zoo/high_per.zoo");
    EXPECT_EQ(r.raised, 0);
    EXPECT_TRUE(r.fs->written.empty());
    EXPECT_EQ(r.messages, (std::vector<std::pair<int, std::string>>{{eInvalidFileName, "..\\license"}}));

    ExtractRun flat;
    TUnZOO y(*flat.context);
    flat.Run(y, "historic/unarc-rs/tests/zoo/high_per.zoo", "*.*", false);
    EXPECT_EQ(flat.raised, 0);
    EXPECT_TRUE(flat.messages.empty());
    ASSERT_EQ(flat.Files().size(), 1u);
    EXPECT_EQ(flat.Files().begin()->first, "license");
    EXPECT_EQ(flat.Files().begin()->second, ReadFixture(kLicense));
    EXPECT_TRUE(flat.crcPass.begin()->second);
}

// The first entry of the stored archive, whose fields the crafted cases change.
std::uint32_t FirstEntry(const Bytes& a) { return Le32(&a[24]); }

TEST(UnZOO, DeletedEntriesArePassedOver) {
    ExtractRun all;
    TUnZOO x(*all.context);
    all.Run(x, kStored);
    EXPECT_EQ(all.raised, 0);
    EXPECT_EQ(all.Files().size(), 2u);
    for (const auto& [fn, pass] : all.crcPass) EXPECT_TRUE(pass) << fn;

    Bytes a = ReadFixture(kStored);
    a[FirstEntry(a) + 30] = 1;
    ExtractRun r;
    TUnZOO y(*r.context);
    r.Run(y, r.Craft("deleted.zoo", a));
    EXPECT_EQ(r.raised, 0);
    ASSERT_EQ(r.Files().size(), 1u);
    EXPECT_EQ(r.Files().begin()->first, "t2.txt");
}

TEST(UnZOO, BrokenChainsAndHeaders) {
    const Bytes original = ReadFixture(kStored);
    struct Case {
        const char* what;
        void (*damage)(Bytes&);
        int raised;
        std::size_t written;
    } const cases[] = {
        {"start and its negation disagree", [](Bytes& a) { a[28] ^= 1; }, eBadFileHeader, 0},
        {"an entry pointing at itself",
         [](Bytes& a) { PutLe32(a, FirstEntry(a) + 6, FirstEntry(a)); }, eBadFileHeader, 0},
        {"an entry without its tag", [](Bytes& a) { a[FirstEntry(a)] ^= 1; }, eBadFileHeader, 0},
        {"an unknown method", [](Bytes& a) { a[FirstEntry(a) + 5] = 7; }, eUnsupportedMethod, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes a = original;
        c.damage(a);
        ExtractRun r;
        TUnZOO x(*r.context);
        r.Run(x, r.Craft("bad.zoo", a));
        EXPECT_EQ(r.raised, c.raised);
        EXPECT_EQ(r.Files().size(), c.written);
    }
}

}  // namespace
}  // namespace kv::arc::test
