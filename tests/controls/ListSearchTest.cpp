#include "controls/ListSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {

TEST(FindNextInList, WrapsAndIgnoresAsciiCase) {
    const std::vector<std::string> names{"apple", "Banana", "cherry", "BLUEBERRY", "\xE9t\xE9"};
    const ListNameAt nameAt = [&](std::size_t i) -> std::string_view { return names[i]; };
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "b", 0), 1);
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "b", 2), 3);
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "A", 4), 0);  // from the last entry round to the first
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "blueberry", 3), 3);
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "blueberry pie", 0), -1);
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "\xC9", 0), -1);  // ASCII case only
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "", 2), 2);
    EXPECT_EQ(FindNextInList(names.size(), nameAt, "c", 99), 2);
    EXPECT_EQ(FindNextInList(0, nameAt, "a", 0), -1);
    EXPECT_EQ(FindNextInList(names.size(), ListNameAt{}, "a", 0), -1);
}

}  // namespace
}  // namespace kv
