#pragma once
// 64-bit positioning and error texts shared by the file source and the file sink.
#include <cstdint>
#include <cstdio>
#include <string>

namespace kv::fileio {

bool seek(std::FILE* f, std::int64_t offset, int origin);
std::int64_t tell(std::FILE* f);  // -1 on failure
// Pushes what the system holds for f to stable storage.
bool commit(std::FILE* f);
// "<what> \"<path>\": <reason from errno>"
std::string failure(const char* what, const std::string& path);

}  // namespace kv::fileio
