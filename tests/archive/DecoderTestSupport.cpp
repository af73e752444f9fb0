#include "DecoderTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>

#include "archive/OutputSink.h"
#include "base/ByteSource.h"

namespace kv::arc::test {
namespace {

std::uint32_t Le16(const Bytes& b, std::size_t at) {
    if (at + 2 > b.size()) throw std::runtime_error("header past the end");
    return b[at] | b[at + 1] << 8;
}
std::uint32_t Le32(const Bytes& b, std::size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

}  // namespace

std::vector<PackedMember> LhaMembers(const Bytes& a) {
    std::vector<PackedMember> out;
    std::size_t at = 0;
    // Self-extractors: the first "-lh" or "-lz" method id with a plausible header before it.
    for (; at + 7 < a.size(); ++at) {
        if (a[at + 2] == '-' && a[at + 3] == 'l' && (a[at + 4] == 'h' || a[at + 4] == 'z') && a[at + 6] == '-' &&
            a[at + 20] <= 3)
            break;
    }
    while (at + 22 <= a.size() && a[at] != 0) {
        PackedMember m;
        m.method = a[at + 5] == 'd' ? 'd' : a[at + 5] - '0';
        m.packed = Le32(a, at + 7);
        m.unpacked = Le32(a, at + 11);
        const int level = a[at + 20];
        if (level == 0 || level == 1) {
            const std::size_t size = a[at] + 2u;
            const std::size_t nameLen = a[at + 21];
            m.name.assign(a.begin() + static_cast<long>(at) + 22, a.begin() + static_cast<long>(at + 22 + nameLen));
            m.crc = Le16(a, at + 22 + nameLen);
            std::size_t data = at + size;
            if (level == 1) {
                // Extended headers sit between the base header and the data, counted in the packed size.
                for (std::uint32_t ext = Le16(a, at + size - 2); ext != 0; ext = Le16(a, data - 2)) {
                    data += ext;
                    m.packed -= ext;
                }
            }
            m.dataPos = data;
        } else if (level == 2 || level == 3) {
            const std::size_t lenBytes = level == 2 ? 2 : 4;
            const std::size_t size = level == 2 ? Le16(a, at) : Le32(a, at + 24);
            m.crc = Le16(a, at + 21);
            for (std::size_t e = at + (level == 2 ? 24 : 28);;) {
                const std::size_t ext = lenBytes == 2 ? Le16(a, e) : Le32(a, e);
                if (ext == 0) break;
                if (a[e + lenBytes] == 1)
                    m.name.assign(a.begin() + static_cast<long>(e + lenBytes + 1),
                                  a.begin() + static_cast<long>(e + ext));
                e += ext;
            }
            m.dataPos = at + size;
        } else {
            throw std::runtime_error("unknown LHA header level");
        }
        at = static_cast<std::size_t>(m.dataPos + m.packed);
        out.push_back(m);
    }
    return out;
}

std::vector<PackedMember> ArjMembers(const Bytes& a) {
    std::vector<PackedMember> out;
    std::size_t at = 0;
    while (at + 4 < a.size() && !(a[at] == 0x60 && a[at + 1] == 0xEA && Le16(a, at + 2) <= 2600)) ++at;
    // The main header, then one header per member until a header of size 0.
    bool main = true;
    while (at + 4 <= a.size() && Le16(a, at) == 0xEA60) {
        const std::size_t size = Le16(a, at + 2);
        if (size == 0) break;
        const std::size_t h = at + 4;
        std::size_t next = h + size + 4;
        while (const std::uint32_t ext = Le16(a, next)) next += 2 + ext + 4;
        next += 2;
        if (!main) {
            PackedMember m;
            m.method = a[h + 5];
            m.packed = Le32(a, h + 12);
            m.unpacked = Le32(a, h + 16);
            m.crc = Le32(a, h + 20);
            for (std::size_t n = h + a[h]; n < h + size && a[n] != 0; ++n) m.name.push_back(static_cast<char>(a[n]));
            m.dataPos = next;
            next += m.packed;
            out.push_back(m);
        }
        main = false;
        at = next;
    }
    return out;
}

std::vector<PackedMember> ZooMembers(const Bytes& a) {
    std::vector<PackedMember> out;
    for (std::size_t at = Le32(a, 24); at != 0 && at + 56 <= a.size();) {
        if (Le32(a, at) != 0xFDC4A7DC) throw std::runtime_error("bad ZOO entry tag");
        const std::size_t next = Le32(a, at + 6);
        if (next == 0) break;
        PackedMember m;
        m.method = a[at + 5];
        m.dataPos = Le32(a, at + 10);
        m.crc = Le16(a, at + 18);
        m.unpacked = Le32(a, at + 20);
        m.packed = Le32(a, at + 24);
        for (std::size_t n = at + 38; n < at + 51 && a[n] != 0; ++n) m.name.push_back(static_cast<char>(a[n]));
        if (a[at + 30] == 0) out.push_back(m);  // not deleted
        at = next;
    }
    return out;
}

std::vector<PackedMember> ArcMembers(const Bytes& a) {
    std::vector<PackedMember> out;
    std::size_t at = 0;
    while (at + 2 <= a.size()) {
        if (a[at] != 0x1A) throw std::runtime_error("no ARC mark");
        PackedMember m;
        m.method = a[at + 1] & 0x7F;
        if (m.method == 0) break;
        for (std::size_t n = at + 2; n < at + 15 && a[n] != 0; ++n) m.name.push_back(static_cast<char>(a[n]));
        m.packed = Le32(a, at + 15);
        m.crc = Le16(a, at + 23);
        const std::size_t size = m.method == 1 ? 25 : 29;
        m.unpacked = m.method == 1 ? m.packed : Le32(a, at + 25);
        m.dataPos = at + size;
        at = static_cast<std::size_t>(m.dataPos + m.packed);
        out.push_back(m);
    }
    return out;
}

Decoded DecodeMember(const Bytes& archive, const PackedMember& m, DecodedOutput::Check check,
                     const DecodeFn& decode) {
    MemorySource source(archive);
    PackedInput in(source, m.dataPos, m.packed);
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(static_cast<std::size_t>(m.unpacked));
    DecodedOutput out(sink, m.unpacked, check);
    decode(in, out);
    out.Flush();
    return {sink.TakeMemory(), out.Crc()};
}

Decoded DecodeBytes(const Bytes& packed, std::uint64_t unpacked, const DecodeFn& decode) {
    PackedMember m;
    m.packed = packed.size();
    m.unpacked = unpacked;
    return DecodeMember(packed, m, DecodedOutput::Check::Crc16, decode);
}

Bytes ExpectedContent(const std::string& expected, const std::string& member) {
    if (!expected.empty()) return ReadFixture(expected);
    std::string name = member.substr(member.find_last_of("/\\") + 1);
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ReadFixture("decoders/payload/" + name);
}

int RaisedId(const std::function<void()>& f) {
    try {
        f();
    } catch (const E_RAISE& e) {
        return e.id();
    }
    return 0;
}

void ExpectDamageNoticed(const std::function<Decoded()>& decode, const PackedMember& m, const Bytes& good) {
    Decoded d;
    if (RaisedId([&] { d = decode(); }) != 0) return;
    EXPECT_EQ(d.bytes.size(), m.unpacked);
    EXPECT_TRUE(d.crc != m.crc || d.bytes == good) << "damage decoded to other content with the stored CRC";
}

MsbBits& MsbBits::Put(std::uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) {
        if (used_ == 8) {
            bytes.push_back(0);
            used_ = 0;
        }
        if (value >> i & 1) bytes.back() |= static_cast<std::uint8_t>(0x80 >> used_);
        ++used_;
    }
    return *this;
}

LsbBits& LsbBits::Put(std::uint32_t value, int n) {
    for (int i = 0; i < n; ++i) {
        if (used_ == 8) {
            bytes.push_back(0);
            used_ = 0;
        }
        if (value >> i & 1) bytes.back() |= static_cast<std::uint8_t>(1 << used_);
        ++used_;
    }
    return *this;
}

}  // namespace kv::arc::test
