#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "predharness.h"

// Every foreign predicate on its way to an answer, against the query or
// skill it stands for called directly. The worlds are lopsided on purpose:
// no two predicates of one shape answer alike, no coordinate equals the
// other, and every flag changes the outcome, so that a predicate bound to
// the wrong function, given its arguments in another order or a flag
// turned round answers differently.

namespace {

using vekbase::AngleDeg;
using VA = VekActions;

// Fields of the model that the skill fixture leaves closed.
struct Hidden : UpdateableWMState {
  using WMState::myScore;
  using WMState::mySpeed;
  using WMState::mySpeedDir;
  using WMState::theirScore;
};

class PredicateTable : public predtest::PredicateTest {
protected:
  // The numbers the goal answers in its last arguments.
  void expectQueries(std::initializer_list<std::pair<std::string, std::vector<double>>> rows) {
    for (const auto& q : rows) {
      const std::vector<std::string> a = args(q.first);
      std::vector<double> got;
      for (std::size_t i = a.size() - std::min(a.size(), q.second.size()); i < a.size(); ++i)
        got.push_back(std::strtod(a[i].c_str(), nullptr));
      EXPECT_EQ(q.second, got) << q.first;
    }
  }
  void expectHolds(std::initializer_list<const char*> goals) {
    for (const char* g : goals)
      EXPECT_NE("fail", solve(g)) << g;
  }
  // The command list of the goal against the skill's own command, each
  // computed with the skills' memory fresh.
  void expectSkills(std::initializer_list<std::pair<std::string, SoccerCommand>> rows) {
    for (const auto& s : rows) {
      skilltest::Agent::resetSkillMemory();
      const std::vector<std::string> a = args(s.first);
      EXPECT_EQ(listOf(s.second), a.empty() ? "fail" : a.back()) << s.first;
    }
  }

  // The agent (7 of l) off the centre, turned, moving and tired; 1 : 3.
  void common() {
    cycle(417);
    me({-8, 5}).body(30).neck(-20).vel({0.1, 0.05}).stamina(1220).effort(0.85);
    world.*(&Hidden::mySpeed) = 0.4;
    world.*(&Hidden::mySpeedDir) = AngleDeg(25);
    world.*(&Hidden::myScore) = 1;
    world.*(&Hidden::theirScore) = 3;
    teammate(4, {-20, -8});
    teammate(2, {-48, 1}).goalie();
    world.setOurGoalie(2);
    opponent(3, {2, 9}).body(-60).neck(20).vel({0.2, -0.3}, 0.8);
    opponent(5, {15, -4});
    opponent(11, {50, 2}).goalie();
    world.setOppGoalie(11);
  }
};

} // namespace

TEST_F(PredicateTable, QueriesAnswerWhatTheModelHolds) {
  common();
  WMState::initFlags(l);
  ball({6, -3}).vel({-0.4, 0.9}, 0.1);
  teammate(9, {5.5, -2.6});
  opponent(8, {-6.5, 7}); // 2.5 m from the agent
  opponent(10, {35, 25}); // in the cone, near its far end
  for (Unum n : {1u, 6u})
    opponent(n, {-40.0 - n, 3.0 * n}); // in our penalty area
  world.getTeamMsg().setReceiveTime(vekbase::Timer(411, 0));
  for (int i = 0; i < 2; ++i)
    vekbase::Timer::updateTime(417);
  unsigned short c[2][3];
  world.goalKickSituation(c[0][0], c[0][1], c[0][2]);
  world.goalKickSituation(world.own[9], c[1][0], c[1][1], c[1][2]);
  const Vector2D sp9 = world.getStrategicPosition(9);
  Value dist = 0;
  expectQueries(
      {{"ball_absolute_heading(A)", {std::atan2(0.9, -0.4)}},
       {"ball_distance(D)", {world.getBall().getDist()}},
       {"my_offside_line(X)", {world.getOffsideLine()}},
       {"cycles_since_last_catch(N)", {double(world.cyclesSinceLastCatch())}},
       {"goal_kick_situation(X, Y, Z)", {double(c[0][0]), double(c[0][1]), double(c[0][2])}},
       {"goal_kick_situation(l, 9, X, Y, Z)", {double(c[1][0]), double(c[1][1]), double(c[1][2])}},
       {"goal_kick_success_ratio(1, 2, 3, R)", {agent.goalKickSuccessRatio(1, 2, 3)}},
       {"angle_to_from_body(4, -6, A)", {double(world.angleToFromBody({4, -6}))}},
       {"strategic_position(9, X, Y)", {sp9[0], sp9[1]}},
       {"player_distance_to(r, 3, 4, -6, D)", {std::hypot(2, 15)}},
       {"player_angle_from_body(r, 3, A)", {double(world.angleToFromBody({2, 9}))}},
       {"closest_opponent_to_ball(0, N)", {double(world.getClosestOpponentTo(dist, {6, -3}, 0))}},
       {"congestion_at_point(4, -6, C)", {world.congestionAtPos({4, -6})}},
       {"marker_distance(goal_r, D)", {std::hypot(60.5, 5)}}});
  // The answers known beforehand, given to the goals.
  expectHolds({"ball(6.0, -3.0, -0.4, 0.9)", "my_number(7)", "my_stamina(1220.0)",
               "my_effort(0.85)", "my_speed(0.4)", "my_speed_dir(25.0)", "my_neck_rel_ang(-20.0)",
               "my_score(1)", "their_score(3)", "goal_diff(-2)", "current_cycle(417)",
               "current_cycle(417, 2)", "get_receive_time(411)",
               "player(r, 3, -60.0, 1.0, -40.0, 1.0, 0.0, 0.0, 0, 0)",
               "player_position(r, 3, 2.0, 9.0, 1.0)", "player_velocity(r, 3, 0.2, -0.3, 0.8)",
               "closest_teammate_to(-47, 0.5, 0, 4)", "closest_teammate_to(-47, 0.5, 1, 2)",
               "closest_opponent_to(49, 2, 0, 10)",
               "closest_opponent_to(49, 2, 1, 11)", "fastest_teammate_to_ball(9)",
               "goalie_number(r, 11)", "goalie_number(l, 2)", "num_opponents_within(3, 1)",
               "num_opponents_within(4, 3, 8, 1)", "num_opponents_in_cone(0.5, 40, 20, 20, 20, 1)",
               "num_opponents_in_our_penalty_area(2)", "ball_position_valid", "ball_dir_valid",
               "\\+ ball_velocity_valid", "\\+ ball_kickable", "\\+ ball_catchable", "lock_kick",
               "ball_kickable_for_player(l, 9, 0.1)", "in_our_penalty_area(-40, 10)",
               "player_velocity_valid(r, 3)", "player_dir_valid(r, 3)",
               "line_line_intersection(0, 0, 4, 2, 6, 0, 0, 3, 3.0, 1.5)",
               // The ball's foot lies beyond (3, 7), the nearer end.
               "opponent_path_line_marking_position(3, 7, 4, 3.0, 7.0)",
               "\\+ player_in_offside_position(r, 3)",
               "\\+ opponent_path_line_marking_position(3, 7, 2, X, Y)"});
  // At our goal the goalie's place is the nearest, when it counts.
  ball({-50, 0});
  world.setOurGoalie(1);
  expectHolds({"closest_sb_position_to_ball(0, 3)", "closest_sb_position_to_ball(1, 1)"});
  // The kick noise of the agent's own type, times its side's factor only
  // when the server gives each team its own.
  PT->setNumTypes(3);
  param(PT->TP[2].kick_rand, 0.125);
  me().type(2);
  param(SP->kick_rand_factor_l, 2.0);
  param(SP->kick_rand_factor_r, 4.0);
  expectHolds({"my_kick_rand(0.125)"});
  SP->team_actuator_noise = true;
  expectHolds({"my_kick_rand(0.25)"});
  SP->team_actuator_noise = false;
}

TEST_F(PredicateTable, SkillsAnswerTheSkillsCommands) {
  common();
  ball({-7.8, 5.6}).vel({0.1, -0.05});
  teammate(9, {0, 8});
  opponent(8, {-6, 8});
  expectHolds({"ball_kickable", "\\+ ball_catchable", "\\+ ball_tackleable", "\\+ lock_kick"});
  const PlayerObject &p3 = world.others[3], &p9 = world.own[9];
  const SoccerCommand turn(SoccerCommand::CMD_TURN, AngleDeg(40));
  const SoccerCommand dash(SoccerCommand::CMD_DASH, 60.0);
  Vector2D to, run;
  expectSkills(
      {{"align_neck_with_body(L)", agent.alignNeckWithBody()},
       {"block_path(L)", agent.blockPath()},
       {"catch_ball(L)", agent.catchBall()},
       {"freeze_ball(L)", agent.freezeBall()},
       {"kick_to_tangential_point(L)", agent.kickToTangentialPoint()},
       {"search_ball(L)", agent.searchBall()},
       {"clear_ball(L)", agent.clearBall()},
       {"hold_ball(L)", agent.holdBall()},
       {"look_around(90, 30, L)", agent.lookAround(AngleDeg(90), AngleDeg(30))},
       {"turn_body_to_ball(2, L)", agent.turnBodyToPoint({-7.8, 5.6}, 2)},
       {"turn_body_to_point(4, -6, 2, L)", agent.turnBodyToPoint({4, -6}, 2)},
       {"turn_neck_to_ball([turn, 40], L)", agent.turnNeckToObject(world.getBall(), turn)},
       {"turn_neck_to_player(r, 3, [dash, 60], L)", agent.turnNeckToObject(p3, dash)},
       {"dash_towards_point(4, 12, 0, L)", agent.dashTowardsPoint({4, 12}, false)},
       {"dash_towards_point(4, 12, 1, L)", agent.dashTowardsPoint({4, 12}, true)},
       {"dash_to_position(4, 12, 3.0, 0, 0, L)", agent.dashToPosition({4, 12}, 3.0, false, false)},
       {"dash_to_position(4, 12, 3.0, 0, 1, L)", agent.dashToPosition({4, 12}, 3.0, false, true)},
       {"dash_to_position(4, 12, 3.0, 1, 0, L)", agent.dashToPosition({4, 12}, 3.0, true, false)},
       {"dash_to_position(4, 12, 3.0, 70, L)", agent.dashToPosition({4, 12}, 3.0, 70.0, false)},
       {"dash_to_position_along_line(4, -6, 45, 1.5, -1, 10, 5, L)",
        agent.dashToPositionAlongLine({4, -6}, AngleDeg(45), 1.5, -1, AngleDeg(10), AngleDeg(5))},
       {"move_to_position(4, -6, L)", agent.moveToPosition({4, -6})},
       {"defend_goalline(6, L)", agent.defendGoalLine(6)},
       {"intercept(0, 3.0, L)", agent.intercept(false, 3.0)},
       {"intercept(1, 3.0, L)", agent.intercept(true, 3.0)},
       {"kick_to(55, -40, L)", agent.kick_to(55, AngleDeg(-40))},
       {"kick_precisely(-5, 3, 2, L)", agent.kickPrecisely({-5, 3}, 2)},
       {"kick_ball_close_to_body(45, 0, L)", agent.kickBallCloseToBody(AngleDeg(45), 0.6)},
       {"tackle(80, L)", agent.tackle(80)},
       {"turn_with_ball_to(-70, L)", agent.turnWithBallTo(AngleDeg(-70))},
       {"direct_pass(l, 9, 0, L)", agent.directPass(p9, false)},
       {"direct_pass(l, 9, 1, L)", agent.directPass(p9, true)},
       {"leading_pass(l, 9, 3.0, L)", agent.leadingPass(p9, 3.0)},
       {"through_pass(l, 9, 25, 20, X, Y, 1, L)", agent.throughPass(p9, {25, 20}, run, true)},
       {"outplay_opponent(r, 3, 6, -9, X, Y, L)", agent.outplayOpponent(p3, {6, -9}, to)},
       {"dribble_to_position(1, 20, -10, 80, 0, L)", agent.dribbleToPosition(1, {20, -10}, 80, 0)},
       {"dribble_to_position(1, 20, -10, 80, 1, L)", agent.dribbleToPosition(1, {20, -10}, 80, 1)},
       {"mark_nearest(4.0, L)", agent.markOpponent(agent.selectOpponent(4), 4, VA::MARK_GOAL)},
       {"mark_opponent(r, 5, 2.0, goal, L)", agent.markOpponent(5, 2.0, VA::MARK_GOAL)},
       {"mark_opponent(r, 5, 2.0, xa, L)", agent.markOpponent(5, 2.0, VA::MARK_BALL)},
       {"mark_opponent(r, 5, 2.0, bisector, L)", agent.markOpponent(5, 2.0, VA::MARK_BISECTOR)}});
  // The point the pass aims at, as the skill computed it.
  EXPECT_EQ(run[0], number("through_pass(l, 9, 25, 20, X, Y, 1, L)", 5));
  EXPECT_EQ(run[1], number("through_pass(l, 9, 25, 20, X, Y, 1, L)", 6));
  // Behind the body, out of the kick's way: the kicks' own correction acts.
  ball({-8.82, 5.48});
  expectSkills(
      {{"kick_at_angle(1, 0, -40, 100, L)", agent.kickAtAngle(1, false, AngleDeg(-40), 100)},
       {"kick_at_angle(1, 1, -40, 100, L)", agent.kickAtAngle(1, true, AngleDeg(-40), 100)},
       {"kick_to_point(1, 0, 20, -10, 90, L)", agent.kickToPoint(1, false, {20, -10}, 90)},
       {"kick_to_point(1, 1, 20, -10, 90, L)", agent.kickToPoint(1, true, {20, -10}, 90)}});
}
