#pragma once
// Tabbed pages: each page a panel shown while its tab is chosen; pages can be
// hidden, which takes their tab away.
#include <windows.h>
#include <commctrl.h>

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
    void setPageCaption(int index, const std::string& caption);
    const std::string& pageCaption(int index) const { return pages_.at(static_cast<size_t>(index)).caption; }
    // The page a tab shows (hidden pages have no tab); -1 for none.
    int pageOfTab(int tab) const;
    int tabOfPage(int page) const;
    // Extra tab-control styles (TCS_*); re-creates the window. A tab width
    // above 0 is the fixed width of every tab.
    void setTabStyles(DWORD styles, int tabWidth = 0);
    DWORD tabStyles() const { return tabStyles_; }
    // The image list of the tabs (not owned); imageOf picks each page's image.
    void setImages(HIMAGELIST images);
    HIMAGELIST images() const { return images_; }
    std::function<void(PageControl& sender)> onChange;
    // Set allow to false to keep the current page.
    std::function<void(PageControl& sender, bool& allow)> onChanging;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // After the tabs were made anew: their images, say.
    virtual void tabsRebuilt() {}

private:
    struct Page {
        std::string caption;
        std::unique_ptr<Panel> panel;
        bool visible = true;
    };
    void rebuildTabs();
    void layoutPages();

    std::vector<Page> pages_;
    int active_ = -1;
    DWORD tabStyles_ = 0;
    int tabWidth_ = 0;
    HIMAGELIST images_ = nullptr;
};

}  // namespace kv::ui
