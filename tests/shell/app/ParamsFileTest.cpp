#include "shell/app/ParamsFile.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kv {
namespace {

struct MemoryParamsFiles : ParamsFileSystem {
    bool CreateNew(const std::string& path, const std::string& content) override {
        ++creates;
        return files.emplace(path, content).second;
    }
    std::optional<std::string> ReadAll(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end())
            return std::nullopt;
        return it->second;
    }
    void Erase(const std::string& path) override { files.erase(path); }

    std::map<std::string, std::string> files;
    int creates = 0;
};

TEST(ParamsFile, HandsTheArgumentsOverInOrderAndIsErasedByTheReader) {
    MemoryParamsFiles fs;
    const std::vector<std::string> args{"C:\\My Catalogs\\a b.ctf", "D:\\x.ctf"};
    auto n = WriteParamsFile(fs, "C:\\TEMP\\", args, [] { return 42; });
    ASSERT_EQ(n, 42);
    ASSERT_EQ(fs.files.count("C:\\TEMP\\Korvalder_Params42.tmp"), 1u);
    EXPECT_EQ(fs.files.begin()->second, "C:\\My Catalogs\\a b.ctf\r\nD:\\x.ctf\r\n");

    EXPECT_EQ(TakeParamsFile(fs, "C:\\TEMP\\", 42), args);
    EXPECT_TRUE(fs.files.empty());
    // A second read (or a repeated message) finds nothing and stays silent.
    EXPECT_TRUE(TakeParamsFile(fs, "C:\\TEMP\\", 42).empty());
}

TEST(ParamsFile, ATakenNameDrawsAnotherNumberInsteadOfOverwriting) {
    MemoryParamsFiles fs;
    fs.files["T\\Korvalder_Params7.tmp"] = "other start\r\n";
    int draws[] = {7, 7, 0, 10000, 8};
    int i = 0;
    auto n = WriteParamsFile(fs, "T\\", {"a.ctf"}, [&] { return draws[i++]; });
    EXPECT_EQ(n, 8);
    EXPECT_EQ(fs.files["T\\Korvalder_Params7.tmp"], "other start\r\n");

    // Every name taken: the hand-over reports failure rather than clobbering one.
    auto none = WriteParamsFile(fs, "T\\", {"b.ctf"}, [] { return 7; });
    EXPECT_FALSE(none);
    EXPECT_EQ(fs.creates, 3 + kParamsFileTries);
}

TEST(ParamsFile, NumbersOutOfRangeAreIgnoredWithoutTouchingAnyFile) {
    MemoryParamsFiles fs;
    fs.files["T\\Korvalder_Params0.tmp"] = "x\r\n";
    fs.files["T\\Korvalder_Params10000.tmp"] = "x\r\n";
    for (std::int64_t n : {0LL, -1LL, 10000LL, 4294967297LL})
        EXPECT_TRUE(TakeParamsFile(fs, "T\\", n).empty()) << n;
    EXPECT_EQ(fs.files.size(), 2u);
}

TEST(ParamsFile, TextWithoutFinalNewlineOrWithBareLineFeedsStillSplits) {
    EXPECT_EQ(ParseParamsFileText("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ParseParamsFileText("\r\n\r\n"), std::vector<std::string>{});
}

TEST(ParamsFile, NumberSourceStaysInRangeAndDiffersBySeed) {
    ParamsNumberSource a(1), b(2);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) {
        int n = a();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 9999);
        seen.insert(n);
    }
    EXPECT_GT(seen.size(), 900u);
    EXPECT_NE(ParamsNumberSource(1)(), b());
}

}  // namespace
}  // namespace kv
