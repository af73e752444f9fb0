#include "catalog/model/Forest.h"

#include <algorithm>

#include "catalog/model/FreeRecords.h"
#include "catalog/model/ResultLists.h"

namespace kv {

namespace {
void FreeSubtree(Node& node) {
    for (const auto& child : node.children())
        FreeSubtree(*child);
    FreeNodeData(node, true, false);
}

void DropPathCaches(const Node& node) {
    if (auto* folder = RecordAs<TFolderRec>(node.record()))
        folder->pathCache.clear();
    for (const auto& child : node.children())
        DropPathCaches(*child);
}
}  // namespace

void Forest::reindex(std::vector<std::unique_ptr<Node>>& nodes, std::size_t from) {
    for (std::size_t i = from; i < nodes.size(); ++i)
        nodes[i]->index_ = static_cast<std::uint32_t>(i);
}

Forest::Forest() = default;

Forest::~Forest() = default;

Node& Forest::append(std::vector<std::unique_ptr<Node>>& nodes, Node* parent, std::string text) {
    nodes.push_back(std::unique_ptr<Node>(new Node(*this, parent, std::move(text))));
    Node& node = *nodes.back();
    node.index_ = static_cast<std::uint32_t>(nodes.size() - 1);
    return node;
}

Node& Forest::addRoot(std::string text) {
    Node& node = append(roots_, nullptr, std::move(text));
    if (observer_)
        observer_->added(node);
    return node;
}

Node& Forest::addChild(Node& parent, std::string text) {
    Node& node = append(parent.children_, &parent, std::move(text));
    if (observer_)
        observer_->added(node);
    return node;
}

Node& Forest::makeDetached(std::string text) {
    Node& node = append(detached_, nullptr, std::move(text));
    node.detached_ = true;
    return node;
}

std::vector<std::unique_ptr<Node>>& Forest::siblingsOf(const Node& node) {
    if (node.detached_)
        return detached_;
    return node.parent_ ? node.parent_->children_ : roots_;
}

void Forest::remove(Node& node) {
    if (observer_ && !node.detached_)
        observer_->removing(node);
    {
        ResultListBatch batch(context_);
        FreeSubtree(node);
    }
    auto& siblings = siblingsOf(node);
    const std::size_t at = node.index_;
    std::unique_ptr<Node> doomed = std::move(siblings[at]);
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(at));
    reindex(siblings, at);
}

void Forest::setText(Node& node, std::string text) {
    if (node.text_ == text)
        return;
    node.text_ = std::move(text);
    DropPathCaches(node);
    notifyChanged(node, NodeText);
}

void Forest::setImages(Node& node, int image, int selectedImage) {
    if (node.image_ == image && node.selectedImage_ == selectedImage)
        return;
    node.image_ = image;
    node.selectedImage_ = selectedImage;
    notifyChanged(node, NodeImages);
}

void Forest::setBold(Node& node, bool bold) {
    if (node.bold_ == bold)
        return;
    node.bold_ = bold;
    notifyChanged(node, NodeBold);
}

void Forest::setChildrenHint(Node& node, bool hint) {
    if (node.childrenHint_ == hint)
        return;
    node.childrenHint_ = hint;
    notifyChanged(node, NodeHasChildren);
}

void Forest::sortChildren(Node* parent, const NodeLess& less) {
    auto& nodes = parent ? parent->children_ : roots_;
    std::stable_sort(nodes.begin(), nodes.end(),
                     [&](const std::unique_ptr<Node>& a, const std::unique_ptr<Node>& b) { return less(*a, *b); });
    reindex(nodes, 0);
    if (observer_)
        observer_->reordered(parent);
}

void Forest::notifyChanged(Node& node, unsigned what) {
    if (observer_ && !node.detached_)
        observer_->changed(node, what);
}

}  // namespace kv
