#pragma once
// The extraction's windows: the progress window with its Cancel button (Esc too),
// the status line and the program's message boxes.
#include <string>

#include "archive/TempExtraction.h"
#include "ui/StatusDisplay.h"

namespace kv::arc {

class WindowsExtractionUi final : public IExtractionUi {
public:
    // Without a status display (no main window yet) only the wait window shows.
    explicit WindowsExtractionUi(ui::StatusDisplay* status = nullptr) : status_(status) {}

    void ShowWait(const std::string& caption, const std::string& status) override;
    void Extracting(const std::string& fileName) override;
    bool Progress(int percent) override;
    void CloseWait() override;
    void ShowError(const std::string& caption, const std::string& text) override;
    bool Ask(const std::string& caption, const std::string& text) override;

private:
    ui::StatusDisplay* status_;
    // A wait window some other operation showed is reused and left to it to close.
    bool ownsWait_ = false;
    bool showing_ = false;
    // The text a Cancel press replaced, back when the user goes on.
    std::string text_;
};

}  // namespace kv::arc
