#include <gtest/gtest.h>

#include <string>

#include "tests/tolvane/driver/driver_util.h"

namespace {

struct RefereePlayer : TestPlayer {
  explicit RefereePlayer(const std::string& init) { parse(init); }
  std::string hear(const std::string& word) {
    parse("(hear 100 referee " + word + ")");
    return std::to_string(WMS.getMyScore()) + ":" + std::to_string(WMS.getTheirScore());
  }
};

} // namespace

TEST(Referee, GoalsForBothSidesAndTheUndeterminedSide) {
  RefereePlayer left("(init l 5 play_on)");
  EXPECT_EQ("1:0", left.hear("goal_l_1"));
  EXPECT_EQ(PlayMode::Before_Kick_Off, left.WMS.getPlayMode());
  EXPECT_EQ("1:1", left.hear("goal_r_1"));
  EXPECT_EQ("1:1", left.hear("goal_kick_l"));
  EXPECT_EQ(PlayMode::My_Goal_Kick, left.WMS.getPlayMode());

  RefereePlayer right("(init r 5 play_on)");
  EXPECT_EQ("0:1", right.hear("goal_l_1"));
  EXPECT_EQ("1:1", right.hear("goal_r_1"));

  // Without a side a goal kick's k, or any letter, scores for nobody.
  RefereePlayer unknown("(init x 4 play_on)");
  ASSERT_EQ(u, unknown.WMS.getMySide());
  EXPECT_EQ("0:0", unknown.hear("goal_kick_l"));
  EXPECT_EQ("0:0", unknown.hear("goal_l_1"));
  EXPECT_EQ("0:0", unknown.hear("goal_"));
}

TEST(Referee, GoalieFreeKickPenaltiesAndFaults) {
  RefereePlayer p("(init l 1 play_on)");
  p.hear("goalie_catch_ball_l");
  p.hear("free_kick_r");
  EXPECT_EQ(PlayMode::My_Goalie_Free_Kick, p.WMS.getPlayMode());
  p.hear("goalie_catch_ball_r");
  p.hear("free_kick_l");
  EXPECT_EQ(PlayMode::Their_Goalie_Free_Kick, p.WMS.getPlayMode());
  p.hear("play_on");
  p.hear("free_kick_l");
  EXPECT_EQ(PlayMode::My_Free_Kick, p.WMS.getPlayMode());

  RefereePlayer q("(init r 1 play_on)");
  EXPECT_EQ("1:0", q.hear("penalty_score_r"));
  EXPECT_EQ(PlayMode::My_Penalty_Score, q.WMS.getPlayMode());
  EXPECT_EQ("1:1", q.hear("penalty_score_l"));
  q.hear("penalty_onfield_l");
  EXPECT_EQ(l, q.WMS.getPenaltyKickSide());
  EXPECT_EQ(PlayMode::Penalty_Onfield, q.WMS.getPlayMode());
  EXPECT_EQ("1:1", q.hear("penalty_score"));
  q.hear("penalty_onfield");
  EXPECT_EQ(l, q.WMS.getPenaltyKickSide());

  q.parse("(hear 7 referee goal_r_1");
  EXPECT_EQ("1:1", q.hear("penalty_onfield"));

  // The recorded referee texts: half_time and time_up name no mode.
  RefereePlayer rec("(init l 2 before_kick_off)");
  for (const std::string& line : recording("server-v8-referee.txt")) {
    rec.parse(line);
    if (line == "(hear 50 referee kick_off_r)") {
      EXPECT_EQ(PlayMode::Their_Kick_Off, rec.WMS.getPlayMode());
    } else if (line == "(hear 30 referee half_time)") {
      EXPECT_EQ(PlayMode::Time_Over, rec.WMS.getPlayMode());
    }
  }
  EXPECT_EQ(PlayMode::Time_Over, rec.WMS.getPlayMode());
  EXPECT_EQ("0:0", rec.hear("half_time"));
}
