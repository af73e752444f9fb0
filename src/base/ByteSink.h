#pragma once
// Destinations of bytes: appended at the end, earlier bytes patchable in place.
// A failing write (disk full, device gone) throws EIoError; nothing is dropped silently.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kv {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void write(const void* data, std::size_t n) = 0;
    // Overwrites bytes already written; pos + n must not pass size() (std::out_of_range).
    virtual void writeAt(std::uint64_t pos, const void* data, std::size_t n) = 0;
    virtual std::uint64_t size() const = 0;
    // Pushes everything to the system and to stable storage.
    virtual void flush() = 0;
    // Writes out what is still buffered and lets the destination go; throws EIoError
    // when the last bytes cannot be written. Nothing may be written after it.
    virtual void close() { flush(); }
};

class MemorySink final : public ByteSink {
public:
    void write(const void* data, std::size_t n) override;
    void writeAt(std::uint64_t pos, const void* data, std::size_t n) override;
    std::uint64_t size() const override { return bytes_.size(); }
    void flush() override {}
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// A file created (or emptied) for writing. Throws EIoError when it cannot be made.
class FileSink final : public ByteSink {
public:
    explicit FileSink(const std::string& path);
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    void write(const void* data, std::size_t n) override;
    void writeAt(std::uint64_t pos, const void* data, std::size_t n) override;
    std::uint64_t size() const override { return size_; }
    void flush() override;
    // Flushes (to stable storage) and closes; throws EIoError when the last bytes
    // cannot be written. The file is closed either way; a second call does nothing.
    void close() override;

private:
    static constexpr std::uint64_t kUnknownPosition = ~std::uint64_t{0};
    std::FILE* openFile() const;
    void put(std::uint64_t pos, const void* data, std::size_t n);

    std::string path_;
    void* file_ = nullptr;  // std::FILE*
    std::uint64_t size_ = 0;
    std::uint64_t at_ = 0;  // where the next fwrite lands; saves a seek on appends
};

}  // namespace kv
