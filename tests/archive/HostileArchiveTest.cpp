// Archives made to hurt: names that leave the extraction folder, and every fixture
// cut short or with flipped bits. Run under AddressSanitizer natively.
#include <gtest/gtest.h>

#include <fstream>

#include "ArcTestSupport.h"
#include "archive/ArcLister.h"
#include "archive/Extractors.h"
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

struct Runaway {};

// Damage ends a walk with E_RAISE and a message of its own, or the walk ends
// normally; no archive holds more members than it has bytes, and a walk that never
// ends spends the file system's read budget or passes that bound.
void expectWalkEnds(const std::function<void()>& walk, const char* what) {
    SCOPED_TRACE(what);
    try {
        walk();
    } catch (const E_RAISE& e) {
        if (e.id() == eNothingToDo) return;
        EXPECT_GE(e.id(), kFirstErrorId);
        EXPECT_LE(e.id(), kLastErrorId);
        EXPECT_NE(ArcMessage(e.id()), "Error " + std::to_string(e.id()));
    } catch (const Runaway&) {
        ADD_FAILURE() << "more members than bytes";
    } catch (const test::ReadBudgetSpent&) {
        ADD_FAILURE() << "the walk did not end";
    }
}

// Lists the bytes, then extracts them (every member, and none by the mask).
void walkDamaged(const std::string& name, std::vector<std::uint8_t> bytes) {
    const std::size_t size = bytes.size();
    test::MemoryWorld w;
    w.fs->files[name] = std::move(bytes);
    w.fs->readBudget = 100000;
    TArcLister lister(*w.context);
    lister.SetArchiveFile(name);
    std::size_t members = 0;
    lister.OnRead = [&](ArchiveReader&, std::uint64_t, int) {
        if (++members > size) throw Runaway{};
    };
    expectWalkEnds([&] { lister.Activate(); }, "listing");
    // The RAR library reads files of its own; its session has tests of its own.
    if (lister.ArcType() == atRAR || lister.ArcType() == atRarExe) return;
    for (const char* mask : {"*.*", "NO-SUCH.MEMBER"}) {
        std::unique_ptr<TUnBase> x = MakeExtractor(*w.context, lister.ArcType());
        if (!x) return;
        w.fs->readBudget = 100000;
        x->SetArchiveFile(name);
        x->SetFileSpec(mask);
        x->SetExtractDir("C:\\OUT");
        x->UseStoredDirs = true;
        std::size_t begun = 0;
        x->OnBegin = [&](ArchiveReader& r, const std::string&, int, bool& extract) {
            if (++begun > size) throw Runaway{};
            // A flipped size can declare gigabytes: the walk is what is tested here.
            if (r.Current.UnpackedSize64 > (1u << 24)) extract = false;
        };
        expectWalkEnds([&] { x->Extract(); }, mask);
    }
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
            walkDamaged(name, shorter);
        }
        // Headers sit near the start and, for ZIP, near the end: flip bits there.
        for (int i = 0; i < 24; ++i) {
            std::vector<std::uint8_t> flipped = bytes;
            std::size_t span = std::min<std::size_t>(flipped.size(), 2048);
            std::size_t at = random() % span;
            if (i % 2) at = flipped.size() - 1 - at;
            flipped[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            walkDamaged(name, std::move(flipped));
        }
    }
}

}  // namespace
}  // namespace kv::arc
