#include "archive/decoders/DecoderIo.h"

#include <algorithm>
#include <cstring>

#include "archive/ArcError.h"
#include "archive/Checksum.h"

namespace kv::arc {

PackedInput::PackedInput(ByteSource& source, std::uint64_t pos, std::uint64_t packed)
    : source_(source), pos_(pos), unread_(packed), buffer_(kChunk), start_(pos) {}

bool PackedInput::fill() {
    if (unread_ == 0) return false;
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, unread_));
    std::size_t got = source_.readAt(pos_, buffer_.data(), want);
    pos_ += got;
    // A short read means the file ends inside the member: nothing more will come.
    unread_ = got < want ? 0 : unread_ - got;
    at_ = 0;
    len_ = got;
    if (onRead_) onRead_(pos_ - start_);
    return got > 0;
}

std::size_t PackedInput::Read(std::uint8_t* out, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        if (at_ == len_ && !fill()) break;
        std::size_t take = std::min(n - done, len_ - at_);
        std::memcpy(out + done, buffer_.data() + at_, take);
        if (transform_) {
            for (std::size_t i = 0; i < take; ++i) out[done + i] = transform_(out[done + i]);
        }
        at_ += take;
        done += take;
    }
    return done;
}

DecodedOutput::DecodedOutput(OutputSink& sink, std::uint64_t declaredSize, Check check)
    : sink_(sink), declared_(declaredSize), check_(check), buffer_(kChunk),
      crc_(check == Check::Crc32 ? 0xFFFFFFFFu : 0) {}

void DecodedOutput::tooMuch() { throw E_RAISE(eBadBlock); }

void DecodedOutput::Write(std::span<const std::uint8_t> bytes) {
    bool over = bytes.size() > Remaining();
    if (over) bytes = bytes.first(static_cast<std::size_t>(Remaining()));
    while (!bytes.empty()) {
        std::size_t take = std::min(bytes.size(), kChunk - len_);
        std::memcpy(buffer_.data() + len_, bytes.data(), take);
        len_ += take;
        written_ += take;
        bytes = bytes.subspan(take);
        if (len_ == kChunk) Flush();
    }
    if (over) tooMuch();
}

std::uint32_t DecodedOutput::update(std::uint32_t crc, std::span<const std::uint8_t> bytes) const {
    switch (check_) {
        case Check::Crc32: return Crc32Update(crc, bytes);
        case Check::Crc16: return Crc16Update(static_cast<std::uint16_t>(crc), bytes);
        case Check::None: break;
    }
    return crc;
}

void DecodedOutput::Flush() {
    if (len_ == 0) return;
    std::span<const std::uint8_t> piece(buffer_.data(), len_);
    crc_ = update(crc_, piece);
    len_ = 0;
    if (!sink_.Write(piece)) throw E_RAISE(eWriteError);
}

std::uint32_t DecodedOutput::Crc() const {
    std::uint32_t crc = update(crc_, std::span<const std::uint8_t>(buffer_.data(), len_));
    return check_ == Check::Crc32 ? ~crc : crc;
}

}  // namespace kv::arc
