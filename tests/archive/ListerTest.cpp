// The lister's contract (events, errors, masks, volumes) and the walk faults that
// hand-made archives show best: loops, short headers, service blocks.
#include <gtest/gtest.h>

#include <tuple>

#include "ArcTestSupport.h"
#include "archive/ArcLister.h"
#include "archive/ArcNumbers.h"

namespace kv::arc {
namespace {

using test::Bytes;
using test::PutLe16;
using test::PutLe32;
using test::Append;

struct Listing {
    std::vector<std::string> names;
    std::vector<std::uint64_t> offsets;
    std::vector<int> errors;  // every OnError code, in order
    int raised = 0;           // the E_RAISE id, 0 when none
};

Listing listWith(test::MemoryWorld& w, const std::string& path, const std::string& mask = "*.*") {
    Listing out;
    TArcLister lister(*w.context);
    lister.SetArchiveFile(path);
    lister.SetFileSpec(mask);
    lister.OnError = [&](ArchiveReader&, const std::string&, const std::string&, int code) { out.errors.push_back(code); };
    lister.OnRead = [&](ArchiveReader& s, std::uint64_t offset, int filenum) {
        EXPECT_EQ(filenum, static_cast<int>(out.names.size()) + 1);
        out.names.push_back(s.Current.FileName);
        out.offsets.push_back(offset);
    };
    try {
        lister.Activate();
    } catch (const E_RAISE& e) {
        out.raised = e.id();
    }
    return out;
}

Listing listBytes(const std::string& name, const Bytes& bytes, const std::string& mask = "*.*") {
    test::MemoryWorld w;
    w.fs->files["C:\\A\\" + name] = bytes;
    return listWith(w, "C:\\A\\" + name, mask);
}

// A listing opens the archive once, detection included, and reads only what the kind
// needs: a gzip file's header and trailer, a ZIP's end record and central directory,
// never the members' data.
TEST(ArcLister, ReadsOnlyTheBlocksTheKindNeeds) {
    constexpr std::size_t kData = 2 << 20;
    Bytes gz = {0x1F, 0x8B, 8, 8, 0, 0, 0, 0, 0, 3};
    Append(gz, "big.txt");
    gz.push_back(0);
    gz.resize(gz.size() + kData, 0x55);
    for (std::uint8_t b : {1, 2, 3, 4, 0, 0, 0x20, 0}) gz.push_back(b);

    Bytes zip;
    Append(zip, "PK\x03\x04");
    zip.resize(26);
    PutLe32(zip, 18, kData);
    PutLe32(zip, 22, kData);
    PutLe16(zip, 26, 5);
    PutLe16(zip, 28, 0);
    Append(zip, "a.bin");
    zip.resize(zip.size() + kData, 0xAA);
    const std::size_t central = zip.size();
    Append(zip, "PK\x01\x02");
    zip.resize(central + 46);
    PutLe32(zip, central + 20, kData);
    PutLe32(zip, central + 24, kData);
    PutLe16(zip, central + 28, 5);
    Append(zip, "a.bin");
    const std::size_t end = zip.size();
    Append(zip, "PK\x05\x06");
    zip.resize(end + 22);
    PutLe16(zip, end + 8, 1);
    PutLe16(zip, end + 10, 1);
    PutLe32(zip, end + 12, static_cast<std::uint32_t>(end - central));
    PutLe32(zip, end + 16, static_cast<std::uint32_t>(central));

    for (const auto& [name, bytes, member] :
         {std::tuple{"BIG.GZ", gz, "big.txt"}, std::tuple{"BIG.ZIP", zip, "a.bin"}}) {
        test::MemoryWorld w;
        w.fs->files[std::string("C:\\A\\") + name] = bytes;
        Listing l = listWith(w, std::string("C:\\A\\") + name);
        EXPECT_EQ(l.names, std::vector<std::string>{member}) << name;
        EXPECT_EQ(w.fs->tally.opens, 1) << name;
        EXPECT_LE(w.fs->tally.reads, 3) << name;
        EXPECT_LT(w.fs->tally.bytes, 70000u) << name;
    }
}

TEST(ArcLister, RefusesWhatItCannotList) {
    test::MemoryWorld w;
    w.fs->files["C:\\A\\X.BIN"] = Bytes(100, 0x55);
    w.fs->files["C:\\A\\S.ZIP"] = {'P', 'K', 3};
    TArcLister lister(*w.context);
    EXPECT_TRUE(lister.Activate());  // no archive: nothing happens

    std::vector<int> errors;
    lister.OnError = [&](ArchiveReader&, const std::string& fn, const std::string& vol, int code) {
        EXPECT_EQ(fn, lister.ArchiveFile());
        EXPECT_EQ(vol, "0");
        errors.push_back(code);
    };
    auto raised = [&]() {
        try {
            lister.Activate();
        } catch (const E_RAISE& e) {
            return e.id();
        }
        return 0;
    };
    lister.SetArchiveFile("C:\\A\\X.BIN");
    EXPECT_EQ(raised(), eNoOnRead);
    lister.OnRead = [](ArchiveReader&, std::uint64_t, int) {};
    EXPECT_EQ(raised(), eUnknownFileType);
    lister.SetArchiveFile("C:\\A\\S.ZIP");
    EXPECT_EQ(raised(), eHeaderId);
    EXPECT_EQ(errors, (std::vector<int>{eNoOnRead, eUnknownFileType, eHeaderId}));

    // An empty ZIP: the end record is the whole file.
    Bytes empty(22);
    PutLe32(empty, 0, 0x06054B50);
    EXPECT_EQ(listBytes("E.ZIP", empty).raised, eHeaderId);
}

TEST(ArcLister, EventsMaskTotalsAndComment) {
    auto context = test::FixtureContext();
    TArcLister lister(*context);
    lister.SetArchiveFile(test::FixturePath("made/comment.zip"));
    std::vector<std::string> order;
    lister.OnActivate = [&](ArchiveReader&) { order.push_back("activate"); };
    lister.OnReadBegin = [&](ArchiveReader&) { order.push_back("begin"); };
    lister.OnRead = [&](ArchiveReader&, std::uint64_t, int) { order.push_back("read"); };
    lister.OnReadEnd = [&](ArchiveReader&) { order.push_back("end"); };
    lister.OnTotals = [&](ArchiveReader& s, int n) {
        order.push_back("totals " + std::to_string(n));
        EXPECT_EQ(static_cast<TArcLister&>(s).ArchiveComment, "An archive comment\r\nover two lines");
        EXPECT_EQ(s.Current.Ratio, CompressionRatio(lister.TotalPacked, lister.TotalUnpacked));
    };
    lister.OnDeactivate = [&](ArchiveReader&) { order.push_back("deactivate"); };
    lister.Activate();
    EXPECT_EQ(order, (std::vector<std::string>{"activate", "begin", "read", "end", "totals 1", "deactivate"}));
    EXPECT_EQ(lister.ArchiveComment, "");  // freed at the end

    // A mask skips members but the walk stays in step with the headers.
    test::MemoryWorld w;
    w.fs->files["C:\\D.ZIP"] = test::ReadFixture("made/deflate.zip");
    Listing all = listWith(w, "C:\\D.ZIP");
    Listing txt = listWith(w, "C:\\D.ZIP", "*.txt");
    EXPECT_EQ(all.names.size(), 6u);
    EXPECT_EQ(txt.names, (std::vector<std::string>{
                             "readme.txt", "numbers.txt", "docs\\readonly.txt",
                             "docs\\A rather long file name with spaces, to pass the old limits of names.txt"}));
    EXPECT_EQ(txt.offsets[1], all.offsets[1]);  // central-directory positions
    EXPECT_LT(all.offsets[0], all.offsets[1]);
}

// ZOO: archive header, then entries chained by absolute positions.
Bytes zooEntry(std::uint32_t next, const std::string& name, bool deleted) {
    Bytes e(56, 0);
    PutLe32(e, 0, 0xFDC4A7DC);
    e[4] = 1;
    PutLe32(e, 6, next);
    PutLe32(e, 20, 2);
    PutLe32(e, 24, 2);
    e[30] = deleted ? 1 : 0;
    std::copy(name.begin(), name.end(), e.begin() + 38);
    return e;
}

Bytes zooArchive(std::initializer_list<std::pair<std::string, std::int64_t>> entries) {
    Bytes z(34, 0);
    test::Append(z, "");
    std::string text = "ZOO 2.10 Archive.\x1A";
    std::copy(text.begin(), text.end(), z.begin());
    PutLe32(z, 20, 0xFDC4A7DC);
    PutLe32(z, 24, 34);
    PutLe32(z, 28, static_cast<std::uint32_t>(-34));
    z[32] = 1;
    std::uint32_t at = 34;
    for (const auto& [name, next] : entries) {
        // next < 0: point this many entries back; 0: the terminal entry.
        std::uint32_t target = next == 0 ? 0 : static_cast<std::uint32_t>(at + 56 * next);
        bool deleted = name.rfind("deleted", 0) == 0;
        Bytes e = zooEntry(target, name, deleted);
        z.insert(z.end(), e.begin(), e.end());
        at += 56;
    }
    return z;
}

TEST(ArcLister, ZooSkipsDeletedEntriesAndStopsLoops) {
    Listing ok = listBytes("A.ZOO", zooArchive({{"a.txt", 1}, {"deleted.txt", 1}, {"b.txt", 1}, {"end", 0}}));
    EXPECT_EQ(ok.names, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(ok.raised, 0);

    Listing loop = listBytes("L.ZOO", zooArchive({{"a.txt", 1}, {"b.txt", -1}}));
    EXPECT_EQ(loop.names, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(loop.raised, eBadFileHeader);
    Listing self = listBytes("S.ZOO", zooArchive({{"a.txt", 0}}));
    EXPECT_TRUE(self.names.empty());  // the only entry is the terminal one
}

Bytes arcMember(std::uint8_t method, const std::string& name, const std::string& data) {
    Bytes h(method == 1 ? 25 : 29, 0);
    h[0] = 0x1A;
    h[1] = method;
    std::copy(name.begin(), name.end(), h.begin() + 2);
    PutLe32(h, 15, static_cast<std::uint32_t>(data.size()));
    if (method != 1) PutLe32(h, 25, static_cast<std::uint32_t>(data.size()));
    test::Append(h, data);
    return h;
}

TEST(ArcLister, ArcMethodOneHasTheShortHeader) {
    Bytes a = arcMember(1, "OLD.TXT", "12345");
    Bytes b = arcMember(2, "NEW.TXT", "abc");
    a.insert(a.end(), b.begin(), b.end());
    a.push_back(0x1A);
    a.push_back(0);
    a.insert(a.end(), {0x1A, 0x1A, 0x1A});  // CP/M padding after the end mark
    test::MemoryWorld w;
    w.fs->files["C:\\A.ARC"] = a;
    TArcLister lister(*w.context);
    lister.SetArchiveFile("C:\\A.ARC");
    EXPECT_EQ(lister.ArcType(), atARC);
    std::vector<std::pair<std::string, std::uint32_t>> got;
    lister.OnRead = [&](ArchiveReader& s, std::uint64_t, int) {
        got.emplace_back(s.Current.FileName, s.Current.UnpackedSize);
    };
    lister.Activate();
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::uint32_t>>{{"OLD.TXT", 5}, {"NEW.TXT", 3}}));
}

// RAR 4 blocks.
Bytes rarBlock(std::uint8_t type, std::uint16_t flags, Bytes body, std::uint32_t addSize = 0) {
    Bytes b(7, 0);
    b[2] = type;
    PutLe16(b, 3, flags | (addSize ? 0x8000 : 0));
    if (addSize) {
        Bytes add(4);
        PutLe32(add, 0, addSize);
        b.insert(b.end(), add.begin(), add.end());
    }
    b.insert(b.end(), body.begin(), body.end());
    PutLe16(b, 5, static_cast<std::uint32_t>(b.size()));
    return b;
}

Bytes rarFile(const std::string& name, std::uint16_t flags, std::uint32_t packed, std::uint32_t high = 0) {
    Bytes b(32, 0);
    b[2] = 0x74;
    PutLe16(b, 3, 0x8000 | flags);
    PutLe32(b, 7, packed);
    PutLe32(b, 11, 1000);
    b[15] = 2;  // Win32 host
    PutLe32(b, 16, 0xCAFEF00D);
    b[24] = 29;
    b[25] = '3';
    PutLe16(b, 26, static_cast<std::uint32_t>(name.size()));
    PutLe32(b, 28, 0x20);
    if (flags & 0x100) {
        Bytes hi(8, 0);
        PutLe32(hi, 0, high);
        PutLe32(hi, 4, 1);
        b.insert(b.end(), hi.begin(), hi.end());
    }
    test::Append(b, name);
    PutLe16(b, 5, static_cast<std::uint32_t>(b.size()));
    b.resize(b.size() + packed);
    return b;
}

TEST(ArcLister, RarListsFileBlocksOnly) {
    Bytes r = {'R', 'a', 'r', '!', 0x1A, 7, 0};
    auto add = [&r](const Bytes& b) { r.insert(r.end(), b.begin(), b.end()); };
    add(rarBlock(0x73, 0x0002, Bytes(6, 0)));
    add(rarFile("first.txt", 0, 4));
    Bytes cmt = {3, 0, 'C', 'M', 'T'};
    add(rarBlock(0x7A, 0, cmt, 10));
    r.resize(r.size() + 10);
    add(rarFile(std::string("uni.txt\0\x01\x02", 10), 0x200, 0));
    add(rarFile("tail.txt", 0x01, 3));  // continued from the previous volume
    add(rarBlock(0x78, 0, Bytes(4, 0), 7));  // a recovery record
    r.resize(r.size() + 7);
    add(rarFile("dir", 0xE0, 0));
    add(rarBlock(0x7B, 0, {}));
    add(rarFile("after-the-end.txt", 0, 0));

    test::MemoryWorld w;
    w.fs->files["C:\\A.RAR"] = r;
    TArcLister lister(*w.context);
    lister.SetArchiveFile("C:\\A.RAR");
    std::vector<std::string> names;
    std::vector<std::uint32_t> attrs;
    std::string comment;
    lister.OnRead = [&](ArchiveReader& s, std::uint64_t, int) {
        names.push_back(s.Current.FileName);
        attrs.push_back(s.Current.ExternalAttr);
        EXPECT_EQ(s.Current.FileCRC, 0xCAFEF00Du);
        EXPECT_EQ(s.Current.MethodName, "Normal");
        comment = lister.ArchiveComment;
    };
    lister.Activate();
    EXPECT_EQ(names, (std::vector<std::string>{"first.txt", "uni.txt", "dir"}));
    EXPECT_EQ(attrs, (std::vector<std::uint32_t>{0x20, 0x20, 0x30}));
    EXPECT_EQ(comment, "Archive Comment encrypted...");
}

TEST(ArcLister, RarLargeSizesAndRarFive) {
    Bytes r = {'R', 'a', 'r', '!', 0x1A, 7, 0};
    Bytes main = rarBlock(0x73, 0, Bytes(6, 0));
    r.insert(r.end(), main.begin(), main.end());
    Bytes big = rarFile("big.iso", 0x100, 16, 0);
    r.insert(r.end(), big.begin(), big.end());
    test::MemoryWorld w;
    w.fs->files["C:\\B.RAR"] = r;
    TArcLister lister(*w.context);
    lister.SetArchiveFile("C:\\B.RAR");
    std::uint64_t unpacked = 0;
    lister.OnRead = [&](ArchiveReader& s, std::uint64_t, int) {
        unpacked = s.Current.UnpackedSize64;
        EXPECT_EQ(s.Current.UnpackedSize, 0xFFFFFFFFu);  // clamped in the 32-bit field
    };
    lister.Activate();
    EXPECT_EQ(unpacked, (std::uint64_t{1} << 32) + 1000);

    Listing five = listBytes("5.RAR", {'R', 'a', 'r', '!', 0x1A, 7, 1, 0, 0x33, 0x92, 0xB5, 0xE5, 0x0A, 1, 5, 6, 0, 5, 1,
                                       1, 0x80, 0x80, 0});
    EXPECT_EQ(five.raised, eUnsupportedVersion);
    EXPECT_TRUE(five.names.empty());
}

// LHA level 1: extended headers chain after the base header; the folder need not
// come first.
TEST(ArcLister, LhaLevelOneWalksTheWholeExtendedChain) {
    std::string name = "file.txt";
    Bytes h(22, 0);
    std::string id = "-lh0-";
    std::copy(id.begin(), id.end(), h.begin() + 2);
    h[19] = 0x20;
    h[20] = 1;
    h[21] = static_cast<std::uint8_t>(name.size());
    test::Append(h, name);
    h.push_back(0x34);  // CRC
    h.push_back(0x12);
    h.push_back('M');
    Bytes comment = {0x3F};
    test::Append(comment, "note");
    Bytes folder = {0x02};
    test::Append(folder, "a\xFF" "b\xFF");
    Bytes exts;
    std::size_t first = comment.size() + 2;
    for (const Bytes* e : {&comment, &folder}) {
        exts.insert(exts.end(), e->begin(), e->end());
        std::size_t nextSize = e == &comment ? folder.size() + 2 : 0;
        exts.push_back(static_cast<std::uint8_t>(nextSize));
        exts.push_back(0);
    }
    h.push_back(static_cast<std::uint8_t>(first));
    h.push_back(0);
    h[0] = static_cast<std::uint8_t>(h.size() - 2);
    std::string data = "hello";
    PutLe32(h, 7, static_cast<std::uint32_t>(exts.size() + data.size()));
    PutLe32(h, 11, static_cast<std::uint32_t>(data.size()));
    h.insert(h.end(), exts.begin(), exts.end());
    test::Append(h, data);
    h.push_back(0);

    test::MemoryWorld w;
    w.fs->files["C:\\A.LZH"] = h;
    TArcLister lister(*w.context);
    lister.SetArchiveFile("C:\\A.LZH");
    std::vector<std::string> got;
    lister.OnRead = [&](ArchiveReader& s, std::uint64_t, int) {
        got.push_back(s.Current.FileName);
        EXPECT_EQ(s.Current.PackedSize, 5u);
        EXPECT_EQ(s.Current.FileCRC, 0x1234u);
        EXPECT_EQ(s.Current.FileComment, "note");
    };
    lister.Activate();
    EXPECT_EQ(got, std::vector<std::string>{"a\\b\\file.txt"});
}

TEST(ArcLister, CabinetSets) {
    test::MemoryWorld w;
    std::string dir = "C:\\S\\";
    Bytes p1 = test::ReadFixture("historic/libarchive/test/test_read_format_cab_multi.p1.cab");
    Bytes p2 = test::ReadFixture("historic/libarchive/test/test_read_format_cab_multi.p2.cab");
    w.fs->files[dir + "test_read_format_cab_multi.p1.cab"] = p1;
    w.fs->files[dir + "test_read_format_cab_multi.p2.cab"] = p2;
    Listing set = listWith(w, dir + "test_read_format_cab_multi.p1.cab");
    EXPECT_EQ(set.names, std::vector<std::string>{"ones"});  // continued into p2, listed once
    EXPECT_EQ(set.raised, 0);

    w.fs->files.erase(dir + "test_read_format_cab_multi.p2.cab");
    Listing missing = listWith(w, dir + "test_read_format_cab_multi.p1.cab");
    EXPECT_EQ(missing.names, std::vector<std::string>{"ones"});
    EXPECT_EQ(missing.errors, (std::vector<int>{eNextVolume, eFileNotFound}));
    EXPECT_EQ(missing.raised, eFileNotFound);

    // A cabinet whose "next" names itself.
    Bytes self = p1;
    std::string next = "test_read_format_cab_multi.p2.cab";
    auto at = std::search(self.begin(), self.end(), next.begin(), next.end());
    ASSERT_NE(at, self.end());
    *(at + 28) = '1';
    w.fs->files[dir + "test_read_format_cab_multi.p1.cab"] = self;
    Listing loop = listWith(w, dir + "test_read_format_cab_multi.p1.cab");
    EXPECT_EQ(loop.names, std::vector<std::string>{"ones"});
    EXPECT_EQ(loop.errors, std::vector<int>{eBadFileHeader});
    EXPECT_EQ(loop.raised, 0);
}

TEST(ArcLister, ArjVolumes) {
    test::MemoryWorld w;
    w.fs->files["C:\\V\\VOLUMES.ARJ"] = test::ReadFixture("made/volumes.arj");
    w.fs->files["C:\\V\\VOLUMES.A01"] = test::ReadFixture("made/volumes.a01");
    TArcLister lister(*w.context);
    lister.SetArchiveFile("C:\\V\\VOLUMES.ARJ");
    std::vector<std::pair<std::string, std::string>> got;
    lister.OnRead = [&](ArchiveReader& s, std::uint64_t, int) {
        got.emplace_back(s.Current.FileName, lister.CurrentVolumeFile);
    };
    lister.Activate();
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::string>>{{"numbers.txt", "C:\\V\\VOLUMES.ARJ"},
                                                                       {"readme.txt", "C:\\V\\VOLUMES.A01"}}));

    w.fs->files.erase("C:\\V\\VOLUMES.A01");
    Listing missing = listWith(w, "C:\\V\\VOLUMES.ARJ");
    EXPECT_TRUE(missing.names.empty());
    EXPECT_EQ(missing.errors, (std::vector<int>{eNextVolume, eFileNotFound}));
}

TEST(ArcLister, DamageAfterTheMembersReadSoFar) {
    Bytes tar = test::ReadFixture("made/ustar.tar");
    tar.resize(512 + 100);  // the first member's data is cut short
    Listing cut = listBytes("CUT.TAR", tar);
    EXPECT_EQ(cut.names, std::vector<std::string>{"readme.txt"});
    EXPECT_EQ(cut.raised, eReadError);

    Bytes lzh = test::ReadFixture("historic/lhasa/archives/regression/truncated.lzh");
    EXPECT_EQ(listBytes("T.LZH", lzh).raised, eReadError);
}

}  // namespace
}  // namespace kv::arc
