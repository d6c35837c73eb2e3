#include "tolvanebase/vekmath.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(Vekmath, ArcFunctionsAndSeries) {
  EXPECT_EQ(vekmath::acos(-1.0, vekmath::DEG), 180.0);
  EXPECT_EQ(vekmath::atan(1.0, vekmath::DEG), 45.0);
  EXPECT_EQ(vekmath::sumGeomSeries(1, 0.5, 2), 1.5);
  EXPECT_EQ(vekmath::sumGeomSeries(3, 0.25, 0.5), 2.0); // n need not be whole
  EXPECT_TRUE(std::isnan(vekmath::sumGeomSeries(1, 1, 4)));
}

TEST(Vekmath, LcmAndCharForNum) {
  EXPECT_EQ(vekmath::lcm(4, 6), 12);
  EXPECT_EQ(vekmath::lcm(6, 4), 12);
  EXPECT_EQ(vekmath::lcm(3, 3), 3);
  // A negative argument: the first multiple of the larger argument.
  EXPECT_EQ(vekmath::lcm(-4, 6), 12);
  EXPECT_EQ(vekmath::lcm(4, -6), 12);
  EXPECT_EQ(vekmath::lcm(-4, -6), -12);
  // No division by zero and no overflow: such arguments give 0.
  EXPECT_EQ(vekmath::lcm(0, 5), 0);
  EXPECT_EQ(vekmath::lcm(INT_MAX, INT_MAX - 1), 0);

  const char* expected = "9AVXZ*****";
  const int numbers[] = {9, 10, 31, 32, 34, 35, 36, 37, -1, INT_MIN};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(vekcodec::charForNum(numbers[i]), expected[i]) << numbers[i];
}
