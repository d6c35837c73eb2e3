#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/tolvane/skills/skillfixture.h"

namespace {

using Access = VekActionsTestAccess;

const Vector2D NOWHERE(99, 99);

class DribbleTest : public skilltest::SkillTest {
protected:
  // Opponent 1 at p (NOWHERE: unplaced) with the speed v.
  void opp(Vector2D p, double v = 0.0) {
    opponent(1, p).at(p, p == NOWHERE ? 0.0 : 1.0).vel({0, v});
  }
};

// The corridor of length 10 and width 2 holds |y| below 2.0 at rest, 2.5 at
// 0.5 m per cycle. The dash runs into a ball at most 0.125 + 0.25 + 0.25 away.
TEST_F(DribbleTest, DashCollisionAndOpponentsInTheCorridor) {
  struct Case {
    Vector2D pos;
    double speed, wayAngle, count;
  } cases[] = {{{10, 0}, 0, 0, 1},  {{10.01, 0}, 0, 0, 0}, {{5, 1.99}, 0, 0, 1},
               {{5, 2.01}, 0, 0, 0}, {{5, 2.4}, 0.5, 0, 1}, {{-1, 0}, 0, 0, 0},
               {{0, 0}, 0, 0, 0},   {{0, 5}, 0, 90, 1},    {{5, 0}, 0, 90, 0}};
  for (const Case& c : cases) {
    opp(c.pos, c.speed);
    EXPECT_EQ(c.count, Access::numOpponentsInWay(agent, 10, 2, c.wayAngle)) << c.pos;
  }
  // An unplaced opponent does not count, an unidentified player does.
  opponent(1, {5, 0}).at({5, 0}, 0.0);
  unidentified({6, 0});
  EXPECT_EQ(1.0, Access::numOpponentsInWay(agent, 10, 2, 0));
  param(SP->bsize, 0.125);
  param(SP->psize, 0.25);
  for (double d : {0.625, 0.626}) {
    ball({d, 0});
    EXPECT_EQ(d == 0.625, Access::willDashBeCollision(agent, 0, 0.25)) << d;
  }
}

TEST_F(DribbleTest, EnemyAvoidanceAndHoldingTheBall) {
  EXPECT_EQ(0.0, Access::avoidEnemyAngle(agent));
  opp({2, 0}); // weight 0.9
  EXPECT_EQ(180.0, Access::avoidEnemyAngle(agent));
  me().neck(60); // seen from a turned head, the same scene
  opp({0, 2});
  EXPECT_EQ(-90.0, Access::avoidEnemyAngle(agent));
  opp({6, 0}); // weight -0.02: nothing
  EXPECT_EQ(0.0, Access::avoidEnemyAngle(agent));
  // A goalkeeper 4.2515 m behind (2 x 0.50026) outweighs a player 0.2 m
  // ahead (1.0008, held at 1.0).
  opp({0.2, 0});
  opponent(2, {-4.2515, 0}).goalie();
  EXPECT_EQ(0.0, Access::avoidEnemyAngle(agent));
  // Facing the side line only directions whose point 1 m away is on the
  // field; of those 80 and -80 lead farthest from the player behind.
  opponent(2, NOWHERE).at(NOWHERE, 0.0);
  me({0, 33.7}).body(90).neck(0);
  ball({0, 34.2});
  opp({0, 32.7});
  agent.holdBall();
  EXPECT_TRUE(trace.has("holdBall in angle: 80\n"));
}

TEST_F(DribbleTest, ObstacleFan) {
  auto fan = [&](Vector2D endPos, double angDiffs = 7) {
    return double(agent.avoidObstacleAngle(endPos, 10, -70, 70, angDiffs));
  };
  me({10, 5});
  EXPECT_EQ(10.0, fan({20, 5}));
  opp(Vector2D(10, 5) + polar(9, 10)); // in the +10 corridor only
  EXPECT_EQ(-10.0, fan({20, 5}));
  // The target 2 degrees right of a body at -179: just right of the body.
  opp(NOWHERE);
  me({0, 0}).body(-179);
  EXPECT_EQ(-10.0, fan(polar(10, 179)));
  // Facing the side line from 4.9 m: the corridors' middles 5 m on cost
  // what lies beyond 32; 70 (1 + 0) beats 50 (0.714 + 0.314).
  me({0, 29.1}).body(90);
  EXPECT_EQ(70.0, fan({0, 40}));
  // No candidate, or a walk that would not end: straight on.
  EXPECT_EQ(0.0, double(agent.avoidObstacleAngle({10, 0}, 10, 10, -10, 7)));
  for (double steps : {0.0, -7.0, 1e300}) EXPECT_EQ(0.0, fan({10, 0}, steps)) << steps;
}

// A refused value is not taken (a command line holding it does not start).
TEST_F(DribbleTest, AvoidanceParametersRefused) {
  testutil::LogCapture warnings({1002});
  param(CP->avoid_max_angle, 70);
  const bool started = CP->isStarted();
  CP->begin();
  for (const char* v : {"0", "90.5", "nan", "-70"})
    EXPECT_FALSE(CP->setParameter("avoidance_max_angle", v)) << v;
  for (const char* v : {"0", "inf", "3601"})
    EXPECT_FALSE(CP->setParameter("avoidance_evaluation_angles", v)) << v;
  EXPECT_EQ(70.0, CP->avoidMaxAngle());
  EXPECT_EQ(7.0, CP->avoidEvalAngles());
  EXPECT_TRUE(CP->setParameter("avoidance_max_angle", "90"));
  EXPECT_EQ(90.0, CP->avoidMaxAngle());
  if (!started) CP->end();
}

// Beyond 5 m nothing; a field player in the open reaches 2.585 with the
// buffer, a goalkeeper 3.5; one whose way passes within 0.6 m of the agent
// its distance less 0.6, and 1.585: 3.0466 from 2.0616 m away.
TEST_F(DribbleTest, PositionCoverage) {
  struct Case {
    Vector2D oppPos, pos;
    bool goalie, covered;
  } cases[] = {{{5.01, 0}, {5.01, 0}, false, false}, {{5, 0}, {5, 0}, false, true},
               {{4, 0}, {4, 3.4}, false, false},     {{4, 0}, {4, 3.4}, true, true},
               {{-2, 0.5}, {0.9, 0.5}, false, true}, {{-2, 0.5}, {1.1, 0.5}, false, false}};
  for (const Case& c : cases) {
    opp(c.oppPos);
    world.others[1].setGoalieP(c.goalie ? PlayerObject::t : PlayerObject::u);
    EXPECT_EQ(c.covered, agent.positionCovered(c.pos, world.getOthers(1), 0.5)) << c.oppPos;
  }
  // A way exactly 2 x 0.25 m from the agent passes clear of it: 2.535.
  param(SP->psize, 0.25);
  opp({-2, 0.5});
  EXPECT_FALSE(agent.positionCovered({0.8, 0.5}, world.getOthers(1), 0.5));
}

// The body at 30, the head at 50: a ball more than 110 degrees off the body
// is laid beside it, a direction more than 15 degrees off it is turned to
// first.
TEST_F(DribbleTest, BasicDribble) {
  struct Case { double ballDir, direction; bool laid, turned; } cases[] = {
      {111, 30, true, false}, {-111, 30, true, false}, {110, 30, false, false},
      {0, 45, false, false},  {0, 14, false, true}};
  for (const Case& c : cases) {
    trace.clear();
    me().body(30).neck(20);
    ball(polar(0.5, 30 + c.ballDir)).seen(0.5, c.ballDir - 20);
    agent.basicDribble(100, c.direction, 90);
    EXPECT_EQ(c.laid, trace.has("kickBallCloseToBody(vekbase::AngleDeg, double) (90, 0.6)"))
        << c.ballDir;
    EXPECT_EQ(c.turned, trace.has("turnWithBallTo")) << c.direction;
  }
  // A ball 0.565 m ahead moving 1 m per cycle ends 0.965 and 1.065 m from
  // the agent dashing at 100: kickable within 0.15 of 1.085 in neither
  // cycle, nor within 0.1 in the second: kicked, not dashed after.
  ball(polar(0.565, 30)).vel(polar(1, 30));
  EXPECT_EQ(SoccerCommand::CMD_KICK, agent.basicDribble(100, 30, 0).command());
  // Exact kick model: rate 0.125 for a touching ball, no decay. The agent
  // stands still; the ball 1 m ahead after 2 cycles needs 0.75 / 0.125.
  me().body(0).neck(0);
  param(SP->kprate, 0.125);
  param(SP->bsize, 0.125);
  param(SP->psize, 0.125);
  param(SP->bdecay, 0.0);
  ball({0.25, 0});
  EXPECT_EQ("(kick 6.00 0.00)", agent.basicDribble(0, 0, 0).str());
  // Laid 0.6 m to the left the ball gets only 5.2: the kick goes half as far
  // round, 0.6 / sin 45 m away at 45 degrees: to (0.6, 0.6).
  EXPECT_EQ("(kick 5.56 59.74)", agent.basicDribble(0, 0, 90).str());
  // Decay 0.5, the rate 0.125 x (1 - 0.25 x 0.25 / 0.7) at 0.5 m. Each dash
  // of the plan takes the agent 0.006 x power on: a ball sent to meet it
  // after k cycles lies 0.5 + (0.006 p k - 0.5) / (1 + 0.5 + .. + 0.5^(k-1))
  // m from it, enough from 0.95 on: 0.967 after 2 cycles at power 100; at
  // 60 0.647, 0.831, then 1.001 after 4. The kick leads the agent's dashes
  // (0.6 m; 1.4256 m after 3) by 1 m.
  param(SP->bdecay, 0.5);
  ball({0.5, 0});
  EXPECT_EQ("(kick 6.44 0.00)", agent.basicDribble(100, 0, 0).str());
  EXPECT_EQ("(kick 9.02 0.00)", agent.basicDribble(60, 0, 0).str());
  // At 40: 0.487, 0.626, 0.745, then 0.861 after 5, the most it waits.
  EXPECT_EQ("(kick 8.34 0.00)", agent.basicDribble(40, 0, 0).str());
}


TEST_F(DribbleTest, Steering) {
  // The ball touching straight ahead. Mode 2 kicks for 5 cycles: 1 m beyond
  // where a drift and 4 dashes of 100 take the agent (0.6 + 0.84 + 0.936 +
  // 0.9744), 3.9654 m from the ball, over (1 - 0.94^5) / 0.06 and the rate
  // 0.027. The target is clamped to (52.5, -34).
  me({42.5, -24});
  ball({42.885, -24});
  EXPECT_EQ("(kick 33.12 0.00)", agent.dribbleToPosition(2, {60, -40}, 150, false).str());
  EXPECT_TRUE(trace.has("dribbleAtAngle with mode :2direction: -45dashPower: 150avoidEnemyFlag0\n"));
  me({-42.5, 24});
  agent.dribbleToPosition(2, {-60, 40}, 100, false);
  EXPECT_TRUE(trace.has("direction: 135dashPower"));
  agent.dribbleAtAngle(3, 0, 100, false);
  EXPECT_TRUE(trace.has("dribbleKick(vekbase::AngleDeg, double, int) (0, 100, 8)\n"));
  for (int mode : {0, 4})
    EXPECT_EQ(SoccerCommand::CMD_NONE, agent.dribbleAtAngle(mode, 0, 100, false).command());
  // With avoidance and nobody about, the fan's 10 degrees from the body (of
  // -10 and 10 the later) are steered to.
  me().body(20);
  agent.dribbleAtAngle(1, 30, 100, true);
  EXPECT_TRUE(trace.has("basicDribble with direction: 30dribbleAngle: "));

  // The fastest opponent 2 m ahead covers the ball: laid beside the body
  // away from it.
  cycle(2);
  me({0, 0}).body(0).neck(0);
  ball({0.5, 0});
  opp({2, 0});
  agent.dribbleAtAngle(1, 0, 100, true);
  EXPECT_TRUE(trace.has("kickBallCloseToBody(vekbase::AngleDeg, double) (180, 0.7)\n"));
  me().body(30);
  ball(polar(0.385, 30));
  // The fastest opponent nearer than 7 m and not covering the ball: the
  // ball goes away from it (80 from the body), but no farther round than
  // 90; when it is too far to weigh, straight on; from 7 m on, to the side
  // of the ball.
  int now = 3;
  for (auto c : {std::make_pair(polar(2, -70), "80"), {{0, -6.5}, "0"}, {{0, -7}, "-90"}}) {
    cycle(now++);
    opp(c.first);
    trace.clear();
    agent.dribbleAtAngle(1, 30, 100, true);
    EXPECT_TRUE(trace.has(std::string("dribbleAngle: ") + c.second + "dashPower100")) << c.second;
  }
  // The fan 20 degrees apart: a target 20 degrees off the body is no turn.
  param(CP->avoid_max_angle, 60);
  param(CP->avoid_eval_angles, 6);
  trace.clear();
  agent.dribbleAtAngle(2, 50, 100, true);
  EXPECT_TRUE(trace.has("dribbleKick(vekbase::AngleDeg, double, int) (0, 100, 5)\n"));
}

TEST_F(DribbleTest, TurningWithTheBall) {
  ball({0.5, 0});
  EXPECT_EQ("(turn 30.00)", agent.turnWithBallTo(30).str());
  EXPECT_EQ("(kick 0.00 180.00)", agent.turnWithBallTo(10).str());
  ball({0.3, 0}); // touching the body's edge
  EXPECT_EQ("(kick 0.00 180.00)", agent.turnWithBallTo(30).str());
}

// From the centre spot towards pos past opponent 1 (and opponent 2).
TEST_F(DribbleTest, OutplayingAnOpponent) {
  struct Case {
    Vector2D opp, pos, posTo;
    bool known = true;
    Vector2D second = NOWHERE;
  } cases[] = {{{5, 4}, {10, 0}, NOWHERE},   {{4, 5}, {10, 0}, {10, 0}},
               {{4, 5}, {40, 0}, {20, 0}},   {{4, 5}, {2, 0}, NOWHERE},
               {{3, 6}, {10, 0}, {5, 0}},    {{2, 6}, {10, 0}, {7.5, 0}},
               {{1, 5}, {10, 0}, {10, 0}},   {{-1, 0.5}, {10, 0}, NOWHERE},
               {{2, 0.2}, {40, 0}, {17.5, 0}, false},
               {{4, 5}, {10, 0}, NOWHERE, true, {4, 0.5}},
               {{0, 3}, {10, 0}, {10, 0}},   {{0, 0}, {10, 0}, NOWHERE},
               // Exactly 7 m to the point as far from both; exactly 0.3 m
               // farther beside the way than along it.
               {{7, 7}, {10, 0}, NOWHERE},   {{1.2, 1.5}, {10, 0}, NOWHERE}};
  ball({0.385, 0});
  for (const Case& c : cases) {
    opponent(1, c.opp).at(c.opp, c.known ? 1.0 : 0.0);
    opponent(2, c.second).at(c.second, c.second == NOWHERE ? 0.0 : 1.0);
    Vector2D posTo = NOWHERE;
    const SoccerCommand k = agent.outplayOpponent(world.getOthers(1), c.pos, posTo);
    EXPECT_EQ(c.posTo == NOWHERE ? SoccerCommand::CMD_NONE : SoccerCommand::CMD_KICK, k.command())
        << c.opp << c.pos;
    EXPECT_NEAR(0.0, posTo.dist(c.posTo), 1e-9) << c.opp << c.pos;
  }
}

// Each coordinate of a target on its own; an infinite one is taken onto
// the field by the dribble and by the kick to a point in mode 3.
TEST_F(DribbleTest, NoCommandCarriesANumberThatIsNotFinite) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  me().body(30).vel({0.2, 0.1});
  ball(polar(0.5, 30));
  opp({3, 1});
  const PlayerObject o = world.getOthers(1);
  const PlayerObject mate = teammate(9, {10, 5}).object();
  Vector2D posTo;
  auto finite = [](SoccerCommand c) {
    return c.str().find("nan") == std::string::npos && c.str().find("inf") == std::string::npos;
  };
  for (Vector2D p : {Vector2D(nan, 0), Vector2D(0, nan), Vector2D(-inf, 0), Vector2D(0, inf)}) {
    EXPECT_TRUE(finite(agent.dribbleToPosition(1, p, 100, true))) << p;
    for (const SoccerCommand& c :
         {agent.outplayOpponent(o, p, posTo), agent.throughPass(mate, p, posTo, true),
          agent.kickToPoint(1, true, p, 50), agent.kickToPoint(2, true, p, 1),
          agent.kickPrecisely(p, 2)})
      EXPECT_EQ(SoccerCommand::CMD_NONE, c.command()) << p << c.str();
    EXPECT_EQ(std::isnan(p[0] + p[1]),
              agent.kickToPoint(3, true, p, 1).command() == SoccerCommand::CMD_NONE) << p;
  }
  for (const SoccerCommand& c :
       {agent.dribbleAtAngle(2, inf, 100, true), agent.basicDribble(100, nan, nan),
        agent.turnWithBallTo(nan), agent.leadingPass(mate, inf),
        agent.markOpponent(1, nan, VekActions::MARK_BISECTOR)})
    EXPECT_TRUE(finite(c)) << c.str();
}

} // namespace
