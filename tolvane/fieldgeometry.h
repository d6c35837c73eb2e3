#ifndef TOLVANE_FIELDGEOMETRY_H
#define TOLVANE_FIELDGEOMETRY_H

// Small pieces of field geometry that the world model and the skills
// compute with.

#include <cmath>

#include "tolvanebase/angle.h"
#include "tolvanebase/vector.h"

namespace fieldgeometry {

const double PITCH_HALF_LENGTH = 52.5;
const double PITCH_HALF_WIDTH = 34.0;

// The direction of v from the +x axis; 0 for the zero vector.
inline vekbase::AngleDeg direction(const Vector2D& v) {
  return vekbase::AngleDeg(v.dir(vekmath::DEG));
}

// The vector of length r in the field direction a.
inline Vector2D polar(double r, vekbase::AngleDeg a) {
  return Vector2D(r, double(a)).cart(vekmath::DEG);
}

inline bool finite(const Vector2D& v) { return std::isfinite(v[0]) && std::isfinite(v[1]); }

// On the field, its lines included.
inline bool onField(const Vector2D& p) {
  return std::fabs(p[0]) <= PITCH_HALF_LENGTH && std::fabs(p[1]) <= PITCH_HALF_WIDTH;
}

} // namespace fieldgeometry

#endif
