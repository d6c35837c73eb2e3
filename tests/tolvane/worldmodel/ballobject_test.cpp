#include <gtest/gtest.h>

#include <sstream>

#include "testutil/logcapture.h"
#include "tolvane/ballobject.h"
#include "tolvane/soccercommand.h"

namespace {

BallObject rolling(Vector2D vel, double velConf) {
  BallObject b;
  b.setAbsPos(Vector2D(0.0, 0.0), 1.0);
  b.setAbsVel(vel, velConf);
  return b;
}

TEST(BallObjectTest, FreeMotion) {
  const BallObject b = rolling(Vector2D(1.0, 0.0), 1.0);
  EXPECT_EQ(Vector2D(0.0, 0.0), b.predictedPosition(0));
  EXPECT_DOUBLE_EQ(1.0, b.predictedPosition(1)[0]);
  EXPECT_DOUBLE_EQ(1.94, b.predictedPosition(2)[0]);
  const Vector2D p10 = b.predictedPosition(10);
  EXPECT_NEAR(7.68975, p10[0], 1e-5);
  EXPECT_NEAR(0.0, p10[1], 1e-12);
  EXPECT_DOUBLE_EQ(0.8836, b.predictedVel(2)[0]);

  const BallObject untrusted = rolling(Vector2D(1.0, 0.0), 0.4);
  for (int n : {0, 1, 5}) EXPECT_EQ(Vector2D(0.0, 0.0), untrusted.predictedPosition(n));
  EXPECT_DOUBLE_EQ(0.8836, untrusted.predictedVel(2)[0]);

  BallObject gone = rolling(Vector2D(1.0, 0.0), 1.0);
  gone.invalidate();
  EXPECT_EQ(Vector2D(0.0, 0.0), gone.predictedPosition(5));
  EXPECT_EQ(0.0, gone.getAbsPosConf()());
}

TEST(BallObjectTest, KickPowerRate) {
  const BallObject b;
  EXPECT_DOUBLE_EQ(0.027, b.getActualKickPowerRate(0.0, 0.385, 0.7));
  EXPECT_DOUBLE_EQ(0.0135, b.getActualKickPowerRate(180.0, 1.085, 0.7));
  EXPECT_DOUBLE_EQ(0.02025, b.getActualKickPowerRate(90.0, 0.735, 0.7));
  EXPECT_DOUBLE_EQ(0.02025, b.getActualKickPowerRate(-90.0, 0.735, 0.7));
  EXPECT_DOUBLE_EQ(100.0, b.getKickPowerForSpeed(2.7, 0.0, 0.385));

  // The short form takes the ball's own direction less the player angle.
  BallObject seen;
  seen.setDist(0.385);
  seen.setDir(30.0);
  EXPECT_DOUBLE_EQ(100.0, seen.getKickPowerForSpeed(2.7, 30.0));
  EXPECT_EQ(seen.getKickPowerForSpeed(1.0, 60.0, 0.385), seen.getKickPowerForSpeed(1.0, -30.0));
}

TEST(BallObjectTest, KickPowerTraceNesting) {
  testutil::LogCapture capture({1020});
  BallObject().getKickPowerForSpeed(2.7, 0.0, 0.385);
  // The inner lines come out one indent step deeper than the outer ones.
  EXPECT_EQ(
      "--Value BallObject::getKickPowerForSpeed(double, vekbase::AngleDeg, double) const\n"
      "-------Value BallObject::getActualKickPowerRate(vekbase::AngleDeg, double, double) const\n"
      "--------GetActualKickPowerRate: calculated kickpower rate = 0.027\n"
      "-------Value BallObject::getActualKickPowerRate(vekbase::AngleDeg, double, double) const\n"
      "---getKickPowerForSpeed: kp = 100\n"
      "--Value BallObject::getKickPowerForSpeed(double, vekbase::AngleDeg, double) const\n",
      capture.text());
}

TEST(BallObjectTest, SpeedToTravel) {
  const BallObject b;
  EXPECT_DOUBLE_EQ(0.5, b.getKickSpeedToTravel(0.0, 0.5));
  EXPECT_NEAR(1.7766, b.getKickSpeedToTravel(20.0, 0.5), 1e-4);
}

TEST(BallObjectTest, MotionAfterKick) {
  const BallObject b = rolling(Vector2D(0.0, 0.0), 1.0);
  const SoccerCommand kick(SoccerCommand::CMD_KICK, 100.0, vekbase::AngleDeg(0.0));
  Vector2D p = b.predictedPos(1, kick, 0.385, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(2.7, p[0]);
  EXPECT_NEAR(0.0, p[1], 1e-12);
  EXPECT_DOUBLE_EQ(5.238, b.predictedPos(2, kick, 0.385, 0.0, 0.0)[0]);
  const SoccerCommand sideways(SoccerCommand::CMD_KICK, 100.0, vekbase::AngleDeg(-90.0));
  p = b.predictedPos(2, sideways, 0.385, 0.0, 90.0);
  EXPECT_DOUBLE_EQ(5.238, p[0]);
  EXPECT_NEAR(0.0, p[1], 1e-12);

  // Too strong a kick is limited to the largest acceleration.
  const SoccerCommand hard(SoccerCommand::CMD_KICK, 150.0, vekbase::AngleDeg(0.0));
  EXPECT_DOUBLE_EQ(2.7, b.predictedPos(1, hard, 0.385, 0.0, 0.0)[0]);
  // A kick along a moving ball is limited to the top speed.
  const BallObject moving = rolling(Vector2D(1.0, 0.0), 1.0);
  EXPECT_DOUBLE_EQ(2.7, moving.predictedPos(1, kick, 0.385, 0.0, 0.0)[0]);

  const BallObject untrusted = rolling(Vector2D(0.0, 0.0), 0.0);
  EXPECT_EQ(Vector2D(0.0, 0.0), untrusted.predictedPos(2, kick, 0.385, 0.0, 0.0));
  const SoccerCommand dash(SoccerCommand::CMD_DASH, 100.0);
  EXPECT_EQ(Vector2D(0.0, 0.0), moving.predictedPos(3, dash, 0.385, 0.0, 0.0));
}

TEST(BallObjectTest, UpdateAndOutput) {
  BallObject b = rolling(Vector2D(1.0, 0.0), 1.0);
  b.setDist(2.0, 1.0);
  b.update(Vector2D(0.5, 0.0));
  EXPECT_DOUBLE_EQ(1.5, b.getAbsPos()[0]);
  EXPECT_DOUBLE_EQ(1.41, b.getAbsVel()[0]);
  EXPECT_DOUBLE_EQ(0.97, b.getAbsPosConf()());
  EXPECT_DOUBLE_EQ(0.97, b.getAbsVelConf()());
  EXPECT_DOUBLE_EQ(0.97, b.getDistConf()());

  BallObject shown;
  shown.setAbsPos(Vector2D(10.0, -3.5));
  shown.setAbsVel(Vector2D(0.5, 0.0));
  shown.setDist(12.3);
  shown.setDir(-45.0);
  std::ostringstream os;
  os << shown;
  EXPECT_EQ("Pos = V(10, -3.5) / Vel = V(0.5, 0) / Rel = (12.3, -45)", os.str());
  std::ostringstream mobile;
  mobile << static_cast<const MobileObject&>(shown);
  EXPECT_EQ("V(10, -3.5) +V(0.5, 0)", mobile.str());
}

} // namespace
