// The generator window under Wine's null driver, with scripted dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ReportFixture.h"
#include "search/reports/CustomLayout.h"
#include "search/reports/ReportGenFormWin32.h"
#include "system/settings/MemorySectionStore.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"
#include "ui/SharedImages.h"

namespace kv::test {
namespace {

class SavePath : public ui::FileDialogs {
public:
    std::optional<std::vector<std::string>> openFiles(const ui::FileDialogRequest& request) override {
        asked = request;
        if (!path)
            return std::nullopt;
        return std::vector<std::string>{*path};
    }
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

// Picture and caption as far from the left edge as from the right one.
bool GlyphCentred(const ui::BitBtn& button) {
    const ui::BitBtn::Placement p = button.placement();
    const RECT client = button.clientRect();
    return button.numGlyphs() > 0 && std::abs((p.glyph.left - client.left) - (client.right - p.text.right)) <= 1;
}

TEST_F(ReportGen, ControlsFollowTheChoices) {
    TReportGenForm form(OneListSource(source_), {prompt_, files_, printer_});
    form.InitReportSource();
    EXPECT_TRUE(GlyphCentred(form.BtnPrint));
    EXPECT_TRUE(GlyphCentred(form.BtnPreview));
    EXPECT_TRUE(GlyphCentred(form.BtnRepSetup));
    EXPECT_EQ(form.TitleEdit.text(), "Contents");
    EXPECT_EQ(form.ColumnsCheckList.count(), 3);
    EXPECT_TRUE(form.PrintCheck.checked());
    EXPECT_EQ(form.BtnPrint.text(), "Print");
    EXPECT_TRUE(form.BtnPreview.enabled());
    EXPECT_FALSE(form.AsciiSepCombo.enabled());
    form.ExportCheck.click();
    EXPECT_FALSE(form.BtnPreview.enabled());
    EXPECT_EQ(form.BtnPrint.text(), "Export");
    EXPECT_TRUE(GlyphCentred(form.BtnPrint));
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

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every source a list of its own: "Main", "Search", ... as the first column's caption.
ReportGenSources FourWindows(const Forest& forest, const ListReportSource& rows, ReportWindowFacts facts) {
    ReportGenSources s;
    s.origin = ReportOrigin::UserList;
    s.facts = [facts] { return facts; };
    s.list = [rows](int source) {
        static const char* kNames[] = {"Main", "Search", "User", "Media", "Check", "Custom"};
        ListReportSource list = rows;
        list.title.clear();
        list.sourceId = static_cast<std::size_t>(source);
        list.columns[0].caption = kNames[source];
        return list;
    };
    s.columnLayout = [](int) { return ListColumnLayout{{2, 0, 1}, {50, 0, 50}}; };
    s.forest = &forest;
    s.loaders = {};
    return s;
}

TEST_F(ReportGen, SourcesFollowTheOtherWindows) {
    ReportWindowFacts facts;
    facts.searchWindow = facts.searchHasItems = true;
    facts.userListWindow = true;  // but empty
    facts.compareWindow = facts.compareCheckMode = true;
    facts.compareCategoryName = "New files";
    TReportGenForm form(FourWindows(forest_, source_, facts), {prompt_, files_, printer_});
    form.InitReportSource();
    // The empty user list leaves the main list.
    EXPECT_TRUE(form.SourceCatalog.checked());
    EXPECT_EQ(form.ReportSource(), kSourceCatalog);
    EXPECT_FALSE(form.SourceUser.enabled());
    EXPECT_TRUE(form.SourceSearch.enabled());
    EXPECT_FALSE(form.SourceCompareMedia.enabled());
    EXPECT_TRUE(form.SourceCheckFiles.enabled());
    EXPECT_FALSE(form.SortItemsCheck.enabled());
    EXPECT_EQ(form.ColumnsCheckList.item(0).text, "Main");

    form.SourceSearch.click();
    EXPECT_EQ(form.TitleEdit.text(), "Search Results");
    EXPECT_EQ(form.ColumnsCheckList.item(0).text, "Search");
    EXPECT_TRUE(form.SortItemsCheck.enabled());
    form.ColumnsCheckList.setChecked(0, false);

    // The file check showing its files found only on disk: no sorting by source.
    form.SourceCheckFiles.click();
    EXPECT_EQ(form.TitleEdit.text(), "Compare Files to Catalog Results: New files");
    EXPECT_FALSE(form.SortItemsCheck.enabled());
    EXPECT_TRUE(form.NoSortingCheck.checked());
    EXPECT_TRUE(form.ColumnsCheckList.checked(0));

    // Each source keeps its own columns.
    form.SourceSearch.click();
    EXPECT_FALSE(form.ColumnsCheckList.checked(0));

    // Copy from List: the list shows its columns as 3, 1, 2, and column 2 has no width.
    form.BtnCopyColumns.click();
    ASSERT_EQ(form.ColumnsCheckList.count(), 3);
    EXPECT_EQ(form.ColumnsCheckList.item(0).text, "Description");
    EXPECT_EQ(form.ColumnsCheckList.item(1).text, "Search");
    EXPECT_EQ(form.ColumnsCheckList.item(2).text, "Size");
    EXPECT_TRUE(form.ColumnsCheckList.checked(1));
    EXPECT_FALSE(form.ColumnsCheckList.checked(2));
}

TEST_F(ReportGen, CustomReportOfTheTreeAndItsLayouts) {
    SharedObjectsScope shared;
    ReportGenSources sources = FourWindows(forest_, source_, {});
    sources.checkImages = CheckImages().handle();
    TReportGenForm form(std::move(sources), {prompt_, files_, printer_});
    form.InitReportSource();
    form.ReportCustomCheck.click();
    EXPECT_EQ(form.ReportSource(), kSourceCustom);
    EXPECT_TRUE(form.CustomGroup.visible());
    EXPECT_FALSE(form.SourceGroup.visible());
    EXPECT_EQ(form.TitleEdit.text(), "Custom Report");
    EXPECT_EQ(form.ColumnsCheckList.item(0).text, "Custom");

    // The headings of both sets stay the same.
    form.CustomFolderHeader.click();
    EXPECT_EQ(form.FolderHeaderCheck.checked(), form.CustomFolderHeader.checked());

    CustomTreeNode& home = *form.CustomModel.roots()[0];
    CustomTreeNode& cd = *home.children[0];
    form.TreeView.Select(&cd);
    form.MacroExpandFrom(kAllLevels);
    form.MacroFiles(false, kAllLevels);
    EXPECT_TRUE(form.TreeView.View().expanded(cd.children[0].get()));
    EXPECT_EQ(cd.children[0]->StateIndex, kFilesExcluded);

    // Saved, changed and loaded back: the states come back.
    files_.path = dir_.file("layout.CRP");
    form.BtnSaveLayoutClick();
    EXPECT_EQ(files_.asked.title, "Save Custom Report Layout");
    EXPECT_EQ(files_.asked.defaultExtension, "CRP");
    const std::string saved = ReadText(*files_.path);
    EXPECT_EQ(saved.substr(0, 16), "0,-1,Home,\r\n1,1,");
    form.MacroFiles(true, kAllLevels);
    form.MacroCollapseFrom();
    EXPECT_EQ(cd.children[0]->StateIndex, kFilesIncluded);
    form.BtnLoadLayoutClick();
    EXPECT_EQ(files_.asked.title, "Open Custom Report Layout");
    EXPECT_TRUE(prompt_.asked.empty());
    EXPECT_EQ(cd.children[0]->StateIndex, kFilesExcluded);
    EXPECT_TRUE(cd.expanded);
    EXPECT_TRUE(form.TreeView.View().expanded(&cd));

    // Only the disk's own files: the export holds the root file, not the folders' files.
    form.TreeView.Select(&cd);
    form.TreeView.ToggleNode(cd);
    EXPECT_EQ(cd.StateIndex, kFilesIncluded);
    form.ExportCheck.click();
    files_.path = dir_.file("custom.txt");
    form.BtnPrint.click();
    const std::string text = ReadText(*files_.path);
    EXPECT_NE(text.find("readme.txt"), std::string::npos) << text;
    EXPECT_EQ(text.find("beach.jpg"), std::string::npos) << text;

    // A layout of a disk no catalog holds: loaded with the one warning.
    files_.path = dir_.file("other.CRP");
    {
        std::ofstream out(*files_.path, std::ios::binary);
        out << "1,2,42,512,100,Elsewhere\r\n2,2,Docs\r\n";
    }
    prompt_.answers.push_back(ui::PromptAnswer::Ok);
    form.BtnLoadLayoutClick();
    ASSERT_EQ(prompt_.asked.size(), 1u);
    EXPECT_EQ(prompt_.asked[0].caption, "Warning");
    EXPECT_EQ(prompt_.asked[0].text, kLayoutNotFoundWarning);
}

}  // namespace
}  // namespace kv::test
