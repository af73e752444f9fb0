// Every fixture of golden.list, listed by our detection and lister, against the
// listing the real tools gave (made by tools/make-archive-fixtures). A '*' field
// is one the tools do not show; a date without seconds (or time) is compared as far
// as it goes; a name marked "(?i)" came from a tool that changes its case.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "ArcTestSupport.h"
#include "archive/ArcDates.h"
#include "archive/ArcLister.h"

namespace kv::arc {
namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::stringstream ss(line);
    std::string part;
    while (std::getline(ss, part, '\t')) parts.push_back(part);
    return parts;
}

std::vector<std::string> readLines(const std::string& relative) {
    std::ifstream in(std::string(KV_FIXTURES_DIR) + "/archives/" + relative, std::ios::binary);
    std::vector<std::string> lines;
    std::string l;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

std::vector<std::string> ourFields(const ArcMember& m) {
    char crc[9] = "-";
    if (m.CrcBits == 32) std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(m.FileCRC));
    if (m.CrcBits == 16) std::snprintf(crc, sizeof crc, "%04X", static_cast<unsigned>(m.FileCRC & 0xFFFF));
    DateTime t = DosStampToDateTime(m.DosDate);
    char date[24], attr[3];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    std::snprintf(attr, sizeof attr, "%02X", static_cast<unsigned>(m.ExternalAttr & 0xFF));
    return {m.FileName, std::to_string(m.UnpackedSize64), std::to_string(m.PackedSize64), crc, date, attr,
            m.MethodName};
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool fieldMatches(std::size_t index, const std::string& expected, const std::string& ours) {
    if (expected == "*") return true;
    // A tool that shows names in lower case marks them so.
    if (index == 0 && expected.rfind("(?i)", 0) == 0) return sameIgnoringCase(expected.substr(4), ours);
    if (index == 4) return ours.compare(0, expected.size(), expected) == 0;
    return expected == ours;
}

TEST(GoldenListing, AgreesWithTheRealTools) {
    auto golden = readLines("golden.list");
    ASSERT_GT(golden.size(), 50u);
    auto context = test::FixtureContext();
    for (const std::string& entry : golden) {
        auto parts = splitTabs(entry);
        ASSERT_EQ(parts.size(), 2u) << entry;
        const std::string& archive = parts[0];
        SCOPED_TRACE(archive);
        auto expected = readLines(archive + ".expected");
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(expected[0], "TYPE\t" + parts[1]);

        TArcLister lister(*context);
        lister.SetArchiveFile(test::FixturePath(archive));
        std::string type(ArcTypeDisplayName(lister.ArcType()));
        type.erase(type.find_last_not_of(' ') + 1);
        EXPECT_EQ(type, parts[1]);
        std::vector<std::vector<std::string>> listed;
        lister.OnRead = [&](ArchiveReader& sender, std::uint64_t, int) { listed.push_back(ourFields(sender.Current)); };
        try {
            lister.Activate();
        } catch (const E_RAISE& e) {
            ADD_FAILURE() << e.what();
        }
        EXPECT_EQ(listed.size(), expected.size() - 1);
        std::string mismatches;
        for (std::size_t i = 0; i < listed.size() && i + 1 < expected.size(); ++i) {
            auto want = splitTabs(expected[i + 1]);
            ASSERT_EQ(want.size(), 7u) << expected[i + 1];
            for (std::size_t f = 0; f < 7; ++f)
                if (!fieldMatches(f, want[f], listed[i][f]))
                    mismatches += "member " + std::to_string(i) + " field " + std::to_string(f) + ": want '" +
                                  want[f] + "', got '" + listed[i][f] + "'\n";
        }
        EXPECT_EQ(mismatches, "");
    }
}

}  // namespace
}  // namespace kv::arc
