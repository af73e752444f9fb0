#include "base/text/NameCase.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

TEST(NameCase, Table) {
    struct Case {
        std::string in;
        std::string name;   // LowerIfAllUpper
        std::string label;  // LowerLabelIfAllUpper
    };
    const Case cases[] = {
        {"README.TXT", "readme.txt", "Readme.txt"},
        {"\\DOS\\UTIL", "\\dos\\util", "\\dos\\util"},
        {"MY DISK", "my disk", "My disk"},
        {"ReadMe", "ReadMe", "ReadMe"},
        {"MY Disk", "MY Disk", "MY Disk"},
        {"1ST DISK_2", "1st disk_2", "1st disk_2"},
        {"123", "123", "123"},
        {"", "", ""},
        {"\xC4PFEL", "\xE4pfel", "\xC4pfel"},  // Windows-1252 letters
        {"\xC4PFEl", "\xC4PFEl", "\xC4PFEl"},
        {"\xC9T\xC9", "\xE9t\xE9", "\xC9t\xE9"},
        {"STRA\xDF" "E", "STRA\xDF" "E", "STRA\xDF" "E"},  // sharp s is a lower-case letter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        std::string name = c.in;
        LowerIfAllUpper(name, cp1252CaseMap());
        EXPECT_EQ(name, c.name);
        std::string label = c.in;
        LowerLabelIfAllUpper(label, cp1252CaseMap());
        EXPECT_EQ(label, c.label);
    }
}

}  // namespace
}  // namespace kv
