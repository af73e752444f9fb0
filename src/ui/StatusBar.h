#pragma once
// Status bar with panels; owner-drawn panels are painted by onDrawPanel.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/StatusDisplay.h"

namespace kv::ui {

enum class PanelAlignment { Left, Center, Right };
class ScopedHourglass;

struct StatusPanel {
    std::string text;
    int width = 100;  // the last panel takes the rest
    bool ownerDraw = false;
    PanelAlignment alignment = PanelAlignment::Left;
};

class StatusBar : public Control {
public:
    StatusBar();
    void setPanels(const std::vector<StatusPanel>& panels);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    void setPanelText(int panel, const std::string& text);
    std::string panelText(int panel) const;
    std::function<void(StatusBar& sender, int panel, HDC dc, const RECT& rect)> onDrawPanel;
    // A click on a panel (-1: the simple panel).
    std::function<void(StatusBar& sender, int panel)> onPanelClick;
    void setPanelWidth(int panel, int width);
    int panelWidth(int panel) const;
    // The panel that x (client coordinates) falls in by the panel widths; -1 past them.
    int panelAt(int x) const;
    RECT panelRect(int panel) const;

    // One panel across the whole bar, with its own text.
    void setSimplePanel(bool simple);
    bool simplePanel() const { return simple_; }
    void setSimpleText(const std::string& text);
    const std::string& simpleText() const { return simpleText_; }
    // The grip in the bottom-right corner for sizing the window.
    void setSizeGrip(bool grip);
    bool sizeGrip() const { return sizeGrip_; }
    // Keeps a child control (a progress bar) over a panel as the bar resizes.
    void placeInPanel(Control& child, int panel);

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void applyParts();
    void applyText(int panel);
    void placeChildren();
    std::vector<StatusPanel> panels_;
    std::vector<std::pair<Control*, int>> placed_;
    std::string simpleText_;
    bool simple_ = false;
    bool sizeGrip_ = false;
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
