// One simulation cycle of the player's own work on recorded messages of the
// real server: the sense_body is parsed, the model advanced, the see parsed
// (a sight with 20 flags, a line, the ball and two players) and merged.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "tests/testutil/recording.h"
#include "tolvane/clientparam.h"
#include "tolvane/vekplayer.h"

namespace {

struct BenchPlayer : VekPlayer {
  using VekPlayer::initLogs;
  using VekPlayer::WMS;
};

// The longest recorded datagram that starts with head.
std::string recorded(const std::string& head) {
  std::string best;
  for (const std::string& line : testutil::recording("server-v8-session.txt"))
    if (line.compare(0, head.size(), head) == 0 && line.size() > best.size()) best = line;
  if (best.empty()) {
    std::cerr << "no recorded message " << head << "\n";
    std::exit(1);
  }
  return best;
}

void BM_Cycle(benchmark::State& state) {
  ClientParam::instance()->my_team_name = "Blue";
  BenchPlayer player;
  player.parse("(init l 2 before_kick_off)");
  player.WM().includeSensed(player.WMS);
  // The log stream as it stands in a match: prefix and level set, no file.
  player.initLogs();

  const std::string senseBody = recorded("(sense_body 2 ");
  const std::string see = recorded("(see 2 ");

  for (auto _ : state) {
    player.parse(senseBody);
    player.update();
    player.parse(see);
    player.WM().includeSensed(player.WMS);
    benchmark::DoNotOptimize(player.WM().getBall().getAbsPos());
  }
}

// The parser's share of the cycle.
void BM_ParseOnly(benchmark::State& state) {
  ClientParam::instance()->my_team_name = "Blue";
  BenchPlayer player;
  player.parse("(init l 2 before_kick_off)");
  const std::string senseBody = recorded("(sense_body 2 ");
  const std::string see = recorded("(see 2 ");
  for (auto _ : state) {
    player.parse(senseBody);
    player.parse(see);
    benchmark::DoNotOptimize(player.WMS.getFlags().size());
  }
}

} // namespace

BENCHMARK(BM_Cycle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
