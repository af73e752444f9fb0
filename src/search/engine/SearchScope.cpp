#include "search/engine/SearchScope.h"

#include <algorithm>

namespace kv {

namespace {

bool containsName(const std::vector<std::string>& names, const std::string& name, const CaseMap& caseMap) {
    const std::string folded = upperCase(name, caseMap);
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return upperCase(n, caseMap) == folded; });
}

}  // namespace

CatalogContext ResolveCatalogContext(const TCatalogRec& catalog, const CategoryChoice& choice, const CaseMap& caseMap) {
    CatalogContext ctx;
    ctx.currentFormat = catalog.currentFormat;
    if (choice.withoutCategory)
        ctx.categoryMask |= 1u;
    for (const CategoryEntry& entry : catalog.categories) {
        if (entry.code >= 1 && entry.code <= 31 && containsName(choice.categories, entry.name, caseMap))
            ctx.categoryMask |= 1u << entry.code;
    }
    for (std::size_t i = 0; i < catalog.flagNames.size(); ++i) {
        if (!catalog.flagNames[i].empty() && containsName(choice.flags, catalog.flagNames[i], caseMap))
            ctx.flagMask = static_cast<std::uint8_t>(ctx.flagMask | (1u << i));
    }
    return ctx;
}

SearchScope CaptureSearchScope(const Forest& forest, bool limitToChecked, const CategoryChoice& choice,
                               ScopeCounts counts, const CaseMap& caseMap) {
    SearchScope scope;
    for (const auto& root : forest.roots()) {
        const auto* catalog = RecordAs<TCatalogRec>(root->record());
        if (!catalog)
            continue;
        ScopeCatalog entry;
        entry.catalog = root.get();
        entry.context = ResolveCatalogContext(*catalog, choice, caseMap);
        for (const auto& child : root->children()) {
            const auto* disk = RecordAs<TDiskRec>(child->record());
            if (!disk || (limitToChecked && !HasFlag(disk->flags, ItemFlags::InSearchScope)))
                continue;
            ScopeDisk d;
            d.disk = child.get();
            if (counts.disks)
                d.total += 1;
            if (counts.folders)
                d.total += disk->volume.folderCount;
            if (counts.files)
                d.total += std::int64_t{disk->volume.fileCount} + disk->volume.archiveMemberCount;
            scope.total += d.total;
            entry.disks.push_back(d);
        }
        if (!entry.disks.empty())
            scope.catalogs.push_back(std::move(entry));
    }
    return scope;
}

}  // namespace kv
