#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "testutil/fullstatetruth.h"
#include "tests/tolvane/driver/driver_util.h"
#include "tolvane/actuator.h"
#include "tolvane/playertypeparam.h"

namespace {

struct FullstatePlayer : TestPlayer {
  FullstatePlayer() {
    PlayertypeParam::instance(1)->setNumTypes(8);
    parse("(init l 2 play_on)");
  }
  using VekPlayer::logFullstate;
};

const std::string EXAMPLE =
    "(fullstate 37 (pmode play_on) (vmode high normal) (count 3 10 5 0 1 4 2 0) "
    "(arm (movable 0) (expires 0) (target 0 0) (count 0)) (score 1 0) ((b) 10.5 -3.2 0.8 0.1) "
    "((p l 1 g) -50 0 0 0 0 0 (stamina 4000 1 1)) "
    "((p l 2 3) -10.2 5.5 0.3 -0.1 45 -30 (stamina 3500.5 0.9 1)) "
    "((p r 1 0) 46.1226 -0.302877 0 0 180 0 (stamina 8000 1 1)))";

std::string with(const std::string& part, const std::string& by) {
  std::string msg = EXAMPLE;
  return msg.replace(msg.find(part), part.size(), by);
}

std::vector<int> counts() {
  std::vector<int> c(11);
  Actuator::instance()->getCounts(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9],
                                  c[10]);
  return c;
}

} // namespace

TEST(Fullstate, ExampleMessageAndTheTrueStateLines) {
  FullstatePlayer p;
  vekbase::Timer::updateTime(5);
  LogCapture log(testutil::ZoneRange{1215, 1220});
  EXPECT_EQ(VekPlayer::FullstateMsg, p.parse(EXAMPLE));
  EXPECT_EQ(0, log.count("expected"));
  EXPECT_EQ(vekbase::Timer(5, 0), vekbase::Timer::currentTime());
  const WMFullstate& f = p.WMF;
  EXPECT_EQ(PlayMode::Play_On, f.getPlayMode());
  EXPECT_TRUE(f.getViewQuality().isHigh() && f.getViewWidth().isNormal());
  EXPECT_EQ(1, f.getMyScore());
  EXPECT_EQ(PlayerObject::t, f.getOwn(1).getGoalieP());
  EXPECT_EQ(3, f.getOwn(2).getPlayerType());
  EXPECT_EQ(Vector2D(46.1226, -0.302877), f.getOthers(1).getAbsPos());

  p.logFullstate();
  EXPECT_EQ(1, log.count("FULLSTATE: My Pos: V(-10.2, 5.5)\tangle: 45\trel_neck: -30\t"
                         "vel: V(0.3, -0.1)\tenergy: (s:3500.5,r:1,e:0.9)\n"));
  EXPECT_EQ(1, log.count("FULLSTATE: Ball Pos: V(10.5, -3.2) vel: V(0.8, 0.1)\n"));
}

TEST(Fullstate, CountsHandedToTheQueue) {
  FullstatePlayer p;
  static NullLink link;
  Actuator* act = Actuator::instance(&link);
  vekbase::Timer::updateTime(200);
  act->clearQueue();
  act->queueUp(SoccerCommand(SoccerCommand::CMD_ATTENTIONTO, 3u, l));
  act->queueUp(SoccerCommand(SoccerCommand::CMD_TACKLE, 50.0));
  act->sendActions();
  act->clearQueue();
  const std::vector<int> own = counts();
  const std::size_t lost = act->lostCommandsLastCycle();

  // One server counter at a time below the queue's own: the warning names
  // the kind the value was taken for (turn_neck has none).
  const char* kinds[] = {"KICK", "DASH", "TURN", "CATCH", "MOVE", "", "CHANGEVIEW", "SAY"};
  LogCapture log({1040});
  for (int i = 0; i < 8; ++i) {
    std::ostringstream block;
    block << "(count";
    for (int j = 0; j < 8; ++j) block << ' ' << (i == j ? own[j] - 1 : own[j]);
    log.clear();
    p.parse(with("(count 3 10 5 0 1 4 2 0", block.str()));
    EXPECT_EQ(*kinds[i] ? 1 : 0, log.count("expected command of type CMD_")) << i;
    EXPECT_EQ(*kinds[i] ? 1 : 0, log.count(std::string("CMD_") + kinds[i] + " in")) << i;
  }
  p.parse(with("(count 0)", "(count " + std::to_string(own[8] - 1) + ")"));
  EXPECT_EQ(1, log.count("CMD_POINT in sendCommandQueue\n"));
  // No attentionto or tackle count in the message: none taken as lost.
  EXPECT_EQ(own, counts());
  EXPECT_EQ(lost, act->lostCommandsLastCycle());
}

TEST(Fullstate, RecordedMatch) {
  FullstatePlayer p;
  LogCapture log({1215});
  int fullstates = 0;
  for (const std::string& line : recording("server-v8-fullstate.txt")) {
    p.parse(line);
    testutil::Truth truth;
    if (line.compare(0, 11, "(fullstate ") != 0 || !truth.read(line)) continue;
    ++fullstates;
    ASSERT_EQ(truth.ball, p.WMF.getBall().getAbsPos()) << line;
    ASSERT_EQ(truth.me, p.WMF.getOwn(2).getAbsPos()) << line;
  }
  EXPECT_EQ(122, fullstates);
  EXPECT_EQ(0, log.count("fullstate message"));
}

TEST(Fullstate, MalformedBlocks) {
  FullstatePlayer p;
  LogCapture log({1215});
  p.parse(EXAMPLE);
  const std::string noBall = with("((b) 10.5 -3.2 0.8 0.1) ", "");
  p.parse(noBall);
  EXPECT_EQ(Vector2D(0, 0), p.WMF.getBall().getAbsPos());

  p.parse(with("((p l 1 g)", "((p x 3 1) 1 2 0 0 270 0 (stamina 1 1 1)) ((p l 12 0)"));
  EXPECT_EQ(u, p.WMF.getOthers(3).getTeam());
  EXPECT_EQ(-90.0, double(p.WMF.getOthers(3).getBodyAngle()));
  EXPECT_EQ(1, log.count("shirt number out of range in fullstate message: "));

  // Broken blocks end the message; no words of another block are taken.
  const std::pair<const char*, const char*> broken[] = {
      {"((p l 1 g)", "((p l 1 g 3)"},
      {"((p l 1 g)", "((p l 1 g"},
      {"0 (stamina 4000 1 1))", "0 stamina 4000 1 1))"},
      {"(stamina 4000 1 1))", "(stamina 4000 1 1)"}};
  for (const auto& b : broken) p.parse(with(b.first, b.second));
  EXPECT_EQ(1, log.count("player values expected in fullstate message: "));
  EXPECT_EQ(1, log.count("')' expected in fullstate message: "));
  EXPECT_EQ(1, log.count("'(stamina ' expected in fullstate message: "));
  EXPECT_EQ(1, log.count("'))' expected in fullstate message: "));
  EXPECT_EQ(Vector2D(-50, 0), p.WMF.getOwn(1).getAbsPos());

  // Every cut of the message ends without reading past its end.
  for (std::size_t n = 0; n <= EXAMPLE.size(); ++n) p.parse(EXAMPLE.substr(0, n));
}
