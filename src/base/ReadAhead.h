#pragma once
// A buffered, seekable reader over a byte source: the catalog's open file.
// Parsers take their bytes from it; seeks inside the buffer cost nothing.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/ByteSink.h"
#include "base/ByteSource.h"

namespace kv {

class TReadAheadStream;
// The open catalog file that catalog records keep.
using ReaderPtr = std::unique_ptr<TReadAheadStream>;

class TReadAheadStream {
public:
    // Over any byte source; bufferSize capped at 0x3FFFF.
    TReadAheadStream(std::unique_ptr<ByteSource> source, std::string fileName, std::size_t bufferSize = 16384);
    // Opens a file (shared for reading); throws EReadBufferError ("File open error") when it cannot.
    static ReaderPtr Open(const std::string& fileName, std::size_t bufferSize = 16384);
    // The same through the caller's way of opening files (one that keeps others from writing).
    using Opener = std::function<std::unique_ptr<ByteSource>(const std::string&)>;
    static ReaderPtr Open(const Opener& open, const std::string& fileName, std::size_t bufferSize = 16384);
    const std::string& FileName() const;
    std::uint64_t Position() const;
    void Seek(std::uint64_t pos);          // a seek inside the buffer does no I/O
    std::uint64_t Size();
    std::size_t Read(void* out, std::size_t n);  // short only at the end of the file
    void ReadExactly(void* out, std::size_t n);  // throws ETruncated when short
    bool CopyTo(ByteSink& sink, std::uint64_t count);  // true only when all count bytes were copied
    bool Eof();

    static constexpr std::size_t kMaxBufferSize = 0x3FFFF;

private:
    // Refills the buffer at the current position; false at the end of the source.
    bool FillBuffer();

    std::unique_ptr<ByteSource> source_;
    std::string fileName_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0;  // file position of buffer_[0]
    std::size_t filled_ = 0;         // valid bytes in buffer_
    std::size_t offset_ = 0;         // read position inside the buffer; may equal filled_
    std::uint64_t size_ = 0;
    bool sizeKnown_ = false;
};

ReaderPtr MakeReader(std::unique_ptr<TReadAheadStream> stream);

}  // namespace kv
