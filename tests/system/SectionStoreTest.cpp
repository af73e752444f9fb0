#include "system/settings/SectionStore.h"

#include <gtest/gtest.h>

#include "SectionStoreContract.h"
#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

TEST(SectionStoreTest, MemoryStoreKeepsTheContract) {
    MemorySectionStore store;
    test::CheckSectionStoreContract(store);
}

TEST(SectionStoreTest, MemoryStoreKeepsBinaryValuesAndKinds) {
    MemorySectionStore store;
    test::CheckBinaryValueContract(store);
}

TEST(SectionStoreTest, TextStoresKeepNoBinaryValues) {
    MemorySectionStore memory;
    struct TextOnly : SectionStore {
        MemorySectionStore& m;
        explicit TextOnly(MemorySectionStore& m) : m(m) {}
        std::optional<std::string> readString(std::string_view s, std::string_view n) const override {
            return m.ReadString(s, n);
        }
        std::vector<SectionValue> readSection(std::string_view s) const override { return m.ReadSectionValues(s); }
        bool writeString(std::string_view s, std::string_view n, std::string_view v) override {
            return m.WriteString(s, n, v);
        }
        bool eraseSection(std::string_view s) override { return m.EraseSection(s); }
    } store(memory);
    EXPECT_FALSE(store.WriteBinary("Main", "Settings", std::vector<std::uint8_t>{1}));
    EXPECT_EQ(store.KindOf("Main", "Settings"), StoredKind::Missing);
    EXPECT_FALSE(store.SectionExists("Main"));
    ASSERT_TRUE(store.WriteString("Main", "Name", "x"));
    EXPECT_EQ(store.KindOf("Main", "Name"), StoredKind::Text);
    EXPECT_TRUE(store.SectionExists("Main"));
}

TEST(SectionStoreTest, StoredIntegers) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {{"0", 0},           {"-17714", -17714}, {"+3", 3},        {" \t42 ", 42},
                          {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
                          {"", std::nullopt}, {"+", std::nullopt}, {"+-3", std::nullopt}, {"12a", std::nullopt},
                          {"0x10", std::nullopt}, {"1 2", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(ParseStoredInteger(c.text), c.value) << c.text;
}

// A store whose medium fails by throwing: the caller sees a failure, never the exception.
class ThrowingStore : public SectionStore {
protected:
    std::optional<std::string> readString(std::string_view, std::string_view) const override { throw std::runtime_error("gone"); }
    std::vector<SectionValue> readSection(std::string_view) const override { throw std::bad_alloc(); }
    bool writeString(std::string_view, std::string_view, std::string_view) override { throw std::runtime_error("gone"); }
    bool eraseSection(std::string_view) override { throw std::runtime_error("gone"); }
};

TEST(SectionStoreTest, FailuresNeverEscape) {
    ThrowingStore store;
    EXPECT_EQ(store.ReadString("S", "N", "d"), "d");
    EXPECT_EQ(store.ReadInteger("S", "N", 3), 3);
    EXPECT_TRUE(store.ReadSectionValues("S").empty());
    EXPECT_FALSE(store.WriteString("S", "N", "v"));
    EXPECT_FALSE(store.WriteInteger("S", "N", 1));
    EXPECT_FALSE(store.EraseSection("S"));
}

}  // namespace
}  // namespace kv
