#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ByteSource.h"
#include "scan/DescLineReader.h"
#include "scan/DescriptIonFile.h"
#include "scan/FileIdDiz.h"
#include "scan/FilesBbsFile.h"

namespace kv {
namespace {

MemorySource Bytes(std::string_view text) { return MemorySource(std::vector<std::uint8_t>(text.begin(), text.end())); }

std::vector<std::string> Lines(std::string_view text, std::size_t maxLine = 8192) {
    MemorySource src = Bytes(text);
    DescLineReader reader(src, maxLine);
    std::vector<std::string> out;
    std::string line;
    while (reader.readLine(line)) out.push_back(line);
    return out;
}

TEST(DescLineReader, BreaksEndOfFileMarkAndLongLines) {
    EXPECT_EQ(Lines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n\r\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Lines("a\nb\x1A" "c\nd"), (std::vector<std::string>{"a", "b"}));
    const std::string longLine(100000, 'x');
    const auto lines = Lines(longLine + "\nnext", 10);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(10, 'x'));
    EXPECT_EQ(lines[1], "next");
}

TEST(DescriptIon, ParsesEntriesAndRejectsOthers) {
    const struct {
        const char* line;
        bool entry;
        const char* name;
        const char* description;
    } cases[] = {
        {"readme.txt Read me first", true, "readme.txt", "Read me first"},
        {"\"my file.txt\" Has spaces", true, "my file.txt", "Has spaces"},
        {"a.txt     spaced out  ", true, "a.txt", "spaced out  "},
        {"a.txt    ", false, "", ""},
        {"nospace", false, "", ""},
        {"\"open quote text", false, "", ""},
        {"a.txt \x01" "control", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string name, description;
        EXPECT_EQ(ParseDescriptLine(c.line, name, description), c.entry) << c.line;
        if (c.entry) {
            EXPECT_EQ(name, c.name);
            EXPECT_EQ(description, c.description);
        }
    }
    std::string name = "old", description = "old";
    EXPECT_FALSE(ParseDescriptLine(" lead.txt text", name, description));
    EXPECT_EQ(name, "");
    EXPECT_EQ(description, "");
    EXPECT_TRUE(ParseDescriptLine("a " + std::string(5000, 'd'), name, description));
    EXPECT_EQ(description.size(), kMaxDescriptionLength);
}

TEST(DescriptIon, JoinsPadsAndCutsWhenWritten) {
    EXPECT_EQ(FormatDescriptEntry("a.txt", "one\r\ntwo\r\nthree"),
              "a.txt one" + std::string(37, ' ') + " two" + std::string(37, ' ') + " three");
    const std::string wide(45, 'w');
    EXPECT_EQ(FormatDescriptEntry("a", "x\r\n" + wide + "\r\ny\r\nz"),
              "a x" + std::string(39, ' ') + " " + wide + " y z");
    EXPECT_EQ(FormatDescriptEntry("my file", "d"), "\"my file\" d");
    const std::string line = FormatDescriptEntry("big.txt", std::string(600, 'q'));
    EXPECT_EQ(line.size(), 511u);
    EXPECT_EQ(line.substr(508), "...");
    // A continuation that begins with a blank gets none added.
    EXPECT_EQ(FormatDescriptEntry("a", std::string(41, 'x') + "\r\n y"), "a " + std::string(41, 'x') + " y");
}

struct BbsEntry {
    std::string name;
    std::string description;
    bool operator==(const BbsEntry&) const = default;
};

std::vector<BbsEntry> ReadBbs(std::string_view text, std::size_t maxLines = 0) {
    MemorySource src = Bytes(text);
    DescLineReader lines(src);
    FilesBbsReader reader(lines);
    std::vector<BbsEntry> out;
    BbsEntry e;
    while (reader.next(e.name, e.description, maxLines)) out.push_back(e);
    return out;
}

TEST(FilesBbs, ReadsEntriesWithContinuations) {
    const char* text =
        "   -- header line that is no entry --\r\n"
        "short\r\n"
        "prog.zip     A program\r\n"
        "             second line\r\n"
        "x\r\n"
        "other.arj    Other\r\n"
        "nospacesatallhere\r\n"
        "last.txt     Last";
    const std::vector<BbsEntry> want = {
        {"prog.zip", "     A program\r\n     second line"},
        {"other.arj", "    Other"},
        {"nospacesatal", "lhere"},
        {"last.txt", "     Last"},
    };
    // "x" is no longer than the name field: a continuation with nothing in its column.
    auto got = ReadBbs(text);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], want[0]);
    EXPECT_EQ(got[1], want[1]);
    EXPECT_EQ(got[2], want[2]);
    EXPECT_EQ(got[3], want[3]);

    auto limited = ReadBbs("a.txt        one\r\n  two\r\n  three\r\nb.txt        four\r\n", 1);
    ASSERT_EQ(limited.size(), 2u);
    EXPECT_EQ(limited[0].description, "        one");
    EXPECT_EQ(limited[1].name, "b.txt");
    EXPECT_TRUE(ReadBbs("").empty());
    EXPECT_TRUE(ReadBbs("tiny\r\n   indented\r\n").empty());
}

TEST(FilesBbs, WrittenEntriesReadBack) {
    const LineLimits none;
    EXPECT_EQ(FormatFilesBbsEntry("twelve.chars", "d1\r\nd2", none),
              (std::vector<std::string>{"twelve.chars d1", "             d2"}));
    EXPECT_EQ(FormatFilesBbsEntry("a very long name.txt", "d1", none),
              (std::vector<std::string>{"\"a very long name.txt\"", "             d1"}));
    EXPECT_EQ(FormatFilesBbsEntry("a.txt", "abcdef\r\nline2\r\nline3", LineLimits{3, 2}),
              (std::vector<std::string>{"a.txt        abc", "             lin"}));

    std::string file;
    for (const auto& [name, desc] : std::vector<std::pair<std::string, std::string>>{
             {"a.txt", "first\r\nsecond"}, {"a very long name.txt", "long one\r\nmore"}, {"b.zip", "b"}}) {
        for (const auto& line : FormatFilesBbsEntry(name, desc, none)) file += line + "\r\n";
    }
    const auto back = ReadBbs(file);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].name, "a.txt");
    EXPECT_EQ(back[1].name, "a very long name.txt");
    EXPECT_EQ(back[1].description, " long one\r\n more");
    EXPECT_EQ(back[2].name, "b.zip");
}

TEST(FileIdDiz, ReadsBoundedTrimmedText) {
    using namespace std::string_literals;
    EXPECT_EQ(FileIdDizText("  Title  \r\rline\n\xDA\xC4\xBF\r\n\r\n\x1A"s), "Title\r\n\r\nline\r\n+-+");
    EXPECT_EQ(FileIdDizText("before\0after"s), "before");
    MemorySource big = Bytes(std::string(5000, 'a') + "tail");
    EXPECT_EQ(ReadFileIdDiz(big), std::string(kFileIdDizBytes, 'a'));
    EXPECT_EQ(FormatFileIdDiz("one\r\ntwo\r\nthree", LineLimits{2, 2}), "on\r\ntw\r\n");
}

}  // namespace
}  // namespace kv
