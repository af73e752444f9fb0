#pragma once
// Where a run searches: the disks in scope, in tree order, with what the worker
// needs of their catalogs. Captured on the main thread before the run starts,
// so the worker reads no control and no catalog setting.
#include <cstdint>
#include <string>
#include <vector>

#include "base/text/AnsiCase.h"
#include "catalog/model/Forest.h"
#include "system/SystemCaseMap.h"

namespace kv {

// The category and flag choices resolved for one catalog.
struct CatalogContext {
    // Bit n: category code n is checked; bit 0 is "(Items without category)".
    std::uint32_t categoryMask = 0;
    // Bits 0..2: the catalog's user flags 1..3 are checked.
    std::uint8_t flagMask = 0;
    bool currentFormat = true;
};

struct ScopeDisk {
    Node* disk = nullptr;
    // Items pass 1 counts for the disk, by the record's counts.
    std::int64_t total = 0;
};

struct ScopeCatalog {
    Node* catalog = nullptr;
    CatalogContext context;
    std::vector<ScopeDisk> disks;
};

struct SearchScope {
    std::vector<ScopeCatalog> catalogs;
    std::int64_t total = 0;
};

// The check marks of the category page; names compare ignoring ANSI case, as
// the page merged them.
struct CategoryChoice {
    bool withoutCategory = false;
    std::vector<std::string> categories;
    std::vector<std::string> flags;
};

CatalogContext ResolveCatalogContext(const TCatalogRec& catalog, const CategoryChoice& choice,
                                     const CaseMap& caseMap = systemCaseMap());

struct ScopeCounts {
    bool files = true, folders = true, disks = true;
};

// Every catalog and disk of the forest; with limitToChecked only those whose
// records carry the in-scope flag (the catalog may be partly checked).
SearchScope CaptureSearchScope(const Forest& forest, bool limitToChecked, const CategoryChoice& choice,
                               ScopeCounts counts, const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
