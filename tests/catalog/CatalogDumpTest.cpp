#include <gtest/gtest.h>

#include "tests/tools/CatalogDump.h"
#include "LoadFixtures.h"
#include "SampleCatalog.h"

namespace kv {
namespace {

TEST(CatalogDump, SampleCatalogGolden) {
    test::SampleCatalog s = test::makeSampleCatalog();
    std::string out;
    EXPECT_EQ(tools::DumpCatalog(test::load::MemoryReader(s.bytes.bytes()), out), "");
    // 0x08 on Photos: a root file has a description, which loading records on its owner.
    EXPECT_EQ(out,
              R"(CATALOG version=1.01 name="Sample" desc="Two disks"
CATEGORY code=1 name="Holidays"
CATEGORY code=2 name="Work"
FLAGS 1="Favourite" 2="" 3=""
DISK name="Photos" flags=0x8B media=5 skip=0 res=0 bps=512 spc=8 maxname=0 files=4 members=0 folders=3 clusters=1000 free=100 date=40000.5 serial=0x00000000 res2=0 label="DATA" fs="NTFS" vpath="\x5CPhotos\x5C" other=250 desc="Holiday pictures"
FILE path="\a.txt" attr=0x20 created=0x00000001 modified=0x00000002 accessed=0x00000003 size=100 cat=0x00 desc=""
FILE path="\b.txt" attr=0x20 created=0x00000004 modified=0x00000005 accessed=0x00000006 size=200 cat=0x21 desc="bee"
FOLDER path="\A" flags=0x02 attr=0x00 created=0x00000000 modified=0x00000000 accessed=0x00000000 total=3000000 res=0 cat=0x00 desc=""
FILE path="\A\c.dat" attr=0x01 created=0x00000007 modified=0x00000008 accessed=0x00000009 size=300 cat=0x00 desc=""
FOLDER path="\A\A1" flags=0x02 attr=0x00 created=0x00000000 modified=0x00000000 accessed=0x00000000 total=0 res=0 cat=0x00 desc="empty"
FOLDER path="\B" flags=0x1A attr=0x00 created=0x00000000 modified=0x00000000 accessed=0x00000000 total=4000000 res=0 cat=0x00 desc=""
FILE path="\B\d.dat" attr=0x00 created=0xCAFEF00D modified=0x0000000A accessed=0x00000096 size=400 cat=0x02 desc="dee"
DISK name="Empty" flags=0x03 media=0 skip=0 res=0 bps=0 spc=0 maxname=0 files=0 members=0 folders=0 clusters=0 free=0 date=0 serial=0x00000000 res2=0 label="" fs="FAT" vpath="" other=0 desc=""
)");
}

TEST(CatalogDump, EscapesTextsAndStopsAtDamageWithTheMessage) {
    test::CatalogBytes b;
    b.head("Q\"\\\x01\xE9", "").categoryBlock();
    const test::load::DiskLayout d = test::load::AddDisk(b, "D", {}, {{1, "A", {}}, {2, "X", {}}});
    // Found only when A's subfolders are read, after the open.
    b.patchI32(d.folderRecords[1] + 4 + 1, 0x7FFFFFF0);
    std::string out;
    EXPECT_EQ(tools::DumpCatalog(test::load::MemoryReader(b.bytes()), out),
              "Internal catalog structure error detected.\n");
    EXPECT_EQ(out.substr(0, out.find('\n')), R"(CATALOG version=1.01 name="Q\x22\x5C\x01\xE9" desc="")");
    // Everything before the damaged subfolder was printed.
    EXPECT_NE(out.find("\nDISK name=\"D\""), std::string::npos);
    EXPECT_NE(out.find("\nFOLDER path=\"\\A\""), std::string::npos);
    EXPECT_EQ(out.find("\\X"), std::string::npos);
}

}  // namespace
}  // namespace kv
