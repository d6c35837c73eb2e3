#include <gtest/gtest.h>

#include "testutil/logcapture.h"
#include "tolvane/clientparam.h"
#include "tolvane/wmfullstate.h"
#include "tolvane/wmsensedstate.h"

namespace {

struct TestSensed : WMSensedState {
  using WMState::allFlags;
  using WMState::arm;
  static void forgetFlags() {
    allFlags.clear();
    flagsInitialized = false;
  }
};

using testutil::LogCapture;

class WMSensedStateTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestSensed::forgetFlags();
    s.initWM(7, l);
  }
  void TearDown() override { ClientParam::instance()->goalie_connect = false; }
  TestSensed s;
  LogCapture log{1120};
};

TEST_F(WMSensedStateTest, InitWM) {
  EXPECT_EQ(PlayerObject::f, s.getMe()->getGoalieP());
  EXPECT_FALSE(s.ourGoalieKnown());

  TestSensed::forgetFlags();
  ClientParam::instance()->goalie_connect = true;
  TestSensed g;
  g.initWM(1, r);
  EXPECT_EQ(l, g.getTheirSide());
  EXPECT_EQ(PlayerObject::t, g.getMe()->getGoalieP());
  EXPECT_EQ(1u, g.ourGoalieNum());
  EXPECT_EQ(Vector2D(-52.5, 34.0), g.getFlag(FlagObject::Flag_RT).getAbsPos());
  // A reconnect reply renews the agent's own entry in place.
  g.initWM(4, r);
  ASSERT_EQ(1u, g.getOwn().size());
  EXPECT_EQ(4u, g.getMe()->getUnum());

  TestSensed bad;
  bad.initWM(12, l);
  EXPECT_EQ(0u, bad.getMyNumber());
  EXPECT_EQ(0u, bad.getMe()->getUnum());
}

TEST_F(WMSensedStateTest, ClearDataKeepsWhatItMust) {
  s.setScores(2, 1);
  s.setPlayMode("play_on");
  s.setViewMode(vekbase::ViewQuality::S_low, vekbase::ViewWidth::S_wide);
  s.setArm(5, 20, 12.5, -30.0);
  s.setStamina(3000.0);
  for (Unum n : {2u, 3u}) s.seePlayer(l, n, 10.0);
  s.seeFlag(FlagObject::Flag_C, 10.0, 5.0);
  s.seeLine(LineObject::Line_T, 10.0, 5.0);

  // The parser's tests see the sightings of players and the ball go.
  s.clearData();
  ASSERT_EQ(1u, s.getOwn().size());
  EXPECT_EQ(3000.0, s.getMe()->getStamina());
  EXPECT_TRUE(s.getFlags().empty() && s.getLines().empty());
  EXPECT_EQ(1, s.getTheirScore());
  EXPECT_EQ(PlayMode::Play_On, s.getPlayMode());
  EXPECT_EQ(vekbase::ViewWidth::S_wide, s.getViewWidth()());
  // The arm block's movable count is the immobile time, expires the pointing time.
  EXPECT_EQ(5, s.arm.getImmobileDuration());
  EXPECT_EQ(20, s.arm.getPointDuration());

  TestSensed fresh;
  fresh.setStamina(100.0);  // no entry to write yet: nothing happens
  fresh.clearData();
  EXPECT_EQ(1u, fresh.getOwn().size());
}

TEST_F(WMSensedStateTest, SeenPlayersGoWhereTheyBelong) {
  s.seePlayer(l, 3, 10.0);
  s.seePlayer(r, 3, 10.0);
  s.seePlayer(l, 20.0, 5.0, true);
  // The seen head direction is relative to the observer's view, so any
  // direction: one facing the agent is kept whole, for the merge to turn into
  // a neck angle.
  s.seePlayer(r, 1, 20.0, 15.0, 0.1, 0.2, 170.0, 180.0, PlayerObject::t, false);
  ASSERT_EQ(2u, s.getOwn().size());
  EXPECT_EQ(3u, s.getOwn(1).getUnum());
  ASSERT_EQ(2u, s.getOthers().size());
  EXPECT_EQ(180.0, double(s.getOthers(1).getRelativeNeckAngle()));
  EXPECT_EQ(1u, s.oppGoalieNum());
  ASSERT_EQ(1u, s.getUnknown().size());
  EXPECT_EQ(l, s.getUnknown(0).getTeam());

  // A number no shirt carries: kept as an unidentified player, no goalie recorded.
  s.seePlayer(l, 12, 1.0, 2.0, 0.0, 0.0, 0.0, 0.0, 10.0, PlayerObject::t, false);
  EXPECT_EQ(2u, s.getOwn().size());
  ASSERT_EQ(2u, s.getUnknown().size());
  EXPECT_EQ(0u, s.getUnknown(1).getUnum());
  EXPECT_EQ(l, s.getUnknown(1).getTeam());
  EXPECT_FALSE(s.ourGoalieKnown());
}

TEST_F(WMSensedStateTest, SeenFlags) {
  s.seeFlag(FlagObject::Flag_GR, 30.0);
  EXPECT_EQ(Vector2D(52.5, 0.0), s.getFlag(0).getAbsPos());
  EXPECT_EQ(0.0, s.getAllFlags()[FlagObject::Flag_GR].getDirConf()());  // the table stays

  // A table entry with another id is reported and stored under the requested id.
  s.allFlags[FlagObject::Flag_CT].setId(FlagObject::Flag_C);
  s.seeFlag(FlagObject::Flag_CT, 12.0, 0.0);
  EXPECT_EQ(FlagObject::Flag_CT, s.getFlag(1).getId());
  // An id the table does not hold is dropped.
  s.seeFlag(FlagObject::No_Flag, 1.0, 0.0);
  s.seeFlag(FlagObject::No_Flag, 0.0);
  EXPECT_EQ(2u, s.getFlags().size());

  // The nearest to the front; one seen without distance counts as nearest.
  s.clearData();
  s.putNearestFlagToFront();
  for (double d : {30.0, 12.5, 12.5, 40.0})
    s.seeFlag(FlagObject::FlagId(s.getFlags().size()), d, 0.0);
  s.putNearestFlagToFront();
  EXPECT_EQ(FlagObject::Flag_CT, s.getFlag(0).getId());
  EXPECT_EQ(FlagObject::Flag_C, s.getFlag(1).getId());
  EXPECT_EQ(FlagObject::Flag_CB, s.getFlag(2).getId());
  s.seeFlag(FlagObject::Flag_RB, 5.0);
  s.putNearestFlagToFront();
  EXPECT_EQ(FlagObject::Flag_RB, s.getFlag(0).getId());
}

TEST_F(WMSensedStateTest, FullstatePlayersOutOfRangeAreDropped) {
  WMFullstate fs;
  fs.init(7, l);
  Vector2D pos(3.0, 4.0), vel(0.1, 0.0);
  for (Unum n : {12u, 0u})
    fs.setPlayer(l, n, 0, pos, vel, 0.0, 0.0, 3000.0, 0.9, 0.8, PlayerObject::f);
  EXPECT_EQ(0u, fs.getOwn(0).getUnum());
  EXPECT_EQ(12u, fs.getOwn().size());
}

} // namespace
