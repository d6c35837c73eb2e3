// The built program, with its agent program behind it, against a fake
// server on the loopback interface.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "program.h"
#include "testutil/recording.h"
#include "tests/tolvane/replay/replay_util.h"

using programtest::FakeServer;
using programtest::Program;
using replaytest::readFile;
using testutil::TempDir;

namespace {

// The options of a player on the server at port of 127.0.0.1, whose main
// loop gives up after sixty waits of 10 ms.
std::vector<std::string> on(int port, std::vector<std::string> more = {}) {
  std::vector<std::string> args = {"--host", "127.0.0.1", "--port", std::to_string(port),
                                   "--sense_body_step", "10"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

} // namespace

TEST(Tolvane, HandshakeRunsInitOnceAndEndsWhenTheServerFallsSilent) {
  FakeServer server;
  TempDir dir;
  // Parameter files are the agent's business, never the engine's; a key of
  // a newer server is said and skipped. A log that cannot be written is
  // said, and the player plays without it.
  Program player(TOLVANE_EXECUTABLE,
                 on(server.port, {"-s", dir.file("s.conf", "new_key 1\n"), "-p",
                                  dir.file("p.conf", ""),
                                  "--save-message-log", "--message-log-dir", "/nonexistent"}),
                 dir);
  EXPECT_EQ(server.receive(), "(init Tolvane (version 8.04))");
  server.reply("(init l 7 before_kick_off)");
  EXPECT_EQ(server.receive(), "(clang (ver 8 8))");
  EXPECT_EQ(player.status(), 0);
  EXPECT_EQ(readFile(player.err),
            "tolvane: " + dir.dir + "/s.conf:1: unknown key 'new_key', skipped\n"
            "initLogs\nopening message log\ntolvane: cannot open the message log "
            "/nonexistent/Tolvane7-l-message.log: No such file or directory\n"
            "tolvane: the server at 127.0.0.1:" + std::to_string(server.port) + " fell silent\n");
  EXPECT_EQ(readFile(player.out), "init\n");
}

// The built program plays: in play, with the ball seen at its feet, its
// first decision after the two turns that tune the view is a kick. The
// next cycle comes once the player has been quiet for 100 ms, far within its
// give-up, up to cycle 9: a slow turn only decides in a later cycle.
TEST(Tolvane, WithTheBallAtItsFeetThePlayerKicks) {
  FakeServer server;
  TempDir dir;
  Program player(TOLVANE_EXECUTABLE, on(server.port), dir);
  EXPECT_EQ(server.receive(), "(init Tolvane (version 8.04))");
  server.reply("(init l 7 before_kick_off)");
  EXPECT_EQ(server.receive(), "(clang (ver 8 8))");

  std::string senseBody, see, sent;
  for (const std::string& line : testutil::recording("server-v8-session.txt")) {
    if (senseBody.empty() && line.rfind("(sense_body 2 ", 0) == 0) senseBody = line;
    if (see.empty() && line.rfind("(see 2 ", 0) == 0) see = line;
  }
  see.replace(see.find("((b) "), see.find(')', see.find("((b) ") + 4) + 1 - see.find("((b) "),
              "((b) 0.6 0)");
  server.reply("(hear 0 referee play_on)");
  for (char t = '1'; sent.empty() || sent.rfind("(change_view ", 0) == 0;) {
    if (sent.empty()) {
      if (t > '9') break;
      server.reply(senseBody.replace(12, 1, 1, t));
      server.reply(see.replace(5, 1, 1, t++));
    }
    sent = server.receive(t <= '9' ? 100 : 10000);
  }
  EXPECT_EQ(0u, sent.find("(kick ")) << sent;
}

// No single number from the server stops play: in the recorded session to
// cycle 24 with one cycle number leaping ahead or back, a weight of 0, the
// clock 6000 cycles ahead and later back (a remembered ball in the future),
// or a lone sense_body far ahead besides the real one, the player commands
// each cycle but those it refused, silent on stderr.
TEST(Tolvane, NoSingleNumberFromTheServerStopsPlay) {
  const int LEAP = 12, BACK = 18, LAST = 24;
  const struct {
    std::string from, to;  // replaced wherever it stands
    int shift;             // added to the cycle numbers from LEAP to BACK
    std::vector<int> silent;
    int lone = 0;  // a copy of LEAP's sense_body this far ahead follows it
  } rows[] = {{"(sense_body 12 ", "(sense_body 6000 ", 0, {LEAP}},
              {"(sense_body 12 ", "(sense_body 3 ", 0, {LEAP}},
              {"(ball_weight 0.2)", "(ball_weight 0)", 0, {}},
              {"(player_weight 60)", "(player_weight 0)", 0, {}},
              {"", "", 6000, {LEAP, BACK}},
              {"", "", 0, {}, 20}, {"", "", 0, {}, 48}, {"", "", 0, {}, 90}};
  const std::vector<std::string> rec = testutil::recording("server-v8-session.txt");
  std::vector<std::thread> threads;
  for (std::size_t r = 0; r < std::size(rows); ++r)
    threads.emplace_back([&, r] {
      FakeServer server;
      TempDir dir;
      Program player(TOLVANE_EXECUTABLE, on(server.port), dir);
      std::vector<int> silent;
      server.receive();
      server.reply(rec[0]);
      server.receive();  // (clang (ver 8 8))
      for (std::size_t i = 1, t = 0; i < rec.size(); ++i) {
        std::string l = rec[i];
        if (l.compare(0, 11, "(sense_body") == 0) {
          // What the last turn sent: a turn that answers is waited for as
          // long as it takes, one to be refused (or any, once the player
          // went astray) briefly.
          const std::vector<int>& q = rows[r].silent;
          const bool brief = std::find(q.begin(), q.end(), int(t)) != q.end() ||
                             !std::includes(q.begin(), q.end(), silent.begin(), silent.end());
          if (server.receive(brief ? 500 : 10000).empty() && t >= 1) silent.push_back(int(t));
          if ((t = std::stoul(l.substr(12))) > LAST) break;
        }
        const std::size_t at = l.find(rows[r].from);
        if (at != std::string::npos) l.replace(at, rows[r].from.size(), rows[r].to);
        // In synch mode a view change goes out at once, so that a turn sends
        // one datagram at most; the recorded step keeps the player waiting
        // 6 s for a server that falls silent.
        const std::size_t synch = l.find("(synch_mode 0)");
        if (synch != std::string::npos) l[synch + 12] = '1';
        if (rows[r].shift && t >= LEAP && t < BACK && (l[1] == 's' || l[1] == 'h'))
          l.replace(l.find(' ') + 1, std::to_string(t).size(), std::to_string(t + rows[r].shift));
        server.reply(l);
        if (rows[r].lone && l.compare(0, 15, "(sense_body 12 ") == 0)
          server.reply(l.replace(12, 2, std::to_string(LEAP + rows[r].lone)));
      }
      EXPECT_EQ(silent, rows[r].silent) << r;
      EXPECT_EQ(readFile(player.err), "initLogs\n") << r;  // while the player still waits
    });
  for (std::thread& t : threads) t.join();
}

// A start that ends at the command line sends nothing: status 0 after the
// help; 2 after getopt's line and the hint for a wrong option, else after
// one line for each refused value, unreadable file or contradiction. What
// each option and file refuses, and the stray words, the front end's own
// test holds.
TEST(Tolvane, CommandLinesThatEndTheStart) {
  TempDir dir;
  const std::string hint = "Try 'tolvane --help' for the list of options.\n";
  const struct {
    std::vector<std::string> words;
    std::string err;  // "" for getopt's own line and the hint
  } rows[] = {
      {{"--no-such-option"}, ""},
      {{"--port", "99999", "--monitor_port", "0"},
       "tolvane: invalid value '99999' for option '--port'\n"
       "tolvane: invalid value '0' for option '--monitor_port'\n"},
      {{"--ffile", "/nonexistent"},
       "tolvane: cannot read the formation file /nonexistent: No such file or directory\n"},
      {{"-c", "/dev/urandom"},
       "tolvane: cannot read the client parameter file /dev/urandom: longer than 1 MiB\n"},
      {{"--offline_monitor", "on", "--online_monitor", "on", "--offline_logfile", "g.rcg"},
       "tolvane: --offline_monitor and --online_monitor exclude each other\n"},
      {{"--offline_monitor", "on"}, "tolvane: --offline_monitor on needs --offline_logfile\n"},
      {{"--host", ""}, "tolvane: invalid value '' for option '--host'\n"},
      {{"--stamina_max", "-1"}, "tolvane: invalid value '-1' for option '--stamina_max'\n"},
  };
  // All at once, each with its own files, to one server that hears nothing.
  FakeServer server;
  std::vector<std::unique_ptr<TempDir>> dirs;
  std::vector<std::unique_ptr<Program>> players;
  for (const auto& r : rows) {
    dirs.emplace_back(new TempDir);
    players.emplace_back(new Program(TOLVANE_EXECUTABLE, on(server.port, r.words), *dirs.back()));
  }
  for (std::size_t i = 0; i < players.size(); ++i) {
    EXPECT_EQ(players[i]->status(200L << 20), 2) << rows[i].words[0];
    const std::string err = readFile(players[i]->err);
    if (rows[i].err.empty())
      EXPECT_EQ(err.find(hint), err.size() - hint.size()) << err;
    else
      EXPECT_EQ(err, rows[i].err);
  }
  EXPECT_EQ(server.receive(0), "");
  Program help(TOLVANE_EXECUTABLE, {"--help"}, dir);
  EXPECT_EQ(help.status(), 0);
  EXPECT_EQ(readFile(help.err).rfind("Usage: tolvane [options]\n", 0), 0u);
}

TEST(Tolvane, WithoutAnIntactAgentProgramNothingStarts) {
  TempDir dir;
  const std::string whole = readFile(TOLVANE_EXECUTABLE);
  // Cut off, then damaged inside the compressed program.
  std::string copies[] = {whole.substr(0, whole.size() - 1000), whole};
  copies[1].replace(whole.size() - 40000, 8, "XXXXXXXX");
  for (const std::string& bytes : copies) {
    const std::string program = dir.file("program", bytes);
    chmod(program.c_str(), 0755);
    FakeServer server;
    Program player(program, on(server.port), dir);
    EXPECT_EQ(player.status(), 1) << readFile(player.err);
    EXPECT_EQ(server.receive(0), "");
  }
}

// A player that was refused never played: one line saying why, status 1.
TEST(Tolvane, RefusalsEndWithTheServersWordAndStatusOne) {
  const struct {
    std::vector<std::string> more;
    std::string init, refusal;
  } cases[] = {
      {{}, "(init Tolvane (version 8.04))", "(error no_more_team)"},
      {{"--reconnect", "4"}, "(reconnect Tolvane 4)", "(error reconnect)"},
  };
  for (const auto& c : cases) {
    FakeServer server;
    TempDir dir;
    Program player(TOLVANE_EXECUTABLE, on(server.port, c.more), dir);
    EXPECT_EQ(server.receive(), c.init);
    server.reply(c.refusal);
    EXPECT_EQ(player.status(), 1);
    const std::string word = c.refusal.substr(7, c.refusal.size() - 8);
    EXPECT_EQ(readFile(player.err), "tolvane: refused by the server at 127.0.0.1:" +
                                        std::to_string(server.port) + ": " + word + "\n");
    EXPECT_EQ(server.receive(50), "") << "nothing after the refusal";
  }
}

TEST(Tolvane, NoServerEndsWithOneLineAndStatusOne) {
  TempDir dir;
  int closedPort = 0;
  close(testutil::loopbackUdpSocket(closedPort));
  Program silent(TOLVANE_EXECUTABLE, on(closedPort), dir);
  EXPECT_EQ(silent.status(), 1);
  EXPECT_EQ(readFile(silent.err),
            "tolvane: no reply from 127.0.0.1:" + std::to_string(closedPort) + "\n");

  // A name that the resolver refuses at once, without asking a name server.
  Program nameless(TOLVANE_EXECUTABLE, on(closedPort, {"--host", "999.999.999.999"}), dir);
  EXPECT_EQ(nameless.status(), 1);
  const std::string err = readFile(nameless.err);
  EXPECT_EQ(err.rfind("tolvane: cannot resolve the host name 999.999.999.999: ", 0), 0u)
      << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

// A recorded game replayed through one player's eyes, as the README says,
// to a monitor on 127.0.0.1. The log, cut before or inside its seventh show
// record, ends the replay with status 0, or 1 and one line; a missing log
// ends the start before any monitor is waited for.
TEST(Tolvane, ReplaysARecordedLogToItsMonitor) {
  TempDir dir;
  const std::string v3 = readFile(std::string(TOLVANE_DATA_DIR) + "/game-v3.rcg");
  const std::string cut = dir.file("cut.rcg", v3.substr(0, 12000));
  const struct {
    std::string log;
    int status;
    std::string err;
  } cases[] = {
      {dir.file("whole.rcg", v3.substr(0, 10777)), 0, "initLogs\n"},
      {cut, 1, "initLogs\ntolvane: the game log " + cut + " is damaged or cut off after cycle 6\n"},
      {"/nonexistent.rcg", 1,
       "tolvane: cannot open the game log /nonexistent.rcg: No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const int port = testutil::freeLoopbackPort();
    replaytest::FakeMonitor monitor;
    const bool watched = c.err.find("cannot open") == std::string::npos;
    if (watched) monitor.connectLater(port, "(dispinit version 2)");
    Program player(TOLVANE_EXECUTABLE,
                   on(testutil::freeLoopbackPort(),
                      {"--offline_monitor", "on", "--offline_logfile", c.log,
                       "--offline_player", "12", "--monitor_port", std::to_string(port)}),
                   dir);
    // What the monitor is sent, the replay's own test follows.
    if (watched) monitor.join();
    EXPECT_EQ(player.status(), c.status);
    EXPECT_EQ(readFile(player.err), c.err);
  }
}
