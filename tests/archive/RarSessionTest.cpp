// Our RAR library's core, natively under the sanitizers: volume names, damaged
// archives that must end in a result, never a crash or a hang, and a full disk.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "ArcTestSupport.h"
#include "ExtractTestSupport.h"
#include "archive/Checksum.h"
#include "archive/formats/RarExtractor.h"
#include "tests/support/FaultyFileSystem.h"
#include "unrar/RarHandles.h"
#include "unrar/RarSession.h"

namespace kv::rar {
namespace {

using arc::test::Bytes;
using arc::test::MemoryFileSystem;
using arc::test::PutLe16;
using arc::test::PutLe32;
using arc::test::ReadFixture;

TEST(RarSession, NextVolumeNames) {
    struct Case {
        const char* name;
        bool newNaming;
        const char* next;
    } cases[] = {
        {"C:\\a\\set.rar", false, "C:\\a\\set.r00"}, {"SET.RAR", false, "SET.R00"},
        {"set.r09", false, "set.r10"},               {"set.r99", false, "set.s00"},
        {"set.part1.rar", true, "set.part2.rar"},    {"set.part09.rar", true, "set.part10.rar"},
        {"set.part9.rar", true, "set.part10.rar"},   {"set.rar", true, "set.r00"},
        {"set.exe", false, "set.r00"},               {"set.z99", false, ""},
        {"C:\\v1.0\\set", false, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(NextRarVolumeName(c.name, c.newNaming), c.next) << c.name;
}

// Every member extracted (or skipped, when the library refuses it) into memory.
int ExtractAll(RarSession& s) {
    RARHeaderData h{};
    int r;
    int guard = 0;
    while ((r = s.ReadHeader(h)) == kSuccess) {
        EXPECT_LT(++guard, 1000);
        if (guard >= 1000) break;
        s.ProcessFile(kExtract, "C:\\out\\", nullptr);
    }
    return r;
}

TEST(RarSession, DamagedArchivesEndInAResult) {
    const Bytes stored = ReadFixture("rar/stored.rar");
    const Bytes first = ReadFixture("rar/split.rar");
    const Bytes second = ReadFixture("rar/split.r00");
    // Cut at every length, and one bit flipped in every header byte and in data.
    for (int kind = 0; kind < 2; ++kind) {
        for (std::size_t at = 0; at < first.size(); at += (at < 200 ? 1 : 997)) {
            for (const Bytes* original : {&stored, &first}) {
                if (at >= original->size()) continue;
                Bytes b = *original;
                if (kind == 0)
                    b.resize(at);
                else
                    b[at] ^= static_cast<std::uint8_t>(1u << (at % 8));
                auto fs = std::make_unique<MemoryFileSystem>();
                fs->files["C:\\in\\x.rar"] = b;
                fs->files["C:\\in\\x.r00"] = second;
                RarSession s(std::move(fs));
                if (s.Open("C:\\in\\x.rar") != kSuccess) continue;
                int r = ExtractAll(s);
                EXPECT_TRUE(r == kEndArchive || r == kBadArchive || r == kBadData) << r;
            }
        }
    }
}

// The header's CRC: the low half of the CRC-32 of all but its first two bytes.
void sealHeader(Bytes& b, std::size_t at, std::size_t size) {
    std::span<const std::uint8_t> h(b.data() + at + 2, size - 2);
    PutLe16(b, at, ~arc::Crc32Update(0xFFFFFFFFu, h) & 0xFFFF);
}

// Marker, main header and one stored, empty file "a.txt" whose packed size is the
// given 64-bit value (flag 0x100).
Bytes rarWithPackedSize(std::uint64_t packed) {
    Bytes b(7 + 13, 0);
    std::copy_n(arc::kRarMarker, 7, b.begin());
    b[7 + 2] = arc::kRarMainHeader;
    PutLe16(b, 7 + 5, 13);
    sealHeader(b, 7, 13);
    const std::size_t at = b.size();
    const std::string name = "a.txt";
    const std::size_t size = 32 + 8 + name.size();
    b.resize(at + size, 0);
    b[at + 2] = arc::kRarFileHeader;
    PutLe16(b, at + 3, arc::kRarLongBlock | arc::kRarLargeSizes);
    PutLe16(b, at + 5, static_cast<std::uint32_t>(size));
    PutLe32(b, at + 7, static_cast<std::uint32_t>(packed));
    b[at + 15] = 2;     // Win32
    b[at + 24] = 29;    // unpack version
    b[at + 25] = 0x30;  // stored
    PutLe16(b, at + 26, static_cast<std::uint32_t>(name.size()));
    PutLe32(b, at + 28, 0x20);
    PutLe32(b, at + 32, static_cast<std::uint32_t>(packed >> 32));
    std::copy(name.begin(), name.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 40));
    sealHeader(b, at, size);
    return b;
}

// Packed sizes that take the end of the member's data (65) round past 2^64.
struct WrapCase {
    const char* what;
    std::uint64_t packed;
} const kWraps[] = {
    {"back to the same header", std::uint64_t{0} - 45},
    {"just below 2^64, where the next header's 7 bytes overflow", std::uint64_t{0} - 65 - 3},
    {"past the end of the file", 1000},
};

TEST(RarSession, APackedSizeThatWrapsRoundEndsTheWalk) {
    for (const WrapCase& c : kWraps) {
        SCOPED_TRACE(c.what);
        auto fs = std::make_unique<MemoryFileSystem>();
        fs->files["C:\\in\\x.rar"] = rarWithPackedSize(c.packed);
        RarSession s(std::move(fs));
        ASSERT_EQ(s.Open("C:\\in\\x.rar"), kSuccess);
        EXPECT_EQ(ExtractAll(s), kBadArchive);
    }
}

// The last bytes of a member reach the disk at close: a full disk there is told,
// and the partial file is not left behind as if it were the member.
TEST(RarSession, AFailedCloseIsToldAndRemovesThePartialFile) {
    test::ScratchFolder scratch;
    const std::string out = scratch.file("out");
    // The first member extracted; the sink operation numbered failAt fails.
    auto extractFirst = [&](std::optional<std::uint64_t> failAt, std::uint64_t& operations) {
        auto fs = std::make_unique<test::FaultyFileSystem>(scratch);
        test::FaultyFileSystem& files = *fs;
        files.failAtWrite = failAt;
        RarSession s(std::move(fs));
        EXPECT_EQ(s.Open(arc::test::FixturePath("rar/stored.rar")), kSuccess);
        RARHeaderData h{};
        EXPECT_EQ(s.ReadHeader(h), kSuccess);
        const int r = s.ProcessFile(kExtract, out.c_str(), nullptr);
        operations = files.writes;
        return r;
    };
    std::uint64_t operations = 0;
    ASSERT_EQ(extractFirst(std::nullopt, operations), kSuccess);
    ASSERT_EQ(scratch.list(out).size(), 1u);
    std::filesystem::remove_all(out);
    // The close is the last operation on the file.
    EXPECT_EQ(extractFirst(operations - 1, operations), kCloseFailed);
    EXPECT_TRUE(scratch.list(out).empty());
}

// The archive the library functions below open, whatever name they are given.
const Bytes* libraryInput = nullptr;

void* KV_RAR_CALL openInMemory(RAROpenArchiveData* data) {
    return OpenArchive(data, [] {
        auto fs = std::make_unique<MemoryFileSystem>();
        fs->files["C:\\in\\x.rar"] = *libraryInput;
        return std::unique_ptr<IFileSystem>(std::move(fs));
    });
}

TEST(RarSession, ExtractingEveryMemberOfAWrappingArchiveEnds) {
    struct Runaway {};
    for (const WrapCase& c : kWraps) {
        SCOPED_TRACE(c.what);
        const Bytes archive = rarWithPackedSize(c.packed);
        libraryInput = &archive;
        arc::test::MemoryWorld w;
        w.fs->files["C:\\in\\x.rar"] = archive;
        arc::TUnRAR unrar(*w.context);
        unrar.Loader = [] {
            auto f = std::make_shared<arc::RarFunctions>();
            *f = arc::RarFunctions{openInMemory, CloseArchive, ReadHeader, ProcessFile, SetChangeVolProc,
                                   SetProcessDataProc};
            return std::shared_ptr<const arc::RarFunctions>(f);
        };
        unrar.SetArchiveFile("C:\\in\\x.rar");
        unrar.SetExtractDir("C:\\out");
        unrar.SetFileSpec("*.*");
        arc::test::EventLog log;
        log.Attach(unrar);
        auto logBegin = unrar.OnBegin;
        int begun = 0;
        unrar.OnBegin = [&](arc::ArchiveReader& x, const std::string& fn, int n, bool& extract) {
            logBegin(x, fn, n, extract);
            if (++begun > 50) throw Runaway{};
        };
        // Damage is told once, then the silent abort ends the extraction.
        try {
            unrar.Extract();
            ADD_FAILURE() << "no damage reported";
        } catch (const EAbort&) {
            EXPECT_EQ(log.errors, std::vector<int>{arc::RarResultToId(kBadArchive)});
        } catch (const Runaway&) {
            ADD_FAILURE() << "the same member came round again and again";
        }
    }
}

}  // namespace
}  // namespace kv::rar
