#pragma once
// Dates, times, numbers and the text order of the user's locale, as the cells
// and the comparer of the item lists use them.
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemComparer.h"

namespace kv {

// Short date, long time, time without seconds, grouped whole numbers and the
// decimal separator of the user's locale.
CellFormats LocaleCellFormats();

// Date and time of a DOS date-time as FileDateToStr shows it: "date, time".
DateTimeFormatter LocaleDateTimeFormatter();

// The locale's case-insensitive order (CompareStringA with NORM_IGNORECASE),
// and its sort keys (LCMapStringA), which order the same.
class LocaleCollator : public TextCollator {
public:
    int compare(std::string_view a, std::string_view b) const override;
    bool makesSortKeys() const override { return true; }
    std::string sortKey(std::string_view text) const override;
};

}  // namespace kv
