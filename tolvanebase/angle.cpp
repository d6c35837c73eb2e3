#include "tolvanebase/angle.h"

#include <cmath>

namespace vekbase {

namespace {

// Brings a into [-half, half] with both ends kept, with the same result as
// stepping by full turns: the remainder is exact, and the one step after it is
// exact as well because the remainder lies within a factor two of a full turn.
// Huge values cost no more than small ones; infinity gives NaN, NaN stays.
double normalized(double a, double half, double full) {
  if (a > half || a < -half) {
    a = std::fmod(a, full);
    if (a > half)
      a -= full;
    else if (a < -half)
      a += full;
    else if (a == 0.0)
      a = 0.0; // a whole number of turns leaves +0, as subtracting turns does
  }
  return a;
}

} // namespace

bool AngleBase::isInInterval(const AngleBase& a, const AngleBase& b) const {
  double lo = a.angle < b.angle ? a.angle : b.angle;
  double hi = a.angle < b.angle ? b.angle : a.angle;
  return lo < angle && angle < hi;
}

AngleDeg::AngleDeg(const AngleRad& r) : AngleBase(double(r) * vekmath::RAD2DEG) {}

void AngleDeg::normalize() { angle = normalized(angle, 180.0, 360.0); }

AngleRad AngleDeg::rad() const { return AngleRad(*this); }

AngleDeg AngleDeg::operator+=(const AngleDeg& o) {
  angle += o.angle;
  normalize();
  return *this;
}

AngleDeg AngleDeg::operator-=(const AngleDeg& o) {
  angle -= o.angle;
  normalize();
  return *this;
}

AngleDeg AngleDeg::operator-() const { return AngleDeg(-angle, Raw()); }

// A failed read stores 0, as the number extraction itself does.
std::istream& operator>>(std::istream& is, AngleDeg& a) {
  double v = 0.0;
  is >> v;
  a = AngleDeg(v);
  return is;
}

AngleRad::AngleRad(const AngleDeg& d) : AngleBase(double(d) * vekmath::DEG2RAD) {}

void AngleRad::normalize() { angle = normalized(angle, vekmath::PI, vekmath::TWO_PI); }

AngleDeg AngleRad::deg() const { return AngleDeg(*this); }

AngleRad AngleRad::operator-() const { return AngleRad(-angle, Raw()); }

// A failed read stores 0, as the number extraction itself does.
std::istream& operator>>(std::istream& is, AngleRad& a) {
  double v = 0.0;
  is >> v;
  a = AngleRad(v);
  return is;
}

AngleDeg operator+(const AngleDeg& a, const AngleDeg& b) { return AngleDeg(double(a) + double(b)); }
AngleDeg operator-(const AngleDeg& a, const AngleDeg& b) { return AngleDeg(double(a) - double(b)); }
AngleDeg operator*(const AngleDeg& a, double s) { return AngleDeg(double(a) * s); }
AngleDeg operator*(double s, const AngleDeg& a) { return AngleDeg(double(a) * s); }
AngleDeg operator/(const AngleDeg& a, double d) { return AngleDeg(double(a) / d); }
AngleRad operator+(const AngleRad& a, const AngleRad& b) { return AngleRad(double(a) + double(b)); }
AngleRad operator-(const AngleRad& a, const AngleRad& b) { return AngleRad(double(a) - double(b)); }

} // namespace vekbase

namespace vekmath {

double sin(const vekbase::AngleDeg& a) { return std::sin(double(a.rad())); }
double cos(const vekbase::AngleDeg& a) { return std::cos(double(a.rad())); }
double tan(const vekbase::AngleDeg& a) { return std::tan(double(a.rad())); }
double sin(const vekbase::AngleRad& a) { return std::sin(double(a)); }
double cos(const vekbase::AngleRad& a) { return std::cos(double(a)); }
double tan(const vekbase::AngleRad& a) { return std::tan(double(a)); }

namespace {

template <class A> double meanOf(const std::vector<A>& angles, AngleT t) {
  double s = 0.0, c = 0.0;
  for (const A& a : angles) {
    s += sin(a);
    c += cos(a);
  }
  double n = double(angles.size());
  return atan2(s / n, c / n, t);
}

} // namespace

vekbase::AngleDeg mean(const std::vector<vekbase::AngleDeg>& angles) {
  return vekbase::AngleDeg(meanOf(angles, DEG));
}

vekbase::AngleRad mean(const std::vector<vekbase::AngleRad>& angles) {
  return vekbase::AngleRad(meanOf(angles, RAD));
}

} // namespace vekmath
