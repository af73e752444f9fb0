#include <gtest/gtest.h>

#include <cstring>

#include "ui/CellText.h"

namespace {

TEST(CellText, CutsToTheBufferAndNeverWritesAnEmptyOne) {
    struct Case {
        const char* text;
        int length;
        const char* expect;  // null: nothing written
    } cases[] = {
        {"r999999c2", 64, "r999999c2"},
        {"r999999c2", 10, "r999999c2"},  // exactly fits with its zero
        {"r999999c2", 9, "r999999c"},
        {"abc", 1, ""},
        {"abc", 0, nullptr},
        {"abc", -5, nullptr},
        {"", 4, ""},
    };
    for (const Case& c : cases) {
        char buf[80];
        std::memset(buf, 'X', sizeof buf);
        kv::ui::copyCellText(c.text, buf + 8, c.length);
        if (c.expect) {
            EXPECT_STREQ(buf + 8, c.expect) << c.text << " into " << c.length;
            if (c.length < 64) {
                EXPECT_EQ(buf[8 + c.length], 'X') << "wrote past the buffer";
            }
        } else {
            EXPECT_EQ(buf[8], 'X') << c.length;
        }
        EXPECT_EQ(buf[7], 'X');
    }
    kv::ui::copyCellText("abc", nullptr, 10);  // no buffer: nothing
}

}  // namespace
