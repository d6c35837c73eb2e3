#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>

#include "predharness.h"

#if defined(__SANITIZE_ADDRESS__)
// From the address sanitizer's allocator.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using predtest::PredicateTest;

TEST_F(PredicateTest, ValidNumbersAreEnumeratedInOrder) {
  for (Unum n : {11u, 2u, 5u}) opponent(n, {10.0 + n, 0});
  const std::pair<std::string, std::string> tests[] = {
      {"player_position_valid", "player_position_valid/2"},
      {"player_dir_valid", "player_dir_valid2/2"}};
  for (const auto& t : tests) {
    const std::string& p = t.first;
    const std::string warning = "ERROR: " + t.second + ": ";
    EXPECT_NE("fail", solve("findall(U, " + p + "(r, U), [2, 5, 11])"));
    // The last answer and a given number leave no choice point.
    expectAnswers({
        {p + "(r, U), !", p + "(r,2),!"},
        {"call_cleanup(" + p + "(r, U), Det = true), U == 11",
         "call_cleanup(" + p + "(r,11),true=true),11==11"},
        {"call_cleanup(" + p + "(r, 5), Det = true)", "call_cleanup(" + p + "(r,5),true=true)"},
        {p + "(r, 3)", "fail"},
        {p + "(r, foo)", "fail"},
        {p + "(x, U)", "fail", warning + "atom 'l' or 'r' expected for argument 1\n"},
        {p + "(l, 12)", "fail",
         warning + "uniform number between 1 and 11 expected (value: 12) for argument 2\n"},
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
  const std::string cant = "can\xC2\xB4t ";
  expectAnswers({
      {"player(r, 3, B, BC, N, NC, P, PC, T, K)", "player(r,3,45.0,1.0,15.0,1.0,0.0,0.0,0,0)"},
      {"player_position(r, 3, X, Y, C)", "player_position(r,3,0.0,-10.0,1.0)"},
      {"player_position(r, 3, 1.0, Y, C)", "fail",
       "player_position/5 : " + cant + "unify x-coordinate of player position: 0\n"},
      {"player_velocity(r, 3, VX, VY, C)", "player_velocity(r,3,0.5,0.25,0.2)",
       "player_velocity/5 : player velocity not valid\n"},
      {"player_velocity_valid(r, 3)", "fail"},
      {"player_distance_to(r, 3, 0, -4, D)", "player_distance_to(r,3,0,-4,6.0)"},
      {"player_angle_from_body(r, 3, A)", "player_angle_from_body(r,3,-180.0)"},
      {"player(r, 12, B, BC, N, NC, P, PC, T, K)", "fail",
       "PL_get_player/3 : couldn\xC2\xB4t get player with unum 12\nplayer/10 : " + cant +
           "get player\n"},
      {"player_in_offside_position(x, 9)", "fail",
       "ERROR: PL_get_player/3: atom 'l' or 'r' expected for argument 1\n"
       "player_vin_offside_position2/2 : can't get player\n"},
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
      {"closest_teammate_to(0, 0, yes, N)", "fail",
       "ERROR: closest_teammate_to/4: bool expected for argument 3\n"},
      {"goalie_number(r, N)", "goalie_number(r,1)"},
  });
  world.setOppGoalie(9);
  EXPECT_EQ("goalie_number(right,9)", solve("goalie_number(right, N)"));
  EXPECT_EQ("goalie_number(l,1)", solve("goalie_number(l, N)"));

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
  expectAnswers({{"closest_opponent_to_ball(0, N)", "closest_opponent_to_ball(0,0)",
                  "closest_opponent_to_ball/2 : ball position not valid\n"}});
}

TEST_F(PredicateTest, RegionsCongestionMarkingAndMarkers) {
  // Apex (0, 0), axis to (10, 0), half-width half the way along.
  opponent(2, {5, 2});
  opponent(3, {5, 3});
  opponent(4, {10, 0});
  opponent(5, {0, 0});
  expectAnswers({
      {"num_opponents_in_cone(0.5, 10, 0, 0, 0, N)", "num_opponents_in_cone(0.5,10,0,0,0,1)"},
      {"num_opponents_within(0.0, N)", "num_opponents_within(0.0,1)"},
      {"num_opponents_within(3, 5, 0, N)", "num_opponents_within(3,5,0,2)"},
      {"num_opponents_within(foo, N)", "fail",
       "ERROR: num_opponents_within2/2: float expected for argument 1\n"},
      {"num_opponents_in_cone(wide, 10, 0, 0, 0, N)", "fail",
       "ERROR: num_oppthonents_in_cone/6: float expected for argument 1\n"},
      {"congestion_at_point(x, 0, C)", "fail",
       predtest::NO_X + "congestion_at_point/2 : can\xC2\xB4t get vector\n"},
  });
  // The one at the point itself counts as 1 cm away.
  EXPECT_DOUBLE_EQ(1e4 + 1.0 / 29 + 1.0 / 34 + 0.01, number("congestion_at_point(0, 0, C)", 3));

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
  me({-12.5, 0});
  expectAnswers({{"marker_distance(goal_r, D)", "marker_distance(goal_r,65.0)"},
                 {"marker_distance(goal_x, D)", "fail", "ERROR: invalid marker\n"}});
}
