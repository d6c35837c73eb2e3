#include "tolvanespace/circle.h"

namespace vekspace {

Circle::Circle() : radius(0.0), center(0.0, 0.0) {}

Circle::Circle(const Vector2D& c, double r) : radius(r), center(c) {}

void Circle::setCenter(const Vector2D& c) { center = c; }

void Circle::setRadius(double r) { radius = r; }

Vector2D Circle::getCenter() const { return center; }

double Circle::getRadius() const { return radius; }

} // namespace vekspace
