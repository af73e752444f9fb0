#include "shell/setup/OptionsRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {

TEST(OptionsRules, MovingSelectedItemsKeepsARunAtTheEdgeInPlace) {
    struct Case {
        std::vector<int> selected;
        int delta;
        std::string expected;
        std::vector<bool> selectionAfter;
    };
    for (const Case& c : {Case{{0, 1, 3}, -1, "abdce", {true, true, true, false, false}},
                          Case{{1, 2}, -1, "bcade", {true, true, false, false, false}},
                          Case{{4}, 1, "abcde", {false, false, false, false, true}},
                          Case{{0, 3}, 1, "baced", {false, true, false, false, true}},
                          Case{{}, 1, "abcde", {false, false, false, false, false}}}) {
        std::vector<char> items{'a', 'b', 'c', 'd', 'e'};
        std::vector<bool> selected(items.size());
        for (int i : c.selected) selected[static_cast<std::size_t>(i)] = true;
        MoveSelected(items, selected, c.delta);
        EXPECT_EQ(std::string(items.begin(), items.end()), c.expected);
        EXPECT_EQ(selected, c.selectionAfter) << c.expected;
    }
}

TEST(OptionsRules, DescriptionPatternsAreCleanedAndUpperCased) {
    const CaseMap& map = cp1252CaseMap();
    EXPECT_EQ(CleanDescPattern("*.txt,*.nfo", map), "*.TXT*.NFO");
    EXPECT_EQ(CleanDescPattern("file_id.diz", map), "FILE_ID.DIZ");
    EXPECT_EQ(CleanDescPattern("**?.txt", map), "*.TXT");
    EXPECT_EQ(CleanDescPattern(",\\/", map), "");
}

TEST(OptionsRules, EnablingFollowsTheSettingsAndTheLists) {
    Settings s;
    s.descTips = false;
    s.autohideTips = true;
    s.externalViewer = false;
    s.descAssistSubfolders = false;
    s.truncateDesc = false;
    s.allowSerialChange = false;
    s.browseArchives = false;
    s.autoload = false;
    OptionsListState lists;
    lists.autoloadCount = 3;
    EXPECT_EQ(EnablingFor(s, lists), OptionsEnabling{});

    s.descTips = true;
    s.autoload = true;
    OptionsEnabling e = EnablingFor(s, lists);
    EXPECT_TRUE(e.autohide && e.descWait && e.descHide);
    EXPECT_TRUE(e.autoloadList && e.autoloadAdd && e.autoloadMove);
    s.autohideTips = false;
    EXPECT_FALSE(EnablingFor(s, lists).descHide) << "the hide delay needs tips and autohide";

    lists.autoloadCount = kMaxAutoloadCatalogs;
    e = EnablingFor(s, lists);
    EXPECT_FALSE(e.autoloadAdd) << "99 catalogs are the most";
    EXPECT_TRUE(e.autoloadMove);
    lists.autoloadCount = 0;
    EXPECT_FALSE(EnablingFor(s, lists).autoloadMove);

    lists.descEditEmpty = false;
    lists.descPatternCount = 1;
    lists.modified = true;
    e = EnablingFor(s, lists);
    EXPECT_TRUE(e.descAdd && e.descListButtons && e.apply);
}

TEST(OptionsRules, FontLabelNamesSizeAndStyles) {
    EXPECT_EQ(FontLabelText(FontData{-15, 0, "Courier New"}, 96), "Courier New, 11 pt");
    EXPECT_EQ(FontLabelText(FontData{16, 0xF, "Arial"}, 96), "Arial, 12 pt, Bold, Italic, Underline, Strike-out");
    EXPECT_EQ(FontLabelText(FontData{-20, 2, "Tahoma"}, 120), "Tahoma, 12 pt, Italic");
}

}  // namespace
}  // namespace kv
