// One decision of the agent program: the goal behave_midfielder/0, run as
// the player runs it, on world models that the player built from a
// recorded match (the real server's messages to left player 2 in
// tests/data), after the see and the update of its cycle. Each decision is
// timed on its own; the median and the 99th percentile are reported as the
// counters p50_us and p99_us. Pin it to one core:
//   taskset -c 2 build-bench/bench/decision_bench

#include <SWI-Prolog.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "interface-swi/client.h"
#include "interface-swi/engine.h"
#include "tests/testutil/recording.h"
#include "tolvane/actuator.h"
#include "tolvane/clientparam.h"
#include "tolvane/vekplayer.h"

namespace {

struct BenchPlayer : VekPlayer {
  using VekPlayer::WMS;
};

// The model's player records, opened for the crowded scene.
struct OpenWorld : UpdateableWMState {
  using WMState::others;
  using WMState::own;
};

// The engine with the foreign predicates and the agent program, once.
void startEngine() {
  static bool started = false;
  if (started) return;
  started = true;
  register_predicates();
  if (!start_bare_engine()) std::exit(1);
  term_t file = PL_new_term_ref();
  static predicate_t consult = PL_predicate("consult", 1, "user");
  if (!PL_put_atom_chars(file, TOLVANE_VASTEL_DIR "/vastel.pl") ||
      !PL_call_predicate(nullptr, PL_Q_NODEBUG, consult, file))
    std::exit(1);
}

// The recorded datagrams, through the player as its main loop takes them,
// up to the last sight of cycle `upTo`; then the referee's word, if any.
void replay(BenchPlayer& player, int upTo, const std::string& referee) {
  const std::vector<std::string> lines = testutil::recording("server-v8-session.txt");
  std::size_t last = 0;
  const std::string see = "(see " + std::to_string(upTo) + " ";
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind(see, 0) == 0) last = i;
  for (std::size_t i = 0; i <= last; ++i) {
    const VekPlayer::SenseType type = player.parse(lines[i]);
    if (type == VekPlayer::SenseMsg) player.update();
    if (type == VekPlayer::SeeMsg || type == VekPlayer::InitMsg)
      player.WM().includeSensed(player.WMS);
  }
  if (!referee.empty()) {
    player.parse("(hear " + std::to_string(upTo) + " referee " + referee + ")");
    player.WM().includeSensed(player.WMS);
  }
}

// What is added to the recorded model: nothing; or nine more team-mates,
// at places a match has them, with nine more opponents (eleven), without
// them (mates), or with the team-mates all behind the ball, where the
// most passes between them are open (mates_behind). Except for `none` an
// opponent presses the agent from 1.8 m ahead, which closes the dribbles:
// active play goes down to the pass search.
enum class Crowd { none, eleven, mates, mates_behind };

void place(PlayerObject& p, Unum n, Side side, Vector2D at) {
  p.setUnum(n);
  p.setTeam(side);
  p.setAbsPos(at, 1.0);
  p.setAbsVel(Vector2D(0.0, 0.0), 1.0);
}

void crowd(BenchPlayer& player, Crowd crowd) {
  if (crowd == Crowd::none) return;
  UpdateableWMState& world = player.WM();
  std::vector<PlayerObject>& own = world.*(&OpenWorld::own);
  std::vector<PlayerObject>& others = world.*(&OpenWorld::others);
  const double spread[][2] = {{-50, 0}, {-16, 16}, {-17, 5}, {-17, -5}, {-16, -16}, {5, 3},
                              {-5, 10}, {4, -12},  {12, 1},  {9, 22},   {10, -20}};
  const double behind[][2] = {{-50, 0}, {-22, 12}, {-20, 2}, {-21, -8}, {-14, -15}, {-9, 6},
                              {-6, 14}, {-8, -9},  {-3, -6}, {-2, 20},  {-4, -19}};
  for (Unum n = 3; n <= 11; ++n) {
    const double* at = crowd == Crowd::mates_behind ? behind[n - 1] : spread[n - 1];
    place(own.at(n), n, world.getMySide(), Vector2D(at[0], at[1]));
    if (crowd == Crowd::eleven)
      place(others.at(n), n, world.getTheirSide(),
            Vector2D(-spread[n - 1][0] * 0.8, spread[n - 1][1] * 0.9 + 2.0));
  }
  place(others.at(2), 2, world.getTheirSide(), world.getMe()->getAbsPos() + Vector2D(1.8, 0.3));
}

void decide(benchmark::State& state, int upTo, const std::string& referee, Crowd added) {
  startEngine();
  ClientParam::instance()->my_team_name = "Blue";
  BenchPlayer player;
  client = &player;
  replay(player, upTo, referee);
  crowd(player, added);
  static const predicate_t goal = PL_predicate("behave_midfielder", 0, "user");
  Actuator* actuator = Actuator::instance();

  std::vector<double> micros;
  for (auto _ : state) {
    actuator->clearQueue();
    const auto start = std::chrono::steady_clock::now();
    run_goal(goal);
    micros.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(micros.begin(), micros.end());
  state.counters["p50_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[micros.size() * 99 / 100];
  state.SetLabel(actuator->actionString());
  client = nullptr;
}

} // namespace

// Cycle 0 after the kick-off whistle: the ball 1 m ahead, kickable.
BENCHMARK_CAPTURE(decide, ball_at_feet, 0, "play_on", Crowd::none)->Iterations(20000);
BENCHMARK_CAPTURE(decide, ball_at_feet_eleven, 0, "play_on", Crowd::eleven)->Iterations(20000);
BENCHMARK_CAPTURE(decide, ball_at_feet_mates, 0, "play_on", Crowd::mates)->Iterations(20000);
BENCHMARK_CAPTURE(decide, ball_at_feet_mates_behind, 0, "play_on", Crowd::mates_behind)
    ->Iterations(20000);
// Cycle 19: the ball 8 m away in play.
BENCHMARK_CAPTURE(decide, ball_far, 19, "", Crowd::none)->Iterations(20000);
BENCHMARK_CAPTURE(decide, ball_far_eleven, 19, "", Crowd::eleven)->Iterations(20000);
// Our goal kick with the ball at the agent's feet.
BENCHMARK_CAPTURE(decide, goal_kick, 0, "goal_kick_l", Crowd::none)->Iterations(20000);

BENCHMARK_MAIN();
