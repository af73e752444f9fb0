#pragma once
// Descriptions, categories and flags of a replaced disk, found again for the
// files and folders of the new scan by name (exact case), size and date.
#include <string_view>
#include <vector>

#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"
#include "scan/ScanTypes.h"

namespace kv {

class CarryOver {
public:
    void clear() { entries_.clear(); }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // Collects the folders and files below a disk node that have something to
    // carry. Loads folders and file lists as needed: with onlyFlaggedFolders
    // only lists of folders flagged as having file descriptions.
    void collect(Node& disk, bool onlyFlaggedFolders, IScanProgress& progress);
    // Sorts what was collected; call once before the lookups.
    void build();

    // Fills an undescribed record from its old counterpart; true when one was taken.
    bool apply(TFileRec& file) const;
    bool apply(TFolderRec& folder, std::string_view name) const;

private:
    struct Entry {
        std::string_view name;
        ItemHead* rec;
    };
    void collectNode(Node& node, bool onlyFlaggedFolders, IScanProgress& progress);
    const Entry* find(std::string_view name, const ItemHead& rec) const;

    std::vector<Entry> entries_;
};

// A file's description also flags its folder or disk as having file descriptions.
void FlagOwnerHasDescriptions(const TFileRec& file);

}  // namespace kv
