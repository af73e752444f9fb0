#include "shell/commands/CompareTexts.h"

#include <gtest/gtest.h>

#include "base/text/AnsiCase.h"
#include "catalog/model/ItemRecords.h"
#include "system/SystemCaseMap.h"
#include "system/drives/MediaTypes.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

using Fixture = test::ModelFixture;

TDiskRec& diskRecord(Fixture& f) { return *RecordAs<TDiskRec>(f.disk->record()); }

TEST(CompareTexts, TargetsAndTexts) {
    Fixture f;
    Node& zip = f.folder(*f.a, "x.zip");
    zip.record()->flags |= ItemFlags::Archive;
    TFileRec& member = test::AddFile(f.folderRec(zip), "m.txt");
    member.flags |= ItemFlags::Archive;
    EXPECT_EQ(CompareTargetNode(&member, false, &zip), f.a);
    EXPECT_EQ(CompareTargetNode(zip.record(), false, f.a), f.a);
    EXPECT_EQ(CompareTargetNode(f.b->record(), false, f.a), f.b);
    EXPECT_EQ(CompareTargetNode(nullptr, true, f.b), f.a);
    EXPECT_EQ(CompareTargetNode(nullptr, false, f.b), nullptr);

    EXPECT_EQ(CompareQuestion(*f.b), "About to compare folder \"B\" in catalog to original media, please confirm.");
    diskRecord(f).volume.mediaType = MediaType::CdRom;
    EXPECT_EQ(CompareKindName(*f.disk), MediaTypeName(MediaType::CdRom));
    diskRecord(f).volume.mediaType = MediaType::Floppy35HD;
    std::string floppy = CompareKindName(*f.disk);
    EXPECT_NE(floppy, MediaTypeName(MediaType::Floppy35HD));
    EXPECT_EQ(floppy, lowerCase(MediaTypeName(MediaType::Floppy35HD), systemCaseMap()));
    EXPECT_EQ(NoChangesText(*f.disk), "No changes have been detected on the media. Catalog data for " + floppy +
                                          " \"D\" is up to date.");
}

}  // namespace
}  // namespace kv
