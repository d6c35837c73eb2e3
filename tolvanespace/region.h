#ifndef TOLVANESPACE_REGION_H
#define TOLVANESPACE_REGION_H

#include <ostream>
#include <stdexcept>
#include <string>

#include <boost/shared_ptr.hpp>

#include "tolvanebase/vector.h"
#include "tolvanespace/factory.h"

namespace vekspace {

// Thrown by the stack constructors when the stacks hold too few entries.
class parameter_error : public std::runtime_error {
public:
  explicit parameter_error(const std::string& what) : std::runtime_error(what) {}
};

class Point;

// A two-dimensional area of the field that answers whether a position lies
// in it. Every region logs its creation and deletion in zone 501.
class Region {
public:
  Region();
  Region(const Region&);
  Region& operator=(const Region&) = default;
  virtual ~Region();

  virtual bool in(const Vector2D& v) const = 0;
  virtual bool in(const Point& q) const;
  virtual void dump(std::ostream& os) const = 0;
};

// A region holding exactly one position.
class Point : public Region {
public:
  bool in(const Vector2D& v) const override;
  bool in(const Point& q) const override;

  virtual double getX() const = 0;
  virtual double getY() const = 0;
  virtual Vector2D get() const = 0;

protected:
  Point() {}
};

class SimplePoint : public Point {
public:
  SimplePoint(double x, double y);
  explicit SimplePoint(const Vector2D& p);
  // Pops y from the top of the numbers, then x.
  SimplePoint(Factory::RegionStack& regions, Factory::PointStack& points,
              Factory::NumberStack& numbers);

  void set(const Vector2D& p);
  void set(double x, double y);

  using Point::in;
  bool in(const Vector2D& v) const override;
  void dump(std::ostream& os) const override;
  double getX() const override;
  double getY() const override;
  Vector2D get() const override;

private:
  Vector2D M_p;
};

// A disc; its boundary belongs to it.
class CircleRegion : public Region {
public:
  CircleRegion();
  CircleRegion(const Vector2D& center, double radius);
  // Pops the centre from the points, then the radius from the numbers.
  CircleRegion(Factory::RegionStack& regions, Factory::PointStack& points,
               Factory::NumberStack& numbers);

  void set(const Vector2D& center, double radius);
  void set(double x, double y, double radius);

  bool in(const Vector2D& v) const override;
  bool in(const Point& q) const override;
  void dump(std::ostream& os) const override;

private:
  bool contains(double x, double y) const;

  boost::shared_ptr<Point> M_center;
  double M_radius;
};

// The positions whose distance from the axis start-end stays below wdr times
// their distance along the axis from the apex; open at the apex and cut off
// square at the end point.
class ConeRegion : public Region {
public:
  ConeRegion();
  ConeRegion(const Vector2D& start, const Vector2D& end, double wdr);
  // Pops the end point, then the apex, then the ratio.
  ConeRegion(Factory::RegionStack& regions, Factory::PointStack& points,
             Factory::NumberStack& numbers);

  void set(const Vector2D& start, const Vector2D& end, double wdr);
  void set(double sx, double sy, double ex, double ey, double wdr);

  Vector2D startPoint() const;
  Vector2D endPoint() const;
  double widthDistanceRatio() const;

  using Region::in;
  bool in(const Vector2D& v) const override;
  void dump(std::ostream& os) const override;

private:
  boost::shared_ptr<Point> M_start;
  boost::shared_ptr<Point> M_end;
  double M_wdr;
};

// An axis-aligned rectangle given by two opposite corners in any order; the
// lower and left edges belong to it, the upper and right edges do not.
class RectRegion : public Region {
public:
  RectRegion();
  RectRegion(const Vector2D& p0, const Vector2D& p1);
  // Pops p1, then p0.
  RectRegion(Factory::RegionStack& regions, Factory::PointStack& points,
             Factory::NumberStack& numbers);

  void set(const Vector2D& p0, const Vector2D& p1);
  void set(double x0, double y0, double x1, double y1);

  Vector2D lowerLeftCorner() const;
  Vector2D upperRightCorner() const;

  bool in(const Vector2D& v) const override;
  bool in(const Point& q) const override;
  void dump(std::ostream& os) const override;

private:
  bool contains(double x, double y) const;

  boost::shared_ptr<Point> M_p0;
  boost::shared_ptr<Point> M_p1;
};

std::ostream& operator<<(std::ostream& os, const Region& r);
std::ostream& operator<<(std::ostream& os, const Point& r);
std::ostream& operator<<(std::ostream& os, const SimplePoint& r);
std::ostream& operator<<(std::ostream& os, const CircleRegion& r);
std::ostream& operator<<(std::ostream& os, const ConeRegion& r);
std::ostream& operator<<(std::ostream& os, const RectRegion& r);

} // namespace vekspace

#endif
