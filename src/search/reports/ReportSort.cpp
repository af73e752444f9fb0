#include "search/reports/ReportSort.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <string>

#include "system/SystemCaseMap.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/Node.h"

namespace kv {

namespace {

int CompareNoCase(std::string_view a, std::string_view b) { return compareNoCase(a, b, systemCaseMap()); }

// Paths compared folder name by folder name, so a folder's subtree stays together.
int ComparePaths(std::string_view a, std::string_view b) {
    for (;;) {
        const std::size_t ea = a.find('\\');
        const std::size_t eb = b.find('\\');
        if (const int c = CompareNoCase(a.substr(0, ea), b.substr(0, eb)))
            return c;
        if (ea == std::string_view::npos || eb == std::string_view::npos)
            return ea == eb ? 0 : (ea == std::string_view::npos ? -1 : 1);
        a.remove_prefix(ea + 1);
        b.remove_prefix(eb + 1);
    }
}

struct RowKey {
    std::size_t catalogRank = 0;
    int kindClass = 0;  // catalog row, disk row, anything else
    std::size_t diskRank = 0;
    std::string path;
    int fileClass = 0;  // folder before file; an archive counts as a file
};

const Node* CatalogOf(const Node* node) {
    while (node && node->parent())
        node = node->parent();
    return node;
}

// Ranks of the nodes by (name, then tree position).
std::map<const Node*, std::size_t> Rank(std::vector<const Node*> nodes, const std::map<const Node*, std::size_t>* parents) {
    std::stable_sort(nodes.begin(), nodes.end(), [&](const Node* a, const Node* b) {
        if (parents) {
            const std::size_t pa = parents->at(a->parent()), pb = parents->at(b->parent());
            if (pa != pb)
                return pa < pb;
        }
        return CompareNoCase(a->text(), b->text()) < 0;
    });
    std::map<const Node*, std::size_t> rank;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        rank[nodes[i]] = i + 1;
    return rank;
}

const Node* DiskOf(const ItemHead& item) {
    if (item.kind() == ItemFlags::Disk)
        return item.node;
    return GetItemOwner(&item, OwnerQuery::DiskOfOwner);
}

}  // namespace

bool SortItemsBySource(std::vector<const ItemHead*>& rows, const std::atomic<bool>* cancel) {
    // Every catalog and disk the rows reach, in tree order.
    std::vector<const Node*> catalogs, disks;
    for (const ItemHead* item : rows) {
        const Node* disk = DiskOf(*item);
        const Node* catalog = item->kind() == ItemFlags::Catalog ? item->node : CatalogOf(disk);
        if (catalog && std::find(catalogs.begin(), catalogs.end(), catalog) == catalogs.end())
            catalogs.push_back(catalog);
        if (disk && disk->parent() && std::find(disks.begin(), disks.end(), disk) == disks.end())
            disks.push_back(disk);
    }
    auto byTree = [](const Node* a, const Node* b) { return a->index() < b->index(); };
    std::stable_sort(catalogs.begin(), catalogs.end(), byTree);
    std::stable_sort(disks.begin(), disks.end(), [](const Node* a, const Node* b) {
        return a->parent() != b->parent() ? a->parent()->index() < b->parent()->index() : a->index() < b->index();
    });
    std::map<const Node*, std::size_t> catalogRank = Rank(catalogs, nullptr);
    catalogRank[nullptr] = 0;
    const std::map<const Node*, std::size_t> diskRank = Rank(disks, &catalogRank);

    std::vector<RowKey> keys(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (cancel && cancel->load())
            return false;
        const ItemHead& item = *rows[i];
        RowKey& k = keys[i];
        const Node* disk = DiskOf(item);
        if (item.kind() == ItemFlags::Catalog) {
            k.catalogRank = catalogRank.at(item.node);
            continue;
        }
        k.catalogRank = catalogRank.at(CatalogOf(disk));
        const auto d = disk ? diskRank.find(disk) : diskRank.end();
        k.diskRank = d != diskRank.end() ? d->second : 0;
        k.kindClass = item.kind() == ItemFlags::Disk ? 1 : 2;
        if (k.kindClass == 2) {
            // A folder sorts into the group of the folder holding it, so every
            // group is contiguous and no row lands under another's heading.
            k.path = GetItemPath(&item, false, false);
            k.fileClass = item.kind() == ItemFlags::File || HasFlag(item.flags, ItemFlags::Archive) ? 1 : 0;
        }
    }
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const RowKey& x = keys[a];
        const RowKey& y = keys[b];
        if (x.catalogRank != y.catalogRank)
            return x.catalogRank < y.catalogRank;
        if (x.kindClass != y.kindClass)
            return x.kindClass < y.kindClass;
        if (x.diskRank != y.diskRank)
            return x.diskRank < y.diskRank;
        if (const int c = ComparePaths(x.path, y.path))
            return c < 0;
        return x.fileClass < y.fileClass;
    });
    if (cancel && cancel->load())
        return false;
    std::vector<const ItemHead*> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : order)
        sorted.push_back(rows[i]);
    rows = std::move(sorted);
    return true;
}

}  // namespace kv
