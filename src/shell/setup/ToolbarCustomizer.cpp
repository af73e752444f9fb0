#include "shell/setup/ToolbarCustomizer.h"

#include <algorithm>

#include "shell/settings/ToolbarLayout.h"

namespace kv {

ToolbarCustomizer::ToolbarCustomizer(std::span<const std::uint8_t> layout) : entries_(layout.begin(), layout.end()) {
    if (std::find(entries_.begin(), entries_.end(), kToolbarMarker) == entries_.end())
        entries_.push_back(kToolbarMarker);
    findMarker();
    clean(-1);
}

void ToolbarCustomizer::findMarker() {
    marker_ = static_cast<std::size_t>(std::find(entries_.begin(), entries_.end(), kToolbarMarker) - entries_.begin());
}

bool ToolbarCustomizer::isSeparator(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < entries_.size() &&
           entries_[static_cast<std::size_t>(index)] == kToolbarSeparator;
}

CustomizerButtons ToolbarCustomizer::buttonsFor(int selected) const {
    CustomizerButtons b;
    if (selected < 0 || static_cast<std::size_t>(selected) >= entries_.size())
        return b;
    const int m = static_cast<int>(marker_);
    const bool sep = isSeparator(selected);
    b.up = selected >= 1 && selected < m && !(sep && selected == 1);
    b.down = selected != m && selected < m - 1 && !(sep && selected == m - 2);
    b.function = selected < m   ? CustomizerButtons::Function::Remove
                 : selected > m ? CustomizerButtons::Function::Add
                                : CustomizerButtons::Function::None;
    b.addSeparator = selected < m - 1 && !sep && !isSeparator(selected + 1);
    return b;
}

int ToolbarCustomizer::addSeparator(int selected) {
    if (!buttonsFor(selected).addSeparator)
        return -1;
    entries_.insert(entries_.begin() + selected + 1, kToolbarSeparator);
    ++marker_;
    return selected + 1;
}

int ToolbarCustomizer::remove(int selected) {
    if (buttonsFor(selected).function != CustomizerButtons::Function::Remove)
        return -1;
    const std::uint8_t entry = entries_[static_cast<std::size_t>(selected)];
    entries_.erase(entries_.begin() + selected);
    if (entry != kToolbarSeparator)
        entries_.push_back(entry);
    findMarker();
    return clean(selected);
}

int ToolbarCustomizer::move(int selected, int delta) {
    const CustomizerButtons b = buttonsFor(selected);
    if ((delta < 0 && !b.up) || (delta > 0 && !b.down) || delta == 0)
        return -1;
    const int to = selected + (delta < 0 ? -1 : 1);
    std::swap(entries_[static_cast<std::size_t>(selected)], entries_[static_cast<std::size_t>(to)]);
    return clean(to);
}

int ToolbarCustomizer::startInsert(int selected) {
    if (buttonsFor(selected).function != CustomizerButtons::Function::Add)
        return -1;
    pending_ = selected;
    return marker_ > 0 ? static_cast<int>(marker_) - 1 : 0;
}

int ToolbarCustomizer::insertAt(int index) {
    if (pending_ < 0 || index < 0 || static_cast<std::size_t>(index) > marker_)
        return -1;
    const std::uint8_t entry = entries_[static_cast<std::size_t>(pending_)];
    entries_.erase(entries_.begin() + pending_);
    entries_.insert(entries_.begin() + index, entry);
    pending_ = -1;
    findMarker();
    return clean(index);
}

int ToolbarCustomizer::clean(int follow) {
    const std::size_t n = entries_.size();
    std::vector<bool> keep(n, true);
    std::ptrdiff_t last = -1;  // the last entry kept so far
    for (std::size_t j = 0; j < n; ++j) {
        const std::uint8_t e = entries_[j];
        if (e == kToolbarSeparator &&
            (j > marker_ || last < 0 || entries_[static_cast<std::size_t>(last)] == kToolbarSeparator)) {
            keep[j] = false;
            continue;
        }
        if (e == kToolbarMarker)
            while (last >= 0 && entries_[static_cast<std::size_t>(last)] == kToolbarSeparator) {
                keep[static_cast<std::size_t>(last)] = false;
                do
                    --last;
                while (last >= 0 && !keep[static_cast<std::size_t>(last)]);
            }
        last = static_cast<std::ptrdiff_t>(j);
    }
    std::vector<std::uint8_t> kept;
    int followed = -1;
    for (std::size_t j = 0; j < n; ++j) {
        // A dropped entry hands the selection to the next one kept.
        if (follow >= 0 && followed < 0 && static_cast<int>(j) >= follow && keep[j])
            followed = static_cast<int>(kept.size());
        if (keep[j])
            kept.push_back(entries_[j]);
    }
    entries_ = std::move(kept);
    findMarker();
    if (follow >= 0 && followed < 0)
        followed = static_cast<int>(entries_.size()) - 1;
    return followed;
}

}  // namespace kv
