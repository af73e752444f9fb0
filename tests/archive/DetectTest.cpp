#include <gtest/gtest.h>

#include "ArcTestSupport.h"
#include "archive/ArchiveComponent.h"
#include "archive/ClassifySignature.h"
#include "archive/DetectArcType.h"
#include "archive/PeStrings.h"
#include "archive/ArcBytes.h"

namespace kv::arc {
namespace {

using test::Bytes;
using test::PutLe16;
using test::PutLe32;

TEST(ClassifySignature, EveryRowAtStartAndInside) {
    struct Case {
        std::uint32_t s;
        TArcType atStart, inside;
    } cases[] = {
        {0x04034B50, atZIP, atZipExe},       {0x4643534D, atCAB, atNA},
        {0x50000000, atZip250, atZip250Exe}, {0x07054842, atBH, atBHExe},
        {0x00204148, atHA, atNA},            {0x00088B1F, atGZip, atNA},
        {0x00009D1F, atGZip, atNA},          {0x00009E1F, atGZip, atNA},
        {0x00001E1F, atGZip, atNA},          {0x0000A01F, atGZip, atNA},
        {0x001EEA60, atARJ, atArjExe},       {0x204F4F5A, atZOO, atNA},
        {0x6C2D1A00, atLHA, atLhaExe},       {0x21726152, atRAR, atRarExe},
        {0x41410A1A, atPAK, atPakExe},       {0x41410B1A, atPAK, atPakExe},
        {0x4141081A, atARC, atArcExe},       {0x4141091A, atARC, atArcExe},
        {0x4141021A, atARC, atArcExe},       {0x4141011A, atARC, atArcExe},  // stored first members too
        {0x4141001A, atUnknown, atUnknown},  {0x41410C1A, atUnknown, atUnknown},
        {0x12345678, atUnknown, atUnknown},  {0x00000000, atUnknown, atUnknown},
    };
    for (const Case& c : cases) {
        std::uint64_t start = 0;
        EXPECT_EQ(ClassifySignature(true, c.s, start), c.atStart) << std::hex << c.s;
        EXPECT_EQ(ClassifySignature(false, c.s, start), c.inside) << std::hex << c.s;
        EXPECT_EQ(start, 0u);
    }
    for (std::uint32_t s : {0x000092B7u, 0x1234DFB7u}) {
        std::uint64_t start = 0;
        EXPECT_EQ(ClassifySignature(true, s, start), atArcExe);
        EXPECT_EQ(start, 7716u);
    }
}

// A ZIP of one stored member. With adjusted offsets they count from the file start
// (as "zip -A" leaves them); otherwise from the archive start.
Bytes makeZip(std::size_t prefix, bool adjusted, const std::string& comment) {
    Bytes z(prefix, 0xCC);
    std::size_t base = adjusted ? 0 : prefix;
    std::size_t local = z.size();
    Bytes lh(30);
    PutLe32(lh, 0, 0x04034B50);
    PutLe32(lh, 18, 5);
    PutLe32(lh, 22, 5);
    PutLe16(lh, 26, 5);
    z.insert(z.end(), lh.begin(), lh.end());
    test::Append(z, "a.txthello");
    std::size_t central = z.size();
    Bytes ch(46);
    PutLe32(ch, 0, 0x02014B50);
    PutLe32(ch, 20, 5);
    PutLe32(ch, 24, 5);
    PutLe16(ch, 28, 5);
    PutLe32(ch, 42, static_cast<std::uint32_t>(local - base));
    z.insert(z.end(), ch.begin(), ch.end());
    test::Append(z, "a.txt");
    std::size_t end = z.size();
    Bytes er(22);
    PutLe32(er, 0, 0x06054B50);
    PutLe16(er, 8, 1);
    PutLe16(er, 10, 1);
    PutLe32(er, 12, static_cast<std::uint32_t>(end - central));
    PutLe32(er, 16, static_cast<std::uint32_t>(central - base));
    PutLe16(er, 20, static_cast<std::uint32_t>(comment.size()));
    z.insert(z.end(), er.begin(), er.end());
    test::Append(z, comment);
    return z;
}

// An MZ header whose image ends at pages/lastPage, padded to size with zeros.
Bytes makeMz(std::uint16_t pages, std::uint16_t lastPage, std::size_t size) {
    Bytes b(size, 0);
    b[0] = 'M';
    b[1] = 'Z';
    PutLe16(b, 2, lastPage);
    PutLe16(b, 4, pages);
    return b;
}

void putAt(Bytes& b, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    if (b.size() < at + bytes.size()) b.resize(at + bytes.size());
    std::copy(bytes.begin(), bytes.end(), b.begin() + at);
}

Bytes tarHeader(const std::string& name, char type, bool goodSum) {
    Bytes h(512, 0);
    std::copy(name.begin(), name.end(), h.begin());
    std::string size = "00000000005";
    std::copy(size.begin(), size.end(), h.begin() + 124);
    h[156] = static_cast<std::uint8_t>(type);
    unsigned sum = 0;
    for (int i = 0; i < 512; ++i) sum += (i >= 148 && i < 156) ? ' ' : h[i];
    char text[8];
    std::snprintf(text, sizeof text, "%06o", goodSum ? sum : sum + 1);
    std::copy(text, text + 7, h.begin() + 148);
    return h;
}

// Makes the program a PE file whose string resources 1, 2, ... are the texts (one
// string block, one language), laid out as a linker does: headers at 0x200, one
// ".rsrc" section at 0x340 mapped at 0x1000. Everything stays below 1024.
void PutPeStrings(Bytes& b, const std::vector<std::string>& texts) {
    constexpr std::size_t pe = 0x200, raw = 0x340;
    constexpr std::uint32_t rva = 0x1000;
    PutLe32(b, 0x3C, pe);
    PutLe32(b, pe, 0x4550);
    PutLe16(b, pe + 4, 0x14C);
    PutLe16(b, pe + 6, 1);      // sections
    PutLe16(b, pe + 20, 224);   // optional header size
    const std::size_t opt = pe + 24;
    PutLe16(b, opt, 0x10B);
    PutLe32(b, opt + 92, 16);   // data directories
    PutLe32(b, opt + 96 + 16, rva);
    // The block: 16 counted UTF-16 texts, ids 0..15.
    Bytes block;
    for (unsigned id = 0; id < 16; ++id) {
        const std::string t = id >= 1 && id - 1 < texts.size() ? texts[id - 1] : std::string();
        block.push_back(static_cast<std::uint8_t>(t.size()));
        block.push_back(0);
        for (char c : t) {
            block.push_back(static_cast<std::uint8_t>(c));
            block.push_back(0);
        }
    }
    // Root (type 6) at 0, names (block 1) at 24, languages (0x409) at 48, data entry at 72, block at 88.
    auto dir = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
        PutLe16(b, raw + at + 14, 1);
        PutLe32(b, raw + at + 16, id);
        PutLe32(b, raw + at + 20, target);
    };
    dir(0, 6, 0x80000000 | 24);
    dir(24, 1, 0x80000000 | 48);
    dir(48, 0x409, 72);
    PutLe32(b, raw + 72, rva + 88);
    PutLe32(b, raw + 76, static_cast<std::uint32_t>(block.size()));
    std::copy(block.begin(), block.end(), b.begin() + raw + 88);
    const std::size_t sec = opt + 224;
    std::copy_n(".rsrc", 5, b.begin() + sec);
    PutLe32(b, sec + 8, static_cast<std::uint32_t>(88 + block.size()));
    PutLe32(b, sec + 12, rva);
    PutLe32(b, sec + 16, static_cast<std::uint32_t>(88 + block.size()));
    PutLe32(b, sec + 20, raw);
}

struct DetectCase {
    const char* what;
    std::string name;
    Bytes bytes;
    std::vector<std::string> resources;
    TArcType type;
    std::uint64_t start;
    std::uint64_t foundInside = 0;
    int zipCommentRoom = 0;
};

std::vector<DetectCase> detectCases() {
    std::vector<DetectCase> cases;
    cases.push_back({"shorter than 6 bytes", "A.ZIP", {'P', 'K', 3, 4, 0}, {}, atFileError, 0});
    cases.push_back({"plain zip", "A.ZIP", makeZip(0, false, ""), {}, atZIP, 0});
    {
        Bytes b = makeMz(1, 100, 2000);
        putAt(b, 1234, {'P', 'K', 3, 4});
        cases.push_back({"resource names the zip", "S.EXE", b, {"1234"}, atZipExe, 1234, 1234});
    }
    {
        Bytes b = makeMz(1, 100, 2000);
        putAt(b, 1500, {0x60, 0xEA, 0x20, 0});
        cases.push_back({"second resource names an ARJ", "S.EXE", b, {"99", "1500"}, atArjExe, 1500});
    }
    {
        Bytes b = makeMz(1, 100, 2000);
        putAt(b, 1234, {'M', 'S', 'C', 'F'});
        cases.push_back({"a resource naming a cabinet ends detection", "S.EXE", b, {"1234"}, atNA, 1234});
    }
    {
        Bytes b = makeMz(3, 100, 2000);  // image end 2 x 512 + 100
        putAt(b, 1124, {0x60, 0xEA, 0x20, 0});
        cases.push_back({"ARJ at the image end", "S.EXE", b, {"12a4", "1124"}, atArjExe, 1124});
    }
    {
        Bytes b = makeMz(3, 100, 2000);
        putAt(b, 1124, {0, 0, 0x60, 0xEA, 0x20, 0});
        cases.push_back({"ARJ two bytes after the image end", "S.EXE", b, {}, atArjExe, 1126});
    }
    {
        Bytes b = makeMz(2, 0, 2000);  // a full last page: the image ends at 1024, not 512
        putAt(b, 1024, {0x60, 0xEA, 0x20, 0});
        putAt(b, 512, {'P', 'K', 3, 4});
        cases.push_back({"image end with a full last page", "S.EXE", b, {}, atArjExe, 1024});
    }
    {
        Bytes b = makeMz(2, 0, 1024);
        Bytes z = makeZip(0, false, "");
        b.insert(b.end(), z.begin(), z.end());
        cases.push_back({"LHA-style stub, then a zip found at the image end", "S.EXE", b, {}, atZipExe, 1024});
    }
    for (bool adjusted : {false, true}) {
        for (std::string comment : {std::string(), std::string("PK\x05\x06") + std::string(18, 0) + "a fake end record",
                                    std::string(30000, 'c')}) {
            Bytes z = makeZip(3000, adjusted, comment);
            std::copy_n(makeMz(1, 10, 6).begin(), 6, z.begin());
            const int room = static_cast<int>(comment.size());
            cases.push_back({adjusted ? "zip SFX, offsets adjusted" : "zip SFX, offsets not adjusted", "S.EXE", z, {},
                             atZipExe, 3000, adjusted ? 0u : 3000u, room});
            // The search covers the comment room and 23 bytes: a longer comment hides the record.
            if (room >= 2)
                cases.push_back({"zip SFX with a comment longer than the room", "S.EXE", z, {}, atUnknown, 0, 0,
                                 room - 2});
        }
    }
    cases.push_back({"program without archive", "P.EXE", makeMz(1, 100, 3000), {}, atUnknown, 0});
    {
        // Damaged program files whose fields point past their end hold no archive there.
        Bytes z = makeZip(3000, true, "");
        std::copy_n(makeMz(1, 10, 6).begin(), 6, z.begin());
        PutLe32(z, 3000 + 40 + 42, 0xFFFFFF00);  // the central entry's local header offset
        cases.push_back({"zip SFX whose first member lies past the end", "S.EXE", z, {}, atUnknown, 0});
        Bytes b = makeMz(1, 100, 2000);
        putAt(b, 1500, {0xB7, 0x92, 0, 0});
        cases.push_back({"a resource naming a SEA program too short for its archive", "S.EXE", b, {"1500"}, atUnknown,
                         0});
    }
    {
        Bytes b = tarHeader("a.txt", '0', true);
        cases.push_back({"a 512-byte .TAR is never tar", "X.TAR", b, {}, atUnknown, 0});
        b.resize(2048);
        cases.push_back({"tar", "x.tar", b, {}, atTAR, 0});
        cases.push_back({"tar needs its extension", "x.dat", b, {}, atUnknown, 0});
        Bytes bad = tarHeader("a.txt", '0', false);
        bad.resize(2048);
        cases.push_back({"tar with a wrong checksum", "X.TAR", bad, {}, atUnknown, 0});
        Bytes labelled = tarHeader("BACKUP", 'V', true);
        Bytes member = tarHeader("a.txt", '0', true);
        labelled.insert(labelled.end(), member.begin(), member.end());
        labelled.resize(3072);
        cases.push_back({"tar -V: the walk starts after the label", "L.TAR", labelled, {}, atTAR, 512});
    }
    cases.push_back({"ARC whose first member is stored", "A.ARC", {0x1A, 2, 'A', 0, 0, 0, 0, 0}, {}, atARC, 0});
    cases.push_back({"RAR 5", "A.RAR", {'R', 'a', 'r', '!', 0x1A, 7, 1, 0}, {}, atRAR, 0});
    return cases;
}

TEST(DetectArcType, Table) {
    for (const DetectCase& c : detectCases()) {
        test::MemoryWorld w;
        std::string path = "C:\\A\\" + c.name;
        Bytes bytes = c.bytes;
        if (!c.resources.empty()) PutPeStrings(bytes, c.resources);
        w.fs->files[path] = bytes;
        Detection d = DetectArcType(*w.context, path, c.zipCommentRoom);
        EXPECT_EQ(d.type, c.type) << c.what;
        EXPECT_EQ(d.start, c.start) << c.what;
        EXPECT_EQ(d.foundInside, c.foundInside) << c.what;
        EXPECT_EQ(d.size, c.bytes.size()) << c.what;
        EXPECT_EQ(d.fileDate, w.fs->dosDate) << c.what;
    }
}

// Programs MinGW linked, with string tables windres compiled: the resource directory
// as a real linker lays it out (tools/make-sfx-fixtures).
TEST(DetectArcType, StringResourcesOfRealPrograms) {
    auto context = test::FixtureContext();
    for (const char* name : {"sfx/strings-zip.exe", "sfx/strings-later.exe"}) {
        const std::string path = test::FixturePath(name);
        const Bytes bytes = test::ReadFixture(name);
        MemorySource file(bytes);
        const std::vector<std::string> texts = ReadPeStrings(file, 1, 4, 5);
        const std::uint64_t stub = std::stoull(texts[name[12] == 'z' ? 0 : 2]);
        // The comment hides the ZIP from the end-record search: only the resource finds it.
        Detection d = DetectArcType(*context, path);
        EXPECT_EQ(d.type, atZipExe) << name;
        EXPECT_EQ(d.start, stub) << name;
        EXPECT_EQ(d.foundInside, stub) << name;
        ASSERT_GT(bytes.size(), stub + 4);
        EXPECT_EQ(Le32(&bytes[stub]), 0x04034B50u) << name;
    }
    MemorySource later(test::ReadFixture("sfx/strings-later.exe"));
    const std::vector<std::string> texts = ReadPeStrings(later, 1, 4, 5);
    EXPECT_EQ(texts[0], "12");
    EXPECT_EQ(texts[1], "40");
    EXPECT_EQ(texts[3], "");
    EXPECT_EQ(ReadPeStrings(later, 17, 1, 50), std::vector<std::string>{"other block"});
    EXPECT_EQ(ReadPeStrings(later, 100, 2, 2), (std::vector<std::string>{"fa", ""}));
    MemorySource none(test::ReadFixture("sfx/strings-none.exe"));
    EXPECT_EQ(ReadPeStrings(none, 1, 4, 5), std::vector<std::string>(4));
    EXPECT_EQ(ReadPeStrings(none, 7, 1, 5), std::vector<std::string>{"seven"});
    EXPECT_EQ(DetectArcType(*context, test::FixturePath("sfx/strings-none.exe")).type, atUnknown);
}

// Damage anywhere in the directory gives no text and never a read outside the file.
TEST(DetectArcType, DamagedResourceDirectories) {
    const Bytes good = test::ReadFixture("sfx/strings-zip.exe");
    MemorySource whole(good);
    ASSERT_FALSE(ReadPeStrings(whole, 1, 1, 5)[0].empty());
    for (std::size_t cut : {std::size_t{2}, std::size_t{64}, std::size_t{200}, good.size() / 2}) {
        MemorySource part(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
        EXPECT_EQ(ReadPeStrings(part, 1, 4, 5), std::vector<std::string>(4)) << cut;
    }
    // Every byte of the headers and of the resource section set to 0xFF in turn: no
    // crash, no throw.
    const std::uint32_t pe = Le32(&good[0x3C]);
    const std::size_t sections = Le16(&good[pe + 6]), table = pe + 24 + Le16(&good[pe + 20]);
    std::vector<std::pair<std::size_t, std::size_t>> ranges{{pe, table + 40 * sections}};
    for (std::size_t i = 0; i < sections; ++i) {
        const std::uint8_t* h = &good[table + 40 * i];
        if (std::string(reinterpret_cast<const char*>(h), 5) == ".rsrc") ranges.emplace_back(Le32(h + 20), Le32(h + 20) + Le32(h + 16));
    }
    ASSERT_EQ(ranges.size(), 2u);
    for (const auto& [from, to] : ranges) {
        for (std::size_t at = from; at < to && at < good.size(); ++at) {
            Bytes bad = good;
            bad[at] = 0xFF;
            MemorySource src(std::move(bad));
            EXPECT_NO_THROW(ReadPeStrings(src, 1, 4, 5)) << at;
        }
    }
}

TEST(DetectArcType, ArchiveFileProperty) {
    test::MemoryWorld w;
    w.fs->files["C:\\A\\X.ZIP"] = makeZip(0, false, "");
    ArchiveReader c(*w.context);
    c.SetArchiveFile("C:/A/X.ZIP");
    EXPECT_EQ(c.ArchiveFile(), "C:\\A\\X.ZIP");
    EXPECT_EQ(c.ArcType(), atZIP);
    c.SetArchiveFile("C:\\A\\MISSING.ZIP");
    EXPECT_EQ(c.ArchiveFile(), "");
    EXPECT_EQ(c.ArcType(), atNA);
    Detection d = DetectArcType(*w.context, "C:\\A\\MISSING.ZIP");
    EXPECT_EQ(d.type, atFileError);

    c.SetFileSpec("C:/dir/*.txt");
    EXPECT_EQ(c.FileSpec(), "*.txt");
    c.SetZipCmntBufSize(99999);
    EXPECT_EQ(c.ZipCmntBufSize(), 32767);
    c.SetZipCmntBufSize(-5);
    EXPECT_EQ(c.ZipCmntBufSize(), 0);
    // Detection uses the comment room: a ZIP after a program, with a 100-byte comment.
    Bytes sfx = makeZip(3000, false, std::string(100, 'c'));
    std::copy_n(makeMz(1, 10, 6).begin(), 6, sfx.begin());
    w.fs->files["C:\\A\\S.EXE"] = sfx;
    c.SetArchiveFile("C:\\A\\S.EXE");
    EXPECT_EQ(c.ArcType(), atUnknown);
    c.SetZipCmntBufSize(100);
    c.SetArchiveFile("C:\\A\\S.EXE");
    EXPECT_EQ(c.ArcType(), atZipExe);
    EXPECT_EQ(c.ArchiveStart(), 3000u);
    c.SetArchiveFile("C:\\A\\X.ZIP");
    c.SetExtractDir("");
    EXPECT_EQ(c.ExtractDir(), "C:\\A\\");
    c.SetExtractDir("D:/out");
    EXPECT_EQ(c.ExtractDir(), "D:\\out\\");
}

TEST(DetectArcType, ErrorsGoThroughOnErrorFirst) {
    test::MemoryWorld w;
    ArchiveReader c(*w.context);
    std::vector<int> seen;
    c.OnError = [&](ArchiveReader& sender, const std::string& fn, const std::string& vol, int code) {
        EXPECT_EQ(&sender, &c);
        EXPECT_EQ(fn, "F");
        EXPECT_EQ(vol, "0");
        seen.push_back(code);
    };
    ReportArcError(c, "F", "0", eNextVolume);
    EXPECT_EQ(seen, std::vector<int>{25903});
    try {
        RaiseArcError(c, "F", "0", eHeaderId);
        FAIL();
    } catch (const E_RAISE& e) {
        EXPECT_EQ(e.id(), eHeaderId);
    }
    EXPECT_EQ(seen, (std::vector<int>{25903, 25137}));
}

}  // namespace
}  // namespace kv::arc
