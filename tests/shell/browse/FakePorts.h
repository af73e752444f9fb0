#pragma once
// Scripted views for the browsing logic: they record what they were told.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "shell/browse/BrowsePorts.h"

namespace kv::test {

class FakeTree : public BrowseTreePort {
public:
    Node* current = nullptr;
    std::vector<Node*> expanded;
    int focus = 0;
    // What the control does on a selection change (the main window's handler).
    std::function<void(Node*)> onSelect;

    Node* selected() override { return current; }
    void select(Node* node) override {
        if (node == current)
            return;
        current = node;
        if (onSelect)
            onSelect(node);
    }
    void expand(Node& node) override { expanded.push_back(&node); }
    void collapse(Node&) override {}
    int repaints = 0;
    void takeFocus() override { ++focus; }
    void repaint() override { ++repaints; }
    void editLabel(Node&) override {}
};

class FakeList : public ItemListPort {
public:
    int columnSet = -1;  // 1 disk list, 0 file list
    std::vector<int> layouts;
    std::size_t rows = 0;
    int rowCountCalls = 0;
    std::ptrdiff_t focused = -1;
    std::set<std::size_t> selected;
    int focus = 0;

    void setColumnSet(bool diskList) override { columnSet = diskList; }
    void applyLayout(bool diskList) override { layouts.push_back(diskList ? 0 : 1); }
    void autoSizeColumns() override {}
    void setRowCount(std::size_t count) override {
        rows = count;
        ++rowCountCalls;
        if (focused >= static_cast<std::ptrdiff_t>(count))
            focused = -1;
        std::erase_if(selected, [count](std::size_t r) { return r >= count; });
    }
    // As the control does: focus only takes the row's selection away.
    void focusRow(std::size_t row, bool focusOnly) override {
        focused = static_cast<std::ptrdiff_t>(row);
        if (focusOnly)
            selected.erase(row);
        else
            selected.insert(row);
    }
    void deselectAll() override {
        selected.clear();
        focused = -1;
    }
    void setRowSelected(std::size_t row, bool on) override {
        if (on)
            selected.insert(row);
        else
            selected.erase(row);
    }
    std::ptrdiff_t focusedRow() const override { return focused; }
    std::vector<std::size_t> selectedRows() const override { return {selected.begin(), selected.end()}; }
    int repaints = 0;
    void repaint() override { ++repaints; }
    void takeFocus() override { ++focus; }
    void editLabel(std::size_t) override {}
};

class FakeTimer : public RefillTimer {
public:
    unsigned interval = 0;
    bool on = false;
    void start(unsigned ms) override { interval = ms; on = true; }
    void stop() override { on = false; }
    bool running() const override { return on; }
};

class FakeStatus : public BrowseStatus {
public:
    std::vector<std::string> texts;
    int paintLocks = 0;
    void showStatus(std::string_view text, bool busy) override {
        if (busy)
            texts.emplace_back(text);
    }
    void processMessages() override {}
    void lockPainting(bool lock) override { paintLocks += lock ? 1 : -1; }
};

}  // namespace kv::test
