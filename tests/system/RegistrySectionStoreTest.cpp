#include "system/settings/RegistrySectionStoreWin32.h"

#include <gtest/gtest.h>

#include "SectionStoreContract.h"
#include "RegistryTestKey.h"
#include "system/settings/RegistryExWin32.h"

namespace kv {
namespace {

TEST(RegistrySectionStore, KeepsTheContractWithOneSubkeyPerSection) {
    test::RegistryTestKey key;
    RegistrySectionStore store(HKEY_CURRENT_USER, key.path());  // its leading backslash is dropped
    test::CheckSectionStoreContract(store);
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path() + "\\MRUList", false));
    EXPECT_EQ(reg.ReadString("F0"), "again");
    ASSERT_TRUE(reg.OpenRegKey(key.path() + "\\Toolbar", false));
    EXPECT_EQ(reg.ReadInteger("DockPos"), 0x80000000u);  // integers are REG_DWORD
}

TEST(RegistrySectionStore, KeepsBinaryValuesAndKinds) {
    test::RegistryTestKey key;
    RegistrySectionStore store(HKEY_CURRENT_USER, key.path());
    test::CheckBinaryValueContract(store);
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path() + "\\Main", false));
    std::uint8_t word[4] = {};
    EXPECT_EQ(reg.ReadBinaryDataDef("Font0", word, 4), -1);  // 300 bytes stored
    ASSERT_TRUE(reg.OpenRegKey(key.path(), false));
    std::uint8_t marker = 0;
    EXPECT_EQ(reg.ReadBinaryDataDef("RevisionMarker", &marker, 1), 1);
    EXPECT_EQ(marker, 2);
    const char multi[] = "a\0b\0";
    ASSERT_EQ(RegSetValueExA(reg.currentKey(), "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi),
                             sizeof multi),
              ERROR_SUCCESS);
    EXPECT_EQ(store.KindOf("", "Multi"), StoredKind::Other);
    EXPECT_EQ(store.ReadBinary("", "Multi"), std::nullopt);
}

TEST(RegistrySectionStore, ValuesOfOtherKindsAndOddNames) {
    test::RegistryTestKey key;
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path() + "\\Columns", true));
    const char bytes[] = {1, 2, 3};
    ASSERT_TRUE(reg.WriteBinaryData("Binary", bytes, 3));
    ASSERT_TRUE(reg.WriteInteger("Width", 0xFFFFFFFF));
    ASSERT_TRUE(reg.WriteString("Sizes", "120,100"));
    ASSERT_TRUE(reg.WriteString("a=b", "c"));

    RegistrySectionStore store(HKEY_CURRENT_USER, key.path());
    EXPECT_EQ(store.ReadInteger("Columns", "Width"), -1);
    EXPECT_EQ(store.ReadString("Columns", "Binary"), std::nullopt);
    EXPECT_EQ(store.ReadInteger("Columns", "Binary", 9), 9);
    auto values = store.ReadSectionValues("\\Columns\\");
    EXPECT_EQ(values.size(), 3u);  // the binary value is no entry
    for (const SectionValue& v : values) {
        if (v.name == "Width") {
            EXPECT_EQ(v.value, "-1");
        }
    }
    EXPECT_EQ(store.ReadString("Columns", "a=b"), "c");

    EXPECT_FALSE(store.WriteString("Columns", "Text", std::string("a\0b", 3)));
    EXPECT_FALSE(store.EraseSection(""));  // would be the whole key
    EXPECT_FALSE(store.EraseSection("\\"));
    EXPECT_EQ(store.ReadString("Columns", "Sizes"), "120,100");
    EXPECT_TRUE(store.EraseSection("Columns"));
    EXPECT_FALSE(reg.OpenRegKey(key.path() + "\\Columns", false));
}

TEST(RegistrySectionStore, AKeyThatCannotBeMadeIsReported) {
    test::RegistryTestKey key;
    TRegistryEx reg;
    ASSERT_TRUE(reg.OpenRegKey(key.path(), true));
    ASSERT_TRUE(reg.WriteString("Plain", "value"));
    // Key names are limited to 255 characters.
    RegistrySectionStore store(HKEY_CURRENT_USER, key.path());
    EXPECT_FALSE(store.WriteString(std::string(300, 'k'), "F0", "x"));
    EXPECT_EQ(store.ReadString(std::string(300, 'k'), "F0"), std::nullopt);
}

}  // namespace
}  // namespace kv
