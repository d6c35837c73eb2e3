#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/tolvane/skills/skillfixture.h"

namespace {

// The agent at the centre spot at rest facing `body`; the ball `dist` away in
// direction `dir` from the body (seen exactly so), moving with `vel`.
struct Pose {
  double dist, dir, body;
  Vector2D vel;
};
const Pose AHEAD{0.385, 0, 0, {0, 0}};
#define CALL(skill) [&] { return agent.skill; }

// One kick: the command as the server reads it.
struct Row {
  Pose pose;
  std::function<SoccerCommand()> call;
  std::string command;
};

class KickTest : public skilltest::SkillTest {
protected:
  void lay(const Pose& p) {
    me({0, 0}).body(p.body).neck(0).vel({0, 0});
    ball(polar(p.dist, p.body + p.dir)).vel(p.vel).seen(p.dist, p.dir);
  }
  // Each row on its own (the fixture checks the log's indentation after
  // the test).
  void check(const std::vector<Row>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      lay(rows[i].pose);
      EXPECT_EQ(rows[i].command, rows[i].call().str()) << "row " << i;
    }
  }
};

// Touching straight ahead, the kick power rate is the full 0.027; 0.027 x
// 0.875 where the ball's direction from the head less the absolute body
// angle is 90 degrees off, and 0.0225 for a ball 120 degrees off.
TEST_F(KickTest, KicksFollowTheServersKickModel) {
  const Pose behind{0.385, 120, 0, {0, 0}};
  // clang-format off
  check({
      {AHEAD, CALL(kickPrecisely({3.385, 0}, 2)), "(kick 57.27 0.00)"},
      {AHEAD, CALL(kickPrecisely({10.385, 0}, 3)), "(kick 100.00 0.00)"},  // 131.17
      {AHEAD, CALL(kickPrecisely({3, 0}, 0)), ""},
      {{0.385, 0, 90, {0, 0}}, CALL(kickPrecisely({3, 0.385}, 2)), "(kick 65.46 -90.00)"},
      {{0.385, 0, 90, {0, -1}}, CALL(freezeBall()), "(kick 42.33 0.00)"},
      {{0.385, 0, 90, {0, 3}}, CALL(freezeBall()), "(kick 100.00 180.00)"},  // 111.11
      {AHEAD, CALL(kickToTangentialPoint()), "(kick 26.40 122.69)"},
      {{0.385, -0.5, 0, {0, 0}}, CALL(kickToTangentialPoint()), "(kick 26.32 -122.83)"},
      {AHEAD, CALL(tackle(50)), "(tackle 50.00)"},
      {AHEAD, CALL(kick_to(0, 30)), ""},
      {AHEAD, CALL(kick_to(0.0001, 30)), "(kick 0.00 30.00)"},
      {AHEAD, CALL(kick_to(150, 30)), "(kick 150.00 30.00)"},
      // Full power against a crossing ball, also with the body along +y; one
      // too fast to cancel.
      {{0.385, 0, 0, {0, 1.35}}, CALL(accelerateBallToVelocity({2.7, 0})), "(kick 100.00 -30.00)"},
      {{0.385, 0, 90, {-1.35, 0}}, CALL(accelerateBallToVelocity({0, 2.7})), "(kick 100.00 -30.00)"},
      {{0.385, 0, 0, {0, 3}}, CALL(accelerateBallToVelocity({2.7, 0})), "(kick 100.00 -90.00)"},
      // Kicking at an angle and to a point.
      {AHEAD, CALL(kickAtAngle(1, false, 30, 150)), "(kick 100.00 30.00)"},
      {AHEAD, CALL(kickAtAngle(1, false, 30, -150)), "(kick -100.00 30.00)"},
      {{0.385, 0, 40, {0, 0}}, CALL(kickAtAngle(3, false, 70, 50)), "(kick 50.00 30.00)"},
      {AHEAD, CALL(kickAtAngle(0, true, 0, 50)), ""},
      {AHEAD, CALL(kickAtAngle(1, true, 180, 10)), "(kick 26.40 122.69)"},
      {AHEAD, CALL(kickAtAngle(2, false, 0, -1)), "(kick 0.00 0.00)"},
      {AHEAD, CALL(kickAtAngle(2, true, 180, 0.5)), "(kick 26.40 122.69)"},
      {AHEAD, CALL(kickToPoint(1, false, {60, 10}, 50)), "(kick 50.00 9.52)"},
      {AHEAD, CALL(kickToPoint(4, true, {10, 0}, 1)), ""},
      // 10 x (1 / 0.94 - 1) / 0.027
      {AHEAD, CALL(kickToPoint(3, false, {10.385, 0}, 0)), "(kick 23.64 0.00)"},
      {AHEAD, CALL(kickToPoint(3, false, {10.385, 0}, -1)), "(kick 23.64 0.00)"},
      {AHEAD, CALL(kickToPoint(3, true, {40, 0}, 1.2)), "(kick 100.00 0.00)"},
      // Rates 0.861 and 0.833 of the full one: stopped or laid in front.
      {{0.385, 100, 0, {-1, 0}}, CALL(kickToPoint(3, true, {40, 0}, 1.2)), "(kick 43.01 0.00)"},
      {behind, CALL(kickToPoint(3, true, {40, 0}, 1.2)), "(kick 38.21 -22.82)"},
      {behind, CALL(kickToPoint(3, true, {5, 0}, 2.2)), "(kick 38.21 -22.82)"},
  });
  // clang-format on
  // Near the own goal line the target is taken onto the field, to
  // (-52.5, -34): 34.90 m away at -103.06 degrees, 34.90 x (1 / 0.94 - 1) /
  // 0.027.
  me({-45, 0});
  ball({-44.615, 0});
  EXPECT_EQ("(kick 82.51 -103.06)", agent.kickToPoint(3, false, {-60, -40}, 0).str());
}

TEST_F(KickTest, DribbleKickLaysTheBallBesideThePath) {
  // The ball at the agent's spot but seen touching: the kick is the offset.
  const std::vector<std::pair<double, const char*>> cases{
      {0, "(kick 37.04 0.00)"},   {45, "(kick 31.43 45.00)"}, {60, "(kick 25.66 60.00)"},
      {90, "(kick 22.22 90.00)"}, {-90, "(kick 22.22 -90.00)"}};
  for (const auto& c : cases) {
    ball({0, 0}).seen(0.385, 0);
    EXPECT_EQ(c.second, agent.dribbleKick(c.first, 0, 1).str()) << c.first;
  }
  me().vel({0.5, 0});  // drifts in the kick cycle
  ball({0, 0}).seen(0.385, 0);
  EXPECT_EQ("(kick 28.93 50.19)", agent.dribbleKick(90, 0, 1).str());
}

// Exactly representable kick model (rate 1/32, sizes 0.125 and 0.25, decay
// 0.5, largest acceleration 5), so that the bounds are met exactly. The
// share of the power is 1 - dir / 720 - (dist - 0.375) / 2: 0.736 at (10,
// 0.875), exactly 0.75 at (90, 0.625); one step further the optimisation is
// asked.
TEST_F(KickTest, ExactBounds) {
  param(SP->kprate, 0.03125);
  param(SP->bsize, 0.125);
  param(SP->psize, 0.25);
  param(SP->kmargin, 0.5);
  param(SP->bdecay, 0.5);
  param(SP->baccel_max, 5.0);
  const Pose rate0{3.175, 0, 0, {0, 0}};  // no kick reaches it
  // clang-format off
  check({
      {{0.875, 10, 0, {0, 0}}, CALL(kickAtAngle(1, true, 0, 64)), "(kick 64.00 0.00)"},
      {{0.875, 10.5, 0, {0, 0}}, CALL(kickAtAngle(1, true, 0, 64)), "(kick 0.00 -180.00)"},
      {{0.875, 10.5, 0, {0, 0}}, CALL(kickAtAngle(1, true, 0, 0.0005)), "(kick 0.00 -180.00)"},
      {{0.625, 90, 0, {0, 0}}, CALL(kickAtAngle(1, true, 0, 64)), "(kick 64.00 0.00)"},
      {{0.625, 91, 0, {0, 0}}, CALL(kickAtAngle(1, true, 0, 64)), "(turn 91.00)"},
      {{0.6, 10.5, 0, {0, 0}}, CALL(kickAtAngle(1, true, 0, -50)), "(kick 0.00 0.00)"},
      // Too strong, but exactly 10 degrees off: kicked all the same.
      {{0.375, 10, 0, {-1, 0}}, CALL(kickToPoint(3, true, {2.375, 0}, 0.5)), "(kick 100.00 -1.33)"},
      // 105 = 1.05 x maxp: from -1.28125 to the 2 m per cycle that stop the
      // ball after 2 m.
      {{0.375, 0, 0, {-1.28125, 0}}, CALL(kickToPoint(3, true, {2.375, 0}, 0)), "(kick 100.00 0.00)"},
      // 2.7 / 0.03125
      {{0.375, 0, 0, {0, 0}}, CALL(kickAtAngle(2, false, 0, 3.5)), "(kick 86.40 0.00)"},
      // A ball resting exactly where it touches the body is in the way.
      {{0.375, 0, 0, {0, 0}}, CALL(kickAtAngle(2, true, 0, 0)), "(kick 22.64 122.01)"},
      {rate0, CALL(freezeBall()), ""},
      {rate0, CALL(accelerateBallToVelocity({0, 0})), ""},
      {rate0, CALL(kickToPoint(3, true, {3.175, 0}, 0)), ""},
      {{3.175, 0, 0, {0, 5}}, CALL(accelerateBallToVelocity({2.7, 0})), "(kick 100.00 0.00)"},
      // A change of exactly 5 needs full power, which crosses the ball's path.
      {{0.375, 0, 0, {0, -2}}, CALL(accelerateBallToVelocity({3, 2})), "(kick 100.00 65.87)"},
  });
  // clang-format on
}

TEST_F(KickTest, CollisionAndOptimisation) {
  struct Case { double body; Vector2D ball; double power, dir, buffer; bool hit; };
  // clang-format off
  for (const Case& c : std::vector<Case>{
           {0, {0.43, 0}, 0, 0, 0.05, true}, {0, {0.44, 0}, 0, 0, 0.05, false},
           {90, {0, 0.5}, 10, 180, 0, true}, {0, {0, 0.5}, 10, 180, 0, false}}) {
    // clang-format on
    me({0, 0}).body(c.body);
    ball(c.ball);
    EXPECT_EQ(c.hit, VekActionsTestAccess::willKickBeCollision(agent, c.power, c.dir, c.buffer))
        << c.ball[0] << " " << c.body;
  }
  // Too far for a turn: both at rest, the ball is stopped; never while the
  // agent moves, nor when the wanted speed needs more than full power.
  for (Vector2D v : {Vector2D(0, 1), Vector2D(0.001, 1), Vector2D(0, 2.5)}) {
    lay({0.9, 0, 0, {0, 0}});
    me().vel({v[0], 0});
    bool success = false;
    const bool stopped = agent.OptimizeKick(0, v[1], success).str() == "(kick 0.00 -180.00)";
    EXPECT_EQ(v == Vector2D(0, 1), stopped) << v;
  }
  // Moving 0.1 towards the ball 0.6 m to its left: it lies 0.5 m off at 90
  // degrees next cycle, and the turn's moment grows by 1 + 5 x 0.1.
  bool turned = false;
  lay({0.6, 90, 0, {0, 0}});
  me().vel({0, 0.1});
  world.mySpeed = 0.1;
  EXPECT_EQ("(turn 135.00)", agent.OptimizeKick(0, 1, turned).str());
  EXPECT_TRUE(turned);
  // The agent's field velocity (0.1, 0) taken as a body-frame vector while
  // it faces +y: the ball, touching in front, is kicked 0.1 along the body.
  bool success = false;
  lay({0.385, 0, 90, {0, 0}});
  me().vel({0.1, 0});
  EXPECT_EQ("(kick 3.70 0.00)", agent.OptimizeKick(0, 1, success).str());
  EXPECT_TRUE(success);
}

} // namespace
