#pragma once
// "Report Settings": printer, paper, orientation, units and margins, and for
// each section of the report whether it prints, its font, font colour and
// background, and whether rows carry icons. The dialog works on a copy of the
// report generator's settings: OK takes the copy and saves it, Cancel leaves
// the settings (and so the printer) as they were.
#include <array>
#include <string>
#include <vector>

#include "controls/small/ColorComboWin32.h"
#include "search/reports/ReportPrinterWin32.h"
#include "search/reports/ReportSettings.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/FontDialog.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"

namespace kv {

struct RepSettingsServices {
    ui::FontDialog& fonts;
    // Where OK saves the settings; none: nowhere.
    SectionStore* store = nullptr;
};

class TRepSettingsForm : public ui::Form {
public:
    TRepSettingsForm(const ReportSettings& settings, RepSettingsServices services);
    ~TRepSettingsForm() override;

    ui::Label PrinterLabel, PrnLabel;
    ui::Button BtnPrinterSetup;
    ui::Label PaperSizeLabel, PaperLayoutLabel, WidthLabel, HeightLabel, UnitsLabel;
    ui::ComboBox PaperSizeCombo, PaperLayoutCombo, UnitsCombo;
    ui::Edit WidthEdit, HeightEdit;
    ui::Label TopMarginLabel, BottomMarginLabel, LeftMarginLabel, RightMarginLabel;
    ui::Edit TopMarginEdit, BottomMarginEdit, LeftMarginEdit, RightMarginEdit;
    ui::Label ItemsLabel;
    ui::ComboBox ItemsCombo;
    ui::CheckBox IncludeCheck;
    ui::Button BtnFont;
    ui::Label FontLabel;
    ui::Image FontSample;
    ui::Label FontColorLabel, SectionColorLabel;
    ui::TColorCombo FontColorCombo, SectionColorCombo;
    ui::CheckBox IconsCheck;
    ui::Button BtnOK, BtnCancel;

    // The settings as the dialog has them now.
    const ReportSettings& settings() const { return work_; }
    const ui::PrinterSettings& printer() const { return printer_; }

    // Dialog to settings, and settings to dialog.
    void UpdateReportData();
    void ShowSettings();
    void ItemsComboChange();
    void IncludeCheckClick();
    void BtnFontClick();
    void UnitsComboChange();
    void PrinterDataChange();
    void BtnPrinterSetupClick();

private:
    void FillPaperSizes();
    void ApplySettings();
    void DrawFontSample();
    std::size_t section() const { return static_cast<std::size_t>(std::max(0, current_)); }
    std::array<ui::Edit*, 4> marginEdits() { return {&TopMarginEdit, &BottomMarginEdit, &LeftMarginEdit, &RightMarginEdit}; }

    RepSettingsServices services_;
    ReportSettings work_;
    ui::PrinterSettings printer_;
    std::vector<ReportPaperEntry> papers_;
    std::array<std::string, 4> shownMargins_;
    int current_ = -1;
    bool showing_ = false;
};

// "Report Settings" over the generator's settings; on OK they take the
// dialog's and are saved. True on OK.
bool ShowReportSettings(ReportSettings& settings, RepSettingsServices services);
// The generator's "Report Setup": the stored settings, saved again on OK.
bool ShowReportSettings(RepSettingsServices services);

}  // namespace kv
