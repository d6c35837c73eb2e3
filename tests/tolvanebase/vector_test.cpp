#include "tolvanebase/vector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using vekmath::DEG;
using vekmath::RAD;

namespace {

const double PI = 3.141592653589793;

void expectNear(const Vector2D& v, double x, double y) {
  EXPECT_NEAR(v[0], x, 1e-12);
  EXPECT_NEAR(v[1], y, 1e-12);
}

} // namespace

TEST(Vector, ArithmeticEqualityStreamAndDivision) {
  Vector2D a(1, 2), b(3, -4);
  EXPECT_EQ(a * b, -5.0);
  EXPECT_EQ(2 * a - b, Vector2D(-1, 8));
  EXPECT_EQ(a += b, Vector2D(4, -2));
  EXPECT_FALSE(Vector2D(0.1 + 0.2, 0) == Vector2D(0.3, 0));
  EXPECT_FALSE(Vector2D(std::nan(""), 0) == Vector2D(std::nan(""), 0));
  std::ostringstream out;
  out << Vector2D(1.5, -3);
  EXPECT_EQ(out.str(), "V(1.5, -3)");

  // Division by zero leaves the vector as it is.
  EXPECT_EQ(Vector2D(2, 4) / 0.0, Vector2D(2, 4));
  EXPECT_EQ(Vector2D(2, 4) / 0x1p-1000, Vector2D(0x1p1001, 0x1p1002));
}

TEST(Vector, DirectionsPolarFormAndRotation) {
  Vector2D v(3, 4), zero;
  EXPECT_EQ(v.length2(), 25.0);
  expectNear(v.polar(DEG), 5, 53.13010235415598);
  EXPECT_EQ(zero.angle(Vector2D(-3, -4), DEG), 0.0); // atan2(0, -0) would be 180
  EXPECT_EQ(Vector2D(1, 0).angle(Vector2D(0, 1), DEG), -90.0);
  EXPECT_EQ(Vector2D(0, 1).angle(Vector2D(1, 0), DEG), 90.0);
  EXPECT_EQ(Vector2D(-1, 0).dir(RAD, 0), PI);
  v.setLength(10);
  expectNear(v, 6, 8);

  expectNear(Vector2D(5, 90).cart(DEG), 0, 5);
  expectNear(Vector2D(5, 450).cart(DEG), 0, 5);
  expectNear(Vector2D(2, PI).cart(RAD), -2, 0);
  Vector2D r(1, 0);
  r.rotateCart(vekbase::AngleDeg(90), 1);
  expectNear(r, 0, 1);
  r.rotateCart(vekbase::AngleRad(PI / 2), 1);
  expectNear(r, -1, 0);
  Vector2D p(1, 170);
  p.rotatePol(vekbase::AngleDeg(90), 1);
  EXPECT_EQ(p, Vector2D(1, 260));

  EXPECT_EQ(vekmath::angleFromThreePoints(Vector2D(0, 0), Vector2D(1, 0), Vector2D(0, 1)), PI / 2);
  // The cosine of these collinear rays rounds to just above 1.
  EXPECT_EQ(vekmath::angleBetweenRays(Vector2D(0.1, 0.7), Vector2D(0.3, 2.1)), 0.0);
  EXPECT_TRUE(std::isnan(vekmath::angleBetweenRays(Vector2D(0, 0), Vector2D(1, 0))));
}
