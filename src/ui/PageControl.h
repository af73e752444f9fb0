#pragma once
// Tabbed pages: each page a panel shown while its tab is chosen; pages can be
// hidden, which takes their tab away.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Panel.h"

namespace kv::ui {

class PageControl : public Control {
public:
    PageControl();
    Panel& addPage(const std::string& caption);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    Panel& page(int index) { return *pages_.at(static_cast<size_t>(index)).panel; }
    void setPageVisible(int index, bool visible);
    // The chosen page, by page index (not tab position); -1 for none.
    int activePage() const { return active_; }
    void setActivePage(int index);
    std::function<void(PageControl& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct Page {
        std::string caption;
        std::unique_ptr<Panel> panel;
        bool visible = true;
    };
    void rebuildTabs();
    void layoutPages();
    int tabOfPage(int page) const;
    int pageOfTab(int tab) const;

    std::vector<Page> pages_;
    int active_ = -1;
};

}  // namespace kv::ui
