#include "archive/ArcInput.h"

#include <algorithm>
#include <cstring>

#include "base/Errors.h"

namespace kv::arc {

namespace {
constexpr std::size_t kReadAhead = 64 * 1024;
}

ArcInput::ArcInput(std::unique_ptr<ByteSource> source) : source_(std::move(source)), size_(source_->size()) {}

void ArcInput::fill(std::uint64_t pos, std::size_t n) {
    if (pos >= bufferPos_ && pos - bufferPos_ <= bufferLen_ && bufferLen_ - (pos - bufferPos_) >= n) return;
    std::size_t want = std::max(n, kReadAhead);
    if (buffer_.size() < want) buffer_.resize(want);
    bufferPos_ = pos;
    bufferLen_ = pos >= size_ ? 0 : source_->readAt(pos, buffer_.data(), want);
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

}  // namespace kv::arc
