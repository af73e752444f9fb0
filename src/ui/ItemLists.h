#pragma once
// Combo box and list box over a list of texts kept in the object.
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace kv::ui {

// What the two share: texts and the selected index, kept across re-creation.
class TextListControl : public Control {
public:
    void setItems(const std::vector<std::string>& items);
    const std::vector<std::string>& items() const { return items_; }
    void setItemIndex(int index);
    int itemIndex() const;

protected:
    struct Messages {
        UINT add, reset, setSelection, getSelection;
    };
    explicit TextListControl(Messages m) : messages_(m) {}
    void createWnd() override;
    void destroyWnd() override;

private:
    void fill();
    Messages messages_;
    std::vector<std::string> items_;
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
    std::function<void(ListBox& sender)> onClick;
    std::function<void(ListBox& sender)> onDblClickItem;

protected:
    void createParams(CreateArgs& args) override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
};

}  // namespace kv::ui
