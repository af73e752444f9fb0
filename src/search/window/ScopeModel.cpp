#include "search/window/ScopeModel.h"

#include <algorithm>

namespace kv {

void ScopeModel::SetScopeFlag(Node* node, bool in) {
    if (!writeFlags_)
        return;
    if (ItemRecord* rec = node->record())
        SetFlag(rec->flags, ItemFlags::InSearchScope, in);
}

void ScopeModel::BuildOwn(const Forest& forest, const Node* chosen) {
    writeFlags_ = false;
    catalogs_.clear();
    for (const auto& root : forest.roots()) {
        Catalog catalog;
        catalog.node = root.get();
        for (const auto& child : root->children())
            if (RecordAs<TDiskRec>(child->record()))
                catalog.disks.push_back(
                    {child.get(), root.get() == chosen ? ScopeState::Checked : ScopeState::Unchecked});
        if (catalog.disks.empty())
            continue;
        Recompute(catalog);
        catalogs_.push_back(std::move(catalog));
    }
}

std::vector<Node*> ScopeModel::CheckedNodes() const {
    std::vector<Node*> nodes;
    for (const Catalog& c : catalogs_) {
        if (c.state == ScopeState::Checked) {
            nodes.push_back(c.node);
            continue;
        }
        for (const Disk& d : c.disks)
            if (d.state == ScopeState::Checked)
                nodes.push_back(d.node);
    }
    return nodes;
}

void ScopeModel::Build(const Forest& forest) {
    writeFlags_ = true;
    catalogs_.clear();
    for (const auto& root : forest.roots()) {
        Catalog catalog;
        catalog.node = root.get();
        for (const auto& child : root->children()) {
            const ItemRecord* rec = child->record();
            if (!RecordAs<TDiskRec>(rec))
                continue;
            const bool in = HasFlag(rec->flags, ItemFlags::InSearchScope);
            catalog.disks.push_back({child.get(), in ? ScopeState::Checked : ScopeState::Unchecked});
        }
        if (catalog.disks.empty())
            continue;
        Recompute(catalog);
        catalogs_.push_back(std::move(catalog));
    }
}

void ScopeModel::Recompute(Catalog& catalog) {
    const auto in = std::count_if(catalog.disks.begin(), catalog.disks.end(),
                                  [](const Disk& d) { return d.state == ScopeState::Checked; });
    catalog.state = in == 0                                               ? ScopeState::Unchecked
                    : in == static_cast<std::ptrdiff_t>(catalog.disks.size()) ? ScopeState::Checked
                                                                          : ScopeState::Partly;
    SetScopeFlag(catalog.node, catalog.state == ScopeState::Checked);
}

void ScopeModel::SetCatalog(Catalog& catalog, bool in) {
    for (Disk& d : catalog.disks) {
        d.state = in ? ScopeState::Checked : ScopeState::Unchecked;
        SetScopeFlag(d.node, in);
    }
    Recompute(catalog);
}

void ScopeModel::ToggleCatalog(std::size_t catalog) {
    if (catalog >= catalogs_.size())
        return;
    Catalog& c = catalogs_[catalog];
    SetCatalog(c, c.state != ScopeState::Checked);
}

void ScopeModel::ToggleDisk(std::size_t catalog, std::size_t disk) {
    if (catalog >= catalogs_.size() || disk >= catalogs_[catalog].disks.size())
        return;
    Catalog& c = catalogs_[catalog];
    Disk& d = c.disks[disk];
    const bool in = d.state != ScopeState::Checked;
    d.state = in ? ScopeState::Checked : ScopeState::Unchecked;
    SetScopeFlag(d.node, in);
    Recompute(c);
}

void ScopeModel::SetAll(bool in) {
    for (Catalog& c : catalogs_)
        SetCatalog(c, in);
}

void ScopeModel::EnableEntireCatalogTree() {
    for (Catalog& c : catalogs_) {
        c.state = ScopeState::Checked;
        for (Disk& d : c.disks)
            d.state = ScopeState::Checked;
    }
}

bool ScopeModel::CanInclude() const {
    return std::any_of(catalogs_.begin(), catalogs_.end(), [](const Catalog& c) { return c.state != ScopeState::Checked; });
}

bool ScopeModel::CanExclude() const {
    return std::any_of(catalogs_.begin(), catalogs_.end(),
                       [](const Catalog& c) { return c.state != ScopeState::Unchecked; });
}

}  // namespace kv
