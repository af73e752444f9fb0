#include "base/ReadAhead.h"

#include <algorithm>
#include <cstring>

#include "base/Errors.h"

namespace kv {

ReaderPtr MakeReader(std::unique_ptr<TReadAheadStream> stream) {
    return ReaderPtr(stream.release());
}

TReadAheadStream::TReadAheadStream(std::unique_ptr<ByteSource> source, std::string fileName, std::size_t bufferSize)
    : source_(std::move(source)), fileName_(std::move(fileName)),
      buffer_(std::clamp<std::size_t>(bufferSize, 1, kMaxBufferSize)) {}

ReaderPtr TReadAheadStream::Open(const std::string& fileName, std::size_t bufferSize) {
    return Open([](const std::string& name) { return std::make_unique<FileSource>(name); }, fileName, bufferSize);
}

ReaderPtr TReadAheadStream::Open(const Opener& open, const std::string& fileName, std::size_t bufferSize) {
    std::unique_ptr<ByteSource> source;
    try {
        source = open(fileName);
    } catch (const EIoError&) {
        throw EReadBufferError();
    }
    return MakeReader(std::make_unique<TReadAheadStream>(std::move(source), fileName, bufferSize));
}

const std::string& TReadAheadStream::FileName() const { return fileName_; }

std::uint64_t TReadAheadStream::Position() const { return bufferStart_ + offset_; }

void TReadAheadStream::Seek(std::uint64_t pos) {
    if (pos >= bufferStart_ && pos - bufferStart_ <= filled_) {
        offset_ = static_cast<std::size_t>(pos - bufferStart_);
        return;
    }
    bufferStart_ = pos;
    filled_ = 0;
    offset_ = 0;
}

std::uint64_t TReadAheadStream::Size() {
    if (!sizeKnown_) {
        size_ = source_->size();
        sizeKnown_ = true;
    }
    return size_;
}

bool TReadAheadStream::FillBuffer() {
    bufferStart_ += offset_;
    offset_ = 0;
    filled_ = source_->readAt(bufferStart_, buffer_.data(), buffer_.size());
    return filled_ > 0;
}

std::size_t TReadAheadStream::Read(void* out, std::size_t n) {
    auto* dest = static_cast<std::uint8_t*>(out);
    std::size_t done = 0;
    while (done < n) {
        if (offset_ == filled_) {
            // Large reads go straight to the destination; the buffer would only add a copy.
            if (n - done >= buffer_.size()) {
                std::size_t got = source_->readAt(Position(), dest + done, n - done);
                bufferStart_ += offset_ + got;
                offset_ = 0;
                filled_ = 0;
                done += got;
                break;
            }
            if (!FillBuffer()) break;
        }
        std::size_t take = std::min(n - done, filled_ - offset_);
        std::memcpy(dest + done, buffer_.data() + offset_, take);
        offset_ += take;
        done += take;
    }
    return done;
}

void TReadAheadStream::ReadExactly(void* out, std::size_t n) {
    if (Read(out, n) != n) throw ETruncated("data ends before its announced length");
}

bool TReadAheadStream::CopyTo(ByteSink& sink, std::uint64_t count) {
    while (count > 0) {
        if (offset_ == filled_ && !FillBuffer()) return false;
        std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(count, filled_ - offset_));
        sink.write(buffer_.data() + offset_, take);
        offset_ += take;
        count -= take;
    }
    return true;
}

bool TReadAheadStream::Eof() { return Position() >= Size(); }

}  // namespace kv
