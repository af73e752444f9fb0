// "Report Settings" under Wine's null driver, with a scripted font dialog.
// This prefix has no printer: the paper list is "Default" alone.
#include <gtest/gtest.h>

#include "search/reports/RepSettingsFormWin32.h"
#include "search/reports/ReportGenSettings.h"
#include "system/settings/MemorySectionStore.h"
#include "system/settings/RegistrySectionStoreWin32.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestInput.h"

namespace kv {
namespace {

std::size_t At(ReportSection s) { return static_cast<std::size_t>(s); }

// Clicks "Include icons in report", then OK, in the open dialog.
void SwitchIconsAndOk() {
    HWND dialog = FindWindowA("KvRepSettingsForm", nullptr);
    SendMessageA(FindWindowExA(dialog, nullptr, "Button", "Include icons in report"), BM_CLICK, 0, 0);
    SendMessageA(FindWindowExA(dialog, nullptr, "Button", "OK"), BM_CLICK, 0, 0);
}

TEST(RepSettingsForm, SectionsShowTheirFontsAndSwitches) {
    ReportSettings settings;
    settings.look.include[At(ReportSection::ColumnHeaders)] = false;
    ui::ScriptedFontDialog fonts;
    TRepSettingsForm form(settings, {fonts});
    EXPECT_EQ(form.ItemsCombo.itemIndex(), 0);
    EXPECT_EQ(form.FontLabel.text(), FontCaption(settings.look.fonts[0]));
    // The Default paper: no orientation to choose, no size to show.
    EXPECT_EQ(form.PaperSizeCombo.items().front(), "Default");
    EXPECT_EQ(form.PaperSizeCombo.itemIndex(), 0);
    EXPECT_FALSE(form.PaperLayoutCombo.enabled());
    EXPECT_EQ(form.WidthEdit.text(), "");
    EXPECT_EQ(form.HeightEdit.text(), "");
    EXPECT_EQ(form.TopMarginEdit.text(), "10.00");

    form.ItemsCombo.setItemIndex(static_cast<int>(At(ReportSection::ColumnHeaders)));
    form.ItemsComboChange();
    EXPECT_FALSE(form.IncludeCheck.checked());
    EXPECT_FALSE(form.BtnFont.enabled());
    EXPECT_FALSE(form.FontColorCombo.enabled());
    form.IncludeCheck.setChecked(true);
    form.IncludeCheck.click();
    EXPECT_TRUE(form.BtnFont.enabled());
    EXPECT_TRUE(form.settings().look.include[At(ReportSection::ColumnHeaders)]);

    // The details always print.
    form.ItemsCombo.setItemIndex(static_cast<int>(At(ReportSection::Details)));
    form.ItemsComboChange();
    EXPECT_TRUE(form.IncludeCheck.checked());
    EXPECT_FALSE(form.IncludeCheck.enabled());

    ui::FontDescription chosen;
    chosen.name = "Courier New";
    chosen.size = 14;
    chosen.bold = true;
    chosen.underline = true;
    chosen.color = 0x0000FF;
    fonts.answers = {chosen};
    form.BtnFontClick();
    ASSERT_EQ(fonts.asked.size(), 1u);
    EXPECT_EQ(fonts.asked[0].name, settings.look.fonts[At(ReportSection::Details)].name);
    EXPECT_EQ(form.FontLabel.text(), "Courier New, 14 pt, Bold, Underline");
    const report::ReportFont& stored = form.settings().look.fonts[At(ReportSection::Details)];
    EXPECT_EQ(stored.style, report::FontStyle::Bold | report::FontStyle::Underline);
    EXPECT_EQ(stored.color, 0x0000FFu);
}

TEST(RepSettingsForm, MarginsFollowTheUnits) {
    ReportSettings settings;
    ui::ScriptedFontDialog fonts;
    TRepSettingsForm form(settings, {fonts});
    form.TopMarginEdit.setText("25.4");
    form.LeftMarginEdit.setText("wide");
    form.UnitsCombo.setItemIndex(1);
    form.UnitsComboChange();
    EXPECT_EQ(form.TopMarginEdit.text(), "1.00");
    // Not a number: the margin stays.
    EXPECT_EQ(form.LeftMarginEdit.text(), "0.39");
    EXPECT_EQ(form.settings().units, report::ReportUnits::Inches);
    EXPECT_DOUBLE_EQ(form.settings().margin(ReportMargin::Top), 96);
    // Back in mm, an untouched margin has not been rounded to its inches.
    form.UnitsCombo.setItemIndex(0);
    form.UnitsComboChange();
    EXPECT_EQ(form.LeftMarginEdit.text(), "10.00");
}

TEST(RepSettingsForm, OkKeepsAndSavesCancelDiscards) {
    ReportSettings settings;
    MemorySectionStore store;
    ui::ScriptedFontDialog fonts;
    {
        uitest::TimerAction cancel(50, [] {
            HWND dialog = FindWindowA("KvRepSettingsForm", nullptr);
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        });
        EXPECT_FALSE(ShowReportSettings(settings, {fonts, &store}));
    }
    EXPECT_FALSE(store.SectionExists(kReportGenSection));
    {
        uitest::TimerAction ok(50, SwitchIconsAndOk);
        EXPECT_TRUE(ShowReportSettings(settings, {fonts, &store}));
    }
    EXPECT_FALSE(settings.look.icons);
    EXPECT_FALSE(CurrentReportSettings(&store).look.icons);
    // From the store, as the generator opens it: icons back on.
    {
        uitest::TimerAction ok(50, SwitchIconsAndOk);
        EXPECT_TRUE(ShowReportSettings({fonts, &store}));
    }
    EXPECT_TRUE(CurrentReportSettings(&store).look.icons);
}

// The values as the registry keeps them: binary of their sizes, the printer as text.
TEST(RepSettingsForm, RegistryValuesHaveTheirKindsAndSizes) {
    constexpr const char* kKey = "\\Software\\Talvenmoor\\Korvalder? Report Settings Tests";
    constexpr const char* kSubkey = "Software\\Talvenmoor\\Korvalder? Report Settings Tests\\ReportGen";
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey + 1);
    ReportSettings settings;
    settings.printer = "Korvalder Test PS";
    settings.look.fonts[At(ReportSection::ColumnHeaders)].name = "Courier New";
    {
        RegistrySectionStore store(HKEY_CURRENT_USER, kKey);
        SaveReportSettings(store, settings);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSubkey, 0, KEY_READ, &key), ERROR_SUCCESS);
    const struct {
        const char* name;
        DWORD type, size;
    } values[] = {{"Settings", REG_BINARY, 4},      {"TopMargin", REG_BINARY, 10},
                  {"RightMargin", REG_BINARY, 10},  {"PaperSize", REG_BINARY, 1},
                  {"ReportFont3", REG_BINARY, 22},  {"SectionColors", REG_BINARY, 36},
                  {"Printer", REG_SZ, 18}};
    for (const auto& v : values) {
        DWORD type = 0, size = 0;
        EXPECT_EQ(RegQueryValueExA(key, v.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS) << v.name;
        EXPECT_EQ(type, v.type) << v.name;
        EXPECT_EQ(size, v.size) << v.name;
    }
    RegCloseKey(key);
    const RegistrySectionStore store(HKEY_CURRENT_USER, kKey);
    const ReportSettings back = CurrentReportSettings(&store);
    EXPECT_EQ(back.printer, settings.printer);
    EXPECT_EQ(back.look.fonts, settings.look.fonts);
    EXPECT_EQ(back.margins, settings.margins);
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey + 1);
}

}  // namespace
}  // namespace kv
