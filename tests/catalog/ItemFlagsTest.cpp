#include <gtest/gtest.h>

#include "catalog/model/ItemFlags.h"

namespace kv {
namespace {

TEST(ItemFlags, HasFlagComparesKindForSmallMasksAndTestsBitsOtherwise) {
    struct Case {
        std::uint8_t flags, mask;
        bool expected;
    };
    const Case cases[] = {
        {0x23, 3, true},     {0x23, 0x20, true},  {0x23, 2, false}, {0x23, 0x10, false},
        {0x23, 0x30, true},  {0x80, 0, true},     {0x84, 4, true},  {0x04, 0x80, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasFlag(c.flags, c.mask), c.expected) << int(c.flags) << " / " << int(c.mask);
}

TEST(ItemFlags, SetFlagReplacesKindOrSetsAndClearsBits) {
    struct Case {
        std::uint8_t flags, mask;
        bool on;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {0xA3, 2, true, 0xA2}, {0xA3, 2, false, 0xA2}, {0x03, 0x20, true, 0x23},
        {0x23, 0x20, false, 0x03}, {0xFF, 0x48, false, 0xB7}, {0x24, 0x24, false, 0x00},
    };
    for (const Case& c : cases) {
        std::uint8_t f = c.flags;
        SetFlag(f, c.mask, c.on);
        EXPECT_EQ(f, c.expected) << int(c.flags) << " / " << int(c.mask) << " / " << c.on;
    }
    EXPECT_EQ(GetItemKind(0xA3), 3);
    EXPECT_EQ(GetItemKind(ItemFlags::NewCatalog), ItemFlags::Catalog);
}

TEST(ItemFlags, CategoryByteKeepsCodeAndUserFlagsApart) {
    std::uint8_t b = CategoryByte::WithCode(0xE0, 31);
    EXPECT_EQ(b, 0xFF);
    b = CategoryByte::WithCode(b, 5);
    EXPECT_EQ(CategoryByte::Code(b), 5);
    EXPECT_TRUE(CategoryByte::HasUserFlag(b, 1) && CategoryByte::HasUserFlag(b, 3));
    b = CategoryByte::WithUserFlag(b, 2, false);
    EXPECT_EQ(b, 0xA5);
    EXPECT_EQ(CategoryByte::WithCode(0x00, 40), 40 & 0x1F);
    // Flag numbers outside 1..3 touch nothing.
    EXPECT_EQ(CategoryByte::WithUserFlag(0x05, 0, true), 0x05);
    EXPECT_EQ(CategoryByte::WithUserFlag(0x05, 4, true), 0x05);
    EXPECT_FALSE(CategoryByte::HasUserFlag(0xFF, 4));
}

}  // namespace
}  // namespace kv
