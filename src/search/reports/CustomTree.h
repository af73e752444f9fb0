#pragma once
// The generator's custom selection: a tree over the catalog tree that the
// generator's tree view only displays. Each node says whether the files under
// it are reported (StateIndex -1 no box, 1 excluded, 2 included) and whether it
// is expanded; children are made on first expansion. Collected file lists stay
// pinned while the tree lives, so nothing unloads records the report holds.
#include <functional>
#include <memory>
#include <vector>

#include "catalog/model/FileList.h"
#include "catalog/model/ItemHead.h"

namespace kv {

class Forest;
class Node;

inline constexpr int kNoBox = -1;
inline constexpr int kFilesExcluded = 1;
inline constexpr int kFilesIncluded = 2;
// The depth of "All levels".
inline constexpr int kAllLevels = 65535;

struct CustomTreeNode {
    Node* source = nullptr;
    CustomTreeNode* parent = nullptr;
    int StateIndex = kNoBox;
    bool expanded = false;
    bool childrenMade = false;
    std::vector<std::unique_ptr<CustomTreeNode>> children;
    // 0 for catalogs, 1 for disks, 2 and more for folders.
    int level() const;
    // Has children, made or still to make.
    bool hasChildren() const;
};

// Reading folders and file lists from the catalog files; tests may count.
struct CatalogLoaders {
    std::function<void(Node*)> loadSubfolders;
    std::function<void(Node*)> loadFileList;
};
CatalogLoaders DefaultCatalogLoaders();

class CustomTree {
public:
    explicit CustomTree(CatalogLoaders loaders = DefaultCatalogLoaders());
    CustomTree(const CustomTree&) = delete;
    CustomTree& operator=(const CustomTree&) = delete;

    // A node per catalog with its disks; the catalogs expanded.
    void BuildReportTree(const Forest& forest);
    // A catalog only (catreport, or a forest with one catalog of interest).
    CustomTreeNode& AddCatalog(Node& catalog);
    const std::vector<std::unique_ptr<CustomTreeNode>>& roots() const { return roots_; }

    void MakeChildren(CustomTreeNode& node);
    void Expand(CustomTreeNode& node);
    // Collapses the node and everything below it.
    void CollapseAll(CustomTreeNode& node);
    // The state box: 2 becomes 1, anything else 2; a node without a box keeps none.
    void Toggle(CustomTreeNode& node);
    // "Expand from selected the next d levels".
    void ExpandLevels(CustomTreeNode& node, int depth);
    // "Include/Exclude files from selected in next d levels".
    void SetFilesState(CustomTreeNode& node, bool include, int depth);

    // Nodes in the order a tree view shows them (expanded parents only).
    std::vector<CustomTreeNode*> VisibleNodes(CustomTreeNode* under = nullptr) const;
    // The rows of the custom report: every visible node but the catalogs, and
    // the files (and archives of collapsed nodes) of ticked nodes; only those
    // of one node's subtree when it is given. step runs between nodes (pending
    // messages; it cancels by throwing).
    std::vector<const ItemHead*> CollectCustomReportItems(CustomTreeNode* under = nullptr,
                                                          const std::function<void()>& step = {});

    // The node of a catalog-tree node, made visible on the way; nullptr when none.
    CustomTreeNode* Find(const Node* target);

private:
    std::unique_ptr<CustomTreeNode> AddReportTreeNode(CustomTreeNode* parent, Node& source);

    CatalogLoaders loaders_;
    std::vector<std::unique_ptr<CustomTreeNode>> roots_;
    std::vector<FileListPin> pins_;
};

}  // namespace kv
