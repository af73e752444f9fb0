#pragma once
// The Limit page's choice of disks: catalogs and disks with check states. A
// disk's choice is its record's in-scope flag, a catalog's flag is set only
// while all its disks are in, so the choice survives with the catalogs.
#include <cstdint>
#include <vector>

#include "catalog/model/Forest.h"

namespace kv {

// The values are the state images of the scope tree.
enum class ScopeState : std::uint8_t { Unchecked = 1, Checked = 2, Partly = 3 };

class ScopeModel {
public:
    struct Disk {
        Node* node = nullptr;
        ScopeState state = ScopeState::Checked;
    };
    struct Catalog {
        Node* node = nullptr;
        ScopeState state = ScopeState::Checked;
        std::vector<Disk> disks;
    };

    // CreateCatalogTree: catalogs without disks are left out; disks take their flags.
    void Build(const Forest& forest);
    // A choice of the model's own (the file check): the flags are neither read
    // nor written, and only the disks of `chosen` start checked.
    void BuildOwn(const Forest& forest, const Node* chosen);
    // What a run covers: each fully checked catalog, and the checked disks of
    // the partly checked ones.
    std::vector<Node*> CheckedNodes() const;
    const std::vector<Catalog>& Catalogs() const { return catalogs_; }

    // A click on a catalog's or a disk's check mark; a partly checked catalog
    // becomes checked.
    void ToggleCatalog(std::size_t catalog);
    void ToggleDisk(std::size_t catalog, std::size_t disk);
    // Include All and Exclude All.
    void SetAll(bool in);
    // Every node shows checked while the flags keep the user's choice; the next
    // Build shows that choice again.
    void EnableEntireCatalogTree();

    // The Include and Exclude buttons: some node is not checked, some not unchecked.
    bool CanInclude() const;
    bool CanExclude() const;

private:
    void SetCatalog(Catalog& catalog, bool in);
    void Recompute(Catalog& catalog);
    void SetScopeFlag(Node* node, bool in);

    std::vector<Catalog> catalogs_;
    bool writeFlags_ = true;
};

}  // namespace kv
