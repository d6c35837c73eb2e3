#include <gtest/gtest.h>

#include <string>

#include "predharness.h"

TEST_F(PredicateTest, SkillPredicatesStopAtTheFirstUnreadableArgument) {
  ball({0.5, 0});
  expectRefused({"dash_to_position(foo, 5, 3.0, 0, 1, L)", "dash_towards_point(10, 5, x, L)",
                 "intercept(0, 3.0, a, 0, T, L)", "kick_at_angle(1, 1, 30, foo, L)",
                 "kick_precisely(10, 0, two, L)", "kick_ball_close_to_body(45, now, L)",
                 "tackle(hard, L)", "look_around(90, min, L)", "turn_neck_to_ball(foo, L)",
                 // No such player: the command list is never read.
                 "turn_neck_to_player(l, 12, foo, L)",
                 // The view width by its second letter (none in a one-letter
                 // or an empty atom), the quality by its first.
                 "change_view(a, high, L)", "change_view('', high, L)", "change_view(2, high, L)",
                 "change_view(wide, 5, L)", "change_view(wide, medium, L)"});
  expectAnswers({
      {"change_view(narrow, high, L)", "change_view(narrow,high,[changeview,narrow,high])"},
      {"change_view(normal, low, L)", "change_view(normal,low,[changeview,normal,low])"},
  });
  ball({0.5, 0}).at({0.5, 0}, 0.0);
  expectRefused({"turn_body_to_ball(1, L)"});
}

// A result place bound to another list fails after the skill has run.
TEST_F(PredicateTest, ABoundResultFailsAfterTheSkill) {
  EXPECT_EQ("fail", solve("dash_to_position(10, 0, 3.0, 0, 1, [turn, 0.0])"));
  EXPECT_NE("", trace.text());
}

// The meeting point and time reach the agent program through unbound
// places; numbers given there stay as they are.
TEST_F(PredicateTest, InterceptFillsItsUnboundPlaces) {
  ball({20, 0}).vel({-1, 0});
  EXPECT_NE("fail", solve("intercept(0, 3.0, X, Y, T, L), X > 0, X < 20, Y =:= 0, T > 0"));
  EXPECT_EQ("intercept(0,3.0,1,0.0,2.5,[dash,100.0])", solve("intercept(0, 3.0, 1, Y, 2.5, L)"));
  // A ball within a few steps is run at directly: no meeting point, and no
  // made-up one at the centre spot.
  ball({0.5, 0});
  EXPECT_NE("fail", solve("intercept(0, 3.0, X, Y, T, [dash, _]), var(X), var(Y), var(T)"));
}
