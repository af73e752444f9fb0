#pragma once
// The recently-used catalog list in a menu: one entry per file after a
// separator (or in a submenu), kept in a settings section as "F0".."Fn".
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/menus/MenuText.h"
#include "controls/menus/MruList.h"
#include "ui/Menu.h"

namespace kv {
class SectionStore;
}

namespace kv::ui {

class TMRUFileList {
public:
    static constexpr int kItemTag = -17714;

    // store and section: where the list is loaded from and saved to (AutoSave).
    TMRUFileList(SectionStore* store, std::string section, std::size_t maximum = 5);
    // Saves with AutoSave; a failing store is ignored.
    ~TMRUFileList();
    TMRUFileList(const TMRUFileList&) = delete;
    TMRUFileList& operator=(const TMRUFileList&) = delete;

    bool RemoveOnClick = true;
    bool AutoSave = true;
    std::string SubmenuName = "Reopen";
    // Width of a caption's text in the menu font; none: captions are not shortened.
    TextWidth measure;
    std::function<void(TMRUFileList& sender, const std::string& fileName)> OnMRUItemClick;
    std::function<void(TMRUFileList& sender, MenuItem& item)> OnCreateMenuItem;

    const MruList& list() const { return list_; }
    void setMaximum(std::size_t maximum);
    void setFileMenu(MenuItem* menu);
    MenuItem* fileMenu() const { return fileMenu_; }
    void setUseSubmenu(bool use);
    void setInsertSeparator(bool insert);
    void setMaxCaptionWidth(int width);

    void AddFile(std::size_t index, const std::string& fileName);
    void RemoveFile(const std::string& fileName);
    void RebuildMenu();
    void Load();
    bool Save() const;
    // As the entry numbered itemNumber (1-based) was clicked.
    void Click(std::size_t itemNumber);

private:
    MenuItem* container() const;

    SectionStore* store_;
    std::string section_;
    MruList list_;
    MenuItem* fileMenu_ = nullptr;
    bool useSubmenu_ = false;
    bool insertSeparator_ = true;
    int maxCaptionWidth_ = 200;
    std::vector<std::unique_ptr<MenuItem>> removed_;
    int clicking_ = 0;
};

}  // namespace kv::ui
