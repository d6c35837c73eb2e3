#ifndef TOLVANEBASE_VEKMATH_H
#define TOLVANEBASE_VEKMATH_H

#include <string>

namespace vekmath {

// Unit of an angle argument or result.
enum AngleT { RAD = 0, DEG = 1 };

const double RAD2DEG = 57.29577951308232;
const double DEG2RAD = 0.017453292519943295;
const double PI = 3.141592653589793;
const double TWO_PI = 6.283185307179586;

double asin(double x, AngleT t);
double acos(double x, AngleT t);
double atan(double x, AngleT t);
double atan2(double y, double x, AngleT t);

// Sum of n terms of the geometric series a, a*r, a*r^2, ... (n need not be whole).
double sumGeomSeries(double a, double r, double n);

// The first multiple of the larger argument that both arguments divide: the
// least common multiple for positive numbers. 0 when either is 0 or the
// multiple does not fit an int.
int lcm(int a, int b);

} // namespace vekmath

namespace vekbase {

// A new NUL-terminated copy of s; the caller frees it with delete[].
char* c_string(const std::string& s);

} // namespace vekbase

namespace vekcodec {

// One character for a small number: '0'-'9', then capitals without W; '*' otherwise.
char charForNum(int n);

} // namespace vekcodec

#endif
