#ifndef TESTS_UWMTEST_UTIL_H
#define TESTS_UWMTEST_UTIL_H

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "testutil/logcapture.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/wmsensedstate.h"

// The persistent model with its inner operations and fields opened up.
struct Probe : UpdateableWMState {
  using UpdateableWMState::calculateVelocity;
  using UpdateableWMState::lemma;
  using UpdateableWMState::lineFlagLocalization;
  using UpdateableWMState::pos_est;
  using WMState::ball;
  using WMState::mySide;
  using WMState::others;
  using WMState::own;
  using WMState::unknown;

  PlayerObject& self() { return *getMe(); }
  // Builds the flag table anew for side s.
  static void flagsFor(Side s) {
    allFlags.clear();
    flagsInitialized = false;
    initFlags(s);
  }
  static Vector2D flagPos(FlagObject::FlagId id) { return allFlags[id].getAbsPos(); }
};

// The direction (degrees, relative to the head) at which an agent at p with
// global neck direction neck sees the point z.
inline double bearing(const Vector2D& p, double neck, const Vector2D& z) {
  const Vector2D d = z - p;
  return double(vekbase::AngleDeg(std::atan2(d[1], d[0]) * 180.0 / std::acos(-1.0) - neck));
}

// Whether a lies within tol of b in both coordinates.
inline ::testing::AssertionResult near(const Vector2D& a, const Vector2D& b, double tol) {
  if (std::fabs(a[0] - b[0]) <= tol && std::fabs(a[1] - b[1]) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << a << " is not within " << tol << " of " << b;
}

using testutil::LogCapture;

#endif
