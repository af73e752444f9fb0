#pragma once
// Random-access sources of bytes with 64-bit positions. A read returns how many
// bytes arrived: fewer than asked only at the end of the source.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kv {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() = 0;
    // Reads up to n bytes at pos. Short only at the end; a failing device throws EIoError.
    virtual std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) = 0;
    // Exactly n bytes at pos, or ETruncated.
    void readExactly(std::uint64_t pos, void* out, std::size_t n);
};

// Bytes held in memory (owned).
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() override { return bytes_.size(); }
    std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// A file opened for reading. Throws EIoError when it cannot be opened.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    std::uint64_t size() override;
    std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override;
    const std::string& path() const { return path_; }

private:
    static constexpr std::uint64_t kUnknownPosition = ~std::uint64_t{0};
    std::string path_;
    void* file_ = nullptr;  // std::FILE*
    std::uint64_t size_ = 0;
    std::uint64_t at_ = kUnknownPosition;  // where the next fread starts; saves a seek on sequential reads
};

// The whole content of a file; throws EIoError.
std::vector<std::uint8_t> readWholeFile(const std::string& path);

}  // namespace kv
