#pragma once
// A long sort of the item list: a progress bar over a status-bar panel, and
// Esc asks whether to stop with what is sorted so far.
#include <windows.h>

#include <cstddef>

#include "shell/browse/ItemSort.h"
#include "ui/ProgressBar.h"
#include "ui/StatusBar.h"
#include "ui/UserPrompt.h"

namespace kv {

class ListSortFeedback : public SortProgress, public SortInterrupt {
public:
    ListSortFeedback(ui::StatusBar& bar, int panel, ui::UserPrompt& prompt) : statusBar_(bar), panel_(panel), prompt_(prompt) {}

    // SortProgress
    void begin(std::size_t total) override;
    void step(std::size_t handled) override;
    // The bar goes when the sort ends.
    void end();

    // SortInterrupt
    bool escPressed() override;
    bool askCancel() override;
    void processMessages() override;

    bool barShown() const { return bar_.hwnd() && IsWindowVisible(bar_.hwnd()); }

private:
    ui::StatusBar& statusBar_;
    int panel_;
    ui::UserPrompt& prompt_;
    ui::ProgressBar bar_;
    std::size_t total_ = 0;
    std::size_t done_ = 0;
};

}  // namespace kv
