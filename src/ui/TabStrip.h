#pragma once
// A row of tabs with no pages of their own: the owner shows what the chosen
// tab stands for. Tabs and the chosen one are kept across re-creation.
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace kv::ui {

class TabStrip : public Control {
public:
    TabStrip();
    void setTabs(const std::vector<std::string>& tabs);
    const std::vector<std::string>& tabs() const { return tabs_; }
    void addTab(const std::string& caption);
    // -1: none chosen.
    int tabIndex() const;
    void setTabIndex(int index);
    // Several rows of tabs instead of scroll arrows (re-creates the window).
    void setMultiLine(bool multiLine);
    // The area inside the tabs' frame, in the control's client coordinates.
    RECT displayRect() const;

    // A user's choice only; allow false keeps the current tab.
    std::function<void(TabStrip& sender, bool& allow)> onChanging;
    std::function<void(TabStrip& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    void insertTab(int at);
    std::vector<std::string> tabs_;
    int index_ = -1;
    bool multiLine_ = false;
};

}  // namespace kv::ui
