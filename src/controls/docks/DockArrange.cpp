#include "controls/docks/DockArrange.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace kv::ui {

namespace {

int toInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Pushes every toolbar of a row past the one before it.
void removeOverlaps(std::vector<std::int64_t*>& positions, const std::vector<int>& lengths) {
    std::int64_t offset = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (*positions[i] <= offset)
            *positions[i] = offset;
        else
            offset = *positions[i];
        offset += lengths[i];
    }
}

}  // namespace

DockArrangement ArrangeDock(const std::vector<DockBarInput>& bars, const DockArrangeOptions& options) {
    DockArrangement out;
    out.bars.resize(bars.size());
    if (bars.empty()) {
        out.thickness = options.fixAlign ? 1 : 0;
        return out;
    }

    std::vector<std::int64_t> rows(bars.size());
    std::vector<std::int64_t> pos(bars.size());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        rows[i] = options.limitToOneRow ? 0 : std::max<std::int64_t>(bars[i].row, 0);
        pos[i] = bars[i].pos;
    }
    std::vector<std::size_t> order(bars.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rows[a] != rows[b] ? rows[a] < rows[b] : pos[a] < pos[b];
    });

    // Rank the distinct rows: row numbers close up without counting through gaps.
    std::vector<int> rank(bars.size());
    int rowCount = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k > 0 && rows[order[k]] != rows[order[k - 1]]) ++rowCount;
        rank[order[k]] = rowCount;
    }
    ++rowCount;

    out.rowThickness.assign(rowCount, kMinToolbarContent + 2 * kDockBorder);
    for (std::size_t i = 0; i < bars.size(); ++i)
        out.rowThickness[rank[i]] =
            std::max(out.rowThickness[rank[i]], std::max(bars[i].thickness, kMinToolbarContent) + 2 * kDockBorder);

    int rowStart = 0;
    std::size_t k = 0;
    for (int row = 0; row < rowCount; ++row) {
        std::vector<std::int64_t*> rowPos;
        std::vector<int> lengths;
        std::vector<std::size_t> members;
        for (; k < order.size() && rank[order[k]] == row; ++k) {
            members.push_back(order[k]);
            rowPos.push_back(&pos[order[k]]);
            lengths.push_back(std::max(bars[order[k]].length, 0));
        }
        removeOverlaps(rowPos, lengths);
        const std::int64_t end = *rowPos.back() + lengths.back();
        if (end > options.clientLength) {
            const std::int64_t excess = end - options.clientLength;
            for (auto* p : rowPos) *p -= excess;
        }
        // Pulled back past the start, the row keeps its order from 0.
        removeOverlaps(rowPos, lengths);
        for (std::size_t m = 0; m < members.size(); ++m)
            out.bars[members[m]] = {row, toInt(*rowPos[m]), rowStart, out.rowThickness[row]};
        rowStart += out.rowThickness[row];
    }
    out.thickness = rowStart + options.boundLines;
    return out;
}

}  // namespace kv::ui
