#include "tolvanespace/line2d.h"

#include <cfloat>
#include <cmath>

#include "vomarlog/forwarder.h"

namespace vekspace {

Line2D::Line2D(Vector2D p1, Vector2D p2) {
  const double dx = p2[0] - p1[0];
  if (std::fabs(dx) < DBL_EPSILON) {
    A = 0.0;
    B = 1.0;
  } else {
    A = 1.0;
    B = -(p2[1] - p1[1]) / dx;
  }
  C = -A * p2[1] - B * p2[0];
}

Line2D::Line2D(Vector2D p, vekbase::AngleDeg a)
    : Line2D(p, p + Vector2D(vekmath::cos(a), vekmath::sin(a))) {}

double Line2D::getYGivenX(double x) const {
  if (A == 0.0) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, 1080)
        << "(Line2D::getYGivenX) Cannot calculate Y coordinate." << "\n";
    return 0.0;
  }
  return -(B * x + C) / A;
}

Line2D Line2D::getTangentLine(Vector2D p) const { return Line2D(B, -A, A * p[0] - B * p[1]); }

Vector2D Line2D::getPointOnLineClosestTo(Vector2D p) const {
  return getIntersection(getTangentLine(p));
}

Vector2D Line2D::getIntersection(Line2D other) const {
  if (A * other.B == other.A * B) return Vector2D(0.0, 0.0);
  double x;
  double y;
  if (A == 0.0) {
    x = -C / B;
    y = other.getYGivenX(x);
  } else if (other.A == 0.0) {
    x = -other.C / other.B;
    y = getYGivenX(x);
  } else {
    x = (A * other.C - other.A * C) / (other.A * B - A * other.B);
    y = getYGivenX(x);
  }
  return Vector2D(x, y);
}

int Line2D::getCircleIntersectionPoints(const Circle& circle, Vector2D& p1, Vector2D& p2) const {
  const Vector2D center = circle.getCenter();
  const double cx = center[0];
  const double cy = center[1];
  const double r = circle.getRadius();

  Vector2D s1;
  Vector2D s2;
  if (A == 0.0) {
    s1 = Vector2D(-C / B, 3.0);
    s2 = Vector2D(-C / B, -9.0);
  } else {
    s1 = Vector2D(cx, getYGivenX(cx));
    s2 = Vector2D(cx + 3.0, getYGivenX(cx + 3.0));
  }

  // Solve |s1 + t*d - center|^2 = r^2 for t.
  const Vector2D d = s2 - s1;
  const double qa = d[0] * d[0] + d[1] * d[1];
  const double qb = 2.0 * ((s1[0] - cx) * d[0] + (s1[1] - cy) * d[1]);
  const double qc = cx * cx + cy * cy + s1[0] * s1[0] + s1[1] * s1[1] -
                    2.0 * (cx * s1[0] + cy * s1[1]) - r * r;
  const double disc = qb * qb - 4.0 * qa * qc;

  if (disc < 0.0) {
    p1 = Vector2D(0.0, 0.0);
    p2 = Vector2D(0.0, 0.0);
    return 0;
  }
  if (disc == 0.0) {
    const double t = -qb / (2.0 * qa);
    p1 = s1 + t * d;
    p2 = Vector2D(0.0, 0.0);
    return 1;
  }
  if (disc > 0.0) {
    const double root = std::sqrt(disc);
    const double t1 = (-qb + root) / (2.0 * qa);
    const double t2 = (-qb - root) / (2.0 * qa);
    p1 = s1 + t1 * d;
    p2 = s1 + t2 * d;
    return 2;
  }
  return -1;
}

bool Line2D::pointOnLine(Vector2D p) const {
  return std::fabs(A * p[1] + B * p[0] + C) < DBL_EPSILON;
}

bool Line2D::inBetween(const Vector2D& a, const Vector2D& b, const Vector2D& p, Vector2D& foot) {
  foot = Line2D(a, b).getPointOnLineClosestTo(p);
  const double len2 = a.dist2(b);
  return foot.dist2(a) < len2 && foot.dist2(b) < len2;
}

} // namespace vekspace
