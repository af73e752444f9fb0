#include "controls/menus/MruList.h"

#include <algorithm>

#include "base/text/AnsiCase.h"
#include "system/SystemCaseMap.h"
#include "system/settings/SectionStore.h"

namespace kv {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    const CaseMap& map = systemCaseMap();
    return std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return map.toUpper(x) == map.toUpper(y); });
}

std::string valueName(std::size_t i) { return std::string("F").append(std::to_string(i)); }

}  // namespace

std::optional<std::size_t> MruList::find(std::string_view fileName) const {
    for (std::size_t i = 0; i < files_.size(); ++i) {
        if (sameName(files_[i], fileName))
            return i;
    }
    return std::nullopt;
}

void MruList::trim() {
    if (files_.size() > maximum_)
        files_.resize(maximum_);
}

void MruList::setMaximum(std::size_t maximum) {
    maximum_ = maximum;
    trim();
}

void MruList::addFile(std::size_t index, const std::string& fileName) {
    if (std::optional<std::size_t> at = find(fileName)) {
        std::string name = std::move(files_[*at]);
        files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(*at));
        files_.insert(files_.begin() + static_cast<std::ptrdiff_t>(std::min(index, files_.size())), std::move(name));
        return;
    }
    files_.insert(files_.begin() + static_cast<std::ptrdiff_t>(std::min(index, files_.size())), fileName);
    trim();
}

bool MruList::removeFile(std::string_view fileName) {
    std::optional<std::size_t> at = find(fileName);
    if (!at)
        return false;
    files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(*at));
    return true;
}

std::optional<std::string> MruList::fileAt(std::size_t itemNumber) const {
    if (itemNumber == 0 || itemNumber > files_.size())
        return std::nullopt;
    return files_[itemNumber - 1];
}

void MruList::load(const SectionStore& store, std::string_view section) {
    files_.clear();
    for (std::size_t i = 0; i < maximum_; ++i) {
        std::optional<std::string> value = store.ReadString(section, valueName(i));
        if (value && !value->empty() && !find(*value))
            files_.push_back(std::move(*value));
    }
}

bool MruList::save(SectionStore& store, std::string_view section) const {
    bool ok = store.EraseSection(section);
    for (std::size_t i = 0; i < files_.size(); ++i)
        ok = store.WriteString(section, valueName(i), files_[i]) && ok;
    return ok;
}

}  // namespace kv
