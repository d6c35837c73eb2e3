#ifndef TOLVANESPACE_CIRCLE_H
#define TOLVANESPACE_CIRCLE_H

#include "tolvanebase/vector.h"

namespace vekspace {

// A plain circle; the radius is not checked.
class Circle {
public:
  Circle();
  Circle(const Vector2D& center, double radius);

  void setCenter(const Vector2D& center);
  void setRadius(double radius);
  Vector2D getCenter() const;
  double getRadius() const;

private:
  double radius;
  Vector2D center;
};

} // namespace vekspace

#endif
