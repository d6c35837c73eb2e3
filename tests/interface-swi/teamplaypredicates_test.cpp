#include <gtest/gtest.h>

#include <string>

#include "predharness.h"

TEST_F(PredicateTest, TeamPlayArgumentsThatCannotBeReadAreRefused) {
  expectRefused({"direct_pass(l, 3, fast, L)", "leading_pass(l, x, 2.0, L)",
                 "through_pass(l, 9, 30, 10, PX, PY, yes, L)",
                 "outplay_opponent(r, 4, a, 0, _, _, L)", "dribble_to_position(m, 1, 1, 100, 1, L)",
                 "dribble_to_position(1, 1, 1, fast, 1, L)",
                 "dribble_to_position(1, 1, 1, 100, yes, L)", "mark_opponent(r, 7, 2.0, 3, L)",
                 // The type by its second letter, which an empty atom has not.
                 "mark_opponent(r, 7, 2.0, '', L)", "mark_nearest(far, L)",
                 "turn_with_ball_to(foo, L)"});
}

// The ball goes past an opponent far beside the way (the ball 10 m ahead);
// with no room to play it, the predicate fails instead of answering [none].
TEST_F(PredicateTest, OutplayingFailsWithoutAKick) {
  ball({0.5, 0});
  opponent(4, {5, 10});
  EXPECT_EQ(0u, solve("outplay_opponent(r, 4, 20, 0, X, Y, L)")
                    .find("outplay_opponent(r,4,20,0,10.0,0.0,[kick,"));
  EXPECT_EQ(0u, solve("outplay_opponent(r, 4, 20, 0, a, b, L)")
                    .find("outplay_opponent(r,4,20,0,a,b,[kick,"));
  EXPECT_EQ("fail", solve("outplay_opponent(r, 4, 1, 0, X, Y, L)"));
  EXPECT_EQ("", err);
}
