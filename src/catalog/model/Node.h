#pragma once
// A node of the catalog tree: a catalog, disk or folder with its record. The
// forest owns the nodes and makes every structural change; views display them.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "catalog/model/ItemRecords.h"

namespace kv {

class Forest;

class Node {
public:
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node();

    // The name of the catalog, disk or folder (ANSI bytes).
    const std::string& text() const { return text_; }
    // nullptr for catalogs and detached nodes.
    Node* parent() const { return parent_; }
    std::span<const std::unique_ptr<Node>> children() const { return children_; }
    Node* child(std::size_t i) const { return i < children_.size() ? children_[i].get() : nullptr; }
    // Position among the parent's children (or the forest's roots).
    std::size_t index() const { return index_; }
    Node* nextSibling() const;
    // 0 for catalogs and detached nodes, 1 for disks, 2 and more for folders.
    int level() const;
    Forest& forest() const { return *forest_; }
    bool isDetached() const { return detached_; }

    ItemRecord* record() const { return record_.get(); }
    // Moves the record out (its address stays); its node pointers are cleared.
    std::unique_ptr<ItemRecord> takeRecord();
    // Hangs a record on the node, pointing it and its file records here; a
    // folder record also learns its disk node. Returns the record it replaced.
    [[nodiscard]] std::unique_ptr<ItemRecord> setRecord(std::unique_ptr<ItemRecord> rec);

    // Real children, or stored subfolders not read yet.
    bool hasChildren() const { return !children_.empty() || childrenHint_; }
    bool childrenHint() const { return childrenHint_; }
    int image() const { return image_; }
    int selectedImage() const { return selectedImage_; }
    bool bold() const { return bold_; }

    // The view's own handle for the node (opaque here).
    void* viewData() const { return viewData_; }
    void setViewData(void* data) { viewData_ = data; }

private:
    friend class Forest;
    Node(Forest& forest, Node* parent, std::string text);

    Forest* forest_;
    Node* parent_;
    std::string text_;
    std::vector<std::unique_ptr<Node>> children_;
    std::unique_ptr<ItemRecord> record_;
    void* viewData_ = nullptr;
    std::uint32_t index_ = 0;
    int image_ = -1;
    int selectedImage_ = -1;
    bool childrenHint_ = false;
    bool bold_ = false;
    bool detached_ = false;
};

// The nearest node at or above `node` whose record is of kind T; nullptr when none.
template <class T>
Node* FindAncestor(Node* node) {
    for (; node; node = node->parent()) {
        if (RecordAs<T>(node->record()))
            return node;
    }
    return nullptr;
}

}  // namespace kv
