#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "testutil/fullstatetruth.h"
#include "tests/tolvane/driver/driver_util.h"
#include "tolvane/behaviors/behavior.h"
#include "tolvanebase/timer.h"

using Clock = std::chrono::steady_clock;
using testutil::Truth;

namespace {

// The replayed server's cycle, in milliseconds; the player's waits for a
// see are cut to fit inside it as 40 and 80 ms fit into 100 ms.
const int STEP_MS = 12;

// The fullstate recording of the left player 2, cut into the init reply,
// what the server sends before the first sense_body (the parameters, told
// a sense_body step of STEP_MS) and one group per sense_body: the sense_body
// and everything after it up to the next one.
struct Recording {
  std::string initReply;
  std::vector<std::string> prelude;
  std::vector<std::vector<std::string>> groups;
  std::vector<Truth> truths;                      // from each group's fullstate
  std::map<vekbase::Timer, std::size_t> groupAt;  // the clock each group's sense_body sets

  bool load() {
    std::vector<std::string> lines = recording("server-v8-fullstate.txt");
    if (lines.empty()) return false;
    initReply = lines[0];
    vekbase::Timer::reset();
    for (std::size_t i = 1; i < lines.size(); ++i) {
      std::string& line = lines[i];
      if (line.compare(0, 12, "(sense_body ") == 0) {
        groupAt[vekbase::Timer::updateTime(std::stoi(line.substr(12)))] = groups.size();
        groups.emplace_back();
        truths.emplace_back();
      }
      if (line.compare(0, 11, "(fullstate ") == 0 && !truths.back().read(line)) return false;
      const std::string recorded = "(sense_body_step 100)";
      const std::size_t at = line.find(recorded);
      if (line.compare(0, 14, "(server_param ") == 0 && at != std::string::npos)
        line.replace(at, recorded.size(), "(sense_body_step " + std::to_string(STEP_MS) + ")");
      (groups.empty() ? prelude : groups.back()).push_back(line);
    }
    vekbase::Timer::reset();
    return true;
  }
};

struct ReplayPlayer : TestPlayer {
  using VekPlayer::seeMsgThisCycle;
};

// What the model believes at one decision.
struct Belief {
  vekbase::Timer time;
  Vector2D me, ball;
  double neck;
  // This cycle's sight was merged before the decision (one see, complete),
  // and it measured the ball's distance.
  bool merged, ballSeen;
};

// Decides nothing: it only notes the belief at each decision, and counts
// the decisions for the server's thread.
struct RecordingBehavior : Behavior {
  explicit RecordingBehavior(ReplayPlayer* p) : Behavior(p), driver(p) {}
  void process() override {
    const UpdateableWMState& w = wm();
    const bool merged = driver->seeMsgThisCycle == 1 && SightPeek::committed(driver->WMS);
    beliefs.push_back({vekbase::Timer::currentTime(), w.myPosition(), w.getBall().getAbsPos(),
                       double(w.myNeckAngle()), merged,
                       merged && driver->WMS.getBall().getDistConf().valid()});
    ++decided;
  }
  ReplayPlayer* driver;
  std::vector<Belief> beliefs;
  std::atomic<std::size_t> decided{0};
};

bool finite(const Vector2D& v) { return std::isfinite(v[0]) && std::isfinite(v[1]); }

} // namespace

// A whole recorded match, datagram by datagram, through the real link, main
// loop, parser, world model and command queue, against the fullstate truth.
TEST(Replay, RecordedMatchOverUdp) {
  Recording rec;
  ASSERT_TRUE(rec.load());
  ASSERT_EQ(122u, rec.groups.size());
  ASSERT_EQ(122u, rec.groupAt.size());

  ReplayPlayer player;
  RecordingBehavior behavior(&player);
  std::vector<std::string> commands;
  Clock::time_point lastSent;
  std::atomic<bool> ended{false};
  FakeServer server;
  configure(server, STEP_MS);
  ClientParam::instance()->select_short_wait = STEP_MS / 4;
  ClientParam::instance()->select_long_wait = STEP_MS / 2;
  server.run([&](FakeServer& s) {
    s.receiveInit();
    s.send(rec.initReply);
    s.receive();
    for (const std::string& line : rec.prelude) s.send(line);
    // The first turn tunes the view at once, the first group's turn a
    // second time, held back until a see opens a cycle of phase 0.
    commands.push_back(s.receive());
    // Each group a step after the player's decision on the one before, as
    // a player that keeps pace with the server decides, however slow the
    // machine. The first group's turn decides nothing; the second might
    // fall into it, so the wait for a decision on that one ends far within
    // the player's sixty waits of a step.
    for (std::size_t g = 0; g < rec.groups.size(); ++g) {
      const std::size_t before = behavior.decided;
      std::this_thread::sleep_for(std::chrono::milliseconds(STEP_MS));
      for (const std::string& line : rec.groups[g]) s.send(line);
      lastSent = Clock::now();
      const Clock::time_point until = lastSent + std::chrono::milliseconds(g == 1 ? 100 : 5000);
      while (g > 0 && behavior.decided == before && !ended && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });

  LogCapture loop({1220});
  ASSERT_TRUE(player.initBehave(&behavior));
  player.mainloop();
  const Clock::time_point end = Clock::now();
  ended = true;
  server.join();
  auto ms = [](Clock::time_point from, Clock::time_point to) {
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
  };

  // The behaviour queues nothing: the two view tunings are all that goes
  // out.
  for (std::string c = server.receive(50); !c.empty(); c = server.receive(50))
    commands.push_back(c);
  EXPECT_EQ((std::vector<std::string>{nul("(change_view narrow low)"),
                                      nul("(change_view normal high)")}),
            commands);

  // The model cannot know where the server has placed the agent (at half
  // time) before a sight shows it: from a jump of the true position by more
  // than a player runs in a cycle (1.05 m) up to the next merged sight, the
  // position is not held against the truth.
  const std::vector<Belief>& beliefs = behavior.beliefs;
  double worstPos = 0.0, worstMergedPos = 0.0, worstNeck = 0.0, worstBall = 0.0;
  std::size_t merged = 0, placedCycles = 0;
  bool placed = false;
  long previous = -1;
  for (const Belief& b : beliefs) {
    const auto found = rec.groupAt.find(b.time);
    ASSERT_NE(rec.groupAt.end(), found) << b.time.serverTime() << "." << b.time.stoppedTime();
    const std::size_t g = found->second;
    // At most one decision per cycle, in the order of the cycles.
    ASSERT_GT(long(g), previous);
    for (std::size_t k = std::size_t(std::max(previous, 0L)) + 1; k <= g; ++k)
      if (rec.truths[k].me.dist(rec.truths[k - 1].me) > 1.2) placed = true;
    previous = long(g);
    if (b.merged) placed = false;

    ASSERT_TRUE(finite(b.me) && std::isfinite(b.neck));
    const Truth& truth = rec.truths[g];
    const double posError = b.me.dist(truth.me);
    if (placed) {
      ++placedCycles;
      continue;
    }
    worstPos = std::max(worstPos, posError);
    if (!b.merged) continue;
    // The first sight: 1 m behind the centre spot, the ball on it, close by.
    if (++merged == 1) {
      EXPECT_LT(posError, 0.2);
      EXPECT_LT(b.ball.dist(truth.ball), 0.2);
    }
    worstMergedPos = std::max(worstMergedPos, posError);
    worstNeck = std::max(worstNeck, std::fabs(double(vekbase::AngleDeg(b.neck - truth.neck))));
    if (b.ballSeen) {
      ASSERT_TRUE(finite(b.ball));
      worstBall = std::max(worstBall, b.ball.dist(truth.ball));
    }
  }
  const std::size_t groups = rec.groups.size();

  // The behaviour decides in every cycle but the first, which tunes the
  // view, and at most the second, should the wait for it have ended first.
  EXPECT_GE(beliefs.size() + 2, groups);
  // Most decisions stand on a sight merged in their cycle (those with two
  // see messages or a late one do not), and only a few follow a placement.
  EXPECT_GE(merged * 2, beliefs.size());
  EXPECT_LE(placedCycles, 6u);
  // Dead reckoning between sights (it knows nothing of the recorded
  // player's dashes and neck turns) stays within 2 m; a merged sight, also
  // one of low view quality, within 1.5 m, 3 degrees and 1.5 m for the ball.
  EXPECT_LT(worstPos, 2.0);
  EXPECT_LT(worstMergedPos, 1.5);
  EXPECT_LT(worstNeck, 3.0);
  EXPECT_LT(worstBall, 1.5);
  // The server's silence ends the loop after 60 waits of a sense_body step
  // (the first of them may be the shorter wait for a see).
  EXPECT_GE(ms(lastSent, end), 59 * STEP_MS);
  EXPECT_GE(loop.count("skipped behave because of lost body commands\n"), 59);
}
