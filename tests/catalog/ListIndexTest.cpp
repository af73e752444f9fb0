#include <gtest/gtest.h>

#include <vector>

#include "catalog/model/ListIndex.h"

namespace kv {
namespace {

// Probes a list of ints for `wanted`, counting the entries looked at.
struct Probe {
    std::optional<std::size_t> at;
    int probes = 0;
};

Probe Find(const std::vector<int>& list, std::uint16_t word, int wanted) {
    Probe p;
    p.at = ProbeListIndex(word, list.size(), [&](std::size_t i) {
        ++p.probes;
        return list.at(i) == wanted;
    });
    return p;
}

TEST(ListIndex, ProbesEveryPositionWithTheStoredRemainder) {
    std::vector<int> list(70000, 0);
    list[40000] = 1;
    EXPECT_EQ(ListIndexFor(40000), 7232);
    Probe p = Find(list, ListIndexFor(40000), 1);
    EXPECT_EQ(p.at, 40000u);
    EXPECT_EQ(p.probes, 2);

    list[3] = 2;
    p = Find(list, 3, 2);
    EXPECT_EQ(p.at, 3u);
    EXPECT_EQ(p.probes, 1);
}

TEST(ListIndex, StaleOrUnlistedWordsEndWithoutRunningPastTheList) {
    const std::vector<int> list(40000, 0);
    Probe p = Find(list, 7232, 1);  // 7232 and 40000: the second is past the end
    EXPECT_FALSE(p.at);
    EXPECT_EQ(p.probes, 1);

    for (std::uint16_t word : {std::uint16_t(65535), std::uint16_t(32768), std::uint16_t(40000)}) {
        p = Find(list, word, 0);
        EXPECT_FALSE(p.at) << word;
        EXPECT_EQ(p.probes, 0) << word;
    }
    EXPECT_EQ(Find({}, 0, 0).probes, 0);
}

}  // namespace
}  // namespace kv
