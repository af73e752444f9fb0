#pragma once
// Text sizes remembered: a long report measures the same texts again and again
// (sizes, dates, extensions, and every stretching label twice: once to place
// its band, once to draw it), and each measurement asks the device.
#include <cstddef>
#include <string>
#include <unordered_map>

#include "report/ReportTarget.h"

namespace kv::report {

class MeasureCache : public TextMeasurer {
public:
    // Beyond `limit` texts the cache starts afresh: memory stays bounded.
    explicit MeasureCache(const TextMeasurer& measurer, std::size_t limit = 1u << 16);
    double TextWidth(const ReportFont& font, std::string_view text) const override;
    double TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const override;
    std::size_t Size() const { return widths_.size() + heights_.size(); }

private:
    const TextMeasurer& measurer_;
    std::size_t limit_;
    mutable std::unordered_map<std::string, double> widths_, heights_;
    mutable std::string key_;
};

}  // namespace kv::report
