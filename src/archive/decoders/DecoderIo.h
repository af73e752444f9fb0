#pragma once
// The two ends every member decoder works between: the member's packed bytes, read
// in bounded chunks, and its unpacked bytes on their way to the sink with the
// checksum kept and the declared size enforced.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "archive/OutputSink.h"
#include "base/ByteSource.h"

namespace kv::arc {

// The packed bytes of one member: at most `packed` bytes of `source` from `pos`, read
// in chunks of up to 32 KiB. A source shorter than announced simply ends early.
class PackedInput {
public:
    static constexpr std::size_t kChunk = 32768;

    PackedInput(ByteSource& source, std::uint64_t pos, std::uint64_t packed);

    // -1 once the member's bytes are used up.
    int NextByte() {
        if (at_ == len_ && !fill()) return -1;
        std::uint8_t b = buffer_[at_++];
        return transform_ ? transform_(b) : b;
    }
    // Up to n bytes; 0 at the end.
    std::size_t Read(std::uint8_t* out, std::size_t n);
    // Bytes not yet handed out.
    std::uint64_t Remaining() const { return unread_ + (len_ - at_); }
    // Applied to every byte handed out from now on (bytes already handed out stay as
    // they were), e.g. traditional ZIP decryption.
    void SetTransform(std::function<std::uint8_t(std::uint8_t)> t) { transform_ = std::move(t); }
    // Called after every read from the source with the packed bytes read so far.
    void SetOnRead(std::function<void(std::uint64_t)> f) { onRead_ = std::move(f); }

private:
    bool fill();

    ByteSource& source_;
    std::uint64_t pos_;
    std::uint64_t unread_;  // still in the source
    std::vector<std::uint8_t> buffer_;
    std::size_t at_ = 0;
    std::size_t len_ = 0;
    std::function<std::uint8_t(std::uint8_t)> transform_;
    std::function<void(std::uint64_t)> onRead_;
    std::uint64_t start_;
};

// The unpacked bytes of one member, on their way to an OutputSink: a 32 KiB buffer
// flushed in pieces, the checksum kept over each byte once, the declared size enforced
// (a lying stream cannot write more than the header promised).
class DecodedOutput {
public:
    static constexpr std::size_t kChunk = 32768;
    enum class Check { None, Crc32, Crc16 };

    DecodedOutput(OutputSink& sink, std::uint64_t declaredSize, Check check);

    // E_RAISE(eBadBlock) past the declared size.
    void Put(std::uint8_t b) {
        if (written_ == declared_) tooMuch();
        buffer_[len_++] = b;
        ++written_;
        if (len_ == kChunk) Flush();
    }
    // Writes what fits under the declared size, then raises eBadBlock for the rest.
    void Write(std::span<const std::uint8_t> bytes);
    // Hands the buffered bytes to the sink; E_RAISE(eWriteError) when it refuses.
    void Flush();
    std::uint64_t Written() const { return written_; }
    std::uint64_t Remaining() const { return declared_ - written_; }
    // The final value as the format stores it: CRC-32 complemented, CRC-16 as it is.
    std::uint32_t Crc() const;

private:
    [[noreturn]] static void tooMuch();
    std::uint32_t update(std::uint32_t crc, std::span<const std::uint8_t> bytes) const;

    OutputSink& sink_;
    std::uint64_t declared_;
    Check check_;
    std::vector<std::uint8_t> buffer_;
    std::size_t len_ = 0;
    std::uint64_t written_ = 0;
    std::uint32_t crc_;  // over the flushed bytes
};

}  // namespace kv::arc
