#pragma once
// Decoder tests: just enough header parsing to find each member's packed bytes in
// the fixture archives, decoding into memory, and bit writers for crafted streams.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ArcTestSupport.h"
#include "archive/decoders/DecoderIo.h"
#include "archive/ArcError.h"

namespace kv::arc::test {

struct PackedMember {
    std::string name;
    int method = 0;  // the format's number (LHA: the digit of -lhN-, 'd' for folders)
    std::uint64_t dataPos = 0;
    std::uint64_t packed = 0;
    std::uint64_t unpacked = 0;
    std::uint32_t crc = 0;  // as stored
};

std::vector<PackedMember> LhaMembers(const Bytes& archive);
std::vector<PackedMember> ArjMembers(const Bytes& archive);
std::vector<PackedMember> ZooMembers(const Bytes& archive);
std::vector<PackedMember> ArcMembers(const Bytes& archive);

struct Decoded {
    Bytes bytes;
    std::uint32_t crc = 0;
};

using DecodeFn = std::function<void(PackedInput&, DecodedOutput&)>;

// Decodes one member into memory with the given check.
Decoded DecodeMember(const Bytes& archive, const PackedMember& m, DecodedOutput::Check check, const DecodeFn& decode);
// Decodes packed bytes given directly, declaring `unpacked` bytes.
Decoded DecodeBytes(const Bytes& packed, std::uint64_t unpacked, const DecodeFn& decode);

// The content a member must have: the file `expected` (under the archive fixtures), or
// when that is empty the payload file of the made archives with the member's name.
Bytes ExpectedContent(const std::string& expected, const std::string& member);

// The message number `f` raised as E_RAISE, 0 when it returned normally.
int RaisedId(const std::function<void()>& f);

// A damaged copy of member m must be noticed: decode raises, or it fills the
// declared size and its CRC differs from the stored one, or it still gives the
// right content (good).
void ExpectDamageNoticed(const std::function<Decoded()>& decode, const PackedMember& m, const Bytes& good);

// Streams written bit by bit, high bit first (LHA, ARJ) or low bit first (ARC, ZOO).
class MsbBits {
public:
    MsbBits& Put(std::uint32_t value, int n);
    Bytes bytes;

private:
    int used_ = 8;
};

class LsbBits {
public:
    LsbBits& Put(std::uint32_t value, int n);
    Bytes bytes;

private:
    int used_ = 8;
};

}  // namespace kv::arc::test
