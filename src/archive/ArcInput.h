#pragma once
// The archive being walked: records at 64-bit positions, served from one
// read-ahead buffer so that header walks do not seek per record. The first read
// of a file is small (a header, or the whole of a small file); later ones read
// ahead further, for walks through headers in sequence. The buffer can be handed
// from one file to the next, so a scan of many archives allocates it once.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/BoundedReader.h"
#include "base/ByteSource.h"

namespace kv::arc {

class ArcInput final : public ByteSource {
public:
    // The largest record a walker may ask for (a header with its names and comments).
    static constexpr std::size_t kMaxRecord = 1 << 20;

    explicit ArcInput(std::unique_ptr<ByteSource> source, std::vector<std::uint8_t> buffer = {});

    std::uint64_t Size() const { return size_; }
    std::uint64_t size() override { return size_; }
    // The file itself, for long reads of member data that the buffer would only copy.
    ByteSource& Source() { return *source_; }
    // Served from the buffer where it holds the bytes (short only at the end).
    std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override;

    // Exactly n bytes at pos, valid until the next call; ETruncated when the file
    // ends first or n is beyond kMaxRecord.
    BoundedReader Record(std::uint64_t pos, std::size_t n);
    // Up to n bytes at pos (fewer at the end of the file).
    BoundedReader Upto(std::uint64_t pos, std::size_t n);
    // A zero-terminated text at pos of at most maxLength characters; nullopt when
    // no zero follows within maxLength (or before the end of the file).
    std::optional<std::string> ZeroText(std::uint64_t pos, std::size_t maxLength);

    // The buffer, for the next file; this input is empty afterwards.
    std::vector<std::uint8_t> TakeBuffer();

private:
    void fill(std::uint64_t pos, std::size_t n);

    std::unique_ptr<ByteSource> source_;
    std::uint64_t size_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferPos_ = 0;
    std::size_t bufferLen_ = 0;
    int fills_ = 0;
};

}  // namespace kv::arc
