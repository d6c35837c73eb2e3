#ifndef TOLVANESPACE_LINE2D_H
#define TOLVANESPACE_LINE2D_H

#include "tolvanebase/angle.h"
#include "tolvanebase/vector.h"
#include "tolvanespace/circle.h"

namespace vekspace {

// The line A*y + B*x + C = 0 (A goes with y, B with x). Lines built from
// points are normalised: A = 1, or A = 0 and B = 1 for a vertical line.
class Line2D {
public:
  Line2D(double a, double b, double c) : A(a), B(b), C(c) {}
  Line2D(Vector2D p1, Vector2D p2);
  // The line through p and the point one metre further in direction a.
  Line2D(Vector2D p, vekbase::AngleDeg a);

  // Logs an error and gives 0 on a vertical line.
  double getYGivenX(double x) const;
  // The perpendicular through p (not normalised).
  Line2D getTangentLine(Vector2D p) const;
  Vector2D getPointOnLineClosestTo(Vector2D p) const;
  // (0, 0) for parallel lines.
  Vector2D getIntersection(Line2D other) const;
  // Number of crossing points (0, 1 or 2; -1 when the arithmetic breaks down).
  int getCircleIntersectionPoints(const Circle& c, Vector2D& p1, Vector2D& p2) const;
  bool pointOnLine(Vector2D p) const;

  // True iff the foot of p on the line through a and b lies strictly between
  // a and b; foot is written in every case.
  static bool inBetween(const Vector2D& a, const Vector2D& b, const Vector2D& p, Vector2D& foot);

  double A;
  double B;
  double C;
};

} // namespace vekspace

#endif
