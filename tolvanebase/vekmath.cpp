#include "tolvanebase/vekmath.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace vekmath {

namespace {
double inUnit(double rad, AngleT t) { return t == DEG ? rad * RAD2DEG : rad; }

std::int64_t gcd(std::int64_t x, std::int64_t y) {
  while (y != 0) {
    const std::int64_t r = x % y;
    x = y;
    y = r;
  }
  return x;
}
} // namespace

double asin(double x, AngleT t) { return inUnit(std::asin(x), t); }
double acos(double x, AngleT t) { return inUnit(std::acos(x), t); }
double atan(double x, AngleT t) { return inUnit(std::atan2(x, 1.0), t); }
double atan2(double y, double x, AngleT t) { return inUnit(std::atan2(y, x), t); }

double sumGeomSeries(double a, double r, double n) {
  return (1.0 - std::pow(r, n)) * a / (1.0 - r);
}

int lcm(int a, int b) {
  if (a == 0 || b == 0) return 0;
  const std::int64_t x = a < 0 ? -std::int64_t(a) : std::int64_t(a);
  const std::int64_t y = b < 0 ? -std::int64_t(b) : std::int64_t(b);
  const std::int64_t l = x / gcd(x, y) * y;
  // The first multiple of the larger argument that both divide: it carries
  // that argument's sign.
  const std::int64_t m = (a < b ? b : a) < 0 ? -l : l;
  return m > INT32_MAX || m < INT32_MIN ? 0 : int(m);
}

} // namespace vekmath

namespace vekbase {

char* c_string(const std::string& s) {
  char* c = new char[s.size() + 1];
  std::memcpy(c, s.c_str(), s.size() + 1);
  return c;
}

} // namespace vekbase

namespace vekcodec {

char charForNum(int n) {
  static const char table[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVXYZ";
  unsigned int u = static_cast<unsigned int>(n);
  return u < sizeof(table) - 1 ? table[u] : '*';
}

} // namespace vekcodec
