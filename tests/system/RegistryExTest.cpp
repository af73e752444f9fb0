#include "system/settings/RegistryExWin32.h"

#include <gtest/gtest.h>

#include <array>

#include "RegistryTestKey.h"

namespace kv {
namespace {

TEST(RegistryEx, ValuesRoundTrip) {
    test::RegistryTestKey key;
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path(), true));
    const std::array<std::uint8_t, 5> data = {1, 2, 3, 0, 255};
    ASSERT_TRUE(reg.WriteBinaryData("Bin", data.data(), 5));
    ASSERT_TRUE(reg.WriteString("Text", "Catalog \xE9t\xE9"));
    ASSERT_TRUE(reg.WriteString("Empty", ""));
    ASSERT_TRUE(reg.WriteInteger("Number", 0xFFFFFFFE));

    TRegistryEx again;
    ASSERT_TRUE(again.OpenRegKey(key.path(), false));
    std::array<std::uint8_t, 5> read{};
    EXPECT_EQ(again.ReadBinaryDataDef("Bin", read.data(), 5), 5);
    EXPECT_EQ(read, data);
    EXPECT_EQ(again.ReadString("Text"), "Catalog \xE9t\xE9");
    EXPECT_EQ(again.ReadString("Empty"), "");
    EXPECT_EQ(again.ReadInteger("Number"), 0xFFFFFFFEu);
    EXPECT_TRUE(again.DeleteValue("Text"));
    EXPECT_FALSE(again.ValueExists("Text"));
}

TEST(RegistryEx, BadReadsGiveNothing) {
    test::RegistryTestKey key;
    TRegistryEx reg;
    std::array<std::uint8_t, 8> buf{};
    EXPECT_EQ(reg.ReadBinaryDataDef("Bin", buf.data(), 4), -1);  // no key open
    EXPECT_FALSE(reg.OpenRegKey(key.path(), false));               // missing key, not created
    ASSERT_TRUE(reg.OpenRegKey(key.path(), true));
    ASSERT_TRUE(reg.WriteBinaryData("Bin", buf.data(), 4));
    ASSERT_TRUE(reg.WriteString("Text", "abcd"));
    ASSERT_TRUE(reg.WriteInteger("Number", 7));

    buf.fill(0xAA);
    EXPECT_EQ(reg.ReadBinaryDataDef("Missing", buf.data(), 4), -1);
    EXPECT_EQ(reg.ReadBinaryDataDef("Bin", buf.data(), 8), -1);   // wrong size
    EXPECT_EQ(reg.ReadBinaryDataDef("Bin", buf.data(), 3), -1);   // never a partial read
    EXPECT_EQ(reg.ReadBinaryDataDef("Text", buf.data(), 5), -1);  // wrong type
    EXPECT_EQ(buf[3], 0xAA);
    EXPECT_EQ(reg.ReadString("Number"), std::nullopt);
    EXPECT_EQ(reg.ReadInteger("Text"), std::nullopt);
    EXPECT_EQ(reg.ReadInteger("Missing"), std::nullopt);
}

TEST(RegistryEx, RelativeAndAbsolutePaths) {
    test::RegistryTestKey key;
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path(), true));
    EXPECT_EQ(reg.currentPath(), key.path().substr(1));
    ASSERT_TRUE(reg.OpenRegKey("Child\\Grandchild", true));
    EXPECT_EQ(reg.currentPath(), key.path().substr(1) + "\\Child\\Grandchild");
    ASSERT_TRUE(reg.WriteInteger("Deep", 1));
    EXPECT_FALSE(reg.OpenRegKey("Nowhere", false));
    EXPECT_EQ(reg.currentPath(), key.path().substr(1) + "\\Child\\Grandchild");  // unchanged on failure

    ASSERT_TRUE(reg.OpenRegKey(key.path() + "\\Child\\Grandchild\\", false));  // trailing backslash too
    EXPECT_EQ(reg.ReadInteger("Deep"), 1u);
    ASSERT_TRUE(reg.OpenRegKey(key.path(), false));
    EXPECT_TRUE(reg.DeleteKey("Child"));
    EXPECT_FALSE(reg.OpenRegKey("Child", false));
}

}  // namespace
}  // namespace kv
