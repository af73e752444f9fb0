#pragma once
// The catalog tree: every open catalog is a root with its disks and folders
// below. All structural changes go through the forest, which tells its observer
// (the main window's tree binding) and frees records when nodes go.
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "catalog/model/ModelContext.h"
#include "catalog/model/Node.h"

namespace kv {

// What changed on a node, for ForestObserver::changed.
enum NodeChange : unsigned {
    NodeText = 1,
    NodeImages = 2,
    NodeBold = 4,
    NodeHasChildren = 8,
};

class ForestObserver {
public:
    virtual ~ForestObserver() = default;
    // After a node was added.
    virtual void added(Node&) {}
    // Before a node and its subtree are removed; records still exist.
    virtual void removing(Node&) {}
    // After text, images, bold state or the has-children hint changed.
    virtual void changed(Node&, unsigned /* NodeChange bits */) {}
    // After a parent's children (nullptr: the roots) were re-ordered.
    virtual void reordered(Node*) {}
};

using NodeLess = std::function<bool(const Node&, const Node&)>;

class Forest {
public:
    Forest();
    ~Forest();
    Forest(const Forest&) = delete;
    Forest& operator=(const Forest&) = delete;

    ModelContext& context() { return context_; }
    const ModelContext& context() const { return context_; }
    void setObserver(ForestObserver* observer) { observer_ = observer; }

    std::span<const std::unique_ptr<Node>> roots() const { return roots_; }

    // A new last root (a catalog).
    Node& addRoot(std::string text);
    // A new last child of parent.
    Node& addChild(Node& parent, std::string text);
    // A node outside the tree (the list's ".." row): no parent, never a root.
    Node& makeDetached(std::string text);

    // Removes the node with its subtree: tells the observer, frees the records
    // bottom-up with their result-list entries, then destroys the nodes.
    void remove(Node& node);

    // Renaming drops the cached paths of the folders below.
    void setText(Node& node, std::string text);
    void setImages(Node& node, int image, int selectedImage);
    void setBold(Node& node, bool bold);
    void setChildrenHint(Node& node, bool hint);

    // Stable sort of the children of parent (nullptr: the roots).
    void sortChildren(Node* parent, const NodeLess& less);

private:
    Node& append(std::vector<std::unique_ptr<Node>>& nodes, Node* parent, std::string text);
    static void reindex(std::vector<std::unique_ptr<Node>>& nodes, std::size_t from);
    std::vector<std::unique_ptr<Node>>& siblingsOf(const Node& node);
    void notifyChanged(Node& node, unsigned what);

    ModelContext context_;
    ForestObserver* observer_ = nullptr;
    std::vector<std::unique_ptr<Node>> roots_;
    std::vector<std::unique_ptr<Node>> detached_;
};

}  // namespace kv
