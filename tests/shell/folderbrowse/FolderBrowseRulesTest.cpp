#include "shell/folderbrowse/FolderBrowseRules.h"

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

TEST(FolderBrowseRules, NewFolderTakesTheFirstFreeName) {
    std::set<std::string> taken;
    auto isTaken = [&](const std::string& n) { return taken.count(n) > 0; };
    EXPECT_EQ(NewFolderName(isTaken), "New Folder");
    // A file of the name counts as much as a folder: the caller asks for any entry.
    taken = {"New Folder", "New Folder (1)", "New Folder (3)"};
    EXPECT_EQ(NewFolderName(isTaken), "New Folder (2)");
}

TEST(FolderBrowseRules, RenameAcceptsOneEntryNamesOnly) {
    for (const char* bad : {"", ".", "..", "..\\x", "a\\b", "a/b", "c:x", "con", "CON.txt", "lpt1", "Com9.x", "nul",
                            "name.", "name ", "a*b"})
        EXPECT_FALSE(IsValidFolderName(bad)) << bad;
    for (const char* good : {"Photos", "New Folder (2)", "console", "com10", ".config", "a.b"})
        EXPECT_TRUE(IsValidFolderName(good)) << good;
}

TEST(FolderBrowseRules, CheckStatesAsStored) {
    EXPECT_EQ(DecodeCheckStates(5), (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(DecodeCheckStates(-1), (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(static_cast<std::uint32_t>(EncodeCheckStates({false, false, true})), 0xFFFFFFFCu);
    EXPECT_EQ(EncodeCheckStates({true, true, true}), -1);
    for (std::int32_t v : {-1, -2, -3, -5, -8})
        EXPECT_EQ(EncodeCheckStates(DecodeCheckStates(v)), v);
}

}  // namespace
}  // namespace kv
