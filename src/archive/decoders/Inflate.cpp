#include "archive/decoders/Inflate.h"

#include <cstring>
#include <vector>
#include <zlib.h>

#include "archive/ArcError.h"
#include "archive/decoders/CopyStored.h"

namespace kv::arc {
namespace {

class RawInflater {
public:
    RawInflater() {
        std::memset(&z_, 0, sizeof z_);
        int rc = inflateInit2(&z_, -MAX_WBITS);
        if (rc == Z_MEM_ERROR) throw E_RAISE(eOutOfMemory);
        if (rc != Z_OK) throw E_RAISE(eBadBlock);
    }
    ~RawInflater() { inflateEnd(&z_); }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;
    z_stream* operator->() { return &z_; }
    z_stream* get() { return &z_; }

private:
    z_stream z_;
};

// zlib tells the kind of damage only by its message text.
int DamageId(const char* msg) {
    if (!msg) return eBadBlock;
    static const struct {
        const char* text;
        int id;
    } kMap[] = {
        {"invalid code lengths set", eIncompleteCodeSet},
        {"invalid literal/lengths set", eIncompleteCodeSet},
        {"invalid distances set", eIncompleteCodeSet},
        {"too many length or distance symbols", eBadLengths},
        {"invalid bit length repeat", eBadLengths},
    };
    for (const auto& m : kMap) {
        if (std::strcmp(msg, m.text) == 0) return m.id;
    }
    return eBadBlock;
}

}  // namespace

std::size_t Inflate(PackedInput& in, DecodedOutput& out) {
    RawInflater z;
    std::vector<std::uint8_t> input(PackedInput::kChunk);
    std::vector<std::uint8_t> output(DecodedOutput::kChunk);
    bool inputEnded = false;
    for (;;) {
        if (z->avail_in == 0 && !inputEnded) {
            std::size_t n = in.Read(input.data(), input.size());
            inputEnded = n == 0;
            z->next_in = input.data();
            z->avail_in = static_cast<uInt>(n);
        }
        z->next_out = output.data();
        z->avail_out = static_cast<uInt>(output.size());
        int rc = inflate(z.get(), Z_NO_FLUSH);
        out.Write(std::span(output.data(), output.size() - z->avail_out));
        switch (rc) {
            case Z_STREAM_END:
                out.Flush();
                return z->avail_in;
            case Z_OK: break;
            case Z_BUF_ERROR:
                // No progress: only possible when the packed bytes ran out mid-stream.
                if (inputEnded) throw E_RAISE(eBadBlock);
                break;
            case Z_MEM_ERROR: throw E_RAISE(eOutOfMemory);
            case Z_DATA_ERROR: throw E_RAISE(DamageId(z->msg));
            default: throw E_RAISE(eBadBlock);
        }
    }
}

std::size_t DecodeGzipMember(PackedInput& in, DecodedOutput& out, int method) {
    switch (method) {
        case 0: CopyStored(in, out); return 0;
        case 8: return Inflate(in, out);
        default: throw E_RAISE(eUnsupportedMethod);
    }
}

}  // namespace kv::arc
