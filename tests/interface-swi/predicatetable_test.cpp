#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <string>
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
  struct Query {
    std::string goal;
    std::vector<double> want;
  };
  void expectQueries(std::initializer_list<Query> rows) {
    for (const Query& q : rows) EXPECT_EQ(q.want, last(q.goal, q.want.size())) << q.goal;
  }
  // Goals that succeed (true) or fail (false) as the model's test does.
  void expectTests(std::initializer_list<std::pair<std::string, bool>> rows) {
    for (const auto& t : rows) EXPECT_EQ(t.second, solve(t.first) != "fail") << t.first;
  }
  // The command list of the goal against the skill's own command, each
  // computed with the skills' memory fresh.
  struct Skill {
    std::string goal;
    std::function<SoccerCommand()> want;
  };
  void expectSkills(std::initializer_list<Skill> rows) {
    for (const Skill& s : rows) {
      skilltest::Agent::resetSkillMemory();
      const std::string want = listOf(s.want());
      skilltest::Agent::resetSkillMemory();
      EXPECT_EQ(want, listOf(s.goal)) << s.goal;
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
  PlayerObject player(char side, int n) {
    PlayerObject p;
    EXPECT_TRUE(world.getPlayer(side, n, p));
    return p;
  }
};

} // namespace

TEST_F(PredicateTable, QueriesAnswerWhatTheModelHolds) {
  common();
  WMState::initFlags(l);
  ball({6, -3}).vel({-0.4, 0.9}, 0.1);
  teammate(9, {5.5, -2.6});
  opponent(8, {-6.5, 7});                                 // 2.5 m from the agent
  opponent(10, {35, 25});                                 // in the cone, near its far end
  for (Unum n : {1u, 6u}) opponent(n, {-40.0 - n, 3.0 * n}); // in our penalty area
  world.getTeamMsg().setReceiveTime(vekbase::Timer(411, 0));
  vekbase::Timer::updateTime(417);
  vekbase::Timer::updateTime(417);
  const PlayerObject p3 = player('r', 3);
  Value dist = 0;
  unsigned short c[2][3];
  world.goalKickSituation(c[0][0], c[0][1], c[0][2]);
  world.goalKickSituation(player('l', 9), c[1][0], c[1][1], c[1][2]);
  const Vector2D cross = vekspace::Line2D({0, 0}, {4, 1}).getIntersection(vekspace::Line2D({1, 5}, {2, -3}));
  const Vector2D sp9 = world.getStrategicPosition(9);
  Vector2D mark;
  ASSERT_TRUE(world.opponentPathLineMarkingPosition(mark, {3, 7}, 4));
  expectQueries({
      {"ball(X, Y, VX, VY)", {6, -3, -0.4, 0.9}},
      {"ball_absolute_heading(A)", {std::atan2(0.9, -0.4)}},
      {"ball_distance(D)", {world.getBall().getDist()}},
      {"my_number(N)", {7}},
      {"my_stamina(E)", {1220}},
      {"my_effort(E)", {0.85}},
      {"my_speed(V)", {0.4}},
      {"my_speed_dir(A)", {25}},
      {"my_neck_rel_ang(A)", {-20}},
      {"my_offside_line(X)", {world.getOffsideLine()}},
      {"cycles_since_last_catch(N)", {double(world.cyclesSinceLastCatch())}},
      {"my_score(G)", {1}},
      {"their_score(G)", {3}},
      {"goal_diff(D)", {-2}},
      {"current_cycle(T)", {417}},
      {"current_cycle(T, S)", {417, 2}},
      {"get_receive_time(T)", {411}},
      {"goal_kick_situation(X, Y, Z)", {double(c[0][0]), double(c[0][1]), double(c[0][2])}},
      {"goal_kick_situation(l, 9, X, Y, Z)", {double(c[1][0]), double(c[1][1]), double(c[1][2])}},
      {"goal_kick_success_ratio(1, 2, 0, R)", {agent.goalKickSuccessRatio(1, 2, 0)}},
      {"angle_to_from_body(4, -6, A)", {double(world.angleToFromBody({4, -6}))}},
      {"line_line_intersection(0, 0, 4, 1, 1, 5, 2, -3, X, Y)", {cross[0], cross[1]}},
      {"strategic_position(9, X, Y)", {sp9[0], sp9[1]}},
      {"player(r, 3, B, BC, N, NC, P, PC, T, K)", {-60, 1, -40, 1, 0, 0, 0, 0}},
      {"player_position(r, 3, X, Y, C)", {2, 9, 1}},
      {"player_velocity(r, 3, VX, VY, C)", {0.2, -0.3, 0.8}},
      {"player_distance_to(r, 3, 4, -6, D)", {p3.getAbsPos().dist({4, -6})}},
      {"player_angle_from_body(r, 3, A)", {double(world.angleToFromBody({2, 9}))}},
      {"closest_teammate_to(-47, 0.5, 0, N)", {4}},
      {"closest_teammate_to(-47, 0.5, 1, N)", {2}},
      {"closest_teammate_to_ball(1, N)", {9}},
      {"closest_opponent_to(49, 2, 0, N)", {10}},
      {"closest_opponent_to(49, 2, 1, N)", {11}},
      {"closest_opponent_to_ball(0, N)", {double(world.getClosestOpponentTo(dist, {6, -3}, false))}},
      {"closest_sb_position_to_ball(1, N)",
       {double(world.getClosestStrategicPositionTo(dist, {6, -3}, true, true))}},
      {"fastest_teammate_to_ball(N)", {9}},
      {"goalie_number(r, N)", {11}},
      {"goalie_number(l, N)", {2}},
      {"congestion_at_point(4, -6, C)", {world.congestionAtPos({4, -6})}},
      {"num_opponents_within(3, N)", {1}},
      {"num_opponents_within(4, 3, 8, N)", {1}},
      {"num_opponents_in_cone(0.5, 40, 20, 20, 20, N)", {1}},
      {"num_opponents_in_our_penalty_area(N)", {2}},
      {"opponent_path_line_marking_position(3, 7, 4, X, Y)", {mark[0], mark[1]}},
      {"marker_distance(goal_r, D)", {std::hypot(60.5, 5)}},
  });
  expectTests({
      {"ball_position_valid", true},
      {"ball_velocity_valid", false},
      {"ball_dir_valid", true},
      {"ball_kickable", false},
      {"ball_kickable_for_player(l, 9, 0.1)", true},
      {"lock_kick", true},
      {"in_our_penalty_area(-40, 10)", true},
      {"player_velocity_valid(r, 3)", true},
      {"player_in_offside_position(r, 3)", false},
  });
}

TEST_F(PredicateTable, SkillsAnswerTheSkillsCommands) {
  common();
  ball({-7.8, 5.6}).vel({0.1, -0.05});
  teammate(9, {0, 8});
  opponent(8, {-6, 8});
  const PlayerObject p3 = player('r', 3), p9 = player('l', 9);
  using VA = VekActions;
  Vector2D to;
  Value t = 0;
  expectSkills({
      {"align_neck_with_body(L)", [&] { return agent.alignNeckWithBody(); }},
      {"block_path(L)", [&] { return agent.blockPath(); }},
      {"catch_ball(L)", [&] { return agent.catchBall(); }},
      {"freeze_ball(L)", [&] { return agent.freezeBall(); }},
      {"kick_to_tangential_point(L)", [&] { return agent.kickToTangentialPoint(); }},
      {"search_ball(L)", [&] { return agent.searchBall(); }},
      {"clear_ball(L)", [&] { return agent.clearBall(); }},
      {"hold_ball(L)", [&] { return agent.holdBall(); }},
      {"change_view(wide, low, L)",
       [&] { return agent.changeView(vekbase::ViewWidth::S_wide, vekbase::ViewQuality::S_low); }},
      {"look_around(90, 30, L)", [&] { return agent.lookAround(AngleDeg(90), AngleDeg(30)); }},
      {"turn_body_to_ball(2, L)", [&] { return agent.turnBodyToPoint({-7.8, 5.6}, 2); }},
      {"turn_body_to_point(4, -6, 2, L)", [&] { return agent.turnBodyToPoint({4, -6}, 2); }},
      {"turn_neck_to_ball([turn, 40], L)",
       [&] { return agent.turnNeckToObject(world.getBall(), SoccerCommand(SoccerCommand::CMD_TURN, AngleDeg(40))); }},
      {"turn_neck_to_player(r, 3, [dash, 60], L)",
       [&] { return agent.turnNeckToObject(p3, SoccerCommand(SoccerCommand::CMD_DASH, 60)); }},
      {"dash_towards_point(4, 12, 0, L)", [&] { return agent.dashTowardsPoint({4, 12}, false); }},
      {"dash_towards_point(4, 12, 1, L)", [&] { return agent.dashTowardsPoint({4, 12}, true); }},
      {"dash_to_position(4, 12, 3.0, 0, 0, L)", [&] { return agent.dashToPosition({4, 12}, 3.0, false, false); }},
      {"dash_to_position(4, 12, 3.0, 0, 1, L)", [&] { return agent.dashToPosition({4, 12}, 3.0, false, true); }},
      {"dash_to_position(4, 12, 3.0, 1, 0, L)", [&] { return agent.dashToPosition({4, 12}, 3.0, true, false); }},
      {"dash_to_position(4, 12, 3.0, 70, L)", [&] { return agent.dashToPosition({4, 12}, 3.0, 70.0, false); }},
      {"dash_to_position_along_line(4, -6, 45, 1.5, -1, 10, 5, L)",
       [&] {
         return agent.dashToPositionAlongLine({4, -6}, AngleDeg(45), 1.5, -1, AngleDeg(10),
                                              AngleDeg(5));
       }},
      {"move_to_position(4, -6, L)", [&] { return agent.moveToPosition({4, -6}); }},
      {"defend_goalline(6, L)", [&] { return agent.defendGoalLine(6); }},
      {"intercept(0, 3.0, L)", [&] { return agent.intercept(false, 3.0); }},
      {"intercept(1, 3.0, L)", [&] { return agent.intercept(true, 3.0); }},
      {"intercept(0, 3.0, X, Y, T, L)", [&] { return agent.intercept(false, 3.0, to, t); }},
      {"kick_to(55, -40, L)", [&] { return agent.kick_to(55, AngleDeg(-40)); }},
      {"kick_precisely(-5, 3, 2, L)", [&] { return agent.kickPrecisely({-5, 3}, 2); }},
      {"kick_ball_close_to_body(45, 0, L)", [&] { return agent.kickBallCloseToBody(AngleDeg(45), 0.6); }},
      {"tackle(80, L)", [&] { return agent.tackle(80); }},
      {"turn_with_ball_to(-70, L)", [&] { return agent.turnWithBallTo(AngleDeg(-70)); }},
      {"direct_pass(l, 9, 0, L)", [&] { return agent.directPass(p9, false); }},
      {"direct_pass(l, 9, 1, L)", [&] { return agent.directPass(p9, true); }},
      {"leading_pass(l, 9, 3.0, L)", [&] { return agent.leadingPass(p9, 3.0); }},
      {"through_pass(l, 9, 25, 20, X, Y, 1, L)", [&] { return agent.throughPass(p9, {25, 20}, to, true); }},
      {"outplay_opponent(r, 3, 6, -9, X, Y, L)", [&] { return agent.outplayOpponent(p3, {6, -9}, to); }},
      {"dribble_to_position(1, 20, -10, 80, 0, L)",
       [&] { return agent.dribbleToPosition(1, {20, -10}, 80, false); }},
      {"dribble_to_position(1, 20, -10, 80, 1, L)",
       [&] { return agent.dribbleToPosition(1, {20, -10}, 80, true); }},
      {"mark_nearest(4.0, L)", [&] { return agent.markOpponent(agent.selectOpponent(4.0), 4.0, VA::MARK_GOAL); }},
      {"mark_opponent(r, 5, 2.0, goal, L)", [&] { return agent.markOpponent(5, 2.0, VA::MARK_GOAL); }},
      {"mark_opponent(r, 5, 2.0, xa, L)", [&] { return agent.markOpponent(5, 2.0, VA::MARK_BALL); }},
      {"mark_opponent(r, 5, 2.0, bisector, L)", [&] { return agent.markOpponent(5, 2.0, VA::MARK_BISECTOR); }},
  });
  // The run's end as the skill computes it.
  agent.throughPass(p9, {25, 20}, to, true);
  EXPECT_EQ(to[0], number("through_pass(l, 9, 25, 20, X, Y, 1, L)", 5));
  EXPECT_EQ(to[1], number("through_pass(l, 9, 25, 20, X, Y, 1, L)", 6));
  // Behind the body, out of the kick's way: the kicks' own correction acts.
  ball({-8.82, 5.48});
  expectSkills({
      {"kick_at_angle(1, 0, -40, 100, L)", [&] { return agent.kickAtAngle(1, false, AngleDeg(-40), 100); }},
      {"kick_at_angle(1, 1, -40, 100, L)", [&] { return agent.kickAtAngle(1, true, AngleDeg(-40), 100); }},
      {"kick_to_point(1, 0, 20, -10, 90, L)", [&] { return agent.kickToPoint(1, false, {20, -10}, 90); }},
      {"kick_to_point(1, 1, 20, -10, 90, L)", [&] { return agent.kickToPoint(1, true, {20, -10}, 90); }},
  });
}
