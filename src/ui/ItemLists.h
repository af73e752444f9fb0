#pragma once
// Combo box and list box over a list of texts kept in the object, each text
// with a value of the caller's (an index, a code, a pointer); kept in order
// or sorted case-insensitively.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace kv::ui {

// What the two share: texts and the selected index, kept across re-creation.
class TextListControl : public Control {
public:
    using ItemObject = std::intptr_t;

    // The items' values become 0.
    void setItems(const std::vector<std::string>& items);
    const std::vector<std::string>& items() const { return items_; }
    int count() const { return static_cast<int>(items_.size()); }
    void setItemIndex(int index);
    int itemIndex() const;

    // Adds at the end, or at its sorted place (after equal texts); returns the index.
    int addItem(const std::string& text, ItemObject object = 0);
    // std::logic_error in a sorted list, whose order is its own.
    void insertItem(int index, const std::string& text, ItemObject object = 0);
    void setItemText(int index, const std::string& text);
    void deleteItem(int index);
    void clear() { setItems({}); }
    ItemObject object(int index) const { return objects_.at(static_cast<size_t>(index)); }
    void setObject(int index, ItemObject object) { objects_.at(static_cast<size_t>(index)) = object; }
    // Case-insensitive; -1 when absent.
    int indexOf(const std::string& text) const;
    int indexOfObject(ItemObject object) const;
    // Sorting puts the present items in order too.
    void setSorted(bool sorted);
    bool sorted() const { return sorted_; }

protected:
    struct Messages {
        UINT add, reset, setSelection, getSelection, insert, remove;
    };
    explicit TextListControl(Messages m) : messages_(m) {}
    void createWnd() override;
    void destroyWnd() override;
    Messages messages_;

private:
    void fill();
    void checkIndex(int index) const;
    std::vector<std::string> items_;
    std::vector<ItemObject> objects_;
    bool sorted_ = false;
    int index_ = -1;
};

class ComboBox : public TextListControl {
public:
    explicit ComboBox(bool dropDownList = true);
    std::function<void(ComboBox& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool list_;
};

class ListBox : public TextListControl {
public:
    ListBox();
    // Several items selected with Shift and Ctrl; itemIndex is then the focused item.
    void setMultiSelect(bool multiSelect);
    bool multiSelect() const { return multiSelect_; }
    bool selected(int index) const;
    void setSelected(int index, bool selected);
    int selCount() const;
    std::function<void(ListBox& sender)> onClick;
    std::function<void(ListBox& sender)> onDblClickItem;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool multiSelect_ = false;
    // The selection while there is no window.
    std::vector<bool> selection_;
};

}  // namespace kv::ui
