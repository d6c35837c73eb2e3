#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "uwmtest_util.h"

namespace {

typedef std::vector<FlagObject::FlagId> Ids;

// Flags seen at exact bearings from p with neck direction neck; the
// distances are wrong on purpose: the fix must not use them.
std::vector<FlagObject> sight(const Vector2D& p, double neck, const Ids& ids) {
  WMSensedState s;
  for (FlagObject::FlagId id : ids)
    s.seeFlag(id, 7.0, vekbase::AngleDeg(bearing(p, neck, Probe::flagPos(id))));
  return s.getFlags();
}

TEST(PosEst, ExactBearingsGiveThePoseBack) {
  const Ids all = {FlagObject::Flag_C, FlagObject::Flag_PRT, FlagObject::Flag_GR,
                   FlagObject::Flag_TR10, FlagObject::Flag_CB};
  const struct {
    Side side;
    Vector2D pos;
    double neck;
  } cases[] = {{l, Vector2D(-10.0, 5.0), 30.0}, {r, Vector2D(20.0, -8.0), -120.0},
               {r, Vector2D(40.0, 25.0), 179.0}};
  for (const auto& c : cases) {
    Probe::flagsFor(c.side);
    for (std::size_t n = 3; n <= all.size(); ++n) {
      Vector2D p;
      vekbase::AngleDeg theta;
      const Ids ids(all.begin(), all.begin() + n);
      ASSERT_TRUE(Probe::pos_est(sight(c.pos, c.neck, ids), p, theta));
      EXPECT_TRUE(near(p, c.pos, 1e-9)) << n;
      EXPECT_NEAR(c.neck, double(theta), 1e-9) << n;
    }
  }
}

TEST(PosEst, TooFewFlagsAndDegenerateLayoutsFail) {
  Probe::flagsFor(l);
  auto fails = [](const std::vector<FlagObject>& flags) {
    Vector2D p(99.0, 99.0);
    vekbase::AngleDeg theta(12.0);
    return !Probe::pos_est(flags, p, theta) && p == Vector2D(99.0, 99.0) && double(theta) == 12.0;
  };
  EXPECT_TRUE(fails(sight(Vector2D(-5.0, 3.0), 0.0, {FlagObject::Flag_C, FlagObject::Flag_CT})));

  // CT-PLC is a diameter of the circle through C, CT and PLC; from (-36, -34)
  // on that circle the angles between the flags are those of any point on it.
  const Ids circle = {FlagObject::Flag_C, FlagObject::Flag_CT, FlagObject::Flag_PLC};
  EXPECT_TRUE(fails(sight(Vector2D(-36.0, -34.0), 40.0, circle)));
  EXPECT_TRUE(fails(sight(Vector2D(-5.0, -39.0), 10.0,
                          {FlagObject::Flag_T0, FlagObject::Flag_TR10, FlagObject::Flag_TR20})));
  EXPECT_TRUE(fails(sight(Vector2D(-5.0, 3.0), 0.0,
                          {FlagObject::Flag_C, FlagObject::Flag_C, FlagObject::Flag_CT})));
  // A zero Sherman-Morrison pivot makes the whole result not a number.
  EXPECT_TRUE(std::isnan(Probe::lemma(RealArray({0.0, 1.0}), RealArray({0.0, 1.0}),
                                      RealArray({0.0, 1.0}), RealArray({0.0, 1.0}))[1]));

  // Off the circle the same flags fix the pose.
  Vector2D p;
  vekbase::AngleDeg theta;
  ASSERT_TRUE(Probe::pos_est(sight(Vector2D(-30.0, -30.0), 40.0, circle), p, theta));
  EXPECT_NEAR(-30.0, p[0], 1e-9);
}

} // namespace
