#pragma once
// Raw deflate (ZIP method 8, gzip) through zlib, and the gzip member's method switch.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Decodes one deflate stream to its end block; bytes after the end are ignored.
// Returns how many of the packed bytes taken from `in` lay after the end block (so a
// caller can find what follows the stream).
// Fails with eBadBlock on damage, on output past the declared size and on a stream
// that runs out of packed bytes before its final block; eIncompleteCodeSet and
// eBadLengths for bad code tables; eOutOfMemory when zlib gets no memory.
std::size_t Inflate(PackedInput& in, DecodedOutput& out);

// One gzip member's data by its method byte: 0 stored, 8 deflated, else
// eUnsupportedMethod. Returns the packed bytes taken past the data's end.
std::size_t DecodeGzipMember(PackedInput& in, DecodedOutput& out, int method);

}  // namespace kv::arc
