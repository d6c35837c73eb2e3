#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "predharness.h"

#if defined(__SANITIZE_ADDRESS__)
// From the address sanitizer's allocator.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

TEST_F(PredicateTest, ValidNumbersAreEnumeratedInOrder) {
  for (Unum n : {11u, 2u, 5u}) opponent(n, {10.0 + n, 0});
  for (const std::string p : {"player_position_valid", "player_dir_valid"}) {
    EXPECT_NE("fail", solve("findall(U, " + p + "(r, U), [2, 5, 11])"));
    // The last answer and a given number leave no choice point.
    expectAnswers({
        {p + "(r, U), !", p + "(r,2),!"},
        {"call_cleanup(" + p + "(r, U), Det = true), U == 11",
         "call_cleanup(" + p + "(r,11),true=true),11==11"},
        {"call_cleanup(" + p + "(r, 5), Det = true)", "call_cleanup(" + p + "(r,5),true=true)"},
        {p + "(r, 3)", "fail"},
        {p + "(r, foo)", "fail"},
        {p + "(x, U)", "fail", true},
        {p + "(l, 12)", "fail", true},
    });
  }
#if defined(__SANITIZE_ADDRESS__)
  // Neither a cut nor the end of an enumeration keeps its context.
  auto rounds = [&](int n) {
    for (int i = 0; i < n; ++i) {
      prove("player_position_valid(r, U), !");
      prove("player_dir_valid(r, U), U > 2, !");
      prove("findall(U, player_position_valid(r, U), L)");
    }
  };
  rounds(100);
  const std::size_t before = __sanitizer_get_current_allocated_bytes();
  rounds(2000);
  EXPECT_LT(__sanitizer_get_current_allocated_bytes(), before + 4096);
#endif
}

TEST_F(PredicateTest, OnePlayersRecord) {
  me({0, 0}).body(90);
  opponent(3, {0, -10}).body(45).neck(-30).vel({0.5, 0.25}, 0.2);
  // Nobody defends beyond the ball at the centre: a forward in their half is offside.
  ball({0, 0});
  teammate(9, {30, 0});
  expectAnswers({
      {"player_position(r, 3, 1.0, Y, C)", "fail", true},
      // A doubtful velocity is answered with a warning.
      {"player_velocity(r, 3, VX, VY, C)", "player_velocity(r,3,0.5,0.25,0.2)", true},
      {"player(r, 12, B, BC, N, NC, P, PC, T, K)", "fail", true},
      {"player_in_offside_position(x, 9)", "fail", true},
      {"player_in_offside_position(l, 9)", "player_in_offside_position(l,9)"},
  });
}

TEST_F(PredicateTest, NearestFastestAndGoalies) {
  cycle(200);
  me({8, 0});
  ball({10, 0});
  teammate(1, {9.5, 0});
  teammate(4, {12.5, 0});
  world.setOurGoalie(1);
  expectAnswers({
      // Bit 0 counts the agent, bit 1 our goalie.
      {"closest_teammate_to_ball(0, N)", "closest_teammate_to_ball(0,4)"},
      {"closest_teammate_to_ball(1, N)", "closest_teammate_to_ball(1,7)"},
      {"closest_teammate_to_ball(2, N)", "closest_teammate_to_ball(2,1)"},
      {"closest_teammate_to_ball(3, N)", "closest_teammate_to_ball(3,1)"},
      {"closest_opponent_to(0, 0, 1, N)", "closest_opponent_to(0,0,1,0)"},
      {"closest_teammate_to(0, 0, yes, N)", "fail", true},
      // A goalie not seen yet is number 1.
      {"goalie_number(r, N)", "goalie_number(r,1)"},
  });

  // The opponents reach the ball first.
  opponent(6, {10, 0.2}).body(-90);
  EXPECT_EQ("fastest_player_to_ball(6,r)", solve("fastest_player_to_ball(N, S)"));
  EXPECT_EQ("team_with_ball(r)", solve("team_with_ball(S)"));
  // Nobody can: the world model names no one.
  cycle(201);
  for (Unum n : {1u, 4u, 7u}) world.own[n].getAbsPosConf().set(0.0);
  world.others[6].getAbsPosConf().set(0.0);
  EXPECT_EQ("fastest_player_to_ball(0,r)", solve("fastest_player_to_ball(N, S)"));
  EXPECT_EQ("fastest_teammate_to_ball(7)", solve("fastest_teammate_to_ball(N)"));
  ball({10, 0}).at({10, 0}, 0.0);
  expectAnswers({{"closest_opponent_to_ball(0, N)", "closest_opponent_to_ball(0,0)", true}});
}

TEST_F(PredicateTest, RegionsCongestionMarkingAndMarkers) {
  // Apex (0, 0), axis to (10, 0), half-width half the way along: only
  // (7, 3) lies within, and not seen from (10, 0).
  opponent(2, {7, 3});
  opponent(3, {5, 3});
  opponent(4, {10, 0});
  opponent(5, {0, 0});
  expectAnswers({
      {"num_opponents_in_cone(0.5, 10, 0, 0, 0, N)", "num_opponents_in_cone(0.5,10,0,0,0,1)"},
      {"num_opponents_within(0.0, N)", "num_opponents_within(0.0,1)"},
      {"num_opponents_within(3, 5, 0, N)", "num_opponents_within(3,5,0,1)"},
  });
  expectRefused({"num_opponents_within(foo, N)", "num_opponents_in_cone(wide, 10, 0, 0, 0, N)",
                 "congestion_at_point(x, 0, C)"});

  // The ball's foot on the line to opponent 4 at (10, 0), or the nearer end.
  const std::string marking = "opponent_path_line_marking_position(";
  ball({11, 3});
  EXPECT_EQ(11.0, number(marking + "12, 0, 3, X, Y)", 4));
  EXPECT_EQ(0.0, number(marking + "12, 0, 3, X, Y)", 5));
  EXPECT_EQ("fail", solve(marking + "30, 0, 3, X, Y)"));
  ball({11, -6});
  EXPECT_EQ(marking + "10,-4,5,10.0,-4.0)", solve(marking + "10, -4, 5, X, Y)"));
  ball({11, 3}).at({11, 3}, 0.0);
  EXPECT_EQ("fail", solve(marking + "12, 0, 3, X, Y)"));

  WMState::initFlags(l);
  expectRefused({"marker_distance(goal_x, D)"});
}
