// catcopy: a catalog saved under another name through the save transaction.
#include <gtest/gtest.h>

#include "tests/support/TempDir.h"
#include "tests/tools/CatalogCopy.h"
#include "CatalogPlan.h"
#include "FileBytes.h"
#include "SampleCatalog.h"

namespace kv::test {
namespace {

Bytes Copied(const Bytes& in, bool rewrite) {
    TempDir dir;
    WriteFile(dir.file("in.ctf"), in);
    std::string messages;
    EXPECT_EQ(tools::CopyCatalog(dir.file("in.ctf"), dir.file("out.ctf"), rewrite, messages), SaveResult::Saved)
        << messages;
    EXPECT_EQ(messages, "");
    return ReadFile(dir.file("out.ctf"));
}

TEST(CatalogCopy, SaveAsGivesTheSameBytes) {
    const Bytes sample = makeSampleCatalog().bytes.bytes();
    EXPECT_EQ(Copied(sample, false), sample);
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        const Bytes bytes = BytesOf(RandomCatalog(seed));
        EXPECT_EQ(Copied(bytes, false), bytes) << seed;
    }
}

TEST(CatalogCopy, RewriteOfAConsistentCatalogReproducesItsBytes) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        const Bytes bytes = BytesOf(AsLoaded(RandomCatalog(seed)));
        EXPECT_EQ(Copied(bytes, true), bytes) << seed;
    }
}

TEST(CatalogCopy, OldFormatIsRewrittenAsCurrent) {
    const CatalogPlan plan = RandomCatalog(7);
    Bytes old = BytesOf(plan);
    std::copy_n("1.00", 4, old.begin() + 8);
    EXPECT_EQ(Copied(old, false), BytesOf(AsLoaded(plan)));
}

TEST(CatalogCopy, DamagedInputIsReported) {
    TempDir dir;
    WriteFile(dir.file("in.ctf"), {'n', 'o', 'p', 'e'});
    std::string messages;
    EXPECT_EQ(tools::CopyCatalog(dir.file("in.ctf"), dir.file("out.ctf"), false, messages), SaveResult::Failed);
    EXPECT_NE(messages, "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.ctf")));
}

}  // namespace
}  // namespace kv::test
