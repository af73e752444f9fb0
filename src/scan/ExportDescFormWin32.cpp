#include "scan/ExportDescFormWin32.h"

#include <algorithm>
#include <cstdlib>

#include "catalog/model/ItemPath.h"
#include "scan/DialogButtonsWin32.h"
#include "ui/PlaceControl.h"

namespace kv {

int SpinNumber::value() const {
    const int min = 1, max = 9999;
    return std::clamp(std::atoi(edit.text().c_str()), min, max);
}

void SpinNumber::create(ui::Control* parent, int x, int y, int min, int max, int value) {
    ui::Put(edit, *parent, x, y, 50, 22, std::to_string(value));
    arrows.setRange(min, max);
    arrows.setPosition(value);
    ui::Put(arrows, *parent, x + 50, y, 16, 22);
    arrows.onChange = [this](ui::UpDown&, int position) { edit.setText(std::to_string(position)); };
}

void SpinNumber::setEnabled(bool on) {
    edit.setEnabled(on);
    arrows.setEnabled(on);
}

TExportDescForm::TExportDescForm() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Exporting Descriptions");
    setWindowClassName("KvExportDescForm");
    setBounds(0, 0, 460, 340);
    createHandle();
    setClientSize(450, 310);
    ui::Put(NodeLabel, *this, 10, 10, 340, 16);
    ui::Put(PropertiesBtn, *this, 360, 6, 80, 24, "Properties");
    PropertiesBtn.onClick = [this](ui::Button&) {
        if (onProperties) onProperties(FolderNode);
    };
    const struct {
        ui::RadioButton& radio;
        const char* text;
    } radios[] = {{DescriptIonCheck, "4DOS/NDOS descriptions (DESCRIPT.ION files)"},
                  {FilesBbsCheck, "Standard BBS descriptions (FILES.BBS files)"},
                  {FileidDizCheck, "FILE_ID.DIZ descriptions (folders only)"}};
    int y = 40;
    for (const auto& r : radios) {
        ui::Put(r.radio, *this, 10, y, 400, 20, r.text);
        r.radio.onClick = [this](ui::RadioButton&) { updateEnabled(); };
        y += 24;
    }
    SubfoldersCheck.setText("Export descriptions in all subfolders, too");
    KeepDescCheck.setText("Keep existing descriptions in target files, if available");
    LimitLineLength.setText("Limit line length for descriptions to max:");
    LimitNumberLines.setText("Limit number of lines per descriptions to max:");
    for (ui::CheckBox* box : {&SubfoldersCheck, &KeepDescCheck, &LimitLineLength, &LimitNumberLines}) {
        y += 4;
        ui::Put(*box, *this, 10, y, box == &LimitLineLength || box == &LimitNumberLines ? 285 : 400, 20);
        box->onClick = [this](ui::CheckBox&) { updateEnabled(); };
        if (box == &LimitLineLength) {
            MaxChars.create(this, 300, y - 1, 1, 9999, 80);
            ui::Put(MaxCharsLabel, *this, 372, y + 2, 70, 16, "characters.");
        } else if (box == &LimitNumberLines) {
            MaxLines.create(this, 300, y - 1, 1, 9999, 10);
            ui::Put(MaxLinesLabel, *this, 372, y + 2, 70, 16, "lines.");
        }
        y += 24;
    }
    CreateDialogButtons(*this, {ExportBtn, "Export", ui::mrOk}, {CancelBtn, "Cancel", ui::mrCancel}, 270, y + 14, 80);
    // The window ends below its buttons.
    setClientSize(450, y + 14 + 24 + 12);
}

TExportDescForm::~TExportDescForm() { destroyWindow(); }

void TExportDescForm::updateEnabled() {
    const bool limits = !DescriptIonCheck.checked();
    LimitLineLength.setEnabled(limits);
    LimitNumberLines.setEnabled(limits);
    const bool chars = limits && LimitLineLength.checked();
    const bool lines = limits && LimitNumberLines.checked();
    MaxChars.setEnabled(chars);
    MaxCharsLabel.setEnabled(chars);
    MaxLines.setEnabled(lines);
    MaxLinesLabel.setEnabled(lines);
}

bool TExportDescForm::Choose(ExportOptions& options) {
    SubfoldersCheck.setChecked(false);
    DescriptIonCheck.setChecked(true);
    KeepDescCheck.setChecked(true);
    LimitLineLength.setChecked(false);
    LimitNumberLines.setChecked(false);
    std::string path = FolderNode ? GetItemPath(FolderNode->record(), true, true) : std::string();
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    NodeLabel.setText(std::string(1, DriveLetter) + ":" + path);
    updateEnabled();
    if (showModal() != ui::mrOk) return false;
    options.format = FilesBbsCheck.checked()    ? DescFileFormat::FilesBbs
                     : FileidDizCheck.checked() ? DescFileFormat::FileIdDiz
                                                : DescFileFormat::DescriptIon;
    options.driveLetter = DriveLetter;
    options.subfolders = SubfoldersCheck.checked();
    options.keepExisting = KeepDescCheck.checked();
    options.limitLineLength = LimitLineLength.enabled() && LimitLineLength.checked();
    options.maxChars = MaxChars.value();
    options.limitNumberLines = LimitNumberLines.enabled() && LimitNumberLines.checked();
    options.maxLines = MaxLines.value();
    return true;
}

}  // namespace kv
