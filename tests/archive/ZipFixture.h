#pragma once
// Just enough ZIP reading to hand the decoders real members: the central directory's
// fields and where each member's data starts.
#include <cstdint>
#include <string>
#include <vector>

namespace kv::arc::test {

using Bytes = std::vector<std::uint8_t>;

struct ZipEntry {
    std::string name;
    int method = 0;
    std::uint16_t flags = 0;
    std::uint16_t time = 0;
    std::uint32_t crc = 0;
    std::uint64_t packed = 0;
    std::uint64_t size = 0;
    std::uint64_t data = 0;  // offset of the member's data in the archive
};

struct Decoded {
    Bytes bytes;
    std::uint32_t crc = 0;
};

std::vector<ZipEntry> ZipEntries(const Bytes& zip);
const ZipEntry& FindEntry(const std::vector<ZipEntry>& entries, const std::string& name);
// Decodes one member into memory through the library's method switch; an encrypted
// member is decrypted with the password (ePasswordFailed when it does not fit).
Decoded DecodeEntry(const Bytes& zip, const ZipEntry& e, const std::string& password = "");

// Files of tests/fixtures/decoders/zip/, and historic archives from there or from the
// archive fixtures.
Bytes ZipDecoderFixture(const std::string& relative);
Bytes HistoricFixture(const std::string& relative);

}  // namespace kv::arc::test
