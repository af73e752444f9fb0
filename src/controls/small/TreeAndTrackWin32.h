#pragma once
// The tree view with bold nodes, text sorting and drag auto-scroll, and the
// track bar with a selection range.
#include "ui/RangeControls.h"
#include "ui/TreeView.h"

namespace kv::ui {

enum class TSortType { stNone, stData, stText, stBoth };

class THETreeView : public TreeView {
public:
    THETreeView();
    void SetNodeBold(Node node, bool bold);
    bool NodeBold(Node node) const;
    TSortType SortType() const { return sortType_; }
    // stText and stBoth sort every filled level at once.
    void SetSortType(TSortType type);
    bool AutoScroll = false;

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void sortLevel(Node parent);
    TSortType sortType_ = TSortType::stNone;
};

class TrhTrackBar : public TrackBar {
public:
    bool EnableRange() const { return enableRange_; }
    // Re-creates the window with or without the selection range.
    void SetEnableRange(bool enable);
    void SetSelection(int start, int end);

private:
    bool enableRange_ = false;
    int start_ = 0, end_ = 0;
};

}  // namespace kv::ui
