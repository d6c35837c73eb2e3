// The bearing-only position fix of the persistent world model.
//
// The agent stands at P with global neck direction theta and sees flag i
// (field position z[i]) at direction dir[i]: z[i] - P = rho[i] e^(i(theta +
// dir[i])). With flag 0 as reference, v = z[0] - P and phi[i] = dir[i] -
// dir[0], every other flag gives 1/v = k[i] b[i] - c[i] with c[i] = 1/(z[i] -
// z[0]), b[i] = c[i] e^(i phi[i]) and the real, unknown k[i] = rho[i]/rho[0].
// The real ratios r[i] that make all r[i] b[i] - c[i] as nearly equal as
// possible (least squares) give v as the mean of the reciprocals; the seen
// distances are not used at all.

#include <cmath>
#include <limits>
#include <vector>

#include "tolvane/updateablewmstate.h"
#include "tolvane/wmtrace.h"

namespace {

const unsigned int ZONE_POSEST = 1197;

// Below this a pivot counts as zero: the flags and the agent then lie on one
// circle or one line (or two flags share a place), and the bearings fix no
// position.
const double PIVOT_EPS = 1e-9;

// A trace line of the fix, or null when its level is not logged.
std::ostream* posTrace() { return wmTrace(ZONE_POSEST, 20); }

} // namespace

double UpdateableWMState::innerProduct(ComplexVal x, ComplexVal y) {
  return x.real() * y.real() + x.imag() * y.imag();
}

double UpdateableWMState::scalar(const RealArray& a, const RealArray& b) {
  double sum = 0.0;
  for (std::size_t i = 1; i < a.size() && i < b.size(); ++i) sum += a[i] * b[i];
  return sum;
}

// Sherman-Morrison: with a = A^-1 y, b = A^-1 u, c = y, d = u for a
// symmetric A, the result is (A - u u^T)^-1 y. A zero pivot means the
// updated matrix is singular; the result is then not a number throughout.
RealArray UpdateableWMState::lemma(const RealArray& a, const RealArray& b, const RealArray& c,
                                   const RealArray& d) {
  const double pivot = 1.0 - scalar(b, d);
  if (!(std::fabs(pivot) >= PIVOT_EPS))
    return RealArray(std::numeric_limits<double>::quiet_NaN(), a.size());
  return a + b * (scalar(b, c) / pivot);
}

// Solves (m diag(|b[i]|^2) - bx bx^T - by by^T) r = s over the indices 1 to
// m by two rank-one updates of the inverted diagonal.
void UpdateableWMState::ratio_calc(const ComplexArray& b, const RealArray& s, RealArray& r) {
  const std::size_t n = b.size();
  const std::size_t m = n == 0 ? 0 : n - 1;
  RealArray bx(0.0, n), by(0.0, n), dn(0.0, n);
  for (std::size_t i = 1; i < n; ++i) {
    bx[i] = b[i].real();
    by[i] = b[i].imag();
    dn[i] = 1.0 / (innerProduct(b[i], b[i]) * double(m));
  }
  const RealArray t = dn * bx;
  const RealArray X1 = lemma(RealArray(dn * by), t, by, bx);
  const RealArray X2 = lemma(RealArray(dn * s), t, s, bx);
  const RealArray X3 = lemma(X2, X1, s, by);
  for (std::size_t i = 0; i < n && i < r.size() && i < X3.size(); ++i) r[i] = X3[i];
}

bool UpdateableWMState::pos_est(const std::vector<FlagObject>& sf, Vector2D& p,
                                vekbase::AngleDeg& theta) {
  const std::size_t n = sf.size();
  if (n < 3) {
    if (std::ostream* o = posTrace()) *o << "pos_est: only " << n << " flags! exiting " << "\n";
    return false;
  }
  const std::size_t m = n - 1;

  ComplexArray ze(ComplexVal(0.0, 0.0), n), c(ComplexVal(0.0, 0.0), n),
      b(ComplexVal(0.0, 0.0), n), zr(ComplexVal(0.0, 0.0), n);
  RealArray s(0.0, n), r(0.0, n);
  std::vector<vekbase::AngleRad> phi(n);

  // A flag the table does not hold has no place to take a bearing from.
  bool degenerate = false;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t id = std::size_t(sf[i].getId());
    if (id >= allFlags.size()) {
      degenerate = true;
      break;
    }
    const Vector2D z = allFlags[id].getAbsPos();
    ze[i] = ComplexVal(z[0], z[1]);
  }
  phi[0] = vekbase::AngleRad(sf[0].getDir());
  for (std::size_t i = 1; i < n; ++i)
    phi[i] = vekbase::AngleRad(double(vekbase::AngleRad(sf[i].getDir())) - double(phi[0]));

  ComplexVal sum_of_ci(0.0, 0.0);
  for (std::size_t i = 1; i < n && !degenerate; ++i) {
    const ComplexVal dz = ze[i] - ze[0];
    if (!(std::abs(dz) >= PIVOT_EPS)) {
      degenerate = true;
      break;
    }
    c[i] = 1.0 / dz;
    sum_of_ci += c[i];
    b[i] = c[i] * std::polar(1.0, double(phi[i]));
  }

  ComplexVal sum_of_zr(0.0, 0.0);
  if (!degenerate) {
    for (std::size_t i = 1; i < n; ++i)
      s[i] = double(m) * innerProduct(b[i], c[i]) - innerProduct(b[i], sum_of_ci);
    ratio_calc(b, s, r);
    for (std::size_t i = 1; i < n; ++i) {
      const ComplexVal q = r[i] * b[i] - c[i];
      if (!(std::abs(q) >= PIVOT_EPS)) {
        degenerate = true;
        break;
      }
      zr[i] = 1.0 / q;
      sum_of_zr += zr[i];
    }
  }

  const ComplexVal pos = ze[0] - sum_of_zr / double(m);
  const double heading = std::arg(sum_of_zr) - double(phi[0]);
  if (degenerate || !std::isfinite(pos.real()) || !std::isfinite(pos.imag()) ||
      !std::isfinite(heading)) {
    if (std::ostream* o = posTrace()) *o << "pos_est: degenerate flag layout! exiting" << "\n";
    return false;
  }

  p = Vector2D(pos.real(), pos.imag());
  theta = vekbase::AngleRad(heading).deg();

  if (std::ostream* o = posTrace())
    *o << "pos_est: My pos is " << p << ", " << double(theta) << "\n";
  return true;
}
