#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "testutil/text.h"
#include "tolvane/actuator.h"
#include "tolvane/clientparam.h"
#include "tolvane/wmfullstate.h"
#include "tolvane/wmstate.h"

namespace {

// Reaches the protected state the tests set up or inspect. By default it
// has the persistent model's layout: twelve numbered entries per team; the
// agent is left 9, at the centre spot.
struct TestState : WMState {
  using WMState::ball;
  using WMState::knowTheirGoalie;
  using WMState::mySide;
  using WMState::myUnum;
  using WMState::others;
  using WMState::own;
  using WMState::playMode;
  using WMState::unknown;

  explicit TestState(bool teams = true) {
    if (!teams) return;
    own.assign(12, PlayerObject());
    others.assign(12, PlayerObject());
    mySide = l;
    theirSide = r;
    myUnum = 9;
    for (Unum i = 1; i < 12; ++i) {
      own[i].setUnum(i);
      own[i].setTeam(l);
      others[i].setUnum(i);
      others[i].setTeam(r);
    }
    place(own[9], Vector2D(0.0, 0.0));
  }
  static PlayerObject& place(PlayerObject& p, const Vector2D& pos, double body = 0.0) {
    p.setAbsPos(pos, 1.0);
    p.setAbsVel(Vector2D(0.0, 0.0), 1.0);
    p.setBodyAngle(body, 1.0);
    return p;
  }
  void ballAt(const Vector2D& pos, const Vector2D& vel = Vector2D(0.0, 0.0)) {
    ball.setAbsPos(pos, 1.0);
    ball.setAbsVel(vel, 1.0);
    ball.setDist(pos.dist(myPosition()), 1.0);
  }
  // The table is built once per process; these tests build it several times.
  static void forgetFlags() {
    allFlags.clear();
    flagsInitialized = false;
  }
};

struct TestFullstate : WMFullstate {
  using WMState::mySide;
};

TEST(WMStateTest, GetMeAndBodyRelativeDirections) {
  TestState s(false);
  // No own entry: the queries about the agent read a default player.
  EXPECT_EQ(Vector2D(0.0, 0.0), s.myPosition());

  s.own.assign(12, PlayerObject());
  s.own[0].setUnum(99);
  s.myUnum = 40;  // never read outside the list
  EXPECT_EQ(99u, s.getMe()->getUnum());

  // The body at 30, the head at 50: seen directions are relative to the head.
  s.myUnum = 7;
  s.own[7].setAbsPos(Vector2D(1.0, 2.0));
  s.own[7].setBodyAngle(30.0);
  EXPECT_EQ(60.0, double(s.angleToFromBody(Vector2D(1.0, 5.0))));
  s.own[7].setRelativeNeckAngle(20.0);
  s.ball.setDir(-50.0);
  EXPECT_EQ(-30.0, double(s.ballAngleFromBody()));
  s.ball.setAbsVel(Vector2D(0.0, 2.0));
  EXPECT_EQ(60.0, double(s.ballRelativeToBodyHeading()));
  EXPECT_NEAR(1.0, s.ballRelativeToBodyVel()[0], 1e-12);
}

TEST(WMStateTest, GetPlayerGuards) {
  TestFullstate fs;
  fs.init(3, l);
  Vector2D pos(1.0, 2.0), otherPos(-5.0, 2.0), vel(0.0, 0.0);
  fs.setPlayer(l, 7, 0, pos, vel, 0.0, 0.0, 4000.0, 1.0, 1.0, PlayerObject::f);
  fs.setPlayer(r, 7, 0, otherPos, vel, 0.0, 0.0, 4000.0, 1.0, 1.0, PlayerObject::f);

  PlayerObject p;
  ASSERT_TRUE(fs.getPlayer('l', 7, p));
  EXPECT_EQ(pos, p.getAbsPos());
  fs.mySide = r;
  ASSERT_TRUE(fs.getPlayer('l', 7, p));
  EXPECT_EQ(otherPos, p.getAbsPos());

  PlayerObject untouched;
  untouched.setUnum(42);
  for (char side : {'x', 'u', 'L'}) EXPECT_FALSE(fs.getPlayer(side, 7, untouched));
  for (int n : {0, 12, -1}) EXPECT_FALSE(fs.getPlayer('l', n, untouched));
  // A state without per-number entries answers false instead of reading past its lists.
  EXPECT_FALSE(TestState(false).getPlayer('l', 7, untouched));
  EXPECT_EQ(42u, untouched.getUnum());
}

TEST(WMStateTest, FlagTable) {
  TestState s;
  TestState::forgetFlags();
  EXPECT_EQ("unknown", s.getFlag(FlagObject::Flag_C).getName());

  // An undetermined side builds the table as the left side does.
  for (Side side : {l, u}) {
    TestState::forgetFlags();
    WMState::initFlags(side);
    ASSERT_EQ(55u, s.getAllFlags().size());
    for (std::size_t i = 0; i < 55; ++i) EXPECT_EQ(int(i), int(s.getAllFlags()[i].getId()));
    EXPECT_EQ(Vector2D(52.5, -34.0), s.getFlag(FlagObject::Flag_RT).getAbsPos());
    EXPECT_EQ(Vector2D(-52.5, 0.0), s.getFlag(FlagObject::Flag_GL).getAbsPos());
    EXPECT_EQ(Vector2D(57.5, 30.0), s.getFlag(FlagObject::Flag_RB30).getAbsPos());
    EXPECT_EQ(Vector2D(-36.0, 20.16), s.getFlag(FlagObject::Flag_PLB).getAbsPos());
  }
  EXPECT_EQ(FlagObject::No_Flag, s.getFlag(FlagObject::No_Flag).getId());

  TestState::forgetFlags();
  WMState::initFlags(r);
  EXPECT_EQ(Vector2D(52.5, 0.0), s.getFlag(FlagObject::Flag_GL).getAbsPos());
  // Later builds change nothing.
  WMState::initFlags(r);
  WMState::initFlags(l);
  EXPECT_EQ(55u, s.getAllFlags().size());
  EXPECT_EQ(Vector2D(-52.5, 34.0), s.getFlag(FlagObject::Flag_RT).getAbsPos());
}

TEST(WMStateTest, Dump) {
  TestState s(false);
  s.mySide = r;
  s.myUnum = 10;
  const std::string bare = testutil::text(s);
  EXPECT_EQ(0u, bare.find("I am right  10.\n"));
  const std::string noEntry = "\n Me: \nno entry for the agent yet\n";
  EXPECT_EQ(noEntry, bare.substr(bare.size() - noEntry.size()));
  s.mySide = static_cast<Side>(3);
  EXPECT_EQ("I am ILLEGAL SIDE 10.\n", testutil::text(s).substr(0, 22));

  TestState::forgetFlags();
  WMState::initFlags(l);
  TestFullstate fs;
  fs.init(7, l);
  Vector2D pos(-10.0, 5.5), vel(0.5, 0.0), bpos(10.5, -3.2), bvel(0.8, 0.1);
  fs.setPlayer(l, 7, 0, pos, vel, 45.0, -30.0, 3500.5, 0.9, 1.0, PlayerObject::t);
  fs.setBall(bpos, bvel);
  fs.setArm(1, 2, 3.5, 45.0);
  fs.getFlags().push_back(fs.getFlag(FlagObject::Flag_C));
  fs.getLines().push_back(LineObject());
  fs.getLines().back().setId(LineObject::Line_T);
  EXPECT_EQ("I am left  7.\n"
            "Ball: Pos = V(10.5, -3.2) / Vel = V(0.8, 0.1) / Rel = (0, 0)\n"
            "Playmode: ILLEGAL PLAY MODE\n"
            "seen Flags:\n"
            "Flag (f c) (id = 0)\n"
            "seen Lines:\n"
            "top\n"
            "Armdevice: pointing to (3.5, 45) for 2 more cycles.\n"
            "arm immobile for 1 cycles.\n"
            "\n"
            "known Teammates:\n"
            " Me: \n"
            "left 7 (type 0) is the goalie.\n"
            "pos  = V(-10, 5.5)\n"
            "Vel  = V(0.5, 0)\n"
            "neck = -30\n"
            "body = 45\n"
            "pointing to 0\n"
            "(s,e,r) = (3500.5, 0.9, 1)\n"
            "\n",
            testutil::text(fs));
}

// The fastest searches keep one result per simulation time.
int cycle = 1000;
void nextCycle() { vekbase::Timer::updateTime(++cycle); }

TEST(WMQueriesTest, CatchAndKick) {
  TestState s;
  // Nothing caught yet: the queue holds cycle -100.
  vekbase::Timer::updateTime(2);
  EXPECT_FALSE(s.isCatchBanActive());
  vekbase::Timer::updateTime(100);
  Actuator::instance()->clearQueue();
  Actuator::instance()->queueUp(SoccerCommand(SoccerCommand::CMD_CATCH, vekbase::AngleDeg(0.0)));
  Actuator::instance()->sendActions();
  ClientParam::instance()->goalie_connect = true;
  s.playMode.set(PlayMode::Play_On);
  TestState::place(s.own[9], Vector2D(-50.0, 0.0));
  s.ballAt(Vector2D(-48.0, 0.0));
  vekbase::Timer::updateTime(104);
  EXPECT_FALSE(s.isBallCatchable());
  vekbase::Timer::updateTime(105);
  EXPECT_TRUE(s.isBallCatchable());
  s.ball.setDist(2.0000001);
  EXPECT_FALSE(s.isBallCatchable());
  vekbase::Timer::updateTime(120);
  EXPECT_EQ(20, s.cyclesSinceLastCatch());
  // The keeper looks along +y; one full dash brings a ball 2.5 m ahead into
  // the catch area, not one 3.5 m ahead; one 1.5 m ahead is there already.
  TestState::place(s.own[9], Vector2D(-50.0, 0.0), 90.0);
  for (double y : {2.5, 3.5, 1.5}) {
    s.ballAt(Vector2D(-50.0, y));
    EXPECT_EQ(y == 2.5, s.willCatchBallSafer(0.0)) << y;
  }

  TestState::place(s.own[9], Vector2D(0.0, 0.0));
  const double kickable = 0.7 + 0.3 + 0.085;
  s.ballAt(Vector2D(kickable, 0.0));
  EXPECT_FALSE(s.isBallKickable());
  EXPECT_TRUE(s.willBallBeKickable(0, 0.0, 0.0));
  s.ballAt(Vector2D(1.08, 0.0));
  EXPECT_TRUE(s.isBallKickable());
  // Dashing at a resting ball 2 m ahead: 0.6, then 1.44 m.
  s.ballAt(Vector2D(2.0, 0.0));
  EXPECT_FALSE(s.willBallBeKickable(1, 100.0, 0.0));
  EXPECT_TRUE(s.willBallBeKickable(2, 100.0, 0.0));
  TestState::place(s.own[7], Vector2D(10.0, 0.0));
  s.ballAt(Vector2D(11.0, 0.0));
  EXPECT_TRUE(s.isBallKickableForPlayer(l, 7, 0.0));
  EXPECT_FALSE(s.isBallKickableForPlayer(l, 7, 0.1));
  EXPECT_FALSE(s.isBallKickableForPlayer(r, 7, 0.0));
  EXPECT_FALSE(s.isBallKickableForPlayer(l, 12, 0.0));

  // A catch in the last cycles of int's range: the ban's end does not wrap.
  vekbase::Timer::updateTime(INT_MAX - 2);
  Actuator::instance()->clearQueue();
  Actuator::instance()->queueUp(SoccerCommand(SoccerCommand::CMD_CATCH, vekbase::AngleDeg(0.0)));
  Actuator::instance()->sendActions();
  vekbase::Timer::updateTime(INT_MAX);
  EXPECT_TRUE(s.isCatchBanActive());
}

TEST(WMQueriesTest, AreaPlayModesAndOffside) {
  TestState s;
  EXPECT_TRUE(s.isInOurPenaltyArea(Vector2D(-52.5, 0.0)));
  EXPECT_TRUE(s.isInOurPenaltyArea(Vector2D(-36.1, -20.16)));
  EXPECT_FALSE(s.isInOurPenaltyArea(Vector2D(-36.0, 0.0)));
  EXPECT_FALSE(s.isInOurPenaltyArea(Vector2D(-40.0, 20.16)));

  int deadBalls = 0;
  for (int m = PlayMode::No_Mode; m <= PlayMode::Penalty_Draw; ++m) {
    s.playMode.set(PlayMode::PlayModeType(m));
    deadBalls += s.isDeadBallUs() + 10 * s.isDeadBallThem();
  }
  EXPECT_EQ(44, deadBalls);
  s.playMode.set(PlayMode::My_Goal_Kick);
  EXPECT_TRUE(s.isGoalKickUs() && !s.isDeadBallUs() && !s.isGoalKickThem());

  TestState::place(s.others[2], Vector2D(50.0, 3.0));
  TestState::place(s.others[5], Vector2D(50.0, -3.0));
  TestState::place(s.others[8], Vector2D(20.0, 0.0));
  EXPECT_EQ(20.0, s.getOffsideLine());
  PlayerObject p;
  EXPECT_FALSE(s.offside(TestState::place(p, Vector2D(20.0, 0.0))));
  EXPECT_TRUE(s.offside(TestState::place(p, Vector2D(20.5, 0.0))));
  // The ball beyond the second last opponent.
  s.others[2].setAbsPos(Vector2D(30.0, 0.0));
  s.others[5].setAbsPos(Vector2D(40.0, 0.0));
  s.others[8].getAbsPosConf().set(0.0);
  s.ball.setAbsPos(Vector2D(35.0, 0.0));
  EXPECT_EQ(35.0, s.getOffsideLine());
  // Without opponents the ball's x, never below 0.
  s.others[2].getAbsPosConf().set(0.0);
  s.others[5].getAbsPosConf().set(0.0);
  s.ball.setAbsPos(Vector2D(-10.0, 0.0));
  EXPECT_EQ(0.0, s.getOffsideLine());
  EXPECT_FALSE(s.offside(TestState::place(p, Vector2D(0.0, 0.0))));
}

TEST(WMQueriesTest, ClosestPlayersAndStrategicPositions) {
  TestState s;
  Value dist = 0.0;
  EXPECT_EQ(0u, s.getClosestTeammateTo(dist, Vector2D(0.0, 0.0), false, true));
  EXPECT_EQ(-1.0, dist);
  // A tie goes to the lower number; the known keeper only when asked for.
  TestState::place(s.own[6], Vector2D(0.0, 3.0));
  TestState::place(s.own[4], Vector2D(0.0, -3.0));
  TestState::place(s.own[1], Vector2D(0.0, 0.5));
  s.setOurGoalie(1);
  EXPECT_EQ(4u, s.getClosestTeammateTo(dist, Vector2D(0.0, 0.0), false, false));
  EXPECT_EQ(1u, s.getClosestTeammateTo(dist, Vector2D(0.0, 0.0), false, true));
  EXPECT_EQ(9u, s.getClosestTeammateTo(dist, Vector2D(0.0, 0.0), true, true));
  TestState::place(s.others[1], Vector2D(10.0, 0.0));
  TestState::place(s.others[7], Vector2D(13.0, 0.0));
  s.setOppGoalie(1);
  EXPECT_EQ(7u, s.getClosestOpponentTo(dist, Vector2D(9.0, 0.0), false));
  EXPECT_EQ(4.0, dist);

  s.ballAt(Vector2D(10.0, -5.0));
  EXPECT_EQ(s.getStrategicPosition(9), s.getStrategicPosition(0));
  EXPECT_EQ(Vector2D(0.0, 0.0), s.getStrategicPosition(12));
  // Shirt 11 is never a candidate, even on its own position.
  EXPECT_NE(11u, s.getClosestStrategicPositionTo(dist, s.getStrategicPosition(11), true, true));
  EXPECT_EQ(9u, s.getClosestStrategicPositionTo(dist, s.getStrategicPosition(9), true, true));
}

TEST(WMQueriesTest, FastestToTheBall) {
  TestState s;
  s.own[9].getAbsPosConf().set(0.0);
  // The ball comes towards team-mate 3: t = 5.323019.
  TestState::place(s.own[3], Vector2D(0.0, 0.0));
  TestState::place(s.others[4], Vector2D(20.0, 0.0), 180.0);
  s.ballAt(Vector2D(10.0, 0.0), Vector2D(-1.0, 0.0));
  nextCycle();
  Unum u = 0;
  bool mine = false;
  EXPECT_NEAR(5.323019, s.getFastestPlayerToBall(u, mine), 1e-6);
  EXPECT_TRUE(u == 3 && mine);
  EXPECT_EQ(l, s.teamWithBall());
  // The cached result stands within one time, whatever moved; a new
  // sub-step is a new time.
  TestState::place(s.own[3], Vector2D(50.0, 30.0));
  EXPECT_NEAR(5.323019, s.getFastestTeammateToBall(u), 1e-6);
  vekbase::Timer::updateTime(cycle);
  EXPECT_GT(s.getFastestTeammateToBall(u), 20.0);

  // Mirror images: the lower number wins, and between the teams the opponent.
  s.ballAt(Vector2D(10.0, 0.0));
  s.own[3].getAbsPosConf().set(0.0);
  TestState::place(s.own[5], Vector2D(0.0, -3.0), -10.0);
  TestState::place(s.own[2], Vector2D(0.0, 3.0), 10.0);
  TestState::place(s.others[6], Vector2D(20.0, -3.0), -170.0);
  TestState::place(s.others[4], Vector2D(20.0, 3.0), 170.0);
  nextCycle();
  const Value t = s.getFastestTeammateToBall(u);
  EXPECT_EQ(2u, u);
  EXPECT_EQ(t, s.getFastestPlayerToBall(u, mine));
  EXPECT_TRUE(u == 4 && !mine);
  EXPECT_EQ(r, s.teamWithBall());

  // Nobody: the agent's own number, and no opponent. An unidentified player
  // of unknown side counts for neither team.
  for (PlayerObject* p : {&s.own[2], &s.own[5], &s.others[4], &s.others[6]})
    p->getAbsPosConf().set(0.0);
  s.unknown.assign(1, PlayerObject());
  TestState::place(s.unknown[0], Vector2D(9.0, 0.0));
  nextCycle();
  EXPECT_EQ(999.0, s.getFastestTeammateToBall(u));
  EXPECT_EQ(9u, u);
  EXPECT_EQ(999.0, s.getFastestPlayerToBall(u, mine));
  EXPECT_EQ(0u, u);
  EXPECT_TRUE(s.isFastestTeammateToBall() && !s.isFastestPlayerToBall());
  s.unknown[0].setTeam(r);
  nextCycle();
  EXPECT_DOUBLE_EQ(1.0, s.getFastestOpponentToBall(u));

  // To a player: our 5 shares the target's number and is left out.
  s.unknown.clear();
  PlayerObject target;
  target.setUnum(5);
  TestState::place(target, Vector2D(10.0, 0.0));
  TestState::place(s.own[5], Vector2D(9.0, 0.0));
  TestState::place(s.own[7], Vector2D(4.0, 0.0));
  EXPECT_DOUBLE_EQ(6.0, s.getFastestPlayerToPlayer(target, u, mine));
  EXPECT_EQ(7u, u);
}

TEST(WMQueriesTest, KickLockAndCongestion) {
  TestState s;
  s.ball.setAbsPos(Vector2D(0.0, 0.0), 1.0);
  TestState::place(s.own[9], Vector2D(20.0, 0.0));
  for (Unum mate : {3u, 11u, 1u}) {
    TestState::place(s.own[mate], Vector2D(0.5, 0.0));
    EXPECT_EQ(mate != 3, s.lockKick()) << mate;
    s.own[mate].getAbsPosConf().set(0.0);
  }
  s.myUnum = 1;
  TestState::place(s.own[5], Vector2D(0.5, 0.0));
  EXPECT_TRUE(s.lockKick());

  const Vector2D pos(10.0, 10.0);
  TestState::place(s.others[2], Vector2D(12.0, 10.0));
  TestState::place(s.own[8], Vector2D(10.0, 11.0));
  EXPECT_DOUBLE_EQ(0.25, s.congestionAtPos(pos));
  s.unknown.assign(1, PlayerObject());
  TestState::place(s.unknown[0], Vector2D(10.0, 8.0));
  EXPECT_DOUBLE_EQ(0.5, s.congestionAtPos(pos));
  // Exactly on the position: large but finite.
  TestState::place(s.others[3], pos);
  EXPECT_DOUBLE_EQ(10000.5, s.congestionAtPos(pos));
}

TEST(WMQueriesTest, GoalKickClasses) {
  TestState s;
  unsigned short x = 9, y = 9, z = 9;
  s.ball.setAbsPos(Vector2D(42.5, 10.0));
  for (double at : {45.51, 45.5, 12.5}) {
    s.own[9].setAbsPos(Vector2D(at, 0.0));
    s.goalKickSituation(x, y, z);
    EXPECT_EQ(at == 45.51 ? 0 : at == 45.5 ? 1 : 4, x);
    EXPECT_EQ(2, y);
  }
  // Behind the goal line the angle folds back.
  s.ball.setAbsPos(Vector2D(60.0, 1.0));
  s.goalKickSituation(x, y, z);
  EXPECT_EQ(0, y);
  // Keeper straight beside the shooter, near post straight ahead: 90 degrees.
  s.own[9].setAbsPos(Vector2D(45.5, -7.0));
  s.setOppGoalie(1);
  s.others[1].setAbsPos(Vector2D(45.5, 0.0));
  s.goalKickSituation(x, y, z);
  EXPECT_EQ(6, z);
  s.others[1].setAbsPos(Vector2D(45.52, 0.0));
  s.goalKickSituation(x, y, z);
  EXPECT_EQ(5, z);
  // An unknown keeper stands in the middle of the goal: 45 degrees.
  s.knowTheirGoalie = false;
  s.goalKickSituation(x, y, z);
  EXPECT_EQ(3, z);
}

TEST(WMQueriesTest, WidestGapRegionsAndMarking) {
  TestState s;
  vekbase::AngleDeg large;
  const Vector2D o(0.0, 0.0);
  EXPECT_DOUBLE_EQ(0.0, double(s.getDirOfWidestAngle(o, -30.0, 30.0, large, 20.0)));
  EXPECT_DOUBLE_EQ(60.0, double(large));
  // Seen at 10 degrees exactly at the distance limit; one out of the range
  // and one whose direction is no longer trusted.
  TestState::place(s.others[6], Vector2D(20.0, 0.0)).setDir(10.0, 1.0);
  TestState::place(s.others[7], Vector2D(5.0, 0.0)).setDir(50.0, 1.0);
  TestState::place(s.others[8], Vector2D(5.0, 0.0)).setDir(-5.0, 0.2);
  EXPECT_DOUBLE_EQ(-10.0, double(s.getDirOfWidestAngle(o, -30.0, 30.0, large, 20.0)));
  EXPECT_DOUBLE_EQ(40.0, double(large));
  EXPECT_DOUBLE_EQ(0.0, double(s.getDirOfWidestAngle(o, -30.0, 30.0, large, 19.9)));
  // Seen directions are relative to the head.
  s.own[9].setRelativeNeckAngle(20.0);
  EXPECT_DOUBLE_EQ(0.0, double(s.getDirOfWidestAngle(o, -30.0, 30.0, large, 20.0)));
  // A player seen by direction only has no position, so no distance test can
  // put it in range.
  s.unknown.assign(1, PlayerObject());
  s.unknown[0].setAbsPos(Vector2D(0.0, 0.0), 0.0);
  s.unknown[0].setDir(5.0, 1.0);
  EXPECT_DOUBLE_EQ(0.0, double(s.getDirOfWidestAngle(o, -30.0, 30.0, large, 20.0)));

  TestState::place(s.others[2], Vector2D(-40.0, 0.0));
  TestState::place(s.others[3], Vector2D(-36.0, 0.0));
  s.unknown.assign(1, PlayerObject());
  TestState::place(s.unknown[0], Vector2D(-45.0, -20.16));
  EXPECT_EQ(2, s.getOpponentsInOurPenaltyArea());
  // Opponent 3 is 4 m from p1; the ball's foot lies on the path, then
  // beyond the opponent.
  Vector2D p0(99.0, 99.0);
  const Vector2D p1(-32.0, 0.0);
  s.ball.setAbsPos(Vector2D(-34.0, 3.0), 1.0);
  EXPECT_FALSE(s.opponentPathLineMarkingPosition(p0, p1, 4.0));
  EXPECT_EQ(Vector2D(99.0, 99.0), p0);
  EXPECT_TRUE(s.opponentPathLineMarkingPosition(p0, p1, 5.0));
  EXPECT_NEAR(0.0, p0.dist(Vector2D(-34.0, 0.0)), 1e-12);
  s.ball.setAbsPos(Vector2D(-38.0, 3.0));
  EXPECT_TRUE(s.opponentPathLineMarkingPosition(p0, p1, 5.0));
  EXPECT_EQ(Vector2D(-36.0, 0.0), p0);
}

} // namespace
