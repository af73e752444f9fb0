#pragma once
// Descriptions, categories and flags of a replaced disk, found again for the
// files and folders of the new scan by name (exact case), size and date.
#include <functional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"
#include "scan/ScanTypes.h"

namespace kv {

class CarryOver {
public:
    // Called for each folder walked while collecting, with the count so far;
    // it may throw to cancel.
    using Step = std::function<void(std::size_t found)>;

    void clear() {
        entries_.clear();
        carried_.clear();
    }
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // Collects the folders and files below a disk node that have something to
    // carry. Loads folders and file lists as needed: with onlyFlaggedFolders
    // only lists of folders flagged as having file descriptions.
    void collect(Node& disk, bool onlyFlaggedFolders, IScanProgress& progress, const Step& step = {});
    // Sorts what was collected; call once before the lookups.
    void build();

    // Fills an undescribed record from its old counterpart; true when one was taken.
    bool apply(TFileRec& file);
    bool apply(TFolderRec& folder, std::string_view name);
    // Fills an undescribed folder from a known old one; true when it had something to carry.
    bool applyFrom(TFolderRec& folder, const TFolderRec& old);
    // The record's description came from the replaced disk: the new scan's
    // description files and comments leave it alone.
    bool carried(const ItemHead& rec) const { return carried_.count(&rec) != 0; }
    // A record about to be freed (a failed archive listing's folder and its files).
    void forget(const FileOwnerRecord& owner);

private:
    struct Entry {
        std::string_view name;
        ItemHead* rec;
    };
    void collectNode(Node& node, bool onlyFlaggedFolders, const Step& step);
    void take(TFolderRec& folder, const ItemHead& old);
    const Entry* find(std::string_view name, const ItemHead& rec) const;

    std::vector<Entry> entries_;
    std::unordered_set<const ItemHead*> carried_;
};

// A file's description also flags its folder or disk as having file descriptions.
void FlagOwnerHasDescriptions(const TFileRec& file);

}  // namespace kv
