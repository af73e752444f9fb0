// The list report drawn with GDI into metafile pages, read back record by record.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "ReportFixture.h"
#include "report/EmfPageStoreWin32.h"
#include "report/GdiTargetWin32.h"
#include "search/reports/CustomTree.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportSort.h"

namespace kv::test {
namespace {

struct PageText {
    std::string text;
    POINT at;
    RECTL clip{};
    bool clipped = false;
    LONG fontHeight = 0;  // the em height of the font it is drawn in
};

struct PageRecords {
    std::vector<PageText> texts;
    std::map<DWORD, LONG> fontHeights;  // by handle-table slot
    LONG fontHeight = 0;
};

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM out) {
    auto& page = *reinterpret_cast<PageRecords*>(out);
    if (rec->iType == EMR_EXTCREATEFONTINDIRECTW) {
        const auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec);
        page.fontHeights[f->ihFont] = std::abs(f->elfw.elfLogFont.lfHeight);
    } else if (rec->iType == EMR_SELECTOBJECT) {
        const auto* o = reinterpret_cast<const EMRSELECTOBJECT*>(rec);
        if (const auto f = page.fontHeights.find(o->ihObject); f != page.fontHeights.end())
            page.fontHeight = f->second;
    } else if (rec->iType == EMR_EXTTEXTOUTW) {
        const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(rec) + t->emrtext.offString);
        std::string text;
        for (DWORD i = 0; i < t->emrtext.nChars; ++i)
            text += static_cast<char>(chars[i] < 256 ? chars[i] : '?');
        page.texts.push_back({text, {t->emrtext.ptlReference.x, t->emrtext.ptlReference.y}, t->emrtext.rcl,
                              (t->emrtext.fOptions & ETO_CLIPPED) != 0, page.fontHeight});
    } else if (rec->iType == EMR_EXTTEXTOUTA) {
        const auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(rec);
        const char* chars = reinterpret_cast<const char*>(rec) + t->emrtext.offString;
        page.texts.push_back({std::string(chars, t->emrtext.nChars),
                              {t->emrtext.ptlReference.x, t->emrtext.ptlReference.y}, t->emrtext.rcl,
                              (t->emrtext.fOptions & ETO_CLIPPED) != 0, page.fontHeight});
    }
    return 1;
}

// One page stays in memory: every other page is read back from its file.
TEST(ReportPages, MetafilePagesHoldHeadingsRowsAndPageNumbers) {
    Forest forest;
    ModelOf(forest, HomeCatalog());
    CustomTree tree{CatalogLoaders{}};
    ReportRun run = FixtureRun(forest, tree);
    FixtureCells cells;
    ReportLook look;
    look.icons = false;
    ReportForm form(run, cells, look, {794, 560, 38, 38, 38, 38});
    HDC screen = GetDC(nullptr);
    char temp[MAX_PATH + 1] = "";
    GetTempPathA(sizeof temp, temp);
    std::vector<std::string> files;
    auto pagesOwner = std::make_unique<report::EmfPageStore>(screen, 794, 560, temp, 1);
    report::EmfPageStore& pages = *pagesOwner;
    report::GdiMeasurer measurer;
    ASSERT_TRUE(form.Run(pages, measurer));
    ASSERT_GE(pages.PageCount(), 2u);
    EXPECT_EQ(pages.PagesInMemory(), 1u);
    EXPECT_EQ(pages.PagesInFiles(), pages.PageCount() - 1);

    std::vector<std::string> all;
    for (std::size_t p = 0; p < pages.PageCount(); ++p) {
        PageRecords records;
        ASSERT_TRUE(EnumEnhMetaFile(nullptr, pages.Page(p), CollectText, &records, nullptr));
        const std::vector<PageText>& texts = records.texts;
        ASSERT_FALSE(texts.empty());
        // The page number is drawn last, below everything else on the page.
        EXPECT_EQ(texts.back().text, "Page " + std::to_string(p + 1));
        for (const PageText& t : texts) {
            EXPECT_LE(t.at.y, texts.back().at.y) << t.text;
            // Clipped at its column, never above its descenders.
            if (t.clipped) {
                EXPECT_GT(t.clip.bottom - t.at.y, t.fontHeight) << t.text;
            }
            all.push_back(t.text);
        }
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(pages.Page(p), sizeof header, &header);
        EXPECT_NEAR(header.rclFrame.right, 794 * 2540 / 96, 30);
        EXPECT_EQ(pages.PagesInMemory(), 1u);
    }
    files = pages.SpillFiles();
    EXPECT_EQ(files.size(), pages.PageCount());  // the last page went out when the first came back
    pagesOwner.reset();
    for (const std::string& file : files)
        EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
    ReleaseDC(nullptr, screen);
    const auto at = [&](const std::string& text) { return std::find(all.begin(), all.end(), text) - all.begin(); };
    EXPECT_LT(at("Korvalder? 1.01"), at("Catalog: Home"));
    EXPECT_LT(at("Catalog: Home"), at("CD-ROM 17"));
    EXPECT_LT(at("CD-ROM 17"), at("Folder: \\Photos, 2004"));
    EXPECT_LT(at("Folder: \\Photos, 2004"), at("beach.jpg"));
    EXPECT_LT(at("beach.jpg"), at("Folder: \\Photos, 2004\\Raw"));
    EXPECT_LT(at("Folder: \\tools.zip"), at("E N D"));  // absent: the end of the list
}

}  // namespace
}  // namespace kv::test
