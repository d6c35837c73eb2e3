#include <gtest/gtest.h>

#include <cmath>

#include "tolvane/actuator.h"
#include "uwmtest_util.h"

namespace {

typedef vekbase::AngleDeg Deg;

// Sends the commands as one decision would.
void decide(std::initializer_list<SoccerCommand> cmds) {
  Actuator* a = Actuator::instance(nullptr);
  a->clearQueue();
  for (const SoccerCommand& c : cmds) a->queueUp(c);
  a->sendActions();
}

class UpdateableWMStateTest : public ::testing::Test {
protected:
  void SetUp() override {
    Probe::flagsFor(l);
    Actuator::instance(nullptr)->clearQueue();
    sensed.initWM(7, l);
    sensed.clearData();
  }
  // A new cycle whose sight shows the agent at (-1, 0) with its head turned
  // neck degrees from +x: the centre flag 1 m away, the right line in front.
  void nextCycleWithSight(double neck = 0.0) {
    sensed.clearData();
    m.update();
    sensed.seeFlag(FlagObject::Flag_C, 1.0, Deg(0.0 - neck));
    sensed.seeLine(LineObject::Line_R, 53.5, Deg(90.0 - neck));
    sensed.setCurrentSight();
  }
  WMSensedState sensed;
  Probe m;
};

TEST_F(UpdateableWMStateTest, SenseBodyAndLineFlagFix) {
  sensed.setStamina(3000.0);
  sensed.getMe()->setGoalieP(PlayerObject::t);
  sensed.setMyRelativeNeckAngle(Deg(30.0));
  m.includeSensed(sensed);
  EXPECT_EQ(3000.0, m.self().getStamina());
  EXPECT_EQ(PlayerObject::t, m.self().getGoalieP());
  EXPECT_EQ(0.0, m.self().getAbsPosConf()());  // no sight, no position

  sensed.getMe()->setGoalieP(PlayerObject::f);
  m.includeSenseBody(sensed);
  EXPECT_EQ(PlayerObject::t, m.self().getGoalieP());  // a known flag stays
  // The head along +x, the body 30 degrees to its right.
  nextCycleWithSight();
  m.includeSensed(sensed);
  EXPECT_EQ(Vector2D(-1.0, 0.0), m.myPosition());
  EXPECT_EQ(1.0, m.self().getAbsPosConf()());
  EXPECT_EQ(0.0, double(m.myNeckAngle()));
  EXPECT_EQ(-30.0, double(m.myBodyAngle()));
}

TEST_F(UpdateableWMStateTest, LineChoiceAndTable) {
  std::vector<LineObject> lines(2);
  lines[0].setId(LineObject::Line_L);
  lines[0].setDist(10.0, 1.0);
  lines[1].setId(LineObject::Line_T);
  lines[1].setDist(12.0, 1.0);
  Vector2D pos;
  Deg angle;
  m.mySide = l;
  EXPECT_FALSE(m.lineFlagLocalization(lines, {}, pos, angle));  // no flag
  EXPECT_EQ(0.0, double(angle));                                 // the farther: top
  m.mySide = r;
  m.lineFlagLocalization(lines, {}, pos, angle);
  EXPECT_EQ(180.0, double(angle));
  m.mySide = l;
  lines[1].setDist(10.0, 1.0);
  lines[0].setId(LineObject::Line_B);
  lines[0].setDir(Deg(-30.0));
  m.lineFlagLocalization(lines, {}, pos, angle);
  EXPECT_EQ(30.0, double(angle));  // equal distances: the first
}

TEST_F(UpdateableWMStateTest, LocalisationFallbacks) {
  m.includeSensed(sensed);
  m.self().setAbsPos(Vector2D(3.0, 4.0), 0.8);
  sensed.seeLine(LineObject::Line_R, 53.5, Deg(90.0));  // a line, no flag
  sensed.setCurrentSight();
  m.includeSensed(sensed);
  EXPECT_EQ(Vector2D(3.0, 4.0), m.myPosition());
  EXPECT_EQ(0.8, m.self().getAbsPosConf()());
  EXPECT_EQ(1.0, m.self().getNeckAngleConf()());

  // Low quality: bearings only, the line is ignored.
  sensed.clearData();
  m.update();
  sensed.setViewMode(vekbase::ViewQuality::S_low, vekbase::ViewWidth::S_wide);
  for (FlagObject::FlagId id : {FlagObject::Flag_C, FlagObject::Flag_PLT, FlagObject::Flag_CT})
    sensed.seeFlag(id, Deg(bearing(Vector2D(-20.0, 10.0), -60.0, Probe::flagPos(id))));
  sensed.seeLine(LineObject::Line_T, Deg(12.0));
  sensed.setCurrentSight();
  m.includeSensed(sensed);
  EXPECT_TRUE(near(m.myPosition(), Vector2D(-20.0, 10.0), 1e-9));
  EXPECT_NEAR(-60.0, double(m.myNeckAngle()), 1e-9);
}

TEST_F(UpdateableWMStateTest, DeadReckoningReplaysEachCommandOnce) {
  m.includeSensed(sensed);
  m.self().setAbsPos(Vector2D(0.0, 0.0), 1.0);
  m.self().setAbsVel(Vector2D(0.5, 0.0), 1.0);
  decide({SoccerCommand(SoccerCommand::CMD_DASH, 100.0)});
  m.update();
  EXPECT_NEAR(1.1, m.myPosition()[0], 1e-12);
  EXPECT_NEAR(0.44, m.myVelocity()[0], 1e-12);
  EXPECT_EQ(3945.0, m.self().getStamina());
  m.update();  // a second sense_body before the next decision
  EXPECT_NEAR(0.176, m.myVelocity()[0], 1e-12);
  EXPECT_EQ(3990.0, m.self().getStamina());
  decide({SoccerCommand(SoccerCommand::CMD_DASH, -50.0)});  // costs twice
  m.update();
  EXPECT_EQ(3935.0, m.self().getStamina());

  m.self().setAbsVel(Vector2D(0.5, 0.0), 1.0);
  m.self().setRelativeNeckAngle(Deg(80.0));
  decide({SoccerCommand(SoccerCommand::CMD_TURN, Deg(180.0)),
          SoccerCommand(SoccerCommand::CMD_TURNNECK, Deg(30.0)),
          SoccerCommand(SoccerCommand::CMD_SAY, std::string("hello"))});
  m.update();
  EXPECT_NEAR(180.0 / 3.5, double(m.myBodyAngle()), 1e-9);  // inertia 5, speed 0.5
  EXPECT_EQ(90.0, double(m.myRelativeNeckAngle()));         // the neck stops at 90
  m.update();
  EXPECT_NEAR(180.0 / 3.5, double(m.myBodyAngle()), 1e-9);

  decide({SoccerCommand(SoccerCommand::CMD_MOVE, -10.0, 5.0)});
  m.update();
  EXPECT_EQ(Vector2D(-10.0, 5.0), m.myPosition());
  EXPECT_EQ(1.0, m.self().getAbsPosConf()());

  // A kick with the body at 30 and the head at 70 degrees: the ball straight
  // ahead of the body (at -40 to the head), 0.35 m beyond the kick margin's
  // start, gets 100 * 0.027 * (1 - 0.25 * 0.35 / 0.7) along body + 20.
  const Vector2D me(-10.0, 5.0);
  m.self().setAbsVel(Vector2D(0.0, 0.0), 1.0);
  m.self().setBodyAngle(Deg(30.0), 1.0);
  m.self().setRelativeNeckAngle(Deg(40.0));
  m.ball.setAbsPos(me + Vector2D(0.735, 30.0).cart(vekmath::DEG), 1.0);
  m.ball.setAbsVel(Vector2D(0.0, 0.0), 1.0);
  m.ball.setDist(0.735, 1.0);
  m.ball.setDir(Deg(-40.0), 1.0);
  m.own[3].setAbsPos(Vector2D(0.0, 5.0), 1.0);
  m.own[3].setDir(Deg(0.0), 1.0);
  decide({SoccerCommand(SoccerCommand::CMD_KICK, 100.0, Deg(20.0))});
  m.update();
  const Vector2D kicked = Vector2D(2.3625 * 0.94, 50.0).cart(vekmath::DEG);
  EXPECT_TRUE(near(m.getBall().getAbsVel(), kicked, 1e-9));
  // Directions after dead reckoning are told relative to the head.
  EXPECT_NEAR(bearing(me, 70.0, m.getBall().getAbsPos()), double(m.getBall().getDir()), 1e-9);
  EXPECT_NEAR(-70.0, double(m.own[3].getDir()), 1e-9);
}

TEST_F(UpdateableWMStateTest, StaminaModelAtItsThresholds) {
  m.includeSensed(sensed);
  PlayerObject& me = m.self();
  me.setStamina(1200.0);  // recover_dec_thr and effort_dec_thr: 0.3 of 4000
  me.setRecovery(0.75);
  me.setEffort(0.75);
  m.update();
  EXPECT_EQ(0.748, me.getRecovery());
  EXPECT_NEAR(0.745, me.getEffort(), 1e-15);
  EXPECT_NEAR(1200.0 + 0.748 * 45.0, me.getStamina(), 1e-9);
  me.setStamina(1000.0);
  me.setRecovery(0.5);  // at recover_min and effort_min: no lower
  me.setEffort(0.6);
  m.update();
  EXPECT_EQ(0.5, me.getRecovery());
  EXPECT_EQ(0.6, me.getEffort());
  me.setStamina(2400.0);  // effort_inc_thr: effort rises up to the maximum
  me.setRecovery(1.0);
  me.setEffort(0.995);
  m.update();
  EXPECT_EQ(1.0, me.getEffort());
  EXPECT_EQ(2445.0, me.getStamina());
}

TEST_F(UpdateableWMStateTest, MergeAssignsForgetsAndMergesOnce) {
  m.includeSensed(sensed);
  m.own[3].setAbsPos(Vector2D(9.0, 0.0), 1.0);     // ahead
  m.own[5].setAbsPos(Vector2D(-20.0, 0.0), 1.0);   // behind, out of view
  m.others[4].setAbsPos(Vector2D(5.0, 3.0), 1.0);  // ahead, not in the sight
  nextCycleWithSight();
  sensed.seePlayer(l, 12.0, Deg(0.0), false);  // exactly 2 m from teammate 3
  sensed.seePlayer(r, 20.0, Deg(-10.0), false);
  sensed.seePlayer(l, Deg(20.0));  // bearing only
  sensed.seeBall(10.0, Deg(0.0), 1.0, Deg(0.0));
  m.includeSensed(sensed);

  // Teammate 3 and opponent 4 should be seen: 3 takes the sighting 2 m
  // from it, 4 is forgotten; 5 is behind and stays.
  EXPECT_EQ(Vector2D(11.0, 0.0), m.own[3].getAbsPos());
  EXPECT_TRUE(m.own[5].getAbsPosConf().valid());
  EXPECT_FALSE(m.others[4].getAbsPosConf().valid());
  ASSERT_EQ(2u, m.unknown.size());
  EXPECT_EQ(r, m.unknown[0].getTeam());
  EXPECT_TRUE(m.unknown[0].getAbsPosConf().valid());
  EXPECT_FALSE(m.unknown[1].getAbsPosConf().valid());  // no invented (0, 0)
  EXPECT_EQ(20.0, double(m.unknown[1].getDir()));
  EXPECT_EQ(Vector2D(9.0, 0.0), m.getBall().getAbsPos());
  EXPECT_EQ(Vector2D(1.0, 0.0), m.getBall().getAbsVel());

  // A late message: neither the same sight again nor an empty snapshot.
  m.own[3].setAbsPos(Vector2D(30.0, 30.0), 1.0);
  m.includeSeen(sensed);
  EXPECT_EQ(Vector2D(30.0, 30.0), m.own[3].getAbsPos());
  sensed.clearData();
  m.update();
  m.includeSeen(sensed);
  EXPECT_EQ(2u, m.unknown.size());
  EXPECT_EQ(20.0, double(m.unknown[1].getDir()));  // not measured from (0, 0)
  EXPECT_TRUE(m.getBall().getAbsPosConf().valid());

  // Numbered by bearing only: seen, so not forgotten, but not moved.
  nextCycleWithSight();
  m.own[3].setAbsPos(Vector2D(9.0, 0.0), 1.0);
  sensed.seePlayer(l, 3, Deg(1.0));
  m.includeSensed(sensed);
  EXPECT_EQ(Vector2D(9.0, 0.0), m.own[3].getAbsPos());
  EXPECT_TRUE(m.own[3].getAbsPosConf().valid());
  EXPECT_FALSE(m.getBall().getAbsPosConf().valid());  // in view but not seen

  // The head at 60 degrees, the body at 20: what the sight and sense_body
  // tell is relative to the head, the seen body and pointing directions
  // included; the seen head direction becomes a neck angle on that body.
  nextCycleWithSight(60.0);
  sensed.setMyRelativeNeckAngle(Deg(40.0));
  sensed.setMySpeed(0.5, Deg(-60.0));
  sensed.seeBall(2.0, Deg(-60.0));
  sensed.seePlayer(r, 6, 10.0, Deg(-60.0), 0.0, Deg(0.0), Deg(30.0), Deg(50.0), Deg(10.0),
                   PlayerObject::f, false);
  m.includeSensed(sensed);
  EXPECT_NEAR(20.0, double(m.myBodyAngle()), 1e-9);
  EXPECT_TRUE(near(m.myVelocity(), Vector2D(0.5, 0.0), 1e-12));
  EXPECT_TRUE(near(m.getBall().getAbsPos(), Vector2D(1.0, 0.0), 1e-12));
  const PlayerObject& six = m.others[6];
  EXPECT_TRUE(near(six.getAbsPos(), Vector2D(9.0, 0.0), 1e-12));
  EXPECT_NEAR(90.0, double(six.getBodyAngle()), 1e-9);
  EXPECT_NEAR(20.0, double(six.getRelativeNeckAngle()), 1e-9);
  EXPECT_NEAR(70.0, double(six.getPointDir()), 1e-9);
}

TEST_F(UpdateableWMStateTest, RememberedAnonymousPlayersAndTies) {
  LogCapture log({1110});
  m.includeSensed(sensed);
  PlayerObject nearThree, sideless;
  nearThree.setTeam(l);
  nearThree.setAbsPos(Vector2D(9.0, 0.0), 1.0);
  sideless.setGoalieP(PlayerObject::t);  // tells a continued entry from a new one
  sideless.setAbsPos(Vector2D(14.0, 0.0), 1.0);
  m.unknown = {nearThree, sideless};
  m.own[3].setAbsPos(Vector2D(-20.0, 0.0), 1.0);  // behind: not expected
  m.own[4].setAbsPos(Vector2D(20.0, 1.0), 1.0);
  m.own[5].setAbsPos(Vector2D(20.0, -1.0), 1.0);
  nextCycleWithSight();
  // Number 3 at (10.5, 0), exactly 1.5 m from the remembered teammate: it
  // explains it, so the side-less sighting 1 m from there starts anew.
  sensed.seePlayer(l, 3, 11.5, Deg(0.0), 0.0, Deg(0.0), Deg(0.0), Deg(0.0), PlayerObject::u,
                   false);
  sensed.seePlayer(11.0, Deg(0.0));
  sensed.seePlayer(15.0, Deg(0.0));  // continues the side-less one
  sensed.seePlayer(15.5, Deg(0.0));  // that one is taken
  sensed.seePlayer(l, 21.0, Deg(0.0), false);  // 1 m from both 4 and 5
  m.includeSensed(sensed);

  ASSERT_EQ(3u, m.unknown.size());
  EXPECT_EQ(u, m.unknown[0].getTeam());
  EXPECT_EQ(Vector2D(10.0, 0.0), m.unknown[0].getAbsPos());
  EXPECT_EQ(PlayerObject::t, m.unknown[1].getGoalieP());
  EXPECT_EQ(PlayerObject::u, m.unknown[2].getGoalieP());
  EXPECT_TRUE(log.has("assigning own 4 to unknown player\n"));
  EXPECT_TRUE(log.has("forgetting teammate(s): 5 \n"));
}

TEST_F(UpdateableWMStateTest, CalculateVelocity) {
  m.includeSensed(sensed);
  m.self().setAbsPos(Vector2D(0.0, 0.0), 1.0);
  m.self().setAbsVel(Vector2D(0.5, 0.0), 1.0);
  const Vector2D p(10.0, 0.0);
  EXPECT_EQ(Vector2D(1.5, 0.0), m.calculateVelocity(p, 10.0, 1.0, Deg(0.0)));
  EXPECT_TRUE(near(m.calculateVelocity(p, 10.0, 0.0, vekbase::AngleRad(0.1).deg()),
                   Vector2D(0.5, 1.0), 1e-12));
  // On the agent's own spot there is no line of sight: the agent's velocity.
  EXPECT_EQ(Vector2D(0.5, 0.0), m.calculateVelocity(Vector2D(0.0, 0.0), 0.0, 0.3, Deg(5.0)));
}

} // namespace
