#include <gtest/gtest.h>

#include <string>

#include "tests/tolvane/skills/skillfixture.h"

namespace {

using PassTest = skilltest::SkillTest;

// The ball touching the agent straight ahead of its body takes the full
// kick power rate 0.027. From (-30, 0) the sector runs from -45 to 45; one
// opponent straight ahead splits it and the first of the two equal gaps
// wins. At x = 0 the bounds are (50, -30) and (50, 30): from (0, 10) the
// middle is -8.43, where (0, -30) and (0, 30) would give 0. The kick's
// direction is told from the body.
TEST_F(PassTest, ClearingKicksFullPowerThroughTheWidestGap) {
  struct Case {
    Vector2D me, opponent; // (99, 99): none
    double body;
    const char* kick;
  } cases[] = {{{-30, 0}, {99, 99}, 0, "(kick 100.00 0.00)"},
               {{-30, 0}, {-20, 0}, 0, "(kick 100.00 -22.50)"},
               {{-30, 0}, {-3, 0}, 0, "(kick 100.00 0.00)"},
               {{0, 10}, {99, 99}, 0, "(kick 100.00 -8.43)"},
               {{-30, 0}, {99, 99}, 90, "(kick 100.00 -90.00)"}};
  for (const Case& c : cases) {
    me(c.me).body(c.body);
    ball(c.me + polar(0.385, c.body));
    opponent(4, c.opponent).at(c.opponent, c.opponent[0] == 99 ? 0.0 : 1.0);
    EXPECT_EQ(c.kick, agent.clearBall().str()) << c.me << c.opponent;
  }
}

// Body 30, neck -30, the ball touching straight ahead; the receiver 10 m
// from the ball at 53.13 degrees. Start speed for 10 m and end speed v:
// v + 10 x (1 / 0.94 - 1), over the rate 0.027.
TEST_F(PassTest, PassesKickForTheEndSpeed) {
  me({0, 0}).body(30).neck(-30);
  const Vector2D posBall = polar(0.385, 30);
  ball(posBall);
  const PlayerObject mate = teammate(9, posBall + Vector2D(6, 8)).object();
  EXPECT_EQ("(kick 90.31 23.13)", agent.directPass(mate, true).str());
  EXPECT_EQ("(kick 68.09 23.13)", agent.directPass(mate, false).str());
  EXPECT_EQ("(kick 68.09 23.13)", agent.leadingPass(mate, 0).str());
  // 3 m further along +x.
  EXPECT_EQ(agent.directPass(teammate(8, posBall + Vector2D(9, 8)).object(), false).str(),
            agent.leadingPass(mate, 3).str());
}

// The run along x = 10 from (10, -10) to (10, 10), seen from the ball at the
// centre: the gap from -45 to 45 is cut at 0. The receiver at (7, -10)
// turns 73 degrees (2 cycles) and runs 10.44 m (10 cycles): the ball shall
// leave with 10 / (1 + 0.94 + ... + 0.94^11) less its speed 0.2, which the
// kick to that speed takes off once more, over the rate 0.027.
TEST_F(PassTest, ThroughPassMeetsTheRun) {
  me({-0.385, 0});
  ball({0, 0}).vel({0.2, 0});
  Vector2D posTo(99, 99);
  const PlayerObject mate = teammate(9, {7, -10}).object();
  EXPECT_EQ(SoccerCommand::CMD_NONE, agent.throughPass(mate, {10, 10}, posTo, false).command());
  EXPECT_NEAR(0.0, posTo.dist(Vector2D(10, 0)), 1e-9);
  EXPECT_EQ("(kick 27.59 0.00)", agent.throughPass(mate, {10, 10}, posTo, true).str());
  // An opponent 28 m from the ball, within the 30 m that count, splits the
  // gap from -45 to 71.57 at 19.73 (seen from the agent): the wider part's
  // middle, -12.63, meets the run at (10, -2.24).
  opponent(4, {26.31, 9.577});
  agent.throughPass(mate, {10, 30}, posTo, false);
  EXPECT_NEAR(-2.24, posTo[1], 0.01);
  // A shot along a parallel run aims at (0, 0), as it always has.
  me({4.615, 5});
  ball({5, 5});
  agent.throughPass(teammate(9, {7, 5}).object(), {20, 5}, posTo, true);
  EXPECT_EQ(Vector2D(0, 0), posTo);
}

// The opponent at (-40, 10): the goal mark (-50, 0) at -135 degrees, the
// ball at 90, their bisector at 157.5.
TEST_F(PassTest, MarkingAndChoosingTheOpponent) {
  ball({-40, 20});
  const PlayerObject opp = opponent(5, {-40, 10}).object();
  struct Case {
    VekActions::MarkT mark;
    Vector2D pos;
  } cases[] = {{VekActions::MARK_GOAL, {-41.41421356, 8.58578644}},
               {VekActions::MARK_BALL, {-40, 12}},
               {VekActions::MARK_BISECTOR, {-41.84775907, 10.76536686}},
               {VekActions::MarkT(3), {0, 0}}};
  for (const Case& c : cases)
    EXPECT_NEAR(0.0, c.pos.dist(VekActionsTestAccess::markingPosition(agent, opp, 2, c.mark)),
                1e-8)
        << c.mark;
  EXPECT_EQ(SoccerCommand::CMD_NONE, agent.markOpponent(0, 2, VekActions::MARK_GOAL).command());
  EXPECT_EQ(SoccerCommand::CMD_NONE, agent.markOpponent(12, 2, VekActions::MARK_GOAL).command());
  EXPECT_NE(SoccerCommand::CMD_NONE, agent.markOpponent(11, 2, VekActions::MARK_GOAL).command());
  // Facing the mark, a tired agent runs there all the same.
  me({-30, 8.58578644}).body(180).stamina(1000);
  EXPECT_EQ("(dash 100.00)", agent.markOpponent(5, 2, VekActions::MARK_GOAL).str());

  // The agent takes the opponent nearest its formation place only when no
  // team-mate is nearer to it and it is nearer than max_dist.
  const Vector2D place = world.getStrategicPosition(7);
  me(place);
  opponent(3, place + Vector2D(1, 0));
  EXPECT_EQ(3u, agent.selectOpponent(1.5));
  EXPECT_EQ(0u, agent.selectOpponent(1.0));
  teammate(4, place + Vector2D(1.5, 0));
  EXPECT_EQ(0u, agent.selectOpponent(1.5));
}

TEST_F(PassTest, CyclePotentialField) {
  // A ball whose motion is unknown stays where it is, next to an opponent
  // that is there in 0 cycles: 1 for every cycle until it arrives.
  me({-10, 0});
  ball({20, 0}).vel({0, 0}, 0.0);
  opponent(1, {20.5, 0});
  EXPECT_DOUBLE_EQ(1.0, world.getCPFValueOfPoint({21, 0}, &agent));
  EXPECT_DOUBLE_EQ(74.0, world.getCPFValueOfPoint({21.125, 0}, &agent));

  // The body along +y, the ball 0.7 m in front and the agent running: a
  // kick of power 100 takes the ball 39.93 m at most, to within 1 m of a
  // point 38 m on after 43 cycles, before an opponent 50 m off its way gets
  // there; never to within 1 m of one 41 m on.
  me({0, -20}).body(90).vel({0, 0.2});
  ball({0, -19.3});
  opponent(1, {-50, 0}).body(0);
  EXPECT_EQ(0.0, world.getCPFValueOfPoint({0, 18.7}, &agent));
  EXPECT_GT(world.getCPFValueOfPoint({0, 21.7}, &agent), 0.0);
  // The fast pass at full power comes within 1 m of a team-mate 9 m away in
  // cycle 4 (a normal one in cycle 5), where an opponent 3 m beside it gets
  // in 3 cycles: 1 / 4.
  opponent(1, {3, -10.3}).body(180);
  EXPECT_DOUBLE_EQ(0.25, world.getCPFValueOfPlayer(teammate(9, {0, -10.3}).object(), &agent));

  // 0, 2 and 5 cycles to the centre spot; the unplaced entries standing
  // there do not count, nor does entry 0, which holds no player.
  opponent(0, {0, 0});
  opponent(1, {0, 0.5});
  opponent(2, {-2.5, 0}).body(0);
  unidentified({5.5, 0}).body(180);
  EXPECT_DOUBLE_EQ(1.5, world.getCyclePotentialField({0, 0}, 4, &agent));
  EXPECT_EQ(0.0, world.getCyclePotentialField({0, 0}, 0, &agent));
}

} // namespace
