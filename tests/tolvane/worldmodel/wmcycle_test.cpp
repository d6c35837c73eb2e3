#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "testutil/fullstatetruth.h"
#include "tolvane/vekplayer.h"

namespace {

struct Driver : VekPlayer {
  using VekPlayer::WMS;
};

using testutil::Truth;

bool finite(const Vector2D& v) { return std::isfinite(v[0]) && std::isfinite(v[1]); }

// Replays the recording of the left player 2, whose fullstate messages tell
// the true positions, through the parser and the world model in the order
// of the main loop: update at sense_body, one merge per cycle at its see.
TEST(WMCycle, RecordedMatchAgainstFullstate) {
  std::ifstream in(TOLVANE_DATA_DIR "/server-v8-fullstate.txt");
  ASSERT_TRUE(in.good());
  Driver p;
  Truth truth;
  int seesThisCycle = 0;
  int merged = 0;
  double worstPos = 0.0, worstNeck = 0.0, worstBall = 0.0;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line.compare(0, 11, "(fullstate ") == 0) {
      ASSERT_TRUE(truth.read(line)) << line;
    }
    const VekPlayer::SenseType kind = p.parse(line);
    // The init reply is reported as an other message; recognise it by its text.
    if (line.compare(0, 6, "(init ") == 0) {
      p.WM().includeSensed(p.WMS);
      ASSERT_EQ(2u, p.WM().getMyNumber());
      ASSERT_EQ(l, p.WM().getMySide());
    } else if (kind == VekPlayer::SenseMsg) {
      p.update();
      seesThisCycle = 0;
    } else if (kind == VekPlayer::SeeMsg && ++seesThisCycle == 1) {
      p.WM().includeSensed(p.WMS);
      ++merged;
      const UpdateableWMState& wm = p.WM();
      ASSERT_TRUE(finite(wm.myPosition())) << line;
      ASSERT_TRUE(wm.myPositionConf().valid());
      worstPos = std::max(worstPos, wm.myPosition().dist(truth.me));
      const vekbase::AngleDeg neckError = wm.myNeckAngle() - vekbase::AngleDeg(truth.neck);
      worstNeck = std::max(worstNeck, std::fabs(double(neckError)));
      if (merged == 1) {
        // The first sight of the recording: 1 m behind the centre spot, the
        // ball on it.
        EXPECT_LT(wm.myPosition().dist(Vector2D(-1.0, 0.0)), 0.2);
        EXPECT_LT(std::fabs(double(wm.myNeckAngle())), 1.0);
        EXPECT_LT(wm.getBall().getAbsPos().dist(Vector2D(0.0, 0.0)), 0.2);
        EXPECT_TRUE(wm.getBall().getAbsPosConf().valid());
      }
      if (p.WMS.getBall().getDistConf().valid()) {
        ASSERT_TRUE(finite(wm.getBall().getAbsPos()));
        worstBall = std::max(worstBall, wm.getBall().getAbsPos().dist(truth.ball));
      }
    }
  }
  EXPECT_GT(merged, 80);
  // The sights are quantised; in this match the errors stay below 1 m and
  // 1.5 degrees, also in the cycles of low view quality (bearings only).
  EXPECT_LT(worstPos, 1.5);
  EXPECT_LT(worstNeck, 3.0);
  EXPECT_LT(worstBall, 1.5);
}

} // namespace
