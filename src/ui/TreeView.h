#pragma once
// A tree view that displays a node model it does not own: each tree item
// points at a model node, and texts, children and boldness come from callbacks
// when the control asks. Children are added when a node first expands.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/Control.h"

namespace kv::ui {

class TreeView : public Control {
public:
    using Node = void*;

    TreeView();

    // The model, asked as the control needs it.
    std::function<std::string(Node)> textOf;
    std::function<bool(Node)> hasChildren;
    std::function<std::vector<Node>(Node)> childrenOf;
    std::function<bool(Node)> isBold;
    // The image of the node, selected or not; -1 for none.
    std::function<int(Node, bool selected)> imageOf;

    // Events; the vetoes are set to false to refuse.
    std::function<void(TreeView& sender, Node node)> onChange;
    std::function<void(TreeView& sender, Node node, bool& allow)> onExpanding;
    std::function<void(TreeView& sender, Node node, bool& allow)> onCollapsing;
    // After a node expanded (true) or collapsed (false).
    std::function<void(TreeView& sender, Node node, bool expanded)> onExpanded;
    // The control dropped the node's item (removed, or the tree refilled).
    std::function<void(TreeView& sender, Node node)> onDeletion;
    std::function<void(TreeView& sender, Node node, bool& allow)> onEditing;
    std::function<void(TreeView& sender, Node node, std::string& text, bool& accept)> onEdited;
    std::function<void(TreeView& sender, Node node)> onStartDrag;

    // Top-level nodes; the tree is refilled from the model.
    void setRoots(const std::vector<Node>& roots);
    Node selected() const;
    void select(Node node);
    // Expands every ancestor path that is already filled, then the node itself.
    void expand(Node node);
    bool expanded(Node node) const;
    // Repaints the node's text and boldness from the model.
    void refresh(Node node);
    // Sorts the children of parent (null: the roots) by the comparer.
    void sortChildren(Node parent, const std::function<int(Node, Node)>& compare);
    void setStateImage(Node node, int index);
    HTREEITEM itemOf(Node node) const;

    // The normal and the state image lists; the caller keeps them alive.
    void setImageLists(HIMAGELIST normal, HIMAGELIST state);
    // The node at a client point; onItem tells whether the point is on its
    // label or image rather than beside it.
    Node hitTest(POINT point, bool* onItem = nullptr) const;
    // The node whose state image (its check box) is at a client point; null when none.
    Node stateIconAt(POINT point) const;
    // The client rectangle of the node's label (or of its whole row); empty
    // when the node has no item or it is not shown.
    RECT itemRect(Node node, bool labelOnly = true) const;
    // Starts editing the node's label.
    void editLabel(Node node);
    // Painting stops until the last endUpdate.
    void beginUpdate();
    void endUpdate();
    // A node the model added: it gets an item when its parent's children are
    // already shown (null parent: a root); else only the parent's button shows.
    void addNode(Node parent, Node node);
    // Drops the node's item and those below it.
    void removeNode(Node node);
    // Orders the shown children of parent (null: the roots) as childrenOf gives them.
    void arrangeChildren(Node parent);

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    HTREEITEM insert(HTREEITEM parent, Node node);
    void fill(HTREEITEM item, Node node);
    Node nodeOf(HTREEITEM item) const;

    std::vector<Node> roots_;
    std::unordered_map<Node, HTREEITEM> items_;
    std::string textBuffer_;
    int updates_ = 0;
};

}  // namespace kv::ui
