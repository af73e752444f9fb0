#pragma once
// "Exporting Descriptions": which description file to write for a folder (and
// its subfolders), whether to keep what the files already say, and the line
// limits of the formats that have lines.
#include <functional>

#include "catalog/model/Node.h"
#include "scan/DescExport.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/RangeControls.h"

namespace kv {

// A number box with its up-down arrows.
struct SpinNumber {
    ui::Edit edit;
    ui::UpDown arrows;
    int value() const;
    void create(ui::Control* parent, int x, int y, int min, int max, int value);
    void setEnabled(bool on);
};

class TExportDescForm : public ui::Form {
public:
    TExportDescForm();
    ~TExportDescForm() override;

    ui::RadioButton DescriptIonCheck, FilesBbsCheck, FileidDizCheck;
    ui::Label NodeLabel;
    ui::Button PropertiesBtn;
    ui::CheckBox SubfoldersCheck, KeepDescCheck, LimitLineLength, LimitNumberLines;
    SpinNumber MaxChars, MaxLines;
    ui::Label MaxCharsLabel, MaxLinesLabel;
    ui::Button ExportBtn, CancelBtn;

    // Set by the caller before showing.
    char DriveLetter = 'C';
    Node* FolderNode = nullptr;
    std::function<void(Node* folder)> onProperties;

    // Shows the window; the options chosen, or false after Cancel.
    bool Choose(ExportOptions& options);
    void updateEnabled();
};

}  // namespace kv
