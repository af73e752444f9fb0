// The generator window under Wine's null driver, with scripted dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "ReportFixture.h"
#include "search/reports/ReportGenFormWin32.h"
#include "system/settings/MemorySectionStore.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

namespace kv::test {
namespace {

class SavePath : public ui::FileDialogs {
public:
    std::optional<std::vector<std::string>> openFiles(const ui::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const ui::FileDialogRequest& request) override {
        asked = request;
        return path;
    }
    std::optional<std::string> path;
    ui::FileDialogRequest asked;
};

class ReportGen : public ::testing::Test {
protected:
    void SetUp() override {
        Node& home = ModelOf(forest_, HomeCatalog());
        Node& cd = *home.child(0);
        source_.title = "Contents";
        source_.rows = {cd.record(), cd.child(0)->record(), &*RecordAs<TDiskRec>(cd.record())->files.begin()};
        source_.columns = {{"Name", 0, report::Alignment::Left}, {"Size", 1, report::Alignment::Right},
                           {"Description", 2, report::Alignment::Left}};
        source_.cells = &cells_;
    }

    Forest forest_;
    FixtureCells cells_;
    ListReportSource source_;
    ui::ScriptedPrompt prompt_;
    SavePath files_;
    ui::ScriptedPrintDialog printer_;
    TempDir dir_;
};

TEST_F(ReportGen, ControlsFollowTheChoices) {
    TReportGenForm form(OneListSource(source_), {prompt_, files_, printer_});
    form.InitReportSource();
    EXPECT_EQ(form.TitleEdit.text(), "Contents");
    EXPECT_EQ(form.ColumnsCheckList.count(), 3);
    EXPECT_TRUE(form.PrintCheck.checked());
    EXPECT_EQ(form.BtnPrint.text(), "Print");
    EXPECT_TRUE(form.BtnPreview.enabled());
    EXPECT_FALSE(form.AsciiSepCombo.enabled());
    form.ExportCheck.click();
    EXPECT_FALSE(form.BtnPreview.enabled());
    EXPECT_EQ(form.BtnPrint.text(), "Export");
    EXPECT_TRUE(form.AsciiSepCombo.enabled());
    EXPECT_FALSE(form.ReplaceDelimiterCheck.enabled());
    form.BtnSelectNone.click();
    EXPECT_FALSE(form.BtnPrint.enabled());
    form.ColumnsCheckList.setChecked(2, true);
    form.UpdateReportGenControls();
    EXPECT_TRUE(form.BtnPrint.enabled());
    form.NoSortingCheck.click();
    EXPECT_FALSE(form.FolderHeaderCheck.enabled());
    const ReportRun run = form.MakeRun();
    ASSERT_EQ(run.columns.size(), 1u);
    EXPECT_EQ(run.columns[0].caption, "Description");
    EXPECT_FALSE(run.sorted);
}

TEST_F(ReportGen, ExportWritesTheChosenFile) {
    TReportGenForm form(OneListSource(source_), {prompt_, files_, printer_});
    form.InitReportSource();
    form.ExportCheck.click();
    files_.path = dir_.file("report.txt");
    form.BtnPrint.click();
    EXPECT_EQ(files_.asked.defaultExtension, "txt");
    std::ifstream in(*files_.path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("readme.txt   1500 Read me     \r\n                  first"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("E N D   O F   R E P O R T"), std::string::npos);

    // A file that cannot be made is reported, not half written.
    files_.path = dir_.file("no\\such\\folder\\report.txt");
    prompt_.answers.push_back(ui::PromptAnswer::Ok);
    form.BtnPrint.click();
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_EQ(prompt_.asked[0].caption, "Error");
}

TEST_F(ReportGen, AnEmptyListIsNotPrinted) {
    source_.rows.clear();
    TReportGenForm form(OneListSource(source_), {prompt_, files_, printer_});
    form.InitReportSource();
    prompt_.answers.push_back(ui::PromptAnswer::Ok);
    form.BtnPrint.click();
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_EQ(prompt_.asked[0].icon, ui::PromptIcon::Information);
    EXPECT_TRUE(printer_.asked.empty());
}

TEST_F(ReportGen, ChoicesAreKeptForTheNextOpening) {
    MemorySectionStore store;
    {
        TReportGenForm form(OneListSource(source_), {prompt_, files_, printer_, &store});
        form.InitReportSource();
        form.ColumnsCheckList.setItemIndex(2);
        form.UpBtn.click();  // Description before Size
        form.ColumnsCheckList.setChecked(0, false);
        form.ExportCheck.click();
        form.AsciiSepCombo.setItemIndex(2);
        form.FolderHeaderCheck.setChecked(false);
        form.SaveSettings();
    }
    TReportGenForm again(OneListSource(source_), {prompt_, files_, printer_, &store});
    again.InitReportSource();
    ASSERT_EQ(again.ColumnsCheckList.count(), 3);
    EXPECT_EQ(again.ColumnsCheckList.item(1).text, "Description");
    EXPECT_FALSE(again.ColumnsCheckList.checked(0));
    EXPECT_TRUE(again.ExportCheck.checked());
    EXPECT_EQ(again.AsciiSepCombo.itemIndex(), 2);
    EXPECT_FALSE(again.FolderHeaderCheck.checked());
    const ReportRun run = again.MakeRun();
    ASSERT_EQ(run.columns.size(), 2u);
    EXPECT_EQ(run.columns[0].caption, "Description");
    EXPECT_EQ(again.TextOptions().delimiter, TextDelimiter::Comma);
}

}  // namespace
}  // namespace kv::test
