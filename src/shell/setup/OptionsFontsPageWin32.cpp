// The fonts page: which font each of the six slots uses, and a sample of it.
#include "shell/settings/FontDataWin32.h"
#include "shell/setup/OptionsFormWin32.h"
#include "ui/PlaceControl.h"
#include "ui/CommonFontDialog.h"
#include "ui/Fonts.h"

namespace kv {

namespace {

int screenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

void TOptionsForm::createFontsPage(ui::Panel& p) {
    ui::Put(FontSlotLabel, p, 12, 12, 80, 16, "Font for:");
    std::vector<std::string> slots;
    for (std::size_t slot = 0; slot < fonts_.size(); ++slot) slots.emplace_back(FontSlotCaption(slot));
    FontSettingsCombo.setItems(slots);
    ui::Put(FontSettingsCombo, p, 96, 8, 260, 200, {}, 10200);
    FontSettingsCombo.setItemIndex(0);
    FontSettingsCombo.onChange = [this](ui::ComboBox&) { showFontSlot(); };
    ui::Put(FontHelpLabel, p, 12, 40, 480, 34);
    ui::Put(FontGroup, p, 8, 80, 490, 50);
    FontGroup.setBevel(false);
    ui::Put(UseSystemFont, FontGroup, 4, 2, 300, 20, "Use &system font", 10202);
    ui::Put(UseCustomFont, FontGroup, 4, 26, 140, 20, "Use &custom font:", 10201);
    ui::Put(FontLabel, FontGroup, 150, 29, 330, 16, {}, 10201);
    auto pick = [this](bool custom) {
        const int slot = FontSettingsCombo.itemIndex();
        if (slot < 0 || fonts_[static_cast<std::size_t>(slot)].custom == custom)
            return;
        fonts_[static_cast<std::size_t>(slot)].custom = custom;
        showFontSlot();
        changed();
    };
    UseSystemFont.onClick = [pick](ui::RadioButton&) { pick(false); };
    UseCustomFont.onClick = [pick](ui::RadioButton&) { pick(true); };
    ui::Put(FontButton, p, 160, 136, 110, 26, "Select &Font", 10203);
    FontButton.onClick = [this](ui::Button&) { chooseFont(); };
    FontSample.setColor(GetSysColor(COLOR_3DFACE));
    ui::Put(FontSample, p, 12, 172, 486, 80, {}, 10204);
    FontSample.onMouseDown = [this](ui::Control&, ui::MouseButton, UINT, int, int) {
        if (FontButton.enabled())
            chooseFont();
    };
}

void TOptionsForm::showFontSlot() {
    const int slot = FontSettingsCombo.itemIndex();
    if (slot < 0 || slot >= static_cast<int>(fonts_.size()))
        return;
    const FontSlot& f = fonts_[static_cast<std::size_t>(slot)];
    UseSystemFont.setChecked(!f.custom);
    UseCustomFont.setChecked(f.custom);
    FontLabel.setText(FontLabelText(f.font, screenDpi()));
    FontLabel.setEnabled(f.custom);
    FontButton.setEnabled(f.custom);
    FontHelpLabel.setText(std::string(FontSlotExplanation(static_cast<std::size_t>(slot))));
    const FontData effective = f.custom ? f.font : services_.settings.Defaults().systemFonts[static_cast<std::size_t>(slot)];
    LOGFONTA lf = LogFontOf(effective);
    sampleFont_.reset(effective.face.empty() ? nullptr : CreateFontIndirectA(&lf));
    FontSample.setFont(sampleFont_.get());
    FontSample.setText("AaBbCc 12345");
    if (FontSample.hwnd())
        InvalidateRect(FontSample.hwnd(), nullptr, TRUE);
}

void TOptionsForm::chooseFont() {
    const int slot = FontSettingsCombo.itemIndex();
    if (slot < 0)
        return;
    FontSlot& f = fonts_[static_cast<std::size_t>(slot)];
    ui::FontDialog* dialog = services_.fontDialog;
    if (!dialog) {
        if (!ownFontDialog_)
            ownFontDialog_ = std::make_unique<ui::CommonFontDialog>(hwnd());
        dialog = ownFontDialog_.get();
    }
    const int dpi = screenDpi();
    const std::optional<ui::FontDescription> chosen =
        dialog->chooseFont(ui::fromLogFont(LogFontOf(f.font), GetSysColor(COLOR_WINDOWTEXT), dpi));
    if (!chosen)
        return;
    const LOGFONTA lf = ui::toLogFont(*chosen, dpi);
    FontData data;
    data.height = lf.lfHeight;
    data.style = static_cast<std::uint8_t>((chosen->bold ? 1 : 0) | (chosen->italic ? 2 : 0) |
                                           (chosen->underline ? 4 : 0) | (chosen->strikeOut ? 8 : 0));
    // The system's font record holds no longer face name.
    data.face = chosen->name.substr(0, LF_FACESIZE - 1);
    f.font = data;
    showFontSlot();
    changed();
}

}  // namespace kv
