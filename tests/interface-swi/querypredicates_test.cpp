#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "predharness.h"

TEST_F(PredicateTest, BallAtRestOrUnknown) {
  ball({3, 4}).at({3, 4}, 0.0);
  EXPECT_EQ("ball_absolute_heading(0.0)", solve("ball_absolute_heading(A)"));
  EXPECT_EQ("fail", solve("ball_position_valid"));
  // Nothing the engine cannot hold reaches it.
  ball({3, 4}).vel({std::numeric_limits<double>::quiet_NaN(), 0});
  expectAnswers({{"ball(X, Y, VX, VY)", "fail", true}});
}

TEST_F(PredicateTest, WrongArgumentsAreReportedAndFail) {
  ball({5, 0});
  teammate(9, {5, 0.5});
  EXPECT_NE("fail", solve("ball_kickable_for_player(left, 9, 0.1)"));
  EXPECT_EQ("fail", solve("ball_kickable_for_player(r, 9, 0.1)"));
  EXPECT_EQ("fail", solve("ball_kickable_for_player(l, 9, 0.6)"));
  expectAnswers({{"ball_kickable_for_player(l, x, 0.1)", "fail"},
                 {"line_line_intersection(0, 0, 1, 1, 0, 1, 1, 0, 0.7, Y)", "fail", true}});
  expectRefused({"ball_kickable_for_player(l, 12, 0.1)", "will_catch_ball_safer(foo)",
                 "goal_kick_success_ratio(0, a, 0, R)", "strategic_position(12, X, Y)",
                 "strategic_position(-1, X, Y)", "in_our_penalty_area(a, 0)",
                 "line_line_intersection(0, 0, 1, b, 0, 1, 1, 0, X, Y)"});
}

TEST_F(PredicateTest, SidesPenaltyAreaAndNow) {
  me({-40, 0});
  cycle(417);
  expectAnswers({{"my_side(S)", "my_side(l)"},
                 {"their_side(S)", "their_side(r)"},
                 {"in_our_penalty_area(-36, 0)", "fail"},
                 {"now(T)", "now('417')"}});
  world.mySide = u;
  EXPECT_EQ("their_side(u)", solve("their_side(S)"));
  EXPECT_EQ("my_side(u)", solve("my_side(S)"));
}

TEST_F(PredicateTest, DirectionsAndGeometry) {
  me({0, 0}).body(90);
  expectAnswers({{"angle_to_from_body(0, 10, A)", "angle_to_from_body(0,10,0.0)"},
                 {"angle_to_from_body(0, -10, A)", "angle_to_from_body(0,-10,-180.0)"},
                 {"angle_to_from_body(0, 0, A)", "angle_to_from_body(0,0,-90.0)"},
                 // Parallel lines meet at (0, 0).
                 {"line_line_intersection(0, 0, 1, 1, 0, 1, 1, 2, X, Y)",
                  "line_line_intersection(0,0,1,1,0,1,1,2,0.0,0.0)"}});
  // 0 names the agent itself, number 7.
  const Vector2D own = world.getStrategicPosition(7);
  EXPECT_EQ(own[0], number("strategic_position(0, X, Y)", 2));
  EXPECT_EQ(own[1], number("strategic_position(0, X, Y)", 3));
}
