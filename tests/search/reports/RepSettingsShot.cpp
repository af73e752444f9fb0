// "Report Settings" as a real display shows it (tools/wine-x11-run): copied
// from the screen, checked that none of its controls is blank, saved.
//   repsettingsshot SETTINGS.bmp
#include <windows.h>

#include <cstdio>
#include <string>

#include "search/reports/RepSettingsFormWin32.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestInput.h"
#include "WindowShot.h"

namespace kv {
namespace {

bool Shoot(const std::string& path) {
    ReportSettings settings;
    settings.look.colors[static_cast<std::size_t>(ReportSection::PageHeader)] = 0x00C0C0C0;
    ui::ScriptedFontDialog fonts;
    TRepSettingsForm form(settings, {fonts});
    bool ok = false;
    uitest::TimerAction shoot(100, [&] {
        const test::NamedControls controls = {
            {"printer", form.PrnLabel.hwnd()},           {"printer setup", form.BtnPrinterSetup.hwnd()},
            {"paper", form.PaperSizeCombo.hwnd()},       {"units", form.UnitsCombo.hwnd()},
            {"top margin", form.TopMarginEdit.hwnd()},   {"right margin", form.RightMarginEdit.hwnd()},
            {"sections", form.ItemsCombo.hwnd()},        {"include", form.IncludeCheck.hwnd()},
            {"font", form.BtnFont.hwnd()},               {"font caption", form.FontLabel.hwnd()},
            {"sample", form.FontSample.hwnd()},          {"font colour", form.FontColorCombo.hwnd()},
            {"background", form.SectionColorCombo.hwnd()}, {"icons", form.IconsCheck.hwnd()},
            {"ok", form.BtnOK.hwnd()},                   {"cancel", form.BtnCancel.hwnd()}};
        ok = test::ShootWindow("Report Settings", form.hwnd(), controls, path);
        SendMessageA(form.BtnCancel.hwnd(), BM_CLICK, 0, 0);
    });
    form.showModal();
    return ok;
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: repsettingsshot SETTINGS.bmp\n");
        return 2;
    }
    return kv::Shoot(argv[1]) ? 0 : 1;
}
