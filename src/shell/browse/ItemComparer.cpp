#include "shell/browse/ItemComparer.h"

#include <cmath>
#include <cstring>

#include "base/DosDateTime.h"
#include "base/text/AnsiCase.h"
#include "base/text/FileNameText.h"
#include "catalog/model/DiskSpace.h"
#include "catalog/model/Node.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

template <class T>
int sign(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

// The fields a file and a folder share, so that an archive folder can be
// compared as a file.
struct Entry {
    const ItemHead* rec;
    std::string_view name;
    std::int64_t size;
    std::uint32_t dateTime;
    std::uint8_t attributes;
    std::string_view description;
};

Entry entryOf(const TFileRec& f) {
    return {&f, f.name(), f.stored.size, f.stored.modified, f.stored.attributes, f.description.view()};
}

Entry entryOf(const TFolderRec& f) {
    const std::string_view name = f.node ? std::string_view(f.node->text()) : std::string_view();
    return {&f, name, f.stored.totalSize.bytes(), f.stored.modified, f.stored.attributes, f.description};
}

// Descriptions fold only a-z, whatever the code page.
int compareDescriptions(std::string_view a, std::string_view b) {
    auto fold = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 'a' && u <= 'z' ? u - ('a' - 'A') : u;
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (const int d = sign(fold(a[i]), fold(b[i])))
            return d;
    return sign(a.size(), b.size());
}

// Compares the fractions of the day; a value that is no date-time gives 0.
int compareTimesOfDay(std::uint32_t a, std::uint32_t b) {
    const auto ta = decodeDosDateTime(a);
    const auto tb = decodeDosDateTime(b);
    if (!ta || !tb)
        return 0;
    auto seconds = [](const DateTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; };
    return sign(seconds(*ta), seconds(*tb));
}

class Comparison {
public:
    Comparison(const SortParams& p, std::uint8_t column)
        : p_(p), column_(column), collator_(p.collator ? *p.collator : fallback_) {}

    int text(std::string_view a, std::string_view b) const { return collator_.compare(a, b); }

    int cellTexts(const ItemHead* a, const ItemHead* b) const {
        static const CellContext plain;
        const CellContext& ctx = p_.cells ? *p_.cells : plain;
        return text(CellText(a, column_, ctx), CellText(b, column_, ctx));
    }

    int entries(const Entry& a, const Entry& b) const {
        switch (column_) {
        case 0: return text(a.name, b.name);
        case 1: {
            const int byExt = text(GetExtNoDot(a.name), GetExtNoDot(b.name));
            return byExt ? byExt : text(a.name, b.name);
        }
        case 2: return sign(a.size, b.size);
        case 3: return sign(a.dateTime, b.dateTime);
        case 4: return compareTimesOfDay(a.dateTime, b.dateTime);
        case 5: return sign(a.attributes, b.attributes);
        case 6: return compareDescriptions(a.description, b.description);
        case 7:
        case 10:
        case 11:
        case 12: return cellTexts(a.rec, b.rec);
        default: return 0;
        }
    }

    int disks(const TDiskRec& a, const TDiskRec& b) const {
        auto name = [](const TDiskRec& d) { return d.node ? std::string_view(d.node->text()) : std::string_view(); };
        switch (column_) {
        case 0: return text(name(a), name(b));
        case 1: return sign(a.volume.mediaType, b.volume.mediaType);
        case 2: return text(a.label, b.label);
        case 3: return sign(GetDiskSpace(a, DiskSpaceKind::Total), GetDiskSpace(b, DiskSpaceKind::Total));
        case 4: return sign(GetDiskSpace(a, DiskSpaceKind::Free), GetDiskSpace(b, DiskSpaceKind::Free));
        case 5: {
            const double d = a.volume.catalogued - b.volume.catalogued;
            return std::isnan(d) ? 0 : d < 0 ? -1 : d > 0 ? 1 : 0;
        }
        case 6: return compareDescriptions(a.description, b.description);
        default: return 0;
        }
    }

private:
    const SortParams& p_;
    std::uint8_t column_;
    CaseMapCollator fallback_;
    const TextCollator& collator_;
};

// Catalogs first, files last; anything unknown after the files.
int kindRank(std::uint8_t kind) {
    switch (kind) {
    case ItemFlags::Catalog: return 0;
    case ItemFlags::Disk: return 1;
    case ItemFlags::Folder: return 2;
    case ItemFlags::File: return 3;
    default: return 4;
    }
}

bool isArchiveFolder(const ItemHead* rec) {
    return rec->kind() == ItemFlags::Folder && HasFlag(rec->flags, ItemFlags::Archive);
}

int compareForward(const ItemHead* a, const ItemHead* b, const Comparison& c, bool archivesAsFiles) {
    const std::uint8_t ka = a->kind();
    const std::uint8_t kb = b->kind();
    if (archivesAsFiles) {
        const bool archiveA = isArchiveFolder(a);
        const bool archiveB = isArchiveFolder(b);
        if (ka == ItemFlags::Folder && kb == ItemFlags::Folder && archiveA != archiveB)
            return archiveA ? 1 : -1;
        if (ka == ItemFlags::File && archiveB)
            return c.entries(entryOf(*RecordAs<TFileRec>(a)), entryOf(*RecordAs<TFolderRec>(b)));
        if (archiveA && kb == ItemFlags::File)
            return -c.entries(entryOf(*RecordAs<TFileRec>(b)), entryOf(*RecordAs<TFolderRec>(a)));
    }
    if (ka != kb)
        return sign(kindRank(ka), kindRank(kb));
    switch (ka) {
    case ItemFlags::File: return c.entries(entryOf(*RecordAs<TFileRec>(a)), entryOf(*RecordAs<TFileRec>(b)));
    case ItemFlags::Folder: return c.entries(entryOf(*RecordAs<TFolderRec>(a)), entryOf(*RecordAs<TFolderRec>(b)));
    case ItemFlags::Disk: return c.disks(*RecordAs<TDiskRec>(a), *RecordAs<TDiskRec>(b));
    default: return 0;
    }
}

}  // namespace

int CaseMapCollator::compare(std::string_view a, std::string_view b) const {
    return compareNoCase(a, b, systemCaseMap());
}

std::string CaseMapCollator::sortKey(std::string_view text) const {
    const CaseMap& map = systemCaseMap();
    std::string key(text);
    for (char& c : key)
        c = map.toUpper(c);
    return key;
}

const std::string& SortKeyCollator::keyOf(std::string_view text) const {
    if (auto it = keys_.find(text); it != keys_.end())
        return it->second;
    return keys_.emplace(std::string(text), base_.sortKey(text)).first->second;
}

int SortKeyCollator::compare(std::string_view a, std::string_view b) const {
    if (!base_.makesSortKeys())
        return base_.compare(a, b);
    const std::string& ka = keyOf(a);
    const std::string& kb = keyOf(b);
    const std::size_t n = std::min(ka.size(), kb.size());
    if (const int d = n ? std::memcmp(ka.data(), kb.data(), n) : 0)
        return d < 0 ? -1 : 1;
    return sign(ka.size(), kb.size());
}

int CompareItems(const ItemHead* a, const ItemHead* b, const SortParams& params) {
    if (a == b)
        return 0;
    if (a && a == params.upRecord)
        return -1;
    if (b && b == params.upRecord)
        return 1;
    if (!a || !b)
        return a ? -1 : 1;
    std::uint8_t column = params.column;
    if (params.list == ItemListKind::UserList || params.list == ItemListKind::SearchResults ||
        params.list == ItemListKind::CompareResults) {
        column = TranslateColumn(params.list, params.column, a);
        if (column == ColumnKind::Empty)
            return 0;
    }
    const int result = compareForward(a, b, Comparison(params, column), params.archivesAsFiles);
    return params.reverse ? -result : result;
}

}  // namespace kv
