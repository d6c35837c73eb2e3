#include <gtest/gtest.h>

#include <set>
#include <string>

#include "predharness.h"
#include "tolvane/formations/formationparam.h"

using predtest::PredicateTest;

namespace {

const char* const modeTests[] = {
    "is_before_kick_off", "is_kick_off_us",        "is_kick_off_them",        "is_kick_in_us",
    "is_kick_in_them",    "is_corner_kick_us",     "is_corner_kick_them",     "is_goal_kick_us",
    "is_goal_kick_them",  "is_free_kick_us",       "is_free_kick_them",       "is_offside_us",
    "is_offside_them",    "is_free_kick_fault_us", "is_free_kick_fault_them", "is_back_pass_us",
    "is_back_pass_them",  "is_dead_ball_us",       "is_dead_ball_them",       "their_dead_ball"};

} // namespace

TEST_F(PredicateTest, PlayModeTestsAndNames) {
  struct Case {
    PlayMode::PlayModeType mode;
    std::set<std::string> succeeding;
    const char* name;
  };
  const Case cases[] = {
      {PlayMode::Play_On, {}, "play_mode(play_on)"},
      // Goal kicks are no dead balls.
      {PlayMode::Their_Goal_Kick, {"is_goal_kick_them"}, "play_mode(their_goal_kick)"},
      {PlayMode::Their_Kick_Off,
       {"is_kick_off_them", "is_dead_ball_them", "their_dead_ball"},
       "play_mode(their_kick_off)"},
      {PlayMode::My_Kick_In, {"is_kick_in_us", "is_dead_ball_us"}, "play_mode(my_kick_in)"},
      {PlayMode::My_Free_Kick_Fault, {"is_free_kick_fault_us"}, "play_mode(my_free_kick_fault)"},
      // Modes past the named ones answer the empty atom.
      {PlayMode::My_Back_Pass, {"is_back_pass_us"}, "play_mode('')"},
      {PlayMode::My_Penalty_Setup, {}, "play_mode('')"},
  };
  for (const Case& c : cases) {
    playMode(c.mode);
    std::set<std::string> succeeding;
    for (const char* test : modeTests)
      if (solve(test) != "fail") succeeding.insert(test);
    EXPECT_EQ(c.succeeding, succeeding) << c.name;
    EXPECT_EQ(c.name, solve("play_mode(M)"));
  }
}

TEST_F(PredicateTest, LockKickGivesWayToHigherNumbersAndTheKeeper) {
  ball({5, 0});
  EXPECT_EQ("fail", solve("lock_kick"));
  teammate(3, {5, 0.5});
  EXPECT_EQ("fail", solve("lock_kick"));
  teammate(9, {5, -0.5});
  EXPECT_EQ("lock_kick", solve("lock_kick"));
  teammate(9, {5, -0.5}).at({5, -0.5}, 0.0);
  teammate(1, {5.5, 0});
  EXPECT_EQ("lock_kick", solve("lock_kick"));
}

TEST_F(PredicateTest, LogActionWritesAtItsLevelOrNotAtAll) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  const unsigned short max = log->maxLogLevel();
  log->setMaxLogLevel(10);
  testutil::LogCapture zone({1900});
  // Level 60 sits at indentation 10, 100 above the maximum; only the low
  // 16 bits count.
  EXPECT_EQ("log_action(60,hello)", solve("log_action(60, hello)"));
  EXPECT_EQ("log_action(100,quiet)", solve("log_action(100, quiet)"));
  EXPECT_EQ("log_action(65636,quiet)", solve("log_action(65636, quiet)"));
  EXPECT_EQ("-hello\n", zone.text());
  log->setMaxLogLevel(max);

  EXPECT_EQ("fail", solve("log_action(x, hello)"));
  EXPECT_EQ("ERROR: log_action/2: integer expected for argument 1\n", err);
  EXPECT_EQ("fail", solve("log_action(1, \"text\")"));
  EXPECT_EQ(0u, err.find("log_action/2 : can't get msg "));
}

TEST_F(PredicateTest, FormationTypeRoundTripsThroughItsAtom) {
  using F = Formations::FormationParam;
  const F::FormationT before = F::instance()->getFormationType();
  for (const char* type : {"attacking", "defensive", "setup", "default"}) {
    EXPECT_NE("fail", solve(std::string("set_formation_type(") + type + ")"));
    EXPECT_EQ(std::string("formation_type(") + type + ")", solve("formation_type(T)"));
  }
  EXPECT_EQ(F::DEFAULT, F::instance()->getFormationType());
  EXPECT_EQ("fail", solve("set_formation_type(offensive)"));
  EXPECT_EQ("set_formation_type/1 : can't get formation\n", err);
  EXPECT_EQ(F::DEFAULT, F::instance()->getFormationType());
  F::instance()->setFormationType(F::NONE);
  EXPECT_EQ("fail", solve("formation_type(T)"));
  F::instance()->setFormationType(before);

  EXPECT_EQ("interface(tolvane)", solve("interface(N)"));
  EXPECT_EQ("fail", solve("interface(other)"));
}
