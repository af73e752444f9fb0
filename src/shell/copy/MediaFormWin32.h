#pragma once
// The "Insert Media" window that the search for a disk's medium shows while
// the medium is in no drive, and the media questions answered through it.
#include "catalog/media/LocateItemMedia.h"
#include "ui/Animate.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/UserPrompt.h"

namespace kv {

class TMediaForm : public ui::Form {
public:
    // Manual Select's modal result.
    static constexpr int mrManual = 7;

    TMediaForm();
    ~TMediaForm() override;

    ui::Animate Animation;
    ui::Label PromptLabel;
    ui::Label NameLabel;
    ui::Label TypeLabel;
    ui::Button OKButton;
    ui::Button CancelButton;
    ui::Button ManualButton;
    // Set by the caller before showing: offers "&Manual Select".
    bool ShowManualSelect = false;

private:
    void layoutButtons();
    ui::GdiObject<HFONT> boldFont_;
};

// Left edge of the first of `count` buttons centred in a row, with the
// window's designed spacing between them.
int MediaButtonsLeft(int clientWidth, int buttonWidth, int count);

// The media questions of LocateMedium: information as message boxes, the
// medium asked for in the Insert Media window.
class MediaFormPrompts : public PromptMediaPrompts {
public:
    using PromptMediaPrompts::PromptMediaPrompts;
    InsertMediaAnswer askInsertMedia(const std::string& label, const std::string& mediaLine,
                                     bool allowManual) override;
};

}  // namespace kv
