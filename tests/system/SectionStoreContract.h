#pragma once
// What every section store must do alike (registry, ini file, memory): run
// against an empty store.
#include <gtest/gtest.h>

#include <climits>
#include <string>

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

}  // namespace kv::test
