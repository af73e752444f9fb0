#include "shell/browse/ColumnLayout.h"

#include <algorithm>

#include "system/settings/SectionStore.h"

namespace kv {

namespace {

bool isPermutation(std::span<const std::int32_t> order) {
    std::vector<bool> seen(order.size(), false);
    for (std::int32_t column : order) {
        if (column < 0 || static_cast<std::size_t>(column) >= order.size() || seen[static_cast<std::size_t>(column)])
            return false;
        seen[static_cast<std::size_t>(column)] = true;
    }
    return true;
}

}  // namespace

ColumnsRecord DefaultColumnsRecord(int list) {
    ColumnsRecord r;
    for (std::size_t i = 0; i < ColumnsRecord::kPositions; ++i) {
        r.order[i] = static_cast<std::int32_t>(i);
        r.visible[i] = 1;
    }
    if (list == ColumnsList::MainFiles)
        std::swap(r.order[6], r.order[7]);
    return r;
}

ColumnsRecord DecodeColumnsRecord(int list, std::span<const std::uint8_t> bytes) {
    ColumnsRecord r = DefaultColumnsRecord(list);
    if (bytes.size() > ColumnsRecord::kBytes)
        return r;
    std::array<std::uint8_t, ColumnsRecord::kBytes> raw = EncodeColumnsRecord(r);
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    for (std::size_t i = 0; i < ColumnsRecord::kPositions; ++i) {
        const std::uint8_t* p = raw.data() + i * 4;
        r.order[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                               static_cast<std::uint32_t>(p[2]) << 16 |
                                               static_cast<std::uint32_t>(p[3]) << 24);
        r.visible[i] = raw[44 + i];
    }
    return r;
}

std::array<std::uint8_t, ColumnsRecord::kBytes> EncodeColumnsRecord(const ColumnsRecord& record) {
    std::array<std::uint8_t, ColumnsRecord::kBytes> raw{};
    for (std::size_t i = 0; i < ColumnsRecord::kPositions; ++i) {
        const auto v = static_cast<std::uint32_t>(record.order[i]);
        for (std::size_t b = 0; b < 4; ++b)
            raw[i * 4 + b] = static_cast<std::uint8_t>(v >> (8 * b));
        raw[44 + i] = record.visible[i];
    }
    return raw;
}

std::string ColumnsValueName(int list) { return "ListView" + std::to_string(list); }

ColumnsRecord ReadColumnsRecord(const SectionStore& store, int list) {
    const auto bytes = store.ReadBinary(kColumnsSection, ColumnsValueName(list));
    return bytes ? DecodeColumnsRecord(list, *bytes) : DefaultColumnsRecord(list);
}

bool WriteColumnsRecord(SectionStore& store, int list, const ColumnsRecord& record) {
    const auto raw = EncodeColumnsRecord(record);
    return store.WriteBinary(kColumnsSection, ColumnsValueName(list), raw);
}

ColumnPlacement PlaceColumns(int list, const ColumnsRecord& record, std::size_t count) {
    count = std::min(count, ColumnsRecord::kPositions);
    std::span<const std::int32_t> order(record.order.data(), count);
    ColumnsRecord fallback = DefaultColumnsRecord(list);
    if (!isPermutation(order)) {
        // Damaged: the default order, unless that does not fit this many columns either.
        std::span<const std::int32_t> standard(fallback.order.data(), count);
        if (!isPermutation(standard))
            for (std::size_t i = 0; i < count; ++i)
                fallback.order[i] = static_cast<std::int32_t>(i);
        order = std::span<const std::int32_t>(fallback.order.data(), count);
    }
    ColumnPlacement p;
    p.order.assign(order.begin(), order.end());
    p.widths.assign(count, kHeaderWidth);
    for (std::size_t i = 0; i < count; ++i)
        if (!record.visible[i])
            p.widths[static_cast<std::size_t>(order[i])] = 0;
    return p;
}

void SyncColumnsRecord(ColumnsRecord& record, std::span<const int> order, std::span<const int> widths) {
    const std::size_t count = std::min({order.size(), widths.size(), ColumnsRecord::kPositions});
    for (std::size_t i = 0; i < count; ++i) {
        const int column = order[i];
        record.order[i] = column;
        const bool shown = column >= 0 && static_cast<std::size_t>(column) < widths.size() &&
                           widths[static_cast<std::size_t>(column)] != 0;
        record.visible[i] = shown ? 1 : 0;
    }
}

}  // namespace kv
