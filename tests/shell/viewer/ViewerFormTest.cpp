// The internal viewer loading files of the test's own.
#include "shell/viewer/ViewerFormWin32.h"

#include <gtest/gtest.h>

#include <fstream>

#include "shell/settings/SettingsStore.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

namespace kv {
namespace {

struct ViewerFormTest : ::testing::Test {
    test::TempDir dir;
    SettingsStore settings{PlatformDefaults{}};
    ui::ScriptedPrompt prompt;
    TViewerForm form{settings, prompt, nullptr, ""};

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
};

TEST_F(ViewerFormTest, TheExtensionDecidesWhetherMarkupIsShownFormatted) {
    const std::string rtf = "{\\rtf1\\ansi {\\b bold} text}";
    ASSERT_TRUE(form.Load(write("doc.RTF", rtf)));
    EXPECT_EQ(form.RichEdit.text(), "bold text");
    ASSERT_TRUE(form.Load(write("doc.txt", rtf)));
    EXPECT_EQ(form.RichEdit.text(), rtf);
    EXPECT_EQ(form.caption(), "ASCII Viewer - " + dir.file("doc.txt"));
}

TEST_F(ViewerFormTest, BinaryFilesShowPastTheirNulBytesAndMissingOnesAreReported) {
    ASSERT_TRUE(form.Load(write("bin.dat", std::string("MZ\0\0PE", 6))));
    EXPECT_EQ(form.RichEdit.text(), "MZ  PE");
    EXPECT_FALSE(form.Load(dir.file("gone.txt")));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "File not found");
}

}  // namespace
}  // namespace kv
