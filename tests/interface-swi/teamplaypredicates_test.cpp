#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "predharness.h"

namespace {

using predtest::NO_X;
using TeamPlay = predtest::PredicateTest;

} // namespace

TEST_F(TeamPlay, ReportsOfUnreadableArguments) {
  expectAnswers({
      {"direct_pass(l, 3, fast, L)", "fail",
       "ERROR: direct_pass/4: integer expected for argument 3\n"},
      {"leading_pass(l, x, 2.0, L)", "fail",
       "ERROR: PL_get_player/3: integer expected for argument 2\n"
       "leading_pass/4 : can´t get player\n"},
      {"through_pass(l, 9, 30, 10, PX, PY, yes, L)", "fail",
       "through_pass/8 : can´t get player\n"},
      {"outplay_opponent(r, 4, a, 0, _, _, L)", "fail",
       NO_X + "outplay_opponent/7 : can't get vector pos\n"},
      {"dribble_to_position(m, 1, 1, 100, 1, L)", "fail",
       "dribble_to_position/6 : can't get integer\n"},
      {"dribble_to_position(1, 1, 1, fast, 1, L)", "fail",
       "dribble_to_position/6 : can´t get integer\n"},
      {"dribble_to_position(1, 1, 1, 100, yes, L)", "fail",
       "dribble_to_position/6 : can´t get integer/boolean\n"},
      {"mark_opponent(r, 7, 2.0, 3, L)", "fail", "mark_opponent/5 : can´t get marking type\n"},
      // The type by its second letter, which an empty atom has not.
      {"mark_opponent(r, 7, 2.0, '', L)", "fail",
       "mark_opponent/5 : got an illegal type for marking\n"
       "please use one of (goal | ball | bisector)\n"},
      {"mark_nearest(far, L)", "fail", "ERROR: mark_nearest/2: float expected for argument 1\n"},
      {"turn_with_ball_to(foo, L)", "fail",
       "ERROR: turn_with_ball_to/2 : can't get angle: float expected for argument 1\n"},
  });
}

TEST_F(TeamPlay, MarkingTypesAndTheThroughPassTarget) {
  // Facing away, each kind of marking turns towards its own point; the
  // second letter of the type decides.
  me({0, 0}).body(180);
  ball({10, -10});
  opponent(7, {10, 5});
  auto marked = [&](const std::string& type) {
    const std::string a = solve("mark_opponent(r, 7, 2.0, " + type + ", L)");
    EXPECT_EQ("", err) << type;
    return a.substr(std::min(a.size(), a.find('[')));
  };
  EXPECT_EQ(marked("goal"), marked("xo"));
  EXPECT_EQ(marked("ball"), marked("xa"));
  EXPECT_EQ(marked("bisector"), marked("xi"));
  EXPECT_NE(marked("goal"), marked("ball"));
  EXPECT_NE(marked("goal"), marked("bisector"));
  EXPECT_NE(marked("ball"), marked("bisector"));
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
