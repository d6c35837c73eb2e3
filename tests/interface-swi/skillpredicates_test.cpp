#include <gtest/gtest.h>

#include <string>

#include "predharness.h"

using predtest::NO_X;
using predtest::PredicateTest;

TEST_F(PredicateTest, SkillPredicatesStopAtTheFirstUnreadableArgument) {
  ball({0.5, 0});
  const std::string width = "PL_get_viewwidth/2 : ", quality = "PL_get_viewquality/2 : ";
  const std::string noWidth = "pl_change_view/3 : can´t get viewwidth\n";
  const std::string noQuality = "pl_change_view/3 : can´t get viewquality\n";
  expectAnswers({
      {"dash_to_position(foo, 5, 3.0, 0, 1, L)", "fail",
       NO_X + "dash_to_position/6 : can´t get vector\n"},
      {"dash_towards_point(10, 5, x, L)", "fail",
       "ERROR: dash_towards_position/4: bool expected for argument 3\n"},
      {"intercept(0, 3.0, a, 0, T, L)", "fail", NO_X + "intercept/6 : can´t get vector\n"},
      {"kick_at_angle(1, 1, 30, foo, L)", "fail",
       "ERROR: kick_at_angle/5: float expected for argument 4\n"},
      {"kick_precisely(10, 0, two, L)", "fail",
       "ERROR: kick_precisely/4: integer expected for argument 3\n"},
      {"kick_ball_close_to_body(45, now, L)", "fail",
       "ERROR: kick_ball_close_to_body/4: integer expected for argument 2\n"},
      {"tackle(hard, L)", "fail", "ERROR: pl_tackle/2: float expected for argument 1\n"},
      {"look_around(90, min, L)", "fail", "look_around/3 failed\n"},
      {"turn_neck_to_ball(foo, L)", "fail",
       "PL_get_soccercommand/2 : can't get list ... exiting !\n"
       "turn_neck_to_ball/2 : can´t get SoccerCommand ... exiting !\n"},
      // No such player: the command list is never read.
      {"turn_neck_to_player(l, 12, foo, L)", "fail",
       "turn_neck_to_player/4 : couldn´t get player with unum 12\n"},
      // The view width by its second letter (none in a one-letter or an
      // empty atom), the quality by its first.
      {"change_view(narrow, high, L)", "change_view(narrow,high,[changeview,narrow,high])"},
      {"change_view(normal, low, L)", "change_view(normal,low,[changeview,normal,low])"},
      {"change_view(wide, low, L)", "change_view(wide,low,[changeview,wide,low])"},
      {"change_view(a, high, L)", "fail", width + "got an illegal view width !\n" + noWidth},
      {"change_view('', high, L)", "fail", width + "got an illegal view width !\n" + noWidth},
      {"change_view(2, high, L)", "fail", width + "can´t get string\n" + noWidth},
      {"change_view(wide, 5, L)", "fail", quality + "can´t get string\n" + noQuality},
      {"change_view(wide, medium, L)", "fail",
       quality + "got an illegal view quality !\n" + noQuality},
  });
  ball({0.5, 0}).at({0.5, 0}, 0.0);
  expectAnswers({{"turn_body_to_ball(1, L)", "fail",
                  "turn_body_to_ball/2 : ball position not valid\n"}});
}

TEST_F(PredicateTest, SkillCommandsReachTheServerThroughTheQueue) {
  EXPECT_EQ("dash_to_position(10,0,3.0,0,1,[dash,100.0]),queue_up([dash,100.0])",
            solve("dash_to_position(10, 0, 3.0, 0, 1, L), queue_up(L)"));
  EXPECT_EQ("(dash 100.00)", Actuator::instance()->actionString());
  // The overload with a dash power.
  EXPECT_EQ("dash_to_position(10,0,3.0,1.5,[dash,1.5])",
            solve("dash_to_position(10, 0, 3.0, 1.5, L)"));
  // A result place bound to another list fails after the skill has run.
  trace.clear();
  EXPECT_EQ("fail", solve("dash_to_position(10, 0, 3.0, 0, 1, [turn, 0.0])"));
  EXPECT_NE("", trace.text());
}

TEST_F(PredicateTest, NeckTurnsFollowThePlannedBodyCommand) {
  opponent(4, {10, 10});
  EXPECT_EQ("turn_neck_to_player(r,4,[none],[turnneck,45.0])",
            solve("turn_neck_to_player(r, 4, [none], L)"));
  EXPECT_EQ("turn_neck_to_player(r,4,[turn,45],[turnneck,0.0])",
            solve("turn_neck_to_player(r, 4, [turn, 45], L)"));
  ball({20, 0});
  EXPECT_EQ("turn_neck_to_ball([turn,90],[turnneck,-90.0])",
            solve("turn_neck_to_ball([turn, 90], L)"));
}

// The meeting point and time reach the agent program through unbound
// places; numbers given there stay as they are.
TEST_F(PredicateTest, InterceptFillsItsUnboundPlaces) {
  ball({20, 0}).vel({-1, 0});
  EXPECT_NE("fail", solve("intercept(0, 3.0, X, Y, T, L), X > 0, X < 20, Y =:= 0, T > 0"));
  EXPECT_EQ("intercept(0,3.0,1,0.0,2.5,[dash,100.0])", solve("intercept(0, 3.0, 1, Y, 2.5, L)"));
  EXPECT_EQ("intercept(0,3.0,[dash,100.0])", solve("intercept(0, 3.0, L)"));
  // A ball within a few steps is run at directly: no meeting point, and no
  // made-up one at the centre spot.
  ball({0.5, 0});
  EXPECT_NE("fail", solve("intercept(0, 3.0, X, Y, T, [dash, _]), var(X), var(Y), var(T)"));
}
