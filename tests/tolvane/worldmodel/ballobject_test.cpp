#include <gtest/gtest.h>

#include "tolvane/ballobject.h"
#include "tolvane/soccercommand.h"

namespace {

typedef SoccerCommand SC;

BallObject rolling(double vx, double velConf = 1.0) {
  BallObject b;
  b.setAbsPos(Vector2D(0.0, 0.0), 1.0);
  b.setAbsVel(Vector2D(vx, 0.0), velConf);
  return b;
}

TEST(BallObjectTest, FreeMotionAndUpdate) {
  const BallObject b = rolling(1.0);
  EXPECT_EQ(Vector2D(0.0, 0.0), b.predictedPosition(0));
  EXPECT_DOUBLE_EQ(1.94, b.predictedPosition(2)[0]);
  EXPECT_NEAR(7.68975, b.predictedPosition(10)[0], 1e-5);
  // An untrusted velocity moves nothing, but its prediction still decays.
  const BallObject untrusted = rolling(1.0, 0.4);
  EXPECT_EQ(Vector2D(0.0, 0.0), untrusted.predictedPosition(5));
  EXPECT_DOUBLE_EQ(0.8836, untrusted.predictedVel(2)[0]);

  BallObject u = rolling(1.0);
  u.setDist(2.0, 1.0);
  u.update(Vector2D(0.5, 0.0));
  EXPECT_DOUBLE_EQ(1.5, u.getAbsPos()[0]);
  EXPECT_DOUBLE_EQ(1.41, u.getAbsVel()[0]);
  for (double conf : {u.getAbsPosConf()(), u.getAbsVelConf()(), u.getDistConf()()})
    EXPECT_DOUBLE_EQ(0.97, conf);
}

TEST(BallObjectTest, KickPower) {
  const BallObject b;
  const struct {
    double dir, dist, rate;
  } rates[] = {{0.0, 0.385, 0.027}, {180.0, 1.085, 0.0135}, {-90.0, 0.735, 0.02025}};
  for (const auto& c : rates)
    EXPECT_DOUBLE_EQ(c.rate, b.getActualKickPowerRate(c.dir, c.dist, 0.7)) << c.dir;
  EXPECT_DOUBLE_EQ(0.5, b.getKickSpeedToTravel(0.0, 0.5));
  EXPECT_NEAR(1.7766, b.getKickSpeedToTravel(20.0, 0.5), 1e-4);
  // The short form takes the ball's own direction less the player angle.
  BallObject seen;
  seen.setDist(0.385);
  seen.setDir(30.0);
  EXPECT_DOUBLE_EQ(100.0, seen.getKickPowerForSpeed(2.7, 30.0));
  EXPECT_DOUBLE_EQ(100.0, b.getKickPowerForSpeed(2.7, 0.0, 0.385));
}

TEST(BallObjectTest, MotionAfterKick) {
  const BallObject b = rolling(0.0);
  const SC kick(SC::CMD_KICK, 100.0, vekbase::AngleDeg(0.0));
  EXPECT_DOUBLE_EQ(2.7, b.predictedPos(1, kick, 0.385, 0.0, 0.0)[0]);
  EXPECT_DOUBLE_EQ(5.238, b.predictedPos(2, kick, 0.385, 0.0, 0.0)[0]);
  // The kick direction is relative to the body.
  const Vector2D p = b.predictedPos(2, SC(SC::CMD_KICK, 100.0, vekbase::AngleDeg(-90.0)), 0.385,
                                    0.0, 90.0);
  EXPECT_DOUBLE_EQ(5.238, p[0]);
  EXPECT_NEAR(0.0, p[1], 1e-12);
  // Too strong a kick is limited to the largest acceleration, a kick along a
  // moving ball to the top speed.
  EXPECT_DOUBLE_EQ(2.7, b.predictedPos(1, SC(SC::CMD_KICK, 150.0, vekbase::AngleDeg(0.0)), 0.385,
                                       0.0, 0.0)[0]);
  const BallObject moving = rolling(1.0);
  EXPECT_DOUBLE_EQ(2.7, moving.predictedPos(1, kick, 0.385, 0.0, 0.0)[0]);
  // No trusted velocity, or no kick: no motion.
  EXPECT_EQ(Vector2D(0.0, 0.0), rolling(0.0, 0.0).predictedPos(2, kick, 0.385, 0.0, 0.0));
  EXPECT_EQ(Vector2D(0.0, 0.0),
            moving.predictedPos(3, SC(SC::CMD_DASH, 100.0), 0.385, 0.0, 0.0));
}

} // namespace
