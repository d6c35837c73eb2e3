#include "tolvanespace/line2d.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>


using vekspace::Circle;
using vekspace::Line2D;

namespace {

void expectLine(const Line2D& l, double a, double b, double c) {
  EXPECT_EQ(l.A, a);
  EXPECT_EQ(l.B, b);
  EXPECT_EQ(l.C, c);
}

void expectPoint(const Vector2D& p, double x, double y) {
  EXPECT_DOUBLE_EQ(p[0], x);
  EXPECT_DOUBLE_EQ(p[1], y);
}

const Line2D diag(Vector2D(0, 0), Vector2D(1, 1));  // y = x
const Line2D x2(Vector2D(2, 0), Vector2D(2, 5));    // x = 2

} // namespace

TEST(Line2D, NormalisedLinesIntersectionsFeetAndVerticalLines) {
  expectLine(diag, 1, -1, 0);
  expectLine(x2, 0, 1, -2);
  expectLine(Line2D(Vector2D(3, 4), Vector2D(3, 4)), 0, 1, -3);
  EXPECT_EQ(Line2D(Vector2D(0, 0), Vector2D(DBL_EPSILON, 1)).A, 1.0);
  // cos 90 is 6.1e-17, below DBL_EPSILON: vertical, x = 0 up to that rounding.
  const Line2D up(Vector2D(0, 0), vekbase::AngleDeg(90));
  EXPECT_TRUE(up.A == 0.0 && up.B == 1.0 && std::fabs(up.C) < 1e-16) << up.A << " " << up.C;

  expectPoint(diag.getIntersection(x2), 2, 2);
  expectPoint(x2.getIntersection(Line2D(1, 1, 0)), 2, -2);
  expectPoint(Line2D(1, 1, 0).getIntersection(x2), 2, -2);
  // Parallels, also vertical or unnormalised ones, give (0, 0).
  expectPoint(diag.getIntersection(Line2D(Vector2D(0, 1), Vector2D(1, 2))), 0, 0);
  expectPoint(Line2D(0, 1, -1).getIntersection(Line2D(0, 1, -3)), 0, 0);
  expectPoint(Line2D(2, -2, 0).getIntersection(Line2D(1, -1, -1)), 0, 0);

  expectLine(diag.getTangentLine(Vector2D(2, 0)), -1, -1, 2);
  expectPoint(diag.getPointOnLineClosestTo(Vector2D(2, 0)), 1, 1);
  expectPoint(Line2D(Vector2D(0, 0), Vector2D(1, 0)).getPointOnLineClosestTo(Vector2D(2, 0)), 2, 0);
  expectPoint(x2.getPointOnLineClosestTo(Vector2D(5, 7)), 2, 7);

  const Vector2D a(0, 0), b(4, 0);
  Vector2D foot;
  EXPECT_TRUE(Line2D::inBetween(a, b, Vector2D(2, 3), foot));
  expectPoint(foot, 2, 0);
  EXPECT_FALSE(Line2D::inBetween(a, b, Vector2D(5, 1), foot));
  expectPoint(foot, 5, 0);
  EXPECT_FALSE(Line2D::inBetween(a, b, Vector2D(0, 1), foot));

  const Line2D steep(Vector2D(0, 0), Vector2D(1, 2));
  EXPECT_TRUE(steep.pointOnLine(Vector2D(1, 2)));
  EXPECT_FALSE(steep.pointOnLine(Vector2D(2, 1)));

  EXPECT_DOUBLE_EQ(Line2D(1, -2, -1).getYGivenX(5), 11);
  EXPECT_EQ(x2.getYGivenX(5), 0.0);
}

TEST(Line2D, CircleIntersections) {
  const Circle unit(Vector2D(0, 0), 1), nan_circle(Vector2D(0, 0), std::nan(""));
  const struct {
    Line2D line;
    Circle circle;
    int n;
    Vector2D p1, p2;
  } cases[] = {
      {Line2D(1, 0, 0), unit, 2, {1, 0}, {-1, 0}},
      {Line2D(0, 1, 0), unit, 2, {0, -1}, {0, 1}},
      // Off-centre: the sample points start at the centre's x.
      {Line2D(1, 0, -1), Circle(Vector2D(2, 1), 1), 2, {3, 1}, {1, 1}},
      {Line2D(1, 0, -1), unit, 1, {0, 1}, {0, 0}}, // a tangent: the discriminant is exactly 0
      {Line2D(1, 0, -2), unit, 0, {0, 0}, {0, 0}},
      {Line2D(1, 0, 0), nan_circle, -1, {7, 7}, {7, 7}}, // no number: the outputs stay
  };
  for (auto& c : cases) {
    Vector2D p1(7, 7), p2(7, 7);
    EXPECT_EQ(c.line.getCircleIntersectionPoints(c.circle, p1, p2), c.n) << c.line.C;
    expectPoint(p1, c.p1[0], c.p1[1]);
    expectPoint(p2, c.p2[0], c.p2[1]);
  }
}
