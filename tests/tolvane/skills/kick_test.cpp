#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/tolvane/skills/skillfixture.h"

struct VekActionsTestAccess {
  static bool willKickBeCollision(VekActions& a, double power, double dir, double buffer) {
    return a.willKickBeCollision(power, vekbase::AngleDeg(dir), buffer);
  }
};

namespace {

Vector2D polar(double r, double deg) { return Vector2D(r, deg).cart(vekmath::DEG); }

// The agent at the centre spot at rest facing `body`; the ball `dist` away in
// direction `dir` from the body, moving with `vel`.
struct Pose {
  double dist, dir, body;
  Vector2D vel;
};
const Pose AHEAD{0.385, 0, 0, {0, 0}};

// One kick: the command as the server reads it, and a trace text that tells
// the path taken.
struct Row {
  const char* what;
  Pose pose;
  std::function<SoccerCommand()> call;
  std::string command, line;
};

class KickTest : public skilltest::SkillTest {
protected:
  void lay(const Pose& p) {
    me({0, 0}).body(p.body).neck(0).vel({0, 0});
    ball(polar(p.dist, p.body + p.dir)).vel(p.vel);
  }
  // Each row on its own, and the log's indentation back where it was after
  // each, whichever path the kick took.
  void check(const std::vector<Row>& rows) {
    vomar::Forwarder* log = vomar::Forwarder::instance(8192);
    for (const Row& r : rows) {
      lay(r.pose);
      trace.clear();
      const unsigned char before = log->indentLevel();
      EXPECT_EQ(r.command, r.call().str()) << r.what;
      EXPECT_EQ(before, log->indentLevel()) << r.what;
      EXPECT_TRUE(trace.has(r.line)) << r.what << "\n" << trace.text();
    }
  }
};

// Touching straight ahead, the kick power rate is the full 0.027; 0.027 x
// 0.875 where the ball's direction from the head less the absolute body
// angle is 90 degrees off, and 0.0225 for a ball 120 degrees off.
TEST_F(KickTest, KicksFollowTheServersKickModel) {
  const char* precise = "VekActions::kickPrecisely(vekmath::Vector<Value, 2>, int) end";
  const char* tangent = "SoccerCommand VekActions::kickToTangentialPoint()\n";
  const char* reachable = "KickToPoint: desired point is reachable";
  const Pose behind{0.385, 120, 0, {0, 0}};
  // clang-format off
  check({
      {"3 m in 2 cycles", AHEAD, [&] { return agent.kickPrecisely({3.385, 0}, 2); },
       "(kick 57.27 0.00)", precise},
      {"no cycles", AHEAD, [&] { return agent.kickPrecisely({3, 0}, 0); }, "", "cycles <=0 !!!!"},
      {"body 90", {0.385, 0, 90, {0, 0}}, [&] { return agent.kickPrecisely({3, 0.385}, 2); },
       "(kick 65.46 -90.00)", precise},
      {"freeze", {0.385, 0, 90, {0, -1}}, [&] { return agent.freezeBall(); },
       "(kick 42.33 0.00)", "VekActions::freezeBall()"},
      {"ahead: left", AHEAD, [&] { return agent.kickToTangentialPoint(); },
       "(kick 26.40 122.69)", "kickBallCloseToBody(vekbase::AngleDeg, double) (90, 0.6)"},
      {"0.5 right: right", {0.385, -0.5, 0, {0, 0}}, [&] { return agent.kickToTangentialPoint(); },
       "(kick 26.32 -122.83)", tangent},
      {"tackle", AHEAD, [&] { return agent.tackle(50); }, "(tackle 50.00)", "tackle: 50\n"},
      {"kick_to 0", AHEAD, [&] { return agent.kick_to(0, 30); }, "",
       "kick_to(double, vekbase::AngleDeg) (0, 30)\n"},
      {"kick_to", AHEAD, [&] { return agent.kick_to(0.0001, 30); }, "(kick 0.00 30.00)", "kick_to"},
      {"kick_to", AHEAD, [&] { return agent.kick_to(150, 30); }, "(kick 150.00 30.00)", "kick_to"},
      {"crossing", {0.385, 0, 0, {0, 1.35}},
       [&] { return agent.accelerateBallToVelocity({2.7, 0}); },
       "(kick 100.00 -30.00)", "accelerateBall ToVelocity Vel: 2.7"},
      {"too fast", {0.385, 0, 0, {0, 3}}, [&] { return agent.accelerateBallToVelocity({2.7, 0}); },
       "(kick 100.00 -90.00)", "Vel: 2.7"},
      // Kicking at an angle and to a point.
      {"mode 1 cut", AHEAD, [&] { return agent.kickAtAngle(1, false, 30, 150); },
       "(kick 100.00 30.00)", ""},
      {"mode 1 cut", AHEAD, [&] { return agent.kickAtAngle(1, false, 30, -150); },
       "(kick -100.00 30.00)", ""},
      {"mode 3", {0.385, 0, 40, {0, 0}}, [&] { return agent.kickAtAngle(3, false, 70, 50); },
       "(kick 50.00 30.00)", ""},
      {"mode 0", AHEAD, [&] { return agent.kickAtAngle(0, true, 0, 50); }, "",
       "kickAtAngle: kick is not pssible !!!"},
      {"collision first", AHEAD, [&] { return agent.kickAtAngle(1, true, 180, 10); },
       "(kick 26.40 122.69)", "kickAtAngle(1): kick would be collision !"},
      {"mode 2 at -1", AHEAD, [&] { return agent.kickAtAngle(2, false, 0, -1); },
       "(kick 0.00 0.00)", "Vel: 0\n"},
      {"(60, 10)", AHEAD, [&] { return agent.kickToPoint(1, false, {60, 10}, 50); },
       "(kick 50.00 9.52)",
       "kickToPoint(int, bool, vekmath::Vector<Value, 2>, double) (1, 0, V(52.5, 10), 50)"},
      {"mode 4", AHEAD, [&] { return agent.kickToPoint(4, true, {10, 0}, 1); }, "",
       "kickToPoint: kick is not pssible !!!"},
      // 10 x (1 / 0.94 - 1) / 0.027
      {"end speed 0", AHEAD, [&] { return agent.kickToPoint(3, false, {10.385, 0}, 0); },
       "(kick 23.64 0.00)", reachable},
      {"end speed -1", AHEAD, [&] { return agent.kickToPoint(3, false, {10.385, 0}, -1); },
       "(kick 23.64 0.00)", reachable},
      {"too far", AHEAD, [&] { return agent.kickToPoint(3, true, {40, 0}, 1.2); },
       "(kick 100.00 0.00)", "kickToPoint(3): too far, but can accelerate ball good"},
      {"rolling back", {0.385, 0, 0, {-1, 0}},
       [&] { return agent.kickToPoint(3, true, {40, 0}, 1.2); },
       "(kick 37.04 0.00)", "kickToPoint(3): point too far stopping the ball"},
      {"too far, behind", behind, [&] { return agent.kickToPoint(3, true, {40, 0}, 1.2); },
       "(kick 38.21 -22.82)", "kickToPoint(3): point too far reposition ball"},
      {"too strong, behind", behind, [&] { return agent.kickToPoint(3, true, {5, 0}, 2.2); },
       "(kick 38.21 -22.82)", "kickToPoint: good point, but reposition of ball needed"},
  });
  // clang-format on
}

TEST_F(KickTest, DribbleKickLaysTheBallBesideThePath) {
  // The ball at the agent's spot but seen touching: the kick is the offset.
  const std::vector<std::pair<double, const char*>> cases{
      {0, "(kick 37.04 0.00)"},    {30, "(kick 37.04 30.00)"}, {45, "(kick 31.43 45.00)"},
      {60, "(kick 25.66 60.00)"},  {90, "(kick 22.22 90.00)"}, {-90, "(kick 22.22 -90.00)"},
      {180, "(kick 37.04 180.00)"}};
  for (const auto& c : cases) {
    ball({0, 0}).seen(0.385, 0);
    EXPECT_EQ(c.second, agent.dribbleKick(c.first, 0, 1).str()) << c.first;
  }
  EXPECT_EQ(7,
            trace.count("SoccerCommand VekActions::dribbleKick(vekbase::AngleDeg, double, int)\n"));
}

// Exactly representable kick model (rate 1/32, sizes 0.125 and 0.25), so
// that the bounds are met exactly.
TEST_F(KickTest, ExactBounds) {
  param(SP->kprate, 0.03125);
  param(SP->bsize, 0.125);
  param(SP->psize, 0.25);
  param(SP->kmargin, 0.5);
  // Share of the power: 1 - dir / 720 - (dist - 0.375) / 2; 0.736 at (10,
  // 0.875), exactly 0.75 at (90, 0.625).
  for (auto c : std::vector<std::vector<double>>{
           {10, 0.875, 0}, {10.5, 0.875, 1}, {90, 0.625, 0}, {91, 0.625, 1}}) {
    lay({c[1], c[0], 0, {0, 0}});
    ball(polar(c[1], c[0])).seen(c[1], c[0]);
    trace.clear();
    const SoccerCommand k = agent.kickAtAngle(1, true, 0, 64);
    EXPECT_EQ(c[2] == 1, trace.has("kickAtAngle(1): trying to optimize kickpower.. ")) << c[0];
    if (c[2] == 0) EXPECT_EQ("(kick 64.00 0.00)", k.str());
  }
  // 105 = 1.05 x maxp: from -1.28125 to the 2 m per cycle that stop the ball
  // after 2 m with decay 0.5.
  param(SP->bdecay, 0.5);
  param(SP->baccel_max, 4.0);
  for (double back : {1.28125, 1.3}) {
    lay({0.375, 0, 0, {-back, 0}});
    trace.clear();
    EXPECT_EQ("(kick 100.00 0.00)", agent.kickToPoint(3, true, {2.375, 0}, 0).str());
    EXPECT_EQ(back == 1.28125, trace.has("KickToPoint: desired point is reachable"));
  }
  // 3.5 / 0.03125 would be cut to 100. Where no kick reaches a resting ball
  // (rate 0 at 3.175 m) nothing is kicked, never nan.
  const Pose rate0{3.175, 0, 0, {0, 0}};
  // clang-format off
  check({
      {"3.5 is 2.7", {0.375, 0, 0, {0, 0}}, [&] { return agent.kickAtAngle(2, false, 0, 3.5); },
       "(kick 86.40 0.00)", "Vel: 2.7\n"},
      {"freeze", rate0, [&] { return agent.freezeBall(); }, "", "not finite, no command: (kick "},
      {"to rest", rate0, [&] { return agent.accelerateBallToVelocity({0, 0}); }, "", "not finite"},
      {"own spot", rate0, [&] { return agent.kickToPoint(3, true, {3.175, 0}, 0); }, "",
       "not finite"},
      {"no effect", {3.175, 0, 0, {0, 3}}, [&] { return agent.accelerateBallToVelocity({2.7, 0}); },
       "(kick 100.00 0.00)", "Vel: 2.7"},
  });
  // clang-format on
}

TEST_F(KickTest, CollisionAndOptimisation) {
  struct Case {
    double body;
    Vector2D ball;
    double power, dir, buffer;
    bool hit;
  };
  // clang-format off
  for (const Case& c : std::vector<Case>{
           {0, {0.386, 0}, 0, 0, 0, false}, {0, {0.384, 0}, 0, 0, 0, true},
           {0, {0.43, 0}, 0, 0, 0.05, true}, {0, {0.44, 0}, 0, 0, 0.05, false},
           {90, {0, 0.5}, 10, 180, 0, true}, {0, {0, 0.5}, 10, 180, 0, false}}) {
    // clang-format on
    me({0, 0}).body(c.body);
    ball(c.ball);
    EXPECT_EQ(c.hit, VekActionsTestAccess::willKickBeCollision(agent, c.power, c.dir, c.buffer))
        << c.ball[0] << " " << c.body;
  }
  // Too far for a turn: both at rest, the ball is stopped; never while the
  // agent moves.
  for (double v : {0.0, 0.001}) {
    lay({0.9, 0, 0, {0, 0}});
    me().vel({v, 0});
    trace.clear();
    bool success = false;
    const SoccerCommand k = agent.OptimizeKick(0, 1, success);
    EXPECT_TRUE(success);
    EXPECT_EQ(v == 0.0, k.str() == "(kick 0.00 -180.00)") << v;
    EXPECT_EQ(v == 0.0, trace.has("OptimizeKick: stopping the ball ")) << v;
  }
}

} // namespace
