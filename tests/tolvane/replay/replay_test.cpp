#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "testutil/logcapture.h"
#include "testutil/tempdir.h"
#include "tests/tolvane/replay/replay_util.h"
#include "tolvane/behaviors/behavior.h"
#include "tolvane/clientparam.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/vekplayer.h"
#include "tolvanebase/timer.h"

using namespace replaytest;

namespace {

struct ReplayPlayer : VekPlayer {
  ReplayPlayer(int argc, char* argv[]) : VekPlayer(argc, argv) {}
  using VekPlayer::connection;
  using VekPlayer::onlineMonitor;
};

// What the model believes at each decision.
struct Belief {
  int time;
  Vector2D me;
  double neck;
  Vector2D ball;
};

struct NotingBehavior : Behavior {
  using Behavior::Behavior;
  void process() override {
    const UpdateableWMState& w = wm();
    beliefs.push_back({vekbase::Timer::currentTime().serverTime(), w.myPosition(),
                       double(w.myNeckAngle()), w.getBall().getAbsPos()});
  }
  std::vector<Belief> beliefs;
};

} // namespace

// A recorded match through one player's eyes: the options from the client
// parameter file and the command line choose the replay link, a monitor on
// 127.0.0.1 receives every show record, and the player's own parser and
// world model read the composed texts back to the recorded positions.
TEST(Replay, OnePlayerAgainstAMonitor) {
  const int cycles = 6;
  testutil::TempDir dir;
  // The recorded log cut inside its seventh show record.
  const std::string log = dir.file("short.rcg", readFile(dataFile("game-v3.rcg")).substr(0, 12000));
  const std::string cfile = dir.file("client.conf", "offline_monitor on\noffline_logfile " + log +
                                                        "\noffline_player 12\n");
  const int port = testutil::freeLoopbackPort();
  std::vector<std::string> words = {"tolvane", "-c", cfile, "--monitor_port",
                                    std::to_string(port)};
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  vekbase::Timer::reset();

  FakeMonitor monitor;
  monitor.connectLater(port, "(dispinit version 2)");
  ReplayPlayer player(int(words.size()), argv.data());
  ASSERT_NE(nullptr, dynamic_cast<LogConnection*>(player.connection));
  EXPECT_EQ(nullptr, player.onlineMonitor);
  NotingBehavior behavior(&player);
  testutil::LogCapture log1053({1053, 1054});
  ASSERT_TRUE(player.initBehave(&behavior));
  monitor.join();
  EXPECT_EQ(2u, player.myNumber());
  EXPECT_EQ('r', player.mySide());
  player.mainloop();
  ClientParam::instance()->offline_monitor = false;

  // Before each show record the monitor's drawing is cleared.
  std::map<int, showinfo_t2> shown;
  std::string before;
  for (std::string d = monitor.receive(200); !d.empty(); d = monitor.receive(200)) {
    if (d.size() == DISPINFO_T2_SIZE) {
      dispinfo_t2 rec{};
      decode(bytesOf(d), rec);
      ASSERT_EQ(SHOW_MODE, rec.mode);
      EXPECT_EQ(std::string("_2D_ CLEAR;\0", 12), before);
      shown[rec.show.time] = rec.show;
    }
    before = d;
  }
  ASSERT_EQ(std::size_t(cycles), shown.size());
  EXPECT_EQ(cycles, shown.rbegin()->first);
  EXPECT_TRUE(log1053.has("Replay of logfile " + log + " ended after cycle 6\n"));

  // One decision per recorded cycle (the first two tune the view), each on
  // that cycle's sight. The right team's model turns the field about the
  // centre spot, so that it attacks towards +x.
  ASSERT_EQ(std::size_t(cycles - 2), behavior.beliefs.size());
  int checked = 0;
  for (const Belief& b : behavior.beliefs) {
    const auto at = shown.find(b.time);
    if (at == shown.end()) continue;
    const player_t& me = at->second.pos[12];
    const Vector2D truth(-me.x / 65536.0, -me.y / 65536.0);
    const Vector2D ball(-at->second.ball.x / 65536.0, -at->second.ball.y / 65536.0);
    const double neck = (me.body_angle + me.head_angle) / 65536.0 * 180.0 / M_PI + 180.0;
    EXPECT_LT(b.me.dist(truth), 0.5) << "cycle " << b.time;
    EXPECT_LT(std::fabs(double(vekbase::AngleDeg(b.neck - neck))), 2.0) << "cycle " << b.time;
    EXPECT_LT(b.ball.dist(ball), 2.0) << "cycle " << b.time;
    ++checked;
  }
  EXPECT_EQ(cycles - 2, checked);
}
