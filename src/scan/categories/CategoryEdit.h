#pragma once
// Categories Setup without its window: the categories and flag names of every
// open catalog edited at once, with copies to restore on Cancel, and the
// clearing of references to deleted categories and removed flags.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/model/Node.h"

namespace kv {

namespace ui {
class UserPrompt;
}

inline constexpr std::size_t kMaxCategories = 31;
// A category added while the window is open carries this bit beside its code.
inline constexpr std::uint8_t kAddedCategory = 0x80;

// One open catalog while the window is shown.
struct CategoryEditRec {
    Node* CatalogNode = nullptr;
    std::vector<CategoryEntry> SavedCategories;
    std::array<std::string, 3> SavedFlagNames;
    bool SavedModified = false;
    std::uint32_t DeletedCategories = 0;  // bit c: category c was deleted
    std::array<bool, 3> RemoveFlag{};
    TCatalogRec& Catalog() const { return *RecordAs<TCatalogRec>(CatalogNode->record()); }
};

CategoryEditRec StartCategoryEdit(Node& catalogNode);
// Cancel: the categories, flag names and modified flag as they were.
void RestoreCategoryEdit(const CategoryEditRec& rec);
// Any definition differs from the copies taken at the start.
bool CategoryEditChanged(const CategoryEditRec& rec);

// The list the window edits for the current catalog: names with codes (bit 7
// for added ones), in alphabetical order regardless of case.
struct CategoryNames {
    std::vector<CategoryEntry> entries;

    static CategoryNames Of(const TCatalogRec& catalog);
    bool full() const { return entries.size() >= kMaxCategories; }
    // The lowest code 1..31 no entry uses; 0 when none is left.
    std::uint8_t freeCode() const;
    int indexOf(const std::string& name) const;  // regardless of case; -1: none
    // False for an empty name, a full list, or a name already there (two
    // categories of one name could not be told apart when assigned by name).
    bool add(const std::string& name);
    bool rename(std::size_t index, const std::string& name);
    // Sets the code's bit in deleted.
    void remove(std::size_t index, std::uint32_t& deleted);
    struct CopyResult {
        std::size_t added = 0;
        bool allFitted = true;
        bool sourceEmpty = false;
    };
    CopyResult copyFrom(const TCatalogRec& source);
};

// The list and the flag names into the catalog (codes without bit 7); the
// catalog is marked modified.
void CommitCategoryChanges(CategoryEditRec& rec, const CategoryNames& list, const std::array<std::string, 3>& flagNames,
                           const std::array<bool, 3>& removeFlags);

// The category byte with deleted codes set to 0 and removed flags cleared.
std::uint8_t ClearCategoryReferences(std::uint8_t b, std::uint32_t deleted, const std::array<bool, 3>& removeFlags);

// Walks every disk of the catalog, reading what is not loaded, and clears the
// references in every folder and file record; lists read only for the walk
// and left unchanged are dropped again. Changed disks are marked.
void ApplyCategoryChanges(Node& catalogNode, const CategoryEditRec& rec, ui::UserPrompt* prompt = nullptr);

}  // namespace kv
