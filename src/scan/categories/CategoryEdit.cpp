#include "scan/categories/CategoryEdit.h"

#include <algorithm>

#include "base/text/AnsiCase.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/FreeRecords.h"
#include "catalog/model/ResultLists.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

std::uint8_t plainCode(std::uint8_t code) { return static_cast<std::uint8_t>(code & ~kAddedCategory); }

bool lessByName(const CategoryEntry& a, const CategoryEntry& b) {
    return upperCase(a.name, systemCaseMap()) < upperCase(b.name, systemCaseMap());
}

void insertSorted(std::vector<CategoryEntry>& entries, CategoryEntry entry) {
    entries.insert(std::upper_bound(entries.begin(), entries.end(), entry, lessByName), std::move(entry));
}

}  // namespace

CategoryEditRec StartCategoryEdit(Node& catalogNode) {
    CategoryEditRec rec;
    rec.CatalogNode = &catalogNode;
    const TCatalogRec& catalog = rec.Catalog();
    rec.SavedCategories = catalog.categories;
    rec.SavedFlagNames = catalog.flagNames;
    rec.SavedModified = catalog.modified;
    return rec;
}

void RestoreCategoryEdit(const CategoryEditRec& rec) {
    TCatalogRec& catalog = rec.Catalog();
    catalog.categories = rec.SavedCategories;
    catalog.flagNames = rec.SavedFlagNames;
    if (catalog.modified != rec.SavedModified)
        SetCatalogModified(*rec.CatalogNode, rec.SavedModified);
}

bool CategoryEditChanged(const CategoryEditRec& rec) {
    const TCatalogRec& catalog = rec.Catalog();
    return catalog.categories != rec.SavedCategories || catalog.flagNames != rec.SavedFlagNames;
}

CategoryNames CategoryNames::Of(const TCatalogRec& catalog) {
    CategoryNames list;
    for (const CategoryEntry& entry : catalog.categories) insertSorted(list.entries, entry);
    return list;
}

std::uint8_t CategoryNames::freeCode() const {
    for (std::uint8_t code = 1; code <= kMaxCategories; ++code)
        if (std::none_of(entries.begin(), entries.end(),
                         [code](const CategoryEntry& e) { return plainCode(e.code) == code; }))
            return code;
    return 0;
}

int CategoryNames::indexOf(const std::string& name) const {
    const std::string key = upperCase(name, systemCaseMap());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (upperCase(entries[i].name, systemCaseMap()) == key) return static_cast<int>(i);
    return -1;
}

bool CategoryNames::add(const std::string& name) {
    const std::uint8_t code = freeCode();
    if (name.empty() || full() || code == 0 || indexOf(name) >= 0)
        return false;
    insertSorted(entries, {name, static_cast<std::uint8_t>(code | kAddedCategory)});
    return true;
}

bool CategoryNames::rename(std::size_t index, const std::string& name) {
    if (index >= entries.size() || name.empty() || name == entries[index].name)
        return false;
    const int other = indexOf(name);
    if (other >= 0 && static_cast<std::size_t>(other) != index)
        return false;
    CategoryEntry entry = entries[index];
    entry.name = name;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
    insertSorted(entries, std::move(entry));
    return true;
}

void CategoryNames::remove(std::size_t index, std::uint32_t& deleted) {
    if (index >= entries.size())
        return;
    deleted |= 1u << plainCode(entries[index].code);
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
}

CategoryNames::CopyResult CategoryNames::copyFrom(const TCatalogRec& source) {
    CopyResult result;
    result.sourceEmpty = source.categories.empty();
    for (const CategoryEntry& entry : source.categories) {
        if (indexOf(entry.name) >= 0)
            continue;
        if (!add(entry.name)) {
            result.allFitted = false;
            continue;
        }
        ++result.added;
    }
    return result;
}

void CommitCategoryChanges(CategoryEditRec& rec, const CategoryNames& list, const std::array<std::string, 3>& flagNames,
                           const std::array<bool, 3>& removeFlags) {
    TCatalogRec& catalog = rec.Catalog();
    catalog.categories.clear();
    for (const CategoryEntry& entry : list.entries) catalog.categories.push_back({entry.name, plainCode(entry.code)});
    catalog.flagNames = flagNames;
    rec.RemoveFlag = removeFlags;
    SetCatalogModified(*rec.CatalogNode, true);
}

std::uint8_t ClearCategoryReferences(std::uint8_t b, std::uint32_t deleted, const std::array<bool, 3>& removeFlags) {
    if (deleted & (1u << CategoryByte::Code(b)))
        b = CategoryByte::WithCode(b, 0);
    for (int n = 1; n <= CategoryByte::UserFlagCount; ++n)
        if (removeFlags[static_cast<std::size_t>(n - 1)]) b = CategoryByte::WithUserFlag(b, n, false);
    return b;
}

namespace {

struct Walk {
    std::uint32_t deleted;
    std::array<bool, 3> removeFlags;
    ui::UserPrompt* prompt;

    bool clear(std::uint8_t& b) const {
        const std::uint8_t cleared = ClearCategoryReferences(b, deleted, removeFlags);
        if (cleared == b) return false;
        b = cleared;
        return true;
    }

    void node(Node& n) const {
        auto* owner = RecordAs<FileOwnerRecord>(n.record());
        if (!owner)
            return;
        LoadSubfolders(&n, false, false, prompt);
        const bool wasLoaded = owner->loaded;
        if (!wasLoaded)
            LoadFileList(&n, prompt);
        if (auto* folder = RecordAs<TFolderRec>(owner); folder && clear(folder->stored.category))
            SetDiskModified(n, true);
        bool chainChanged = false;
        for (TFileRec& file : owner->files) chainChanged |= clear(file.stored.category);
        if (chainChanged)
            SetFileListChanged(n);
        else if (!wasLoaded)
            UnloadFileList(n);
        for (const auto& child : n.children()) node(*child);
    }
};

}  // namespace

void ApplyCategoryChanges(Node& catalogNode, const CategoryEditRec& rec, ui::UserPrompt* prompt) {
    if (rec.DeletedCategories == 0 && std::none_of(rec.RemoveFlag.begin(), rec.RemoveFlag.end(), [](bool b) { return b; }))
        return;
    ResultListBatch batch(catalogNode.forest().context());
    const Walk walk{rec.DeletedCategories & ~1u, rec.RemoveFlag, prompt};
    for (const auto& disk : catalogNode.children()) walk.node(*disk);
}

}  // namespace kv
