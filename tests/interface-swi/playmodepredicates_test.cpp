#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "predharness.h"
#include "tolvane/formations/formationparam.h"

TEST_F(PredicateTest, PlayModeTestsSucceedInTheirModesOnly) {
  using P = PlayMode;
  // Goal kicks, goalie free kicks, offsides and faults are no dead balls.
  const std::set<P::PlayModeType> deadUs = {P::My_Free_Kick, P::My_Kick_In, P::My_Corner_Kick,
                                            P::My_Kick_Off};
  const std::set<P::PlayModeType> deadThem = {P::Their_Free_Kick, P::Their_Kick_In,
                                              P::Their_Corner_Kick, P::Their_Kick_Off};
  const std::map<std::string, std::set<P::PlayModeType>> modesOf = {
      {"is_before_kick_off", {P::Before_Kick_Off}},
      {"is_kick_off_us", {P::My_Kick_Off}},         {"is_kick_off_them", {P::Their_Kick_Off}},
      {"is_kick_in_us", {P::My_Kick_In}},           {"is_kick_in_them", {P::Their_Kick_In}},
      {"is_corner_kick_us", {P::My_Corner_Kick}},   {"is_corner_kick_them", {P::Their_Corner_Kick}},
      {"is_goal_kick_us", {P::My_Goal_Kick}},       {"is_goal_kick_them", {P::Their_Goal_Kick}},
      {"is_free_kick_us", {P::My_Free_Kick}},       {"is_free_kick_them", {P::Their_Free_Kick}},
      {"is_offside_us", {P::My_Offside}},           {"is_offside_them", {P::Their_Offside}},
      {"is_back_pass_us", {P::My_Back_Pass}},       {"is_back_pass_them", {P::Their_Back_Pass}},
      {"is_free_kick_fault_us", {P::My_Free_Kick_Fault}},
      {"is_free_kick_fault_them", {P::Their_Free_Kick_Fault}},
      {"is_dead_ball_us", deadUs},                  {"is_dead_ball_them", deadThem},
      {"their_dead_ball", deadThem}};
  for (int m = P::No_Mode; m <= P::Penalty_Draw; ++m) {
    playMode(P::PlayModeType(m));
    for (const auto& t : modesOf)
      EXPECT_EQ(t.second.count(P::PlayModeType(m)) == 1, solve(t.first) != "fail")
          << t.first << " in mode " << m;
  }
  // The last named mode, then the modes without a name: the empty atom.
  const std::pair<P::PlayModeType, const char*> names[] = {
      {P::Play_On, "play_mode(play_on)"},
      {P::Their_Free_Kick_Fault, "play_mode(their_free_kick_fault)"},
      {P::My_Back_Pass, "play_mode('')"},
      {P::My_Penalty_Setup, "play_mode('')"}};
  for (const auto& n : names) {
    playMode(n.first);
    EXPECT_EQ(n.second, solve("play_mode(M)"));
  }
}

TEST_F(PredicateTest, LogActionWritesAtItsLevelOrNotAtAll) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  const unsigned short max = log->maxLogLevel();
  log->setMaxLogLevel(10);
  testutil::LogCapture zone({1900});
  // Level 60 sits at indentation 10, 100 above the maximum; only the low
  // 16 bits count (65596 is 60). A suppressed line still succeeds.
  expectAnswers({{"log_action(60, hello)", "log_action(60,hello)"},
                 {"log_action(100, quiet)", "log_action(100,quiet)"},
                 {"log_action(65596, again)", "log_action(65596,again)"},
                 {"log_action(x, hello)", "fail", true}});
  EXPECT_EQ("-hello\n-again\n", zone.text());
  log->setMaxLogLevel(max);
  expectRefused({"log_action(1, \"text\")"});
}

TEST_F(PredicateTest, FormationTypeRoundTripsThroughItsAtom) {
  using F = Formations::FormationParam;
  const F::FormationT before = F::instance()->getFormationType();
  for (const char* type : {"attacking", "defensive", "setup", "default"}) {
    EXPECT_NE("fail", solve(std::string("set_formation_type(") + type + ")"));
    EXPECT_EQ(std::string("formation_type(") + type + ")", solve("formation_type(T)"));
  }
  expectAnswers({{"set_formation_type(offensive)", "fail", true},
                 {"formation_type(T)", "formation_type(default)"},
                 {"interface(N)", "interface(tolvane)"}});
  F::instance()->setFormationType(F::NONE);
  EXPECT_EQ("fail", solve("formation_type(T)"));
  F::instance()->setFormationType(before);
}
