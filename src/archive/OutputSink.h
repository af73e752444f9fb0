#pragma once
// Where decoded member bytes go: the output file, one of two caller streams, or a
// memory buffer. One sink serves every component of a context.
#include <cstdint>
#include <span>
#include <vector>

#include "base/ByteSink.h"

namespace kv::arc {

enum class SinkMode : std::uint8_t { File = 1, Stream1 = 2, Stream2 = 3, Memory = 4 };

class OutputSink {
public:
    SinkMode Mode() const { return mode_; }
    void SetMode(SinkMode mode) { mode_ = mode; }

    // Targets are not owned; a missing target refuses every write.
    void SetFile(ByteSink* file) { file_ = file; }
    void SetStreams(ByteSink* first, ByteSink* second) {
        stream1_ = first;
        stream2_ = second;
    }

    // Memory mode: empties the buffer and caps what it takes (a write past the cap
    // is refused, so a decoder cannot blow up memory on a lying size).
    void StartMemory(std::size_t cap);
    const std::vector<std::uint8_t>& Memory() const { return memory_; }
    std::vector<std::uint8_t> TakeMemory() { return std::move(memory_); }

    // File mode: a file may not grow past cap bytes (0: no cap); the write that
    // would pass it is refused.
    void SetFileCap(std::uint64_t cap) { fileCap_ = cap; }
    std::uint64_t FileCap() const { return fileCap_; }

    // Writes by mode; false when not all bytes were taken.
    bool Write(std::span<const std::uint8_t> bytes);

private:
    SinkMode mode_ = SinkMode::File;
    ByteSink* file_ = nullptr;
    ByteSink* stream1_ = nullptr;
    ByteSink* stream2_ = nullptr;
    std::vector<std::uint8_t> memory_;
    std::size_t memoryCap_ = 0;
    std::uint64_t fileCap_ = 0;
};

}  // namespace kv::arc
