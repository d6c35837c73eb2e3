#include <gtest/gtest.h>

#include "tolvane/clientparam.h"
#include "uwmtest_util.h"

namespace {

class WMStateLogTest : public ::testing::Test {
protected:
  void SetUp() override {
    Probe::flagsFor(l);
    sensed.initWM(7, l);
    sensed.clearData();
    m.includeSensed(sensed);
  }
  void TearDown() override {
    ClientParam::instance()->log_level = 100;
    ClientParam::instance()->log_wm = true;
    vomar::Forwarder::instance(8192)->setMaxLogLevel(700);
  }
  WMSensedState sensed;
  Probe m;
};

TEST_F(WMStateLogTest, KnowledgeAndSights) {
  m.self().setAbsPos(Vector2D(1.0, 2.0), 1.0);
  m.self().setBodyAngle(vekbase::AngleDeg(30.0));
  m.self().setRelativeNeckAngle(vekbase::AngleDeg(-10.0));
  m.self().setAbsVel(Vector2D(0.5, 0.0));
  m.ball.setAbsPos(Vector2D(3.0, 4.0), 1.0);
  m.own[3].setAbsPos(Vector2D(0.0, 0.0), 1.0);
  m.others[11].setAbsPos(Vector2D(0.0, 0.0), 1.0);
  LogCapture log({1150});
  m.logKnowledge();
  EXPECT_EQ(0u, log.text().find("View Mode: normal  Play Mode: "));
  EXPECT_TRUE(log.has("\nMy Pos: V(1, 2) angle: 30 rel_neck: -10 vel: V(0.5, 0) conf: 1 "
                      "energy: (s:4000,r:1,e:1)\n"
                      "Ball Pos: V(3, 4) conf: 1 vel: (?, ?)\n"
                      "Player pos known: team: __3___7____\topp: __________B\n"
                      "last TeamMsg at 0.0 - from no. 0 (dir: 0) was \n"
                      "last OppMsg at 0.0 - from dir 0 was \n"));

  vekbase::Timer::updateTime(42);
  sensed.seePlayer(l, 3, vekbase::AngleDeg(5.0));
  sensed.seePlayer(l, 10, vekbase::AngleDeg(-5.0));
  sensed.seeBall(vekbase::AngleDeg(0.0));
  LogCapture sight({1150});
  sensed.logSights();
  EXPECT_EQ("", sight.text());  // no sight in this cycle
  sensed.setCurrentSight();
  sensed.logSights();
  EXPECT_EQ("Sight at 42.0 -: B_ team: __3___7__A_\topp: ___________\n", sight.text());
  ClientParam::instance()->log_level = 99;
  sensed.logSights();
  m.logKnowledge();
  EXPECT_EQ("Sight at 42.0 -: B_ team: __3___7__A_\topp: ___________\n", sight.text());
}

TEST_F(WMStateLogTest, DrawingMirrorsForTheRightSide) {
  m.self().setAbsPos(Vector2D(10.0, -5.0), 1.0);  // the agent, 7, a fielder
  m.self().setAbsVel(Vector2D(0.5, 0.0), 1.0);
  m.others[2].setGoalieP(PlayerObject::t);
  m.others[2].setUnum(2);
  m.others[2].setAbsPos(Vector2D(-30.0, 0.5), 1.0);
  m.ball.setAbsVel(Vector2D(0.0, 0.0), 1.0);  // position not trusted
  {
    LogCapture log({1150, 1151});
    m.logWM();
    EXPECT_EQ("Drawing world model\n-_2D_ CIRCLE col=ffcc00 (10,5,2);\n"
              "-_2D_ STRING  (10,4,\"F_7\");\n-_2D_ LINE col=ffcc00 (10,5,12.5,5);\n"
              "-_2D_ LINE col=ff00ff (0,-0,0,-0);\n",
              log.text());
    LogCapture opp({1152});
    m.logWM();
    EXPECT_EQ("-_2D_ CIRCLE col=ff0000 (-30,-0.5,2);\n-_2D_ STRING  (-30,-1.5,\"G_2\");\n",
              opp.text());
  }
  m.mySide = r;
  {
    LogCapture log({1151});
    m.logWM();
    EXPECT_EQ("-_2D_ CIRCLE col=ffcc00 (-10,-5,2);\n-_2D_ STRING  (-10,-4,\"F_7\");\n"
              "-_2D_ LINE col=ffcc00 (-10,-5,-12.5,-5);\n",
              log.text());
    LogCapture col({1150});
    m.logWMWithCol("123456");  // stored coordinates, no labels, one zone
    EXPECT_EQ("-Drawing world model with color 123456\n-_2D_ CIRCLE col=123456 (10,5,2);\n"
              "-_2D_ LINE col=123456 (10,5,12.5,5);\n-_2D_ CIRCLE col=123456 (-30,-0.5,2);\n"
              "-_2D_ LINE col=123456 (0,-0,0,-0);\n",
              col.text());
  }
  LogCapture log({1150, 1151});
  ClientParam::instance()->log_wm = false;
  m.logWM();
  EXPECT_EQ("", log.text());
  ClientParam::instance()->log_wm = true;
  vomar::Forwarder::instance(8192)->setMaxLogLevel(5);  // admits 50, not 60
  m.logWM();
  m.logWMWithCol("123456");
  EXPECT_EQ("Drawing world model\n", log.text());
}

} // namespace
