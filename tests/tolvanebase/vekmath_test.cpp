#include "tolvanebase/vekmath.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(Vekmath, ArcsSeriesLcmAndCharForNum) {
  EXPECT_EQ(vekmath::acos(-1.0, vekmath::DEG), 180.0);
  EXPECT_EQ(vekmath::atan(1.0, vekmath::DEG), 45.0);
  EXPECT_EQ(vekmath::sumGeomSeries(1, 0.5, 2), 1.5);
  EXPECT_EQ(vekmath::sumGeomSeries(3, 0.25, 0.5), 2.0); // n need not be whole
  EXPECT_TRUE(std::isnan(vekmath::sumGeomSeries(1, 1, 4)));

  // A negative argument: the first multiple of the larger argument. No
  // division by zero and no overflow: such arguments give 0.
  const int lcms[][3] = {{4, 6, 12},   {6, 4, 12}, {3, 3, 3}, {-4, 6, 12}, {4, -6, 12},
                         {-4, -6, -12}, {0, 5, 0}, {INT_MAX, INT_MAX - 1, 0}};
  for (auto& c : lcms) EXPECT_EQ(vekmath::lcm(c[0], c[1]), c[2]) << c[0] << " " << c[1];

  const char* expected = "9AVXZ*****";
  const int numbers[] = {9, 10, 31, 32, 34, 35, 36, 37, -1, INT_MIN};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(vekcodec::charForNum(numbers[i]), expected[i]) << numbers[i];
}
