#ifndef TOLVANEBASE_VECTOR_H
#define TOLVANEBASE_VECTOR_H

#include <cmath>
#include <complex>
#include <ostream>
#include <vector>

#include "tolvanebase/angle.h"
#include "tolvanebase/vekmath.h"
#include "vomarlog/forwarder.h"

namespace vekmath {

// A point or displacement (x, y), or after toPolar its polar form
// (length, direction); the caller knows which form it holds.
template <class T, int N> class Vector {
public:
  typedef T value_type;
  typedef typename std::vector<T>::iterator iterator;
  typedef typename std::vector<T>::const_iterator const_iterator;

  Vector() : data(N, T(0)) {}
  Vector(T x, T y) : data(N, T(0)) {
    data[0] = x;
    data[1] = y;
  }
  explicit Vector(T v) : data(N, v) {}
  Vector(const Vector& v, double s) : data(v.data) {
    for (T& c : data) c *= s;
  }
  Vector(const Vector& v, int s) : data(v.data) {
    for (T& c : data) c *= s;
  }
  Vector(std::complex<T> c) : data(N, T(0)) {
    data[0] = c.real();
    data[1] = c.imag();
  }
  Vector(const Vector&) = default;
  Vector& operator=(const Vector&) = default;

  operator std::complex<T>() const { return std::complex<T>(data[0], data[1]); }

  T& operator[](int i) { return data[i]; }
  const T& operator[](int i) const { return data[i]; }

  iterator begin() { return data.begin(); }
  iterator end() { return data.end(); }
  const_iterator begin() const { return data.begin(); }
  const_iterator end() const { return data.end(); }

  T length2() const {
    T s = T(0);
    for (const T& c : data) s += c * c;
    return s;
  }
  T length() const { return std::sqrt(length2()); }
  T dist2(const Vector& o) const {
    Vector d(*this);
    for (int i = 0; i < N; ++i) d.data[i] -= o.data[i];
    return d.length2();
  }
  T dist(const Vector& o) const { return std::sqrt(dist2(o)); }

  // Signed angle that turns o onto this vector, counter-clockwise positive;
  // 0 when either has zero length.
  T angle(const Vector& o, AngleT t) const {
    if (length() == 0.0 || o.length() == 0.0) return T(0);
    const T x = data[0], y = data[1], ox = o.data[0], oy = o.data[1];
    return vekmath::atan2(ox * y - oy * x, ox * x + oy * y, t);
  }
  // Direction measured from the unit vector of axis i.
  T dir(AngleT t, int i = 0) const {
    Vector axis;
    axis.data[i] = T(1);
    return angle(axis, t);
  }
  Vector polar(AngleT t) const { return Vector(length(), dir(t, 0)); }
  void toPolar(AngleT t) { *this = polar(t); }
  Vector cart(AngleT t) const {
    const T r = data[0];
    if (t == DEG) {
      vekbase::AngleDeg phi(data[1]);
      return Vector(r * vekmath::cos(phi), r * vekmath::sin(phi));
    }
    vekbase::AngleRad phi(data[1]);
    return Vector(r * vekmath::cos(phi), r * vekmath::sin(phi));
  }
  void toCart(AngleT t) { *this = cart(t); }

  // The zero vector becomes not-a-number.
  void setLength(T l) {
    const T f = l / length();
    for (T& c : data) c *= f;
  }
  void normalize() {
    const T f = T(1) / length();
    for (T& c : data) c *= f;
  }

  void rotateCart(const vekbase::AngleDeg& a, int i = 1) {
    toPolar(DEG);
    data[i] += double(a);
    toCart(DEG);
  }
  void rotateCart(const vekbase::AngleRad& a, int i = 1) {
    toPolar(RAD);
    data[i] += double(a);
    toCart(RAD);
  }
  // For a vector in polar form; the sum is not normalised.
  void rotatePol(const vekbase::AngleDeg& a, int i = 1) { data[i] += double(a); }
  void rotatePol(const vekbase::AngleRad& a, int i = 1) { data[i] += double(a); }

  Vector operator-() const { return Vector(*this, -1.0); }
  Vector& operator+=(const Vector& o) {
    for (int i = 0; i < N; ++i) data[i] += o.data[i];
    return *this;
  }
  Vector& operator-=(const Vector& o) {
    for (int i = 0; i < N; ++i) data[i] -= o.data[i];
    return *this;
  }

protected:
  std::vector<T> data;
};

template <class T, int N> Vector<T, N> operator+(Vector<T, N> a, const Vector<T, N>& b) {
  a += b;
  return a;
}
template <class T, int N> Vector<T, N> operator-(Vector<T, N> a, const Vector<T, N>& b) {
  a -= b;
  return a;
}
template <class T, int N> T operator*(const Vector<T, N>& a, const Vector<T, N>& b) {
  T s = T(0);
  for (int i = 0; i < N; ++i) s += a[i] * b[i];
  return s;
}
template <class T, int N> Vector<T, N> operator*(double s, const Vector<T, N>& v) {
  return Vector<T, N>(v, s);
}
template <class T, int N> Vector<T, N> operator*(const Vector<T, N>& v, double s) {
  return Vector<T, N>(v, s);
}
template <class T, int N> Vector<T, N> operator*(int s, const Vector<T, N>& v) {
  return Vector<T, N>(v, double(s));
}
template <class T, int N> Vector<T, N> operator*(const Vector<T, N>& v, int s) {
  return Vector<T, N>(v, double(s));
}
template <class T, int N> Vector<T, N> operator/(const Vector<T, N>& v, double d) {
  if (d == 0.0) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, 10)
        << "Vector<> operator / : division by zero" << "\n";
    return v;
  }
  return Vector<T, N>(v, 1.0 / d);
}
template <class T, int N> bool operator==(const Vector<T, N>& a, const Vector<T, N>& b) {
  for (int i = 0; i < N; ++i)
    if (!(a[i] == b[i])) return false;
  return true;
}
template <class T, int N> bool operator!=(const Vector<T, N>& a, const Vector<T, N>& b) {
  return !(a == b);
}
template <class T, int N> std::ostream& operator<<(std::ostream& os, const Vector<T, N>& v) {
  os << "V(";
  for (int i = 0; i < N; ++i) os << (i ? ", " : "") << v[i];
  return os << ")";
}

// The unsigned angle between two directions in radians, [0, pi]. The cosine
// is clamped so that rounding on collinear rays gives 0 or pi, not NaN.
template <class T, int N> T angleBetweenRays(const Vector<T, N>& a, const Vector<T, N>& b) {
  T c = (a * b) / std::sqrt(a.length2() * b.length2());
  if (c > 1.0) c = 1.0;
  if (c < -1.0) c = -1.0;
  return vekmath::acos(c, RAD);
}

// The angle at vertex a of the triangle a, b, c, in radians.
template <class T, int N>
T angleFromThreePoints(const Vector<T, N>& a, const Vector<T, N>& b, const Vector<T, N>& c) {
  return angleBetweenRays(b - a, c - a);
}

} // namespace vekmath

typedef vekmath::Vector<double, 2> Vector2D;

#endif
