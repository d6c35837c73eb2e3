#include <gtest/gtest.h>

#include <string>

#include "tests/tolvane/driver/driver_util.h"

TEST(VekActions, GoalKickSuccessTable) {
  TestPlayer p;
  // Situations never measured, and those outside the table, count as hopeless.
  const struct {
    unsigned short x, y, z;
    double ratio;
  } cases[] = {{0, 0, 3, 93.33}, {0, 0, 6, 100.0}, {2, 4, 0, 1.11},  {3, 4, 4, 56.66},
               {3, 4, 6, 0.0},   {1, 4, 0, 0.0},   {0, 2, 1, 0.0},   {1, 1, 1, 0.0},
               {4, 0, 6, 0.0},   {0, 5, 3, 0.0},   {0, 0, 7, 0.0},   {65535, 0, 3, 0.0}};
  for (const auto& c : cases)
    EXPECT_EQ(c.ratio, p.goalKickSuccessRatio(c.x, c.y, c.z)) << c.x << c.y << c.z;
}

TEST(VekActions, AlignNeckWithBodyAndTraceIndent) {
  TestPlayer p;
  p.parse("(init l 7 before_kick_off)");
  p.WM().includeSensed(p.WMS);
  // The neck turns back by its angle to the body, not to the field.
  p.WM().getMe()->setBodyAngle(vekbase::AngleDeg(40.0));
  p.WM().getMe()->setRelativeNeckAngle(vekbase::AngleDeg(45.0));
  EXPECT_EQ("(turn_neck -45.00)", p.alignNeckWithBody().str());

  // A skill with an exit line leaves the indent level as it found it.
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
}
