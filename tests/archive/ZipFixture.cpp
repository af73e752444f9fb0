#include "ZipFixture.h"

#include <gtest/gtest.h>
#include <stdexcept>

#include "ArcTestSupport.h"
#include "archive/ArcError.h"
#include "archive/decoders/DecoderIo.h"
#include "archive/decoders/ZipCipher.h"
#include "archive/formats/ZipMemberDecode.h"
#include "base/ByteSource.h"
#include "base/Errors.h"

namespace kv::arc::test {
namespace {

std::uint32_t Le(const Bytes& b, std::size_t at, int n) {
    if (at + n > b.size()) throw std::runtime_error("zip fixture: record past the end");
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

}  // namespace

std::vector<ZipEntry> ZipEntries(const Bytes& zip) {
    std::size_t end = zip.size() - 22;
    while (Le(zip, end, 4) != 0x06054B50) {
        if (end == 0) throw std::runtime_error("zip fixture: no end record");
        --end;
    }
    std::vector<ZipEntry> entries;
    std::size_t at = Le(zip, end + 16, 4);
    for (unsigned i = 0, n = Le(zip, end + 10, 2); i < n; ++i) {
        ZipEntry e;
        e.flags = static_cast<std::uint16_t>(Le(zip, at + 8, 2));
        e.method = static_cast<int>(Le(zip, at + 10, 2));
        e.time = static_cast<std::uint16_t>(Le(zip, at + 12, 2));
        e.crc = Le(zip, at + 16, 4);
        e.packed = Le(zip, at + 20, 4);
        e.size = Le(zip, at + 24, 4);
        std::size_t nameLen = Le(zip, at + 28, 2);
        e.name.assign(zip.begin() + at + 46, zip.begin() + at + 46 + nameLen);
        std::size_t local = Le(zip, at + 42, 4);
        e.data = local + 30 + Le(zip, local + 26, 2) + Le(zip, local + 28, 2);
        entries.push_back(e);
        at += 46 + nameLen + Le(zip, at + 30, 2) + Le(zip, at + 32, 2);
    }
    return entries;
}

const ZipEntry& FindEntry(const std::vector<ZipEntry>& entries, const std::string& name) {
    for (const auto& e : entries) {
        if (e.name == name) return e;
    }
    throw std::runtime_error("zip fixture: no member " + name);
}

Decoded DecodeEntry(const Bytes& zip, const ZipEntry& e, const std::string& password) {
    MemorySource source(zip);
    PackedInput in(source, e.data, e.packed);
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(static_cast<std::size_t>(e.size));
    DecodedOutput out(sink, e.size, DecodedOutput::Check::Crc32);
    if (e.flags & 1) {
        std::array<std::uint8_t, ZipCipher::kHeaderSize> header{};
        if (in.Read(header.data(), header.size()) != header.size()) throw E_RAISE(eBadBlock);
        auto cipher = OpenZipCipher(header, e.flags, e.time, e.crc, password);
        if (!cipher) throw E_RAISE(ePasswordFailed);
        in.SetTransform([c = *cipher](std::uint8_t b) mutable { return c.Decrypt(b); });
    }
    DecodeZipMember(in, out, e.method, e.flags);
    return {sink.TakeMemory(), out.Crc()};
}

Bytes ZipDecoderFixture(const std::string& relative) {
    return readWholeFile(std::string(KV_FIXTURES_DIR) + "/decoders/zip/" + relative);
}

Bytes HistoricFixture(const std::string& relative) {
    try {
        return ZipDecoderFixture("historic/" + relative);
    } catch (const EIoError&) {
        return ReadFixture("historic/" + relative);  // shared with the listing tests
    }
}

}  // namespace kv::arc::test
