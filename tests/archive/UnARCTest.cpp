#include <gtest/gtest.h>

#include <cctype>

#include "UnSequentialSupport.h"
#include "archive/ArcBytes.h"
#include "archive/ArcError.h"
#include "archive/SafePath.h"
#include "archive/formats/ArcFormatExtractor.h"

namespace kv::arc::test {
namespace {

// Debian's arc keeps names in lower case, the DOS archivers in upper case.
std::map<std::string, Bytes> UpperNames(const std::map<std::string, Bytes>& files) {
    std::map<std::string, Bytes> out;
    for (const auto& [name, bytes] : files) {
        std::string upper = name;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        out[upper] = bytes;
    }
    return out;
}

struct ArcCase {
    const char* archive;
    std::map<std::string, std::string> expected;  // member file -> fixture with its content
};

class UnARCArchives : public ::testing::TestWithParam<ArcCase> {};

// Stored, packed, squeezed, crunched (5-8) and squashed members of Debian's arc, of
// historic archivers and of our own crunch encoder, against what the real tools extract.
TEST_P(UnARCArchives, ExtractsWhatTheRealToolsExtract) {
    const ArcCase& c = GetParam();
    ExtractRun r;
    TUnARC x(*r.context);
    r.Run(x, c.archive);
    EXPECT_EQ(r.raised, 0);
    EXPECT_TRUE(r.messages.empty());
    std::map<std::string, Bytes> want;
    for (const auto& [member, fixture] : c.expected) want[member] = ReadFixture(fixture);
    EXPECT_EQ(UpperNames(r.Files()), want);
    for (const auto& [fn, pass] : r.crcPass) EXPECT_TRUE(pass) << fn;
    EXPECT_EQ(r.fs->dates.size(), want.size());
}

const std::string kPayload = "decoders/payload/";
const std::map<std::string, std::string> kPayloads = {
    {"LEAD.TXT", kPayload + "lead.txt"}, {"NOISE.BIN", kPayload + "noise.bin"}, {"RUNS.BIN", kPayload + "runs.bin"},
    {"SKEW.BIN", kPayload + "skew.bin"}, {"TEXT.TXT", kPayload + "text.txt"}};
std::map<std::string, std::string> CrunchMembers() {
    std::map<std::string, std::string> m = kPayloads;
    m.erase("SKEW.BIN");
    m["EMPTY.DAT"] = "crunch/empty.dat";
    m["ONE.DAT"] = "crunch/one.dat";
    return m;
}
const char* const kLicense = "decoders/expected/unarc-rs_tests_arc_crunch.arc_LICENSE";

INSTANTIATE_TEST_SUITE_P(
    Real, UnARCArchives,
    ::testing::Values(
        ArcCase{"made/flat.arc",
                {{"EMPTY.DAT", "extracted/tree/empty.dat"},
                 {"NUMBERS.TXT", "extracted/tree/numbers.txt"},
                 {"README.TXT", "extracted/tree/readme.txt"}}},
        ArcCase{"decoders/crunch.arc", kPayloads}, ArcCase{"decoders/squash.arc", kPayloads},
        ArcCase{"crunch/crunch5.arc", CrunchMembers()}, ArcCase{"crunch/crunch6.arc", CrunchMembers()},
        ArcCase{"crunch/crunch7.arc", CrunchMembers()},
        ArcCase{"historic/unarc-rs/tests/arc/cpm.arc",
                {{"DDTZ.COM", "decoders/expected/unarc-rs_tests_arc_cpm.arc_DDTZ.COM"},
                 {"READ.COM", "decoders/expected/unarc-rs_tests_arc_cpm.arc_READ.COM"}}},
        ArcCase{"historic/unarc-rs/tests/arc/crunch.arc", {{"LICENSE", kLicense}}},
        ArcCase{"historic/unarc-rs/tests/arc/squashed.arc", {{"LICENSE", kLicense}}},
        ArcCase{"historic/unarc-rs/tests/arc/store.arc", {{"LICENSE", kLicense}}}));

TEST(UnARC, OneMemberFromTheMiddleOfTheArchive) {
    // The members before it are skipped with a warning, not an error.
    ExtractRun r;
    TUnARC x(*r.context);
    r.Run(x, "decoders/squash.arc", "runs.bin");
    EXPECT_EQ(r.raised, 0);
    EXPECT_EQ(UpperNames(r.Files()), (std::map<std::string, Bytes>{{"RUNS.BIN", ReadFixture(kPayload + "runs.bin")}}));
    int skipped = 0;
    for (const auto& m : r.messages) skipped += m.first == eSkippedFile;
    EXPECT_EQ(skipped, 4);
}

TEST(UnARC, RefusalsAndDamage) {
    {
        ExtractRun r;
        TUnARC x(*r.context);
        r.Run(x, "historic/unarc-rs/tests/pak/license.pak");
        EXPECT_EQ(r.raised, eWrongArchiveType);
    }
    {
        // An unknown method is passed over with a warning; the member before it still comes out.
        Bytes a = ReadFixture("historic/unarc-rs/tests/arc/cpm.arc");
        a[29 + Le32(&a[15]) + 1] = 20;
        ExtractRun r;
        TUnARC x(*r.context);
        r.Run(x, r.Craft("method.arc", a));
        EXPECT_EQ(r.raised, 0);
        EXPECT_TRUE(r.Said(eUnsupportedMethod));
        EXPECT_EQ(r.Files().size(), 1u);
    }
    {
        // A wrong CRC ends the extraction with the error; the corrupt file does not stay.
        Bytes a = ReadFixture("historic/unarc-rs/tests/arc/cpm.arc");
        a[2 + 13 + 4 + 4] ^= 1;
        ExtractRun r;
        TUnARC x(*r.context);
        r.Run(x, r.Craft("crc.arc", a));
        EXPECT_EQ(r.raised, eCrcFailed);
        EXPECT_TRUE(r.Said(eCrcFailed));
        EXPECT_TRUE(r.Files().empty());
        EXPECT_TRUE(r.crcPass.empty());
    }
    {
        // An output file that cannot be made is a write error.
        ExtractRun r;
        TUnARC x(*r.context);
        r.fs->refuseOutput = {kOutDir + "DDTZ.COM"};
        r.Run(x, "historic/unarc-rs/tests/arc/cpm.arc");
        EXPECT_EQ(r.raised, eWriteError);
        EXPECT_TRUE(r.Said(eWriteError));
    }
    {
        // Cut in the middle of a crunched member: a message, no crash.
        Bytes a = ReadFixture("decoders/crunch.arc");
        a.resize(a.size() / 2);
        ExtractRun r;
        TUnARC x(*r.context);
        r.Run(x, r.Craft("cut.arc", a));
        EXPECT_NE(r.raised, 0);
    }
}

TEST(UnARC, HostileNamesStayInsideTheFolder) {
    Bytes a = ReadFixture("historic/unarc-rs/tests/arc/cpm.arc");
    const char evil[13] = "..\\..\\X.COM";
    std::copy(evil, evil + 13, a.begin() + 2);
    ExtractRun r;
    TUnARC x(*r.context);
    r.Run(x, r.Craft("evil.arc", a));
    EXPECT_EQ(r.raised, 0);
    EXPECT_TRUE(r.Said(eInvalidFileName));
    for (const auto& [path, bytes] : r.fs->written) EXPECT_TRUE(IsInsideFolder(kOutDir, path)) << path;
    EXPECT_EQ(r.Files().size(), 1u);
}

}  // namespace
}  // namespace kv::arc::test
