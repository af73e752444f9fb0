#include "system/drives/MediaTypes.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

TEST(MediaTypes, NamesWithVirtualPrefix) {
    EXPECT_EQ(MediaTypeName(0), "Floppy 5.25\" DD");
    EXPECT_EQ(MediaTypeName(9), "Floppy 3.5\" EHD");
    EXPECT_EQ(MediaTypeName(15), "iomega JAZ 1GB");
    EXPECT_EQ(MediaTypeName(5, 0x80), "Virtual Hard disk");
    EXPECT_EQ(MediaTypeName(5, 0x7F), "Hard disk");
    EXPECT_EQ(MediaTypeName(16), "Unknown");
    EXPECT_EQ(MediaTypeName(200, 0x80), "Unknown");
    EXPECT_EQ(MediaTypeName(255), "Unknown");
}

TEST(MediaTypes, RemovableMatchesEitherCartridgeButCartridgesDiffer) {
    struct Case {
        std::uint8_t a, b;
        bool same;
    };
    const Case cases[] = {{13, 14, true}, {14, 13, true}, {13, 15, true}, {15, 13, true}, {14, 15, false},
                          {15, 14, false}, {7, 7, true},  {2, 7, false},  {12, 13, false}, {13, 5, false}};
    for (const auto& c : cases)
        EXPECT_EQ(SameMediaType(c.a, c.b), c.same) << int(c.a) << " vs " << int(c.b);
}

TEST(MediaTypes, NtMediaTypesTakeTheMostPreferred) {
    const std::vector<std::uint32_t> floppy144 = {2, 5};  // a 1.44 MB drive also reads 720 KB
    const std::vector<std::uint32_t> floppy288 = {5, 2, 3};
    const std::vector<std::uint32_t> old525 = {8, 1, 6};
    const std::vector<std::uint32_t> fixed = {12, 11};
    EXPECT_EQ(MediaTypeFromNtMediaTypes(floppy144), MediaType::Floppy35HD);
    EXPECT_EQ(MediaTypeFromNtMediaTypes(floppy288), MediaType::Floppy35EHD);
    EXPECT_EQ(MediaTypeFromNtMediaTypes(old525), MediaType::Floppy525HD);
    EXPECT_EQ(MediaTypeFromNtMediaTypes(fixed), MediaType::Unknown);
    EXPECT_EQ(MediaTypeFromNtMediaTypes({}), MediaType::Unknown);
}

TEST(MediaTypes, ScsiProductIdsCompareSevenCharactersIgnoringCase) {
    EXPECT_EQ(MediaTypeFromScsiProduct("ZIP 100         "), MediaType::Zip100);
    EXPECT_EQ(MediaTypeFromScsiProduct("zip 100"), MediaType::Zip100);
    EXPECT_EQ(MediaTypeFromScsiProduct("JAZ 1GB"), MediaType::Jaz1GB);
    EXPECT_EQ(MediaTypeFromScsiProduct("ZIP 25"), MediaType::Removable);
    EXPECT_EQ(MediaTypeFromScsiProduct(""), MediaType::Removable);
}

TEST(MediaTypes, CacheHoldsOneCodePerLetter) {
    MediaTypeCache cache;
    EXPECT_EQ(cache.get('C'), MediaType::Unknown);
    cache.set('c', MediaType::HardDisk);
    cache.set('Z', MediaType::CdRom);
    cache.set('1', MediaType::Tape);  // no such drive: ignored
    EXPECT_EQ(cache.get('C'), MediaType::HardDisk);
    EXPECT_EQ(cache.get('z'), MediaType::CdRom);
    EXPECT_EQ(cache.get('1'), MediaType::Unknown);
    cache.clear();
    EXPECT_EQ(cache.get('C'), MediaType::Unknown);
}

}  // namespace
}  // namespace kv
