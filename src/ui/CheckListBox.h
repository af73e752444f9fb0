#pragma once
// A list box with a check box before each item: an owner-drawn list box whose
// items, check states and data are kept in the object. A click on the box or
// the space bar toggles the item's check.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Button.h"

namespace kv::ui {

class CheckListBox : public Control {
public:
    struct Item {
        std::string text;
        CheckState state = CheckState::Unchecked;
        std::intptr_t data = 0;
    };

    CheckListBox();

    void setItems(const std::vector<std::string>& texts);
    int add(const std::string& text, std::intptr_t data = 0);
    void clear();
    int count() const { return static_cast<int>(items_.size()); }
    const Item& item(int index) const { return items_.at(static_cast<size_t>(index)); }
    // Swaps two items with their states and data (moving columns up and down).
    void exchange(int a, int b);

    void setState(int index, CheckState state);
    CheckState state(int index) const { return item(index).state; }
    void setChecked(int index, bool checked);
    bool checked(int index) const { return state(index) == CheckState::Checked; }
    void setItemData(int index, std::intptr_t data) { items_.at(static_cast<size_t>(index)).data = data; }
    std::intptr_t itemData(int index) const { return item(index).data; }
    // With grayed allowed a toggle goes unchecked, grayed, checked.
    void setAllowGrayed(bool allow) { allowGrayed_ = allow; }

    void setItemIndex(int index);
    int itemIndex() const;

    // The user toggled the check of index.
    std::function<void(CheckListBox& sender, int index)> onClickCheck;
    // The selected item changed.
    std::function<void(CheckListBox& sender)> onClick;

    // The width of the check-box column at the left of each item.
    static constexpr int kCheckWidth = 18;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    void fill();
    void toggle(int index);
    void repaint(int index);
    void drawItem(const DRAWITEMSTRUCT& d);
    void updateItemHeight();

    std::vector<Item> items_;
    int index_ = -1;
    bool allowGrayed_ = false;
};

}  // namespace kv::ui
