#include <gtest/gtest.h>

#include "scan/ExportDescFormWin32.h"
#include "tests/scan/ScanTree.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

TEST(ExportWindow, DefaultsLimitsAndTheChosenOptions) {
    Forest forest;
    Node& cat = test::NewCatalog(forest);
    Node& disk = forest.addChild(cat, "D");
    (void)disk.setRecord(std::make_unique<TDiskRec>());
    Node& folder = forest.addChild(disk, "docs");
    (void)folder.setRecord(std::make_unique<TFolderRec>());

    TExportDescForm form;
    form.DriveLetter = 'E';
    form.FolderNode = &folder;
    ExportOptions options;
    {
        uitest::TimerAction act(30, [&] {
            EXPECT_EQ(form.NodeLabel.text(), "E:\\docs");
            EXPECT_TRUE(form.DescriptIonCheck.checked());
            EXPECT_TRUE(form.KeepDescCheck.checked());
            // DESCRIPT.ION has one line an entry: no line limits.
            EXPECT_FALSE(form.LimitLineLength.enabled());
            form.FilesBbsCheck.setChecked(true);
            form.DescriptIonCheck.setChecked(false);
            form.updateEnabled();
            EXPECT_TRUE(form.LimitLineLength.enabled());
            EXPECT_FALSE(form.MaxChars.edit.enabled());
            form.LimitLineLength.setChecked(true);
            form.updateEnabled();
            EXPECT_TRUE(form.MaxChars.edit.enabled());
            form.MaxChars.edit.setText("40");
            form.SubfoldersCheck.setChecked(true);
            SendMessageA(form.ExportBtn.hwnd(), BM_CLICK, 0, 0);
        });
        ASSERT_TRUE(form.Choose(options));
    }
    EXPECT_EQ(options.format, DescFileFormat::FilesBbs);
    EXPECT_EQ(options.driveLetter, 'E');
    EXPECT_TRUE(options.subfolders);
    EXPECT_TRUE(options.limitLineLength);
    EXPECT_EQ(options.maxChars, 40);
    EXPECT_FALSE(options.limitNumberLines);

    // Shown again, the window starts from its defaults; Esc cancels.
    uitest::TimerAction esc(30, [&] {
        EXPECT_TRUE(form.DescriptIonCheck.checked());
        EXPECT_FALSE(form.SubfoldersCheck.checked());
        uitest::postKey(form.ExportBtn.hwnd(), VK_ESCAPE);
    });
    EXPECT_FALSE(form.Choose(options));
}

}  // namespace
}  // namespace kv
