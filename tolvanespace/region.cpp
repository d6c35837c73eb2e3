#include "tolvanespace/region.h"

#include <algorithm>

#include <cmath>

#include "tolvanespace/line2d.h"
#include "vomarlog/forwarder.h"

namespace vekspace {

namespace {

void logRegion(const char* text) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, 501) << text << "\n";
}

// A region built from the stacks may hold an empty pointer; such a point
// counts as the origin.
Vector2D positionOf(const boost::shared_ptr<Point>& p) {
  return p ? p->get() : Vector2D(0.0, 0.0);
}

boost::shared_ptr<Point> newPoint(const Vector2D& v) {
  return boost::shared_ptr<Point>(new SimplePoint(v));
}

} // namespace

// ---- Region ----

Region::Region() { logRegion("creating region"); }

Region::Region(const Region&) { logRegion("creating region"); }

Region::~Region() { logRegion("deleting region"); }

bool Region::in(const Point& q) const { return in(Vector2D(q.getX(), q.getY())); }

// ---- Point ----

bool Point::in(const Vector2D& v) const { return getX() == v[0] && getY() == v[1]; }

bool Point::in(const Point& q) const { return getX() == q.getX() && getY() == q.getY(); }

// ---- SimplePoint ----

SimplePoint::SimplePoint(double x, double y) : M_p(x, y) {}

SimplePoint::SimplePoint(const Vector2D& p) : M_p(p) {}

SimplePoint::SimplePoint(Factory::RegionStack&, Factory::PointStack&,
                         Factory::NumberStack& numbers) {
  if (numbers.size() < 2) throw parameter_error("too few Values for SimplePoint");
  const double y = numbers.top().get();
  numbers.pop();
  const double x = numbers.top().get();
  numbers.pop();
  M_p = Vector2D(x, y);
}

void SimplePoint::set(const Vector2D& p) { M_p = p; }

void SimplePoint::set(double x, double y) { M_p = Vector2D(x, y); }

bool SimplePoint::in(const Vector2D& v) const { return M_p == v; }

void SimplePoint::dump(std::ostream& os) const {
  os << "SimplePoint(" << M_p[0] << ", " << M_p[1] << ")";
}

double SimplePoint::getX() const { return M_p[0]; }

double SimplePoint::getY() const { return M_p[1]; }

Vector2D SimplePoint::get() const { return M_p; }

// ---- CircleRegion ----

CircleRegion::CircleRegion() : M_center(newPoint(Vector2D(0.0, 0.0))), M_radius(0.0) {}

CircleRegion::CircleRegion(const Vector2D& center, double radius)
    : M_center(newPoint(center)), M_radius(radius) {}

CircleRegion::CircleRegion(Factory::RegionStack&, Factory::PointStack& points,
                           Factory::NumberStack& numbers)
    : M_radius(0.0) {
  if (points.empty()) throw parameter_error("too few Points for CircleRegion");
  if (numbers.empty()) throw parameter_error("too few Values for CircleRegion");
  M_center = points.top();
  points.pop();
  M_radius = numbers.top().get();
  numbers.pop();
}

void CircleRegion::set(const Vector2D& center, double radius) {
  M_center = newPoint(center);
  M_radius = radius;
}

void CircleRegion::set(double x, double y, double radius) { set(Vector2D(x, y), radius); }

bool CircleRegion::contains(double x, double y) const {
  if (!M_center) return false;
  const double dx = M_center->getX() - x;
  const double dy = M_center->getY() - y;
  return std::sqrt(dx * dx + dy * dy) <= M_radius;
}

bool CircleRegion::in(const Vector2D& v) const { return contains(v[0], v[1]); }

bool CircleRegion::in(const Point& q) const { return contains(q.getX(), q.getY()); }

void CircleRegion::dump(std::ostream& os) const {
  os << "CircleRegion(" << positionOf(M_center) << ", " << M_radius << ")";
}

// ---- ConeRegion ----

ConeRegion::ConeRegion()
    : M_start(newPoint(Vector2D(0.0, 0.0))), M_end(newPoint(Vector2D(0.0, 0.0))), M_wdr(0.0) {}

ConeRegion::ConeRegion(const Vector2D& start, const Vector2D& end, double wdr)
    : M_start(newPoint(start)), M_end(newPoint(end)), M_wdr(wdr) {}

ConeRegion::ConeRegion(Factory::RegionStack&, Factory::PointStack& points,
                       Factory::NumberStack& numbers)
    : M_wdr(0.0) {
  if (points.size() < 2) throw parameter_error("too few Points for ConeRegion");
  if (numbers.empty()) throw parameter_error("too few Values for ConeRegion");
  M_end = points.top();
  points.pop();
  M_start = points.top();
  points.pop();
  M_wdr = numbers.top().get();
  numbers.pop();
}

void ConeRegion::set(const Vector2D& start, const Vector2D& end, double wdr) {
  boost::shared_ptr<Point> s = newPoint(start);
  boost::shared_ptr<Point> e = newPoint(end);
  M_start = s;
  M_end = e;
  M_wdr = wdr;
}

void ConeRegion::set(double sx, double sy, double ex, double ey, double wdr) {
  set(Vector2D(sx, sy), Vector2D(ex, ey), wdr);
}

Vector2D ConeRegion::startPoint() const { return positionOf(M_start); }

Vector2D ConeRegion::endPoint() const { return positionOf(M_end); }

double ConeRegion::widthDistanceRatio() const { return M_wdr; }

bool ConeRegion::in(const Vector2D& v) const {
  // With only one point missing, the origin standing in for it would still
  // span a cone; a cone without both its points admits nothing.
  if (!M_start || !M_end) return false;
  const Vector2D s = startPoint();
  Vector2D foot;
  if (!Line2D::inBetween(s, endPoint(), v, foot)) return false;
  return foot.dist2(v) < foot.dist2(s) * M_wdr * M_wdr;
}

void ConeRegion::dump(std::ostream& os) const {
  os << "ConeRegion(" << startPoint() << ", " << endPoint() << ", " << M_wdr << ")";
}

// ---- RectRegion ----

RectRegion::RectRegion()
    : M_p0(newPoint(Vector2D(0.0, 0.0))), M_p1(newPoint(Vector2D(0.0, 0.0))) {}

RectRegion::RectRegion(const Vector2D& p0, const Vector2D& p1)
    : M_p0(newPoint(p0)), M_p1(newPoint(p1)) {}

RectRegion::RectRegion(Factory::RegionStack&, Factory::PointStack& points,
                       Factory::NumberStack&) {
  if (points.size() < 2) throw parameter_error("too few Points for RectRegion");
  M_p1 = points.top();
  points.pop();
  M_p0 = points.top();
  points.pop();
}

void RectRegion::set(const Vector2D& p0, const Vector2D& p1) {
  boost::shared_ptr<Point> a = newPoint(p0);
  boost::shared_ptr<Point> b = newPoint(p1);
  M_p0 = a;
  M_p1 = b;
}

void RectRegion::set(double x0, double y0, double x1, double y1) {
  set(Vector2D(x0, y0), Vector2D(x1, y1));
}

Vector2D RectRegion::lowerLeftCorner() const {
  if (!M_p0 || !M_p1) return Vector2D(0.0, 0.0);
  const Vector2D a = M_p0->get();
  const Vector2D b = M_p1->get();
  return Vector2D(std::min(a[0], b[0]), std::min(a[1], b[1]));
}

Vector2D RectRegion::upperRightCorner() const {
  if (!M_p0 || !M_p1) return Vector2D(0.0, 0.0);
  const Vector2D a = M_p0->get();
  const Vector2D b = M_p1->get();
  return Vector2D(std::max(a[0], b[0]), std::max(a[1], b[1]));
}

bool RectRegion::contains(double x, double y) const {
  const Vector2D ll = lowerLeftCorner();
  const Vector2D ur = upperRightCorner();
  return ll[0] <= x && ll[1] <= y && x < ur[0] && y < ur[1];
}

bool RectRegion::in(const Vector2D& v) const { return contains(v[0], v[1]); }

bool RectRegion::in(const Point& q) const { return contains(q.getX(), q.getY()); }

void RectRegion::dump(std::ostream& os) const {
  os << "RectRegion(" << lowerLeftCorner() << ", " << upperRightCorner() << ")";
}

// ---- output ----

std::ostream& operator<<(std::ostream& os, const Region& r) {
  r.dump(os);
  return os;
}

std::ostream& operator<<(std::ostream& os, const Point& r) {
  r.dump(os);
  return os;
}

std::ostream& operator<<(std::ostream& os, const SimplePoint& r) {
  r.dump(os);
  return os;
}

std::ostream& operator<<(std::ostream& os, const CircleRegion& r) {
  r.dump(os);
  return os;
}

std::ostream& operator<<(std::ostream& os, const ConeRegion& r) {
  r.dump(os);
  return os;
}

std::ostream& operator<<(std::ostream& os, const RectRegion& r) {
  r.dump(os);
  return os;
}

} // namespace vekspace
