#include "shell/settings/SettingsFolders.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

PlatformDefaults Defaults() {
    PlatformDefaults d;
    d.tempDir = "C:\\WINDOWS\\TEMP\\";
    d.programDir = "C:\\Korvalder\\";
    d.folderExists = [](const std::string& folder) { return folder.rfind("C:\\Gone", 0) != 0; };
    return d;
}

TEST(SettingsFolders, MissingFoldersAreReportedAndRevertedAndEveryFolderEndsInABackslash) {
    struct Case {
        std::string extract, catalog;
        std::string wantExtract, wantCatalog;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"D:\\Temp", "D:\\Cats\\", "D:\\Temp\\", "D:\\Cats\\", {}},
        {"", "", "", "", {}},
        {"C:\\Gone\\x", "D:\\Cats", "C:\\WINDOWS\\TEMP\\", "D:\\Cats\\",
         {"Folder \"C:\\Gone\\x\", set as temporary folder for extracting files does not exist!\r"
          "Reverting to default Windows temporary folder."}},
        {"D:\\Temp", "C:\\Gone", "D:\\Temp\\", "C:\\Korvalder\\",
         {"Folder \"C:\\Gone\", set as default folder for catalog storage does not exist!\r"
          "Reverting to program folder."}},
    };
    for (const Case& c : cases) {
        Settings s;
        s.extractFolder = c.extract;
        s.catalogFolder = c.catalog;
        const std::vector<FolderWarning> warnings = CheckSettingsFolders(s, Defaults());
        EXPECT_EQ(s.extractFolder, c.wantExtract) << c.extract;
        EXPECT_EQ(s.catalogFolder, c.wantCatalog) << c.catalog;
        ASSERT_EQ(warnings.size(), c.texts.size()) << c.extract;
        for (std::size_t i = 0; i < warnings.size(); ++i) {
            EXPECT_EQ(warnings[i].text, c.texts[i]);
            EXPECT_EQ(warnings[i].caption, "Invalid folder");
        }
    }
}

}  // namespace
}  // namespace kv
