#include <gtest/gtest.h>

#include <string>

#include "tests/tolvane/driver/driver_util.h"

TEST(VekActions, GoalKickSuccessTable) {
  TestPlayer p;
  EXPECT_EQ(93.33, p.goalKickSuccessRatio(0, 0, 3));
  EXPECT_EQ(100.0, p.goalKickSuccessRatio(0, 0, 6));
  EXPECT_EQ(1.11, p.goalKickSuccessRatio(2, 4, 0));
  EXPECT_EQ(56.66, p.goalKickSuccessRatio(3, 4, 4));
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(3, 4, 6));
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(1, 4, 0));
  // Situations never measured count as hopeless.
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(0, 2, 1));
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(1, 1, 1));
  // Outside the table.
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(4, 0, 6));
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(0, 5, 3));
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(0, 0, 7));
  EXPECT_EQ(0.0, p.goalKickSuccessRatio(65535, 0, 3));
}

TEST(VekActions, AlignNeckWithBodyAndTraceForms) {
  TestPlayer p;
  LogCapture log({1201});
  p.parse("(init l 7 before_kick_off)");
  p.WM().includeSensed(p.WMS);
  for (int neck : {45, -90, 0}) {
    p.WM().getMe()->setRelativeNeckAngle(vekbase::AngleDeg(neck));
    const SoccerCommand c = p.alignNeckWithBody();
    EXPECT_EQ(SoccerCommand::CMD_TURNNECK, c.command());
    EXPECT_EQ(double(-neck), double(c.turnNeckAngle()));
  }
  EXPECT_EQ(3, log.count("SoccerCommand VekActions::alignNeckWithBody() const\n"));

  // A skill with an exit line leaves the indent level as it found it.
  log.clear();
  vomar::Forwarder* fwd = vomar::Forwarder::instance(8192);
  const unsigned char level = fwd->indentLevel();
  {
    TestPlayer::TraceScope outer(1201, "SoccerCommand VekActions::blockPath() const");
    EXPECT_EQ(level + 1, fwd->indentLevel());
    TestPlayer::TraceScope inner(1201, "SoccerCommand VekActions::defendGoalLine(double) const",
                                 "3.5");
    inner.setExitText("end SoccerCommand VekActions::defendGoalLine(double) const");
  }
  EXPECT_EQ(level, fwd->indentLevel());
  const std::string text = log.text();
  const std::size_t a = text.find("SoccerCommand VekActions::blockPath() const\n");
  const std::size_t b = text.find("SoccerCommand VekActions::defendGoalLine(double) const (3.5)\n");
  const std::size_t c = text.find("end SoccerCommand VekActions::defendGoalLine(double) const\n");
  const std::size_t d = text.find("SoccerCommand VekActions::blockPath() const end\n");
  EXPECT_TRUE(a < b && b < c && c < d) << text;
}
