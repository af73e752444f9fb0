#include "base/text/NameCase.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

TEST(NameCase, Table) {
    struct Case {
        std::string in;
        std::string name;  // LowerIfAllUpper
    };
    const Case cases[] = {
        {"README.TXT", "readme.txt"},
        {"\\DOS\\UTIL", "\\dos\\util"},
        {"MY DISK", "my disk"},
        {"ReadMe", "ReadMe"},
        {"MY Disk", "MY Disk"},
        {"1ST DISK_2", "1st disk_2"},
        {"123", "123"},
        {"", ""},
        {"\xC4PFEL", "\xE4pfel"},  // Windows-1252 letters
        {"\xC4PFEl", "\xC4PFEl"},
        {"\xC9T\xC9", "\xE9t\xE9"},
        {"STRA\xDF" "E", "STRA\xDF" "E"},  // sharp s is a lower-case letter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        std::string name = c.in;
        LowerIfAllUpper(name, cp1252CaseMap());
        EXPECT_EQ(name, c.name);
    }
}

}  // namespace
}  // namespace kv
