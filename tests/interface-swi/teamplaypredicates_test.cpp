#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "predharness.h"

namespace {

const std::string NO_X = "ERROR: PL_get_vector2D/3: float expected for argument 1\n";

using TeamPlay = predtest::PredicateTest;

} // namespace

TEST_F(TeamPlay, ReportsOfUnreadableArguments) {
  const std::string badType = "mark_opponent/5 : got an illegal type for marking\n"
                              "please use one of (goal | ball | bisector)\n";
  const std::pair<const char*, std::string> cases[] = {
      {"direct_pass(l, 3, fast, L)", "ERROR: direct_pass/4: integer expected for argument 3\n"},
      {"leading_pass(l, 12, 2.0, L)", "PL_get_player/3 : couldn´t get player with unum 12\n"
                                      "leading_pass/4 : can´t get player\n"},
      {"through_pass(l, 9, 30, 10, PX, PY, yes, L)", "through_pass/8 : can´t get player\n"},
      {"outplay_opponent(r, 4, a, 0, _, _, L)",
       NO_X + "outplay_opponent/7 : can't get vector pos\n"},
      {"dribble_to_position(m, 1, 1, 100, 1, L)", "dribble_to_position/6 : can't get integer\n"},
      {"dribble_to_position(1, 1, 1, fast, 1, L)", "dribble_to_position/6 : can´t get integer\n"},
      {"dribble_to_position(1, 1, 1, 100, yes, L)",
       "dribble_to_position/6 : can´t get integer/boolean\n"},
      {"mark_opponent(r, 7, 2.0, 3, L)", "mark_opponent/5 : can´t get marking type\n"},
      {"mark_opponent(r, 7, 2.0, g, L)", badType},
      {"mark_opponent(r, 7, 2.0, '', L)", badType},
      {"mark_nearest(far, L)", "ERROR: mark_nearest/2: float expected for argument 1\n"},
      {"turn_with_ball_to(foo, L)",
       "ERROR: turn_with_ball_to/2 : can't get angle: float expected for argument 1\n"},
  };
  for (const auto& c : cases) {
    trace.clear();
    EXPECT_EQ("fail", solve(c.first));
    EXPECT_EQ(c.second, err) << c.first;
    EXPECT_EQ("", trace.text()) << c.first;
  }
}

TEST_F(TeamPlay, MarkingTypesAndTheThroughPassTarget) {
  opponent(7, {10, 5});
  for (const char* type : {"bisector", "bisec", "xi", "goal", "ball"}) {
    EXPECT_NE("fail", solve(std::string("mark_opponent(r, 7, 2.0, ") + type + ", L)")) << type;
    EXPECT_EQ("", err) << type;
  }
  teammate(9, {20, 10});
  ::testing::internal::CaptureStdout();
  const std::string pass = solve("through_pass(l, 9, 30, 10, PX, PY, 0, L), float(PX), float(PY)");
  EXPECT_EQ(0u, ::testing::internal::GetCapturedStdout().find("through pass reached\n"));
  EXPECT_NE(std::string::npos, pass.find(",0,[none])")) << pass;
}

// The ball goes past an opponent far beside the way (the ball 10 m ahead);
// with no room to play it, the predicate fails instead of answering [none].
TEST_F(TeamPlay, OutplayingFailsWithoutAKick) {
  ball({0.5, 0});
  opponent(4, {5, 10});
  EXPECT_EQ(0u, solve("outplay_opponent(r, 4, 20, 0, X, Y, L)")
                    .find("outplay_opponent(r,4,20,0,10.0,0.0,[kick,"));
  EXPECT_EQ(0u, solve("outplay_opponent(r, 4, 20, 0, a, b, L)")
                    .find("outplay_opponent(r,4,20,0,a,b,[kick,"));
  EXPECT_EQ("fail", solve("outplay_opponent(r, 4, 1, 0, X, Y, L)"));
  EXPECT_EQ("", err);
}
