#include <gtest/gtest.h>

#include "search/window/FileTypes.h"

namespace kv {
namespace {

TEST(FileTypesTest, ExtensionsMergeByDescription) {
    const std::vector<FileTypeEntry> types = MergeRegisteredExtensions(
        {{".txt", "Text Document"}, {".jpg", "JPEG image"}, {".log", "text document"}, {".x", ""}, {"noext", "Odd"}},
        cp1252CaseMap());
    EXPECT_EQ(types, (std::vector<FileTypeEntry>{
                         {"(none)", ""}, {"JPEG image", ".jpg\x01"}, {"Text Document", ".txt\x01.log\x01"}}));
}

}  // namespace
}  // namespace kv
