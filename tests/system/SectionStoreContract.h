#pragma once
// What every section store must do alike (registry, ini file, memory): run
// against an empty store.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "system/settings/SectionStore.h"

namespace kv::test {

inline void CheckSectionStoreContract(SectionStore& store) {
    SCOPED_TRACE("section store contract");
    // Nothing there yet.
    EXPECT_EQ(store.ReadString("Main", "Name"), std::nullopt);
    EXPECT_EQ(store.ReadString("Main", "Name", "fallback"), "fallback");
    EXPECT_EQ(store.ReadInteger("Main", "Count", 7), 7);
    EXPECT_TRUE(store.ReadSectionValues("Main").empty());
    EXPECT_TRUE(store.EraseSection("Main"));

    // Strings come back as written; names compare without case.
    const std::string values[] = {"",
                                  "plain",
                                  "a=b=c",
                                  " leading blank",
                                  "trailing blank ",
                                  "\"quoted\"",
                                  "\"",
                                  "C:\\Catalogs\\Tom & Jerry.ctf",
                                  "\xC4pfel \xDF",
                                  std::string(20000, 'x')};
    int i = 0;
    for (const std::string& v : values) {
        const std::string name = "F" + std::to_string(i++);
        ASSERT_TRUE(store.WriteString("MRUList", name, v)) << name;
        EXPECT_EQ(store.ReadString("mrulist", name), v) << name;
    }
    auto listed = store.ReadSectionValues("MRUList");
    ASSERT_EQ(listed.size(), std::size(values));
    for (std::size_t k = 0; k < listed.size(); ++k) {
        EXPECT_EQ(listed[k].name, "F" + std::to_string(k));
        EXPECT_EQ(listed[k].value, values[k]);
    }
    ASSERT_TRUE(store.WriteString("MRUList", "f1", "replaced"));
    EXPECT_EQ(store.ReadSectionValues("MRUList").size(), std::size(values));
    EXPECT_EQ(store.ReadString("MRUList", "F1"), "replaced");

    // Integers, also read from decimal text; other text is no integer.
    for (std::int32_t v : {0, -5, 1234567, INT_MAX, INT_MIN}) {
        ASSERT_TRUE(store.WriteInteger("Toolbar", "DockPos", v));
        EXPECT_EQ(store.ReadInteger("Toolbar", "DockPos"), v);
        EXPECT_EQ(store.ReadString("Toolbar", "DockPos"), std::to_string(v));
    }
    ASSERT_TRUE(store.WriteString("Toolbar", "DockRow", " 12"));
    EXPECT_EQ(store.ReadInteger("Toolbar", "DockRow"), 12);
    ASSERT_TRUE(store.WriteString("Toolbar", "DockedTo", "nil"));
    EXPECT_EQ(store.ReadInteger("Toolbar", "DockedTo", -1), -1);
    ASSERT_TRUE(store.WriteString("Toolbar", "Big", "4294967296"));
    EXPECT_EQ(store.ReadInteger("Toolbar", "Big"), std::nullopt);

    // Erasing one section leaves the others.
    EXPECT_TRUE(store.EraseSection("mrulist"));
    EXPECT_TRUE(store.ReadSectionValues("MRUList").empty());
    EXPECT_EQ(store.ReadString("MRUList", "F0"), std::nullopt);
    EXPECT_EQ(store.ReadInteger("Toolbar", "DockPos"), INT_MIN);
    ASSERT_TRUE(store.WriteString("MRUList", "F0", "again"));
    EXPECT_EQ(store.ReadSectionValues("MRUList"), (std::vector<SectionValue>{{"F0", "again"}}));
}

// Stores that keep binary values (registry, memory), run against an empty store.
inline void CheckBinaryValueContract(SectionStore& store) {
    SCOPED_TRACE("binary value contract");
    EXPECT_FALSE(store.SectionExists("Main"));
    EXPECT_EQ(store.KindOf("Main", "Settings"), StoredKind::Missing);
    EXPECT_EQ(store.ReadBinary("Main", "Settings"), std::nullopt);

    const std::vector<std::uint8_t> word{0xA2, 0xAE, 0x5C, 0x31};
    ASSERT_TRUE(store.WriteBinary("Main", "Settings", word));
    EXPECT_TRUE(store.SectionExists("main"));
    EXPECT_EQ(store.KindOf("Main", "settings"), StoredKind::Binary);
    EXPECT_EQ(store.ReadBinary("Main", "SETTINGS"), word);
    EXPECT_EQ(store.ReadString("Main", "Settings"), std::nullopt);  // a binary value is no text
    EXPECT_TRUE(store.ReadSectionValues("Main").empty());

    ASSERT_TRUE(store.WriteBinary("Main", "Empty", {}));
    EXPECT_EQ(store.KindOf("Main", "Empty"), StoredKind::Binary);
    EXPECT_EQ(store.ReadBinary("Main", "Empty"), std::vector<std::uint8_t>());
    const std::vector<std::uint8_t> big(300, 0x5A);
    ASSERT_TRUE(store.WriteBinary("Main", "Font0", big));
    EXPECT_EQ(store.ReadBinary("Main", "Font0"), big);

    // Each kind reads as what it is; writing another kind replaces the value.
    ASSERT_TRUE(store.WriteString("Main", "TempDir", "C:\\Temp"));
    ASSERT_TRUE(store.WriteInteger("Main", "CopyTo", -1));
    EXPECT_EQ(store.KindOf("Main", "TempDir"), StoredKind::Text);
    EXPECT_EQ(store.KindOf("Main", "CopyTo"), StoredKind::Integer);
    EXPECT_EQ(store.ReadBinary("Main", "TempDir"), std::nullopt);
    EXPECT_EQ(store.ReadBinary("Main", "CopyTo"), std::nullopt);
    ASSERT_TRUE(store.WriteString("Main", "Settings", "text now"));
    EXPECT_EQ(store.KindOf("Main", "Settings"), StoredKind::Text);
    EXPECT_EQ(store.ReadBinary("Main", "Settings"), std::nullopt);

    // The root section: values of the store's own key.
    ASSERT_TRUE(store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2}));
    EXPECT_EQ(store.ReadBinary("", "RevisionMarker"), std::vector<std::uint8_t>{2});
    EXPECT_TRUE(store.SectionExists(""));
}

}  // namespace kv::test
