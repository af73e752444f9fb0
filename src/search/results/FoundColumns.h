#pragma once
// The found list's columns: what each cell shows and what a column sorts by.
#include <atomic>
#include <string>

#include "catalog/model/ItemHead.h"
#include "controls/ItemCompare.h"
#include "controls/ListSort.h"
#include "search/results/ResultList.h"

namespace kv {

enum FoundColumn { kFoundName, kFoundExt, kFoundSize, kFoundLocation, kFoundColumnCount };

std::string FoundCellText(const ItemHead& item, int column);

// What the column sorts by, for the list view's text comparer: sizes as whole
// byte counts (it compares numbers as numbers), else the cell text.
std::string FoundSortText(const ItemHead& item, int column);

enum class FoundSortStep { Full, Reverse };

// A click on a column header: another column becomes the sort column,
// ascending, and needs a full sort; the sort column itself flips and only
// needs the rows reversed.
FoundSortStep FoundListColumnClick(TResultList& list, int column);

// Sorts (Full) or reverses the list by its sort column and direction, then
// renumbers it. A sort stopped by Esc keeps its partial order, still renumbered.
// False when stopped.
bool SortSearchResults(TResultList& list, FoundSortStep step, const ui::CompareLocale& locale,
                       std::atomic<bool>& cancel, const SortHooks& hooks = {});

}  // namespace kv
