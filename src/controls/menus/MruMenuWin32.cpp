#include "controls/menus/MruMenuWin32.h"

#include "system/settings/SectionStore.h"

namespace kv::ui {

TMRUFileList::TMRUFileList(SectionStore* store, std::string section, std::size_t maximum)
    : store_(store), section_(std::move(section)), list_(maximum) {}

TMRUFileList::~TMRUFileList() {
    if (AutoSave)
        Save();
}

void TMRUFileList::setMaximum(std::size_t maximum) {
    list_.setMaximum(maximum);
    RebuildMenu();
}

void TMRUFileList::setFileMenu(MenuItem* menu) {
    if (menu == fileMenu_)
        return;
    // Clear the old menu's entries by rebuilding it with nothing listed.
    MruList kept = list_;
    list_ = MruList(kept.maximum());
    RebuildMenu();
    list_ = std::move(kept);
    fileMenu_ = menu;
    RebuildMenu();
}

void TMRUFileList::setUseSubmenu(bool use) {
    useSubmenu_ = use;
    RebuildMenu();
}

void TMRUFileList::setInsertSeparator(bool insert) {
    insertSeparator_ = insert;
    RebuildMenu();
}

void TMRUFileList::setMaxCaptionWidth(int width) {
    if (width == maxCaptionWidth_)
        return;
    maxCaptionWidth_ = width;
    RebuildMenu();
}

void TMRUFileList::AddFile(std::size_t index, const std::string& fileName) {
    list_.addFile(index, fileName);
    RebuildMenu();
}

void TMRUFileList::RemoveFile(const std::string& fileName) {
    if (list_.removeFile(fileName))
        RebuildMenu();
}

MenuItem* TMRUFileList::container() const {
    if (!fileMenu_)
        return nullptr;
    return fileMenu_->Count() > 0 ? fileMenu_ : fileMenu_->Parent();
}

void TMRUFileList::RebuildMenu() {
    MenuItem* into = container();
    if (!into)
        return;
    for (int i = into->Count() - 1; i >= 0; --i) {
        // The entry being clicked may be among them: it lives until the click returns.
        if (into->Items(i).Tag == kItemTag)
            removed_.push_back(into->Remove(into->Items(i)));
    }
    if (clicking_ == 0)
        removed_.clear();
    if (list_.count() == 0)
        return;
    int position = into == fileMenu_ ? into->Count() : fileMenu_->MenuIndex();
    auto insert = [&](std::unique_ptr<MenuItem> item) -> MenuItem& {
        item->Tag = kItemTag;
        return into->Insert(position++, std::move(item));
    };
    if (insertSeparator_)
        insert(std::make_unique<MenuItem>("-"));
    if (useSubmenu_) {
        into = &insert(std::make_unique<MenuItem>(SubmenuName));
        position = 0;
    }
    TextWidth width = measure ? measure : TextWidth([](std::string_view) { return 0; });
    const int maxWidth = measure ? maxCaptionWidth_ : 0;
    for (std::size_t i = 0; i < list_.count(); ++i) {
        const std::size_t number = i + 1;
        auto item = std::make_unique<MenuItem>(MruCaption(number, list_.files()[i], maxWidth, width),
                                               [this, number](MenuItem&) { Click(number); });
        item->Hint = list_.files()[i];
        MenuItem& added = insert(std::move(item));
        if (OnCreateMenuItem)
            OnCreateMenuItem(*this, added);
    }
}

void TMRUFileList::Click(std::size_t itemNumber) {
    ++clicking_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{clicking_};
    std::optional<std::string> name = list_.fileAt(itemNumber);
    if (!name || !OnMRUItemClick)
        return;
    if (RemoveOnClick) {
        list_.removeFile(*name);
        RebuildMenu();
    }
    OnMRUItemClick(*this, *name);
}

void TMRUFileList::Load() {
    if (!store_ || section_.empty())
        return;
    list_.load(*store_, section_);
    RebuildMenu();
}

bool TMRUFileList::Save() const {
    if (!store_ || section_.empty())
        return true;
    return list_.save(*store_, section_);
}

}  // namespace kv::ui
