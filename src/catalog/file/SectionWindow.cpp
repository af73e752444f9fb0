#include "catalog/file/SectionWindow.h"

#include <algorithm>

namespace kv {

namespace {
// Larger than any record the format can hold (two 4096-byte texts and the fixed fields).
constexpr std::size_t kMaxWindow = 1 << 20;
}  // namespace

void SectionWindow::ensureWindow() {
    if (pos_ >= windowPos_ && pos_ < windowPos_ + windowLen_) return;
    if (pos_ >= end_) throw EInvalidCatalog(kStructureErrorMessage);
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(wanted_, end_ - pos_));
    if (buffer_.size() < n) buffer_.resize(n);
    stream_.Seek(pos_);
    // The range was checked against the file size: a short read means the file changed under us.
    if (stream_.Read(buffer_.data(), n) != n) throw EInvalidCatalog(kStructureErrorMessage);
    windowPos_ = pos_;
    windowLen_ = n;
}

void SectionWindow::grow() {
    // A record cut by the window's end: read again from the record's start, with
    // more room when the record is larger than the whole window.
    if (windowPos_ == pos_) {
        if (wanted_ >= kMaxWindow) throw EInvalidCatalog(kStructureErrorMessage);
        wanted_ *= 2;
    }
    windowLen_ = 0;
}

}  // namespace kv
