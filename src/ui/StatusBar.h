#pragma once
// Status bar with panels; owner-drawn panels are painted by onDrawPanel.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/StatusDisplay.h"

namespace kv::ui {

class ScopedHourglass;

struct StatusPanel {
    std::string text;
    int width = 100;  // the last panel takes the rest
    bool ownerDraw = false;
};

class StatusBar : public Control {
public:
    StatusBar();
    void setPanels(const std::vector<StatusPanel>& panels);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    void setPanelText(int panel, const std::string& text);
    std::string panelText(int panel) const;
    std::function<void(StatusBar& sender, int panel, HDC dc, const RECT& rect)> onDrawPanel;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    void applyParts();
    void applyText(int panel);
    std::vector<StatusPanel> panels_;
};

// ShowStatus on a status bar: busy shows the hourglass and puts the text in
// panel 1; idle calls onIdle so the window rebuilds its texts.
class StatusBarStatus : public StatusDisplay {
public:
    explicit StatusBarStatus(StatusBar& bar);
    ~StatusBarStatus() override;
    void ShowStatus(const std::string& text, bool busy) override;
    bool busy() const { return hourglass_ != nullptr; }
    std::function<void()> onIdle;

private:
    StatusBar& bar_;
    std::unique_ptr<ScopedHourglass> hourglass_;
};

}  // namespace kv::ui
