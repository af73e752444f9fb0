#include "archive/OutputSink.h"

#include "base/Errors.h"

namespace kv::arc {

void OutputSink::StartMemory(std::size_t cap) {
    memory_.clear();
    memoryCap_ = cap;
}

bool OutputSink::Write(std::span<const std::uint8_t> bytes) {
    if (mode_ == SinkMode::Memory) {
        if (bytes.size() > memoryCap_ - memory_.size()) return false;
        memory_.insert(memory_.end(), bytes.begin(), bytes.end());
        return true;
    }
    ByteSink* target = mode_ == SinkMode::File ? file_ : mode_ == SinkMode::Stream1 ? stream1_ : stream2_;
    if (!target) return false;
    if (mode_ == SinkMode::File && fileCap_ && (bytes.size() > fileCap_ || target->size() > fileCap_ - bytes.size()))
        return false;
    try {
        target->write(bytes.data(), bytes.size());
    } catch (const EIoError&) {
        return false;
    }
    return true;
}

}  // namespace kv::arc
