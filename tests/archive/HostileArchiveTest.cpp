// Archives made to hurt: names that leave the extraction folder, and every fixture
// cut short or with flipped bits. Run under AddressSanitizer natively.
#include <gtest/gtest.h>

#include <fstream>

#include "ArcTestSupport.h"
#include "archive/ArcLister.h"
#include "archive/SafePath.h"

namespace kv::arc {
namespace {

std::vector<std::string> goldenArchives() {
    std::ifstream in(std::string(KV_FIXTURES_DIR) + "/archives/golden.list");
    std::vector<std::string> out;
    std::string l;
    while (std::getline(in, l)) out.push_back(l.substr(0, l.find('\t')));
    return out;
}

TEST(HostileArchive, NothingLandsOutsideTheExtractionFolder) {
    const std::string folder = "C:\\Extract\\Here\\";
    auto context = test::FixtureContext();
    int checked = 0, refused = 0;
    for (const char* archive : {"made/hostile.zip", "made/hostile.tar", "historic/lhasa/archives/regression/dotdot.lzh",
                                "historic/lhasa/archives/tascal_lha_051h/abspath.lzh",
                                "historic/unarc-rs/tests/zoo/high_per.zoo"}) {
        for (bool stored : {true, false}) {
            TArcLister lister(*context);
            lister.SetArchiveFile(test::FixturePath(archive));
            lister.SetExtractDir(folder);
            lister.UseStoredDirs = stored;
            lister.OnRead = [&](ArchiveReader& s, std::uint64_t, int) {
                SafeTarget t = s.BuildTargetPath(s.Current.FileName);
                ++checked;
                if (!t) {
                    ++refused;
                    EXPECT_NE(s.Current.FileName.find(".."), std::string::npos) << s.Current.FileName;
                    return;
                }
                EXPECT_TRUE(IsInsideFolder(folder, t.path)) << s.Current.FileName << " -> " << t.path;
                std::string base = t.path.substr(t.path.find_last_of('\\') + 1);
                EXPECT_NE(base.substr(0, 3), "CON") << t.path;
                EXPECT_NE(base.substr(0, 3), "nul") << t.path;
            };
            lister.Activate();
        }
    }
    EXPECT_GT(checked, 40);
    // Every name with a ".." component while folders are kept: 2 in each of the first
    // three archives, zoo's "..\license". Without folders the ".." goes with them.
    EXPECT_EQ(refused, 2 + 2 + 2 + 1);
}

// Lists bytes; only E_RAISE may leave the lister.
void listDamaged(const std::string& name, std::vector<std::uint8_t> bytes) {
    test::MemoryWorld w;
    w.fs->files[name] = std::move(bytes);
    TArcLister lister(*w.context);
    lister.SetArchiveFile(name);
    std::size_t members = 0;
    lister.OnRead = [&](ArchiveReader&, std::uint64_t, int) { ++members; };
    try {
        lister.Activate();
    } catch (const E_RAISE&) {
    }
    EXPECT_LT(members, 100000u);
}

TEST(HostileArchive, TruncatedAndBitFlippedFixturesEndCleanly) {
    std::uint32_t seed = 12345;
    auto random = [&seed]() {
        seed = seed * 1103515245 + 12345;
        return seed >> 8;
    };
    for (const std::string& archive : goldenArchives()) {
        SCOPED_TRACE(archive);
        std::vector<std::uint8_t> bytes = test::ReadFixture(archive);
        std::string name = "C:\\D\\" + archive.substr(archive.find_last_of('/') + 1);
        for (int cut = 1; cut < 16; ++cut) {
            std::vector<std::uint8_t> shorter(bytes.begin(), bytes.begin() + bytes.size() * cut / 16);
            listDamaged(name, shorter);
        }
        // Headers sit near the start and, for ZIP, near the end: flip bits there.
        for (int i = 0; i < 24; ++i) {
            std::vector<std::uint8_t> flipped = bytes;
            std::size_t span = std::min<std::size_t>(flipped.size(), 2048);
            std::size_t at = random() % span;
            if (i % 2) at = flipped.size() - 1 - at;
            flipped[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            listDamaged(name, std::move(flipped));
        }
    }
}

}  // namespace
}  // namespace kv::arc
