// The agent program vastel, run by the engine with the real foreign
// predicates against constructed worlds.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "predharness.h"
#include "tolvane/actuator.h"
#include "tolvane/formations/formationparam.h"

namespace {

using Formations::FormationParam;

class VastelTest : public predtest::PredicateTest {
protected:
  VastelTest() {
    static const bool loaded = prove("consult('" TOLVANE_VASTEL_DIR "/vastel.pl')");
    EXPECT_TRUE(loaded);
    // The kick's and the ball's noise as the server sends them.
    param(PT->TP[0].kick_rand, 0.1);
    param(SP->brand, 0.05);
    playMode(PlayMode::Play_On);
    forget();
  }
  ~VastelTest() override { FormationParam::instance()->setFormationType(FormationParam::DEFAULT); }

  // What one decision cycle queues, as the message to the server.
  std::string decide() { return queued("behave_midfielder"); }

  // What the goal queues from an empty queue and a fresh skill memory, or
  // "fail". A goal ending in a body command B has B queued with the neck to
  // the ball (a dribble: looking around); "say, " tells where the ball is.
  std::string queued(std::string goal) {
    if (goal.find("queue") == goal.npos && goal.substr(goal.size() - 2) == "B)")
      goal += goal.rfind("dribble", 0) ? ", queue_with_neck_to_ball(B)" : ", queue_with_look_around(B)";
    if (goal.rfind("say, ", 0) == 0) goal = "say_ball_pos(S), queue_up(S), " + goal.substr(5);
    Actuator::instance()->clearQueue();
    skilltest::Agent::resetSkillMemory();
    return solve(goal) == "fail" ? "fail" : Actuator::instance()->actionString();
  }

  // In each world, staged on an empty field, the goal (a decision cycle
  // unless given) queues what the expected goal does.
  struct Row { std::string world, expected, goal = "behave_midfielder"; };
  void expectDecisions(std::initializer_list<Row> rows) {
    static int when = 1000;  // the race to the ball is judged once a cycle
    for (const Row& row : rows) {
      cycle(++when);
      for (auto* team : {&world.own, &world.others})
        for (PlayerObject& p : *team) p.setAbsPos({0, 0}, 0.0);
      stage(row.world);
      const std::string decision = queued(row.goal);  // first: it may set the formation
      EXPECT_EQ(queued(row.expected), decision) << row.world << ": " << err;
    }
  }

  // Puts the scene's players and ball on the field: "me N X Y BODY" (the
  // agent, number N), "ball X Y", "opp N X Y", "mate N X Y", "stamina S"
  // (which lasts: rows with it come last).
  void stage(const std::string& scene) {
    std::istringstream in(scene);
    std::string what;
    double n = 0, x = 0, y = 0, body = 0;
    while (in >> what) {
      if (what != "ball") in >> n;
      if (what != "stamina") in >> x >> y;
      if (what == "me") in >> body, world.myUnum = Unum(n);
      if (what == "me") teammate(Unum(n), {x, y}), me({x, y}).body(body);
      if (what == "ball") ball({x, y});
      if (what == "opp") opponent(Unum(n), {x, y});
      if (what == "mate") teammate(Unum(n), {x, y});
      if (what == "stamina") me().stamina(n);
    }
  }

  // Nothing remembered of a restart or of the ball.
  static void forget() { prove("forget_taker, retractall(ball_before(_, _, _, _, _)), retractall(mode_before(_))"); }

  // The server's cycle after the queued commands: a kick of a ball within
  // reach accelerates it by the model's kick rate, a turn turns the body, a
  // dash speeds the agent up; then ball and agent move, slow down, next cycle.
  // With `noise` set, the server's noise is drawn from it: the kick's
  // acceleration is moved in a random direction by up to kick_rand x power /
  // 100 x (pos_rate + speed_rate), the ball's velocity in every cycle by up to
  // ball_rand x its speed.
  void serverStep(const std::string& queued) {
    Vector2D pos = world.ball.getAbsPos(), vel = world.ball.getAbsVel();
    const PlayerObject& self = *world.getMe();
    Vector2D myVel = self.getAbsVel();
    double power = 0, dir = 0;
    const Vector2D rel = pos - self.getAbsPos();
    if (std::sscanf(queued.c_str(), "(kick %lf %lf)", &power, &dir) == 2 && withinReach()) {
      const vekbase::AngleDeg ballDir = vekbase::AngleDeg(rel.dir(vekmath::DEG)) - self.getBodyAngle();
      const double dist = std::max(rel.length(), SP->psize + SP->bsize);
      const double accel = power * world.ball.getActualKickPowerRate(ballDir, dist, SP->kmargin);
      Vector2D acc = Vector2D(accel, double(self.getBodyAngle() + vekbase::AngleDeg(dir))).cart(vekmath::DEG);
      if (noise) {
        const double posRate = 0.5 + 0.25 * (std::fabs(double(ballDir)) / 180 + (dist - SP->psize - SP->bsize) / SP->kmargin);
        const double speedRate = 0.5 + 0.5 * vel.length() / (SP->bspeed_max * SP->bdecay);
        acc = acc + noisy(PT->kickRand(self.getPlayerType()) * power / SP->maxp * (posRate + speedRate));
      }
      if (acc.length() > SP->baccel_max) acc.setLength(SP->baccel_max);
      vel = vel + acc;
      if (vel.length() > SP->bspeed_max) vel.setLength(SP->bspeed_max);
    } else if (std::sscanf(queued.c_str(), "(turn %lf)", &dir) == 1) {
      me().body(double(self.getBodyAngle() + vekbase::AngleDeg(dir)));
    } else if (std::sscanf(queued.c_str(), "(dash %lf", &power) == 1) {
      myVel = myVel + polar(power * SP->dprate * self.getEffort(), double(self.getBodyAngle()));
      if (myVel.length() > SP->pspeed_max) myVel.setLength(SP->pspeed_max);
    }
    me(self.getAbsPos() + myVel).vel(myVel * SP->pdecay);
    vel = vel + noisy(SP->brand * vel.length());
    ball(pos + vel).vel(vel * SP->bdecay);
    cycle(++now);
  }
  // A vector of random direction and a length up to `most`, none without noise.
  Vector2D noisy(double most) {
    if (!noise) return {0, 0};
    const double length = std::uniform_real_distribution<double>(0, std::fabs(most))(*noise);
    return polar(length, std::uniform_real_distribution<double>(-180, 180)(*noise));
  }
  std::optional<std::mt19937> noise;
  bool withinReach() const { return world.ball.getAbsPos().dist(world.getMe()->getAbsPos()) < 1.085; }

  // Our restart `mode` played with the model's physics for at most `cycles`
  // cycles, until the taker's kicks take the ball out of its reach (play_on a
  // cycle after the first kick, at our goal kick once the ball leaves our
  // area). The commands, and whether the ball stays in the field as it rolls
  // on until it stops, passes a team-mate (within 1.3 m) or enters their goal.
  std::pair<std::string, bool> playTurn(PlayMode::PlayModeType mode, int cycles) {
    std::string turn;
    bool inField = true;
    playMode(mode);
    for (int i = 0; i < cycles && !taken(turn); ++i) {
      if (mode != PlayMode::My_Goal_Kick && turn.find("(kick") != turn.npos) playMode(PlayMode::Play_On);
      const std::string commands = decide();
      turn += commands;
      // A kick is the taker's touch, remembered while its turn lasts.
      EXPECT_TRUE(commands.find("(kick") == commands.npos || solve("turn_kicked") != "fail") << commands;
      serverStep(commands);
      const Vector2D b = world.ball.getAbsPos();
      inField &= std::fabs(b[0]) <= 52.585 && std::fabs(b[1]) <= 34.085;
      if (mode == PlayMode::My_Goal_Kick && (b[0] > -36 || std::fabs(b[1]) > 20.16)) playMode(PlayMode::Play_On);
    }
    for (Vector2D b = world.ball.getAbsPos(), v = world.ball.getAbsVel(); v.length() > 0.01; v = v * SP->bdecay) {
      v = v + noisy(SP->brand * v.length());
      for (const PlayerObject& p : world.own)
        if (p.getUnum() != 0 && &p != &*world.getMe() &&
            p.getAbsPos().dist(b + v * std::clamp(((p.getAbsPos() - b) * v) / (v * v), 0.0, 1.0)) < 1.3)
          return {turn, inField};
      if ((b = b + v)[0] > 52.5 && std::fabs(b[1]) < 7.01) break;
      inField &= std::fabs(b[0]) <= 52.585 && std::fabs(b[1]) <= 34.085;
    }
    return {turn, inField};
  }
  // The taker has kicked and the ball has left its reach.
  bool taken(const std::string& turn) const { return turn.find("(kick") != turn.npos && !withinReach(); }
  int now = 5000;
};

} // namespace

TEST_F(VastelTest, BeforeKickOffThePlayerTakesItsSetUpPosition) {
  playMode(PlayMode::Before_Kick_Off);
  solve("set_formation_type(setup)");
  const Vector2D home(number("strategic_position(0, X, Y)", 2),
                      number("strategic_position(0, X, Y)", 3));
  me(home + Vector2D(3.0, 0.0));
  EXPECT_EQ(SoccerCommand(SoccerCommand::CMD_MOVE, home[0], home[1]).str(), decide());

  // Within 2 m: face the centre spot, neck along the body.
  me(home + Vector2D(1.5, 0.0)).body(0.0).neck(30.0);
  EXPECT_EQ(queued("turn_body_to_point(0, 0, 1, B), queue_with_neck_along_body(B)"), decide());

  playMode(PlayMode::Their_Kick_Off);
  EXPECT_EQ("", decide());
}

TEST_F(VastelTest, WhatTeamMatesSayIsActedOnWhileFresh) {
  cycle(100);
  me({0, 0}).body(0.0);
  // Without a seen ball a heard one is faced for two cycles. What was heard
  // on a clock that leapt ahead and came back is stale.
  for (int at : {98, 100, 97, 101}) {
    heard("bX 10Y 10Z", at);
    EXPECT_EQ(at >= 98 && at <= 100, decide().substr(0, 12) == "(turn 45.00)") << at;
  }
  heard("bX 10Y 10Z", 97);
  EXPECT_EQ(queued("search_ball(B), queue_with_neck_along_body(B)"), decide());
  // A pass announced for the agent is run to for five.
  ball({-20, 30});
  teammate(9, {-20, 29});  // faster to the ball than the agent
  for (int at : {95, 100, 94, 101}) {
    heard("p7 10Y  0", at);
    EXPECT_EQ(at >= 95 && at <= 100, decide().substr(0, 13) == "(dash 100.00)") << at;
  }
}

// With the ball: shoot, turn with it, pull it round, dribble down the wing
// or at the goal, pass, clear, dribble on or kick it away, whichever comes
// first and can be done.
TEST_F(VastelTest, ActivePlay) {
  expectDecisions({
      // At goal beside their goalkeeper.
      {"me 7 45 0 0 ball 45.5 0 opp 1 50 -3", "kick_to_point(3, 1, 52.5, 6.5, 2.7, B)"},
      {"me 7 40 0 0 ball 40.5 0", "dribble_to_position(1, 52.5, 0.0, 100, 1, B)"},
      {"me 7 0 0 180 ball 0.5 0", "turn_with_ball_to(0.0, B)"},
      {"me 7 35 0 180 ball 35.5 0.1", "kick_ball_close_to_body(-90.0, 1, B)"},
      {"me 7 0 5 0 ball 0.5 5", "dribble_to_position(2, 52.5, 15.0, 100, 1, B)"},
      // Pressed in the way ahead, nobody to pass to.
      {"me 7 5 0 0 ball 5.5 0 opp 11 6.5 -1", "dribble_to_position(1, 52.5, 0.0, 100, 1, B)"},
      {"me 7 -5 20 0 ball -4.5 20 opp 11 -3.5 19", "kick_to_point(3, 1, 30, 29, 0.1, B)"},
  });
}

// Pressed with the ball: a through pass in the attacking third, else a
// direct pass, soft to a free receiver; nobody near it at the distance the
// ball travels while slowing down.
TEST_F(VastelTest, Passing) {
  const std::string deep = " opp 2 45 -20 opp 3 44 20";  // the offside line
  expectDecisions({
      {"me 7 -20 0 0 ball -19.5 0 opp 11 -18.5 -1 mate 9 -10 15", "direct_pass(l, 9, 0, B)"},
      {"me 7 -20 0 0 ball -19.5 0 opp 11 -18.5 -1 mate 9 -17 2 opp 10 -17 4",
       "direct_pass(l, 9, 1, B)"},
      // Too near the side line, too far.
      {"me 7 -20 25 0 ball -19.5 25 opp 11 -18.5 24 mate 9 -10 33.5", "clear_ball(B)"},
      {"me 7 -20 25 0 ball -19.5 25 opp 11 -18.5 24 mate 9 -10 32.5", "direct_pass(l, 9, 0, B)"},
      {"me 7 -30 0 0 ball -29.5 0 opp 11 -28.5 -1 mate 9 0 5.5", "clear_ball(B)"},
      {"me 7 22 5 0 ball 22.5 5 opp 11 23.5 4 mate 9 30 10" + deep,
       "through_pass(l, 9, 50.0, 7.0, _, _, 1, B)"},
      {"me 7 18 5 0 ball 18.5 5 opp 11 19.5 4 mate 9 30 10" + deep, "direct_pass(l, 9, 0, B)"},
      {"me 7 22 5 0 ball 22.5 5 opp 11 23.5 4 mate 9 24 10" + deep, "direct_pass(l, 9, 0, B)"},
      // A through pass to the feet: refused only at our restarts.
      {"me 7 48.36 9.62 165.4 ball 48.23 9.32 mate 2 43.59 11.13", "through_pass(l, 2, 50.0, 7.0, _, _, 1, B)",
       "pass_kick(B)"},
      {"opp 10 29 0", "fail", "drop_test(0, 0, 20, 0, 20)"},
      {"opp 10 30 0", "true", "drop_test(0, 0, 20, 0, 20)"},
  });
}

// Without the ball: go for it when fastest; defenders mark the most
// dangerous opponent near our goal they are the nearest to, goal-side when
// it is at the ball, and keep the defensive formation with the ball deep in
// our half; the others return, never beyond 3 m short of the offside line,
// and only watch the ball when tired.
TEST_F(VastelTest, PassivePlay) {
  const char* back = "say, strategic_position(0, X, Y), dash_or_watch_ball(X, Y)";
  expectDecisions({
      {"me 7 0 0 0 ball 10 0", "say, intercept(0, 0, B)"},
      {"me 7 0 0 0 ball 10 0 mate 9 9 0", back},
      {"me 5 -40 0 0 ball 0 10 mate 9 0 9 opp 10 -45 -5 opp 11 -38 5",
       "say, mark_opponent(r, 11, 4, goal, B)"},
      {"me 5 -40 0 0 ball 0 10 mate 9 0 9 mate 8 -38 6 opp 10 -45 -5 opp 11 -38 5",
       "say, mark_opponent(r, 10, 2, ball, B)"},
      {"me 5 -25 0 0 ball 0 10 mate 9 0 9 opp 11 -14 5", back},
      {"me 5 -25 0 0 ball 0 10 mate 9 0 9 opp 11 -18 5", "say, mark_opponent(r, 11, 4, goal, B)"},
      {"me 6 -40 0 0 ball 0 10 mate 9 0 9 opp 11 -38 5", back},
      {"me 5 0 30 0 ball -21 0 mate 9 -21 1", back, "once(behave_midfielder), formation_type(defensive)"},
      {"me 6 0 30 0 ball -21 0 mate 9 -21 1", back, "once(behave_midfielder), formation_type(default)"},
      {"me 5 0 30 0 ball -19 0 mate 9 -19 1", back, "once(behave_midfielder), formation_type(default)"},
      {"me 7 4 0 0 ball 5 0", "dash_to_position(2.0, 0, 1, 100, B)", "dash_or_watch_ball(7, 0)"},
      {"me 7 0 0 0 stamina 1500 ball 20 0", "dash_to_position(10, 0, 2, 18.75, B)",
       "dash_or_watch_ball(10, 0)"},
      {"me 7 0 0 0 stamina 1499 ball 20 0", "turn_body_to_ball(0, B)", "dash_or_watch_ball(10, 0)"},
  });
}

// The first target of each part of the field, on the agent's side: where
// the agent stands, the target.
TEST_F(VastelTest, KickAwayTargets) {
  for (const char* row : {"-26, 5, -16, 21", "-24, -5, 30, -29", "-1, 5, 30, 29", "1, -9, 25, -29",
                          "14, 11, 45, 25", "16, 5, 45, 25", "24, -5, 45, -25", "26, 20, 35, -21",
                          "26, -22, 35, 11"})
    EXPECT_NE("fail", solve(std::string("[X, Y, TX, TY] = [") + row +
                            "], once(kick_away_target(X, Y, 0.85, TX, TY, _, _, _, roll))")) << row;
}

TEST_F(VastelTest, ReceiverValuesPassDecayAndTies) {
  // Two equally placed receivers: the lower shirt number first, whatever
  // the order of the candidates.
  ball({30, 0});
  teammate(9, {10, 5});
  teammate(4, {10, -5});
  EXPECT_NE("fail", solve("pass_partner(0, 7, [7, 9, 4], (_-4)-[4])"));
  EXPECT_NE("fail", solve("pass_partner(2, 7, [7, 9, 4], (_-4)-_)"));

  teammate(9, {37.5, 0});
  teammate(8, {36.5, 0});
  // Within 16 m 20 lower, in a shooting position another 25 lower.
  EXPECT_EQ(-320.0, number("receiver_preference(9, P)", 2));
  EXPECT_EQ(-273.0, number("receiver_preference(8, P)", 2));

  teammate(2, {-40, 0});
  teammate(6, {0, 0});
  teammate(5, {-20, 0});
  EXPECT_EQ(0.97, number("pass_decay(2, 6, F)", 3));
  EXPECT_EQ(0.5, number("pass_decay(6, 2, F)", 3));   // across the area's front edge
  EXPECT_EQ(0.97, number("pass_decay(6, 5, F)", 3));  // its line crosses, it does not
  EXPECT_EQ(1.0, number("pass_decay(6, 6, F)", 3));
  playMode(PlayMode::My_Goal_Kick);
  EXPECT_EQ(0.0, number("pass_decay(2, 6, F)", 3));
}

TEST_F(VastelTest, Geometry) {
  // A ray of no length makes no angle; rounding past 1 reaches no acos.
  EXPECT_EQ(0.0, number("angle_between_rays(0, 0, 1, 0, A)", 5));
  EXPECT_EQ(0.0, number("angle_between_rays(0.1, 0.5, 0.3, 1.5, A)", 5));
  EXPECT_NEAR(90.0, number("angle_from_three_points(1, 1, 2, 1, 1, 5, A)", 7), 1e-3);
}

// Whoever takes our restart plays the ball with one touch: a pass, a
// clearance or a kick away, as each scene allows. While the server refuses
// our kicks the player at the ball only faces it.
TEST_F(VastelTest, AtOurRestartTheBallIsPlayedWithOneTouch) {
  const std::string away = "me 7 10 5 0 ball 10.5 5 opp 1 50 0 opp 2 40 -20";  // 9 kept onside
  for (PlayMode::PlayModeType mode :
       {PlayMode::My_Kick_Off, PlayMode::My_Free_Kick, PlayMode::My_Kick_In, PlayMode::My_Corner_Kick,
        PlayMode::My_Goal_Kick, PlayMode::Their_Offside, PlayMode::Their_Back_Pass,
        PlayMode::Their_Free_Kick_Fault}) {
    playMode(mode);
    const bool refused = mode >= PlayMode::Their_Offside;
    // At our goal kick the ball's own noise might take the rolls to the first
    // two targets over the side line.
    const char* kickAway = mode == PlayMode::My_Goal_Kick ? "kick_away(roll, 30, -21, B)" : "do_kick_away";
    expectDecisions({{away, refused ? "turn_body_to_ball(0, B)" : kickAway},
                     {away + " mate 9 20 8", refused ? "turn_body_to_ball(0, B)" : "do_pass"},
                     {"me 7 -20 5 0 ball -19.5 5", refused ? "turn_body_to_ball(0, B)" : "clear"}});
  }
  // A full kick of a ball 0.5 m ahead rolls it 43.15 m: out when it ends beyond
  // a line or within the noise (1.735 m) of one, unless their goal takes it
  // (the noise's share 1.31 m within the posts' 6.9) or a team-mate does:
  // within 1 m of its way, less the noise's share there (0.804 m at 20 m),
  // at least 1 m ahead of the ball. A kick of 30 leaves the ball within its
  // noise (0.52 m) of the line, more for a rolling ball.
  const char* kick = "kick_out_of_field([kick, 100, 0])";
  expectDecisions({{"me 7 7.1 20 0 ball 7.6 20", "fail", kick},
                   {"me 7 7.25 20 0 ball 7.75 20", "true", kick},
                   {"me 7 19.5 20 0 ball 20 20", "true", kick},
                   {"me 7 19.5 20 0 ball 20 20 mate 9 40 20.1", "fail", kick},
                   {"me 7 19.5 20 0 ball 20 20 mate 9 40 20.3", "true", kick},
                   {"me 7 19.5 20 0 ball 20 20 mate 9 21.2 20.5", "fail", kick},
                   {"me 7 19.5 20 0 ball 20 20 mate 9 20.8 20.5", "true", kick},
                   {"me 7 19.5 20 0 ball 20 20 mate 9 19.5 20.5", "true", kick},
                   {"me 7 19.5 5 0 ball 20 5", "fail", kick},
                   {"me 7 19.5 6 0 ball 20 6", "true", kick},
                   {"me 7 0 33.4 0 ball 0.5 33.4", "fail", "kick_out_of_field([kick, 30, 0])"},
                   {"me 7 0 33.7 0 ball 0.5 33.7", "true", "kick_out_of_field([kick, 30, 0])"}});
  ball({0.5, 33.4}).vel({-2.82, 0});
  EXPECT_NE("fail", solve("kick_out_of_field([kick, 30, 0])"));
  // At our goal kick no team-mate on the way takes the ball, and its end
  // keeps off a line by the ball's own noise too: a fifth of the way's length
  // more, 8.63 m.
  for (PlayMode::PlayModeType mode : {PlayMode::My_Kick_In, PlayMode::My_Goal_Kick}) {
    playMode(mode);
    const char* atGoalKick = mode == PlayMode::My_Goal_Kick ? "true" : "fail";
    expectDecisions({{"me 7 19.5 20 0 ball 20 20 mate 9 40 20.1", atGoalKick, kick},
                     {"me 7 -47.5 24 0 ball -47 24", atGoalKick, kick},
                     {"me 7 -47.5 23.5 0 ball -47 23.5", "fail", kick}});
  }
}

// From the places of restarts, with the ball in front of, beside and behind
// the taker, its kicks take the ball out of its reach within its turn, none
// of whose commands is a dash, and the ball stays in the field, also when
// the taker faces out of it; then it waits. Our goal kick, from the goal
// area's corner with team-mate 2 in our penalty area and 6 outside, sends
// the ball out of the area, not to 2.
TEST_F(VastelTest, TheTakersTurnTakesTheBallOutOfItsReachWithoutADash) {
  const std::tuple<PlayMode::PlayModeType, Vector2D, double> restarts[] = {
                              {PlayMode::My_Kick_Off, {0, 0}, 0},
                              {PlayMode::My_Kick_In, {-15, -34}, -150},
                              {PlayMode::My_Corner_Kick, {51.5, 33}, 30},
                              {PlayMode::My_Goal_Kick, {-47, 9.16}, 0}};
  for (const auto& [mode, at, body] : restarts)
    for (Vector2D offset : {Vector2D(0.5, 0.0), Vector2D(0.1, 0.8), Vector2D(-0.6, 0.3)}) {
      forget();
      teammate(2, {-40, -3});
      teammate(6, {-10, 20});  // too far for a pass
      offset.rotateCart(vekbase::AngleDeg(body));
      me(at - offset).body(body);
      ball(at);
      const auto [turn, inField] = playTurn(mode, 5);
      EXPECT_FALSE(withinReach()) << turn;
      EXPECT_TRUE(inField) << turn;
      EXPECT_EQ(turn.npos, turn.find("(dash")) << turn;
      decide();
      if (mode != PlayMode::My_Goal_Kick) playMode(PlayMode::Play_On);
      EXPECT_EQ("taker_waits(7)", solve("taker_waits(7)")) << turn;
      // At our goal kick the ball's way on to where it would stop leaves the
      // area and passes 2 by.
      if (mode != PlayMode::My_Goal_Kick) continue;
      const Vector2D from = world.ball.getAbsPos(), way = world.ball.getAbsVel() * (1 / (1 - SP->bdecay)), end = from + way;
      const double along = std::clamp(((Vector2D(-40, -3) - from) * way) / (way * way), 0.0, 1.0);
      EXPECT_TRUE(end[0] > -36 || std::fabs(end[1]) > 20.16) << turn;
      EXPECT_GT(Vector2D(-40, -3).dist(from + way * along), 2.0) << turn;
    }

  // A kick-in, the taker outside the field facing the ball, whose kicks would
  // pull it over the line: once it has kicked in its turn the taker only
  // faces the ball; at a new restart it steps round the ball and kicks.
  forget();
  playMode(PlayMode::My_Kick_In);
  me({1.9, 34.6}).body(-132.5).vel({0, 0});
  ball({1.35, 34.0});
  decide();
  prove("assertz(turn_kicked)");
  EXPECT_EQ(queued("face_ball"), decide());
  forget();
  const auto [turn, inField] = playTurn(PlayMode::My_Kick_In, 30);
  EXPECT_TRUE(taken(turn) && inField) << turn;

  // At our goal kick the ball at rest out of the taker's reach has not
  // been played; the taker who waits does not kick it, but takes our next
  // restart after play.
  forget();
  me({-47.5, 9.16}).body(0.0);
  ball({-47, 9.16});
  decide();
  ball({-45.5, 9.16});
  decide();
  EXPECT_EQ("fail", solve("taker_waits(7)"));
  prove("taker_phase(7, waits)");
  ball({-47, 9.16});
  EXPECT_EQ(std::string::npos, decide().find("(kick"));
  playMode(PlayMode::Play_On);
  decide();
  playMode(PlayMode::My_Goal_Kick);
  cycle(++now);
  EXPECT_EQ(0u, decide().find("(kick")) << "a new restart";
}

// A seeded sweep of our restarts of every kind under the server's noise, the
// taker 0.3 to 0.9 m from the ball at any angle facing anywhere, five
// team-mates and five opponents at random, in every other scene of a kind
// team-mate 2 0.5 to 1 m from the ball: far within the referee's 200 cycles
// the taker's kicks take the ball out of its reach, with no dash after the
// first; the ball leaves the field before a team-mate is within 1.3 m of it
// in under 2 % of the kick-ins and of the corners, never at our goal kick.
// TOLVANE_RESTART_SCENES and TOLVANE_RESTART_SEED sweep more by hand, which
// prints the counts per kind. First two free kicks of longer sweeps (seed 2
// scene 866, seed 3 scene 1786) whose through pass to 2, behind the ball,
// aimed at the taker's own feet.
TEST_F(VastelTest, NoRestartOfOursStalls) {
  const char* stalled[] = {"me 7 34.71 -3.98 -24.9 ball 35.05 -3.95 mate 2 25.48 -3.6",
                           "me 7 48.36 9.62 165.4 ball 48.23 9.32 mate 2 43.59 11.13"};
  const char *scenes = std::getenv("TOLVANE_RESTART_SCENES"), *seed = std::getenv("TOLVANE_RESTART_SEED");
  std::mt19937 random(seed ? unsigned(std::atol(seed)) : 35u);
  auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
  struct Count { int scenes = 0, stalls = 0, dashes = 0, out = 0; } counts[5];
  for (int scene = -2; scene < (scenes ? std::atoi(scenes) : 300); ++scene) {
    PlayMode::PlayModeType mode = PlayMode::My_Free_Kick;
    noise.emplace(random());  // each scene its own, whatever the others' turns drew
    forget();
    for (auto* team : {&world.own, &world.others})
      for (PlayerObject& p : *team)
        if (&p != &*world.getMe()) p = PlayerObject();
    if (scene < 0) {
      stage(stalled[scene + 2]);
      me().vel({0, 0});
    } else {
      mode = std::array{PlayMode::My_Kick_Off, PlayMode::My_Free_Kick, PlayMode::My_Kick_In,
                        PlayMode::My_Corner_Kick, PlayMode::My_Goal_Kick}[scene % 5];
      const double side = random() % 2 ? 1.0 : -1.0, x = uniform(-50, 50), y = uniform(-34, 34);
      const Vector2D at = std::array{Vector2D(0, 0), Vector2D(x, y), Vector2D(x, 34 * side),
                                     Vector2D(51.5, 33 * side), Vector2D(-47, 9.16 * side)}[scene % 5];
      for (int i = 0; i < 10; ++i) {
        Vector2D p;
        do p = Vector2D(uniform(-52.5, 52.5), uniform(-34, 34));
        while (p.dist(at) < 2.0);
        i < 5 ? teammate(Unum(i < 3 ? i + 2 : i + 5), p) : opponent(Unum(i - 3), p);
      }
      if (scene / 5 % 2) teammate(2, at + polar(uniform(0.5, 1.0), uniform(-180, 180)));
      const double distance = uniform(0.3, 0.9), angle = uniform(-180, 180);
      me(at + polar(distance, angle)).body(uniform(-180, 180)).vel({0, 0});
      ball(at);
    }
    const auto [turn, inField] = playTurn(mode, 50);
    Count& count = counts[scene < 0 ? 1 : scene % 5];
    ++count.scenes;
    count.stalls += !taken(turn);
    count.dashes += turn.find("(dash", turn.find("(kick")) != turn.npos;
    count.out += !inField;
    EXPECT_TRUE(taken(turn) && turn.find("(dash", turn.find("(kick")) == turn.npos)
        << "scene " << scene << ", mode " << mode << ": " << turn;
  }
  const char* kinds[] = {"kick-off", "free kick", "kick-in", "corner", "goal kick"};
  for (int kind = 0; kind < 5; ++kind) {
    const Count& c = counts[kind];
    if (scenes) std::printf("%s: %d scenes, %d stalled, %d dashed after the first kick, %d out\n", kinds[kind],
                            c.scenes, c.stalls, c.dashes, c.out);
    EXPECT_TRUE(kind == 4 ? c.out == 0 : kind < 2 || c.out * 50 < c.scenes) << kinds[kind] << ": " << c.out << " out";
  }
}

// Once the ball has left its reach the taker waits: a team-mate or an
// opponent standing within reach of the ball does not release it, nor does
// a change of the ball's velocity that the ball's decay, the taker's own
// reach or an old or unknown velocity explains; a change with another
// player at the ball, then or now, does. A stop of play ends the wait too.
TEST_F(VastelTest, TheTakerWaitsUntilAnotherPlayerPlaysTheBall) {
  me({10, 5}).body(0.0);
  struct Row {
    std::string others;  // "mate N X Y", "opp N X Y"
    Vector2D before, now, vel;  // the ball remembered at 1.2 m a cycle along x
    int cycles;                 // since then
    bool released;
  };
  const Vector2D at(11.5, 5), change(-0.5, 0.3);
  const Row rows[] = {
      {"opp 5 11.5 4.5", at, at, change, 1, true},
      {"mate 9 11.5 6", at, {20, 5}, change, 1, true},
      {"mate 9 20 6", at, {20, 5}, change, 1, true},
      {"mate 9 12.5 5.5", at, at, {1.128 + 0.15, 0}, 1, false},
      {"mate 9 12.5 5.5", at, at, {1.2, 0}, 3, true},
      {"mate 9 12.5 5.5", at, at, change, 4, false},
      {"", at, {10.8, 5}, change, 1, false},
      {"mate 9 12.2 5.5", {11.1, 5}, {11.1, 5}, change, 1, false},  // in the taker's reach
      {"mate 9 12.5 5.5", at, at, {0, 0}, 1, false},                // velocity unknown
      {"mate 9 12.5 5.5", at, at, change, -6000, false},            // remembered in the future
  };
  for (const Row& row : rows) {
    forget();
    prove("assertz(set_piece_taker(7, waits))");
    cycle(++now);
    ball(row.before).vel({1.2, 0});
    decide();
    cycle(now += row.cycles);
    stage(row.others);
    ball(row.now).vel(row.vel, row.vel[0] == 0.0 ? 0.0 : 1.0);
    EXPECT_NE("fail", decide()) << row.cycles;
    EXPECT_EQ(row.released, solve("taker_waits(7)") == "fail") << row.others << " to " << row.now;
    world.own[9] = world.others[5] = PlayerObject();
  }

  // At our restart the lower number leaves the ball to a team-mate at it
  // too, but not to a taker who waits.
  forget();
  playMode(PlayMode::My_Free_Kick);
  teammate(9, {10.9, 5});
  ball({10.5, 5});
  EXPECT_EQ(std::string::npos, decide().find("(kick ")) << "leaves it to 9";
  EXPECT_EQ("set_piece_taker(9,turn)", solve("set_piece_taker(9, turn)"));
  playMode(PlayMode::Play_On);
  prove("taker_phase(9, waits)");
  EXPECT_EQ(0u, decide().find("(kick ")) << "leaves it to 9, who waits";

  playMode(PlayMode::Their_Kick_In);
  decide();
  playMode(PlayMode::Play_On);
  EXPECT_EQ("fail", solve("set_piece_taker(_, _)")) << "a stop of play ends the wait";
}

// After our restart, whoever each believes took it, exactly one of us goes
// for the ball: the team-mate nearest to it, the taker left out. Number 9
// did not see 7 take it and believed 8 was coming to the ball: in play it
// takes the team-mate nearest to the restart's spot for the taker.
TEST_F(VastelTest, AfterOurRestartExactlyOneOfUsGoesForTheBall) {
  const std::pair<Unum, Vector2D> views[] = {{7, {10, 5}}, {9, {15, 5}}, {8, {20, 12}}};
  for (const auto& [number, place] : views) {
    forget();
    world.myUnum = number;
    for (const auto& [other, at] : views) teammate(other, at).vel({0, 0});
    me(place).body(0.0);
    if (number == 9) world.own[7].setAbsPos({10, 5}, 0.0);
    playMode(PlayMode::My_Free_Kick);
    cycle(++now);
    ball({10.5, 5});
    decide();
    teammate(7, {10, 5});
    playMode(PlayMode::Play_On);
    cycle(++now);
    ball({12, 5}).vel({0.3, 0.0});
    trace.clear();
    decide();
    EXPECT_EQ(number == 9, trace.has("VekActions::intercept(")) << number;
  }

  // Taking the team-mate nearest to the spot for the taker, 8 leaves itself
  // out, even standing on the spot.
  prove("forget_taker, assertz(restart_spot(20, 12))");
  EXPECT_EQ("seen_taker(8,coming,9)", solve("seen_taker(8, coming, T)"));
}

