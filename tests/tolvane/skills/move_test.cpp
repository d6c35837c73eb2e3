#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "tests/tolvane/skills/skillfixture.h"

using skilltest::Agent;
using skilltest::SkillTest;
using SC = SoccerCommand;
using VW = vekbase::ViewWidth;
using VQ = vekbase::ViewQuality;

namespace {

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

// The point 10 m from `from` in direction deg; exact along the axes.
Vector2D ray(Vector2D from, double deg) {
  Vector2D d = Vector2D(10.0, deg).cart(vekmath::DEG);
  for (double& c : d)
    if (std::fabs(c) < 1e-9) c = 0.0;
  return from + d;
}

} // namespace

// The moment grows with the speed (factor 1 + inertia_moment 5 x speed) and
// is limited to 180; the front turn wins when it gets there in this cycle.
TEST_F(SkillTest, TurningBodyFrontOrBack) {
  using Turn = SC (VekActions::*)(const Vector2D&, int) const;
  const Turn body = &VekActions::turnBodyToPoint, back = &VekActions::turnBackToPoint,
             either = &VekActions::turnBodyOrBackToPoint;
  // off: the target's direction from the next position, against the body
  struct Case { Turn skill; double speed, bodyDir, off; const char* expected; } cases[] = {
      {body, 0, 30, 45, "(turn 45.00)"},       {body, 0.2, 0, 180, "(turn 180.00)"},
      {body, 0.2, 0, -60, "(turn -120.00)"},   {back, 0, 0, 0, "(turn 180.00)"},
      {back, 0, 0, 150, "(turn -30.00)"},      {either, 0, 0, 170, "(turn 170.00)"},
      {either, 0.2, 0, 100, "(turn -160.00)"}, {either, 0.2, 0, 60, "(turn 120.00)"},
      // Factor 3: both moments are limited to 180; equal ones turn the front.
      {either, 0.4, 0, 100, "(turn 180.00)"},  {either, 0.4, 0, -100, "(turn -180.00)"},
      // The front turn of 180 gets to 90 of 91: exactly 1 short, it still wins.
      {either, 0.2, -1, 91, "(turn 180.00)"},
  };
  for (const Case& c : cases) {
    me({10, 5}).vel({c.speed, 0}).body(c.bodyDir);
    EXPECT_EQ(c.expected, (agent.*c.skill)(ray({10 + c.speed, 5}, c.bodyDir + c.off), 1).str())
        << c.speed << " " << c.bodyDir << " " << c.off;
  }

  me({0, 0}).vel({0, 0}).body(0);
  ball({10, 0}).vel({0, 1}); // at (10, 1.94) two cycles on
  EXPECT_EQ("(turn 10.98)", agent.turnBodyToObject(world.getBall(), 2).str());
}

// The neck stays within +-90 (inclusive) of the body as it will be after
// this cycle's body command.
TEST_F(SkillTest, TurningNeckWithinItsRange) {
  // off: the point's direction from the body now
  struct Case { double neck, bodyTurn, off; const char* expected; } cases[] = {
      {0, 0, 120, "(turn_neck 90.00)"},   {0, 0, -100, "(turn_neck -90.00)"},
      {30, 0, 0, "(turn_neck -30.00)"},   {30, 60, 150, "(turn_neck 60.00)"},
      {30, 60, 60, "(turn_neck -30.00)"}, {-90, 60, -60, "(turn_neck 0.00)"},
  };
  for (const Case& c : cases) {
    me({-20, 3}).body(10).neck(c.neck);
    const SC soc(SC::CMD_TURN, vekbase::AngleDeg(c.bodyTurn));
    EXPECT_EQ(c.expected, agent.turnNeckToPoint(ray({-20, 3}, 10 + c.off), soc).str())
        << c.neck << " " << c.bodyTurn << " " << c.off;
  }
  // An object is looked at where it will be in the next cycle.
  me().neck(0);
  teammate(4, {-10, 3}).vel({0, 10});
  EXPECT_EQ("(turn_neck 35.00)", agent.turnNeckToObject(world.getOwn(4), SC(SC::CMD_NONE)).str());
}

// A scan step is repeated until it goes out in a cycle with a see message.
TEST_F(SkillTest, ScansAdvanceOnlyWithASight) {
  struct Call { bool seen; const char* expected; };
  auto run = [&](const char* name, std::function<SC()> skill, std::initializer_list<Call> calls) {
    for (const Call& c : calls) {
      sight(c.seen);
      EXPECT_EQ(c.expected, skill().str()) << name;
    }
  };
  me().neck(30);
  run("lookAround()", [&] { return agent.lookAround(); },
      {{false, "(turn_neck 60.00)"}, {true, "(turn_neck 60.00)"}, {true, "(turn_neck -30.00)"},
       {false, "(turn_neck -120.00)"}, {true, "(turn_neck -120.00)"}, {true, "(turn_neck 60.00)"}});
  me().neck(10);
  auto range = [&] { return agent.lookAround(90.0, -90.0); };
  run("lookAround(90, -90)", range,
      {{true, "(turn_neck 35.00)"}, {true, "(turn_neck -10.00)"}, {true, "(turn_neck -55.00)"},
       {true, "(turn_neck 35.00)"}});
  view(VW::S_wide, VQ::S_high);
  Agent::resetSkillMemory();
  run("lookAround(90, -90) wide", range, {{true, "(turn_neck -10.00)"}});

  view(VW::S_normal, VQ::S_high);
  me().neck(0);
  ball({20, 0}).seen(20, 10);
  run("lookAroundBall()", [&] { return agent.lookAroundBall(); },
      {{true, "(turn_neck 52.50)"}, {true, "(turn_neck 10.00)"}, {true, "(turn_neck -32.50)"}});
  ball({20, 0}).seen(20, 80);
  run("lookAroundBall() at 80", [&] { return agent.lookAroundBall(); },
      {{true, "(turn_neck 90.00)"}});
  // Nearer than the distance: nothing, and the step stays.
  ball({4.9, 0}).seen(4.9, 10);
  auto near = [&] { return agent.lookAroundBall(5.0); };
  run("lookAroundBall(5) at 4.9", near, {{true, ""}, {true, ""}});
  ball({5, 0}).seen(5, 10);
  run("lookAroundBall(5)", near, {{true, "(turn_neck 52.50)"}, {true, "(turn_neck 10.00)"}});
}

TEST_F(SkillTest, SearchBallKeepsItsSideWhileTheSearchGoesOn) {
  struct Call { int cycle; bool seen; double ballDir; const char* expected; } calls[] = {
      {1, false, -20, "(turn 0.00)"},  // the first call starts the clock
      {3, true, -20, "(turn 81.00)"},  // within 3 cycles: the first side, +
      {7, true, -20, "(turn -81.00)"}, // 4 cycles on: the ball's side
      {8, true, 30, "(turn -81.00)"},  {9, false, 30, "(turn 0.00)"},
      {12, true, 30, "(turn 81.00)"},  {15, true, 180, "(turn 81.00)"},
      {19, true, 180, "(turn -81.00)"}, {23, true, 0, "(turn -81.00)"},
  };
  for (const Call& c : calls) {
    cycle(c.cycle);
    sight(c.seen);
    ball({10, 10}).seen(14, c.ballDir);
    EXPECT_EQ(c.expected, agent.searchBall().str()) << c.cycle;
  }
  view(VW::S_narrow, VQ::S_high);
  cycle(24);
  EXPECT_EQ("(turn -40.50)", agent.searchBall().str());
}

TEST_F(SkillTest, CatchChangeViewAndMove) {
  me().neck(-40);
  ball({5, 0}).seen(5, 10);
  EXPECT_EQ("(catch -30.00)", agent.catchBall().str());
  me().neck(90);
  ball({5, 0}).seen(5, 100);
  EXPECT_EQ("(catch -170.00)", agent.catchBall().str());
  EXPECT_EQ("(move -10.00 5.00)", agent.moveToPosition({-10, 5}).str());

  // The model has normal/high; pending: a change_view to wide/low is held back.
  struct Case { bool pending; VW::Width w; VQ::Quality q; const char* expected; } cases[] = {
      {false, VW::S_normal, VQ::S_high, ""},
      {true, VW::S_normal, VQ::S_high, ""},
      {true, VW::S_wide, VQ::S_low, ""},
      {true, VW::S_wide, VQ::S_high, "(change_view wide high)"},
      {false, VW::S_normal, VQ::S_low, "(change_view normal low)"},
      {false, VW::S_narrow, VQ::S_high, "(change_view narrow high)"},
  };
  for (const Case& c : cases) {
    if (c.pending) pendingChangeView(VW::S_wide, VQ::S_low);
    EXPECT_EQ(c.expected, agent.changeView(c.w, c.q).str()) << c.pending << c.w << c.q;
    Actuator::instance()->sendPendingChangeView();
  }
}

// The power argument limits the size of the dash, whatever its sign.
TEST_F(SkillTest, DashingTowardsAPoint) {
  struct Case { Vector2D to; double power; const char* expected; } cases[] = {
      {{-5, 0}, 40, "(dash -40.00)"},  {{-5, 0}, -40, "(dash -40.00)"},
      {{0.15, 0}, 40, "(dash 25.00)"}, {{10, 0}, Inf, "(dash 100.00)"},
      {{10, 0}, NaN, ""},              {{NaN, 0}, 40, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, agent.dashTowardsPoint(c.to, c.power, true).str()) << c.power;
  EXPECT_EQ("(dash -100.00)", agent.dashTowardsPoint({-5, 0}, false).str());
}

// The heading error is measured from the next cycle's position, the
// distance from the current one; every test leading to a dash is strict.
TEST_F(SkillTest, DashToPositionTurnsOrDashes) {
  // via: the turning skill called, "" for a dash
  struct Case {
    double bodyDir, speed;
    Vector2D to;
    bool backFirst;
    const char *expected, *via;
  } cases[] = {
      {-29, 0, {10, 0}, false, "(dash 100.00)", ""},
      {-30, 0, {10, 0}, false, "(turn 30.00)", "turnBodyToPoint"},
      {0, 0, {-2, 0}, false, "(dash -100.00)", ""},
      {0, 0, {-3, 0}, false, "(turn 180.00)", "turnBodyToPoint"},
      {0, 0, {0, 2}, false, "(turn 90.00)", "turnBodyOrBackToPoint"},
      {0, 0, {10, 0}, true, "(turn 180.00)", "turnBackToPoint"},
      {0, 0, {-20, 0}, true, "(dash -100.00)", ""},
      {0, 1, {0.5, 0}, false, "(dash -83.33)", ""}, // drifts past the target
  };
  for (const Case& c : cases) {
    me({0, 0}).body(c.bodyDir).vel({c.speed, 0});
    trace.clear();
    EXPECT_EQ(c.expected, agent.dashToPosition(c.to, 3.0, c.backFirst, true).str()) << c.bodyDir;
    EXPECT_EQ(*c.via != 0, trace.has(std::string("VekActions::") + c.via + "(")) << c.via;
  }
  me({0, 0}).body(0).vel({0, 0});
  EXPECT_EQ("(dash 40.00)", agent.dashToPosition({10, 0}, 3.0, 40.0, true).str());
  param(CP->when_to_turn, 200); // -160: no heading error is below it
  EXPECT_EQ("(turn 0.00)", agent.dashToPosition({10, 0}, 3.0, 40.0, true).str());
}

// Along the line x = -47.5 (through (-47.5, 0) at 90 degrees), thresholds
// 3 m and 7 degrees, correction 12 degrees.
TEST_F(SkillTest, DashAlongTheGoalLine) {
  struct Case { Vector2D at; double bodyDir, ang; int sign; const char* expected; } cases[] = {
      {{-44.5, -5}, 100, 90, 1, "(turn -10.00)"},   // 3 m off is near, heading off
      {{-45, -5}, 97, 90, 1, "(dash 100.00)"},      // 7 degrees off is close enough
      {{47.5, 0}, 90, 90, 1, "(turn -12.00)"},      // crossing as far out: not beyond
      {{-43, -5}, 100, 90, 1, "(dash 100.00)"},     // centre's side: heading 102
      {{-51.5, -5}, 80, 90, 1, "(dash 100.00)"},    // beyond the line: heading 78
      {{-43, -5}, -100, -90, -1, "(dash -100.00)"}, // heading -102, target behind
      {{-43, 1}, 102, 90, 1, ""},                   // off the line, level with the target
      {{-47.5, -3}, 90, 90, 1, ""},
  };
  for (const Case& c : cases) {
    me(c.at).body(c.bodyDir);
    EXPECT_EQ(c.expected,
              agent.dashToPositionAlongLine({-47.5, 0}, c.ang, 3.0, c.sign, 7.0, 12.0).str())
        << c.at;
  }
}

// Numbers from the agent program may be anything: huge angles are reduced
// at once, and nothing that is not finite reaches a command.
TEST_F(SkillTest, NoNumberThatIsNotFiniteReachesACommand) {
  EXPECT_EQ(SC::CMD_TURNNECK, agent.lookAround(1e300, -1e300).command());
  EXPECT_EQ("(turn -45.00)", agent.turnBodyToPoint({1e300, -1e300}, 1).str());
  me({-40, 10}).body(30).vel({0.2, 0.1});
  const std::string along =
      agent.dashToPositionAlongLine({-47.5, 0}, 1e300, 3.0, 2147483647, 7.0, -1e300).str();
  EXPECT_EQ(std::string::npos, along.find("nan")) << along;

  Agent::resetSkillMemory();
  EXPECT_EQ(SC::CMD_NONE, agent.lookAround(Inf, -90.0).command());
  EXPECT_EQ(SC::CMD_NONE,
            agent.dashToPositionAlongLine({-47.5, 0}, Inf, 3.0, 1, 7.0, 12.0).command());
  // Each coordinate of a target on its own.
  const std::function<SC(const Vector2D&)> none[] = {
      [&](const Vector2D& p) { return agent.turnBodyToPoint(p, 1); },
      [&](const Vector2D& p) { return agent.turnBackToPoint(p, 1); },
      [&](const Vector2D& p) { return agent.turnBodyOrBackToPoint(p, 1); },
      [&](const Vector2D& p) { return agent.turnNeckToPoint(p, SC(SC::CMD_NONE)); },
      [&](const Vector2D& p) { return agent.moveToPosition(p); },
      [&](const Vector2D& p) { return agent.dashToPosition(p, 3.0, false, false); },
      [&](const Vector2D& p) { return agent.dashToPosition(p, 3.0, 50.0, false); },
      [&](const Vector2D& p) { return agent.dashTowardsPoint(p, false); },
  };
  for (const auto& skill : none)
    for (Vector2D p : {Vector2D(NaN, 0), Vector2D(0, NaN), Vector2D(-Inf, 0), Vector2D(0, Inf)})
      EXPECT_EQ(SC::CMD_NONE, skill(p).command()) << p << (&skill - none);
  EXPECT_EQ("(turn_neck 45.00)", agent.lookAround(90.0, -90.0).str()) << "the scan waits";
}
