#include <gtest/gtest.h>

#include "scan/ArchiveTypes.h"
#include "scan/DescSources.h"

namespace kv {
namespace {

TEST(ArchiveTypes, TypeByExtension) {
    const struct {
        const char* name;
        int type;
    } cases[] = {
        {"A.ZIP", 9},          {"a.zip", 9},     {"x.z", 14},        {"X.Z", 14},
        {"x.gz", 13},          {"x.tar.gz", 13}, {"ARCHIVE.R05", 8}, {"ARCHIVE.A1", 0},
        {"a.a01", 2},          {"a.r17", 8},     {"a.z99", 9},       {"a.001", 0},
        {"noext", 0},          {"a.tgz", 0},     {"a.exe", 11},      {"C:\\dir.zip\\file", 0},
        {"C:\\d\\f.lzh", 6},   {"a.c01", 0},     {"a.", 0},          {"a.zipx", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(GetArchiveType(c.name), c.type) << c.name;
}

TEST(ArchiveTypes, SupportedMeansExtractable) {
    EXPECT_TRUE(IsSupportedArchive("a.zip"));
    EXPECT_TRUE(IsSupportedArchive("a.r01"));
    EXPECT_FALSE(IsSupportedArchive("a.cab"));
    EXPECT_FALSE(IsSupportedArchive("a.exe"));
    EXPECT_FALSE(IsSupportedArchive("a.txt"));
    ArchiveSwitches switches = DefaultArchiveSwitches();
    switches[ArchiveTypeCode::Zip - 1] = false;
    EXPECT_FALSE(IsArchiveTypeEnabled(switches, ArchiveTypeCode::Zip));
    EXPECT_TRUE(IsArchiveTypeEnabled(switches, ArchiveTypeCode::Rar));
    EXPECT_FALSE(IsArchiveTypeEnabled(switches, 0));
    EXPECT_FALSE(IsArchiveTypeEnabled(switches, 15));
}

TEST(DescSources, OrderFollowsTheItems) {
    const auto defaults = DefaultImportDescItems();
    EXPECT_EQ(DescSourceAt(defaults, 0), DescSourceCode::FileIdDiz);
    EXPECT_EQ(DescSourceAt(defaults, 1), DescSourceCode::DescriptIon);
    EXPECT_EQ(DescSourceAt(defaults, 2), DescSourceCode::FilesBbs);
    EXPECT_EQ(DescSourceAt(defaults, 3), DescSourceCode::ArchiveComment);
    EXPECT_EQ(DescSourceAt(defaults, 4), DescSourceCode::None);
    EXPECT_EQ(DescSourceAt(defaults, -1), DescSourceCode::None);

    const std::vector<std::string> user = {"compressed comment", "descript.ion", "nonsense", "Files.Bbs x"};
    EXPECT_EQ(DescSourcePriority(user, DescSourceCode::ArchiveComment), 0);
    EXPECT_EQ(DescSourcePriority(user, DescSourceCode::DescriptIon), 1);
    EXPECT_EQ(DescSourcePriority(user, DescSourceCode::FilesBbs), 3);
    EXPECT_EQ(DescSourcePriority(user, DescSourceCode::FileIdDiz), -1);
    EXPECT_EQ(DescSourceAt(user, 2), DescSourceCode::None);
}

}  // namespace
}  // namespace kv
