#pragma once
// Whole files as bytes, for tests that put a catalog on disk and look at what a save left.
#include <cstdint>
#include <string>
#include <vector>

#include "base/ByteSink.h"
#include "base/ByteSource.h"

namespace kv::test {

using Bytes = std::vector<std::uint8_t>;

// Empty when the file is missing.
inline Bytes ReadFile(const std::string& path) {
    try {
        return readWholeFile(path);
    } catch (const std::exception&) {
        return {};
    }
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
    FileSink sink(path);
    sink.write(bytes.data(), bytes.size());
    sink.close();
}

}  // namespace kv::test
