#include "controls/small/ShortenPath.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

int sixEach(const std::string& s) { return static_cast<int>(s.size()) * 6; }

TEST(ShortenPath, Table) {
    using D = ShortenDirection;
    struct Case {
        std::string path;
        int chars;  // room in characters
        D direction;
        std::string shown;
    };
    const Case cases[] = {
        {"", 0, D::FromLeft, ""},
        {"C:\\a\\b.txt", 20, D::FromLeft, "C:\\a\\b.txt"},
        {"averyveryverylongname.txt", 10, D::FromLeft, "averyveryverylongname.txt"},
        {"C:\\first\\second\\last2\\last1\\file.txt", 28, D::FromLeft, "C:\\...\\last2\\last1\\file.txt"},
        {"C:\\first\\second\\last2\\last1\\file.txt", 28, D::FromRight, "C:\\first\\second\\...\\file.txt"},
        {"C:\\first\\second\\file.txt", 14, D::FromLeft, "...\\file.txt"},
        {"C:\\first\\second\\file.txt", 8, D::FromLeft, "file.txt"},
        // A network share is kept as a drive is.
        {"\\\\srv\\share\\abcdef\\c.ctf", 21, D::FromLeft, "\\\\srv\\share\\...\\c.ctf"},
        {"\\\\srv\\share\\folder\\b.txt", 17, D::FromLeft, "...\\b.txt"},
        {"C:\\Catalogs\\Tom & Jerry\\Old\\disks.ctf", 26, D::FromLeft, "C:\\...\\Old\\disks.ctf"},
        {"C:\\first\\second\\third\\", 14, D::FromLeft, "C:\\...\\third\\"},
    };
    for (const auto& c : cases) {
        const std::string got = ShortenPath(c.path, c.chars * 6, "\\", c.direction, sixEach);
        EXPECT_EQ(got, c.shown) << c.path << " in " << c.chars;
        if (got != c.path && got.size() > 8) {
            EXPECT_LE(sixEach(got), c.chars * 6) << c.path;
        }
    }
}

}  // namespace
}  // namespace kv::ui
