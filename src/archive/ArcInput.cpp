#include "archive/ArcInput.h"

#include <algorithm>
#include <cstring>

#include "base/Errors.h"

namespace kv::arc {

namespace {
// Enough for a gzip, LHA or ARJ header, or all of a small file: on a medium where
// opening a file is the dominant cost, most archives take one read.
constexpr std::size_t kFirstRead = 4 * 1024;
constexpr std::size_t kReadAhead = 64 * 1024;
}  // namespace

ArcInput::ArcInput(std::unique_ptr<ByteSource> source, std::vector<std::uint8_t> buffer)
    : source_(std::move(source)), size_(source_->size()), buffer_(std::move(buffer)) {}

void ArcInput::fill(std::uint64_t pos, std::size_t n) {
    if (pos >= bufferPos_ && pos - bufferPos_ <= bufferLen_ && bufferLen_ - (pos - bufferPos_) >= n) return;
    std::size_t want = std::max(n, fills_++ == 0 ? kFirstRead : kReadAhead);
    if (pos < size_) want = static_cast<std::size_t>(std::min<std::uint64_t>(want, std::max<std::uint64_t>(n, size_ - pos)));
    if (buffer_.size() < want) buffer_.resize(want);
    bufferPos_ = pos;
    bufferLen_ = 0;
    bufferLen_ = pos >= size_ ? 0 : source_->readAt(pos, buffer_.data(), want);
}

std::size_t ArcInput::readAt(std::uint64_t pos, void* out, std::size_t n) {
    if (n == 0 || pos >= size_) return 0;
    if (n > kMaxRecord) return source_->readAt(pos, out, n);
    fill(pos, n);
    const std::size_t have = pos - bufferPos_ < bufferLen_ ? bufferLen_ - static_cast<std::size_t>(pos - bufferPos_) : 0;
    const std::size_t got = std::min(n, have);
    if (got) std::memcpy(out, buffer_.data() + (pos - bufferPos_), got);
    return got;
}

BoundedReader ArcInput::Record(std::uint64_t pos, std::size_t n) {
    if (n > kMaxRecord || pos > size_ || size_ - pos < n) throw ETruncated("archive ends inside a header");
    fill(pos, n);
    if (bufferLen_ - (pos - bufferPos_) < n) throw ETruncated("archive ends inside a header");
    return BoundedReader(buffer_.data() + (pos - bufferPos_), n);
}

BoundedReader ArcInput::Upto(std::uint64_t pos, std::size_t n) {
    if (pos >= size_) return BoundedReader();
    n = static_cast<std::size_t>(std::min<std::uint64_t>({n, size_ - pos, kMaxRecord}));
    return Record(pos, n);
}

std::optional<std::string> ArcInput::ZeroText(std::uint64_t pos, std::size_t maxLength) {
    BoundedReader r = Upto(pos, maxLength + 1);
    auto bytes = r.bytes(r.size());
    auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    if (zero == bytes.end()) return std::nullopt;
    return std::string(bytes.begin(), zero);
}

std::vector<std::uint8_t> ArcInput::TakeBuffer() {
    bufferPos_ = 0;
    bufferLen_ = 0;
    return std::move(buffer_);
}

}  // namespace kv::arc
