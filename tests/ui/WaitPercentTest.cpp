#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ui/WaitProgress.h"

namespace {

TEST(WaitPercent, RoundsAndStaysInRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double done, total;
        int percent;
    } cases[] = {
        {0, 10, 0},      {1, 3, 33},      {2, 3, 67},    {10, 10, 100},
        {0.5, 200, 0},   {1, 200, 1},     // 0.5 % rounds away from zero
        {5, 0, 0},       {5, -3, 0},      // no total: no division, 0 %
        {15, 10, 100},   {-4, 10, 0},     // overshoot and negative steps clamp
        {nan, 10, 0},    {5, nan, 0},     {1e300, 1e-300, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kv::waitPercent(c.done, c.total), c.percent) << c.done << " of " << c.total;
}

}  // namespace
