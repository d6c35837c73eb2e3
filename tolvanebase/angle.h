#ifndef TOLVANEBASE_ANGLE_H
#define TOLVANEBASE_ANGLE_H

#include <istream>
#include <vector>

#include "tolvanebase/vekmath.h"

namespace vekbase {

class AngleBase {
public:
  virtual ~AngleBase() {}
  virtual void normalize() = 0;

  operator double() const { return angle; }
  bool operator<(const AngleBase& o) const { return angle < o.angle; }
  bool operator>(const AngleBase& o) const { return angle > o.angle; }
  // Strictly between the two bounds, in either order; no wrap-around at the seam.
  bool isInInterval(const AngleBase& a, const AngleBase& b) const;

protected:
  AngleBase() : angle(0.0) {}
  explicit AngleBase(double a) : angle(a) {}
  AngleBase(const AngleBase&) = default;
  AngleBase& operator=(const AngleBase&) = default;

  double angle;
};

class AngleRad;

// An angle in degrees, kept in [-180, 180] (both ends legal).
class AngleDeg : public AngleBase {
  friend class AngleRad;

public:
  AngleDeg() : AngleBase(0.0) {}
  AngleDeg(double a) : AngleBase(a) { normalize(); }
  AngleDeg(const AngleRad& r);
  AngleDeg(const AngleDeg&) = default;
  AngleDeg& operator=(const AngleDeg&) = default;

  void normalize() override;
  AngleRad rad() const;

  AngleDeg operator+=(const AngleDeg& o);
  AngleDeg operator-=(const AngleDeg& o);
  AngleDeg operator-() const;

  friend std::istream& operator>>(std::istream& is, AngleDeg& a);

private:
  struct Raw {};
  AngleDeg(double a, Raw) : AngleBase(a) {}
};

// An angle in radians, kept in [-pi, pi] (both ends legal).
class AngleRad : public AngleBase {
public:
  AngleRad() : AngleBase(0.0) {}
  AngleRad(double a) : AngleBase(a) { normalize(); }
  AngleRad(const AngleDeg& d);
  AngleRad(const AngleRad&) = default;
  AngleRad& operator=(const AngleRad&) = default;

  void normalize() override;
  AngleDeg deg() const;

  AngleRad operator-() const;

  friend std::istream& operator>>(std::istream& is, AngleRad& a);

private:
  friend class AngleDeg;
  struct Raw {};
  AngleRad(double a, Raw) : AngleBase(a) {}
};

AngleDeg operator+(const AngleDeg& a, const AngleDeg& b);
AngleDeg operator-(const AngleDeg& a, const AngleDeg& b);
AngleDeg operator*(const AngleDeg& a, double s);
AngleDeg operator*(double s, const AngleDeg& a);
AngleDeg operator/(const AngleDeg& a, double d);
AngleRad operator+(const AngleRad& a, const AngleRad& b);
AngleRad operator-(const AngleRad& a, const AngleRad& b);

} // namespace vekbase

namespace vekmath {

double sin(const vekbase::AngleDeg& a);
double cos(const vekbase::AngleDeg& a);
double tan(const vekbase::AngleDeg& a);
double sin(const vekbase::AngleRad& a);
double cos(const vekbase::AngleRad& a);
double tan(const vekbase::AngleRad& a);

// Circular mean; not a number for an empty list.
vekbase::AngleDeg mean(const std::vector<vekbase::AngleDeg>& angles);
vekbase::AngleRad mean(const std::vector<vekbase::AngleRad>& angles);

} // namespace vekmath

#endif
