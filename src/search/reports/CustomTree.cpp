#include "search/reports/CustomTree.h"

#include <functional>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/Forest.h"
#include "catalog/model/Node.h"

namespace kv {

namespace {

bool IsArchive(const Node& node) {
    return node.record() && HasFlag(node.record()->flags, ItemFlags::Archive);
}

bool HasFiles(const ItemHead* rec) {
    if (const auto* folder = RecordAs<TFolderRec>(rec))
        return folder->stored.fileCount > 0 || !folder->files.empty();
    if (const auto* disk = RecordAs<TDiskRec>(rec))
        return disk->header.rootFileCount >= 1 || !disk->files.empty();
    return false;
}


}  // namespace

int CustomTreeNode::level() const {
    int n = 0;
    for (const CustomTreeNode* p = parent; p; p = p->parent)
        ++n;
    return n;
}

bool CustomTreeNode::hasChildren() const { return childrenMade ? !children.empty() : source->hasChildren(); }

CatalogLoaders DefaultCatalogLoaders() {
    return {[](Node* n) { LoadSubfolders(n); }, [](Node* n) { LoadFileList(n); }};
}

CustomTree::CustomTree(CatalogLoaders loaders) : loaders_(std::move(loaders)) {}

std::unique_ptr<CustomTreeNode> CustomTree::AddReportTreeNode(CustomTreeNode* parent, Node& source) {
    auto node = std::make_unique<CustomTreeNode>();
    node->source = &source;
    node->parent = parent;
    ItemRecord* rec = source.record();
    if (parent && HasFiles(rec)) {
        node->StateIndex = kFilesIncluded;
        return node;
    }
    if (RecordAs<FileOwnerRecord>(rec) && loaders_.loadSubfolders)
        loaders_.loadSubfolders(&source);
    for (const auto& child : source.children()) {
        if (IsArchive(*child)) {
            node->StateIndex = kFilesIncluded;
            break;
        }
    }
    return node;
}

CustomTreeNode& CustomTree::AddCatalog(Node& catalog) {
    roots_.push_back(AddReportTreeNode(nullptr, catalog));
    CustomTreeNode& root = *roots_.back();
    MakeChildren(root);
    root.expanded = true;
    return root;
}

void CustomTree::BuildReportTree(const Forest& forest) {
    for (const auto& catalog : forest.roots())
        AddCatalog(*catalog);
}

void CustomTree::MakeChildren(CustomTreeNode& node) {
    if (node.childrenMade)
        return;
    node.childrenMade = true;
    if (RecordAs<FileOwnerRecord>(node.source->record()) && loaders_.loadSubfolders)
        loaders_.loadSubfolders(node.source);
    for (const auto& child : node.source->children())
        node.children.push_back(AddReportTreeNode(&node, *child));
}

void CustomTree::Expand(CustomTreeNode& node) {
    MakeChildren(node);
    node.expanded = true;
}

void CustomTree::CollapseAll(CustomTreeNode& node) {
    node.expanded = false;
    for (auto& child : node.children)
        CollapseAll(*child);
}

void CustomTree::Toggle(CustomTreeNode& node) {
    if (node.StateIndex < 0)
        return;
    node.StateIndex = node.StateIndex == kFilesIncluded ? kFilesExcluded : kFilesIncluded;
}

void CustomTree::ExpandLevels(CustomTreeNode& node, int depth) {
    std::function<void(CustomTreeNode&, int)> expand = [&](CustomTreeNode& n, int level) {
        Expand(n);
        for (auto& child : n.children) {
            if (level + 1 < depth)
                expand(*child, level + 1);
            else
                child->expanded = false;
        }
    };
    expand(node, 0);
}

void CustomTree::SetFilesState(CustomTreeNode& node, bool include, int depth) {
    const int state = include ? kFilesIncluded : kFilesExcluded;
    std::function<void(CustomTreeNode&, int)> visit = [&](CustomTreeNode& n, int level) {
        n.StateIndex = state;
        if (level >= depth)
            return;
        MakeChildren(n);
        for (auto& child : n.children)
            visit(*child, level + 1);
    };
    visit(node, 0);
}

std::vector<CustomTreeNode*> CustomTree::VisibleNodes(CustomTreeNode* under) const {
    std::vector<CustomTreeNode*> out;
    std::function<void(CustomTreeNode&)> add = [&](CustomTreeNode& n) {
        out.push_back(&n);
        if (n.expanded)
            for (auto& child : n.children)
                add(*child);
    };
    if (under) {
        add(*under);
        return out;
    }
    for (const auto& root : roots_)
        add(*root);
    return out;
}

std::vector<const ItemHead*> CustomTree::CollectCustomReportItems(CustomTreeNode* under,
                                                              const std::function<void()>& step) {
    std::vector<const ItemHead*> items;
    std::vector<FileListPin> pins;
    for (CustomTreeNode* node : VisibleNodes(under)) {
        if (step)
            step();
        ItemRecord* rec = node->source->record();
        if (!node->parent || !rec)
            continue;
        items.push_back(rec);
        auto* owner = RecordAs<FileOwnerRecord>(rec);
        if (node->StateIndex != kFilesIncluded || !owner)
            continue;
        if (!node->expanded) {
            if (loaders_.loadSubfolders)
                loaders_.loadSubfolders(node->source);
            for (const auto& child : node->source->children())
                if (IsArchive(*child) && child->record())
                    items.push_back(child->record());
        }
        if (loaders_.loadFileList)
            loaders_.loadFileList(node->source);
        pins.emplace_back(owner->files);
        for (TFileRec& file : owner->files)
            items.push_back(&file);
    }
    pins_ = std::move(pins);
    return items;
}

CustomTreeNode* CustomTree::Find(const Node* target) {
    if (!target)
        return nullptr;
    std::vector<const Node*> chain;
    for (const Node* n = target; n; n = n->parent())
        chain.insert(chain.begin(), n);
    CustomTreeNode* at = nullptr;
    for (const auto& root : roots_)
        if (root->source == chain.front())
            at = root.get();
    for (std::size_t i = 1; at && i < chain.size(); ++i) {
        Expand(*at);
        CustomTreeNode* next = nullptr;
        for (auto& child : at->children)
            if (child->source == chain[i])
                next = child.get();
        at = next;
    }
    return at;
}

}  // namespace kv
