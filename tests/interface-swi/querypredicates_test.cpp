#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "predharness.h"

using predtest::PredicateTest;

namespace {

// The scores, which the skill fixture leaves closed.
struct Scores : UpdateableWMState {
  using WMState::myScore;
  using WMState::theirScore;
};

} // namespace

TEST_F(PredicateTest, BallAnswersInMetresAndHeadingInRadians) {
  ball({3, 4}).vel({0, 1.5});
  expectAnswers({{"ball(X, Y, VX, VY)", "ball(3.0,4.0,0.0,1.5)"},
                 {"ball_distance(D)", "ball_distance(5.0)"},
                 {"ball_absolute_heading(A)", "ball_absolute_heading(1.5707963267948966)"},
                 {"ball_tackleable", "fail"},
                 {"ball_position_valid", "ball_position_valid"}});
  ball({3, 4}).at({3, 4}, 0.0);
  EXPECT_EQ("ball_absolute_heading(0.0)", solve("ball_absolute_heading(A)"));
  EXPECT_EQ("fail", solve("ball_position_valid"));
  // Nothing the engine cannot hold reaches it.
  ball({3, 4}).vel({std::numeric_limits<double>::quiet_NaN(), 0});
  EXPECT_EQ("fail", solve("ball(X, Y, VX, VY)"));
  EXPECT_EQ("ERROR: ball/4: no finite value for argument 3\n", err);
}

TEST_F(PredicateTest, WrongArgumentsAreReportedAndFail) {
  ball({5, 0});
  teammate(9, {5, 0.5});
  EXPECT_NE("fail", solve("ball_kickable_for_player(left, 9, 0.1)"));
  EXPECT_EQ("fail", solve("ball_kickable_for_player(r, 9, 0.1)"));
  EXPECT_EQ("fail", solve("ball_kickable_for_player(l, 9, 0.6)"));
  const std::string strategic = "ERROR: strategic_position/3: ";
  const std::string unum = "uniform number between 1 and 11 expected (value: ";
  expectAnswers({
      {"ball_kickable_for_player(l, x, 0.1)", "fail", ""},
      {"ball_kickable_for_player(l, 12, 0.1)", "fail",
       "ERROR: ball_kickable_for_player/3: " + unum + "12) for argument 2\n"},
      {"will_catch_ball_safer(foo)", "fail",
       "ERROR: will_catch_be_safer/1: float expected for argument 1\n"},
      {"goal_kick_success_ratio(0, a, 0, R)", "fail",
       "ERROR: goal_kick_success_ratio: integer expected for argument 1\n"},
      {"strategic_position(12, X, Y)", "fail", strategic + unum + "12) for argument 1\n"},
      {"strategic_position(-1, X, Y)", "fail", strategic + unum + "-1) for argument 1\n"},
      {"in_our_penalty_area(a, 0)", "fail",
       predtest::NO_X + "in_our_penalty_area/2 : can't get vector\n"},
      {"line_line_intersection(0, 0, 1, b, 0, 1, 1, 0, X, Y)", "fail",
       "ERROR: PL_get_vector2D/3: float expected for argument 2\n"
       "line_line_intersection/10: can't create vector\n"},
      {"line_line_intersection(0, 0, 1, 1, 0, 1, 1, 0, 0.7, Y)", "fail",
       "line_line_intersection/10: can't unify result0.5\n"},
  });
}

TEST_F(PredicateTest, SelfScoreAndClock) {
  me({-40, 0}).neck(30);
  world.*(&Scores::myScore) = 1;
  world.*(&Scores::theirScore) = 3;
  cycle(417);
  expectAnswers({{"my_number(N)", "my_number(7)"},
                 {"my_side(S)", "my_side(l)"},
                 {"their_side(S)", "their_side(r)"},
                 {"my_neck_rel_ang(A)", "my_neck_rel_ang(30.0)"},
                 {"in_our_penalty_area(-40, 0)", "in_our_penalty_area(-40,0)"},
                 {"in_our_penalty_area(-36, 0)", "fail"},
                 {"goal_diff(D)", "goal_diff(-2)"},
                 {"now(T)", "now('417')"},
                 {"current_cycle(T)", "current_cycle(417)"}});
  world.mySide = u;
  EXPECT_EQ("their_side(u)", solve("their_side(S)"));
  EXPECT_EQ("my_side(u)", solve("my_side(S)"));
  // The clock standing still at cycle 0, three sub-steps on.
  cycle(0);
  for (int i = 0; i < 3; ++i) vekbase::Timer::updateTime(0);
  EXPECT_EQ("current_cycle(0,3)", solve("current_cycle(T, S)"));
}

TEST_F(PredicateTest, DirectionsAndGeometry) {
  me({0, 0}).body(90);
  expectAnswers({{"angle_to_from_body(0, 10, A)", "angle_to_from_body(0,10,0.0)"},
                 {"angle_to_from_body(0, -10, A)", "angle_to_from_body(0,-10,-180.0)"},
                 {"angle_to_from_body(0, 0, A)", "angle_to_from_body(0,0,-90.0)"},
                 {"line_line_intersection(0, 0, 1, 1, 0, 1, 1, 0, X, Y)",
                  "line_line_intersection(0,0,1,1,0,1,1,0,0.5,0.5)"},
                 // Parallel lines meet at (0, 0).
                 {"line_line_intersection(0, 0, 1, 1, 0, 1, 1, 2, X, Y)",
                  "line_line_intersection(0,0,1,1,0,1,1,2,0.0,0.0)"}});
  // 0 names the agent itself, number 7.
  const Vector2D own = world.getStrategicPosition(7);
  EXPECT_EQ(own[0], number("strategic_position(0, X, Y)", 2));
  EXPECT_EQ(own[1], number("strategic_position(0, X, Y)", 3));
  EXPECT_EQ(agent.goalKickSuccessRatio(1, 2, 3), number("goal_kick_success_ratio(1, 2, 3, R)", 4));
}
