#include "tolvanebase/angle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

using vekbase::AngleDeg;
using vekbase::AngleRad;

namespace {

const double PI = 3.141592653589793;

// Stepping by full turns in extended precision, the way the range is defined.
double stepped(double a, double half, double full) {
  long double v = a;
  while (v > half) v -= full;
  while (v < -half) v += full;
  return static_cast<double>(v);
}

} // namespace

TEST(Angle, Normalisation) {
  const double cases[][2] = {{180, 180}, {-180, -180}, {540, 180}, {-540, -180},
                             {181, -179}, {-181, 179}, {359, -1}, {-720, 0}};
  for (auto& c : cases) {
    EXPECT_EQ(double(AngleDeg(c[0])), c[1]) << c[0];
    EXPECT_EQ(std::signbit(double(AngleDeg(c[0]))), std::signbit(c[1])) << c[0];
  }
  EXPECT_EQ(double(AngleRad(-3 * PI)), -PI);
  EXPECT_EQ(double(-AngleDeg(-180)), 180.0);
  unsigned int seed = 12345;
  for (int i = 0; i < 4000; ++i) {
    seed = seed * 1103515245u + 12345u;
    double u = double(seed >> 8) / double(1u << 24) - 0.5;
    ASSERT_EQ(double(AngleDeg(u * 20000)), stepped(u * 20000, 180, 360)) << u;
    ASSERT_EQ(double(AngleRad(u * 350)), stepped(u * 350, PI, 2 * PI)) << u;
  }
  // Huge and infinite values end at once.
  EXPECT_TRUE(std::isnan(double(AngleDeg(std::numeric_limits<double>::infinity()))));
  EXPECT_EQ(double(AngleDeg(45.0 * 0x1p63)), 0.0); // a whole number of turns
  EXPECT_LE(std::fabs(double(AngleRad(-1e300))), PI);
}

TEST(Angle, ConversionsArithmeticIntervalAndMean) {
  EXPECT_EQ(double(AngleDeg(AngleRad(PI))), 180.0);
  EXPECT_EQ(double(AngleRad(AngleDeg(180))), PI);
  EXPECT_EQ(double(AngleDeg(170) + AngleDeg(20)), -170.0);
  EXPECT_EQ(double(AngleDeg(-170) - AngleDeg(20)), 170.0);
  EXPECT_EQ(double(AngleDeg(90) * 3.0), -90.0);
  AngleDeg a(170);
  a += AngleDeg(20);
  EXPECT_EQ(double(a), -170.0);
  std::istringstream in("370 -7 x");
  AngleRad r;
  AngleDeg none(5);
  in >> a >> r >> none;
  EXPECT_EQ(double(a), 10.0);
  EXPECT_EQ(double(r), 2 * PI - 7);
  EXPECT_EQ(double(none), 0.0); // nothing read stores 0

  const AngleDeg lo(0), hi(180);
  EXPECT_FALSE(lo.isInInterval(lo, hi) || hi.isInInterval(hi, lo));
  EXPECT_TRUE(AngleDeg(90).isInInterval(hi, lo));
  EXPECT_TRUE(AngleDeg(0).isInInterval(AngleDeg(170), AngleDeg(-170))); // no wrap

  EXPECT_EQ(double(vekmath::mean(std::vector<AngleDeg>{-10, 10})), 0.0);
  EXPECT_EQ(std::fabs(double(vekmath::mean(std::vector<AngleDeg>{170, -170}))), 180.0);
  EXPECT_NEAR(double(vekmath::mean(std::vector<AngleRad>{3, -3})), PI, 1e-15);
  EXPECT_TRUE(std::isnan(double(vekmath::mean(std::vector<AngleDeg>{}))));
}
