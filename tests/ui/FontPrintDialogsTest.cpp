#include "UiFixture.h"

#include "ui/CommonFontDialog.h"
#include "ui/CommonPrintDialog.h"
#include "ui/Fonts.h"
#include "ui/Form.h"
#include "ui/SystemHelpers.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using FontPrintDialogsTest = UiTest;

TEST_F(FontPrintDialogsTest, FontDescriptionsRoundTripThroughLogicalFonts) {
    FontDescription courier{"Courier New", 10, true, false, true, false, RGB(1, 2, 3)};
    FontDescription tahoma{"Tahoma", 8, false, true, false, true, 0};
    FontDescription tooLong{std::string(40, 'x'), 12};
    for (int ppi : {96, 120}) {
        for (const auto& f : {courier, tahoma}) {
            LOGFONTA lf = toLogFont(f, ppi);
            EXPECT_LT(lf.lfHeight, 0);  // a character height, as points mean
            EXPECT_EQ(fromLogFont(lf, f.color, ppi), f);
        }
    }
    EXPECT_EQ(toLogFont(courier, 96).lfHeight, -13);
    EXPECT_EQ(fromLogFont(toLogFont(tooLong, 96), 0, 96).name, std::string(LF_FACESIZE - 1, 'x'));
    LOGFONTA cellHeight = toLogFont(tahoma, 96);
    cellHeight.lfHeight = 11;
    EXPECT_EQ(fromLogFont(cellHeight, 0, 96).size, 8);
    EXPECT_TRUE(createFont(courier).get());
}

int CALLBACK takeScalableFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM found) {
    auto* face = reinterpret_cast<std::string*>(found);
    if (!(type & TRUETYPE_FONTTYPE) || lf->lfFaceName[0] == '@') return 1;
    *face = lf->lfFaceName;
    return 0;
}

// A face the machine has in every size and style (the fonts differ between machines).
std::string scalableFace() {
    std::string face;
    HDC screen = GetDC(nullptr);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen, &all, takeScalableFace, reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, screen);
    return face;
}

// The dialog shows the given font and answers with what it shows.
TEST_F(FontPrintDialogsTest, RealFontDialogIsAnsweredAndCancelled) {
    Form form;
    form.show();
    CommonFontDialog dialog(form.hwnd());
    FontDescription initial{scalableFace(), 12, true, false, false, false, RGB(255, 0, 0)};
    ASSERT_FALSE(initial.name.empty());
    {
        kv::uitest::MessageBoxAnswerer cancel(IDCANCEL);
        EXPECT_FALSE(dialog.chooseFont(initial));
        EXPECT_TRUE(cancel.seen().found);
    }
    kv::uitest::MessageBoxAnswerer ok(IDOK);
    std::optional<FontDescription> chosen = dialog.chooseFont(initial);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, initial);
}

TEST_F(FontPrintDialogsTest, PrintRequestsAndChoicesMapToTheDialog) {
    PrintRequest noPages;
    noPages.copies = 0;
    PRINTDLGA d = CommonPrintDialog::dialogOf(noPages);
    EXPECT_TRUE(d.Flags & PD_NOPAGENUMS);
    EXPECT_TRUE(d.Flags & PD_NOSELECTION);
    EXPECT_TRUE(d.Flags & PD_NOWARNING);
    EXPECT_EQ(d.nCopies, 1);

    PrintRequest pages;
    pages.copies = 3;
    pages.collate = true;
    pages.maxPage = 12;
    pages.fromPage = 5;
    pages.toPage = 40;  // past the end
    pages.allowSelection = true;
    d = CommonPrintDialog::dialogOf(pages);
    EXPECT_FALSE(d.Flags & (PD_NOPAGENUMS | PD_NOSELECTION));
    EXPECT_TRUE(d.Flags & PD_COLLATE);
    EXPECT_EQ(d.nMinPage, 1);
    EXPECT_EQ(d.nMaxPage, 12);
    EXPECT_EQ(d.nFromPage, 5);
    EXPECT_EQ(d.nToPage, 12);
    EXPECT_EQ(d.nCopies, 3);

    // What the dialog hands back: the printer's name from its device names.
    const char device[] = "Office Laser";
    HGLOBAL names = GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVNAMES) + sizeof device);
    auto* n = static_cast<DEVNAMES*>(GlobalLock(names));
    n->wDeviceOffset = sizeof(DEVNAMES);
    memcpy(reinterpret_cast<char*>(n) + sizeof(DEVNAMES), device, sizeof device);
    GlobalUnlock(names);
    struct Case {
        DWORD flags;
        PrintRange range;
    } cases[] = {{PD_ALLPAGES, PrintRange::All}, {PD_PAGENUMS, PrintRange::Pages}, {PD_SELECTION, PrintRange::Selection}};
    for (const Case& c : cases) {
        d.Flags = c.flags;
        d.hDevNames = names;
        PrintChoice choice = CommonPrintDialog::choiceOf(d);
        EXPECT_EQ(choice.printer, "Office Laser");
        EXPECT_EQ(choice.range, c.range);
        EXPECT_EQ(choice.copies, 3);
        EXPECT_FALSE(choice.collate);
        EXPECT_EQ(choice.fromPage, 5);
        EXPECT_EQ(choice.toPage, 12);
    }
    GlobalFree(names);
}

// Without a printer the dialog answers "cancelled" and shows nothing; with one
// it shows and is cancelled.
TEST_F(FontPrintDialogsTest, RealPrintDialogIsCancelledWithOrWithoutAPrinter) {
    Form form;
    form.show();
    CommonPrintDialog dialog(form.hwnd());
    kv::uitest::MessageBoxAnswerer cancel(IDCANCEL);
    PrintRequest r;
    r.maxPage = 3;
    EXPECT_FALSE(dialog.choosePrinter(r));
    EXPECT_EQ(cancel.seen().found, PrinterInstalled());
}

}  // namespace
