#include "search/reports/RepSettingsFormWin32.h"

#include <algorithm>

#include "ui/Fonts.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

using ui::Put;

constexpr std::size_t kMaxFontName = 255;
constexpr const char* kSampleText = "AaBbCc 12345";

ui::FontDescription DescriptionOf(const report::ReportFont& font) {
    ui::FontDescription d;
    d.name = font.name;
    d.size = font.size;
    d.bold = font.style & report::FontStyle::Bold;
    d.italic = font.style & report::FontStyle::Italic;
    d.underline = font.style & report::FontStyle::Underline;
    d.strikeOut = font.style & report::FontStyle::StrikeOut;
    d.color = font.color;
    return d;
}

report::ReportFont FontOf(const ui::FontDescription& d) {
    report::ReportFont font;
    font.name = d.name.substr(0, kMaxFontName);
    font.size = std::clamp(d.size, 1, 400);
    font.style = static_cast<std::uint8_t>((d.bold ? report::FontStyle::Bold : 0) |
                                           (d.italic ? report::FontStyle::Italic : 0) |
                                           (d.underline ? report::FontStyle::Underline : 0) |
                                           (d.strikeOut ? report::FontStyle::StrikeOut : 0));
    font.color = d.color;
    return font;
}

report::ReportUnits UnitsOfIndex(int index) {
    switch (index) {
    case 1: return report::ReportUnits::Inches;
    case 2: return report::ReportUnits::Pixels;
    default: return report::ReportUnits::Millimetres;
    }
}

int IndexOfUnits(report::ReportUnits units) {
    return units == report::ReportUnits::Inches ? 1 : units == report::ReportUnits::Pixels ? 2 : 0;
}

}  // namespace

TRepSettingsForm::TRepSettingsForm(const ReportSettings& settings, RepSettingsServices services)
    : services_(services), work_(settings) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::ScreenCenter);
    setCaption("Report Settings");
    setWindowClassName("KvRepSettingsForm");
    setBounds(0, 0, 480, 430);
    createHandle();
    setClientSize(470, 400);

    Put(PrinterLabel, *this, 10, 14, 60, 16, "Printer:");
    Put(PrnLabel, *this, 75, 14, 250, 16);
    Put(BtnPrinterSetup, *this, 330, 10, 130, 24, "Printer Setup...");
    Put(PaperSizeLabel, *this, 10, 48, 80, 16, "Paper size:");
    Put(PaperSizeCombo, *this, 95, 44, 170, 240);
    Put(PaperLayoutLabel, *this, 275, 48, 72, 16, "Orientation:");
    Put(PaperLayoutCombo, *this, 350, 44, 110, 100);
    PaperLayoutCombo.setItems({"Portrait", "Landscape"});
    Put(WidthLabel, *this, 10, 80, 80, 16, "Width:");
    Put(WidthEdit, *this, 95, 76, 65, 22);
    Put(HeightLabel, *this, 170, 80, 45, 16, "Height:");
    Put(HeightEdit, *this, 215, 76, 50, 22);
    // No paper of the user's own size: the two only show the paper's.
    WidthEdit.setReadOnly(true);
    HeightEdit.setReadOnly(true);
    Put(UnitsLabel, *this, 275, 80, 72, 16, "Units:");
    Put(UnitsCombo, *this, 350, 76, 110, 100);
    UnitsCombo.setItems({"mm", "inches", "pixels"});
    const struct {
        ui::Label* label;
        ui::Edit* edit;
        const char* caption;
        int x;
    } margins[] = {{&TopMarginLabel, &TopMarginEdit, "Top:", 10},
                   {&BottomMarginLabel, &BottomMarginEdit, "Bottom:", 125},
                   {&LeftMarginLabel, &LeftMarginEdit, "Left:", 245},
                   {&RightMarginLabel, &RightMarginEdit, "Right:", 355}};
    for (const auto& m : margins) {
        Put(*m.label, *this, m.x, 112, 48, 16, m.caption);
        Put(*m.edit, *this, m.x + 50, 108, 56, 22);
        m.edit->onExit = [this](ui::Control&) { UpdateReportData(); };
    }

    Put(ItemsLabel, *this, 10, 154, 80, 16, "Section:");
    Put(ItemsCombo, *this, 95, 150, 170, 250);
    ItemsCombo.setItems(std::vector<std::string>(kReportSectionNames.begin(), kReportSectionNames.end()));
    Put(IncludeCheck, *this, 275, 150, 185, 22, "Print this section");
    Put(BtnFont, *this, 10, 184, 80, 24, "Font...");
    Put(FontLabel, *this, 95, 188, 365, 16);
    Put(FontSample, *this, 10, 214, 450, 50);
    Put(FontColorLabel, *this, 10, 278, 80, 16, "Font colour:");
    Put(FontColorCombo, *this, 95, 274, 145, 200);
    Put(SectionColorLabel, *this, 250, 278, 76, 16, "Background:");
    Put(SectionColorCombo, *this, 330, 274, 130, 200);
    Put(IconsCheck, *this, 10, 316, 250, 22, "Include icons in report");
    Put(BtnOK, *this, 270, 360, 90, 28, "OK");
    Put(BtnCancel, *this, 370, 360, 90, 28, "Cancel");

    printer_ = ui::PrinterSettings(ResolveReportPrinter(work_.printer));
    work_.printer = printer_.name();
    // Without any printer the setup dialog has nothing to offer.
    BtnPrinterSetup.setEnabled(!ui::PrinterNames().empty());
    FillPaperSizes();
    // A stored paper this printer does not offer gives way to Default.
    if (PaperSizeCombo.indexOfObject(work_.paperSize) < 1)
        work_.paperSize = kDefaultPaper;
    PushPaperAndOrientation(printer_, work_.paperSize, work_.portrait);
    current_ = 0;
    ShowSettings();

    ItemsCombo.onChange = [this](ui::ComboBox&) { ItemsComboChange(); };
    IncludeCheck.onClick = [this](ui::CheckBox&) { IncludeCheckClick(); };
    BtnFont.onClick = [this](ui::Button&) { BtnFontClick(); };
    FontSample.onClick = [this](ui::Image&) { BtnFontClick(); };
    FontColorCombo.onChange = [this](ui::ComboBox&) {
        work_.look.fonts[section()].color = FontColorCombo.GetSelectedColor();
        DrawFontSample();
    };
    SectionColorCombo.onChange = [this](ui::ComboBox&) {
        work_.look.colors[section()] = SectionColorCombo.GetSelectedColor();
    };
    UnitsCombo.onChange = [this](ui::ComboBox&) { UnitsComboChange(); };
    PaperSizeCombo.onChange = [this](ui::ComboBox&) { PrinterDataChange(); };
    PaperLayoutCombo.onChange = [this](ui::ComboBox&) { PrinterDataChange(); };
    IconsCheck.onClick = [this](ui::CheckBox&) { work_.look.icons = IconsCheck.checked(); };
    BtnPrinterSetup.onClick = [this](ui::Button&) { BtnPrinterSetupClick(); };
    BtnOK.onClick = [this](ui::Button&) {
        if (section() != static_cast<std::size_t>(ReportSection::Details))
            work_.look.include[section()] = IncludeCheck.checked();
        UpdateReportData();
        setModalResult(ui::mrOk);
    };
    BtnCancel.onClick = [this](ui::Button&) { setModalResult(ui::mrCancel); };
    setDefaultControl(&BtnOK);
    setCancelControl(&BtnCancel);
}

TRepSettingsForm::~TRepSettingsForm() { destroyWindow(); }

void TRepSettingsForm::FillPaperSizes() {
    papers_ = kv::FillPaperSizes(printer_);
    PaperSizeCombo.clear();
    for (const ReportPaperEntry& entry : papers_)
        PaperSizeCombo.addItem(entry.name, entry.paper);
}

void TRepSettingsForm::UpdateReportData() {
    if (showing_)
        return;
    // Margins are read in the units they were shown in, and only when edited,
    // so that switching units does not round them; a text that is no margin
    // keeps the margin it had.
    const auto edits = marginEdits();
    for (std::size_t m = 0; m < edits.size(); ++m)
        if (edits[m]->text() != shownMargins_[m])
            if (const auto value = ParseMargin(edits[m]->text(), work_.units))
                work_.margins[m] = *value;
    work_.units = UnitsOfIndex(UnitsCombo.itemIndex());
    const int paper = PaperSizeCombo.itemIndex();
    if (paper >= 0)
        work_.paperSize = static_cast<int>(PaperSizeCombo.object(paper));
    work_.portrait = PaperLayoutCombo.itemIndex() == 0;
    ApplySettings();
    ShowSettings();
}

void TRepSettingsForm::ApplySettings() { PushPaperAndOrientation(printer_, work_.paperSize, work_.portrait); }

void TRepSettingsForm::ShowSettings() {
    showing_ = true;
    PrnLabel.setText(printer_.name().empty() ? std::string("(no printer)") : printer_.name());
    UnitsCombo.setItemIndex(IndexOfUnits(work_.units));
    const auto edits = marginEdits();
    for (std::size_t m = 0; m < edits.size(); ++m) {
        shownMargins_[m] = FormatMargin(work_.margins[m], work_.units);
        edits[m]->setText(shownMargins_[m]);
    }
    const int paper = PaperSizeCombo.indexOfObject(work_.paperSize);
    PaperSizeCombo.setItemIndex(paper);
    PaperLayoutCombo.setItemIndex(work_.portrait ? 0 : 1);
    PaperLayoutCombo.setEnabled(work_.paperSize != kDefaultPaper);
    std::string width, height;
    if (paper > 0) {
        SIZE size = papers_[static_cast<std::size_t>(paper)].tenthsMm;
        if (!work_.portrait)
            std::swap(size.cx, size.cy);
        const auto show = [&](LONG tenths) {
            return FormatMargin(report::ToDesignPixels(tenths / 10.0, report::ReportUnits::Millimetres), work_.units);
        };
        width = show(size.cx);
        height = show(size.cy);
    }
    WidthEdit.setText(width);
    HeightEdit.setText(height);

    const std::size_t s = section();
    ItemsCombo.setItemIndex(static_cast<int>(s));
    const report::ReportFont& font = work_.look.fonts[s];
    FontLabel.setText(FontCaption(font));
    FontColorCombo.SetSelectedColor(font.color);
    SectionColorCombo.SetSelectedColor(work_.look.colors[s]);
    IncludeCheck.setChecked(work_.look.include[s]);
    IncludeCheck.setEnabled(s != static_cast<std::size_t>(ReportSection::Details));
    IconsCheck.setChecked(work_.look.icons);
    showing_ = false;
    IncludeCheckClick();
}

void TRepSettingsForm::ItemsComboChange() {
    if (showing_ || ItemsCombo.itemIndex() < 0)
        return;
    if (section() != static_cast<std::size_t>(ReportSection::Details))
        work_.look.include[section()] = IncludeCheck.checked();
    current_ = ItemsCombo.itemIndex();
    ShowSettings();
}

void TRepSettingsForm::IncludeCheckClick() {
    const bool on = IncludeCheck.checked();
    if (!showing_ && section() != static_cast<std::size_t>(ReportSection::Details))
        work_.look.include[section()] = on;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&BtnFont, &FontLabel, &FontColorLabel, &FontColorCombo,
                                                              &SectionColorLabel, &SectionColorCombo})
        c->setEnabled(on);
    DrawFontSample();
}

void TRepSettingsForm::DrawFontSample() {
    const int width = 450, height = 50;
    ui::PixelBitmap picture = ui::createPixelBitmap(width, height);
    if (!picture.bitmap.get())
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ oldBitmap = SelectObject(dc, picture.bitmap.get());
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    const report::ReportFont& font = work_.look.fonts[section()];
    ui::GdiObject<HFONT> sampleFont = ui::createFont(DescriptionOf(font));
    const HGDIOBJ oldFont = SelectObject(dc, sampleFont.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, BtnFont.enabled() ? report::ResolveColor(font.color) : GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, kSampleText, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    FontSample.setBitmap(std::move(picture.bitmap));
}

void TRepSettingsForm::BtnFontClick() {
    if (!BtnFont.enabled())
        return;
    report::ReportFont& font = work_.look.fonts[section()];
    if (const auto chosen = services_.fonts.chooseFont(DescriptionOf(font))) {
        font = FontOf(*chosen);
        UpdateReportData();
    }
}

void TRepSettingsForm::UnitsComboChange() { UpdateReportData(); }

void TRepSettingsForm::PrinterDataChange() { UpdateReportData(); }

void TRepSettingsForm::BtnPrinterSetupClick() {
    UpdateReportData();
    if (!printer_.RunSetupDialog(hwnd()))
        return;
    work_.printer = printer_.name();
    FillPaperSizes();
    PullPaperAndOrientation(printer_, work_.paperSize, work_.portrait);
    ShowSettings();
}

bool ShowReportSettings(ReportSettings& settings, RepSettingsServices services) {
    TRepSettingsForm form(settings, services);
    if (form.showModal() != ui::mrOk)
        return false;
    settings = form.settings();
    if (services.store)
        SaveReportSettings(*services.store, settings);
    return true;
}

bool ShowReportSettings(RepSettingsServices services) {
    ReportSettings settings = CurrentReportSettings(services.store);
    return ShowReportSettings(settings, services);
}

}  // namespace kv
