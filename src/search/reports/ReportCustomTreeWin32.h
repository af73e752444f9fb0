#pragma once
// The generator's custom tree on screen: a tree view with bold nodes and
// check-box state images that displays the custom tree model. Children get
// their items on first expansion; a click on a box or Space toggles it.
#include <windows.h>

#include <functional>

#include "controls/small/TreeAndTrackWin32.h"
#include "search/reports/CustomTree.h"

namespace kv {

class ReportCustomTreeWin32 {
public:
    explicit ReportCustomTreeWin32(CustomTree& model);
    ReportCustomTreeWin32(const ReportCustomTreeWin32&) = delete;
    ReportCustomTreeWin32& operator=(const ReportCustomTreeWin32&) = delete;

    void Create(ui::Control& parent, HIMAGELIST smallImages, HIMAGELIST checkImages);
    ui::THETreeView& View() { return view_; }

    // The node's pictures in the main tree; none: no pictures.
    std::function<int(const Node*, bool selected)> nodeImage;
    // A node could not be read from its catalog file.
    std::function<void(const std::exception&)> onError;

    // Shows the model after it changed: the items of its visible nodes, their
    // expansion and their boxes.
    void ShowModel();
    CustomTreeNode* Selected() const;
    void Select(CustomTreeNode* node);
    void MakeVisible(CustomTreeNode* node);
    void ToggleNode(CustomTreeNode& node);

private:
    void ShowNode(CustomTreeNode& node);
    void ShowState(CustomTreeNode& node);

    CustomTree& model_;
    ui::THETreeView view_;
};

}  // namespace kv
