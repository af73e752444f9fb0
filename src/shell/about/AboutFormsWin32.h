#pragma once
// The about box with live system information, and the "Tip of the Day" window.
#include "ui/Bevel.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Timer.h"

namespace kv {

class TAboutDlg : public ui::Form {
public:
    TAboutDlg();
    ~TAboutDlg() override;

    ui::Image LogoImage;
    ui::Label ProgramLabel;
    ui::Label SystemInfoLabel;
    ui::Bevel SystemInfo;
    ui::Label OSName;
    ui::Label OSVersion;
    ui::Label FreePhysicalCapt;
    ui::Label FreePhysical;
    ui::Label PageFileCapt;
    ui::Label PageFile;
    ui::Label MyUsageCapt;
    ui::Label MyUsage;
    ui::Button OKButton;
    ui::Timer Timer;

    // Reads the memory figures again.
    void ShowSystemInfo();
};

class TTipsDialog : public ui::Form {
public:
    TTipsDialog();
    ~TTipsDialog() override;

    ui::Label Header;
    ui::Label Question;
    ui::Label TipLabel;
    ui::Image Image;
    ui::Button btnNext;
    ui::Button btnPrevious;
    ui::Button btnClose;
    ui::CheckBox ShowOnStartup;

    int TipIndex() const { return tip_; }
    void ShowTip(int index);

private:
    int tip_ = 1;
};

}  // namespace kv
