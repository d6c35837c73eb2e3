#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "testutil/logcapture.h"
#include "tolvane/ballobject.h"
#include "tolvane/playerobject.h"
#include "tolvanebase/timer.h"

namespace {

typedef SoccerCommand SC;

using testutil::LogCapture;

PlayerObject playerAt(double x, double y, double body) {
  PlayerObject p;
  p.setAbsPos(Vector2D(x, y), 1.0);
  p.setAbsVel(Vector2D(0.0, 0.0), 1.0);
  p.setBodyAngle(body, 1.0);
  return p;
}

BallObject ballAt(double x, double y, double vx, double vy) {
  BallObject b;
  b.setAbsPos(Vector2D(x, y), 1.0);
  b.setAbsVel(Vector2D(vx, vy), 1.0);
  return b;
}

void expectAt(double x, double y, const Vector2D& v) {
  EXPECT_NEAR(x, v[0], 1e-6);
  EXPECT_NEAR(y, v[1], 1e-6);
}

TEST(PlayerPhysicsTest, TurnModel) {
  PlayerObject p = playerAt(0.0, 0.0, 0.0);
  EXPECT_DOUBLE_EQ(90.0, p.getAngleForTurn(90.0));
  EXPECT_DOUBLE_EQ(90.0, p.getRealTurnAngle(90.0));
  // Inertia moment 5 at speed 0.5: turns shrink by 3.5, moments are bounded.
  p.setAbsVel(Vector2D(0.3, 0.4));
  EXPECT_DOUBLE_EQ(180.0, p.getAngleForTurn(90.0));
  EXPECT_DOUBLE_EQ(-180.0, p.getAngleForTurn(-90.0));
  EXPECT_NEAR(51.428571, p.getRealTurnAngle(180.0), 1e-6);
}

TEST(PlayerPhysicsTest, DashPowerAndStaminaProtection) {
  vekbase::Timer::updateTime(100);
  PlayerObject p = playerAt(0.0, 0.0, 0.0);
  // At most one cycle's run: 1.0 / 0.006, bounded to 100.
  EXPECT_DOUBLE_EQ(100.0, p.getPowerForDash(Vector2D(5.0, 0.0), false));
  EXPECT_NEAR(0.0, p.getPowerForDash(Vector2D(0.0, 3.0), false), 1e-9);
  // Looking along +y, drifting 0.1 forward: 0.3 more is wanted.
  p.setBodyAngle(90.0);
  p.setAbsVel(Vector2D(0.1, 0.1));
  EXPECT_NEAR(50.0, p.getPowerForDash(Vector2D(0.0, 0.4), false), 1e-9);

  // diff 50 against loss 55: 13.5 + 50 - 3 is left; backwards half of it.
  p.setStamina(1250.0);
  EXPECT_DOUBLE_EQ(60.5, p.adjustDashPower(100.0, false));
  EXPECT_DOUBLE_EQ(100.0, p.adjustDashPower(100.0, true));
  p.setStamina(1205.0);
  EXPECT_DOUBLE_EQ(-7.75, p.adjustDashPower(-100.0, false));
  p.setStamina(1100.0);
  EXPECT_DOUBLE_EQ(0.0, p.adjustDashPower(150.0, false));
  // The last 20 cycles before every multiple of 3000 are important, at
  // the ends of int's range too (no wrapping).
  p.setStamina(1250.0);
  for (int c : {2979, 2980, 2999, 3000, 5999, INT_MAX, -1, INT_MIN}) {
    vekbase::Timer::updateTime(c);
    EXPECT_DOUBLE_EQ(c % 3000 >= 2980 ? 100.0 : 60.5, p.adjustDashPower(100.0, false)) << c;
  }

  // 3000 - 100 + 45 per cycle, effort up while stamina is high.
  p.setStamina(3000.0);
  p.setEffort(0.8);
  EXPECT_DOUBLE_EQ(2890.0, p.predictedEnergy(100.0, 2).getStamina());
  EXPECT_NEAR(0.82, p.predictedEnergy(100.0, 2).getEffort(), 1e-12);
}

TEST(PlayerPhysicsTest, PredictedMotion) {
  PlayerObject p = playerAt(3.0, -2.0, 0.0);
  p.setAbsVel(Vector2D(1.0, 0.0));
  expectAt(4.4, -2.0, p.predictedPosition(2));
  p.getAbsVelConf().set(0.0);
  EXPECT_EQ(Vector2D(3.0, -2.0), p.predictedPosition(5));

  p = playerAt(0.0, 0.0, 0.0);
  expectAt(1.44, 0.0, p.predictedPosition(100.0, 2));
  expectAt(-0.6, 0.0, p.predictedPosition(-100.0, 1));
  // The effort counts only when trusted; 0.8 + 0.6 is capped at 1.0.
  p.setEffort(0.5);
  expectAt(0.6, 0.0, p.predictedPosition(100.0, 1));
  p.setAbsVel(Vector2D(0.8, 0.0));
  expectAt(1.0, 0.0, p.predictedPosition(100.0, 1));
  // Effort 0.5 stays without a trusted stamina (0.12, 0.168, 0.1872) and
  // rises by 0.01 a cycle with it.
  p.setAbsVel(Vector2D(0.0, 0.0));
  expectAt(0.1872, 0.0, p.predictedVel(3, 100));
  p.setStamina(4000.0, 1.0);
  expectAt(0.19296, 0.0, p.predictedVel(3, 100));

  // One cycle after a command; the dash power is cut to a whole number.
  expectAt(0.33, 0.0, p.predictedAfterCommand(SC(SC::CMD_DASH, 55.7)).getAbsPos());
  expectAt(-0.33, 0.0, p.predictedAfterCommand(SC(SC::CMD_DASH, -55.7)).getAbsPos());
  expectAt(1.0, 0.0, p.predictedAfterCommand(SC(SC::CMD_DASH, 1e300)).getAbsPos());
  p = playerAt(1.0, 2.0, 40.0);
  p.setRelativeNeckAngle(-10.0);
  p.setAbsVel(Vector2D(0.5, 0.0));
  PlayerObject q = p.predictedAfterCommand(SC(SC::CMD_MOVE, -10.0, 5.0));
  EXPECT_EQ(Vector2D(-10.0, 5.0), q.getAbsPos());
  EXPECT_EQ(Vector2D(0.0, 0.0), q.getAbsVel());
  EXPECT_EQ(0.0, double(q.getBodyAngle()) + double(q.getRelativeNeckAngle()));
  q = p.predictedAfterCommand(SC(SC::CMD_TURNNECK, vekbase::AngleDeg(30.0)));
  EXPECT_DOUBLE_EQ(20.0, double(q.getRelativeNeckAngle()));
  expectAt(1.5, 2.0, q.getAbsPos());
  expectAt(0.2, 0.0, q.getAbsVel());
  // A moment of 70 at speed 0.5 turns by 20, the neck along.
  q = p.predictedAfterCommand(SC(SC::CMD_TURN, vekbase::AngleDeg(70.0)));
  EXPECT_NEAR(60.0, double(q.getBodyAngle()), 1e-9);
  EXPECT_NEAR(-10.0, double(q.getRelativeNeckAngle()), 1e-9);
  EXPECT_EQ(Vector2D(1.0, 2.0), p.predictedAfterCommand(SC(SC::CMD_SAY)).getAbsPos());
}

TEST(PlayerPhysicsTest, CyclesToPoint) {
  PlayerObject p = playerAt(0.0, 0.0, 0.0);
  // Within 0.085 + 0.3 + 0.7: no cycle, no turn.
  EXPECT_EQ(0, p.predictNrCyclesToPoint(Vector2D(-1.08, 0.0)));
  EXPECT_EQ(10, p.predictNrCyclesToPoint(Vector2D(10.0, 0.0)));
  const double r50 = 50.0 * M_PI / 180.0;
  EXPECT_EQ(12, p.predictNrCyclesToPoint(Vector2D(10.5 * std::cos(r50), 10.5 * std::sin(r50))));
  EXPECT_EQ(13, p.predictNrCyclesToPoint(Vector2D(-10.0, 0.0)));
  // Exactly 100 degrees takes two cycles of turning.
  p.setBodyAngle(-10.0);
  EXPECT_EQ(12, p.predictNrCyclesToPoint(Vector2D(0.0, 10.0)));
  // An unknown body direction counts as 180.
  p.getBodyAngleConf().set(0.0);
  EXPECT_EQ(13, p.predictNrCyclesToPoint(Vector2D(10.0, 0.0)));
  // A point that is not a number, or one beyond any match, is never reached.
  EXPECT_EQ(1000000, p.predictNrCyclesToPoint(Vector2D(NAN, 0.0)));
  EXPECT_EQ(1000003, p.predictNrCyclesToPoint(Vector2D(1e300, 0.0)));
}

TEST(PlayerPhysicsTest, NewtonInterception) {
  PlayerObject p = playerAt(0.0, 0.0, 0.0);
  double t = -1.0;
  EXPECT_EQ(Vector2D(5.0, 0.0), p.newtonMethod(ballAt(5.0, 0.0, 0.0, 0.0), t));
  EXPECT_DOUBLE_EQ(5.0, t);
  expectAt(5.323019, 0.0, p.newtonMethod(ballAt(10.0, 0.0, -1.0, 0.0), t));
  EXPECT_NEAR(5.323019, t, 1e-6);
  // 90 degrees off the body: one cycle for the turn.
  p.newtonMethod(ballAt(0.0, 5.0, 0.0, 0.0), t);
  EXPECT_DOUBLE_EQ(6.0, t);
  {
    // Running away faster than the player: restart from 999.
    LogCapture log({1022});
    EXPECT_NEAR(53.133, p.newtonMethod(ballAt(5.0, 0.0, 3.0, 0.0), t)[0], 1e-3);
    EXPECT_NEAR(53.133, t, 1e-3);
    EXPECT_TRUE(log.has("iteration 1: 999\n") && log.has("iteration 4: "));
    EXPECT_FALSE(log.has("iteration 5: "));
  }
  {
    // A ball passing behind: the turn penalty keeps the search from settling.
    LogCapture log({1022});
    p.newtonMethod(ballAt(-10.0, 0.0, 2.0, -1.0), t);
    EXPECT_TRUE(log.has("iteration 9: ") && !log.has("iteration 10: "));
    EXPECT_TRUE(log.has("Newton's method too slow\n"));
  }
  // On the ball but facing away: stop instead of dividing by zero.
  p.setBodyAngle(90.0);
  EXPECT_EQ(Vector2D(0.0, 0.0), p.newtonMethod(ballAt(0.0, 0.0, 0.0, 0.0), t));
  EXPECT_EQ(0.0, t);
}

} // namespace
