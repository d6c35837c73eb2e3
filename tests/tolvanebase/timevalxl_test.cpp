#include "tolvanebase/timevalxl.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using vekbase::TimevalXL;

namespace {

std::string text(const TimevalXL& tv) {
  std::ostringstream os;
  os << std::hex << tv; // always plain decimal
  return os.str();
}

} // namespace

TEST(TimevalXL, ConstructionPrintingAndComparisons) {
  TimevalXL neg(-1500000L);
  EXPECT_TRUE(neg.tv_sec == -1 && neg.tv_usec == -500000);
  EXPECT_EQ(text(neg), "-1:500000");
  EXPECT_EQ(text(TimevalXL(2500000L)), "2:500000");
  EXPECT_EQ(text(TimevalXL(-500000L)), "-0:500000");
  EXPECT_EQ(text(TimevalXL(1, 2500000)), "3:500000");
  EXPECT_EQ(text(TimevalXL(0, 5)), "0:5");
  // Opposite signs are settled into one interval with one sign.
  EXPECT_EQ(text(TimevalXL(1, -500000)), "0:500000");
  EXPECT_EQ(text(TimevalXL(-2, 250000)), "-1:750000");

  TimevalXL tv(0, 40000);
  EXPECT_EQ(long(tv), 40000L);
  EXPECT_EQ(double(tv), 40.0);
  EXPECT_TRUE(tv < 40.5);
  EXPECT_FALSE(tv < 40.0 || tv < 40000L);
  EXPECT_TRUE(TimevalXL(1, 0) > TimevalXL(0, 999999));
  EXPECT_TRUE(TimevalXL(-1500000L) < TimevalXL(-1, 0));
  EXPECT_TRUE(TimevalXL(1, 0) == TimevalXL(0, 1000000));
}

TEST(TimevalXL, SumsAndDifferences) {
  EXPECT_EQ(text(TimevalXL(1, 700000) + TimevalXL(0, 600000)), "2:300000");
  EXPECT_EQ(text(TimevalXL(1, 200000) - TimevalXL(2, 700000)), "-1:500000");
  TimevalXL a(5, 0);
  EXPECT_EQ(text(a -= TimevalXL(0, 1)), "4:999999");
  // Absolute times of day: their microsecond counts exceed 32 bits.
  TimevalXL day(1700000000, 250000), later(1700000123, 900000);
  EXPECT_EQ(text(day + later), "3400000124:150000");
  EXPECT_EQ(text(day - later), "-123:650000");
  EXPECT_EQ(long(day), 1700000000250000L);
}
