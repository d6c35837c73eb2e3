#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "tests/tolvane/skills/skillfixture.h"
#include "tolvane/formations/formationparam.h"

namespace {

const char* const DASH =
    "SoccerCommand VekActions::dashToPosition(const Vector2D&, double, bool, bool) const";
const char* const ALONG =
    "SoccerCommand VekActions::dashToPositionAlongLine(const Vector2D&, vekbase::AngleDeg, "
    "double, int, vekbase::AngleDeg, vekbase::AngleDeg) const";

struct InterceptTest : skilltest::SkillTest {
  void TearDown() override {
    Formations::FormationParam::instance()->setParameter("setup-formation", "0");
    SkillTest::TearDown();
  }

  // The target and the other arguments of the first call of the movement
  // skill with that signature, as its entry line shows them.
  void expectCall(const char* signature, Vector2D at, const std::string& rest) {
    const std::string text = trace.text();
    const std::size_t p = text.find(std::string(signature) + " (V(");
    ASSERT_NE(std::string::npos, p) << text;
    double x = 0.0, y = 0.0;
    char tail[200] = "";
    std::sscanf(text.c_str() + p + std::string(signature).size() + 4, "%lf, %lf), %199[^\n]", &x,
                &y, tail);
    EXPECT_NEAR(at[0], x, 1e-3) << text;
    EXPECT_NEAR(at[1], y, 1e-3) << text;
    EXPECT_EQ(rest + ")", tail);
  }

  // The case line, then the first call of the movement skill that it leads
  // to: along the line for a case line "move along ...", else dashToPosition.
  void expectMove(const std::string& caseLine, Vector2D at, const std::string& rest) {
    const char* callee = caseLine.compare(0, 10, "move along") == 0 ? ALONG : DASH;
    const std::string text = trace.text();
    const std::size_t line = text.find(caseLine + "\n");
    EXPECT_TRUE(line != std::string::npos && line < text.find(callee)) << text;
    expectCall(callee, at, rest);
  }

  // Formation 5 in force: shirt 7 at (-20, 10) wherever the ball is, within
  // the y limits lo and hi.
  static void guardLine(const std::string& lo, const std::string& hi) {
    Formations::FormationParam* fp = Formations::FormationParam::instance();
    fp->setParameter("formation", "5");
    fp->setParameter("x-position", "0 0 0 0 0 0 -20 0 0 0 0");
    fp->setParameter("y-position", "0 0 0 0 0 0 10 0 0 0 0");
    fp->setParameter("y-min", "-34 -34 -34 -34 -34 -34 " + lo + " -34 -34 -34 -34");
    fp->setParameter("y-max", "34 34 34 34 34 34 " + hi + " 34 34 34 34");
    fp->setParameter("setup-formation", "5");
  }
};

// The agent at (0, 0), at rest; "" stands for CMD_NONE.
TEST_F(InterceptTest, CloseInterceptionPlans) {
  // seenDist < 0: as the positions give it
  struct Case { bool goalie; double body; Vector2D ball, vel; double seenDist, whenToTurn;
                const char* command; } cases[] = {
      // One dash of 0.6 m leaves the ball 1.08 m away, inside 1.085; 1.09 is
      // not, and the dash plans end 0.96 and 0.80 m off.
      {false, 0, {1.18, 0}, {0.5, 0}, -1, 30, "(dash 100.00)"},
      {false, 0, {1.19, 0}, {0.5, 0}, -1, 30, ""},
      // To where the body line enters the circle of 0.5017 m round the ball.
      {false, 0, {0.9, 0.3}, {0, 0}, -1, 30, "(dash 82.99)"},
      // The reach 1.085 + 2 + 1.94 * 2.7 = 8.323 itself goes on.
      {false, 0, {1.18, 0}, {0.5, 0}, 8.323, 30, "(dash 100.00)"},
      {false, 0, {1.18, 0}, {0.5, 0}, 8.324, 30, ""},
      // 30 degrees off the body: no turn, and the dashes end 0.79 and 0.82 m off.
      {false, 60, {0, 1.5}, {0, 0}, -1, 30, ""},
      {false, 59, {0, 1.5}, {0, 0}, -1, 30, "(turn 31.00)"},
      // The goalie: one dash along the body below 2.7 + 1 + 2 = 5.7 m; from
      // there the backward dash of dashTowardsPoint to the ball in 2 cycles.
      {true, 0, {5.6, 0}, {-4, 0}, -1, 30, "(dash 100.00)"},
      {true, 0, {5.7, 0}, {-4, 0}, -1, 30, "(dash -100.00)"},
      {true, 0, {9.23, 0}, {-4, 0}, -1, 30, "(dash 100.00)"},
      // 1.94 * 2.7 + 2 + 2 = 9.238 m itself is too far.
      {true, 0, {9.23, 0}, {-4, 0}, 9.238, 30, ""},
      // A turn towards a ball off the body on either side.
      {true, 0, {0, 2.3}, {0, 0}, -1, 30, "(turn 90.00)"},
      {true, 0, {0, -2.3}, {0, 0}, -1, 30, "(turn -90.00)"},
      {true, 0, {0, 2.3}, {0, 0}, -1, 90, ""},
      // The second dash as the agent computes it now ends 1.990 m off; the
      // simulated player's own power would end 2.005 m off.
      {true, 0, {5.85, 1.99}, {-2.5, 0}, -1, 30, "(dash 100.00)"},
  };
  for (std::size_t i = 0; i < sizeof cases / sizeof *cases; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    param(CP->when_to_turn, c.whenToTurn);
    me().body(c.body);
    auto b = ball(c.ball).vel(c.vel);
    if (c.seenDist >= 0) b.seen(c.seenDist, 0);
    EXPECT_EQ(c.command, (c.goalie ? agent.interceptCloseGoalie() : agent.interceptClose()).str());
  }
}

// The agent far from the ball: the Newton point beyond a border is pulled
// back along the ball's path.
TEST_F(InterceptTest, NewtonPointClippedToTheField) {
  struct Case { Vector2D agent, ball, vel, want; } cases[] = {
      {{0, 0}, {50, 0}, {0.5, 1}, {52.5, 5}},
      {{0, 0}, {40, 20}, {1.5, 1.5}, {52.5, 32.5}},
      {{-30, 30}, {0, 0}, {0.625, -2.5}, {8.5, -34}},
      // A resting ball gives no path: the crossed coordinates are held.
      {{0, 0}, {55, 10}, {0, 0}, {52.5, 10}},
      {{0, 0}, {60, 40}, {0, 0}, {52.5, 34}},
      // A path of 0.7 mm still has a direction.
      {{0, 0}, {55, 10}, {0.00003, 0.00003}, {52.5, 7.5}},
      // Rounding leaves a resting ball's meeting point 1e-14 m off it.
      {{15.7, -29.9}, {55.9, 13.3}, {0, 0}, {52.5, 13.3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ball[0] + c.ball[1]);
    me(c.agent);
    ball(c.ball).vel(c.vel);
    Value tNewton = 0, t = 0;
    world.getMe()->newtonMethod(world.getBall(), tNewton);
    trace.clear();
    Vector2D pos;
    agent.intercept(true, 2.5, pos, t);
    EXPECT_NEAR(c.want[0], pos[0], 1e-9);
    EXPECT_NEAR(c.want[1], pos[1], 1e-9);
    EXPECT_EQ(tNewton, t);
    expectCall(DASH, c.want, "2.5, 0, 0");
  }

  // A path parallel to the goal line never crosses it: only x is held.
  ball({55, 0}).vel({0, 0.5});
  Value t = 0;
  const Vector2D raw = world.getMe()->newtonMethod(world.getBall(), t);
  Vector2D pos;
  agent.intercept(false, 0, pos, t);
  EXPECT_EQ(Vector2D(52.5, raw[1]), pos);
  EXPECT_GT(pos[1], 1.0);

  // A close plan's command leaves the out-values as they came.
  me({0, 0});
  ball({1.18, 0}).vel({0.5, 0});
  pos = Vector2D(7, 7);
  t = 3;
  EXPECT_EQ("(dash 100.00)", agent.intercept(false, 2, pos, t).str());
  EXPECT_EQ(Vector2D(7, 7), pos);
  EXPECT_EQ(3.0, t);
}

// The agent faces +y, which decides the way along the line when the ball
// is level with the point.
TEST_F(InterceptTest, DefendingTheGoalLine) {
  const char* const BEHIND = "defend position behind me";
  struct Case { double dDist; Vector2D ball, vel; double velConf; Vector2D agent;
                const char* caseLine; Vector2D point; const char* rest; } cases[] = {
      // The bisector of the posts' angle; tolerance 3.25 m, back_dist 20.
      {5, {-40, 0}, {0, 0}, 1, {-30, 10}, BEHIND, {-47.5, 0}, "20, 0, 0"},
      // A ball coming towards the goal, or of unknown speed: back first.
      {5, {-40, 0}, {-0.1, 0}, 1, {-30, 10}, BEHIND, {-47.5, 0}, "20, 1, 0"},
      {5, {-35, 0}, {0, 0}, 1, {-30, 10}, BEHIND, {-47.5, 0}, "1, 0, 0"},
      {0, {-30, 20}, {0, 0}, 0, {-40, 0}, BEHIND, {-52.5, 1.0519}, "1, 1, 0"},
      // Never wider than a post.
      {5, {-40, 30}, {0, 0}, 1, {-30, 0}, BEHIND, {-47.5, 7.01}, "20, 0, 0"},
      // Behind the defended line: between the two crossings, not beyond.
      {5, {-48, 3}, {0, 0}, 1, {-40, 0}, BEHIND, {-47.5, 3.1067}, "20, 0, 0"},
      // On the defended line, or level with the posts: level with the ball.
      {5, {-47.5, 3}, {0, 0}, 1, {-40, 0}, BEHIND, {-47.5, 3}, "20, 0, 0"},
      {5, {-52.5, 20}, {0, 0}, 1, {-40, 0}, BEHIND, {-47.5, 7.01}, "20, 0, 0"},
      {5, {-40, 0}, {0, 0}, 1, {-52, 0}, "defend position in front", {-47.5, 0}, "20, 0, 0"},
      {5, {-40, 0}, {0, 0}, 1, {-47.5, -3}, "move along line, with ball in penalty area",
       {-47.5, 0}, "90, 3, 1, 7, 12"},
      // Tolerance 3.5 * (1 - 17.5 / 105); the ball's velocity gives the sign.
      {5, {-30, 0}, {0, -0.5}, 1, {-47.5, -3},
       "move along line, with ball outside penalty area (V(-47.5, -3), V(-30, -0.5), 1)",
       {-47.5, -0.1455}, "90, 2.91667, -1, 2, 12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caseLine + std::to_string(c.ball[0] + c.ball[1] + c.dDist + c.velConf));
    me(c.agent).body(90);
    ball(c.ball).vel(c.vel, c.velConf);
    trace.clear();
    agent.defendGoalLine(c.dDist);
    expectMove(c.caseLine, c.point, c.rest);
  }

  // A distance that is not a number gives no point and no command.
  for (double d : {std::nan(""), std::numeric_limits<double>::infinity()})
    EXPECT_EQ(SoccerCommand::CMD_NONE, agent.defendGoalLine(d).command());
}

// Shirt 7's line x = -20 within its formation's y limits.
TEST_F(InterceptTest, BlockingThePath) {
  const char* const BACK = "dash backwards to guard point";
  struct Case { const char *lo, *hi; Vector2D ball, agent; double body; const char* caseLine;
                Vector2D point; const char* rest; } cases[] = {
      {"-34", "34", {0, 0}, {-10, 0}, 0, BACK, {-20, 0}, "30, 1, 0"},
      {"-34", "34", {0, 20}, {-10, 0}, 0, BACK, {-20, 13.754}, "30, 1, 0"},
      {"0", "20", {0, 20}, {-10, 0}, 0, BACK, {-20, 11.716}, "30, 1, 0"},
      // Inverted limits: the upper one wins.
      {"10", "-10", {0, 0}, {-10, 0}, 0, BACK, {-20, -10}, "30, 1, 0"},
      {"-34", "34", {0, 0}, {-30, 0}, 0, "move forward to guard point", {-20, 0}, "30, 1, 0"},
      // A ball 16 m away is distant: 0.5 m tolerance, bound included.
      {"-34", "34", {-19.5, 16}, {-19.5, 0}, 0,
       "move along line, with distant ball area (V(-19.5, 0), V(-19.5, 16), 1)", {-20, 15.9956},
       "90, 0.5, 1, 2, 12"},
      {"-34", "34", {-19.5, 15.99}, {-19.5, 0}, -90, "move along line, with ball close",
       {-20, 15.9856}, "-90, 3, -1, 7, 12"},
      // The ball exactly 0.5 m off the point: the body decides.
      {"10", "-10", {-19.5, -9.5}, {-19.5, -5}, -90, "move along line, with ball close",
       {-20, -10}, "-90, 3, -1, 7, 12"},
      // The ball 13.34 m below the point: headed down, whatever the body.
      {"10", "20", {-19.5, 0}, {-19.5, 12}, 90, "move along line, with ball close",
       {-20, 13.3354}, "-90, 3, 1, 7, 12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caseLine + std::to_string(c.ball[0] + c.ball[1]) + c.lo);
    guardLine(c.lo, c.hi);
    me(c.agent).body(c.body);
    ball(c.ball);
    trace.clear();
    agent.blockPath();
    expectMove(c.caseLine, c.point, c.rest);
  }
}

TEST_F(InterceptTest, OuterPositionInField) {
  struct Case { Vector2D pos; double ang, margin, withPenalty; Vector2D want; } cases[] = {
      {{30, 0}, 0, 2, 0, {50.5, 0}},          {{30, 0}, 0, 2, 1, {38.32, 0}},
      {{20, 0}, 20, 0, 1, {40.32, 7.396}},    {{0, 0}, 25, 0, 1, {52.5, 24.48}},
      {{0, 30}, -20, 0, 1, {40.32, 15.3247}}, {{0, 0}, 45, 0, 0, {34, 34}},
      {{10, 5}, -60, 1, 0, {31.939, -33}},    {{0, 0}, 90, 0, 0, {0, 0}},
      // Far out at the goal line, but within 15.16 m in front of the goal.
      {{20, 0}, 36.6, 0, 1, {40.32, 15.091}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ang);
    const Vector2D got =
        VekActionsTestAccess::outerPosition(agent, c.pos, c.ang, c.margin, c.withPenalty);
    EXPECT_NEAR(c.want[0], got[0], 0.005);
    EXPECT_NEAR(c.want[1], got[1], 0.005);
  }
}

} // namespace
