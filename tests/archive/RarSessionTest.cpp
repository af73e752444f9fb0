// Our RAR library's core, natively under the sanitizers: volume names, and damaged
// archives that must end in a result, never a crash or a hang.
#include <gtest/gtest.h>

#include <string>

#include "ArcTestSupport.h"
#include "unrar/RarSession.h"

namespace kv::rar {
namespace {

using arc::test::Bytes;
using arc::test::MemoryFileSystem;
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

}  // namespace
}  // namespace kv::rar
