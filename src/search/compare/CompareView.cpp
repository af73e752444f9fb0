#include "search/compare/CompareView.h"

#include <algorithm>

#include "base/text/DateText.h"
#include "base/text/SizeFormat.h"
#include "catalog/model/Node.h"
#include "search/results/ResultButtons.h"

namespace kv {

namespace {

using A = FoundAction;

struct CategoryText {
    const char* name;
    const char* description;
};

constexpr CategoryText kCategories[] = {
    {"New files", "New files on media, not yet in the catalog"},
    {"Same files", "Files that did not change since last cataloguing"},
    {"Changed files", "Files that have changed since last cataloguing"},
    {"Deleted files", "Deleted files since last cataloguing"},
    {"New files", "Files not found in selected catalog"},
    {"Found files", "Files found to be the same as in selected catalog"},
    {"Found, but changed", "Files found in the catalog, but only matching file name"},
};

constexpr SearchButton kOwnButtons[] = {
    {"BtnAddList", 17, "Add to User List", "ButtonAddList", 0, A::AddList, 0},
};

constexpr int kBevels[] = {5, 7};

std::string extensionOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

int compareNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        const char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool isFile(const ItemHead& r) { return r.kind() == ItemFlags::File; }
bool isFolder(const ItemHead& r) { return r.kind() == ItemFlags::Folder; }
bool isArchive(const ItemHead& r) { return HasFlag(r.flags, ItemFlags::Archive); }

}  // namespace

int CategoryRow(bool checkMode, int category) { return checkMode ? category + 4 : category; }

const char* CategoryName(int row) { return row >= 0 && row < 7 ? kCategories[row].name : ""; }

const char* CategoryDescription(int row) { return row >= 0 && row < 7 ? kCategories[row].description : ""; }

std::string CategoryComboText(int row, std::size_t count) {
    return std::string(CategoryDescription(row)) + " (" + std::to_string(count) + " file" + (count == 1 ? "" : "s") +
           ")";
}

std::string CategoryTabText(int row, std::size_t count) {
    return "  " + std::string(CategoryName(row)) + " (" + std::to_string(count) + ")  ";
}

int StepCategory(int current, int highest, int step) {
    const int count = highest + 1;
    return ((current + step) % count + count) % count;
}

std::string MediaEntryCell(const CompareResults& results, const TMediaFileEntry& entry, int column,
                           const MediaCellFormats& formats) {
    switch (column) {
    case kCompareName: return entry.Name;
    case kCompareExt: return extensionOf(entry.Name);
    case kCompareSize: return formats.size ? formats.size(entry.Size) : FormatSize(entry.Size);
    case kCompareDate:
        if (entry.Time == 0)
            return {};
        return formats.dateTime ? formats.dateTime(entry.Time) : FileDateToStr(entry.Time);
    case kCompareMedia: return "(none)";
    case kCompareFolder:
        return entry.FolderIndex < results.FolderPaths.size() ? results.FolderPaths[entry.FolderIndex] : std::string();
    default: return {};
    }
}

void SortMediaEntries(std::vector<TMediaFileEntry>& entries, const CompareResults& results, int column,
                      bool descending) {
    const auto less = [&](const TMediaFileEntry& a, const TMediaFileEntry& b) {
        switch (column) {
        case kCompareSize: return a.Size < b.Size;
        case kCompareDate: return a.Time < b.Time;
        default: {
            const MediaCellFormats plain;
            return compareNoCase(MediaEntryCell(results, a, column, plain), MediaEntryCell(results, b, column, plain)) <
                   0;
        }
        }
    };
    std::stable_sort(entries.begin(), entries.end(), less);
    if (descending)
        std::reverse(entries.begin(), entries.end());
}

FoundActionStates EnableCompareActions(int category, bool checkMode, const FoundSelection& s,
                                       const SupportedArchive& supported) {
    FoundActionStates st;
    if (category == kCategoryNew)
        return st;
    const bool deleted = !checkMode && category == kCategoryDeleted;
    const ItemHead* f = s.focused;
    bool any = false;
    for (const ItemHead* rec : s.selected)
        any |= rec != nullptr;
    const auto supportedArchive = [&](const ItemHead& rec) {
        return isArchive(rec) && rec.node && supported && supported(rec.node->text());
    };
    st[A::Locate] = st[A::EditDesc] = st[A::Properties] = f != nullptr;
    st[A::Explorer] = f && any && !deleted && (isFolder(*f) || (isFile(*f) && !isArchive(*f)));
    st[A::Launch] = f && any &&
                    ((isFile(*f) && (!isArchive(*f) || supportedArchive(*f))) || (isFolder(*f) && isArchive(*f)));
    st[A::View] = st[A::Launch] && !deleted;
    for (const ItemHead* rec : s.selected) {
        if (!rec)
            continue;
        const bool disk = rec->kind() == ItemFlags::Disk;
        st[A::AddList] |= rec->indexWord(ResultSlot::UserList) == kNotListed;
        st[A::SetCategory] |= !disk;
        st[A::CopyTo] |= !deleted && (isFolder(*rec) || (isFile(*rec) && !isArchive(*rec)));
        st[A::Extract] |= !deleted && !disk && supportedArchive(*rec);
    }
    st[A::Report] = s.rows > 0;
    return st;
}

std::span<const SearchButton> CompareToolbarButtons() {
    static const std::vector<SearchButton> buttons = WithItemActionButtons(kOwnButtons);
    return buttons;
}

std::span<const int> CompareToolbarBevelTags() { return kBevels; }

}  // namespace kv
