#include "search/reports/ReportCustomTreeWin32.h"

#include <commctrl.h>

#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"

namespace kv {

namespace {

CustomTreeNode* NodeOf(ui::TreeView::Node n) { return static_cast<CustomTreeNode*>(n); }

}  // namespace

ReportCustomTreeWin32::ReportCustomTreeWin32(CustomTree& model) : model_(model) {
    view_.textOf = [](ui::TreeView::Node n) { return NodeOf(n)->source->text(); };
    view_.hasChildren = [](ui::TreeView::Node n) { return NodeOf(n)->hasChildren(); };
    view_.childrenOf = [this](ui::TreeView::Node n) {
        std::vector<ui::TreeView::Node> children;
        try {
            model_.MakeChildren(*NodeOf(n));
        } catch (const std::exception& e) {
            if (onError)
                onError(e);
        }
        for (const auto& child : NodeOf(n)->children)
            children.push_back(child.get());
        return children;
    };
    view_.isBold = [](ui::TreeView::Node n) {
        const Node* source = NodeOf(n)->source;
        return source->bold() || RecordAs<TCatalogRec>(source->record()) != nullptr;
    };
    view_.imageOf = [this](ui::TreeView::Node n, bool selected) {
        return nodeImage ? nodeImage(NodeOf(n)->source, selected) : -1;
    };
    // The names are the catalog's; they are not renamed here.
    view_.onEditing = [](ui::TreeView&, ui::TreeView::Node, bool& allow) { allow = false; };
    view_.onExpanded = [this](ui::TreeView&, ui::TreeView::Node n, bool expanded) {
        CustomTreeNode* node = NodeOf(n);
        node->expanded = expanded;
        // The items made by this expansion show their boxes.
        if (expanded)
            for (const auto& child : node->children)
                ShowState(*child);
    };
    view_.onMouseDown = [this](ui::Control&, ui::MouseButton button, UINT, int x, int y) {
        if (button != ui::MouseButton::Left)
            return;
        if (CustomTreeNode* node = NodeOf(view_.stateIconAt({x, y})))
            ToggleNode(*node);
    };
    view_.onKeyDown = [this](ui::Control&, WORD& key, UINT) {
        CustomTreeNode* node = Selected();
        if (key == VK_SPACE && node && node->StateIndex >= 0) {
            ToggleNode(*node);
            key = 0;
        }
    };
}

void ReportCustomTreeWin32::Create(ui::Control& parent, HIMAGELIST smallImages, HIMAGELIST checkImages) {
    view_.create(&parent);
    view_.setImageLists(smallImages, checkImages);
    std::vector<ui::TreeView::Node> roots;
    for (const auto& root : model_.roots())
        roots.push_back(root.get());
    view_.setRoots(roots);
    ShowModel();
}

void ReportCustomTreeWin32::ShowState(CustomTreeNode& node) {
    view_.setStateImage(&node, node.StateIndex < 0 ? 0 : node.StateIndex);
}

void ReportCustomTreeWin32::ShowNode(CustomTreeNode& node) {
    ShowState(node);
    HTREEITEM item = view_.itemOf(&node);
    if (!item)
        return;
    if (node.expanded) {
        if (!view_.expanded(&node))
            view_.expand(&node);
        for (const auto& child : node.children)
            ShowNode(*child);
    } else if (view_.expanded(&node)) {
        SendMessageA(view_.hwnd(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
    }
}

void ReportCustomTreeWin32::ShowModel() {
    if (!view_.hwnd())
        return;
    view_.beginUpdate();
    for (const auto& root : model_.roots())
        ShowNode(*root);
    view_.endUpdate();
}

CustomTreeNode* ReportCustomTreeWin32::Selected() const { return NodeOf(view_.selected()); }

void ReportCustomTreeWin32::Select(CustomTreeNode* node) { view_.select(node); }

void ReportCustomTreeWin32::MakeVisible(CustomTreeNode* node) {
    if (HTREEITEM item = view_.itemOf(node))
        SendMessageA(view_.hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

void ReportCustomTreeWin32::ToggleNode(CustomTreeNode& node) {
    model_.Toggle(node);
    ShowState(node);
}

}  // namespace kv
