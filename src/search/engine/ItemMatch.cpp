#include "search/engine/ItemMatch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "base/CatalogDate.h"
#include "base/DosDateTime.h"
#include "catalog/model/DiskSpace.h"

namespace kv {

namespace {

constexpr std::array<std::uint8_t, 4> kAttributeBits = {0x20, 0x02, 0x04, 0x01};

// A folded copy of a short text without touching the heap; names are at most
// 255 bytes, longer texts (node texts) fall back to a string.
class Folded {
public:
    Folded(std::string_view text, bool fold, const CaseMap& map) {
        if (!fold) {
            view_ = text;
            return;
        }
        char* out = buffer_.data();
        if (text.size() > buffer_.size()) {
            heap_.resize(text.size());
            out = heap_.data();
        }
        for (std::size_t i = 0; i < text.size(); ++i)
            out[i] = map.toUpper(text[i]);
        view_ = std::string_view(out, text.size());
    }
    std::string_view view() const { return view_; }

private:
    std::array<char, 512> buffer_;
    std::string heap_;
    std::string_view view_;
};

// Whether the text, folded on the fly, holds the (already folded) pattern: no
// copy of the text, and most positions end at their first byte.
// exactFirst: no other byte folds to the pattern's first one, so memchr finds
// every place it can start.
bool FoldedContains(std::string_view text, std::string_view pattern, bool fold, bool exactFirst, const CaseMap& map) {
    if (pattern.empty())
        return true;
    if (pattern.size() > text.size())
        return false;
    auto at = [&](std::size_t i) -> unsigned char {
        const auto c = static_cast<unsigned char>(text[i]);
        return fold ? map.upper[c] : c;
    };
    const auto first = static_cast<unsigned char>(pattern[0]);
    const std::size_t last = text.size() - pattern.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (exactFirst) {
            const void* hit = std::memchr(text.data() + i, first, last - i + 1);
            if (!hit)
                return false;
            i = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        } else if (at(i) != first) {
            continue;
        }
        std::size_t k = 1;
        while (k < pattern.size() && at(i + k) == static_cast<unsigned char>(pattern[k]))
            ++k;
        if (k == pattern.size())
            return true;
    }
    return false;
}

std::int64_t secondOfDosTime(std::uint32_t v) {
    return static_cast<std::int64_t>((v >> 11) & 31) * 3600 + ((v >> 5) & 63) * 60 + (v & 31) * 2;
}

}  // namespace

// Conditions are counted one at a time; once the outcome is settled (a failure
// under "all", a pass under "any") the rest are not looked at.
struct ItemMatcher::Counter {
    explicit Counter(bool any) : any(any) {}
    bool any;
    int passed = 0;
    int failed = 0;
    bool settled = false;
    void Count(bool ok) {
        ok ? ++passed : ++failed;
        settled = any ? ok : !ok;
    }
    bool Result() const { return any ? passed > 0 : failed == 0 && passed > 0; }
};

ItemMatcher::ItemMatcher(const TSearchCriteria& criteria, const CaseMap& caseMap)
    : criteria_(criteria),
      caseMap_(caseMap),
      datesActive_(criteria.dateField != DateField::None || criteria.timeField != TimeField::None) {
    if (criteria.nameMode == NameMode::Mask) {
        std::vector<std::string> masks = SplitMaskList(criteria.namePattern);
        for (std::size_t i = 0; i < masks.size(); ++i) {
            if (i == 0)
                mask_ = WildcardMask(std::move(masks[i]));
            else
                moreMasks_.emplace_back(std::move(masks[i]));
        }
    }
    if (criteria.nameMode == NameMode::Part && !criteria.namePattern.empty()) {
        const auto first = static_cast<unsigned char>(criteria.namePattern[0]);
        partFirstExact_ = criteria.nameCaseSensitive || caseMap.upper[first] == first;
        for (int b = 0; b < 256 && !criteria.nameCaseSensitive; ++b)
            partFirstExact_ = partFirstExact_ && (b == first || caseMap.upper[b] != first);
    }
}

bool ItemMatcher::NameMatches(std::string_view name) const {
    const TSearchCriteria& c = criteria_;
    if (!c.byName)
        return true;
    switch (c.nameMode) {
    case NameMode::Mask:
        if (mask_.Matches(name, caseMap_))
            return true;
        for (const WildcardMask& mask : moreMasks_)
            if (mask.Matches(name, caseMap_))
                return true;
        return false;
    case NameMode::Part:
        return FoldedContains(name, c.namePattern, !c.nameCaseSensitive, partFirstExact_, caseMap_);
    case NameMode::Exact:
        return Folded(name, !c.nameCaseSensitive, caseMap_).view() == c.namePattern;
    case NameMode::Extension:
    case NameMode::FileType: {
        const std::size_t dot = name.rfind('.');
        if (dot == std::string_view::npos)
            return false;
        const Folded ext(name.substr(dot), !c.nameCaseSensitive, caseMap_);
        // The extension with its end mark, as the pattern lists each one.
        const std::string_view pattern = c.namePattern;
        for (std::size_t at = pattern.find(ext.view()); at != std::string_view::npos;
             at = pattern.find(ext.view(), at + 1)) {
            if (at + ext.view().size() < pattern.size() && pattern[at + ext.view().size()] == '\x01')
                return true;
        }
        return false;
    }
    }
    return false;
}

void ItemMatcher::CountAttributes(Counter& c, std::uint8_t attributes) const {
    if (!criteria_.byName || !criteria_.anyAttribute)
        return;
    for (std::size_t i = 0; i < kAttributeBits.size() && !c.settled; ++i) {
        if (criteria_.attributes[i] != AttrState::Grayed)
            c.Count(((attributes & kAttributeBits[i]) != 0) == (criteria_.attributes[i] == AttrState::Checked));
    }
}

void ItemMatcher::CountDescription(Counter& c, std::string_view description) const {
    switch (criteria_.descriptionMode) {
    case DescriptionMode::Any: c.Count(!description.empty()); break;
    case DescriptionMode::None: c.Count(description.empty()); break;
    case DescriptionMode::Text: {
        if (description.empty()) {
            c.Count(false);
            break;
        }
        std::string text = StripDescription(description);
        if (!criteria_.descriptionCaseSensitive)
            text = upperCase(text, caseMap_);
        c.Count(text.find(criteria_.descriptionText) != std::string::npos);
        break;
    }
    }
}

void ItemMatcher::CountCategory(Counter& c, std::uint8_t categoryByte, const CatalogContext& catalog) const {
    bool ok = (catalog.categoryMask >> CategoryByte::Code(categoryByte) & 1u) != 0;
    for (int flag = 1; !ok && flag <= CategoryByte::UserFlagCount; ++flag)
        ok = CategoryByte::HasUserFlag(categoryByte, flag) && (catalog.flagMask >> (flag - 1) & 1u) != 0;
    c.Count(ok);
}

void ItemMatcher::CountDates(Counter& c, bool member, std::uint32_t created, std::uint32_t modified,
                             std::uint32_t accessed) const {
    // An archive member keeps its CRC where the creation time goes and its packed
    // size where the access time goes: only its modification time is a time.
    // Archive folders and compressed disks carry real times in every field.
    if (criteria_.dateField != DateField::None && !(member && criteria_.dateField != DateField::Modified)) {
        const std::uint32_t v = criteria_.dateField == DateField::Created    ? created
                                : criteria_.dateField == DateField::Modified ? modified
                                                                             : accessed;
        c.Count(criteria_.date.Passes(v));
    }
    if (c.settled)
        return;
    if (criteria_.timeField != TimeField::None && !(member && criteria_.timeField != TimeField::Modified)) {
        const std::uint32_t v = criteria_.timeField == TimeField::Created ? created : modified;
        c.Count(criteria_.time.Passes(secondOfDosTime(v)));
    }
}

// The cheap and selective tests come first; the description, which may need a
// folded copy, last.
bool ItemMatcher::MatchFileItem(const TFileRec& file, const CatalogContext& catalog) const {
    const TSearchCriteria& k = criteria_;
    Counter c(k.matchAny);
    if (k.byName && (c.Count(NameMatches(file.name())), c.settled))
        return c.Result();
    CountAttributes(c, file.stored.attributes);
    if (!c.settled && k.size.active)
        c.Count(k.size.Passes(file.stored.size));
    if (!c.settled && k.byCategory)
        CountCategory(c, file.stored.category, catalog);
    if (!c.settled && datesActive_)
        CountDates(c, HasFlag(file.flags, ItemFlags::Archive), file.stored.created, file.stored.modified,
                   file.stored.accessed);
    if (!c.settled && k.byDescription)
        CountDescription(c, file.description.view());
    return c.Result();
}

bool ItemMatcher::MatchFolderItem(const TFolderRec& folder, std::string_view name, const CatalogContext& catalog) const {
    const TSearchCriteria& k = criteria_;
    Counter c(k.matchAny);
    if (k.byName && (c.Count(NameMatches(name)), c.settled))
        return c.Result();
    CountAttributes(c, folder.stored.attributes);
    if (!c.settled && k.size.active)
        c.Count(k.size.Passes(std::max<std::int64_t>(0, folder.stored.totalSize.bytes())));
    if (!c.settled && k.byCategory)
        CountCategory(c, folder.stored.category, catalog);
    if (!c.settled && datesActive_)
        CountDates(c, false, folder.stored.created, folder.stored.modified, folder.stored.accessed);
    if (!c.settled && k.byDescription)
        CountDescription(c, folder.description);
    return c.Result();
}

bool ItemMatcher::MatchDiskItem(const TDiskRec& disk, std::string_view name) const {
    const TSearchCriteria& k = criteria_;
    Counter c(k.matchAny);
    if (k.byName && (c.Count(NameMatches(name)), c.settled))
        return c.Result();
    if (k.size.active)
        c.Count(k.size.Passes(GetDiskSpace(disk, DiskSpaceKind::Total).bytes()));
    if (!c.settled && datesActive_) {
        const std::uint32_t catalogued = encodeDosDateTime(fromCatalogDate(disk.volume.catalogued));
        CountDates(c, false, catalogued, catalogued, catalogued);
    }
    if (!c.settled && k.byDescription)
        CountDescription(c, disk.description);
    return c.Result();
}

}  // namespace kv
