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

namespace {

// Big-endian, as the logs are written.
void put(std::string& bytes, std::size_t at, std::int32_t v, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = char(std::uint32_t(v) >> (8 * (size - 1 - i)));
}
std::int32_t fixed(double v) { return std::int32_t(std::lround(v * 65536.0)); }

// The sense_body and see texts of slot 0 in the first show record of a log.
std::string firstSight(const std::string& file) {
  LogReader r;
  EXPECT_TRUE(r.openLog(file));
  while (r.readLog() && r.mtBuf2.mode != SHOW_MODE) {
  }
  char text[Connection::BUFFER_SIZE];
  r.mComposer.setPlayer(0);
  r.mComposer.composeSenseMessage(r.mtBuf2, text);
  std::string both = text;
  r.mComposer.composeSeeMessage(r.mtBuf2, text);
  return both + text;
}

} // namespace

// A version-3 record written field by field at its offsets: the agent at
// (-10, 0) with body 30 and head 20 degrees, moving (0.3, 0.4), every
// command counted differently; the ball 10 m off at (-4, 8), moving (1, 0):
// 3.13 degrees off the head, going 0.1 m away and turning by -0.08 rad a
// cycle.
// A version-1 log has no view mode or stamina: those the server starts with.
TEST(Replay, RecordedCountsAndMotion) {
  testutil::TempDir dir;
  std::string log = std::string("ULG\3") + std::string(2 + 1428, '\0');
  const std::size_t show = 6, me = show + 16;
  put(log, 4, SHOW_MODE, 2);
  for (auto f : {std::pair<std::size_t, double>{0, -4}, {4, 8}, {8, 1}})
    put(log, show + f.first, fixed(f.second), 4);
  put(log, me, 1, 2);
  for (auto f : {std::pair<std::size_t, double>{4, -10}, {12, 0.3}, {16, 0.4}, {20, 30 * M_PI / 180},
                 {24, 20 * M_PI / 180}, {28, 1}, {36, 3500}, {40, 0.8}})
    put(log, me + f.first, fixed(f.second), 4);
  put(log, me + 32, 1, 2);
  for (int i = 0; i < 8; ++i) put(log, me + 48 + 2 * i, i + 1, 2);
  put(log, show + 1424, 5, 2);
  const std::string sight = firstSight(dir.file("counts.rcg", log));
  EXPECT_EQ(0u, sight.find("(sense_body 5 (view_mode high normal) (stamina 3500.00 0.80) (speed "
                           "0.50 3.13) (head_angle 20.00) (kick 1) (dash 2) (turn 3) (say 4) "
                           "(turn_neck 5) (catch 6) (move 7) (change_view 8))\n(see 5 ((b) 11.10 "
                           "3.13 0.10 -4.58) "))
      << sight;
  EXPECT_NE(std::string::npos,
            firstSight(dataFile("game-v1.rcg")).find("(view_mode high normal) (stamina 4000.00 1.00)"));
}
