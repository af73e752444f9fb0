#include "scan/CarryOver.h"

#include <algorithm>

#include "catalog/file/CatalogLoad.h"
#include "scan/ScanProgressText.h"

namespace kv {

namespace {

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Case-insensitive for a..z only, byte order otherwise.
bool NameLess(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(FoldAscii(a[i]));
        const auto y = static_cast<unsigned char>(FoldAscii(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

bool HasCarry(const TFolderRec& f) { return !f.description.empty() || f.stored.reserved || f.stored.category; }
bool HasCarry(const TFileRec& f) { return !f.description.empty() || f.stored.category; }

}  // namespace

void FlagOwnerHasDescriptions(const TFileRec& file) {
    if (!file.node) return;
    if (auto* owner = RecordAs<FileOwnerRecord>(file.node->record()))
        SetFlag(owner->flags, ItemFlags::HasDescriptions, true);
}

void CarryOver::collect(Node& disk, bool onlyFlaggedFolders, IScanProgress& progress, const Step& step) {
    progress.SetDirLabel(disk.text());
    progress.SetDescFound(DescriptionsFoundText(entries_.size()));
    collectNode(disk, onlyFlaggedFolders, step);
    progress.SetDescFound(DescriptionsFoundText(entries_.size()));
}

void CarryOver::collectNode(Node& node, bool onlyFlaggedFolders, const Step& step) {
    if (step) step(entries_.size());
    LoadSubfolders(&node);
    for (std::size_t i = 0; i < node.children().size(); ++i) collectNode(*node.child(i), onlyFlaggedFolders, step);
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner) return;
    if (auto* folder = RecordAs<TFolderRec>(owner)) {
        if (HasCarry(*folder)) entries_.push_back({node.text(), folder});
        if (onlyFlaggedFolders && !HasFlag(folder->flags, ItemFlags::HasDescriptions)) return;
    }
    LoadFileList(&node);
    for (TFileRec& file : owner->files)
        if (HasCarry(file)) entries_.push_back({file.name(), &file});
}

void CarryOver::build() {
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return NameLess(a.name, b.name); });
}

const CarryOver::Entry* CarryOver::find(std::string_view name, const ItemHead& rec) const {
    // Every entry of the run of equal names is tried, not only those after the
    // one a bisection happens to land on.
    auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                               [](const Entry& e, std::string_view n) { return NameLess(e.name, n); });
    for (; it != entries_.end() && !NameLess(name, it->name); ++it) {
        if (it->name != name) continue;
        if (it->rec->kind() != rec.kind()) return &*it;
        if (const auto* oldFile = RecordAs<TFileRec>(it->rec)) {
            const auto& f = static_cast<const TFileRec&>(rec);
            if (oldFile->stored.size == f.stored.size && oldFile->stored.modified == f.stored.modified) return &*it;
        } else if (const auto* oldFolder = RecordAs<TFolderRec>(it->rec)) {
            if (oldFolder->stored.modified == static_cast<const TFolderRec&>(rec).stored.modified) return &*it;
        }
    }
    return nullptr;
}

bool CarryOver::apply(TFileRec& file) {
    if (entries_.empty() || !file.description.empty()) return false;
    const Entry* e = find(file.name(), file);
    if (!e) return false;
    if (const auto* old = RecordAs<TFileRec>(e->rec)) {
        file.description = old->description;
        file.stored.category = old->stored.category;
    } else if (const auto* oldFolder = RecordAs<TFolderRec>(e->rec)) {
        file.description.assign(oldFolder->description);
        file.stored.category = oldFolder->stored.category;
    }
    if (!file.description.empty()) {
        FlagOwnerHasDescriptions(file);
        carried_.insert(&file);
    }
    return true;
}

bool CarryOver::apply(TFolderRec& folder, std::string_view name) {
    if (entries_.empty() || !folder.description.empty()) return false;
    const Entry* e = find(name, folder);
    if (!e) return false;
    take(folder, *e->rec);
    return true;
}

bool CarryOver::applyFrom(TFolderRec& folder, const TFolderRec& old) {
    if (!folder.description.empty() || !HasCarry(old)) return false;
    take(folder, old);
    return true;
}

void CarryOver::forget(const FileOwnerRecord& owner) {
    if (carried_.empty()) return;
    carried_.erase(&owner);
    for (const TFileRec& file : owner.files) carried_.erase(&file);
}

void CarryOver::take(TFolderRec& folder, const ItemHead& old) {
    // By field meaning: only a folder has the first user byte.
    if (const auto* oldFolder = RecordAs<TFolderRec>(&old)) {
        folder.description = oldFolder->description;
        folder.stored.reserved = oldFolder->stored.reserved;
        folder.stored.category = oldFolder->stored.category;
    } else if (const auto* oldFile = RecordAs<TFileRec>(&old)) {
        folder.description = oldFile->description.str();
        folder.stored.category = oldFile->stored.category;
    }
    if (!folder.description.empty()) carried_.insert(&folder);
}

}  // namespace kv
