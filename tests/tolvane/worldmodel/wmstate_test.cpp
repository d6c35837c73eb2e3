#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "testutil/logcapture.h"
#include "tolvane/wmfullstate.h"
#include "tolvane/wmstate.h"

namespace {

// Reaches the protected state the tests set up or inspect.
struct TestState : WMState {
  using WMState::ball;
  using WMState::myUnum;
  using WMState::mySide;
  using WMState::own;
  using WMState::ownSeeTime;
  using WMState::unknown;
  // The table is built once per process; these tests build it several times.
  static void forgetFlags() {
    allFlags.clear();
    flagsInitialized = false;
  }
};

struct TestFullstate : WMFullstate {
  using WMState::mySide;
};

TEST(WMStateTest, NewStateAndGetMe) {
  TestState s;
  EXPECT_EQ(PlayMode::Before_Kick_Off, s.getPlayMode());
  EXPECT_GE(s.getOwn().capacity(), 12u);
  EXPECT_GE(s.unknown.capacity(), 23u);
  ASSERT_EQ(12u, s.ownSeeTime.size());
  EXPECT_EQ(vekbase::Timer(-1, 0), s.ownSeeTime[11]);
  // No own entry: the queries about the agent read a default player.
  EXPECT_EQ(Vector2D(0.0, 0.0), s.myPosition());

  s.own.assign(12, PlayerObject());
  s.own[0].setUnum(99);
  s.own[7].setUnum(7);
  EXPECT_EQ(99u, s.getMe()->getUnum());
  s.myUnum = 7;
  EXPECT_EQ(7u, s.getMe()->getUnum());
  s.myUnum = 40;  // never read outside the list
  EXPECT_EQ(99u, s.getMe()->getUnum());

  s.myUnum = 7;
  s.own[7].setAbsPos(Vector2D(1.0, 2.0));
  s.own[7].setBodyAngle(30.0);
  EXPECT_EQ(-30.0, double(s.angleToFromBody(s.myPosition())));
  EXPECT_EQ(60.0, double(s.angleToFromBody(Vector2D(1.0, 5.0))));
  s.own[7].setRelativeNeckAngle(20.0);
  s.ball.setDir(-50.0);
  EXPECT_EQ(-30.0, double(s.ballAngleFromBody()));
  s.ball.setAbsVel(Vector2D(0.0, 2.0));
  EXPECT_EQ(60.0, double(s.ballRelativeToBodyHeading()));
  EXPECT_NEAR(1.0, s.ballRelativeToBodyVel()[0], 1e-12);
}

TEST(WMStateTest, GetPlayerGuards) {
  TestFullstate fs;
  fs.init(3, l);
  Vector2D pos(1.0, 2.0), vel(0.0, 0.0);
  fs.setPlayer(l, 7, 0, pos, vel, 0.0, 0.0, 4000.0, 1.0, 1.0, PlayerObject::f);
  Vector2D otherPos(-5.0, 2.0);
  fs.setPlayer(r, 7, 0, otherPos, vel, 0.0, 0.0, 4000.0, 1.0, 1.0, PlayerObject::f);

  PlayerObject p;
  ASSERT_TRUE(fs.getPlayer('l', 7, p));
  EXPECT_EQ(pos, p.getAbsPos());
  fs.mySide = r;
  ASSERT_TRUE(fs.getPlayer('l', 7, p));
  EXPECT_EQ(otherPos, p.getAbsPos());

  PlayerObject untouched;
  untouched.setUnum(42);
  for (char side : {'x', 'u', 'L'}) EXPECT_FALSE(fs.getPlayer(side, 7, untouched));
  for (int n : {0, 12, -1}) EXPECT_FALSE(fs.getPlayer('l', n, untouched));
  EXPECT_EQ(42u, untouched.getUnum());

  // A state without per-number entries answers false instead of reading past its lists.
  TestState empty;
  EXPECT_FALSE(empty.getPlayer('l', 7, untouched));
  EXPECT_EQ(42u, untouched.getUnum());
}

TEST(WMStateTest, FlagTable) {
  testutil::LogCapture capture({1150});

  TestState::forgetFlags();
  TestState s;
  FlagObject none = s.getFlag(FlagObject::Flag_C);
  EXPECT_EQ(FlagObject::No_Flag, none.getId());
  EXPECT_EQ("unknown", none.getName());
  EXPECT_EQ(Vector2D(0.0, 0.0), none.getAbsPos());

  for (Side side : {l, u}) {
    TestState::forgetFlags();
    WMState::initFlags(side);
    ASSERT_EQ(55u, s.getAllFlags().size());
    for (std::size_t i = 0; i < 55; ++i) EXPECT_EQ(int(i), int(s.getAllFlags()[i].getId()));
    EXPECT_EQ(Vector2D(52.5, -34.0), s.getFlag(FlagObject::Flag_RT).getAbsPos());
    EXPECT_EQ(Vector2D(-52.5, 0.0), s.getFlag(FlagObject::Flag_GL).getAbsPos());
    EXPECT_EQ(Vector2D(57.5, 30.0), s.getFlag(FlagObject::Flag_RB30).getAbsPos());
    EXPECT_EQ(Vector2D(-36.0, 20.16), s.getFlag(FlagObject::Flag_PLB).getAbsPos());
  }
  EXPECT_EQ(FlagObject::No_Flag, s.getFlag(FlagObject::No_Flag).getId());
  EXPECT_EQ("", capture.text());

  TestState::forgetFlags();
  WMState::initFlags(r);
  EXPECT_EQ(Vector2D(-52.5, 34.0), s.getFlag(FlagObject::Flag_RT).getAbsPos());
  EXPECT_EQ(Vector2D(52.5, 0.0), s.getFlag(FlagObject::Flag_GL).getAbsPos());
  // Later builds change nothing and log nothing.
  WMState::initFlags(r);
  WMState::initFlags(l);
  EXPECT_EQ(55u, s.getAllFlags().size());
  EXPECT_EQ(Vector2D(-52.5, 34.0), s.getFlag(FlagObject::Flag_RT).getAbsPos());
  EXPECT_EQ("playing right, reversing coordinates\n", capture.text());
}

TEST(WMStateTest, GoalieNumberReplaced) {
  TestState s;
  s.setOurGoalie(5);
  s.setOurGoalie(1);
  EXPECT_TRUE(s.ourGoalieKnown());
  EXPECT_EQ(1u, s.ourGoalieNum());
  EXPECT_FALSE(s.oppGoalieKnown());
}

TEST(WMStateTest, DumpWithoutOwnEntry) {
  TestState s;
  s.mySide = r;
  s.myUnum = 10;
  std::ostringstream os;
  os << s;
  EXPECT_EQ("I am right  10.\n"
            "Ball: Pos = V(0, 0) / Vel = V(0, 0) / Rel = (0, 0)\n"
            "Playmode: ILLEGAL PLAY MODE\n"
            "seen Flags:\n"
            "seen Lines:\n"
            "Armdevice: not pointing anywhere\n"
            "\n"
            "known Teammates:\n"
            " Me: \n"
            "no entry for the agent yet\n",
            os.str());

  s.mySide = static_cast<Side>(3);
  std::ostringstream bad;
  bad << s;
  EXPECT_EQ("I am ILLEGAL SIDE 10.\n", bad.str().substr(0, 22));
}

TEST(WMStateTest, DumpOfFullstate) {
  TestState::forgetFlags();
  WMState::initFlags(l);
  TestFullstate fs;
  fs.init(7, l);
  Vector2D pos(-10.0, 5.5), vel(0.5, 0.0);
  fs.setPlayer(l, 7, 0, pos, vel, 45.0, -30.0, 3500.5, 0.9, 1.0, PlayerObject::f);
  Vector2D bpos(10.5, -3.2), bvel(0.8, 0.1);
  fs.setBall(bpos, bvel);
  fs.setArm(1, 2, 3.5, 45.0);
  fs.getFlags().push_back(fs.getFlag(FlagObject::Flag_C));
  fs.getLines().push_back(LineObject());
  fs.getLines().back().setId(LineObject::Line_T);
  std::ostringstream os;
  os << fs;
  EXPECT_EQ("I am left  7.\n"
            "Ball: Pos = V(10.5, -3.2) / Vel = V(0.8, 0.1) / Rel = (0, 0)\n"
            "Playmode: ILLEGAL PLAY MODE\n"
            "seen Flags:\n"
            "Flag (f c) (id = 0)\n"
            "seen Lines:\n"
            "top\n"
            "Armdevice: pointing to (3.5, 45) for 2 more cycles.\n"
            "arm immobile for 1 cycles.\n"
            "\n"
            "known Teammates:\n"
            " Me: \n"
            "left 7 (type 0) is a fielder.\n"
            "pos  = V(-10, 5.5)\n"
            "Vel  = V(0.5, 0)\n"
            "neck = -30\n"
            "body = 45\n"
            "pointing to 0\n"
            "(s,e,r) = (3500.5, 0.9, 1)\n"
            "\n",
            os.str());
}

} // namespace
